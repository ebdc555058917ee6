#include "app/CPinwardenDlg.h"

#include "app/ControlIds.h"
#include "record/CounterSamples.h"

namespace zt40 {

namespace {

constexpr Text kCleaningConfirmation = ZT40_TR("CPinwardenDlg", "The head cleaning is executed.");
constexpr Text kPinChangeFailed = ZT40_TR("CPinwardenDlg", "error");
constexpr Text kRestoreItem = ZT40_TR("CPinwardenDlg", "Restoration of setting");
constexpr Text kAboutItem = ZT40_TR("CPinwardenDlg", "&About...");

// The controls that EnableControls switches together; 1056 is left to the pin choice.
constexpr std::array<int, 4> kSwitchedButtons{IDC_REPLACE_HEAD, IDC_READJUST_PINS, IDC_REFRESH, IDC_CLEANING};

// The wait cursor for as long as one handler talks to the printer.
class WaitCursor {
public:
    explicit WaitCursor(IPinwardenView& view) : m_view(view) { m_view.SetWaitCursor(true); }
    ~WaitCursor() { m_view.SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    IPinwardenView& m_view;
};

}  // namespace

CPinwardenDlg::CPinwardenDlg(const DeviceLinkPlatform& platform, IPinwardenView& view, PauseFn pause,
                             const DeviceAccessReport* access, std::optional<std::string> queue)
    : m_view(view),
      m_prompt(view),
      m_session(platform, std::move(pause), access, std::move(queue)),
      m_frame(m_session, m_prompt),
      m_services(m_session, m_frame.Copies()) {}

CPinwardenDlg::~CPinwardenDlg() = default;

bool CPinwardenDlg::OnInitDialog() {
    UpdateData();
    m_view.AppendMenuItem(IDM_RESTORE_SETTINGS, kRestoreItem);
    m_view.AppendMenuItem(IDM_ABOUTBOX, kAboutItem);
    EnableControls(false);
    m_view.EnableControl(IDC_APPLY_PIN_CHANGE, false);
    ShowStatusReason(std::nullopt);
    OnPrinterListDropDown();
    m_timerId = m_view.StartTimer(POLL_TIMER_ID, kPollPeriodMs);
    m_session.Forget();
    return true;
}

void CPinwardenDlg::OnTimer(int timerId) {
    if (timerId != 0 && timerId == m_timerId) PollPrinter();
}

void CPinwardenDlg::PollPrinter() {
    m_printerList.clear();
    const SessionPoll poll = m_session.Poll();
    if (poll.triedQueue) m_view.SetCaption(*poll.triedQueue);
    if (poll.becameReady) {
        ReadHeadData();
        ShowUsage();
        UpdateData();
        m_view.Repaint();
    }
    EnableControls(poll.usable);
    ShowStatusReason(poll.usable ? std::nullopt : m_session.ReasonForNoPrinter(poll));
}

void CPinwardenDlg::ShowStatusReason(std::optional<Message> reason) {
    std::optional<std::string> english;
    if (reason) english = reason->English();
    if (m_statusShown && english == m_shownReason) return;
    m_statusShown = true;
    m_shownReason = english;
    m_view.SetStatusLine(Message::Of(kConnectRequest), reason);
}

bool CPinwardenDlg::OnDeviceChange(std::uint32_t eventType, std::uintptr_t) {
    if (eventType != kDeviceNodesChanged) return true;
    m_session.OnDevicesChanged();
    UpdateData();
    return true;
}

bool CPinwardenDlg::OnSysCommand(int commandId, std::intptr_t) {
    switch (commandId & kSysCommandMask) {
    case IDM_ABOUTBOX:
        m_view.ShowAbout();
        return true;
    case IDM_RESTORE_SETTINGS:
        RestoreSettings();
        return true;
    default:
        return false;
    }
}

bool CPinwardenDlg::DestroyWindow() {
    m_view.StopTimer(m_timerId);
    m_timerId = 0;
    m_view.DestroyWindow();
    return true;
}

void CPinwardenDlg::EnableControls(bool enable) {
    for (const int id : kSwitchedButtons) m_view.EnableControl(id, enable);
    for (const int id : IDC_PIN_RADIOS) m_view.EnableControl(id, enable);
    m_view.EnableControl(IDC_STATUS_LINE, !enable);
    m_view.EnableMenuItem(IDM_RESTORE_SETTINGS, enable);
}

void CPinwardenDlg::OnPrinterListDropDown() { m_printerList = m_session.UsableQueues(); }

void CPinwardenDlg::OnPrinterListSelChange(std::size_t index) {
    if (index >= m_printerList.size()) return;
    m_session.AdoptQueueName(m_printerList[index]);
    m_view.EnableControl(IDC_PRINTER_LIST, false);
    ReadHeadData();
    ShowUsage();
    EnableControls(true);
    UpdateData();
}

void CPinwardenDlg::OnCleaning() {
    if (m_view.ShowMessage(Message::Of(kCleaningConfirmation), MbButtons::OkCancel, MbIcon::Information) !=
        MbResult::Ok) {
        return;
    }
    const WaitCursor busy(m_view);
    m_services.RunCleaning();
}

void CPinwardenDlg::OnReplaceHead() { RunWizardFrame(WizardKind::ReplaceHead); }

void CPinwardenDlg::OnReadjustPins() { RunWizardFrame(WizardKind::ReadjustPins); }

void CPinwardenDlg::RunWizardFrame(WizardKind kind) {
    const bool replaceHead = kind == WizardKind::ReplaceHead;
    const bool finished = m_frame.Run(replaceHead ? PutBack::BothGroups : PutBack::PinSettings,
                                      [&] { return m_view.RunWizard(kind) == ID_WIZFINISH; });
    if (!finished) return;
    ShowUsage();
    if (replaceHead) {
        UpdateData();
        m_view.Repaint();
    }
}

// A read that reached the printer becomes the day's sample; a pin that entered a worse band
// since the sample before is told of once, on the day its sample is added.
void CPinwardenDlg::ReadHeadData() {
    if (!m_frame.Save() || !m_records) return;
    const UsageCounters& counters = m_frame.Copies().counters;
    const auto kept = AppendTodaysSample(*m_records, m_session.PrinterName(), counters);
    if (kept.outcome == SampleAppend::Added && kept.previous) {
        if (const auto crossings = BandCrossings(kept.previous->counters, counters); !crossings.empty()) {
            m_view.NotifyWear(crossings);
        }
    }
    m_forecast = ForecastWear(kept.samples, m_session.PrinterName()).pins;
}

void CPinwardenDlg::ShowUsage() {
    const GroupCopies& copies = m_frame.Copies();
    m_shownUsage = copies.counters.PinCounter;
    // In 16 bits, as the printer's own tool did: a failed read (-1) leaves no button checked.
    m_selectedPin = static_cast<std::int16_t>(copies.settings.SelectedPin - 1);
}

void CPinwardenDlg::OnPinSelected(int pinIndex) {
    if (pinIndex < 0 || pinIndex >= kPinCount || m_selectedPin == pinIndex) return;
    m_selectedPin = pinIndex;
    m_view.EnableControl(IDC_APPLY_PIN_CHANGE, true);
}

void CPinwardenDlg::OnApplyPinChange() {
    UpdateData();
    PinSettings& settings = m_frame.Copies().settings;
    settings.SelectedPin = m_selectedPin + 1;
    if (IsValidPinSettings(settings) && !Device().SelectPin(static_cast<std::uint8_t>(settings.SelectedPin))) {
        m_view.ShowMessage(Message::Of(kPinChangeFailed), MbButtons::Ok, MbIcon::None);
    }
    m_view.EnableControl(IDC_APPLY_PIN_CHANGE, false);
}

void CPinwardenDlg::OnRefresh() {
    ReadHeadData();
    ShowUsage();
    UpdateData();
    m_view.Repaint();
}

}  // namespace zt40
