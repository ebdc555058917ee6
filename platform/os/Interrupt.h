#pragma once
// The operator's interrupt (Ctrl-C, a request to end the program, the terminal closing) taken as
// a request to cancel, for as long as a guard lives, and the console read it must be able to end.
#include <cstddef>
#include <span>

namespace zt40 {

class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    // True once an interrupt came while a guard lived.
    static bool Interrupted();
};

// Reads what standard input holds into `into`: the count (> 0); 0 at the end of input or on a
// failure that reading again would not mend; a negative value when nothing came this time (an
// interrupt, or a wait of a tenth of a second that ran out), after which the caller asks
// Interrupted() and reads again.
std::ptrdiff_t ReadSomeOfStandardInput(std::span<char> into);

}  // namespace zt40
