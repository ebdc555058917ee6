// The native history window: the record file's rows in the list view newest first, found by
// control id as a walk-through finds them, and the CSV export writing the command line's bytes
// with its outcome shown, done or failed with the system's reason.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/win32/Win32RecordFiles.h"
#include "record/HistoryTexts.h"
#include "support/FakeDataFolderPlatform.h"
#include "ui/win32/HistoryWindow.h"
#include "ui/win32/WinText.h"

namespace zt40::testing {
namespace {

using win::HistoryWindow;
using win::Narrow;

std::string TwoRecordsText() {
    UsageCounters counters{120, {}, {1, 0}};
    std::string text = FormatUsageRecord(true, {2026, 12, 1}, PinSettings{{0, 0}, 2, {}}, counters);
    counters.PinCounter[3] = -4;  // restore passes this one over
    text += FormatUsageRecord(false, {2026, 12, 2}, PinSettings{{0, 0}, 2, {}}, counters);
    return text;
}

HistoryRead TwoRecords() {
    const std::string text = TwoRecordsText();
    LineReader lines{std::string_view(text)};
    std::vector<UsageRecord> records;
    ForEachRecord(lines, [&](UsageRecord&& record) { records.push_back(std::move(record)); });
    return HistoryRead{"C:\\records\\zt40util.txt", BuildHistory(std::move(records)), false, std::nullopt};
}

std::string CellText(HWND window, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendDlgItemMessageW(window, win::IDC_HISTORY_LIST, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                        reinterpret_cast<LPARAM>(&item));
    return Narrow(text);
}

LRESULT RowCount(HWND window) { return SendDlgItemMessageW(window, win::IDC_HISTORY_LIST, LVM_GETITEMCOUNT, 0, 0); }

std::string ControlText(HWND window, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(window, id, text, 512);
    return Narrow(text);
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class TempFolder {
public:
    TempFolder() {
        m_path = std::filesystem::temp_directory_path() / ("zt40-history-" + std::to_string(GetCurrentProcessId()) +
                                                           "-" + std::to_string(GetTickCount64()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

TEST(HistoryWindow, ListsTheRowsNewestFirstUnderTheColumnsTheCommandLineExports) {
    const auto history = TwoRecords();
    HistoryWindow window(history);
    ASSERT_TRUE(window.Create(nullptr));
    ASSERT_EQ(RowCount(window.Handle()), 2);
    const auto& columns = HistoryColumns();
    for (int row = 0; row < 2; ++row) {
        const auto expected = HistoryCells(history.rows[static_cast<std::size_t>(row)]);
        for (std::size_t column = 0; column < columns.size(); ++column) {
            EXPECT_EQ(CellText(window.Handle(), row, static_cast<int>(column)), expected[column])
                << "row " << row << ", column " << columns[column].key;
        }
    }
    // Newest first: the record of 2 December, the second in the file, is the top row.
    EXPECT_EQ(history.rows[0].number, 2u);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window.Handle(), win::IDC_HISTORY_EXPORT)));
    EXPECT_NE(ControlText(window.Handle(), win::IDC_HISTORY_NOTE).find("C:\\records\\zt40util.txt"), std::string::npos);
}

// Each column as wide as its header and its longest cell, with room to spare, in either edition.
TEST(HistoryWindow, NoColumnCutsItsHeaderOrItsCells) {
    const auto history = TwoRecords();
    for (const auto language : {win::Language::English, win::Language::Japanese}) {
        win::UseLanguage(language);
        HistoryWindow window(history);
        ASSERT_TRUE(window.Create(nullptr));
        HWND list = GetDlgItem(window.Handle(), win::IDC_HISTORY_LIST);
        HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
        ASSERT_NE(header, nullptr);
        HDC dc = GetDC(header);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
        const auto& columns = HistoryColumns();
        for (std::size_t column = 0; column < columns.size(); ++column) {
            const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
            const std::wstring title = win::Translate(columns[column].title);
            SIZE size{};
            GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &size);
            // The header's margins on both sides take about 12 pixels.
            EXPECT_GE(width, size.cx + 12) << columns[column].key;
            for (int row = 0; row < 2; ++row) {
                const std::wstring cell = win::Widen(CellText(window.Handle(), row, static_cast<int>(column)));
                const auto cellWidth = SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(cell.c_str()));
                EXPECT_GE(width, cellWidth + 12) << columns[column].key << ", row " << row;
            }
        }
        SelectObject(dc, previous);
        ReleaseDC(header, dc);
    }
    win::UseLanguage(win::Language::English);
}

TEST(HistoryWindow, AnEmptyRecordSaysSoAndHasNothingToExport) {
    HistoryWindow window(HistoryRead{"C:\\records\\zt40util.txt", {}, true, std::nullopt});
    ASSERT_TRUE(window.Create(nullptr));
    EXPECT_EQ(RowCount(window.Handle()), 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window.Handle(), win::IDC_HISTORY_EXPORT)));
    EXPECT_EQ(ControlText(window.Handle(), win::IDC_HISTORY_NOTE), historytext::kNothingYet.source);
}

TEST(HistoryWindow, ExportWritesTheCommandLinesCsvAndSaysWhatCameOfIt) {
    TempFolder folder;
    const auto history = TwoRecords();
    HistoryWindow window(history);
    ASSERT_TRUE(window.Create(nullptr));
    const auto target = folder.Path() / "history.csv";
    const struct {
        const char* what;
        std::filesystem::path path;
        bool failed;
        const char* shown;
    } cases[] = {
        {"a new file", target, false, "The history was written to "},
        {"over an earlier export", target, false, "The history was written to "},
        {"into a missing folder", folder.Path() / "missing" / "history.csv", true, "could not be written to "},
    };
    std::ofstream(target, std::ios::binary) << "an earlier, longer export that must not survive in part\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome outcome = window.ExportTo(c.path.wstring());
        EXPECT_EQ(outcome.failed, c.failed);
        const std::string shown = ControlText(window.Handle(), win::IDC_HISTORY_OUTCOME);
        EXPECT_NE(shown.find(c.shown), std::string::npos) << shown;
        EXPECT_NE(shown.find(c.path.string()), std::string::npos) << shown;
        if (c.failed) {
            // A failure names the system's reason after the path.
            EXPECT_GT(shown.size(), shown.find(": ") + 2) << shown;
        } else {
            EXPECT_EQ(FileBytes(c.path), HistoryCsv(history.rows));
        }
        // Nothing of a half-written file stays.
        EXPECT_FALSE(std::filesystem::exists(c.path.string() + ".part"));
    }
}

// The window as the menu command shows it: modal over its owner, reading the record file anew.
TEST(HistoryWindow, TheMenuCommandShowsTheRecordFileOverItsOwner) {
    TempFolder folder;
    std::ofstream(folder.Path() / "zt40util.txt", std::ios::binary) << TwoRecordsText();
    test::FakeDataFolderPlatform folders;
    folders.override = folder.Path().string();
    folders.existing.insert(folder.Path().string());
    Win32RecordFiles files;
    const UsageRecordPlatform records{folders, files, "zt40util"};

    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    struct Seen {
        HWND owner;
        LRESULT rows = -1;
        bool ownerDisabled = false;
    };
    static Seen seen{};
    seen = Seen{owner};
    // Runs inside the window's own modal loop: looks, then closes it as the operator would.
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND shown = GetLastActivePopup(seen.owner);
        if (shown == seen.owner || shown == nullptr) return;
        seen.rows = RowCount(shown);
        seen.ownerDisabled = !IsWindowEnabled(seen.owner);
        PostMessageW(shown, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    win::ShowHistoryWindow(owner, records);
    KillTimer(nullptr, timer);
    EXPECT_EQ(seen.rows, 2);
    EXPECT_TRUE(seen.ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

}  // namespace
}  // namespace zt40::testing
