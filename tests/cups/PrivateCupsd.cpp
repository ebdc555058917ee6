#include "PrivateCupsd.h"
#include "support/BuildTree.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace zt40::testing {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kStopTimeoutMs = 5000;
constexpr int kIppTimeoutMs = 3000;

constexpr std::array kServerBinCandidates = {"/usr/lib/cups", "/usr/libexec/cups"};
constexpr const char* kSystemDataDir = "/usr/share/cups";
constexpr const char* kUsbPrefix = "usb://Velmora/ZT-40?serial=";
constexpr const char* kAbsentSerialPrefix = "absent-";

bool Executable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

std::string FindProgram(const std::string& name) {
    for (const char* dir : {"/usr/sbin", "/usr/bin", "/sbin", "/bin"}) {
        std::string path = std::string(dir) + "/" + name;
        if (Executable(path)) return path;
    }
    return {};
}

std::string SystemServerBin() {
    for (const char* dir : kServerBinCandidates) {
        if (fs::exists(std::string(dir) + "/daemon/cups-exec")) return dir;
    }
    return {};
}

bool WriteFile(const std::string& path, const std::string& text, mode_t mode) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!(out << text)) return false;
    }
    return ::chmod(path.c_str(), mode) == 0;
}

std::string ReadTail(const std::string& path, std::size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::stringstream text;
    text << in.rdbuf();
    std::string all = text.str();
    return all.size() > maxBytes ? all.substr(all.size() - maxBytes) : all;
}

// A free loopback port: bound and released again, so cupsd can take it right after.
int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
}

bool SocketAnswers(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    const bool answered = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return answered;
}

// The environment of this process with the client settings pointed at `server`.
std::vector<std::string> ClientEnvironment(const std::string& server) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        if (text.starts_with("CUPS_SERVER=") || text.starts_with("IPP_PORT=")) continue;
        env.emplace_back(text);
    }
    env.push_back("CUPS_SERVER=" + server);
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Waits for `pid` at most `timeoutMs`; kills it when it does not end in time.
bool WaitBounded(pid_t pid, int timeoutMs, int& status) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) return true;
        if (done < 0 && errno != EINTR) return false;
        if (Clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};

std::string UsbBackendScript(const std::string& captureDir) {
    return "#!/bin/sh\n"
           "# Stand-in for the usb backend. Serials starting with \"absent-\" behave as a printer\n"
           "# that is not plugged in (the job waits); any other serial receives the job's bytes\n"
           "# in " + captureDir + "/SERIAL.prn.\n"
           "[ $# -eq 0 ] && exit 0\n"
           "serial=${DEVICE_URI##*serial=}\n"
           "case \"$serial\" in\n"
           "  ''|*/*) echo 'ERROR: bad serial' >&2; exit 1 ;;\n"
           "  absent-*)\n"
           "    echo 'STATE: +offline-report' >&2\n"
           "    echo 'INFO: Waiting for printer to become available.' >&2\n"
           "    exec sleep infinity ;;\n"
           "esac\n"
           "out=\"" + captureDir + "/$serial\"\n"
           "if [ $# -ge 6 ]; then cat -- \"$6\" > \"$out.part\" || exit 1\n"
           "else cat > \"$out.part\" || exit 1; fi\n"
           "mv -f \"$out.part\" \"$out.prn\"\n";
}

}  // namespace

PrivateCupsdFiles SourceTreeCupsdFiles() {
    return {ZT40_SOURCE_DIR "/res/cups/velmora-zt40.ppd", ZT40_SOURCE_DIR "/res/cups/zt40-passthrough"};
}

bool PrivateCupsd::Installed() {
    return !FindProgram("cupsd").empty() && !FindProgram("lpadmin").empty() && !SystemServerBin().empty();
}

std::unique_ptr<PrivateCupsd> PrivateCupsd::Start(const PrivateCupsdFiles& files, std::string& error) {
    auto server = std::make_unique<PrivateCupsd>(Key{});
    if (!server->Launch(files, error)) return nullptr;
    return server;
}

bool PrivateCupsd::Launch(const PrivateCupsdFiles& files, std::string& error) {
    const std::string cupsd = FindProgram("cupsd");
    const std::string systemBin = SystemServerBin();
    if (cupsd.empty() || systemBin.empty()) {
        error = "cupsd is not installed";
        return false;
    }
    std::string pattern = (fs::temp_directory_path() / "zt40-cupsd-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = std::string("mkdtemp: ") + std::strerror(errno);
        return false;
    }
    m_dir = pattern;
    // The filter runs as the unprivileged User and must reach its program through this directory.
    ::chmod(m_dir.c_str(), 0755);
    m_socket = m_dir + "/cups.sock";
    m_port = FreeLoopbackPort();

    std::error_code ec;
    for (const char* sub : {"conf", "bin", "bin/backend", "bin/filter", "bin/daemon", "data", "spool", "spool/tmp", "cache",
                            "state", "log", "capture"}) {
        fs::create_directories(m_dir + "/" + sub, ec);
        if (ec) {
            error = "cannot create " + m_dir + "/" + sub + ": " + ec.message();
            return false;
        }
    }
    // Links to the system's programs, except the usb backend and our filter, which are ours.
    for (const char* sub : {"backend", "filter", "daemon", "notifier", "monitor", "driver", "cgi-bin"}) {
        const fs::path from = fs::path(systemBin) / sub;
        if (!fs::is_directory(from, ec)) continue;
        fs::create_directories(m_dir + "/bin/" + sub, ec);
        for (const auto& entry : fs::directory_iterator(from, ec)) {
            const std::string name = entry.path().filename().string();
            if ((std::string_view(sub) == "backend" && name == "usb") ||
                (std::string_view(sub) == "filter" && name == "zt40-passthrough")) {
                continue;
            }
            fs::create_symlink(entry.path(), fs::path(m_dir) / "bin" / sub / name, ec);
        }
    }
    for (const auto& entry : fs::directory_iterator(kSystemDataDir, ec)) {
        fs::create_symlink(entry.path(), fs::path(m_dir) / "data" / entry.path().filename(), ec);
    }
    // cupsd refuses filters that others may write and runs 0700 backends as root.
    const std::string filter = m_dir + "/bin/filter/zt40-passthrough";
    if (!fs::copy_file(files.filter, filter, fs::copy_options::overwrite_existing, ec) ||
        ::chmod(filter.c_str(), 0755) != 0) {
        error = "cannot install the filter " + files.filter + ": " + ec.message();
        return false;
    }
    if (!WriteFile(m_dir + "/bin/backend/usb", UsbBackendScript(m_dir + "/capture"), 0700)) {
        error = "cannot write the usb backend";
        return false;
    }

    const bool haveLpGroup = ::getgrnam("lp") != nullptr;
    std::ostringstream filesConf;
    filesConf << "ServerRoot " << m_dir << "/conf\n"
              << "ServerBin " << m_dir << "/bin\n"
              << "DataDir " << m_dir << "/data\n"
              << "DocumentRoot " << m_dir << "/data\n"
              << "RequestRoot " << m_dir << "/spool\n"
              << "TempDir " << m_dir << "/spool/tmp\n"
              << "CacheDir " << m_dir << "/cache\n"
              << "StateDir " << m_dir << "/state\n"
              << "AccessLog " << m_dir << "/log/access_log\n"
              << "ErrorLog " << m_dir << "/log/error_log\n"
              << "PageLog " << m_dir << "/log/page_log\n"
              << "Printcap " << m_dir << "/state/printcap\n"
              << "FileDevice Yes\n"
              << "SystemGroup root\n"
              // cupsd will not run programs as root through User; "lp" is what it falls back to.
              << "User lp\n"
              << (haveLpGroup ? "Group lp\n" : "");
    std::ostringstream cupsdConf;
    cupsdConf << "LogLevel warn\n"
              << "AccessLogLevel all\n"
              << "Listen " << m_socket << "\n"
              << "Listen 127.0.0.1:" << m_port << "\n"
              << "Browsing No\n"
              << "WebInterface No\n"
              << "DefaultShared No\n"
              << "ErrorPolicy abort-job\n"
              << "PreserveJobHistory Yes\n"
              << "PreserveJobFiles No\n"
              << "DefaultAuthType None\n"
              << "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
              << "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    if (!WriteFile(m_dir + "/cups-files.conf", filesConf.str(), 0644) ||
        !WriteFile(m_dir + "/cupsd.conf", cupsdConf.str(), 0644)) {
        error = "cannot write the configuration";
        return false;
    }

    m_cupsd = cupsd;
    if (!Spawn(error)) return false;

    // From here on this process's libcups and the tools it starts talk to the private server.
    if (const char* previous = std::getenv("CUPS_SERVER")) {
        m_hadServer = true;
        m_previousServer = previous;
    }
    ::setenv("CUPS_SERVER", m_socket.c_str(), 1);
    cupsSetServer(m_socket.c_str());
    m_clientPointed = true;
    return true;
}

bool PrivateCupsd::Restart(std::string& error) {
    Stop();
    return Spawn(error);
}

bool PrivateCupsd::Spawn(std::string& error) {
    const std::string& cupsd = m_cupsd;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string outPath = m_dir + "/log/cupsd.out";
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<std::string> args = {cupsd, "-f", "-c", m_dir + "/cupsd.conf", "-s", m_dir + "/cups-files.conf"};
    auto env = ClientEnvironment(m_socket);
    const int spawned = posix_spawn(&m_pid, cupsd.c_str(), &actions, &attributes, Pointers(args).data(),
                                    Pointers(env).data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        m_pid = -1;
        error = std::string("cannot start cupsd: ") + std::strerror(spawned);
        return false;
    }

    const auto deadline = Clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (!SocketAnswers(m_socket)) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            std::string check;
            RunTool({cupsd, "-t", "-c", m_dir + "/cupsd.conf", "-s", m_dir + "/cups-files.conf"}, &check);
            error = "cupsd exited at start:\n" + check + ErrorLogTail();
            return false;
        }
        if (Clock::now() >= deadline) {
            error = "cupsd did not answer within " + std::to_string(kStartTimeoutMs) + " ms:\n" + ErrorLogTail();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

PrivateCupsd::~PrivateCupsd() {
    Stop();
    if (m_clientPointed) {
        if (m_hadServer) {
            ::setenv("CUPS_SERVER", m_previousServer.c_str(), 1);
        } else {
            ::unsetenv("CUPS_SERVER");
        }
        cupsSetServer(nullptr);
    }
    if (!m_dir.empty() && std::getenv("ZT40_KEEP_CUPSD") == nullptr) {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
}

void PrivateCupsd::Suspend() {
    if (m_pid > 0 && !m_suspended && ::kill(m_pid, SIGSTOP) == 0) m_suspended = true;
}

void PrivateCupsd::Resume() {
    if (m_pid > 0 && m_suspended && ::kill(m_pid, SIGCONT) == 0) m_suspended = false;
}

void PrivateCupsd::Stop() {
    if (m_pid <= 0) return;
    Resume();
    ::kill(m_pid, SIGTERM);
    int status = 0;
    WaitBounded(m_pid, kStopTimeoutMs, status);
    // Whatever cupsd left behind (a backend waiting for an absent printer) is in its group.
    ::kill(-m_pid, SIGKILL);
    m_pid = -1;
}

int PrivateCupsd::ToolExitStatus(const std::vector<std::string>& argv, std::string* output, int timeoutMs) const {
    if (argv.empty()) return -1;
    const std::string program = argv.front().find('/') != std::string::npos ? argv.front() : FindProgram(argv.front());
    if (program.empty()) {
        if (output != nullptr) *output = argv.front() + ": not installed";
        return -1;
    }
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    auto args = argv;
    auto env = ClientEnvironment(m_socket);
    pid_t pid = -1;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, Pointers(args).data(), Pointers(env).data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        if (output != nullptr) *output = std::string("cannot start ") + program + ": " + std::strerror(spawned);
        return -1;
    }
    std::string text;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) break;
        pollfd poller{pipeFds[0], POLLIN, 0};
        if (::poll(&poller, 1, static_cast<int>(left)) <= 0) break;
        char buffer[4096];
        const ssize_t got = ::read(pipeFds[0], buffer, sizeof(buffer));
        if (got <= 0) break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeFds[0]);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    int status = 0;
    const bool ended = WaitBounded(pid, static_cast<int>(std::max<long long>(left, 1)), status);
    if (output != nullptr) *output = text;
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool PrivateCupsd::AddQueue(const std::string& name, const std::string& deviceUri, std::string& error,
                            bool withDriver) {
    RunTool({"lpadmin", "-x", name});  // absent queues make this fail, which is fine
    std::vector<std::string> args = {"lpadmin", "-p", name, "-E", "-v", deviceUri};
    if (withDriver) {
        args.push_back("-P");
        args.push_back(SourceTreeCupsdFiles().ppd);
    }
    std::string output;
    if (!RunTool(args, &output)) {
        error = "lpadmin " + name + " failed: " + output;
        return false;
    }
    return true;
}

std::string PrivateCupsd::CapturingUsbUri(const std::string& serial) { return kUsbPrefix + serial; }

std::string PrivateCupsd::AbsentUsbUri(const std::string& serial) {
    return std::string(kUsbPrefix) + kAbsentSerialPrefix + serial;
}

std::string PrivateCupsd::CapturePath(const std::string& serial) const { return m_dir + "/capture/" + serial + ".prn"; }

namespace {

// One attribute of a job, asked for on a connection of its own.
template <typename Read>
auto AskJob(const std::string& socket, int port, int jobId, const char* attribute, Read read) -> decltype(read(nullptr)) {
    std::unique_ptr<http_t, HttpCloser> http(
        httpConnect2(socket.c_str(), port, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, kIppTimeoutMs, nullptr));
    if (!http) return read(nullptr);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", 0, "/jobs/%d", jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, attribute);
    std::unique_ptr<ipp_t, IppDeleter> response(cupsDoRequest(http.get(), request, "/"));
    if (!response) return read(nullptr);
    return read(ippFindAttribute(response.get(), attribute, IPP_TAG_ZERO));
}

}  // namespace

int PrivateCupsd::JobState(int jobId) const {
    return AskJob(m_socket, m_port, jobId, "job-state",
                  [](ipp_attribute_t* state) { return state != nullptr ? ippGetInteger(state, 0) : 0; });
}

std::string PrivateCupsd::JobName(int jobId) const {
    return AskJob(m_socket, m_port, jobId, "job-name", [](ipp_attribute_t* name) {
        const char* text = name != nullptr ? ippGetString(name, 0, nullptr) : nullptr;
        return std::string(text != nullptr ? text : "");
    });
}

bool PrivateCupsd::WaitForJobState(int jobId, const std::function<bool(int)>& done, int timeoutMs) const {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (done(JobState(jobId))) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

int PrivateCupsd::PendingJobCount(const std::string& queue) const {
    std::unique_ptr<http_t, HttpCloser> http(
        httpConnect2(m_socket.c_str(), m_port, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, kIppTimeoutMs, nullptr));
    if (!http) return -1;
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "not-completed");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "job-id");
    std::unique_ptr<ipp_t, IppDeleter> response(cupsDoRequest(http.get(), request, "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_EVENTS_COMPLETE) return -1;
    int count = 0;
    for (ipp_attribute_t* a = ippFirstAttribute(response.get()); a != nullptr; a = ippNextAttribute(response.get())) {
        const char* name = ippGetName(a);
        if (name != nullptr && std::string_view(name) == "job-id") ++count;
    }
    return count;
}

bool PrivateCupsd::WaitUntilIdle(const std::string& queue, int timeoutMs) const {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (PendingJobCount(queue) == 0) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string PrivateCupsd::ErrorLogTail() const {
    return ReadTail(m_dir + "/log/error_log", 3000) + ReadTail(m_dir + "/log/cupsd.out", 2000);
}

}  // namespace zt40::testing
