#include <io.h>
#include <windows.h>

#include <atomic>
#include <climits>
#include <cstdio>

#include "platform/os/Interrupt.h"

namespace zt40 {

namespace {

std::atomic<bool> g_interrupted{false};

// Runs on a thread of its own that the console starts; the reader sees the flag after its read
// returns.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        g_interrupted = true;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

InterruptGuard::InterruptGuard() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

InterruptGuard::~InterruptGuard() { SetConsoleCtrlHandler(OnConsoleEvent, FALSE); }

bool InterruptGuard::Interrupted() { return g_interrupted; }

// Through the C library, whose text mode makes the console's line ends plain line feeds, even
// when one read ends between the two. A console read waits for a whole line; Ctrl-C ends it with
// nothing read, and the handler's flag tells that from the end of input.
std::ptrdiff_t ReadSomeOfStandardInput(std::span<char> into) {
    const unsigned size = into.size() > INT_MAX ? INT_MAX : static_cast<unsigned>(into.size());
    const int got = _read(_fileno(stdin), into.data(), size);
    if (got > 0) return got;
    if (InterruptGuard::Interrupted()) return -1;
    return 0;
}

}  // namespace zt40
