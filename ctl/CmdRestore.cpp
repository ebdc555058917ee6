// zt40ctl restore [--dry-run]: the window's "Restoration of setting" on the command line. The
// same maintenance frame runs it, on the same record file; --dry-run shows what it would write.
#include <cstdio>
#include <string>
#include <vector>

#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/QueueText.h"
#include "ctl/StdioMessageBox.h"
#include "platform/TextOutput.h"
#include "record/UsageRecordStore.h"
#include "session/MaintenanceFrame.h"
#include "session/PrinterSession.h"
#include "wiring/RecordWiring.h"

namespace zt40::ctl {

namespace {

constexpr const char* kUsage = "usage: zt40ctl [--simulate[=FILE]] [--queue NAME] restore [--dry-run]\n";
// As long as status waits for a printer: a script wants an answer soon.
constexpr std::uint32_t kReadyBoundMs = 5000;

// The restore's messages on the terminal: warnings and errors on standard error, the rest on
// standard output; OK is the answer.
class ConsoleMessages final : public IMessageBox {
public:
    MbResult Show(const Message& message, MbButtons, MbIcon icon) override {
        const bool trouble = icon == MbIcon::Warning || icon == MbIcon::Error;
        std::fprintf(trouble ? stderr : stdout, "%s%s\n", trouble ? "zt40ctl: " : "", message.English().c_str());
        return MbResult::Ok;
    }
};

int Fail(const std::string& text, int status) {
    std::fprintf(stderr, "zt40ctl: restore: %s\n", EscapeForTerminal(text).c_str());
    return status;
}

template <typename Value, std::size_t N>
void PrintValues(const char* name, const std::array<Value, N>& before, const std::array<Value, N>& after) {
    for (std::size_t i = 0; i < N; ++i) {
        const std::string label = std::string(name) + "[" + std::to_string(i + 1) + "]";
        std::printf("  %-18s %11lld -> %lld%s\n", label.c_str(), static_cast<long long>(before[i]),
                    static_cast<long long>(after[i]), before[i] == after[i] ? "" : "   *");
    }
}

void PrintValue(const char* name, long long before, long long after) {
    std::printf("  %-18s %11lld -> %lld%s\n", name, before, after, before == after ? "" : "   *");
}

void PrintPreview(const RestoreOutcome& outcome, const PinSettings& settings, const UsageCounters& counters,
                  const std::string& path) {
    if (!outcome.plan.needed) {
        std::printf("Both groups are in range: restore would write nothing.\n");
        return;
    }
    const std::string shown = EscapeForTerminal(path);
    const std::string source = outcome.basis == RestoreBasis::RecordUsed ? "the last usable record of " + shown
                               : outcome.basis == RestoreBasis::NoFile   ? "the defaults (no record file yet)"
                                                                         : "the defaults (no usable record in " + shown + ")";
    std::printf("Restore would write %s (values marked * change):\n", source.c_str());
    if (const auto& to = outcome.plan.settings) {
        std::printf("pin settings (out of range now):\n");
        PrintValues("word pair", settings.WordPair, to->WordPair);
        PrintValue("selected pin", settings.SelectedPin, to->SelectedPin);
        PrintValues("adjustment", settings.PinAdjustments, to->PinAdjustments);
        if (!IsValidPinSettings(*to)) std::printf("  (these values fail the range check: nothing would be written)\n");
    } else {
        std::printf("pin settings: in range, left as they are\n");
    }
    if (const auto& to = outcome.plan.counters) {
        std::printf("usage counters (out of range now):\n");
        PrintValue("total counter", counters.TotalCounter, to->TotalCounter);
        PrintValues("pin counter", counters.PinCounter, to->PinCounter);
        PrintValue("head counter", counters.HeadCounters[0], to->HeadCounters[0]);
    } else {
        std::printf("usage counters: in range, left as they are\n");
    }
}

int RunRestore(const GlobalOptions& options, const std::vector<std::string>& args) {
    bool dryRun = false;
    for (const auto& arg : args) {
        if (arg != "--dry-run" || dryRun) {
            if (dryRun && arg == "--dry-run") std::fprintf(stderr, "zt40ctl: restore: --dry-run is given twice\n");
            std::fputs(kUsage, stderr);
            return kExitBadArguments;
        }
        dryRun = true;
    }
    if (options.device) return Fail("works through the printer's queue, as the window does; --device is not taken",
                                     kExitBadArguments);
    StdioMessageBox messages;
    auto wired = WirePlatform(options, messages);
    if (!wired.wiring) return WiringFailed(wired);
    PlatformWiring& wiring = *wired.wiring;
    PrinterSession session(wiring.Platform(), SleepPause, &wiring.AccessReport(), options.queue);
    const ConnectOutcome connected = session.Connect(kReadyBoundMs);
    if (const auto exitStatus = SayQueueNotChosen(connected.end, options.queue, "restore")) return *exitStatus;
    const std::string hint = wiring.AccessReport().Hint();
    const std::string withHint = hint.empty() ? "" : ": " + hint;
    switch (connected.end) {
    case ConnectEnd::Ready:
        break;
    case ConnectEnd::OpenFailed:
        return Fail("cannot open the printer of queue \"" + connected.queueName + "\"" + withHint,
                    ExitStatusOf(wiring.AccessReport().Last()));
    default:
        return Fail("the printer of queue \"" + connected.queueName + "\" is not ready" + withHint, kExitNoAnswer);
    }

    const RecordWiring records{std::string(kRecordApplicationName)};
    ConsoleMessages console;
    MaintenanceFrame frame(session, console);
    frame.SetUsageRecordPlatform(records.Platform());
    if (dryRun) {
        const auto outcome = frame.PreviewRestore();
        if (outcome.fileFailure) std::fprintf(stderr, "zt40ctl: restore: %s\n", TerminalText(*outcome.fileFailure).c_str());
        if (outcome.basis == RestoreBasis::FileUnreadable) {
            return Fail("would write nothing until " + outcome.path + " can be read", kExitRecordFile);
        }
        PrintPreview(outcome, frame.Copies().settings, frame.Copies().counters, outcome.path);
        return outcome.fileFailure ? kExitNoAnswer : kExitOk;
    }
    const auto outcome = frame.Restore();
    if (!outcome.plan.needed) {
        std::printf("Both groups are in range: nothing was written.\n");
        return kExitNothingWritten;
    }
    // The view has said which file and what stood in the way.
    if (outcome.basis == RestoreBasis::FileUnreadable) return kExitRecordFile;
    const char* source = outcome.plan.fromRecord ? "the last usable record" : "the defaults";
    const auto report = [&](bool planned, bool written, const char* group) {
        if (!planned) return;
        if (written) {
            std::printf("%s written from %s.\n", group, source);
        } else {
            std::fprintf(stderr, "zt40ctl: restore: %s not written: the values fail the range check or the printer "
                                 "was not ready.\n", group);
        }
    };
    report(outcome.plan.settings.has_value(), outcome.settingsWritten, "Pin settings");
    report(outcome.plan.counters.has_value(), outcome.countersWritten, "Usage counters");
    return outcome.Wrote() ? kExitOk : kExitNoAnswer;
}

const RegisterCommand kRestore{{"restore", "restore [--dry-run]  write the last usable record back when the printer's values are out of range", RunRestore}};

}  // namespace
}  // namespace zt40::ctl
