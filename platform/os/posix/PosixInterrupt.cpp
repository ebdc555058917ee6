#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/os/Interrupt.h"

namespace zt40 {

namespace {

volatile sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) { g_interrupted = 1; }

// SIGHUP: the terminal closed.
constexpr std::array kCancelSignals{SIGINT, SIGTERM, SIGHUP};

std::array<struct sigaction, kCancelSignals.size()> g_previous{};
struct sigaction g_previousPipe {};

// How long one wait for input lasts before the flag is asked again: a signal that comes just
// before the wait begins is then noticed this late at most.
constexpr int kInputWaitMs = 100;

}  // namespace

// No restart flag: a wait for input returns at once.
InterruptGuard::InterruptGuard() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    for (std::size_t i = 0; i < kCancelSignals.size(); ++i) sigaction(kCancelSignals[i], &action, &g_previous[i]);
    // A closed terminal often takes the reader of a pipe with it (`| tee log`): the run's last
    // lines must fail as writes, not end the program before it has put the printer back.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, &g_previousPipe);
}

InterruptGuard::~InterruptGuard() {
    for (std::size_t i = 0; i < kCancelSignals.size(); ++i) sigaction(kCancelSignals[i], &g_previous[i], nullptr);
    sigaction(SIGPIPE, &g_previousPipe, nullptr);
}

bool InterruptGuard::Interrupted() { return g_interrupted != 0; }

std::ptrdiff_t ReadSomeOfStandardInput(std::span<char> into) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = ::poll(&input, 1, kInputWaitMs);
    if (ready < 0) return errno == EINTR ? -1 : 0;
    if (ready == 0) return -1;
    const ssize_t got = ::read(STDIN_FILENO, into.data(), into.size());
    if (got < 0) return errno == EINTR || errno == EAGAIN ? -1 : 0;
    return got;
}

}  // namespace zt40
