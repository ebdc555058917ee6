#pragma once
// The main dialog's logic: the connection poll, the printer's data groups, the pin choice,
// head cleaning and the services the wizard pages call. The window it drives is injected, so
// all of it runs without a toolkit.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/HeadData.h"
#include "app/PinData.h"
#include "app/PinwardenServices.h"
#include "app/PinwardenView.h"
#include "device/CHeadDevice.h"
#include "platform/DeviceAccess.h"
#include "platform/DeviceChangeMonitor.h"
#include "platform/Text.h"
#include "record/UsageRecordStore.h"
#include "wizards/RollbackPrompt.h"

namespace zt40 {

// One motion of the cleaning sequence; a row whose head flag is -1 ends the table.
struct CleaningStep {
    std::int32_t value1;
    std::int32_t value2;
    std::int32_t headFlag;
};

inline constexpr std::array<CleaningStep, 7> CleaningSteps{{
    {-416, 0, 1},
    {-416, 0, 0},
    {-416, 3333, 0},
    {-416, 0, 0},
    {-416, 0, 1},
    {0, 0, 1},
    {-1, -1, -1},
}};

// The word every cleaning motion block is sent with.
inline constexpr std::uint16_t kCleaningMotionWord = 0xFFFF;
// MoveHead's position code for the centre of the carriage.
inline constexpr std::uint8_t kHeadCentre = 4;

class CPinwardenDlg : public IPinwardenServices {
public:
    // `access`, when given, is the report the platform's finder and opener fill; the status
    // line takes its reason from it. `pause` spaces the polls of a wait for ready.
    CPinwardenDlg(const DeviceLinkPlatform& platform, IPinwardenView& view, PauseFn pause = SleepPause,
                  const DeviceAccessReport* access = nullptr);
    ~CPinwardenDlg() override;
    CPinwardenDlg(const CPinwardenDlg&) = delete;
    CPinwardenDlg& operator=(const CPinwardenDlg&) = delete;

    // --- window events ---
    bool OnInitDialog();
    // Every timer tick of the window; only the poll timer's id runs the poll.
    void OnTimer(int timerId);
    void PollPrinter();
    // Device nodes added or removed (event type 7) reopen the device; always true.
    bool OnDeviceChange(std::uint32_t eventType, std::uintptr_t eventData);
    // False when the command is not the dialog's: the window then does its default processing.
    bool OnSysCommand(int commandId, std::intptr_t lParam);
    // Stops the poll, then destroys the window (close box, Escape).
    bool DestroyWindow();

    void EnableControls(bool enable);

    // The hidden queue list (control 1000): refilled on drop-down, adopted on selection.
    void OnPrinterListDropDown();
    void OnPrinterListSelChange(std::size_t index);
    const std::vector<std::string>& PrinterList() const { return m_printerList; }

    void OnCleaning();
    void OnReplaceHead();
    void OnReadjustPins();

    // --- the usage record ---
    // Where the record file is kept; until it is set appending is skipped and restore finds
    // no record.
    void SetUsageRecordPlatform(const UsageRecordPlatform& platform);
    // Appends a record of the saved groups, 'o' when the wizard finished, 'x' otherwise; on
    // failure shows why and returns it, also kept until the next append.
    std::optional<Message> WriteUsageRecord(bool finished);
    const std::optional<Message>& RecordFailure() const { return m_recordFailure; }
    // "Restoration of setting": the groups that fail their range checks get the record file's
    // last usable record, or the defaults; what happened comes back for the command line.
    RestoreOutcome RestoreSettings();
    // What RestoreSettings would write, from the printer's groups and the file, writing,
    // showing and creating nothing.
    RestoreOutcome PreviewRestore();

    // --- the printer's data ---
    void ReadHeadData();
    void ShowUsage();
    bool WritePinSettings(PinSettings settings);
    bool WriteUsageCounters(UsageCounters counters);
    void OnPinSelected(int pinIndex);
    void OnApplyPinChange();
    void OnRefresh();

    // --- services for the wizard pages ---
    void MoveHeadToCentre() override;
    void ResetPinSettings() override;
    void ResetPinCounters() override;
    void ApplyPinAdjustments(std::span<const std::int32_t, kPinCount> values) override;
    std::string GetPrinterName() const override;

    // --- what the window renders ---
    DialogData Data() const { return {m_selectedPin, m_shownUsage}; }

    // --- state, for the window's tests and the command line ---
    bool DeviceOpened() const { return m_deviceOpened; }
    bool DeviceReady() const { return m_deviceReady; }
    bool WizardRunning() const { return m_wizardRunning; }
    const std::string& QueueName() const { return m_queueName; }
    const PinSettings& CurrentPinSettings() const { return m_pinSettings; }
    const PinSettings& SavedPinSettings() const { return m_savedPinSettings; }
    const UsageCounters& CurrentUsageCounters() const { return m_usageCounters; }
    const UsageCounters& SavedUsageCounters() const { return m_savedUsageCounters; }
    CHeadDevice& Device() { return m_device; }

private:
    bool WaitUntilReady();
    void FillPrinterList(std::span<const QueueInfo> queues);
    void UpdateData() { m_view.UpdateControls(Data()); }
    void ShowStatusReason(std::optional<Message> reason);
    std::optional<Message> ReasonForNoPrinter(bool spoolerAnswered, bool queueFound) const;
    void RunWizardFrame(WizardKind kind);
    void PutBackSavedGroups(bool counters);
    RollbackFailure WriteBackSavedGroups(bool settings, bool counters);

    IPinwardenView& m_view;
    ISpooler& m_spooler;
    IClock& m_clock;
    PauseFn m_pause;
    const DeviceAccessReport* m_access;

    CHeadDevice m_device;
    std::vector<std::string> m_printerList;  // sorted, as the hidden list keeps it
    std::int32_t m_selectedPin = -1;
    PinSettings m_pinSettings;
    PinSettings m_savedPinSettings;
    UsageCounters m_usageCounters;
    UsageCounters m_savedUsageCounters;
    std::string m_queueName;
    std::array<std::int32_t, kPinCount> m_shownUsage{};
    int m_timerId = 0;
    bool m_deviceOpened = false;
    bool m_deviceReady = false;
    bool m_wizardRunning = false;
    // The data folder, with the folder found last (m_dataFolderPath), in the record store.
    std::optional<UsageRecordStore> m_usageRecord;
    std::optional<Message> m_recordFailure;  // why the last record could not be appended

    std::optional<std::string> m_shownReason;  // English of the reason on show, to skip repeats
    bool m_statusShown = false;
};

// The status line's first line, shown whenever the printer is not connected.
inline constexpr Text kConnectRequest = ZT40_TR("CPinwardenDlg", "Connect one ZT-40 unit and switch on the power.");

}  // namespace zt40
