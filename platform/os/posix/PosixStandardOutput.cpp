#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/os/StandardOutput.h"

namespace zt40 {

namespace {

int g_outputError = 0;

ssize_t WriteOutput(void*, const char* data, std::size_t size) {
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(STDOUT_FILENO, data + written, size - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (g_outputError == 0) g_outputError = n < 0 ? errno : EIO;
            return written > 0 ? static_cast<ssize_t>(written) : -1;
        }
        written += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(written);
}

}  // namespace

bool StandardOutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

// Bytes pass unchanged already.
bool WriteStandardOutputUnchanged() { return true; }

// Through a cookie stream the reason (a full disk, a broken pipe's EPIPE) is kept.
void RecordStandardOutputErrors() {
    FILE* out = fopencookie(nullptr, "w", cookie_io_functions_t{nullptr, WriteOutput, nullptr, nullptr});
    if (!out) return;  // then a failure is still seen, only not why
    if (::isatty(STDOUT_FILENO)) std::setvbuf(out, nullptr, _IOLBF, BUFSIZ);
    stdout = out;
}

int StandardOutputErrno() { return g_outputError; }

}  // namespace zt40
