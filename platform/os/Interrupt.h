#pragma once
// The operator's interrupt (Ctrl-C, or a request to end the program) taken as a request to
// cancel, for as long as a guard lives: a blocking console read returns instead of restarting.
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

}  // namespace zt40
