// zt40ctl status: the printer's status word and both data groups, one item a line.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/HeadData.h"
#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/Json.h"
#include "ctl/QueueText.h"
#include "ctl/StdioMessageBox.h"
#include "platform/TextOutput.h"

namespace zt40::ctl {

namespace {

// A script wants an answer soon; the window's longer bound is for an operator who waits.
constexpr std::uint32_t kReadyWaitMs = 5000;

int Fail(const std::string& message, int exitStatus = kExitNoAnswer) {
    std::fprintf(stderr, "zt40ctl: %s\n", EscapeForTerminal(message).c_str());
    return exitStatus;
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

template <typename Value, std::size_t N>
std::string JsonNumbers(const std::array<Value, N>& values) {
    return JsonArray(values, [](Value value) { return std::to_string(value); });
}

void PrintJson(const std::string& queueName, std::uint16_t status, const PinSettings& settings,
               const UsageCounters& counters) {
    const std::string text = JsonObject()
                                 .Text("queue", queueName)
                                 .Number("status", status)
                                 .Bool("ready", true)
                                 .Raw("wordPair", JsonNumbers(settings.WordPair))
                                 .Number("selectedPin", settings.SelectedPin)
                                 .Raw("adjustments", JsonNumbers(settings.PinAdjustments))
                                 .Number("total", counters.TotalCounter)
                                 .Raw("pinCounters", JsonNumbers(counters.PinCounter))
                                 .Raw("headCounters", JsonNumbers(counters.HeadCounters))
                                 .End();
    std::printf("%s\n", text.c_str());
}

int RunStatus(const GlobalOptions& options, const std::vector<std::string>& args) {
    const bool json = args.size() == 1 && args[0] == "--json";
    if (!args.empty() && !json) {
        std::fprintf(stderr, "zt40ctl: status takes no arguments but --json\n");
        return kExitBadArguments;
    }
    StdioMessageBox messages;
    auto wired = WirePlatform(options, messages);
    if (!wired.wiring) return WiringFailed(wired);
    PlatformWiring& wiring = *wired.wiring;
    std::string queueName = options.queue.value_or("");
    if (!options.device) {
        int status = kExitOk;
        const auto chosen = ChooseQueueOrSay(wiring.Spooler(), options.queue, nullptr, status);
        if (!chosen) return status;
        queueName = *chosen;
    }

    CHeadDevice device(wiring.Platform());
    if (!OpenThroughQueue(device, queueName)) {
        const auto& access = wiring.AccessReport();
        const std::string hint(access.Hint());
        const std::string what = options.device ? "the USB device " + *options.device
                                                : "the printer of queue \"" + queueName + "\"";
        return Fail("cannot open " + what + (hint.empty() ? "" : ": " + hint), ExitStatusOf(access.Last()));
    }

    const std::uint16_t status =
        WaitForReady(device, wiring.Clock(), SleepPause, ReadyRule::LowBitsAreOne, kReadyWaitMs);
    if (status == kStatusUnknown) {
        // A printer in an error state answers, with its error code in place of the reply.
        if (const auto state = device.LastReplyState(); state && *state != 0) {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(*state));
            return Fail(std::string("the printer answered the status query with error state ") + code);
        }
        return Fail("the printer does not answer the status query");
    }
    if (!json) std::printf("status: 0x%04X (%s)\n", status, Readiness(status));
    if (!IsReady(status, ReadyRule::LowBitsAreOne)) {
        std::fflush(stdout);
        char word[8];
        std::snprintf(word, sizeof word, "0x%04X", static_cast<unsigned>(status));
        return Fail(std::string("the printer answers status ") + word + " and did not become ready within " +
                    std::to_string(kReadyWaitMs / 1000) + " s");
    }

    PinSettings settings;
    UsageCounters counters;
    if (const auto read = ReadHeadGroups(device, settings, counters); !read.Ok()) {
        std::fflush(stdout);
        return Fail("the printer did not answer the read of the " + Describe(read));
    }
    if (json) {
        PrintJson(queueName, status, settings, counters);
        return kExitOk;
    }
    std::printf("word pair: %s\n", Joined(settings.WordPair).c_str());
    std::printf("selected pin: %d\n", settings.SelectedPin);
    std::printf("adjustments: %s\n", Joined(settings.PinAdjustments).c_str());
    std::printf("total: %d\n", counters.TotalCounter);
    std::printf("pin counters: %s\n", Joined(counters.PinCounter).c_str());
    std::printf("head counters: %s\n", Joined(counters.HeadCounters).c_str());
    return kExitOk;
}

const RegisterCommand kStatus({"status", "status [--json]     print the status word, the pin settings and the usage counters",
                               RunStatus});

}  // namespace

}  // namespace zt40::ctl
