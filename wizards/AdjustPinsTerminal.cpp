#include "wizards/AdjustPinsTerminal.h"

#include <algorithm>

#include "app/HeadData.h"
#include "wizards/Sheets.h"

namespace zt40 {

namespace {

constexpr int kPollsForReady = 20;
constexpr std::uint32_t kPollPeriodMs = 500;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

template <typename T, std::size_t N>
std::string Joined(const std::array<T, N>& values) {
    std::string text;
    for (const T value : values) {
        if (!text.empty()) text += ' ';
        text += std::to_string(value);
    }
    return text;
}

// The pages need no timers here: the power cycle at the end is left to the operator.
class TerminalHost final : public IWizardHost {
public:
    void PostWizardButtons(std::uint32_t) override {}
    std::uint32_t SetTimer(CWizardPage&, std::uint32_t, std::uint32_t) override { return 0; }
    void KillTimer(CWizardPage&, std::uint32_t) override {}
};

// The main window's view on a terminal: message boxes become lines on standard error, and
// the one wizard it can run is the pin adjustment, step by step.
class TerminalView final : public HeadlessView {
public:
    TerminalView(ITerminal& terminal, CPrintJobSender& sender, ISpooler& spooler, const AdjustPinsRequest& request)
        : m_terminal(terminal), m_sender(sender), m_spooler(spooler), m_request(request) {}

    void Attach(CPinwardenDlg& dlg) { m_dlg = &dlg; }
    AdjustPinsOutcome Outcome() const { return m_outcome; }
    const PinSettings& ReadBack() const { return m_readBack; }

    MbResult ShowMessage(const Message& message, MbButtons buttons, MbIcon) override {
        m_terminal.Report(message.English());
        if (buttons == MbButtons::Ok) return MbResult::Ok;
        const auto answer = m_terminal.ReadLine("[retry/cancel] ");
        if (!answer) return MbResult::Cancel;
        const std::string_view word = Trimmed(*answer);
        return (!word.empty() && (word[0] == 'r' || word[0] == 'R' || word[0] == 'o' || word[0] == 'O'))
                   ? (buttons == MbButtons::OkCancel ? MbResult::Ok : MbResult::Retry)
                   : MbResult::Cancel;
    }

    int RunWizard(WizardKind kind) override {
        if (kind != WizardKind::ReadjustPins || m_dlg == nullptr) return kCancelCommand;
        CAdjustPinSheet sheet(*m_dlg, {m_spooler, m_sender});
        TerminalHost host;
        sheet.SetHost(&host);
        sheet.Open();
        return RunSteps(sheet);
    }

private:
    int Cancel(CAdjustPinSheet& sheet, AdjustPinsOutcome outcome) {
        m_outcome = outcome;
        return sheet.Cancel();
    }

    int RunSteps(CAdjustPinSheet& sheet) {
        if (m_request.print) {
            m_terminal.Report("Printing the adjustment pattern on queue \"" + m_dlg->GetPrinterName() +
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

        // The main window is not told whether the printer took the write: read it back.
        const PinSettings& expected = m_dlg->CurrentPinSettings();
        PinSettings actual;
        UsageCounters counters;
        if (!ReadHeadGroups(m_dlg->Device(), actual, counters).Ok() || actual != expected) {
            ExplainNotWritten(expected);
            return Cancel(sheet, AdjustPinsOutcome::NotWritten);
        }
        m_readBack = actual;
        sheet.Next();
        m_terminal.Report("Switch the ZT-40 off and on again before marking.");
        m_outcome = AdjustPinsOutcome::Completed;
        return sheet.Finish();
    }

    void ExplainNotWritten(const PinSettings& expected) {
        for (std::size_t pin = 0; pin < kPinCount; ++pin) {
            const int value = expected.PinAdjustments[pin];
            if (value < -kPinAdjustmentLimit || value > kPinAdjustmentLimit) {
                m_terminal.Report("Nothing was written: pin " + std::to_string(pin + 1) + "'s adjustment would be " +
                                  std::to_string(value) + ", outside -80..80.");
                return;
            }
        }
        m_terminal.Report("Nothing was written: the printer did not answer or did not become ready.");
    }

    ITerminal& m_terminal;
    CPrintJobSender& m_sender;
    ISpooler& m_spooler;
    const AdjustPinsRequest& m_request;
    CPinwardenDlg* m_dlg = nullptr;
    AdjustPinsOutcome m_outcome = AdjustPinsOutcome::Interrupted;
    PinSettings m_readBack;
};

}  // namespace

std::optional<PinReadings> ParseReadings(std::string_view list) {
    PinReadings readings{};
    std::size_t pin = 0;
    for (;;) {
        const auto comma = list.find(',');
        const auto position = PositionOfLabel(Trimmed(list.substr(0, comma)));
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
        const std::string_view label = Trimmed(*line);
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

std::string PinSettingsLines(const PinSettings& settings) {
    return "word pair: " + Joined(settings.WordPair) + "\nselected pin: " + std::to_string(settings.SelectedPin) +
           "\nadjustments: " + Joined(settings.PinAdjustments) + "\n";
}

AdjustPinsOutcome RunAdjustPins(const DeviceLinkPlatform& platform, ITerminal& terminal, CPrintJobSender& sender,
                                const AdjustPinsRequest& request, const PauseFn& pause,
                                const UsageRecordPlatform* record, PinSettings* readBack,
                                std::optional<Message>* recordFailure) {
    TerminalView view(terminal, sender, platform.spooler, request);
    CPinwardenDlg dlg(platform, view, pause);
    if (record != nullptr) dlg.SetUsageRecordPlatform(*record);
    view.Attach(dlg);
    dlg.OnInitDialog();
    for (int poll = 0; poll < kPollsForReady && !dlg.DeviceReady() && !terminal.Interrupted(); ++poll) {
        if (poll > 0) pause(kPollPeriodMs);
        dlg.PollPrinter();
    }
    if (!dlg.DeviceReady()) {
        terminal.Report("No ZT-40 is connected and ready: connect one unit and switch on the power.");
        return AdjustPinsOutcome::NoPrinter;
    }
    dlg.OnReadjustPins();
    if (view.Outcome() == AdjustPinsOutcome::Completed && readBack != nullptr) *readBack = view.ReadBack();
    if (recordFailure != nullptr) *recordFailure = dlg.RecordFailure();
    return view.Outcome();
}

}  // namespace zt40
