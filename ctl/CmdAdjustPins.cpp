// zt40ctl adjust-pins: the pin-adjustment wizard on a terminal, inside the main window's
// save-and-restore frame, for machines without a screen.
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/GroupText.h"
#include "ctl/QueueText.h"
#include "ctl/StdioMessageBox.h"
#include "platform/TextOutput.h"
#include "printjob/EmbeddedJobs.h"
#include "wiring/RecordWiring.h"
#include "ctl/AdjustPinsTerminal.h"

namespace zt40::ctl {

namespace {

volatile sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) { g_interrupted = 1; }

// Ctrl-C is taken as "cancel the wizard": the blocking read returns at once (no restart), and
// the frame then writes the saved settings back before the program ends.
class InterruptGuard {
public:
    InterruptGuard() {
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(SIGINT, &action, &m_previous);
        sigaction(SIGTERM, &action, &m_previousTerm);
    }
    ~InterruptGuard() {
        sigaction(SIGINT, &m_previous, nullptr);
        sigaction(SIGTERM, &m_previousTerm, nullptr);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction m_previous {};
    struct sigaction m_previousTerm {};
};

class StdioTerminal final : public ITerminal {
public:
    std::optional<std::string> ReadLine(std::string_view prompt) override {
        if (Interrupted()) return std::nullopt;
        std::fprintf(stderr, "%.*s", static_cast<int>(prompt.size()), prompt.data());
        std::fflush(stderr);
        std::string line;
        for (;;) {
            const int c = std::fgetc(stdin);
            if (c == EOF) {
                if (Interrupted() || line.empty()) return std::nullopt;
                return line;
            }
            if (c == '\n') return line;
            line += static_cast<char>(c);
        }
    }
    void Print(std::string_view text) override {
        std::fprintf(stdout, "%.*s%s", static_cast<int>(text.size()), text.data(), text.ends_with('\n') ? "" : "\n");
        std::fflush(stdout);
    }
    // Reports may echo a typed reading or a queue name: escaped, as every echo is.
    void Report(std::string_view text) override {
        const std::string shown = TerminalText(Message::Verbatim(std::string(text)));
        std::fprintf(stderr, "%s%s", shown.c_str(), shown.ends_with('\n') ? "" : "\n");
    }
    bool Interrupted() const override { return g_interrupted != 0; }
};

// What the run left on the printer, for a run whose record could not be kept.
std::string PrinterPartText(AdjustPinsOutcome outcome) {
    switch (outcome) {
        case AdjustPinsOutcome::Completed: return "The new pin adjustments were written to the printer";
        case AdjustPinsOutcome::Interrupted: return "The adjustment was cancelled and the saved settings written back";
        case AdjustPinsOutcome::NotWritten: return "Nothing was written to the printer";
        case AdjustPinsOutcome::NoPrinter: break;
    }
    return "The printer was not reached";
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
    CPrintJobSender sender(wiring.Spooler(), messages, EmbeddedJobs());
    const RecordWiring record{std::string(kRecordApplicationName)};
    PinSettings readBack;
    ConnectEnd connectEnd = ConnectEnd::Ready;
    std::optional<Message> recordFailure;
    const AdjustPinsOutcome outcome = RunAdjustPins(wiring.Platform(), terminal, sender, request, SleepPause,
                                                    &record.Platform(), &readBack, &connectEnd, &recordFailure);
    if (const auto status = SayQueueNotChosen(connectEnd, options.queue, nullptr)) return *status;
    if (outcome == AdjustPinsOutcome::Completed) terminal.Print(PinSettingsLines(readBack));
    if (recordFailure) {
        terminal.Report(PrinterPartText(outcome) + ", but the usage record of this run was not kept.");
        return kExitRecordFile;
    }
    return outcome == AdjustPinsOutcome::Completed ? kExitOk : kExitNoAnswer;
}

const RegisterCommand kAdjustPins(
    {"adjust-pins", "adjust-pins [--no-print] [--readings L1,...,L9] [--dry-run]  the pin adjustment on a terminal",
     RunAdjustPinsCommand});

}  // namespace

}  // namespace zt40::ctl
