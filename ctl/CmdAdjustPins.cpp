// zt40ctl adjust-pins: the pin-adjustment wizard on a terminal, inside the main window's
// save-and-restore frame, for machines without a screen.
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/GroupText.h"
#include "ctl/QueueText.h"
#include "ctl/StdioMessageBox.h"
#include "platform/TextOutput.h"
#include "platform/os/Interrupt.h"
#include "printjob/EmbeddedJobs.h"
#include "wiring/RecordWiring.h"
#include "ctl/AdjustPinsTerminal.h"
#include "ctl/TypedLines.h"

namespace zt40::ctl {

namespace {

// Ctrl-C, and a request to end the program or its terminal closing, are taken alike as "cancel
// the wizard" (InterruptGuard): a wait for input returns at once, and the frame then writes the
// saved settings back before the program ends.
class StdioTerminal final : public ITerminal {
public:
    std::optional<std::string> ReadLine(std::string_view prompt) override {
        if (Interrupted()) return std::nullopt;
        std::fprintf(stderr, "%.*s", static_cast<int>(prompt.size()), prompt.data());
        std::fflush(stderr);
        m_afterPrompt = true;
        TypedLine line = m_lines.Next();
        if (line.end == LineEnd::TooLong && !m_saidTooLong) {
            m_saidTooLong = true;
            Report("A line of more than " + std::to_string(kMaxTypedLineBytes) +
                   " bytes was typed: taken as the end of input.");
        }
        if (line.end != LineEnd::Line) return std::nullopt;
        m_afterPrompt = false;
        return std::move(line.text);
    }
    void Print(std::string_view text) override {
        std::fprintf(stdout, "%.*s%s", static_cast<int>(text.size()), text.data(), text.ends_with('\n') ? "" : "\n");
        std::fflush(stdout);
    }
    // Reports may echo a typed reading or a queue name: escaped, as every echo is.
    void Report(std::string_view text) override {
        const std::string shown = TerminalText(Message::Verbatim(std::string(text)));
        // A prompt left without a typed line (Ctrl-C, Ctrl-D) would run into the report.
        std::fprintf(stderr, "%s%s%s", m_afterPrompt ? "\n" : "", shown.c_str(), shown.ends_with('\n') ? "" : "\n");
        m_afterPrompt = false;
    }
    bool Interrupted() const override { return InterruptGuard::Interrupted(); }

private:
    TypedLines m_lines{ReadSomeOfStandardInput, [this] { return Interrupted(); }};
    bool m_saidTooLong = false;
    bool m_afterPrompt = false;
};

// A run whose record could not be kept: what it left on the printer, unless the line of a
// cancelled run said so already.
std::string RecordNotKeptText(AdjustPinsOutcome outcome) {
    const std::string notKept = "the usage record of this run was not kept.";
    switch (outcome) {
        case AdjustPinsOutcome::Completed: return "The new pin adjustments were written to the printer, but " + notKept;
        case AdjustPinsOutcome::NotWritten: return "Nothing was written to the printer, but " + notKept;
        case AdjustPinsOutcome::Interrupted:
        case AdjustPinsOutcome::NoPrinter: break;
    }
    return "The usage record of this run was not kept.";
}

int Usage(const std::string& why) {
    std::fprintf(stderr, "zt40ctl: adjust-pins: %s\n", EscapeForTerminal(why).c_str());
    return kExitBadArguments;
}

int RunAdjustPinsCommand(const GlobalOptions& options, const std::vector<std::string>& args) {
    AdjustPinsRequest request;
    bool dryRun = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--no-print") {
            request.print = false;
        } else if (arg == "--dry-run") {
            dryRun = true;
        } else if (arg == "--readings" || arg.starts_with("--readings=")) {
            if (request.readings) return Usage("--readings is given twice");
            std::string list;
            if (arg == "--readings") {
                if (i + 1 == args.size()) return Usage("--readings needs nine labels, such as A1,B3,None,...");
                list = args[++i];
            } else {
                list = arg.substr(std::string("--readings=").size());
            }
            request.readings = ParseReadings(list);
            if (!request.readings) {
                return Usage("\"" + list + "\" is not nine readings (A1 ... A0, B1 ... D0 or None, comma-separated)");
            }
        } else {
            return Usage("unknown argument \"" + arg + "\"");
        }
    }
    if (options.device) return Usage("works through the printer's queue; --device is not supported");

    InterruptGuard guard;
    StdioTerminal terminal;
    if (dryRun) {
        if (!request.readings) request.readings = AskReadings(terminal);
        if (!request.readings) return kExitNoAnswer;
        terminal.Print(CorrectionsLine(ComputePinCorrections(*request.readings)));
        return kExitOk;
    }

    StdioMessageBox messages;
    auto wired = WirePlatform(options, messages);
    if (!wired.wiring) return WiringFailed(wired);
    PlatformWiring& wiring = *wired.wiring;
    request.queue = options.queue;
    request.access = &wiring.AccessReport();
    CPrintJobSender sender(wiring.Spooler(), messages, EmbeddedJobs());
    const RecordWiring record{std::string(kRecordApplicationName)};
    const AdjustPinsResult result =
        RunAdjustPins(wiring.Platform(), terminal, sender, request, SleepPause, &record.Platform());
    if (const auto status = SayQueueNotChosen(result.connectEnd, options.queue, nullptr)) return *status;
    if (result.outcome == AdjustPinsOutcome::NoPrinter && result.problem == PrinterProblemKind::Held) {
        return kExitDeviceBusy;
    }
    if (result.outcome == AdjustPinsOutcome::Completed) terminal.Print(PinSettingsLines(result.readBack));
    if (result.recordFailure) {
        terminal.Report(RecordNotKeptText(result.outcome));
        return kExitRecordFile;
    }
    return result.outcome == AdjustPinsOutcome::Completed ? kExitOk : kExitNoAnswer;
}

const RegisterCommand kAdjustPins(
    {"adjust-pins", "adjust-pins [--no-print] [--readings L1,...,L9] [--dry-run]  the pin adjustment on a terminal "
                    "(cancelled by Ctrl-C, SIGTERM, SIGHUP, the end of input or a line over " +
                        std::to_string(kMaxTypedLineBytes) + " bytes)",
     RunAdjustPinsCommand, {"--readings"}});

}  // namespace

}  // namespace zt40::ctl
