// zt40util.exe run as an operator runs it, on the simulated printer: started as a program of
// its own, its window and controls found through the system by their ids, clicked with
// BM_CLICK, and what it shows read back from the window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <commctrl.h>
#include <prsht.h>

#include <fstream>
#include <sstream>

#include "app/ControlIds.h"
#include "platform/sim/SimControls.h"
#include "record/RecordFormat.h"
#include "ui/win32/HistoryWindow.h"
#include "ui/win32/Resources.h"
#include "ui/win32/SimulatorIds.h"
#include "ui/win32/WinText.h"
#include "ui/win32/WizardSheetHost.h"
#include "ui/win32/WizardResources.h"
#include "wizards/AdjustPinPages.h"
#include "wizards/HeadPages.h"
#include "support/BuildTree.h"
#include "win32/ui/UtilProgram.h"
#include "ui/win32/WindowPicture.h"

namespace {

using namespace std::chrono_literals;
using zt40::IDC_APPLY_PIN_CHANGE;
using zt40::IDC_CLEANING;
using zt40::IDC_PIN_RADIOS;
using zt40::IDC_READJUST_PINS;
using zt40::IDC_REFRESH;
using zt40::IDC_REPLACE_HEAD;
using zt40::IDC_STATUS_LINE;
using zt40::testing::SystemPath;
using zt40::testing::UtilProgram;
using zt40::testing::WaitUntil;
using zt40::win::Narrow;

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

class MainWindowProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_data);
        m_program = std::make_unique<UtilProgram>(std::vector<std::wstring>{m_simulate},
                                                  std::vector<std::wstring>{L"ZT40_DATA_DIR=" + m_data.wstring()});
        ASSERT_TRUE(m_program->Started());
        ASSERT_TRUE(WaitUntil([&] { return (m_main = m_program->FindWindowWith(IDC_REFRESH)) != nullptr; }))
            << "no main window";
        // Ready once the poll has opened the printer and enabled the buttons.
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(Item(IDC_REFRESH)) != FALSE; })) << "never ready";
    }
    void TearDown() override {
        if (m_main != nullptr && IsWindow(m_main)) PostMessageW(m_main, WM_CLOSE, 0, 0);
        if (m_program) {
            EXPECT_EQ(m_program->Exit(), 0);
        }
        m_program.reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_data, ignored);
    }

    HWND Item(int id) const { return GetDlgItem(m_main, id); }
    void Click(int id) const { PostMessageW(Item(id), BM_CLICK, 0, 0); }
    std::wstring Reason() const { return TextOf(Item(ZT40_IDC_STATUS_REASON)); }
    // A box or dialog the program opened over its main window, found by a control it holds.
    HWND OwnedWindowWith(int childId) const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = m_program->FindWindowWith(childId, m_main)) != nullptr; }, 10s);
        return found;
    }

    // A wizard's Cancel asks first, in a box over the sheet: `answer` (IDYES or IDNO) is clicked.
    bool AnswerCancel(HWND sheet, int answer) const {
        PostMessageW(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
        HWND box = nullptr;
        if (!WaitUntil([&] { return (box = m_program->FindWindowWith(IDYES, sheet)) != nullptr; }, 10s)) return false;
        PostMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
        return WaitUntil([&] { return !IsWindow(box); }, 10s);
    }

    const std::filesystem::path m_data =
        std::filesystem::temp_directory_path() / ("zt40util-window-" + std::to_string(GetCurrentProcessId()));
    std::wstring m_simulate = L"--simulate";  // a derived fixture's printer starts from a state file
    std::unique_ptr<UtilProgram> m_program;
    HWND m_main = nullptr;
};

TEST_F(MainWindowProgramTest, ReadyPrinterEnablesTheControlsAndSaysSo) {
    struct Case {
        int id;
        bool enabled;
    };
    std::vector<Case> cases = {{IDC_CLEANING, true},     {IDC_REPLACE_HEAD, true}, {IDC_READJUST_PINS, true},
                               {IDC_REFRESH, true},      {IDC_STATUS_LINE, true},
                               // Nothing to apply until another pin is chosen.
                               {IDC_APPLY_PIN_CHANGE, false}};
    for (const int radio : IDC_PIN_RADIOS) cases.push_back({radio, true});
    for (const auto& c : cases) {
        ASSERT_NE(Item(c.id), nullptr) << "no control " << c.id;
        EXPECT_EQ(IsWindowEnabled(Item(c.id)) != FALSE, c.enabled) << "control " << c.id;
    }
    EXPECT_EQ(TextOf(Item(IDC_STATUS_LINE)).rfind(L"Ready: ZT-40 on queue ", 0), 0u) << "status line";
    EXPECT_EQ(TextOf(Item(IDC_CLEANING)), L"C&leaning");
    int checked = 0;
    for (const int radio : IDC_PIN_RADIOS) checked += IsDlgButtonChecked(m_main, radio) == BST_CHECKED ? 1 : 0;
    EXPECT_EQ(checked, 1) << "exactly the pin in use is checked";
}

// The tip window the main window owns, or null.
HWND TipWindowOf(HWND main) {
    struct Search {
        HWND main;
        HWND found;
    } search{main, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            wchar_t name[64] = {};
            GetClassNameW(window, name, static_cast<int>(std::size(name)));
            if (GetWindow(window, GW_OWNER) != s.main || std::wstring(name) != L"tooltips_class32") return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Their words are the same functions' as the Qt edition's tips; from outside, only the tools
// can be counted (a tip's text does not travel between processes).
TEST_F(MainWindowProgramTest, EachBarHasATipOfItsOwn) {
    const HWND tips = TipWindowOf(m_main);
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), zt40::kPinCount);
}

TEST_F(MainWindowProgramTest, ChosenPinIsAppliedAndTheOutcomeShownWithoutABox) {
    // The last pin that is not the one in use.
    int pin = 0;
    int number = 0;
    for (int k = 0; k < zt40::kPinCount; ++k) {
        if (IsDlgButtonChecked(m_main, IDC_PIN_RADIOS[static_cast<std::size_t>(k)]) != BST_CHECKED) {
            pin = IDC_PIN_RADIOS[static_cast<std::size_t>(k)];
            number = k + 1;
        }
    }
    Click(pin);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(Item(IDC_APPLY_PIN_CHANGE)) != FALSE; }));
    Click(IDC_APPLY_PIN_CHANGE);
    const std::wstring told = L"No." + std::to_wstring(number) + L" is now the pin for marking.";
    EXPECT_TRUE(WaitUntil([&] { return Reason() == told; }, 10s)) << Reason().size();
    EXPECT_TRUE(IsWindowVisible(Item(ZT40_IDC_STATUS_REASON)));
    EXPECT_FALSE(IsWindowVisible(Item(ZT40_IDC_ETCHED_LINE))) << "the line gives way to the outcome";
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_APPLY_PIN_CHANGE)));
    EXPECT_EQ(IsDlgButtonChecked(m_main, pin), BST_CHECKED);
}

TEST_F(MainWindowProgramTest, RefreshTellsThatTheDataWasReadAgain) {
    Click(IDC_REFRESH);
    EXPECT_TRUE(WaitUntil([&] { return Reason() == L"The printer's data was read again."; }, 10s));
}

TEST_F(MainWindowProgramTest, CleaningAsksInABoxOverTheWindowAndCancelDoesNothing) {
    Click(IDC_CLEANING);
    // The box's Cancel button finds it; it belongs to the main window.
    const HWND box = OwnedWindowWith(IDCANCEL);
    ASSERT_NE(box, nullptr) << "no confirmation box";
    EXPECT_EQ(TextOf(box), L"ZT-40 Pinwarden");
    EXPECT_FALSE(IsWindowEnabled(m_main)) << "the box is modal to the window";
    PostMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 10s));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }, 5s));
    EXPECT_EQ(Reason(), L"") << "nothing was done, so nothing is told";
}

TEST_F(MainWindowProgramTest, CleaningRunsWithItsWaitWindowAndTellsTheEnd) {
    Click(IDC_CLEANING);
    const HWND box = OwnedWindowWith(IDCANCEL);
    ASSERT_NE(box, nullptr);
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return Reason() == L"The head cleaning is finished."; }, 60s)) << Reason().size();
    EXPECT_TRUE(IsWindowEnabled(m_main)) << "the wait gave the window back";
    EXPECT_EQ(m_program->FindWindowWith(ZT40_IDC_WAIT_TEXT, m_main), nullptr) << "the wait window is gone";
}

TEST_F(MainWindowProgramTest, WizardOpensOverTheWindowAndItsCancelPutsTheSettingsBack) {
    struct Case {
        int button;
    };
    for (const Case c : {Case{IDC_REPLACE_HEAD}, Case{IDC_READJUST_PINS}}) {
        Click(c.button);
        const HWND sheet = OwnedWindowWith(zt40::win::kWizardNextButton);
        ASSERT_NE(sheet, nullptr) << "no wizard for button " << c.button;
        EXPECT_FALSE(IsWindowEnabled(m_main)) << "the wizard is modal to the window";
        // The simulator's switches stay usable: the wizard's pages wait for them.
        const HWND simulator = m_program->FindWindowWith(zt40::win::IDC_SIM_PLUGGED);
        ASSERT_NE(simulator, nullptr);
        EXPECT_EQ(GetWindow(simulator, GW_OWNER), nullptr);
        EXPECT_TRUE(IsWindowEnabled(simulator));
        ASSERT_TRUE(AnswerCancel(sheet, IDNO)) << "no question before the wizard's Cancel";
        std::this_thread::sleep_for(500ms);
        EXPECT_TRUE(IsWindow(sheet)) << "No keeps the wizard";
        ASSERT_TRUE(AnswerCancel(sheet, IDYES)) << "no question before the wizard's Cancel";
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 20s)) << "the wizard stayed open";
        EXPECT_TRUE(WaitUntil(
            [&] { return Reason() == L"The wizard was cancelled: the printer's settings were put back as they were."; },
            20s))
            << "button " << c.button;
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }, 5s));
    }
}

TEST_F(MainWindowProgramTest, WindowMenuCommandsOpenTheirWindowsOverTheMainWindow) {
    struct Case {
        int command;
        int childId;      // a control only that window has
        int closeButton;
        std::wstring title;
    };
    const Case cases[] = {
        {zt40::IDM_ABOUTBOX, ZT40_IDC_ABOUT_VERSION, IDOK, L"About"},
        {ZT40_IDM_HISTORY, zt40::win::IDC_HISTORY_LIST, IDCANCEL, L"Maintenance history"},
    };
    for (const auto& c : cases) {
        PostMessageW(m_main, WM_SYSCOMMAND, static_cast<WPARAM>(c.command), 0);
        const HWND opened = OwnedWindowWith(c.childId);
        ASSERT_NE(opened, nullptr) << "command " << c.command;
        EXPECT_EQ(TextOf(opened), c.title);
        EXPECT_FALSE(IsWindowEnabled(m_main)) << "command " << c.command;
        PostMessageW(GetDlgItem(opened, c.closeButton), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(opened) || !IsWindowVisible(opened); }, 10s));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }, 5s)) << "command " << c.command;
    }
    PostMessageW(m_main, WM_SYSCOMMAND, zt40::IDM_ABOUTBOX, 0);
    const HWND about = OwnedWindowWith(ZT40_IDC_ABOUT_VERSION);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(about, ZT40_IDC_ABOUT_VERSION)), L"ZT-40 Pinwarden Version 1.01");
    PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 10s)) << "Escape closes the About box";
}

// The wizard's own buttons as they show: usable ones by name, shown but disabled with "-".
std::string Shown(HWND sheet) {
    std::string shown;
    for (const auto& [id, name] : {std::pair{zt40::win::kWizardBackButton, "back"},
                                   std::pair{zt40::win::kWizardNextButton, "next"},
                                   std::pair{zt40::win::kWizardFinishButton, "finish"}, std::pair{IDCANCEL, "cancel"}}) {
        HWND button = GetDlgItem(sheet, id);
        if (button == nullptr || !IsWindowVisible(button)) continue;
        shown += std::string(name) + (IsWindowEnabled(button) ? " " : "- ");
    }
    return shown;
}

// The wizard and the simulator's window as an operator works them, from outside the program.
class WizardProgramTest : public MainWindowProgramTest {
protected:
    void SetUp() override {
        MainWindowProgramTest::SetUp();
        if (HasFatalFailure()) return;
        // The simulator's window of this program, by its class: its ids are its own, not unique.
        struct Search {
            DWORD process;
            HWND found;
        } search{0, nullptr};
        GetWindowThreadProcessId(m_main, &search.process);
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(param);
                wchar_t name[64] = {};
                GetClassNameW(window, name, 64);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process != s.process || std::wstring(name) != zt40::win::kSimulatorWindowClass) return TRUE;
                s.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        m_simulator = search.found;
        ASSERT_NE(m_simulator, nullptr) << "no simulator window";
        // A head with a history: counts in every band, so that a reset and its undoing show.
        ClickSimulator(zt40::win::IDC_SIM_ALL_BANDS);
        ASSERT_TRUE(WaitUntil([&] { return PinCounters()[8] != L"0" && !PinCounters()[8].empty(); }, 10s));
    }

    HWND OpenReplaceHead() {
        Click(IDC_REPLACE_HEAD);
        return OwnedWindowWith(zt40::win::kWizardNextButton);
    }
    // A head replacement from its start to step 5, the printer unplugged on step 2 with the
    // simulator's window (which takes clicks while the wizard holds the main window) and
    // plugged in again on step 5.
    void ReplugToStep5(HWND sheet) const {
        ClickOnPage(sheet, zt40::CMoveHeadPage::kMoveHeadButton);
        ASSERT_TRUE(WaitUntil([&] { return Shown(sheet) == "back- next cancel "; }, 20s)) << Shown(sheet);
        ASSERT_TRUE(NextTo(sheet, L"Step 2 of 8", "back next- cancel ")) << Shown(sheet);
        ClickSimulator(zt40::win::IDC_SIM_PLUGGED);
        ASSERT_TRUE(WaitUntil([&] { return Shown(sheet) == "back next cancel "; }, 20s)) << "unplugged: " << Shown(sheet);
        ASSERT_TRUE(NextTo(sheet, L"Step 3 of 8", "back next cancel ")) << Shown(sheet);
        ASSERT_TRUE(NextTo(sheet, L"Step 4 of 8", "back next cancel ")) << Shown(sheet);
        ASSERT_TRUE(NextTo(sheet, L"Step 5 of 8", "back next- cancel ")) << Shown(sheet);
        ClickSimulator(zt40::win::IDC_SIM_PLUGGED);
        ASSERT_TRUE(WaitUntil([&] { return Shown(sheet) == "back next cancel "; }, 20s)) << "plugged in: " << Shown(sheet);
    }
    static HWND Page(HWND sheet) {
        DWORD_PTR page = 0;
        SendMessageTimeoutW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_ABORTIFHUNG, 10000, &page);
        return reinterpret_cast<HWND>(page);
    }
    static void ClickOnPage(HWND sheet, int id) { PostMessageW(GetDlgItem(Page(sheet), id), BM_CLICK, 0, 0); }
    static void Press(HWND sheet, int button) { PostMessageW(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }
    static std::wstring Step(HWND sheet) { return TextOf(GetDlgItem(Page(sheet), IDC_STEP)); }
    // Goes on to the page that shows `step` and waits for the buttons it posts for the queue's state.
    // As an operator can press Next only once a service's wait window has gone and given the
    // sheet back its input, so does this.
    static bool NextTo(HWND sheet, const std::wstring& step, const std::string& buttons) {
        if (!WaitUntil([&] { return IsWindowEnabled(sheet) != FALSE; }, 20s)) return false;
        Press(sheet, PSBTN_NEXT);
        return WaitUntil([&] { return Step(sheet) == step && Shown(sheet) == buttons; }, 20s);
    }
    void ClickSimulator(int id) const { PostMessageW(GetDlgItem(m_simulator, id), BM_CLICK, 0, 0); }
    // The printer's nine pin counters as the simulator's window shows them.
    std::vector<std::wstring> PinCounters() const {
        std::vector<std::wstring> counters;
        for (int pin = 0; pin < 9; ++pin) {
            // An edit box keeps its text itself: only asking it reaches across programs.
            wchar_t text[32] = {};
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(GetDlgItem(m_simulator, zt40::win::IDC_SIM_PIN_FIRST + pin), WM_GETTEXT, std::size(text),
                                reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 10000, &ignored);
            counters.emplace_back(text);
        }
        return counters;
    }
    // The kinds of the records in the usage file, in file order.
    std::vector<zt40::UsageRecord> Records() const {
        std::ifstream file(m_data / "zt40util.txt", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        const std::string all = text.str();
        zt40::LineReader lines{std::string_view(all)};
        std::vector<zt40::UsageRecord> records;
        zt40::ForEachRecord(lines, [&](zt40::UsageRecord&& record) { records.push_back(std::move(record)); });
        return records;
    }

    HWND m_simulator = nullptr;
};

TEST_F(WizardProgramTest, MoveHeadsPostedNextArrivesAndCancelPutsTheCountersBack) {
    const std::vector<std::wstring> before = PinCounters();
    const HWND sheet = OpenReplaceHead();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return Shown(sheet) == "back- next- cancel "; }, 10s)) << Shown(sheet);
    ClickOnPage(sheet, zt40::CMoveHeadPage::kMoveHeadButton);
    EXPECT_TRUE(WaitUntil([&] { return Shown(sheet) == "back- next cancel "; }, 20s)) << Shown(sheet);
    // The new head's counters start from nought on the printer while the wizard is open.
    EXPECT_TRUE(WaitUntil([&] { return PinCounters() == std::vector<std::wstring>(9, L"0"); }, 10s));
    ASSERT_TRUE(AnswerCancel(sheet, IDYES)) << "no question before the wizard's Cancel";
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 20s)) << "the wizard stayed open";
    EXPECT_TRUE(WaitUntil([&] { return PinCounters() == before; }, 20s)) << "the counters were not put back";
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Kind(), 'x');
}

TEST_F(WizardProgramTest, HeadReplacementFinishesWithThePlugAndPowerOfTheSimulatorWindow) {
    const std::vector<std::wstring> before = PinCounters();
    const HWND sheet = OpenReplaceHead();
    ASSERT_NE(sheet, nullptr);
    ReplugToStep5(sheet);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(NextTo(sheet, L"Step 6 of 8", "back next- cancel ")) << Shown(sheet);
    ClickOnPage(sheet, zt40::CAdjustPinPage::kStartPrintingButton);
    ASSERT_TRUE(WaitUntil([&] { return Shown(sheet) == "back next cancel "; }, 30s)) << "printed: " << Shown(sheet);
    ASSERT_TRUE(NextTo(sheet, L"Step 7 of 8", "back next- cancel ")) << Shown(sheet);
    // Pin 3 read at A5: one step of ten and back five.
    const HWND bar = GetDlgItem(Page(sheet), zt40::CInputValuePage::kScrollBarIds[2]);
    PostMessageW(Page(sheet), WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), reinterpret_cast<LPARAM>(bar));
    for (int i = 0; i < 5; ++i) PostMessageW(Page(sheet), WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0), reinterpret_cast<LPARAM>(bar));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(Page(sheet), zt40::CInputValuePage::kValueLabelIds[2])) == L"A5"; }, 10s));
    ClickOnPage(sheet, zt40::CInputValuePage::kSetButton);
    ASSERT_TRUE(WaitUntil([&] { return Shown(sheet) == "back next cancel "; }, 30s)) << "set: " << Shown(sheet);
    // The page tells what it wrote (one pin read: nothing to even out) and a second Set writes nothing.
    const auto note = [&] { return TextOf(GetDlgItem(Page(sheet), zt40::CInputValuePage::kSetNote)); };
    EXPECT_TRUE(WaitUntil([&] { return note() == L"The corrections were written: 0 0 0 0 0 0 0 0 0"; }, 10s));
    EXPECT_EQ(TextOf(GetDlgItem(Page(sheet), zt40::CInputValuePage::kValueLabelIds[2])), L"None");
    ClickOnPage(sheet, zt40::CInputValuePage::kSetButton);
    EXPECT_TRUE(WaitUntil([&] { return note() == L"No pin has a reading: there is nothing to write."; }, 10s));
    ASSERT_TRUE(NextTo(sheet, L"Step 8 of 8", "back finish- cancel ")) << Shown(sheet);
    // Off with the printer's own switch, seen off-line, then on again: only then Finish.
    ClickSimulator(zt40::win::IDC_SIM_POWERED);
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(Shown(sheet), "back finish- cancel ");
    ClickSimulator(zt40::win::IDC_SIM_POWERED);
    ASSERT_TRUE(WaitUntil([&] { return Shown(sheet) == "back finish cancel "; }, 20s)) << "power cycled: " << Shown(sheet);
    Press(sheet, PSBTN_FINISH);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 20s)) << "the wizard stayed open";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }, 10s));

    // One finished run, recorded with the counters the printer had when the wizard opened;
    // the printer keeps the new head's.
    std::vector<zt40::UsageRecord> records;
    EXPECT_TRUE(WaitUntil([&] { return !(records = Records()).empty(); }, 10s));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Kind(), 'o');
    for (std::size_t pin = 0; pin < 9; ++pin) {
        EXPECT_EQ(std::to_wstring(records[0].counters.PinCounter[pin]), before[pin]) << "pin " << pin + 1;
    }
    EXPECT_EQ(PinCounters(), std::vector<std::wstring>(9, L"0"));
}

TEST_F(WizardProgramTest, ACancelThatCannotPutTheCountersBackOffersRetryUntilThePrinterIsBack) {
    const std::vector<std::wstring> before = PinCounters();
    const HWND sheet = OpenReplaceHead();
    ASSERT_NE(sheet, nullptr);
    ClickOnPage(sheet, zt40::CMoveHeadPage::kMoveHeadButton);
    ASSERT_TRUE(WaitUntil([&] { return PinCounters() == std::vector<std::wstring>(9, L"0"); }, 20s));
    ClickSimulator(zt40::win::IDC_SIM_PLUGGED);
    ASSERT_TRUE(WaitUntil([&] { return IsDlgButtonChecked(m_simulator, zt40::win::IDC_SIM_PLUGGED) == BST_UNCHECKED; }, 10s));
    ASSERT_TRUE(AnswerCancel(sheet, IDYES)) << "no question before the wizard's Cancel";
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 20s)) << "the wizard stayed open";

    // The main window's own box, once the writes back have given up on the unplugged printer.
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = m_program->FindWindowWith(IDRETRY, m_main)) != nullptr; }, 60s))
        << "no Retry offered";
    EXPECT_EQ(TextOf(box), L"ZT-40 Pinwarden");
    EXPECT_EQ(PinCounters(), std::vector<std::wstring>(9, L"0")) << "nothing is back yet";
    ClickSimulator(zt40::win::IDC_SIM_PLUGGED);
    // Retry until the window's poll has the printer again; each failed try asks once more.
    for (int tries = 0; tries < 5 && box != nullptr; ++tries) {
        std::this_thread::sleep_for(2s);
        PostMessageW(GetDlgItem(box, IDRETRY), BM_CLICK, 0, 0);
        WaitUntil([&] { return !IsWindow(box); }, 10s);
        box = nullptr;
        WaitUntil([&] { return (box = m_program->FindWindowWith(IDRETRY, m_main)) != nullptr || PinCounters() == before; }, 30s);
    }
    EXPECT_EQ(box, nullptr) << "Retry never put the counters back";
    EXPECT_EQ(PinCounters(), before);
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Kind(), 'x');
}

// The screen's pixels in a rectangle, to hold what two moments show against each other.
std::vector<std::uint32_t> PixelsOf(const RECT& place) {
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(std::max(0, width * height)));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

RECT PinsAreaOf(HWND main) {
    RECT group{};
    RECT first{};
    RECT last{};
    GetWindowRect(GetDlgItem(main, ZT40_IDC_PIN_GROUP), &group);
    GetWindowRect(GetDlgItem(main, ZT40_IDC_PIN1), &first);
    GetWindowRect(GetDlgItem(main, ZT40_IDC_MARKER9), &last);
    return {group.left, first.top, group.right, last.bottom};
}

// A picture of a walk-through's moment for a person to look at, beside the build's other pictures.
void Shot(HWND window, const std::string& name) {
    const std::filesystem::path folder = ZT40_BINARY_DIR "/tests/win32-pictures/walkthroughs";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    zt40::win::SaveWindowPicture(window, SystemPath((folder / (name + ".png")).string()));
}

// The control with the keyboard focus in the thread that runs `window`, by its id; 0 for none.
int FocusedId(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0;
}

// A key as the keyboard gives it to the thread that runs `window`: to its focus.
void Key(HWND window, WPARAM key) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    HWND target = info.hwndFocus != nullptr ? info.hwndFocus : info.hwndActive;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    std::this_thread::sleep_for(100ms);
}

// Tab on until the control `id` has the focus, then Space on it, as a person who cannot use a mouse.
bool TabToAndPress(HWND window, int id) {
    for (int press = 0; press < 40 && FocusedId(window) != id; ++press) Key(window, VK_TAB);
    if (FocusedId(window) != id) return false;
    Key(window, VK_SPACE);
    return true;
}

void SetSimulatorAnswers(HWND simulator, zt40::SimAnswers answers) {
    HWND combo = GetDlgItem(simulator, zt40::win::IDC_SIM_ANSWERS);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(answers), 0);
    PostMessageW(simulator, WM_COMMAND, MAKEWPARAM(zt40::win::IDC_SIM_ANSWERS, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

// The walk-throughs of the flows a person meets beyond the trodden path.
class WalkThroughTest : public WizardProgramTest {
protected:
    HWND OpenReadjustPins() {
        Click(IDC_READJUST_PINS);
        return OwnedWindowWith(zt40::win::kWizardNextButton);
    }
    // The radios and bars of the pin group, on the screen; its buttons (which a click leaves
    // focused) aside.
    RECT PinsArea() const { return PinsAreaOf(m_main); }
    // The last page's power cycle with the simulator's switch, then Finish.
    void PowerCycleAndFinish(HWND sheet, bool keys) {
        ClickSimulator(zt40::win::IDC_SIM_POWERED);
        std::this_thread::sleep_for(1500ms);
        ClickSimulator(zt40::win::IDC_SIM_POWERED);
        ASSERT_TRUE(WaitUntil([&] { return Shown(sheet) == "back finish cancel "; }, 20s)) << Shown(sheet);
        if (keys) {
            // The switch took the focus with the click; the person goes back to the wizard's window.
            SetForegroundWindow(sheet);
            ASSERT_TRUE(WaitUntil([&] { return FocusedId(sheet) != zt40::win::IDC_SIM_POWERED; }, 5s));
            ASSERT_TRUE(TabToAndPress(sheet, zt40::win::kWizardFinishButton)) << "focus on " << FocusedId(sheet);
        } else {
            Press(sheet, PSBTN_FINISH);
        }
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 20s)) << "the wizard stayed open";
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }, 10s));
    }
    // What the printer's adjustments became since the finished run's 'o' record: a second
    // wizard, opened and cancelled, records what the printer holds now.
    std::vector<int> AdjustmentsAdded() {
        std::this_thread::sleep_for(1500ms);
        const HWND again = OpenReadjustPins();
        if (again == nullptr || !AnswerCancel(again, IDYES)) return {};
        WaitUntil([&] { return !IsWindow(again); }, 20s);
        std::vector<zt40::UsageRecord> records;
        WaitUntil([&] { return (records = Records()).size() == 2; }, 10s);
        if (records.size() != 2 || records[0].Kind() != 'o' || records[1].Kind() != 'x') return {};
        std::vector<int> added;
        for (std::size_t pin = 0; pin < 9; ++pin) {
            added.push_back(records[1].settings.PinAdjustments[pin] - records[0].settings.PinAdjustments[pin]);
        }
        return added;
    }
    std::wstring Label(HWND sheet, std::size_t pin) const {
        return TextOf(GetDlgItem(Page(sheet), zt40::CInputValuePage::kValueLabelIds[pin]));
    }
    std::wstring SetNote(HWND sheet) const { return TextOf(GetDlgItem(Page(sheet), zt40::CInputValuePage::kSetNote)); }
};

TEST_F(WalkThroughTest, CancelOnASilentPrinterShowsItsWaitAtOnceAndOffersRetryWithinTheBound) {
    const HWND sheet = OpenReadjustPins();
    ASSERT_NE(sheet, nullptr);
    SetSimulatorAnswers(m_simulator, zt40::SimAnswers::NotAtAll);
    ASSERT_TRUE(AnswerCancel(sheet, IDYES)) << "no question before the wizard's Cancel";
    const auto asked = std::chrono::steady_clock::now();
    HWND wait = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (wait = m_program->FindWindowWith(ZT40_IDC_WAIT_TEXT)) != nullptr; }, 5s))
        << "no wait window";
    const auto waitAfter = std::chrono::steady_clock::now() - asked;
    EXPECT_EQ(TextOf(wait), L"ZT-40 Pinwarden");
    EXPECT_EQ(TextOf(GetDlgItem(wait, ZT40_IDC_WAIT_TEXT)), L"Putting the settings back...");
    Shot(wait, "cancel-silent-1-putting-back");
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = m_program->FindWindowWith(IDRETRY)) != nullptr; }, 30s)) << "no Retry";
    const auto retryAfter = std::chrono::steady_clock::now() - asked;
    Shot(box, "cancel-silent-2-retry");
    // The poll's 50 ms aside, as the bounds a person waits.
    EXPECT_LT(waitAfter, 1050ms) << "the wait window came late";
    EXPECT_LT(retryAfter, 15s) << "the Retry box came after the bound";
    EXPECT_FALSE(IsWindow(wait) && IsWindowVisible(wait)) << "the wait stayed behind the Retry box";
    SetSimulatorAnswers(m_simulator, zt40::SimAnswers::Normally);
    PostMessageW(GetDlgItem(box, IDRETRY), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 20s)) << "the wizard stayed open";
    EXPECT_TRUE(WaitUntil([&] { return m_program->FindWindowWith(IDRETRY) == nullptr; }, 10s)) << "Retry failed";
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Kind(), 'x');
}

// Pin 1 read at A3 and pin 2 at A0: corrections of -7 and 7, written once however often Set is
// pressed; by the mouse's messages or by the keyboard alone.
TEST_F(WalkThroughTest, SetPressedTwiceOrByKeysAloneWritesOneCorrection) {
    for (const bool keys : {false, true}) {
        SCOPED_TRACE(keys ? "keyboard" : "mouse");
        std::filesystem::remove(m_data / "zt40util.txt");
        HWND sheet = nullptr;
        if (keys) {
            SetForegroundWindow(m_main);
            ASSERT_TRUE(TabToAndPress(m_main, IDC_READJUST_PINS));
            sheet = OwnedWindowWith(zt40::win::kWizardNextButton);
            ASSERT_NE(sheet, nullptr);
            ASSERT_TRUE(WaitUntil([&] { return FocusedId(sheet) != 0; }, 5s));
            ASSERT_TRUE(TabToAndPress(sheet, zt40::CAdjustPinPage::kStartPrintingButton));
            ASSERT_TRUE(WaitUntil([&] { return Shown(sheet) == "back- next cancel "; }, 30s)) << Shown(sheet);
            ASSERT_TRUE(TabToAndPress(sheet, zt40::win::kWizardNextButton));
            ASSERT_TRUE(WaitUntil([&] { return Step(sheet) == L"Step 2 of 3"; }, 10s));
            // Right three lines on the first bar, a page down on the second.
            const struct { std::size_t pin; WPARAM key; int times; } readings[] = {{0, VK_RIGHT, 3}, {1, VK_NEXT, 1}};
            for (const auto& reading : readings) {
                const int bar = zt40::CInputValuePage::kScrollBarIds[reading.pin];
                for (int press = 0; press < 40 && FocusedId(sheet) != bar; ++press) Key(sheet, VK_TAB);
                ASSERT_EQ(FocusedId(sheet), bar) << "Tab never reaches pin " << reading.pin + 1;
                for (int i = 0; i < reading.times; ++i) Key(sheet, reading.key);
            }
        } else {
            sheet = OpenReadjustPins();
            ASSERT_NE(sheet, nullptr);
            ClickOnPage(sheet, zt40::CAdjustPinPage::kStartPrintingButton);
            ASSERT_TRUE(WaitUntil([&] { return Shown(sheet) == "back- next cancel "; }, 30s)) << Shown(sheet);
            ASSERT_TRUE(NextTo(sheet, L"Step 2 of 3", "back next- cancel ")) << Shown(sheet);
            const auto push = [&](std::size_t pin, int code) {
                PostMessageW(Page(sheet), WM_HSCROLL, MAKEWPARAM(code, 0),
                             reinterpret_cast<LPARAM>(GetDlgItem(Page(sheet), zt40::CInputValuePage::kScrollBarIds[pin])));
            };
            for (int i = 0; i < 3; ++i) push(0, SB_LINERIGHT);
            push(1, SB_PAGERIGHT);
        }
        EXPECT_TRUE(WaitUntil([&] { return Label(sheet, 0) == L"A3" && Label(sheet, 1) == L"A0"; }, 10s))
            << Narrow(Label(sheet, 0)) << " " << Narrow(Label(sheet, 1));
        Shot(sheet, keys ? "keyboard-1-read" : "set-twice-1-read");
        for (int press = 0; press < 2; ++press) {
            if (keys) {
                ASSERT_TRUE(TabToAndPress(sheet, zt40::CInputValuePage::kSetButton));
            } else {
                ClickOnPage(sheet, zt40::CInputValuePage::kSetButton);
            }
            const std::wstring told = press == 0 ? L"The corrections were written: -7 7 0 0 0 0 0 0 0"
                                                 : L"No pin has a reading: there is nothing to write.";
            EXPECT_TRUE(WaitUntil([&] { return SetNote(sheet) == told; }, 20s)) << Narrow(SetNote(sheet));
            Shot(sheet, (keys ? "keyboard-2-set-" : "set-twice-2-set-") + std::to_string(press + 1));
        }
        if (keys) {
            ASSERT_TRUE(TabToAndPress(sheet, zt40::win::kWizardNextButton));
            ASSERT_TRUE(WaitUntil([&] { return Step(sheet) == L"Step 3 of 3"; }, 10s));
        } else {
            ASSERT_TRUE(NextTo(sheet, L"Step 3 of 3", "back finish- cancel ")) << Shown(sheet);
        }
        PowerCycleAndFinish(sheet, keys);
        EXPECT_EQ(AdjustmentsAdded(), (std::vector<int>{-7, 7, 0, 0, 0, 0, 0, 0, 0}));
    }
}

TEST_F(WalkThroughTest, HeadReplacementCancelledAfterTheReplugShowsThePrintersOldValues) {
    // The window as a Refresh shows the printer's values, the simulator's new counts among them.
    Click(IDC_REFRESH);
    ASSERT_TRUE(WaitUntil([&] { return Reason() == L"The printer's data was read again."; }, 10s));
    Shot(m_main, "replug-0-before");
    const std::vector<std::uint32_t> before = PixelsOf(PinsArea());
    const std::vector<std::wstring> counters = PinCounters();
    const HWND sheet = OpenReplaceHead();
    ASSERT_NE(sheet, nullptr);
    ReplugToStep5(sheet);
    if (HasFatalFailure()) return;
    std::this_thread::sleep_for(2s);  // the window's poll has the printer again
    Shot(m_main, "replug-1-replugged");
    ASSERT_TRUE(AnswerCancel(sheet, IDYES)) << "no question before the wizard's Cancel";
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 20s)) << "the wizard stayed open";
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }, 20s));
    EXPECT_EQ(m_program->FindWindowWith(IDOK, m_main), nullptr) << "a box after a cancel on an answering printer";
    EXPECT_TRUE(WaitUntil([&] { return PinCounters() == counters; }, 10s)) << "the counters were not put back";
    EXPECT_TRUE(WaitUntil([&] { return PixelsOf(PinsArea()) == before; }, 5s))
        << "the pin group differs from before the wizard";
    Shot(m_main, "replug-2-cancelled");
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Kind(), 'x');
}

// The printer's pin settings out of range: the status area offers the restore.
class RestoreWalkThroughTest : public MainWindowProgramTest {
protected:
    RestoreWalkThroughTest() {
        m_simulate = L"--simulate=" + SystemPath(ZT40_SOURCE_DIR "/platform/sim/examples/out-of-range.zt40sim");
    }
};

// What a box over the window says: its texts, joined.
std::wstring BoxText(HWND box) {
    std::wstring all;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        all += TextOf(child) + L"\n";
    }
    return all;
}

TEST_F(RestoreWalkThroughTest, TheRestoreShowsWhatItWouldWriteAndThenWhatItWrote) {
    HWND offer = Item(ZT40_IDC_RESTORE_OFFER);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(offer) != FALSE; }, 10s)) << "no restore offer";
    Shot(m_main, "restore-1-offered");
    const std::vector<std::uint32_t> pinsBefore = PixelsOf(PinsAreaOf(m_main));
    PostMessageW(offer, BM_CLICK, 0, 0);
    HWND asked = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (asked = m_program->FindWindowWith(IDYES, m_main)) != nullptr ||
                                       (asked = m_program->FindWindowWith(IDOK, m_main)) != nullptr; }, 10s));
    EXPECT_NE(BoxText(asked).find(L"(now -> written):"), std::wstring::npos) << Narrow(BoxText(asked));
    Shot(asked, "restore-2-asked");
    PostMessageW(GetDlgItem(asked, GetDlgItem(asked, IDYES) != nullptr ? IDYES : IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(asked); }, 10s));
    // The power-cycle box, then the status area tells what was written.
    HWND told = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (told = m_program->FindWindowWith(IDOK, m_main)) != nullptr; }, 20s));
    PostMessageW(GetDlgItem(told, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(told); }, 10s));
    EXPECT_TRUE(WaitUntil([&] { return Reason().find(L"were written.") != std::wstring::npos; }, 10s))
        << Narrow(Reason());
    EXPECT_FALSE(IsWindowVisible(offer)) << "the offer stayed after the restore";
    std::this_thread::sleep_for(500ms);
    Shot(m_main, "restore-3-written");
    const std::vector<std::uint32_t> restored = PixelsOf(PinsAreaOf(m_main));
    EXPECT_NE(restored, pinsBefore) << "the pin group still shows the out-of-range values";
    Click(IDC_REFRESH);
    EXPECT_TRUE(WaitUntil([&] { return Reason() == L"The printer's data was read again."; }, 10s));
    EXPECT_EQ(PixelsOf(PinsAreaOf(m_main)), restored) << "a Refresh reads other values than the window showed";
    Shot(m_main, "restore-4-refreshed");
}

TEST_F(MainWindowProgramTest, HistoryCommandReadsTheRecordFileAnewEachTime) {
    const auto rowsShown = [&] {
        PostMessageW(m_main, WM_SYSCOMMAND, ZT40_IDM_HISTORY, 0);
        const HWND history = OwnedWindowWith(zt40::win::IDC_HISTORY_LIST);
        if (history == nullptr) return LRESULT{-1};
        const LRESULT rows = SendDlgItemMessageW(history, zt40::win::IDC_HISTORY_LIST, LVM_GETITEMCOUNT, 0, 0);
        PostMessageW(GetDlgItem(history, IDCANCEL), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(history); }, 10s));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }, 5s));
        return rows;
    };
    const std::filesystem::path record = m_data / "zt40util.txt";
    std::filesystem::remove(record);
    EXPECT_EQ(rowsShown(), 0);
    std::ofstream(record, std::ios::binary)
        << zt40::FormatUsageRecord(true, {2026, 12, 8}, zt40::PinSettings{{0, 0}, 1, {}}, zt40::UsageCounters{});
    EXPECT_EQ(rowsShown(), 1);
}

}  // namespace
