#pragma once
// A private cupsd for tests and the send benchmark: its own configuration, spool, socket and
// loopback port under a temporary directory, a server-bin of links to the system's programs
// plus the ZT-40 pass-through filter and a stub usb backend. The machine's own CUPS is never
// touched: every client call and tool run is pointed at this server.
#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zt40::testing {

struct PrivateCupsdFiles {
    std::string ppd;     // the ZT-40 driver
    std::string filter;  // the pass-through filter
};

// The driver files of the source tree (ZT40_SOURCE_DIR).
PrivateCupsdFiles SourceTreeCupsdFiles();

class PrivateCupsd {
public:
    // Whether cupsd and lpadmin are installed at all.
    static bool Installed();
    // Starts cupsd and waits (bounded) until it answers; nullptr with `error` otherwise.
    // Points this process's libcups and CUPS_SERVER at the new server.
    static std::unique_ptr<PrivateCupsd> Start(const PrivateCupsdFiles& files, std::string& error);

    PrivateCupsd(const PrivateCupsd&) = delete;
    PrivateCupsd& operator=(const PrivateCupsd&) = delete;
    // Stops cupsd, restores the previous client settings and removes the directory.
    ~PrivateCupsd();

    const std::string& Directory() const { return m_dir; }
    const std::string& SocketPath() const { return m_socket; }
    int Port() const { return m_port; }

    // Deletes the queue if it exists and creates it anew, enabled and accepting, with the
    // ZT-40 driver (or none: a raw queue).
    bool AddQueue(const std::string& name, const std::string& deviceUri, std::string& error, bool withDriver = true);
    // Runs a CUPS tool (lpadmin, cupsdisable, cupsreject, lp...) against this server; true when
    // it exits 0 within `timeoutMs`. `output` receives its stdout and stderr.
    bool RunTool(const std::vector<std::string>& argv, std::string* output = nullptr, int timeoutMs = 10000) const {
        return ToolExitStatus(argv, output, timeoutMs) == 0;
    }
    // The same, with the exit status; -1 when it could not run or did not end in time.
    int ToolExitStatus(const std::vector<std::string>& argv, std::string* output = nullptr, int timeoutMs = 10000) const;

    // Device URIs served by the stub usb backend: one that writes each job to CapturePath,
    // one that waits forever as a printer that is not plugged in.
    static std::string CapturingUsbUri(const std::string& serial);
    static std::string AbsentUsbUri(const std::string& serial);
    std::string CapturePath(const std::string& serial) const;

    // job-state (3 pending ... 9 completed); 0 when the server cannot tell.
    int JobState(int jobId) const;
    // job-name; empty when the server cannot tell.
    std::string JobName(int jobId) const;
    // Polls JobState until `done` holds or `timeoutMs` passes.
    bool WaitForJobState(int jobId, const std::function<bool(int)>& done, int timeoutMs) const;
    // Jobs of the queue not yet completed, cancelled or aborted; -1 when the server cannot tell.
    int PendingJobCount(const std::string& queue) const;
    bool WaitUntilIdle(const std::string& queue, int timeoutMs) const;

    // Freezes and thaws cupsd (a hung server), or stops it for good (a dead one).
    void Suspend();
    void Resume();
    void Stop();
    // Starts the stopped server again on the same socket, with the queues it had.
    bool Restart(std::string& error);

    // The tail of cupsd's error log, for failure messages.
    std::string ErrorLogTail() const;

private:
    struct Key {
        explicit Key() = default;
    };

public:
    explicit PrivateCupsd(Key) {}

private:
    bool Launch(const PrivateCupsdFiles& files, std::string& error);
    bool Spawn(std::string& error);

    std::string m_dir;
    std::string m_cupsd;
    std::string m_socket;
    int m_port = 0;
    pid_t m_pid = -1;
    bool m_suspended = false;
    bool m_clientPointed = false;
    bool m_hadServer = false;
    std::string m_previousServer;
};

}  // namespace zt40::testing
