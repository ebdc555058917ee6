#pragma once
// The main dialog's presenter: it turns the window's events into calls on the printer
// session and the maintenance frame, and decides what the window shows and enables when.
// The window it drives is injected, so all of it runs without a toolkit.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/DataFreshness.h"
#include "app/MainWindowModel.h"
#include "app/PinwardenView.h"
#include "platform/DeviceAccess.h"
#include "platform/DeviceChangeMonitor.h"
#include "platform/Text.h"
#include "session/HeadServices.h"
#include "session/MaintenanceFrame.h"
#include "session/Outcome.h"
#include "session/PrinterSession.h"

namespace zt40 {

class CPinwardenDlg : public IPinwardenServices {
public:
    // `access`, when given, is the report the platform's finder and opener fill; the status
    // line takes its reason from it. `pause` spaces the polls of a wait for ready. `queue`,
    // when given, is the only queue the poll uses.
    CPinwardenDlg(const DeviceLinkPlatform& platform, IPinwardenView& view, PauseFn pause = SleepPause,
                  const DeviceAccessReport* access = nullptr, std::optional<std::string> queue = std::nullopt);
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

    // The hidden queue list (control 1000): refilled on drop-down, adopted on selection.
    void OnPrinterListDropDown();
    void OnPrinterListSelChange(std::size_t index);
    const std::vector<std::string>& PrinterList() const { return m_printerList; }

    void OnCleaning();
    void OnReplaceHead();
    void OnReadjustPins();

    // --- the usage record ---
    void SetUsageRecordPlatform(const UsageRecordPlatform& platform) {
        m_frame.SetUsageRecordPlatform(platform);
        m_records.emplace(platform);
    }
    std::optional<Message> WriteUsageRecord(bool finished) { return m_frame.WriteUsageRecord(finished); }
    const std::optional<Message>& RecordFailure() const { return m_frame.RecordFailure(); }
    // "Restoration of setting", then what it did told.
    RestoreOutcome RestoreSettings();
    RestoreOutcome PreviewRestore() { return m_frame.PreviewRestore(); }

    // --- the printer's data ---
    // Both groups, then, when both were read, the day's counter sample and the forecast; why
    // the groups could not be read fresh, when they could not.
    std::optional<Message> ReadHeadData();
    // The copies as the printer holds them, into the pin buttons and bars.
    void ShowUsage();
    bool WritePinSettings(PinSettings settings) { return m_session.Groups().WritePinSettings(settings); }
    bool WriteUsageCounters(UsageCounters counters) { return m_session.Groups().WriteUsageCounters(counters); }
    void OnPinSelected(int pinIndex);
    void OnApplyPinChange();
    void OnRefresh();

    // The Cancel of the wait on show: the session's wait ends at its next status read, before
    // anything more is sent.
    void OnCancelWait() { m_waitCancelled = true; }

    // What the window shows and enables, as last rendered.
    const MainWindowState& State() const { return m_state; }

    // --- services for the wizard pages: each shows its wait, and its failure with the reason ---
    bool MoveHeadToCentre() override;
    bool ResetPinSettings() override;
    bool ResetPinCounters() override;
    bool ApplyPinAdjustments(std::span<const std::int32_t, kPinCount> values) override;
    std::string GetPrinterName() const override { return m_session.QueueName(); }

    // --- what the pin buttons and bars show ---
    DialogData Data() const {
        DialogData data;
        data.selectedPin = m_selectedPin;
        data.shownUsage = m_shownUsage;
        data.forecast = m_forecast;
        m_freshness.Fill(data);
        return data;
    }

    // --- state, for the window's tests ---
    bool DeviceOpened() const { return m_session.Opened(); }
    bool DeviceReady() const { return m_session.Ready(); }
    bool WizardRunning() const { return m_frame.Running(); }
    const std::string& QueueName() const { return m_session.QueueName(); }
    const PinSettings& CurrentPinSettings() const { return m_frame.Copies().settings; }
    const PinSettings& SavedPinSettings() const { return m_frame.Copies().savedSettings; }
    const UsageCounters& CurrentUsageCounters() const { return m_frame.Copies().counters; }
    const UsageCounters& SavedUsageCounters() const { return m_frame.Copies().savedCounters; }
    CHeadDevice& Device() { return m_session.Device(); }
    PrinterSession& Session() { return m_session; }

private:
    // The frame's prompts are the window's message boxes. While one is open the poll sends
    // nothing: a status read of a silent printer would hold back the operator's answer, and
    // every click on the simulator's switches, for its whole time-out.
    class ViewPrompt final : public IMessageBox {
    public:
        explicit ViewPrompt(IPinwardenView& view) : m_view(view) {}
        MbResult Show(const Message& message, MbButtons buttons, MbIcon icon) override {
            ++m_open;
            const MbResult answer = m_view.ShowMessage(message, buttons, icon);
            --m_open;
            return answer;
        }
        bool Open() const { return m_open > 0; }

    private:
        IPinwardenView& m_view;
        int m_open = 0;
    };

    class Busy;
    // The state on show follows the members: rendered when anything in it changed.
    void Publish();
    void ShowWait(const std::optional<Message>& doing);
    void EnableControls(bool enable);
    // The status line as the session last learned it: the connect request while no printer
    // is open, the printer named as ready or not ready once it is.
    void ShowStatus(bool usable, std::optional<Message> reason);
    // A command found the printer silent, busy or in error: it is not ready until a status read
    // says so again, and the next poll asks.
    void PrinterFailed(const std::optional<Message>& why);
    bool Serve(Text doing, Text notDone, const std::function<bool()>& service);
    // The one place an action's end is told: a done one as a note in the status area for a
    // while, a failed one in a warning box with its reason.
    void Tell(const Outcome& outcome);
    void TellRestore(const RestoreOutcome& restored);
    void RunWizardFrame(WizardKind kind);
    // After a write or a run, the window shows what the printer holds: read back.
    void ShowPrinterValues();

    IPinwardenView& m_view;
    IClock& m_clock;  // the platform's, for how long a note stays
    ViewPrompt m_prompt;
    PausingClock m_commandClock;  // the device's waits for an answer pause in the view
    PrinterSession m_session;
    MaintenanceFrame m_frame;
    HeadServices m_services;

    std::vector<std::string> m_printerList;  // sorted, as the hidden list keeps it
    std::int32_t m_selectedPin = -1;
    std::array<std::int32_t, kPinCount> m_shownUsage{};
    std::array<PinForecast, kPinCount> m_forecast{};
    std::optional<UsageRecordPlatform> m_records;  // the record file's folder, for the samples
    DataFreshness m_freshness;
    int m_timerId = 0;

    MainWindowState m_state;
    std::optional<MainWindowState> m_rendered;
    std::optional<Message> m_reason;  // the status line's reason
    std::optional<Message> m_note;    // a done action's note, in the reason's place
    std::uint32_t m_noteEndsMs = 0;
    bool m_waitCancelled = false;
};

// The main window's title and every message box's caption.
inline constexpr Text kWindowCaption = ZT40_TR("CPinwardenDlg", "ZT-40 Pinwarden");

// The status line's first line, shown whenever no printer is found.
inline constexpr Text kConnectRequest = ZT40_TR("CPinwardenDlg", "Connect one ZT-40 unit and switch on the power.");
// How long a done action's note stays in the status area.
inline constexpr std::uint32_t kOutcomeNoteMs = 10'000;

}  // namespace zt40
