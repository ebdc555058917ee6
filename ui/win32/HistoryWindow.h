#pragma once
// "Maintenance history...": the usage record's records in a list, newest first, a record that
// restore would pass over shaded; exported as the command line's CSV through the save dialog,
// and what the export came to shown under the list.
#include <windows.h>

#include <string>
#include <vector>

#include "record/UsageHistory.h"
#include "session/Outcome.h"
#include "ui/win32/Controls.h"

namespace zt40::win {

inline constexpr int IDC_HISTORY_NOTE = 1201;
inline constexpr int IDC_HISTORY_LIST = 1202;
inline constexpr int IDC_HISTORY_EXPORT = 1203;
inline constexpr int IDC_HISTORY_OUTCOME = 1204;
// The Close button is IDCANCEL, so that Esc and the title bar's close do the same.

// Reads the record file anew and shows it over `owner` until the operator closes the window.
void ShowHistoryWindow(HWND owner, const UsageRecordPlatform& records);

class HistoryWindow {
public:
    explicit HistoryWindow(HistoryRead history);
    ~HistoryWindow();
    HistoryWindow(const HistoryWindow&) = delete;
    HistoryWindow& operator=(const HistoryWindow&) = delete;

    // Shows the window over `owner`, which it disables, until it is closed.
    void RunModal(HWND owner);
    // Shows the window and returns at once; false when it could not be made.
    bool Create(HWND owner);
    HWND Handle() const { return m_window; }

    // Writes the rows as CSV to `path`, replacing a file there only once all of it is written,
    // and shows the outcome under the list.
    Outcome ExportTo(const std::wstring& path);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInit();
    void FillList();
    LRESULT OnCustomDraw(LPARAM lParam) const;
    void ChooseExportFile();
    void Close();

    HistoryRead m_history;
    HWND m_window = nullptr;
    bool m_modal = false;
    FontHandle m_font;
};

}  // namespace zt40::win
