// zt40ctl status: the printer's status word and both data groups, one item a line.
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "ctl/Command.h"
#include "ctl/Wiring.h"

namespace zt40::ctl {

namespace {

constexpr std::uint32_t kReadyWaitMs = 5000;
constexpr auto kReadyPollPause = std::chrono::milliseconds(20);

struct PrinterReadout {
    std::array<std::uint16_t, 2> wordPair{};
    int selectedPin = -1;
    std::array<std::uint16_t, kPinCount> adjustments{};
    std::uint32_t total = 0;
    std::array<std::uint32_t, kPinCount> pinCounters{};
    std::array<std::uint16_t, 2> headCounters{};
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "zt40ctl: %s\n", message.c_str());
    return 1;
}

// Words the program treats as signed are shown signed, so odd values read as they are meant.
template <typename Signed, typename Raw, std::size_t N>
std::string Joined(const std::array<Raw, N>& values) {
    std::string text;
    for (const Raw value : values) {
        if (!text.empty()) text += ' ';
        text += std::to_string(static_cast<Signed>(value));
    }
    return text;
}

const char* Readiness(std::uint16_t status) {
    if (status == kStatusUnknown) return "no answer";
    return (status & 3) == 1 ? "ready" : "not ready";
}

// Polls until (status & 3) == 1; a status that cannot be read ends the wait at once.
std::uint16_t WaitUntilReady(CHeadDevice& device, IClock& clock) {
    const std::uint32_t start = clock.NowMs();
    for (;;) {
        const std::uint16_t status = device.GetStatus();
        if (status == kStatusUnknown || (status & 3) == 1) return status;
        if (clock.NowMs() - start > kReadyWaitMs) return status;
        std::this_thread::sleep_for(kReadyPollPause);
    }
}

// The name of the first read that failed, or an empty text when all succeeded.
std::string ReadAll(CHeadDevice& device, PrinterReadout& out) {
    if (!device.ReadWordPair(out.wordPair)) return "word pair";
    out.selectedPin = device.ReadSelectedPin();
    if (out.selectedPin < 0) return "selected pin";
    if (!device.ReadPinAdjustments(out.adjustments)) return "pin adjustments";
    if (!device.ReadTotalCounter(out.total)) return "total counter";
    for (std::size_t pin = 1; pin <= kPinCount; ++pin) {
        if (!device.ReadPinCounter(static_cast<std::uint8_t>(pin), out.pinCounters[pin - 1])) {
            return "counter of pin " + std::to_string(pin);
        }
    }
    if (!device.ReadHeadCounters(out.headCounters)) return "head counters";
    return {};
}

int RunStatus(const GlobalOptions& options, const std::vector<std::string>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "zt40ctl: status takes no arguments\n");
        return 2;
    }
    auto wired = WireDeviceLink(options);
    if (!wired.link) {
        std::fprintf(stderr, "%s%s", wired.error.c_str(), wired.error.ends_with('\n') ? "" : "\n");
        return wired.exitStatus;
    }
    DeviceLink& link = *wired.link;
    CHeadDevice& device = link.Device();
    if (!OpenDevice(link)) {
        const std::string hint(link.AccessHint());
        return Fail("cannot open the printer of queue \"" + link.QueueName() + "\"" + (hint.empty() ? "" : ": " + hint));
    }

    const std::uint16_t status = WaitUntilReady(device, link.Clock());
    if (status == kStatusUnknown) return Fail("the printer does not answer the status query");
    std::printf("status: 0x%04X (%s)\n", status, Readiness(status));
    if ((status & 3) != 1) {
        std::fflush(stdout);
        return Fail("the printer did not become ready within " + std::to_string(kReadyWaitMs / 1000) + " s");
    }

    PrinterReadout readout;
    if (const auto failed = ReadAll(device, readout); !failed.empty()) {
        std::fflush(stdout);
        return Fail("the printer did not answer the read of the " + failed);
    }
    std::printf("word pair: %s\n", Joined<std::int16_t>(readout.wordPair).c_str());
    std::printf("selected pin: %d\n", readout.selectedPin);
    std::printf("adjustments: %s\n", Joined<std::int16_t>(readout.adjustments).c_str());
    std::printf("total: %d\n", static_cast<std::int32_t>(readout.total));
    std::printf("pin counters: %s\n", Joined<std::int32_t>(readout.pinCounters).c_str());
    std::printf("head counters: %s\n", Joined<std::int16_t>(readout.headCounters).c_str());
    return 0;
}

const RegisterCommand kStatus{Command{
    "status",
    "status              print the status word, the pin settings and the usage counters",
    RunStatus,
}};

}  // namespace

}  // namespace zt40::ctl
