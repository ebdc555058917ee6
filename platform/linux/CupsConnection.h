#pragma once
// One HTTP connection to the CUPS server whose waits are bounded, so that a dead or hung
// cupsd makes a spooler call fail within seconds instead of blocking the poll.
#include <cups/cups.h>

#include <chrono>
#include <memory>
#include <string>

namespace zt40 {

// What one spooler call may spend waiting on the server, all its requests, reads, writes
// and connecting together.
inline constexpr std::chrono::milliseconds kCupsCallBudget{3000};
// libcups waits in slices of this length and asks between them whether to go on.
inline constexpr double kCupsWaitSliceSeconds = 0.25;

class CupsConnection {
public:
    // `server`: a host name, "host:port" or the path of cupsd's socket; empty for libcups' choice
    // (CUPS_SERVER, client.conf, the default socket).
    explicit CupsConnection(std::string server);

    // Not movable either: libcups holds a pointer to it for the time-out callback.
    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;

    // Starts a spooler call: from now on it has kCupsCallBudget to finish its waits.
    void StartCall() { m_deadline = std::chrono::steady_clock::now() + kCupsCallBudget; }
    // Makes this connection's waits end when `other`'s do (work done on behalf of its call).
    void ShareDeadline(const CupsConnection& other) { m_deadline = other.m_deadline; }

    // The open connection, connecting first when needed; nullptr with `error` set when the
    // server cannot be reached within the call's budget.
    http_t* Get(std::string& error);
    bool IsOpen() const { return m_http != nullptr; }
    // Closes the connection (an unfinished request on it is abandoned).
    void Drop() { m_http.reset(); }

private:
    struct HttpCloser {
        void operator()(http_t* http) const { httpClose(http); }
    };

    // libcups' time-out callback: go on waiting while the call's budget lasts.
    static int KeepWaiting(http_t* http, void* connection);

    std::string m_server;
    std::unique_ptr<http_t, HttpCloser> m_http;
    std::chrono::steady_clock::time_point m_deadline = std::chrono::steady_clock::now() + kCupsCallBudget;
};

// The text of the failure libcups recorded last, or `fallback` when it recorded none.
std::string CupsErrorText(const char* fallback);

}  // namespace zt40
