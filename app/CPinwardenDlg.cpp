#include "app/CPinwardenDlg.h"

#include <algorithm>

#include "app/ControlIds.h"
#include "app/Doctor.h"
#include "app/PrinterQueueRule.h"
#include "wizards/WizardSheet.h"

namespace zt40 {

namespace {

constexpr unsigned kRequestIndex = 0;
constexpr unsigned kDataSize = 32;

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

std::array<std::uint16_t, kPinCount> Raw(const std::array<std::int16_t, kPinCount>& values) {
    std::array<std::uint16_t, kPinCount> raw{};
    std::ranges::transform(values, raw.begin(), [](std::int16_t v) { return static_cast<std::uint16_t>(v); });
    return raw;
}

}  // namespace

CPinwardenDlg::CPinwardenDlg(const DeviceLinkPlatform& platform, IPinwardenView& view, PauseFn pause,
                             const DeviceAccessReport* access)
    : m_view(view),
      m_spooler(platform.spooler),
      m_clock(platform.clock),
      m_pause(std::move(pause)),
      m_access(access),
      m_device(platform) {}

CPinwardenDlg::~CPinwardenDlg() { m_device.Close(); }

bool CPinwardenDlg::OnInitDialog() {
    UpdateData();
    m_view.AppendMenuItem(IDM_RESTORE_SETTINGS, kRestoreItem);
    m_view.AppendMenuItem(IDM_ABOUTBOX, kAboutItem);
    EnableControls(false);
    m_view.EnableControl(IDC_APPLY_PIN_CHANGE, false);
    ShowStatusReason(std::nullopt);
    OnPrinterListDropDown();
    m_timerId = m_view.StartTimer(POLL_TIMER_ID, kPollPeriodMs);
    m_deviceOpened = m_deviceReady = m_wizardRunning = false;
    return true;
}

void CPinwardenDlg::OnTimer(int timerId) {
    if (timerId != 0 && timerId == m_timerId) PollPrinter();
}

void CPinwardenDlg::PollPrinter() {
    m_printerList.clear();
    std::vector<QueueInfo> queues;
    const bool spoolerAnswered = m_spooler.EnumLocalQueues(queues);
    if (!spoolerAnswered) queues.clear();

    bool found = false;
    std::optional<bool> stoppedWith;
    for (const auto& queue : queues) {
        if (!MatchesPrinterQueue(queue)) continue;
        found = true;
        if (!m_deviceOpened) {
            m_queueName = queue.name;
            m_device.Close();
            m_deviceOpened = m_device.Open(m_queueName, kRequestIndex, kDataSize);
            m_view.SetCaption(queue.name);
            if (!m_deviceOpened) continue;
        }
        if (m_deviceReady) continue;
        if (IsReady(m_device.GetStatus(), ReadyRule::LowBitsAreOne)) {
            m_deviceReady = true;
            ReadHeadData();
            ShowUsage();
            UpdateData();
            m_view.Repaint();
        }
        stoppedWith = m_deviceOpened && m_deviceReady;
        break;
    }
    const bool enable = stoppedWith.value_or(found && m_deviceOpened && m_deviceReady);
    EnableControls(enable);
    ShowStatusReason(enable ? std::nullopt : ReasonForNoPrinter(spoolerAnswered, found));
}

std::optional<Message> CPinwardenDlg::ReasonForNoPrinter(bool spoolerAnswered, bool queueFound) const {
    return LinkProblem({spoolerAnswered, queueFound && m_access != nullptr, m_deviceOpened,
                        m_access ? m_access->Last() : DeviceAccessFailure::None, m_spooler.LastFailure()});
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
    if (!m_device.Reopen()) {
        m_deviceReady = false;
        // The stored path is gone; the printer may be back on another port, which only its
        // queue can tell, so the next tick searches again.
        m_deviceOpened = false;
    }
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

void CPinwardenDlg::FillPrinterList(std::span<const QueueInfo> queues) {
    m_printerList.clear();
    for (const auto& queue : queues) {
        if (MatchesPrinterQueue(queue)) m_printerList.push_back(queue.name);
    }
    std::ranges::sort(m_printerList);
}

void CPinwardenDlg::OnPrinterListDropDown() {
    std::vector<QueueInfo> queues;
    if (!m_spooler.EnumLocalQueues(queues)) queues.clear();
    FillPrinterList(queues);
}

void CPinwardenDlg::OnPrinterListSelChange(std::size_t index) {
    if (index >= m_printerList.size()) return;
    m_queueName = m_printerList[index];
    m_view.EnableControl(IDC_PRINTER_LIST, false);
    ReadHeadData();
    ShowUsage();
    EnableControls(true);
    UpdateData();
}

bool CPinwardenDlg::WaitUntilReady() {
    return WaitForReady(m_device, m_clock, m_pause, ReadyRule::StatusIsOne) == 1;
}

void CPinwardenDlg::OnCleaning() {
    if (m_view.ShowMessage(Message::Of(kCleaningConfirmation), MbButtons::OkCancel, MbIcon::Information) !=
        MbResult::Ok) {
        return;
    }
    const WaitCursor busy(m_view);
    for (const auto& step : CleaningSteps) {
        if (step.headFlag == -1) break;
        // A printer that stops answering or never gets ready abandons the rest of the sequence.
        if (!WaitUntilReady()) return;
        m_device.SetHeadFlag(step.headFlag != 0);
        if (!WaitUntilReady()) return;
        const std::array<std::int32_t, 2> values{step.value1, step.value2};
        m_device.SendMotionBlock(values, kCleaningMotionWord);
    }
}

void CPinwardenDlg::OnReplaceHead() { RunWizardFrame(WizardKind::ReplaceHead); }

void CPinwardenDlg::OnReadjustPins() { RunWizardFrame(WizardKind::ReadjustPins); }

// The printer's data is saved before the wizard and either kept (Finish) or written back. The
// refresh stays off until the write back is settled, so that a poll that reconnects meanwhile
// cannot take the printer's wizard-changed values as the ones to restore.
void CPinwardenDlg::RunWizardFrame(WizardKind kind) {
    const bool replaceHead = kind == WizardKind::ReplaceHead;
    ReadHeadData();
    m_wizardRunning = true;
    if (m_view.RunWizard(kind) == kWizardFinished) {
        WriteUsageRecord(true);
        m_savedPinSettings = m_pinSettings;
        ReadUsageCounterGroup(m_device, m_usageCounters);
        m_savedUsageCounters = m_usageCounters;
        ShowUsage();
        if (replaceHead) {
            UpdateData();
            m_view.Repaint();
        }
    } else {
        WriteUsageRecord(false);
        m_pinSettings = m_savedPinSettings;
        if (replaceHead) m_usageCounters = m_savedUsageCounters;
        PutBackSavedGroups(replaceHead);
    }
    m_wizardRunning = false;
}

// A group is put back when the printer, read afterwards, holds the saved values. Saved values
// that fail their range checks were never the printer's to restore and are left alone.
RollbackFailure CPinwardenDlg::WriteBackSavedGroups(bool settings, bool counters) {
    RollbackFailure failed;
    if (settings && IsValidPinSettings(m_savedPinSettings)) {
        failed.pinSettings = !WritePinSettings(m_savedPinSettings);
    }
    if (counters && IsValidUsageCounters(m_savedUsageCounters)) {
        failed.usageCounters = !WriteUsageCounters(m_savedUsageCounters);
    }
    PinSettings readSettings;
    UsageCounters readCounters;
    const bool read = ReadHeadGroups(m_device, readSettings, readCounters).Ok();
    if (settings && IsValidPinSettings(m_savedPinSettings) && (!read || readSettings != m_savedPinSettings)) {
        failed.pinSettings = true;
    }
    if (counters && IsValidUsageCounters(m_savedUsageCounters) && (!read || readCounters != m_savedUsageCounters)) {
        failed.usageCounters = true;
    }
    return failed;
}

void CPinwardenDlg::PutBackSavedGroups(bool counters) {
    RollbackFailure failed = WriteBackSavedGroups(true, counters);
    while (failed.Any()) {
        if (m_view.ShowMessage(RollbackFailedMessage(failed), MbButtons::RetryCancel, MbIcon::Warning) !=
            MbResult::Retry) {
            return;
        }
        failed = WriteBackSavedGroups(failed.pinSettings, failed.usageCounters);
    }
}

void CPinwardenDlg::SetUsageRecordPlatform(const UsageRecordPlatform& platform) { m_usageRecord.emplace(platform); }

void CPinwardenDlg::WriteUsageRecord(bool finished) {
    if (!m_usageRecord) return;
    if (auto failure = m_usageRecord->Append(finished, LocalDate(), m_savedPinSettings, m_savedUsageCounters)) {
        m_view.ShowMessage(*failure, MbButtons::Ok, MbIcon::Warning);
    }
}

RestoreOutcome CPinwardenDlg::RestoreSettings() {
    ReadHeadData();
    const RestoreWriters writers{
        [this](const PinSettings& settings) { return WritePinSettings(settings); },
        [this](const UsageCounters& counters) { return WriteUsageCounters(counters); },
        [this](const Message& message, MbIcon icon) { m_view.ShowMessage(message, MbButtons::Ok, icon); },
    };
    return RestoreFromRecordFile(m_usageRecord ? &*m_usageRecord : nullptr, m_pinSettings, m_usageCounters, writers);
}

RestoreOutcome CPinwardenDlg::PreviewRestore() {
    ReadHeadData();
    PinSettings settings = m_pinSettings;
    UsageCounters counters = m_usageCounters;
    return RestoreFromRecordFile(m_usageRecord ? &*m_usageRecord : nullptr, settings, counters, {}, true);
}

void CPinwardenDlg::ReadHeadData() {
    if (m_wizardRunning) return;
    if (!IsReady(m_device.GetStatus(), ReadyRule::LowBitsAreOne)) return;
    if (!m_deviceReady) return;
    ReadHeadGroups(m_device, m_pinSettings, m_usageCounters);
    m_savedPinSettings = m_pinSettings;
    m_savedUsageCounters = m_usageCounters;
}

void CPinwardenDlg::ShowUsage() {
    m_shownUsage = m_usageCounters.PinCounter;
    // In 16 bits, as the printer's own tool did: a failed read (-1) leaves no button checked.
    m_selectedPin = static_cast<std::int16_t>(m_pinSettings.SelectedPin - 1);
}

bool CPinwardenDlg::WritePinSettings(PinSettings settings) {
    if (!WaitUntilReady()) return false;
    if (!IsValidPinSettings(settings)) return false;
    const std::array<std::uint16_t, 2> pair{static_cast<std::uint16_t>(settings.WordPair[0]),
                                            static_cast<std::uint16_t>(settings.WordPair[1])};
    m_device.WriteWordPair(pair);
    m_device.SelectPin(static_cast<std::uint8_t>(settings.SelectedPin));
    m_device.WritePinAdjustments(Raw(settings.PinAdjustments));
    return true;
}

bool CPinwardenDlg::WriteUsageCounters(UsageCounters counters) {
    if (!WaitUntilReady()) return false;
    if (!IsValidUsageCounters(counters)) return false;
    m_device.WriteTotalCounter(static_cast<std::uint32_t>(counters.TotalCounter));
    for (int pin = kFirstPin; pin <= kLastPin; ++pin) {
        const auto value = counters.PinCounter[static_cast<std::size_t>(pin - kFirstPin)];
        m_device.WritePinCounter(static_cast<std::uint8_t>(pin), static_cast<std::uint32_t>(value));
    }
    const std::array<std::uint16_t, 2> heads{static_cast<std::uint16_t>(counters.HeadCounters[0]),
                                             static_cast<std::uint16_t>(counters.HeadCounters[1])};
    m_device.WriteHeadCounters(heads);
    return true;
}

void CPinwardenDlg::OnPinSelected(int pinIndex) {
    if (pinIndex < 0 || pinIndex >= kPinCount || m_selectedPin == pinIndex) return;
    m_selectedPin = pinIndex;
    m_view.EnableControl(IDC_APPLY_PIN_CHANGE, true);
}

void CPinwardenDlg::OnApplyPinChange() {
    UpdateData();
    m_pinSettings.SelectedPin = m_selectedPin + 1;
    if (IsValidPinSettings(m_pinSettings) &&
        !m_device.SelectPin(static_cast<std::uint8_t>(m_pinSettings.SelectedPin))) {
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

void CPinwardenDlg::MoveHeadToCentre() {
    m_device.SetHeadFlag(true);
    m_device.MoveHead(kHeadCentre);
}

void CPinwardenDlg::ResetPinSettings() {
    m_pinSettings.PinAdjustments.fill(0);
    m_pinSettings.SelectedPin = kFirstPin;
    WritePinSettings(m_pinSettings);
    m_pinSettings.SelectedPin = m_device.ReadSelectedPin();
}

void CPinwardenDlg::ResetPinCounters() {
    m_usageCounters.PinCounter.fill(0);
    for (auto& head : m_usageCounters.HeadCounters) head = static_cast<std::int16_t>(head + 1);
    WriteUsageCounters(m_usageCounters);
}

void CPinwardenDlg::ApplyPinAdjustments(std::span<const std::int32_t, kPinCount> values) {
    for (std::size_t i = 0; i < kPinCount; ++i) {
        auto& adjustment = m_pinSettings.PinAdjustments[i];
        adjustment = static_cast<std::int16_t>(static_cast<std::uint16_t>(adjustment) +
                                               static_cast<std::uint16_t>(values[i]));
    }
    WritePinSettings(m_pinSettings);
}

std::string CPinwardenDlg::GetPrinterName() const { return m_queueName; }

}  // namespace zt40
