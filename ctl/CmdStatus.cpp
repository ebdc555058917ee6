// zt40ctl status: the printer's status word and both data groups, one item a line.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/GroupText.h"
#include "ctl/Json.h"
#include "ctl/QueueText.h"
#include "ctl/StdioMessageBox.h"
#include "platform/TextOutput.h"
#include "record/CounterSamples.h"
#include "session/PrinterSession.h"
#include "wiring/RecordWiring.h"

namespace zt40::ctl {

namespace {

// A script wants an answer soon; the window's longer bound is for an operator who waits.
constexpr std::uint32_t kReadyWaitMs = 5000;

int Fail(const std::string& message, int exitStatus = kExitNoAnswer) {
    std::fprintf(stderr, "zt40ctl: %s\n", EscapeForTerminal(message).c_str());
    return exitStatus;
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
    PrinterSession session(wiring.Platform(), SleepPause, &wiring.AccessReport(), options.queue);
    // --device names the device itself: no queue is chosen, the named one (if any) is only its name.
    ConnectOutcome connected;
    if (options.device) {
        connected = session.Open(options.queue.value_or(""))
                        ? session.WaitForReady(kReadyWaitMs, ReadyRule::LowBitsAreOne)
                        : ConnectOutcome{ConnectEnd::OpenFailed, options.queue.value_or(""), {}};
    } else {
        connected = session.Connect(kReadyWaitMs);
    }
    if (const auto exitStatus = SayQueueNotChosen(connected.end, options.queue, nullptr)) return *exitStatus;
    const std::string& queueName = connected.queueName;
    const std::uint16_t status = connected.status.Raw();
    switch (connected.end) {
    case ConnectEnd::OpenFailed: {
        const auto& access = wiring.AccessReport();
        const std::string hint(access.Hint());
        const std::string what = options.device ? "the USB device " + *options.device
                                                : "the printer of queue \"" + queueName + "\"";
        return Fail("cannot open " + what + (hint.empty() ? "" : ": " + hint), ExitStatusOf(access.Last()));
    }
    case ConnectEnd::NoAnswer:
    case ConnectEnd::Cancelled:
        // A printer in an error state answers, with its error code in place of the reply.
        if (const auto code = connected.status.ErrorCode()) {
            char text[8];
            std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(*code));
            return Fail(std::string("the printer answered the status query with error state ") + text);
        }
        return Fail("the printer does not answer the status query");
    case ConnectEnd::SpoolerUnreachable:
    case ConnectEnd::SpoolerNotAnswering:
    case ConnectEnd::NoUsableQueue:
    case ConnectEnd::NoSuchQueue:  // said above
    case ConnectEnd::NotReady:
    case ConnectEnd::Ready:
        break;
    }
    const bool ready = connected.end == ConnectEnd::Ready;
    if (!json) std::printf("status: 0x%04X (%s)\n", status, ready ? "ready" : "not ready");
    if (!ready) {
        std::fflush(stdout);
        char word[8];
        std::snprintf(word, sizeof word, "0x%04X", static_cast<unsigned>(status));
        return Fail(std::string("the printer answers status ") + word + " and did not become ready within " +
                    std::to_string(kReadyWaitMs / 1000) + " s");
    }

    PinSettings settings;
    UsageCounters counters;
    if (const auto read = session.Groups().ReadBoth(settings, counters); !read.Ok()) {
        std::fflush(stdout);
        return Fail("the printer did not answer the read of the " + Describe(read));
    }
    // A sample that cannot be kept costs the forecast a day, never the status its answer.
    const RecordWiring records{std::string(kRecordApplicationName)};
    AppendTodaysSample(records.Platform(), session.PrinterName(), counters);
    if (json) {
        PrintJson(queueName, status, settings, counters);
        return kExitOk;
    }
    std::printf("%s%s", PinSettingsLines(settings).c_str(), UsageCountersLines(counters).c_str());
    return kExitOk;
}

const RegisterCommand kStatus({"status", "status [--json]     print the status word, the pin settings and the usage counters",
                               RunStatus});

}  // namespace

}  // namespace zt40::ctl
