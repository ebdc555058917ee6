#include "app/CPinwardenDlg.h"

#include "app/ActionTexts.h"
#include "app/ControlIds.h"
#include "app/RestoreQuestion.h"
#include "record/CounterSamples.h"

namespace zt40 {

namespace {

constexpr Text kCleaningConfirmation = ZT40_TR("CPinwardenDlg", "The head cleaning is executed.");
constexpr Text kRestoreItem = ZT40_TR("CPinwardenDlg", "Restoration of setting");
constexpr Text kAboutItem = ZT40_TR("CPinwardenDlg", "&About...");
constexpr Text kReadyOn = ZT40_TR("CPinwardenDlg", "Ready: ZT-40 on queue %1");
constexpr Text kNotReadyOn = ZT40_TR("CPinwardenDlg", "Not ready: ZT-40 on queue %1");

std::string Count(std::size_t n) { return std::to_string(n); }

}  // namespace

// For as long as one handler talks to the printer: the wait shown with its Cancel.
class CPinwardenDlg::Busy {
public:
    Busy(CPinwardenDlg& dlg, const Message& doing) : m_dlg(dlg) { m_dlg.ShowWait(doing); }
    ~Busy() { m_dlg.ShowWait(std::nullopt); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    CPinwardenDlg& m_dlg;
};

CPinwardenDlg::CPinwardenDlg(const DeviceLinkPlatform& platform, IPinwardenView& view, PauseFn pause,
                             const DeviceAccessReport* access, std::optional<std::string> queue)
    : m_view(view),
      m_clock(platform.clock),
      m_prompt(view),
      m_commandClock(platform.clock,
                     [this, &clock = platform.clock](std::uint32_t ms) { m_view.PauseInCommand(ms, clock); }),
      m_session(WithClock(platform, m_commandClock), std::move(pause), access, std::move(queue)),
      m_frame(m_session, m_prompt),
      m_services(m_session, m_frame.Copies()) {
    m_session.SetCancelTest([this] { return m_waitCancelled; });
    m_frame.SetWaitShow([this](const std::optional<Message>& doing) { ShowWait(doing); });
    m_frame.SetSilenceShow([this](const Message& why) { PrinterFailed(why); });
    m_state.caption = Message::Of(kWindowCaption);
    m_state.statusLine = Message::Of(kConnectRequest);
}

CPinwardenDlg::~CPinwardenDlg() = default;

bool CPinwardenDlg::OnInitDialog() {
    m_view.AppendMenuItem(IDM_RESTORE_SETTINGS, kRestoreItem);
    m_view.AppendMenuItem(IDM_ABOUTBOX, kAboutItem);
    EnableControls(false);
    ShowStatus(false, std::nullopt);
    OnPrinterListDropDown();
    m_timerId = m_view.StartTimer(POLL_TIMER_ID, kPollPeriodMs);
    m_session.Forget();
    return true;
}

// A Cancel of an earlier wait does not carry over to the next.
void CPinwardenDlg::ShowWait(const std::optional<Message>& doing) {
    m_waitCancelled = false;
    m_state.wait = doing ? std::optional<WaitView>(WaitView{*doing, true}) : std::nullopt;
    Publish();
}

void CPinwardenDlg::Publish() {
    if (m_note && m_clock.NowMs() - m_noteEndsMs < 0x8000'0000U) m_note.reset();
    m_state.note = m_note;
    m_state.reason = m_reason;
    m_state.data = Data();
    m_state.busy = m_state.wait.has_value();
    if (m_rendered == m_state) return;
    m_rendered = m_state;
    m_view.Render(m_state);
}

void CPinwardenDlg::OnTimer(int timerId) {
    if (timerId != 0 && timerId == m_timerId && !m_session.InCommand() && !m_prompt.Open()) PollPrinter();
}

// A poll that finds the printer ready again reads it afresh: what it holds may have changed
// while it was away or busy.
void CPinwardenDlg::PollPrinter() {
    m_printerList.clear();
    const SessionPoll poll = m_session.Poll();
    if (poll.triedQueue) m_state.caption = Message::Verbatim(*poll.triedQueue);
    const bool connectionChanged = m_freshness.SetConnected(poll.usable);
    if (poll.becameReady && !ReadHeadData()) ShowUsage();
    EnableControls(poll.usable);
    ShowStatus(poll.usable, poll.usable ? m_freshness.ConnectedReason() : m_session.ReasonForNoPrinter(poll));
    if (poll.becameReady || connectionChanged) m_view.Repaint();
}

void CPinwardenDlg::ShowStatus(bool usable, std::optional<Message> reason) {
    const std::vector<std::string> queue{m_session.QueueName()};
    m_state.statusLine = usable              ? Message::Of(kReadyOn, queue)
                         : m_session.Opened() ? Message::Of(kNotReadyOn, queue)
                                              : Message::Of(kConnectRequest);
    m_reason = std::move(reason);
    Publish();
}

void CPinwardenDlg::PrinterFailed(const std::optional<Message>& why) {
    if (!m_session.Opened()) return;
    m_session.Unready();
    m_freshness.SetConnected(false);
    EnableControls(false);
    ShowStatus(false, why);
}

void CPinwardenDlg::Tell(const Outcome& outcome) {
    if (outcome.failed) {
        m_view.TellFailure(outcome.what, outcome.why);
        return;
    }
    m_note = outcome.what;
    m_noteEndsMs = m_clock.NowMs() + kOutcomeNoteMs;
    Publish();
}

bool CPinwardenDlg::OnDeviceChange(std::uint32_t eventType, std::uintptr_t) {
    if (eventType == kDeviceNodesChanged) m_session.OnDevicesChanged();
    return true;
}

bool CPinwardenDlg::OnSysCommand(int commandId, std::intptr_t) {
    const int command = commandId & kSysCommandMask;
    if (command == IDM_ABOUTBOX) m_view.ShowAbout();
    if (command == IDM_RESTORE_SETTINGS && m_state.actionsEnabled) RestoreSettings();
    return command == IDM_ABOUTBOX || command == IDM_RESTORE_SETTINGS;
}

bool CPinwardenDlg::DestroyWindow() {
    m_view.StopTimer(m_timerId);
    m_timerId = 0;
    m_view.DestroyWindow();
    return true;
}

// A printer that went away takes the pin choice's Apply with it: there is nothing to apply to.
void CPinwardenDlg::EnableControls(bool enable) {
    m_state.actionsEnabled = enable;
    if (!enable) m_state.applyEnabled = false;
    Publish();
}

void CPinwardenDlg::OnPrinterListDropDown() { m_printerList = m_session.UsableQueues(); }

void CPinwardenDlg::OnPrinterListSelChange(std::size_t index) {
    if (index >= m_printerList.size()) return;
    m_session.AdoptQueueName(m_printerList[index]);
    m_state.printerListEnabled = false;
    ReadHeadData();
    ShowUsage();
    EnableControls(true);
}

void CPinwardenDlg::OnCleaning() {
    if (m_view.ShowMessage(Message::Of(kCleaningConfirmation), MbButtons::OkCancel, MbIcon::Information) !=
        MbResult::Ok) {
        return;
    }
    CleaningResult result;
    {
        const auto step = [](std::size_t n) { return Message::Of(kCleaningStep, {Count(n), Count(kCleaningStepCount)}); };
        const Busy busy(*this, step(1));
        result = m_services.RunCleaning([&](std::size_t n) {
            m_state.wait = WaitView{step(n), true};
            Publish();
        });
    }
    if (result.Completed()) {
        Tell(Outcome::Done(Message::Of(kCleaningDone)));
        return;
    }
    Tell(Outcome::Failed(Message::Of(kCleaningStopped, {Count(result.stepsDone), Count(kCleaningStepCount)}),
                         result.failure));
    PrinterFailed(result.failure);
}

void CPinwardenDlg::OnReplaceHead() { RunWizardFrame(WizardKind::ReplaceHead); }

void CPinwardenDlg::OnReadjustPins() { RunWizardFrame(WizardKind::ReadjustPins); }

// A wizard starts only on a fresh read of both groups: its Cancel writes the saved copies
// back, and older copies would take the printer's latest counts with them.
void CPinwardenDlg::RunWizardFrame(WizardKind kind) {
    if (std::optional<Message> why = ReadHeadData()) {
        Tell(Outcome::Failed(Message::Of(kWizardNotStarted), why));
        PrinterFailed(why);
        return;
    }
    const bool replaceHead = kind == WizardKind::ReplaceHead;
    const bool finished = m_frame.Run(replaceHead ? PutBack::BothGroups : PutBack::PinSettings,
                                      [&] { return m_view.RunWizard(kind) == ID_WIZFINISH; });
    ShowPrinterValues();
    // A put-back that failed was told, and left to the operator, by the frame's own prompt.
    if (!finished && !m_frame.PutBackFailure().Any()) Tell(Outcome::Done(Message::Of(kWizardCancelled)));
}

void CPinwardenDlg::ShowPrinterValues() {
    if (m_frame.LastReadBack()) {
        m_freshness.Read(m_frame.Copies().settings, m_frame.Copies().counters);
    } else {
        PrinterFailed(WaitFailureReason(WaitStep::NoAnswer, m_session.ReadStatus()));
    }
    ShowUsage();
    m_view.Repaint();
}

// A read that reached the printer becomes the day's sample; a pin that entered a worse band
// since the sample before is told of once, on the day its sample is added.
std::optional<Message> CPinwardenDlg::ReadHeadData() {
    if (std::optional<Message> why = m_frame.Save()) return why;
    const UsageCounters& counters = m_frame.Copies().counters;
    m_freshness.Read(m_frame.Copies().settings, counters);
    ShowUsage();
    if (!m_records) return std::nullopt;
    const auto kept = AppendTodaysSample(*m_records, m_session.PrinterName(), counters);
    if (kept.outcome == SampleAppend::Added && kept.previous) {
        if (const auto crossings = BandCrossings(kept.previous->counters, counters); !crossings.empty()) {
            m_view.NotifyWear(crossings);
        }
    }
    m_forecast = ForecastWear(kept.samples, m_session.PrinterName(), LocalDate(), counters).pins;
    Publish();
    return std::nullopt;
}

void CPinwardenDlg::ShowUsage() {
    const GroupCopies& copies = m_frame.Copies();
    m_shownUsage = copies.counters.PinCounter;
    // In 16 bits, as the printer's own tool did: a failed read (-1) leaves no button checked.
    m_selectedPin = static_cast<std::int16_t>(copies.settings.SelectedPin - 1);
    m_state.applyEnabled = false;
    Publish();
}

void CPinwardenDlg::OnPinSelected(int pinIndex) {
    if (pinIndex < 0 || pinIndex >= kPinCount || m_selectedPin == pinIndex || !m_state.actionsEnabled) return;
    m_selectedPin = pinIndex;
    m_state.applyEnabled = true;
    Publish();
}

// A pin the printer did not take is not shown as chosen: the radio goes back to the pin in use.
void CPinwardenDlg::OnApplyPinChange() {
    if (!m_state.applyEnabled) return;
    const std::int32_t inUse = m_frame.Copies().settings.SelectedPin;
    const std::int32_t wanted = m_selectedPin + 1;
    bool taken = false;
    {
        const Busy busy(*this, Message::Of(kChangingPin));
        taken = m_services.SelectPin(wanted);
    }
    ShowUsage();
    if (taken) {
        Tell(Outcome::Done(Message::Of(kPinChanged, {Count(static_cast<std::size_t>(wanted))})));
        return;
    }
    Tell(Outcome::Failed(Message::Of(kPinNotChanged, {std::to_string(inUse)}), m_services.Failure()));
    if (!m_services.OutOfRange()) PrinterFailed(m_services.Failure());
}

void CPinwardenDlg::OnRefresh() {
    std::optional<Message> why = ReadHeadData();
    ShowUsage();
    m_view.Repaint();
    if (!why) {
        Tell(Outcome::Done(Message::Of(kRefreshed)));
        return;
    }
    Tell(Outcome::Failed(Message::Of(kNotRefreshed), why));
    PrinterFailed(why);
}

// Restore asks first, naming the groups, what it would write and where it comes from; a
// printer in range, or a file that cannot be read, is told without a question.
RestoreOutcome CPinwardenDlg::RestoreSettings() {
    if (std::optional<Message> why = ReadHeadData()) {
        Tell(Outcome::Failed(Message::Of(kNotRestored), why));
        PrinterFailed(why);
        return {};
    }
    const RestoreOutcome planned = m_frame.PreviewRestore(Fresh::AlreadyRead);
    if (const std::optional<Message> asked = RestoreQuestion(planned, m_frame.Copies())) {
        if (m_view.ShowMessage(*asked, MbButtons::OkCancel, MbIcon::Warning) != MbResult::Ok) return {};
    }
    RestoreOutcome restored = [&] {
        const Busy busy(*this, Message::Of(kWritingSettings));
        RestoreOutcome written = m_frame.Restore(Fresh::AlreadyRead);
        if (written.Wrote()) m_frame.ReadBack();
        return written;
    }();
    if (restored.Wrote()) ShowPrinterValues();
    TellRestore(restored);
    return restored;
}

// The record's own boxes have told a file that could not be read, and a restore that wrote
// what it planned ends with the power-cycle box; what it wrote is told here.
void CPinwardenDlg::TellRestore(const RestoreOutcome& restored) {
    const std::optional<Outcome> end = RestoreEnd(restored, m_session.WaitFailure());
    if (!end) return;
    Tell(*end);
    if (end->failed) PrinterFailed(end->why);
}

bool CPinwardenDlg::Serve(Text doing, Text notDone, const std::function<bool()>& service) {
    bool done = false;
    {
        const Busy busy(*this, Message::Of(doing));
        done = service();
    }
    if (!done) {
        Tell(Outcome::Failed(Message::Of(notDone), m_services.Failure()));
        if (!m_services.OutOfRange()) PrinterFailed(m_services.Failure());
    }
    return done;
}

bool CPinwardenDlg::MoveHeadToCentre() {
    return Serve(kMovingHead, kHeadNotMoved, [this] { return m_services.MoveHeadToCentre(); });
}

bool CPinwardenDlg::ResetPinSettings() {
    return Serve(kWritingSettings, kSettingsNotWritten, [this] { return m_services.ResetPinSettings(); });
}

bool CPinwardenDlg::ResetPinCounters() {
    return Serve(kWritingCounters, kCountersNotCleared, [this] { return m_services.ResetPinCounters(); });
}

bool CPinwardenDlg::ApplyPinAdjustments(std::span<const std::int32_t, kPinCount> values) {
    if (!Serve(kWritingSettings, kSettingsNotWritten, [&] { return m_services.ApplyPinAdjustments(values); })) {
        return false;
    }
    Tell(Outcome::Done(Message::Of(kSettingsWritten)));
    return true;
}

}  // namespace zt40
