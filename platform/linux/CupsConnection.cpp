#include "platform/linux/CupsConnection.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <sys/socket.h>

namespace zt40 {

namespace {

// The shortest connect attempt: a call that has spent its budget still gets to find out
// whether the server is there at all.
constexpr std::chrono::milliseconds kMinimumConnectTime{100};

// "host:port" as CUPS_SERVER writes it ("[::1]:631" too); a host alone, or a socket path, is
// on libcups' port.
std::pair<std::string, int> HostAndPort(const std::string& server) {
    const std::size_t colon = server.rfind(':');
    if (server.starts_with('/') || colon == std::string::npos || colon == 0) return {server, ippPort()};
    const std::string digits = server.substr(colon + 1);
    const bool onePort = server.find(':') == colon || server[colon - 1] == ']';
    const bool number = !digits.empty() && digits.size() <= 5 &&
                        std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; });
    if (!onePort || !number) return {server, ippPort()};
    return {server.substr(0, colon), std::stoi(digits)};
}

}  // namespace

int CupsConnection::KeepWaiting(http_t*, void* connection) {
    return std::chrono::steady_clock::now() < static_cast<const CupsConnection*>(connection)->m_deadline ? 1 : 0;
}

CupsConnection::CupsConnection(std::string server) : m_server(std::move(server)) {}

http_t* CupsConnection::Get(std::string& error) {
    if (m_http) return m_http.get();
    const auto [host, port] = m_server.empty() ? std::pair<std::string, int>(cupsServer(), ippPort()) : HostAndPort(m_server);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - std::chrono::steady_clock::now());
    const auto connectTime = std::max(left, kMinimumConnectTime);
    errno = 0;
    m_http.reset(httpConnect2(host.c_str(), port, nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              static_cast<int>(connectTime.count()), nullptr));
    if (!m_http) {
        const int code = errno;
        error = "Unable to connect to the print server " + (m_server.empty() ? host : m_server);
        // libcups closes what it opened before returning, so only a connect failure's own code
        // says something about the server.
        const bool telling = code == ECONNREFUSED || code == ENOENT || code == ETIMEDOUT || code == EACCES ||
                             code == EHOSTUNREACH || code == ENETUNREACH || code == ECONNRESET;
        error += telling ? std::string(": ") + std::strerror(code) : std::string(".");
        return nullptr;
    }
    // Also the socket's send and receive time-outs: a blocking send into a full socket
    // returns after one slice too.
    httpSetTimeout(m_http.get(), kCupsWaitSliceSeconds, KeepWaiting, this);
    return m_http.get();
}

std::string CupsErrorText(const char* fallback) {
    const char* text = cupsLastErrorString();
    if (text != nullptr && *text != '\0') return text;
    return fallback;
}

}  // namespace zt40
