#include <windows.h>

#include <atomic>

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

}  // namespace zt40
