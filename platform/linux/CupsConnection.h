#pragma once
// One HTTP connection to the CUPS server whose every step is bounded in time, so that a
// dead or hung cupsd makes calls fail within seconds instead of blocking the poll.
#include <cups/cups.h>

#include <memory>
#include <string>

namespace zt40 {

inline constexpr int kCupsConnectTimeoutMs = 3000;
inline constexpr double kCupsIoTimeoutSeconds = 3.0;

class CupsConnection {
public:
    // `server`: a host name or the path of cupsd's socket; empty for libcups' choice
    // (CUPS_SERVER, client.conf, the default socket).
    explicit CupsConnection(std::string server);

    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;

    // The open connection, connecting first when needed; nullptr with `error` set when the
    // server cannot be reached in time.
    http_t* Get(std::string& error);
    bool IsOpen() const { return m_http != nullptr; }
    // Closes the connection (an unfinished request on it is abandoned).
    void Drop() { m_http.reset(); }

private:
    struct HttpCloser {
        void operator()(http_t* http) const { httpClose(http); }
    };

    std::string m_server;
    std::unique_ptr<http_t, HttpCloser> m_http;
};

// The text of the failure libcups recorded last, or `fallback` when it recorded none.
std::string CupsErrorText(const char* fallback);

}  // namespace zt40
