// Reads both data groups from the simulated ZT-40, as the main window does once the printer is
// ready, and prints what it costs: vendor requests, heap allocations and host CPU time. Then one
// command to a printer that stays busy for the whole time-out: the requests and CPU it takes.
//
//   build/bench/protocol_bench [rounds]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>

#include "platform/linux/SteadyClock.h"
#include "platform/sim/SimPrinterRig.h"
#include "session/PrinterSession.h"

namespace {

std::atomic<std::uint64_t> g_allocations{0};

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

class SilentBox : public zt40::IMessageBox {
public:
    zt40::MbResult Show(const zt40::Message&, zt40::MbButtons, zt40::MbIcon) override { return zt40::MbResult::Ok; }
};

// The fifteen commands that reading both groups takes, as the window's read makes them: the
// status, then both groups through the session's gateway; false if any failed.
bool ReadBothGroups(zt40::PrinterSession& session) {
    zt40::PinSettings settings;
    zt40::UsageCounters counters;
    const bool ready = session.ReadStatus().IsReady(zt40::ReadyRule::LowBitsAreOne);
    return session.Groups().ReadBoth(settings, counters).Ok() && ready;
}

}  // namespace

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// One status request that the printer never finishes, on the real clock.
bool MeasureBusyCommand() {
    zt40::SimPrinterRig rig;
    zt40::SteadyClock clock;
    SilentBox messages;
    zt40::CHeadDevice device(rig.Platform(clock, messages));
    if (!device.Open(rig.QueueName(), 0, 32)) return false;
    rig.Printer().Faults().neverFinish = true;
    auto& printer = rig.Printer();
    const auto requestsBefore = printer.SetsReceived() + printer.GetsReceived();
    const double wallStart = WallSeconds();
    const double cpuStart = CpuSeconds();
    const bool answered = device.GetStatus() != zt40::kStatusUnknown;
    const double cpu = CpuSeconds() - cpuStart;
    const double wall = WallSeconds() - wallStart;
    const auto requests = printer.SetsReceived() + printer.GetsReceived() - requestsBefore;
    std::printf("command busy for the whole time-out: %u vendor requests, %.3f s CPU in %.3f s\n", requests, cpu, wall);
    return !answered;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr int kCommandsPerRead = 15;
    const long rounds = argc > 1 ? std::max(1L, std::atol(argv[1])) : 20000;

    zt40::SimPrinterRig rig;
    zt40::SteadyClock clock;
    SilentBox messages;
    zt40::PrinterSession session(rig.Platform(clock, messages));
    if (!session.Open(rig.QueueName())) {
        std::fprintf(stderr, "protocol_bench: the simulated printer could not be opened\n");
        return 1;
    }

    auto& printer = rig.Printer();
    const auto requestsBefore = printer.SetsReceived() + printer.GetsReceived();
    const auto allocationsBefore = g_allocations.load();
    if (!ReadBothGroups(session)) {
        std::fprintf(stderr, "protocol_bench: a read failed\n");
        return 1;
    }
    const auto requests = printer.SetsReceived() + printer.GetsReceived() - requestsBefore;
    const auto allocations = g_allocations.load() - allocationsBefore;

    const double cpuStart = CpuSeconds();
    const auto allocationsLoopStart = g_allocations.load();
    for (long i = 0; i < rounds; ++i) {
        if (!ReadBothGroups(session)) {
            std::fprintf(stderr, "protocol_bench: a read failed in round %ld\n", i);
            return 1;
        }
    }
    const double cpu = CpuSeconds() - cpuStart;
    const auto loopAllocations = g_allocations.load() - allocationsLoopStart;
    const double transactions = static_cast<double>(rounds) * kCommandsPerRead;

    std::printf("commands per read of both groups:   %d\n", kCommandsPerRead);
    std::printf("vendor requests per read:           %u (printer answering at the first poll)\n", requests);
    std::printf("heap allocations per command:       %.3f (%llu in %ld reads after the first)\n",
                static_cast<double>(allocations + loopAllocations) / (transactions + kCommandsPerRead),
                static_cast<unsigned long long>(loopAllocations), rounds);
    std::printf("host CPU time per transaction:      %.0f ns (simulated channel, %ld reads)\n",
                cpu / transactions * 1e9, rounds);
    const bool quick = requests == 3 * kCommandsPerRead && allocations == 0 && loopAllocations == 0;
    return MeasureBusyCommand() && quick ? 0 : 1;
}
