#include "platform/linux/CupsConnection.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>

namespace zt40 {

namespace {

// Called when a read or write has waited kCupsIoTimeoutSeconds: give up rather than wait on.
int GiveUp(http_t*, void*) { return 0; }

}  // namespace

CupsConnection::CupsConnection(std::string server) : m_server(std::move(server)) {}

http_t* CupsConnection::Get(std::string& error) {
    if (m_http) return m_http.get();
    const std::string host = m_server.empty() ? std::string(cupsServer()) : m_server;
    errno = 0;
    m_http.reset(httpConnect2(host.c_str(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              kCupsConnectTimeoutMs, nullptr));
    if (!m_http) {
        const int code = errno;
        error = "Unable to connect to the print server " + host;
        // libcups closes what it opened before returning, so only a connect failure's own code
        // says something about the server.
        const bool telling = code == ECONNREFUSED || code == ENOENT || code == ETIMEDOUT || code == EACCES ||
                             code == EHOSTUNREACH || code == ENETUNREACH || code == ECONNRESET;
        error += telling ? std::string(": ") + std::strerror(code) : std::string(".");
        return nullptr;
    }
    httpSetTimeout(m_http.get(), kCupsIoTimeoutSeconds, GiveUp, nullptr);
    return m_http.get();
}

std::string CupsErrorText(const char* fallback) {
    const char* text = cupsLastErrorString();
    if (text != nullptr && *text != '\0') return text;
    return fallback;
}

}  // namespace zt40
