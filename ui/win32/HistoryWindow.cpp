#include "ui/win32/HistoryWindow.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "app/CPinwardenDlg.h"
#include "record/HistoryTexts.h"
#include "ui/win32/WearChartGdi.h"
#include "ui/win32/WinText.h"

namespace zt40::win {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
// Tall enough for the Wear view's legend of nine pins and two bands.
constexpr int kClientWidth = 520, kClientHeight = 268;
constexpr Place kTabsPlace{7, 24, 506, 214};
// Room around a column's longest text, the header's and the list's own margins included.
constexpr int kColumnPaddingChars = 3;
constexpr COLORREF kUnusableShade = RGB(255, 228, 225);

// An empty dialog of `style`: the controls are made in the font the window picks itself.
std::vector<WORD> DialogTemplate(DWORD style) {
    DLGTEMPLATE dialog{};
    dialog.style = style;
    // After the header: no menu, the default class, an empty title; each a zero word.
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    std::memcpy(words.data(), &dialog, sizeof(dialog));
    return words;
}

const DLGTEMPLATE* AsTemplate(const std::vector<WORD>& words) {
    return reinterpret_cast<const DLGTEMPLATE*>(words.data());
}

// The system's words for `code`, in UTF-8 whatever the code page.
std::string SystemReason(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length != 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.')) {
        text.pop_back();
    }
    return text.empty() ? "system error " + std::to_string(code) : Narrow(text);
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// The whole of `bytes` under `path`, through a file beside it that replaces the old one only
// once complete: an export that fails midway leaves the earlier file as it was. 0 on success,
// else the system's error code.
DWORD WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring part = path + L".part";
    {
        FileHandle file(CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) {
            file.release();
            return GetLastError();
        }
        DWORD written = 0;
        const bool complete = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                        nullptr) &&
                              written == bytes.size() && FlushFileBuffers(file.get());
        const DWORD error = complete ? 0 : (GetLastError() != 0 ? GetLastError() : ERROR_WRITE_FAULT);
        if (!complete) {
            file.reset();
            DeleteFileW(part.c_str());
            return error;
        }
    }
    if (!MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(part.c_str());
        return error;
    }
    return 0;
}

}  // namespace

HistoryWindow::HistoryWindow(HistoryRead history, const SamplesRead& samples)
    : m_history(std::move(history)), m_wear(MakeWearChart(samples.samples, LocalDate())) {}

HistoryWindow::~HistoryWindow() {
    if (m_window != nullptr && !m_modal) DestroyWindow(m_window);
}

void HistoryWindow::RunModal(HWND owner) {
    const auto dialog = DialogTemplate(kStyle);
    m_modal = true;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), AsTemplate(dialog), owner, &HistoryWindow::Procedure,
                            reinterpret_cast<LPARAM>(this));
    m_modal = false;
    m_window = nullptr;
}

bool HistoryWindow::Create(HWND owner) {
    const auto dialog = DialogTemplate(kStyle | WS_VISIBLE);
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), AsTemplate(dialog), owner,
                                      &HistoryWindow::Procedure, reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK HistoryWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<HistoryWindow*>(lParam);
        self->m_window = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<HistoryWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr) return FALSE;
    if (message == WM_NCDESTROY) {
        self->m_window = nullptr;
        return FALSE;
    }
    return self->OnMessage(message, wParam, lParam);
}

INT_PTR HistoryWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit();
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            Close();
        } else if (LOWORD(wParam) == IDC_HISTORY_EXPORT && HIWORD(wParam) == BN_CLICKED) {
            ChooseExportFile();
        }
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_HISTORY_TABS && header->code == TCN_SELCHANGE) {
            ShowWear(SendDlgItemMessageW(m_window, IDC_HISTORY_TABS, TCM_GETCURSEL, 0, 0) == 1);
            return TRUE;
        }
        if (header->idFrom != IDC_HISTORY_LIST || header->code != NM_CUSTOMDRAW) return FALSE;
        SetWindowLongPtrW(m_window, DWLP_MSGRESULT, OnCustomDraw(lParam));
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void HistoryWindow::OnInit() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    SetWindowTextW(m_window, Translate(historytext::kTitle).c_str());
    m_font = MessageFont();
    HFONT font = FontOrDefault(m_font);
    const DialogUnits units = UnitsOf(font);
    RECT frame = units.Rect({0, 0, kClientWidth, kClientHeight});
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE)));
    // Over the owner's top-left corner, a little in.
    RECT owner{};
    if (HWND ownerWindow = GetWindow(m_window, GW_OWNER); ownerWindow != nullptr) GetWindowRect(ownerWindow, &owner);
    SetWindowPos(m_window, nullptr, owner.left + 24, owner.top + 24, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER);

    std::wstring note;
    if (m_history.failure) {
        note = Render(*m_history.failure);
    } else if (m_history.rows.empty()) {
        note = Translate(historytext::kNothingYet);
    } else {
        note = Render(Message::Of(historytext::kRecordsOf, {m_history.path}));
    }
    AddControl(m_window, units, font, IDC_HISTORY_NOTE, L"STATIC", SS_LEFT | SS_NOPREFIX, note, {7, 6, 506, 16});
    // The pages lie over the tabs' display area as the tabs' siblings.
    HWND tabs = AddControl(m_window, units, font, IDC_HISTORY_TABS, WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS, L"",
                           kTabsPlace);
    for (const auto& [index, title] : {std::pair{0, historytext::kRecordsTab}, std::pair{1, historytext::kWearTab}}) {
        std::wstring text = Translate(title);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    RECT page = units.Rect(kTabsPlace);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                                page.left, page.top, page.right - page.left, page.bottom - page.top, m_window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_HISTORY_LIST)),
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    CreateWearChartWindow(m_window, IDC_HISTORY_WEAR, page, m_wear, font);
    // A child made later lies under those before it: the tabs go under their pages.
    SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    AddControl(m_window, units, font, IDC_HISTORY_OUTCOME, L"STATIC", SS_LEFT | SS_NOPREFIX, L"", {7, 244, 340, 20});
    HWND exportButton = AddControl(m_window, units, font, IDC_HISTORY_EXPORT, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP,
                                   Translate(historytext::kExport), {360, 246, 74, 14});
    EnableWindow(exportButton, !m_history.rows.empty());
    AddControl(m_window, units, font, IDCANCEL, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP,
               Translate(historytext::kClose), {439, 246, 74, 14});
    FillList();
    SetFocus(list);
}

void HistoryWindow::FillList() {
    HWND list = GetDlgItem(m_window, IDC_HISTORY_LIST);
    const auto& columns = HistoryColumns();
    for (std::size_t column = 0; column < columns.size(); ++column) {
        std::wstring title = Translate(columns[column].title);
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT | LVCF_SUBITEM;
        item.pszText = title.data();
        item.iSubItem = static_cast<int>(column);
        SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
    }
    for (std::size_t row = 0; row < m_history.rows.size(); ++row) {
        const auto cells = HistoryCellMessages(m_history.rows[row]);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            std::wstring text = Render(cells[column]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(row);
            item.iSubItem = static_cast<int>(column);
            item.pszText = text.data();
            SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        }
    }
    SizeColumns(list);
}

void HistoryWindow::SizeColumns(HWND list) const {
    // Measured here, each in the font it is drawn in: the list's own sizing leaves a header
    // wider than its column's cells cut short.
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const auto width = [](HWND control, const std::wstring& text) {
        HDC dc = GetDC(control);
        if (dc == nullptr) return 0;
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(control, dc);
        return static_cast<int>(size.cx + kColumnPaddingChars * metrics.tmAveCharWidth);
    };
    const auto& columns = HistoryColumns();
    for (std::size_t column = 0; column < columns.size(); ++column) {
        int widest = width(header != nullptr ? header : list, Translate(columns[column].title));
        for (const auto& row : m_history.rows) {
            widest = std::max(widest, width(list, Render(HistoryCellMessages(row)[column])));
        }
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(widest, 0));
    }
}

void HistoryWindow::ShowWear(bool wear) {
    if (m_window == nullptr) return;
    SendDlgItemMessageW(m_window, IDC_HISTORY_TABS, TCM_SETCURSEL, wear ? 1 : 0, 0);
    ShowWindow(GetDlgItem(m_window, IDC_HISTORY_LIST), wear ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(m_window, IDC_HISTORY_WEAR), wear ? SW_SHOW : SW_HIDE);
}

LRESULT HistoryWindow::OnCustomDraw(LPARAM lParam) const {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const auto row = static_cast<std::size_t>(draw->nmcd.dwItemSpec);
    if (row < m_history.rows.size() && !m_history.rows[row].Usable()) draw->clrTextBk = kUnusableShade;
    return CDRF_NEWFONT;
}

Outcome HistoryWindow::ExportTo(const std::wstring& path) {
    const DWORD error = WriteWholeFile(path, HistoryCsv(m_history.rows));
    Outcome outcome = error == 0
                          ? Outcome::Done(Message::Of(historytext::kWritten, {Narrow(path)}))
                          : Outcome::Failed(Message::Of(historytext::kNotWritten, {Narrow(path), SystemReason(error)}),
                                            std::nullopt);
    if (m_window != nullptr) SetDlgItemTextW(m_window, IDC_HISTORY_OUTCOME, Render(outcome.what).c_str());
    return outcome;
}

void HistoryWindow::ChooseExportFile() {
    std::array<wchar_t, MAX_PATH> path{};
    const std::wstring name = Widen(historytext::kDefaultFileName);
    name.copy(path.data(), path.size() - 1);
    // Description and pattern, each ended by a zero, the list by a second one.
    std::wstring filter = Translate(historytext::kCsvFiles);
    filter.append(1, L'\0').append(L"*.csv").append(2, L'\0');
    const std::wstring title = Translate(historytext::kExportTitle);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = m_window;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog)) return;
    const Outcome outcome = ExportTo(path.data());
    if (outcome.failed) {
        MessageBoxW(m_window, Render(outcome.what).c_str(), Translate(kWindowCaption).c_str(), MB_OK | MB_ICONWARNING);
    }
}

void HistoryWindow::Close() {
    if (m_modal) {
        EndDialog(m_window, IDCANCEL);
    } else {
        DestroyWindow(m_window);
    }
}

void ShowHistoryWindow(HWND owner, const UsageRecordPlatform& records) {
    HistoryWindow window(ReadUsageHistory(records), ReadSamples(records));
    window.RunModal(owner);
}

}  // namespace zt40::win
