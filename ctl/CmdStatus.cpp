// zt40ctl status: the printer's status word and both data groups, one item a line.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/HeadData.h"
#include "ctl/Command.h"
#include "ctl/QueueText.h"
#include "ctl/StdioMessageBox.h"

namespace zt40::ctl {

namespace {

// A script wants an answer soon; the window's longer bound is for an operator who waits.
constexpr std::uint32_t kReadyWaitMs = 5000;

int Fail(const std::string& message) {
    std::fprintf(stderr, "zt40ctl: %s\n", message.c_str());
    return 1;
}

template <typename Value, std::size_t N>
std::string Joined(const std::array<Value, N>& values) {
    std::string text;
    for (const Value value : values) {
        if (!text.empty()) text += ' ';
        text += std::to_string(value);
    }
    return text;
}

const char* Readiness(std::uint16_t status) {
    if (status == kStatusUnknown) return "no answer";
    return IsReady(status, ReadyRule::LowBitsAreOne) ? "ready" : "not ready";
}

std::string Describe(const HeadReadResult& failed) {
    switch (failed.failed) {
    case HeadItem::None: return {};
    case HeadItem::WordPair: return "word pair";
    case HeadItem::SelectedPin: return "selected pin";
    case HeadItem::PinAdjustments: return "pin adjustments";
    case HeadItem::TotalCounter: return "total counter";
    case HeadItem::PinCounter: return "counter of pin " + std::to_string(failed.pin);
    case HeadItem::HeadCounters: return "head counters";
    }
    return {};
}

int RunStatus(const GlobalOptions& options, const std::vector<std::string>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "zt40ctl: status takes no arguments\n");
        return 2;
    }
    StdioMessageBox messages;
    auto wired = WirePlatform(options, messages);
    if (!wired.wiring) {
        // Errors of the simulation file name the file and line, as a compiler's do.
        std::fprintf(stderr, "%s%s%s", wired.exitStatus == 2 ? "" : "zt40ctl: ", wired.error.c_str(),
                     wired.error.ends_with('\n') ? "" : "\n");
        return wired.exitStatus;
    }
    PlatformWiring& wiring = *wired.wiring;
    std::string queueName = options.queue.value_or("");
    if (!options.device) {
        const auto choice = ChooseQueue(wiring.Spooler(), options.queue);
        if (choice.status != QueueChoiceStatus::Chosen) return Fail(QueueChoiceText(choice.status));
        queueName = choice.name;
    }

    CHeadDevice device(wiring.Platform());
    if (!OpenThroughQueue(device, queueName)) {
        const std::string hint = wiring.AccessReport().Hint();
        return Fail("cannot open the printer of queue \"" + queueName + "\"" + (hint.empty() ? "" : ": " + hint));
    }

    const std::uint16_t status =
        WaitForReady(device, wiring.Clock(), SleepPause, ReadyRule::LowBitsAreOne, kReadyWaitMs);
    if (status == kStatusUnknown) return Fail("the printer does not answer the status query");
    std::printf("status: 0x%04X (%s)\n", status, Readiness(status));
    if (!IsReady(status, ReadyRule::LowBitsAreOne)) {
        std::fflush(stdout);
        return Fail("the printer did not become ready within " + std::to_string(kReadyWaitMs / 1000) + " s");
    }

    PinSettings settings;
    UsageCounters counters;
    if (const auto read = ReadHeadGroups(device, settings, counters); !read.Ok()) {
        std::fflush(stdout);
        return Fail("the printer did not answer the read of the " + Describe(read));
    }
    std::printf("word pair: %s\n", Joined(settings.WordPair).c_str());
    std::printf("selected pin: %d\n", settings.SelectedPin);
    std::printf("adjustments: %s\n", Joined(settings.PinAdjustments).c_str());
    std::printf("total: %d\n", counters.TotalCounter);
    std::printf("pin counters: %s\n", Joined(counters.PinCounter).c_str());
    std::printf("head counters: %s\n", Joined(counters.HeadCounters).c_str());
    return 0;
}

const RegisterCommand kStatus{Command{
    "status",
    "status              print the status word, the pin settings and the usage counters",
    RunStatus,
}};

}  // namespace

}  // namespace zt40::ctl
