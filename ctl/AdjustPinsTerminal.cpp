#include "ctl/AdjustPinsTerminal.h"

#include <algorithm>
#include <cstdio>

#include "ctl/GroupText.h"
#include "platform/DeviceAccess.h"
#include "platform/TextCompare.h"
#include "session/HeadServices.h"
#include "session/MaintenanceFrame.h"
#include "wizards/Sheets.h"

namespace zt40 {

namespace {

// The pages need no timers here: the power cycle at the end is left to the operator. A print
// job that went through is told by the steps' own line; a failed one is reported.
class TerminalHost final : public IWizardHost {
public:
    TerminalHost(ITerminal& terminal, IMessageBox& prompt) : m_terminal(terminal), m_prompt(prompt) {}
    void PostWizardButtons(std::uint32_t) override {}
    std::uint32_t SetTimer(CWizardPage&, std::uint32_t, std::uint32_t) override { return 0; }
    void KillTimer(CWizardPage&, std::uint32_t) override {}
    MbResult Ask(const Message& question, MbButtons buttons, MbIcon icon) override {
        return m_prompt.Show(question, buttons, icon);
    }
    void ShowOutcome(const Outcome& outcome) override {
        if (outcome.failed) m_terminal.Report(outcome.what.English() + (outcome.why ? " " + outcome.why->English() : ""));
    }

private:
    ITerminal& m_terminal;
    IMessageBox& m_prompt;
};

// The frame's prompts on a terminal: message boxes become lines on standard error, and a
// box that asks is answered by a typed word.
class TerminalPrompt final : public IMessageBox {
public:
    explicit TerminalPrompt(ITerminal& terminal) : m_terminal(terminal) {}

    MbResult Show(const Message& message, MbButtons buttons, MbIcon) override {
        m_terminal.Report(message.English());
        if (buttons == MbButtons::Ok) return MbResult::Ok;
        const bool yesNo = buttons == MbButtons::YesNo;
        const auto answer = m_terminal.ReadLine(yesNo ? "[yes/no] " : "[retry/cancel] ");
        if (!answer) return yesNo ? MbResult::No : MbResult::Cancel;
        const std::string_view word = Trim(*answer);
        if (yesNo) return !word.empty() && (word[0] == 'y' || word[0] == 'Y') ? MbResult::Yes : MbResult::No;
        return (!word.empty() && (word[0] == 'r' || word[0] == 'R' || word[0] == 'o' || word[0] == 'O'))
                   ? (buttons == MbButtons::OkCancel ? MbResult::Ok : MbResult::Retry)
                   : MbResult::Cancel;
    }

private:
    ITerminal& m_terminal;
};

// The pin adjustment's pages driven step by step from the terminal, inside the frame.
class TerminalSteps {
public:
    TerminalSteps(ITerminal& terminal, PrinterSession& session, MaintenanceFrame& frame, const AdjustPinsRequest& request)
        : m_terminal(terminal), m_session(session), m_frame(frame), m_request(request) {}

    AdjustPinsOutcome Outcome() const { return m_outcome; }
    const PinSettings& ReadBack() const { return m_readBack; }

    int Run(CAdjustPinSheet& sheet) {
        if (m_request.print) {
            m_terminal.Report("Printing the adjustment pattern on queue \"" + m_session.QueueName() +
                              "\". Load a 60 mm square plate at the centre of the table first.");
            sheet.m_adjustPin.OnStartPrinting();
            if (sheet.JobId() > 0) m_terminal.Report("Job " + std::to_string(sheet.JobId()) + " spooled.");
            if (m_terminal.Interrupted()) return Cancel(sheet, AdjustPinsOutcome::Interrupted);
        }
        sheet.Next();
        std::optional<PinReadings> readings = m_request.readings;
        if (!readings) readings = AskReadings(m_terminal);
        if (!readings) return Cancel(sheet, AdjustPinsOutcome::Interrupted);
        sheet.m_inputValue.m_positions = *readings;
        m_terminal.Print(CorrectionsLine(ComputePinCorrections(*readings)));
        sheet.m_inputValue.OnSet();
        if (m_terminal.Interrupted()) return Cancel(sheet, AdjustPinsOutcome::Interrupted);

        // A write the services refused leaves the copies as the printer's; one they sent is
        // read back, as only the printer knows whether it took it.
        const PinSettings& expected = m_frame.Copies().settings;
        PinSettings actual;
        UsageCounters counters;
        if (sheet.m_inputValue.m_set != 1 || !m_session.Groups().ReadBoth(actual, counters).Ok() ||
            actual != expected) {
            ExplainNotWritten(expected, ComputePinCorrections(*readings));
            return Cancel(sheet, AdjustPinsOutcome::NotWritten);
        }
        m_readBack = actual;
        // A signal during the read-back still cancels: nothing is kept that was not finished.
        if (m_terminal.Interrupted()) return Cancel(sheet, AdjustPinsOutcome::Interrupted);
        sheet.Next();
        m_terminal.Report("Switch the ZT-40 off and on again before marking.");
        m_outcome = AdjustPinsOutcome::Completed;
        return sheet.Finish();
    }

private:
    int Cancel(CAdjustPinSheet& sheet, AdjustPinsOutcome outcome) {
        m_outcome = outcome;
        return sheet.Cancel();
    }

    void ExplainNotWritten(const PinSettings& held, const PinCorrections& corrections) {
        for (std::size_t pin = 0; pin < kPinCount; ++pin) {
            const int value = static_cast<std::int16_t>(held.PinAdjustments[pin] + corrections[pin]);
            if (value < -kPinAdjustmentLimit || value > kPinAdjustmentLimit) {
                m_terminal.Report("Nothing was written: pin " + std::to_string(pin + 1) + "'s adjustment would be " +
                                  std::to_string(value) + ", outside -80..80.");
                return;
            }
        }
        m_terminal.Report("Nothing was written: the printer did not answer or did not become ready.");
    }

    ITerminal& m_terminal;
    PrinterSession& m_session;
    MaintenanceFrame& m_frame;
    const AdjustPinsRequest& m_request;
    AdjustPinsOutcome m_outcome = AdjustPinsOutcome::Interrupted;
    PinSettings m_readBack;
};

}  // namespace

std::optional<PinReadings> ParseReadings(std::string_view list) {
    PinReadings readings{};
    std::size_t pin = 0;
    for (;;) {
        const auto comma = list.find(',');
        const auto position = PositionOfLabel(Trim(list.substr(0, comma)));
        if (!position || pin == kPinCount) return std::nullopt;
        readings[pin++] = *position;
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    if (pin != kPinCount) return std::nullopt;
    return readings;
}

std::optional<PinReadings> AskReadings(ITerminal& terminal) {
    terminal.Report("For each pin, enter the letter and numeral where its row breaks off (A1 ... D0), "
                    "or None for a pin without a reading.");
    PinReadings readings{};
    for (std::size_t pin = 0; pin < kPinCount;) {
        const auto line = terminal.ReadLine("pin " + std::to_string(pin + 1) + ": ");
        if (!line || terminal.Interrupted()) return std::nullopt;
        const std::string_view label = Trim(*line);
        const auto position = PositionOfLabel(label);
        if (!position) {
            terminal.Report("\"" + std::string(label) + "\" is not a reading: A1 ... A0, B1 ... D0 or None.");
            continue;
        }
        readings[pin++] = *position;
    }
    return readings;
}

std::string CorrectionsLine(const PinCorrections& corrections) { return "corrections: " + Joined(corrections); }

std::optional<std::string> NoPrinterText(const ConnectOutcome& connected, bool interrupted,
                                         DeviceAccessFailure access) {
    if (FailedQueueChoice(connected.end)) return std::nullopt;
    // A signal during a status read that never ends shows as no answer: the operator's
    // cancel is what happened.
    if (interrupted) return "Cancelled while waiting for the ZT-40: nothing was changed on the printer.";
    const PrinterProblem problem = ClassifyPrinterProblem(connected.end, connected.status, access);
    char word[8];
    switch (problem.kind) {
    case PrinterProblemKind::Held:
    case PrinterProblemKind::ErrorState:
    case PrinterProblemKind::NoPermission:
    case PrinterProblemKind::CannotOpen:
        return problem.Reason()->English();
    case PrinterProblemKind::NoAnswer:
        return std::string(DeviceAccessHint(DeviceAccessFailure::NotAnswering).source);
    case PrinterProblemKind::NotReady:
        std::snprintf(word, sizeof word, "0x%04X", static_cast<unsigned>(connected.status.Raw()));
        return "The ZT-40 answers status " + std::string(word) + " and did not become ready within " +
               std::to_string(kAdjustPinsReadyBoundMs / 1000) + " s: let it finish its job, then try again.";
    default:
        return "No ZT-40 is connected and ready: connect one unit and switch on the power.";
    }
}

std::string CancelledText(bool signalled, const RollbackFailure& notPutBack) {
    const std::string cause = signalled ? "Cancelled" : "The input ended before the readings were complete";
    if (notPutBack.pinSettings) {
        return cause + ", and the printer's pin settings could not be put back: it may hold the run's adjustments "
                       "(the settings from before are in the usage record).";
    }
    return cause + ": the printer's pin settings were put back as they were before the run.";
}

AdjustPinsResult RunAdjustPins(const DeviceLinkPlatform& platform, ITerminal& terminal, CPrintJobSender& sender,
                               const AdjustPinsRequest& request, const PauseFn& pause,
                               const UsageRecordPlatform* record) {
    AdjustPinsResult result;
    PrinterSession session(platform, pause, nullptr, request.queue);
    const auto connected =
        session.Connect(kAdjustPinsReadyBoundMs, ReadyRule::LowBitsAreOne, [&terminal] { return terminal.Interrupted(); });
    result.connectEnd = connected.end;
    if (connected.end != ConnectEnd::Ready) {
        const auto access = request.access ? request.access->Last() : DeviceAccessFailure::None;
        result.problem = ClassifyPrinterProblem(connected.end, connected.status, access).kind;
        if (const auto why = NoPrinterText(connected, terminal.Interrupted(), access)) terminal.Report(*why);
        return result;
    }
    TerminalPrompt prompt(terminal);
    MaintenanceFrame frame(session, prompt);
    if (record != nullptr) frame.SetUsageRecordPlatform(*record);
    HeadServices services(session, frame.Copies());
    TerminalSteps steps(terminal, session, frame, request);
    // A run starts only on both groups read: its put-back writes what was saved.
    if (const std::optional<Message> why = frame.Save()) {
        terminal.Report(why->English());
        result.problem = PrinterProblemKind::NoAnswer;
        return result;
    }
    frame.Run(PutBack::PinSettings, [&] {
        CAdjustPinSheet sheet(services, {platform.spooler, sender});
        TerminalHost host(terminal, prompt);
        sheet.SetHost(&host);
        sheet.Open();
        return steps.Run(sheet) == kWizardFinished;
    });
    result.outcome = steps.Outcome();
    if (result.outcome == AdjustPinsOutcome::Completed) result.readBack = steps.ReadBack();
    if (result.outcome == AdjustPinsOutcome::Interrupted) {
        terminal.Report(CancelledText(terminal.Interrupted(), frame.PutBackFailure()));
    }
    result.recordFailure = frame.RecordFailure();
    return result;
}

}  // namespace zt40
