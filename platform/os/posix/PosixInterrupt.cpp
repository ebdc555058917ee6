#include <signal.h>

#include "platform/os/Interrupt.h"

namespace zt40 {

namespace {

volatile sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) { g_interrupted = 1; }

struct sigaction g_previous {};
struct sigaction g_previousTerm {};

}  // namespace

// No restart flag: the blocking read returns at once.
InterruptGuard::InterruptGuard() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, &g_previous);
    sigaction(SIGTERM, &action, &g_previousTerm);
}

InterruptGuard::~InterruptGuard() {
    sigaction(SIGINT, &g_previous, nullptr);
    sigaction(SIGTERM, &g_previousTerm, nullptr);
}

bool InterruptGuard::Interrupted() { return g_interrupted != 0; }

}  // namespace zt40
