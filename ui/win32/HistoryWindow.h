#pragma once
// "Maintenance history...": the usage record's records in a list, newest first, a record that
// restore would pass over shaded; exported as the command line's CSV through the save dialog,
// and what the export came to shown under the list. Beside the list, on a tab of its own, the
// "Wear" view of the counter samples.
#include <windows.h>

#include <string>
#include <vector>

#include "app/WearChartModel.h"
#include "record/UsageHistory.h"
#include "session/Outcome.h"
#include "ui/win32/Controls.h"

namespace zt40::win {

inline constexpr int IDC_HISTORY_NOTE = 1401;
inline constexpr int IDC_HISTORY_LIST = 1402;
inline constexpr int IDC_HISTORY_EXPORT = 1403;
inline constexpr int IDC_HISTORY_OUTCOME = 1404;
inline constexpr int IDC_HISTORY_TABS = 1405;  // "Records", "Wear"
inline constexpr int IDC_HISTORY_WEAR = 1406;
// The Close button is IDCANCEL, so that Esc and the title bar's close do the same.

// Reads the record file and the counter samples anew and shows them over `owner` until the
// operator closes the window.
void ShowHistoryWindow(HWND owner, const UsageRecordPlatform& records);

class HistoryWindow {
public:
    // `samples` feed the "Wear" view beside the records.
    explicit HistoryWindow(HistoryRead history, const SamplesRead& samples = {});
    ~HistoryWindow();
    HistoryWindow(const HistoryWindow&) = delete;
    HistoryWindow& operator=(const HistoryWindow&) = delete;

    // Shows the window over `owner`, which it disables, until it is closed.
    void RunModal(HWND owner);
    // Shows the window and returns at once; false when it could not be made.
    bool Create(HWND owner);
    HWND Handle() const { return m_window; }
    // Shows the "Wear" view, or the records, as the tabs would.
    void ShowWear(bool wear = true);

    // Writes the rows as CSV to `path`, replacing a file there only once all of it is written,
    // and shows the outcome under the list.
    Outcome ExportTo(const std::wstring& path);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInit();
    void FillList();
    void SizeColumns(HWND list) const;
    LRESULT OnCustomDraw(LPARAM lParam) const;
    void ChooseExportFile();
    void Close();

    HistoryRead m_history;
    WearChartModel m_wear;
    HWND m_window = nullptr;
    bool m_modal = false;
    FontHandle m_font;
};

}  // namespace zt40::win
