// The native wizard over a window of the test's own: the sheet runs modally on this thread
// while a second thread drives it only through window messages, as another program could, and
// reads what the windows show. The sheet's logic and doubles are read once the run is over.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <chrono>
#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/win32/TextFit.h"
#include "tests/wizards/WizardFixture.h"
#include "ui/win32/WinText.h"
#include "ui/win32/WizardResources.h"
#include "ui/win32/WizardSheetHost.h"
#include "wizards/OriginPin.h"
#include "wizards/Sheets.h"
#include "wizards/WizardButtonTexts.h"

namespace zt40::win {
namespace {

constexpr std::uint32_t kOffline = kPrinterAttributeWorkOffline;

bool WaitUntil(const std::function<bool()>& done, int limitMs = 5000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::string Utf8(HWND window) { return Narrow(TextOf(window)); }

// What the sheet's own buttons show: usable ones by name, a shown but disabled one with "-".
std::string Shown(HWND sheet) {
    std::string shown;
    for (const auto& [id, name] : {std::pair{kWizardBackButton, "back"}, std::pair{kWizardNextButton, "next"},
                                   std::pair{kWizardFinishButton, "finish"}, std::pair{IDCANCEL, "cancel"}}) {
        HWND button = GetDlgItem(sheet, id);
        if (button == nullptr || !IsWindowVisible(button)) continue;
        shown += std::string(name) + (IsWindowEnabled(button) ? " " : "- ");
    }
    return shown;
}

HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
HWND Control(HWND sheet, int id) { return GetDlgItem(Page(sheet), id); }
void Click(HWND sheet, int id) { SendMessageW(Control(sheet, id), BM_CLICK, 0, 0); }
void Press(HWND sheet, int button) { SendMessageW(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }
std::string Step(HWND sheet) { return Utf8(Control(sheet, IDC_STEP)); }

class WizardSheetHostTest : public WizardFixture {
protected:
    WizardSheetHostTest() {
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~WizardSheetHostTest() override {
        DestroyWindow(owner);
        UseLanguage(Language::English);
    }

    // Runs the sheet over the owner while `drive` works it from another thread; whatever
    // `drive` leaves open is cancelled, so a failed step cannot hang the run.
    int Run(CWizardSheet& sheet, const std::function<void(HWND)>& drive) {
        std::thread driver([&] {
            HWND sheetWindow = nullptr;
            const bool found = WaitUntil([&] {
                sheetWindow = FindSheet();
                return sheetWindow != nullptr && Page(sheetWindow) != nullptr;
            });
            EXPECT_TRUE(found) << "no wizard window over the owner";
            if (!found) return;
            drive(sheetWindow);
            if (IsWindow(sheetWindow)) {
                PostMessageW(sheetWindow, WM_COMMAND, IDCANCEL, 0);
                Answer(sheetWindow, IDYES);
            }
        });
        const int result = RunWizardSheet(sheet, owner);
        driver.join();
        return result;
    }

    // The Cancel question's box over the sheet, answered with `answer` (IDYES or IDNO).
    bool Answer(HWND sheet, int answer) const {
        struct Search {
            HWND sheet;
            HWND found;
        } search{sheet, nullptr};
        const bool asked = WaitUntil([&] {
            EnumThreadWindows(uiThread, [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                if (GetWindow(w, GW_OWNER) != s->sheet || GetDlgItem(w, IDYES) == nullptr) return TRUE;
                s->found = w;
                return FALSE;
            }, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        });
        if (!asked) return false;
        PostMessageW(GetDlgItem(search.found, answer), BM_CLICK, 0, 0);
        return WaitUntil([&] { return !IsWindow(search.found); });
    }

    HWND FindSheet() const {
        struct Search {
            HWND owner;
            HWND found;
        } search{owner, nullptr};
        EnumThreadWindows(uiThread, [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (GetWindow(w, GW_OWNER) != s->owner || !IsWindowVisible(w)) return TRUE;
            s->found = w;
            return FALSE;
        }, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND owner = nullptr;
    DWORD uiThread = GetCurrentThreadId();
};

TEST_F(WizardSheetHostTest, HeadReplacementButtonsFollowThePostsAndCancelRollsTheJobBack) {
    CChangeHeadSheet sheet(services, Spooling());
    const int result = Run(sheet, [&](HWND w) {
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back- next- cancel "; })) << Shown(w);
        EXPECT_EQ(Step(w), "Step 1 of 8");
        EXPECT_EQ(Utf8(w), "Move Head");
        // Next is the page's to give: a press while it is disabled stays on the page.
        Press(w, PSBTN_NEXT);
        EXPECT_EQ(Step(w), "Step 1 of 8");
        Click(w, CMoveHeadPage::kMoveHeadButton);
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back- next cancel "; })) << Shown(w);

        // Each page's state on entry, then what the queue's state or the page's button makes of it.
        struct Step {
            const char* step;
            std::uint32_t queue;  // the queue's attributes while on the page
            const char* settled;  // the buttons once the page has seen the queue
        };
        const Step steps[] = {
            {"Step 2 of 8", kOffline, "back next cancel "},     // Power Off: the plug is out
            {"Step 3 of 8", kOffline, "back next cancel "},     // Replace Head
            {"Step 4 of 8", kOffline, "back next cancel "},     // Head installation
            {"Step 5 of 8", 0, "back next cancel "},            // Power On: back on-line
            {"Step 6 of 8", 0, "back next- cancel "},           // Adjust Pin: nothing printed yet
        };
        for (const Step& step : steps) {
            attributes = step.queue;
            Press(w, PSBTN_NEXT);
            EXPECT_EQ(::zt40::win::Step(w), step.step);
            EXPECT_TRUE(WaitUntil([&] { return Shown(w) == step.settled; })) << step.step << ": " << Shown(w);
        }
        // In the head replacement the letters controls stay hidden.
        for (const int id : {CAdjustPinPage::kLettersHint, CAdjustPinPage::kPinLabel, CAdjustPinPage::kPinCombo,
                             CAdjustPinPage::kPrintLettersButton}) {
            EXPECT_FALSE(IsWindowVisible(Control(w, id))) << id;
        }
        Click(w, CAdjustPinPage::kStartPrintingButton);
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back next cancel "; })) << Shown(w);
        // The job's outcome beside the buttons, naming the queue, on screen.
        HWND note = GetDlgItem(w, kWizardOutcomeNote);
        ASSERT_NE(note, nullptr) << "no outcome after the print";
        EXPECT_TRUE(IsWindowVisible(note));
        EXPECT_EQ(Utf8(note).rfind("The print job was sent to the queue ", 0), 0u) << Utf8(note);
        EXPECT_EQ(Overrun(note).cx + Overrun(note).cy, 0) << "the note is cut: " << Utf8(note);
        // Going back and forth keeps what the page knew.
        Press(w, PSBTN_BACK);
        EXPECT_EQ(::zt40::win::Step(w), "Step 5 of 8");
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back next cancel "; })) << Shown(w);
        Press(w, PSBTN_NEXT);
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back next cancel "; })) << Shown(w);
        // Posted: the question's box runs inside the press.
        PostMessageW(w, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        EXPECT_TRUE(Answer(w, IDYES)) << "no question before the Cancel";
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w); }));
    });
    EXPECT_EQ(result, kCancelCommand);
    EXPECT_FALSE(sheet.IsOpen());
    EXPECT_EQ(services.Calls(), (std::vector<std::string>{"move", "reset settings", "reset counters"}));
    ASSERT_EQ(spooler.Jobs().size(), 1u);
    EXPECT_EQ(spooler.Jobs()[0].state, SimJobState::Cancelled);
    // The power pages' timers stopped with them.
    EXPECT_EQ(sheet.m_powerOff.m_timerId, 0u);
    EXPECT_EQ(sheet.m_powerOn.m_timerId, 0u);
}

TEST_F(WizardSheetHostTest, PinAdjustmentFinishesOnlyAfterThePowerCycle) {
    CAdjustPinSheet sheet(services, Spooling());
    const int result = Run(sheet, [&](HWND w) {
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back- next- cancel "; })) << Shown(w);
        EXPECT_TRUE(IsWindowVisible(Control(w, CAdjustPinPage::kPrintLettersButton)));
        SendMessageW(Control(w, CAdjustPinPage::kPinCombo), CB_SETCURSEL, 4, 0);
        Click(w, CAdjustPinPage::kPrintLettersButton);
        Click(w, CAdjustPinPage::kStartPrintingButton);
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back- next cancel "; })) << Shown(w);
        Press(w, PSBTN_NEXT);
        EXPECT_EQ(Step(w), "Step 2 of 3");
        EXPECT_EQ(Utf8(Control(w, CInputValuePage::kValueLabelIds[0])), "None");
        // Pin 1 read at B2, pin 2 at B5: through the bars as the operator would move them.
        const struct {
            std::size_t pin;
            int code;
            const char* label;
        } moves[] = {{0, SB_PAGERIGHT, "A0"}, {0, SB_LINERIGHT, "B1"}, {0, SB_LINERIGHT, "B2"},
                     {1, SB_PAGERIGHT, "A0"}, {1, SB_PAGERIGHT, "B0"}, {1, SB_PAGELEFT, "A0"},
                     {1, SB_LINELEFT, "A9"},  {1, SB_PAGERIGHT, "B9"}, {1, SB_LINELEFT, "B8"}};
        for (const auto& move : moves) {
            HWND bar = Control(w, CInputValuePage::kScrollBarIds[move.pin]);
            SendMessageW(Page(w), WM_HSCROLL, MAKEWPARAM(move.code, 0), reinterpret_cast<LPARAM>(bar));
            EXPECT_EQ(Utf8(Control(w, CInputValuePage::kValueLabelIds[move.pin])), move.label);
            EXPECT_EQ(Utf8(Control(w, CInputValuePage::kValueLabelIds[move.pin])),
                      CorrectionLabel(GetScrollPos(bar, SB_CTL)));
        }
        // Three lines back from B8 is B5.
        for (int i = 0; i < 3; ++i) {
            SendMessageW(Page(w), WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0),
                         reinterpret_cast<LPARAM>(Control(w, CInputValuePage::kScrollBarIds[1])));
        }
        EXPECT_EQ(Utf8(Control(w, CInputValuePage::kValueLabelIds[1])), "B5");
        Click(w, CInputValuePage::kSetButton);
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back next cancel "; })) << Shown(w);
        // What was written, on the page; the readings back at None, so a second Set writes nothing.
        HWND note = Control(w, CInputValuePage::kSetNote);
        EXPECT_TRUE(IsWindowVisible(note));
        EXPECT_EQ(Utf8(note), "The corrections were written: -3 3 0 0 0 0 0 0 0");
        EXPECT_EQ(Utf8(Control(w, CInputValuePage::kValueLabelIds[1])), "None");
        EXPECT_EQ(GetScrollPos(Control(w, CInputValuePage::kScrollBarIds[1]), SB_CTL), 0);
        Click(w, CInputValuePage::kSetButton);
        EXPECT_EQ(Utf8(note), "No pin has a reading: there is nothing to write.");
        Press(w, PSBTN_NEXT);
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back finish- cancel "; })) << Shown(w);
        // Finish is the page's to give: pressed while disabled it does nothing.
        Press(w, PSBTN_FINISH);
        EXPECT_TRUE(IsWindow(w));
        attributes = kOffline;
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));  // more than two ticks
        EXPECT_EQ(Shown(w), "back finish- cancel ");
        attributes = 0;
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back finish cancel "; })) << Shown(w);
        Press(w, PSBTN_FINISH);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w); }));
    });
    EXPECT_EQ(result, kWizardFinished);
    EXPECT_EQ(DocumentResources()[0], (std::vector<int>{157, 171}));
    ASSERT_EQ(services.Applied().size(), 1u);
    EXPECT_EQ(services.Applied()[0], (std::vector<std::int32_t>{-3, 3, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(spooler.Jobs().size(), 2u);
    EXPECT_NE(spooler.Jobs()[1].state, SimJobState::Cancelled);
}

// Every way out but Finish is a cancel: the page's job leaves the queue and the run says so.
TEST_F(WizardSheetHostTest, EveryWayOutButFinishCancels) {
    const struct {
        const char* way;
        UINT message;
        WPARAM wParam;
    } ways[] = {{"Cancel button", PSM_PRESSBUTTON, PSBTN_CANCEL},
                {"Escape", WM_COMMAND, IDCANCEL},
                {"close box", WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& way : ways) {
        CAdjustPinSheet sheet(services, Spooling());
        const std::size_t jobsBefore = spooler.Jobs().size();
        const int result = Run(sheet, [&](HWND w) {
            Click(w, CAdjustPinPage::kStartPrintingButton);
            // Asked first: No keeps the wizard and its print job, Yes ends both.
            PostMessageW(w, way.message, way.wParam, 0);
            EXPECT_TRUE(Answer(w, IDNO)) << way.way << ": nothing asked";
            EXPECT_TRUE(IsWindow(w)) << way.way;
            EXPECT_NE(spooler.Jobs().back().state, SimJobState::Cancelled) << way.way;
            PostMessageW(w, way.message, way.wParam, 0);
            EXPECT_TRUE(Answer(w, IDYES)) << way.way << ": nothing asked";
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w); })) << way.way;
        });
        EXPECT_EQ(result, kCancelCommand) << way.way;
        ASSERT_EQ(spooler.Jobs().size(), jobsBefore + 1) << way.way;
        EXPECT_EQ(spooler.Jobs().back().state, SimJobState::Cancelled) << way.way;
    }
}

TEST_F(WizardSheetHostTest, TheNineBarsFollowEachOtherInTabOrder) {
    CAdjustPinSheet sheet(services, Spooling());
    Run(sheet, [&](HWND w) {
        Click(w, CAdjustPinPage::kStartPrintingButton);
        EXPECT_TRUE(WaitUntil([&] { return Shown(w) == "back- next cancel "; })) << Shown(w);
        Press(w, PSBTN_NEXT);
        HWND page = Page(w);
        for (std::size_t pin = 0; pin < kPinCount; ++pin) {
            HWND bar = GetDlgItem(page, CInputValuePage::kScrollBarIds[pin]);
            ASSERT_NE(bar, nullptr) << pin;
            EXPECT_NE(GetWindowLongW(bar, GWL_STYLE) & WS_TABSTOP, 0) << pin;
            int low = -1;
            int high = -1;
            GetScrollRange(bar, SB_CTL, &low, &high);
            EXPECT_EQ(low, 0);
            EXPECT_EQ(high, kMaxReading);
            if (pin + 1 < kPinCount) {
                EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(page, bar, FALSE)), CInputValuePage::kScrollBarIds[pin + 1]) << pin;
            }
        }
    });
}

// A key as the keyboard gives it: to the control with the focus, or, with none, to the active
// window as a system key.
void Key(DWORD thread, WPARAM key) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    const bool focused = info.hwndFocus != nullptr;
    HWND target = focused ? info.hwndFocus : info.hwndActive;
    PostMessageW(target, focused ? WM_KEYDOWN : WM_SYSKEYDOWN, key, 1);
    PostMessageW(target, focused ? WM_KEYUP : WM_SYSKEYUP, key, 0xC0000001);
}

int FocusedId(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    return info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0;
}

// Each page, as it is when a person has done what it asks: Tab goes round every control that
// can be used, the focus shows, and Escape asks before it cancels; No stays on the page.
TEST_F(WizardSheetHostTest, EveryPageIsWorkedByTabAndLeftByEscape) {
    struct PageKeys {
        const char* step;
        std::function<void(HWND)> arrive;  // from the page before
        std::vector<int> reached;          // all that Tab must reach, in no order
    };
    std::vector<int> input = {CInputValuePage::kSetButton, kWizardBackButton, IDCANCEL};
    input.insert(input.end(), CInputValuePage::kScrollBarIds.begin(), CInputValuePage::kScrollBarIds.end());
    const PageKeys pages[] = {
        {"Step 1 of 3",
         [](HWND w) { Click(w, CAdjustPinPage::kStartPrintingButton); },
         {CAdjustPinPage::kStartPrintingButton, CAdjustPinPage::kPinCombo, CAdjustPinPage::kPrintLettersButton,
          kWizardNextButton, IDCANCEL}},
        {"Step 2 of 3", [](HWND w) { Press(w, PSBTN_NEXT); }, input},
        // Finish stays disabled until the power cycle: only Back and Cancel are left to the keys.
        {"Step 3 of 3",
         [](HWND w) {
             SendMessageW(Page(w), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0),
                          reinterpret_cast<LPARAM>(Control(w, CInputValuePage::kScrollBarIds[0])));
             Click(w, CInputValuePage::kSetButton);
             WaitUntil([&] { return Shown(w) == "back next cancel "; });
             Press(w, PSBTN_NEXT);
         },
         {kWizardBackButton, IDCANCEL}},
        // Once the power was cycled, Finish takes its turn with them.
        {"Step 3 of 3",
         [this](HWND w) {
             attributes = kOffline;
             std::this_thread::sleep_for(std::chrono::milliseconds(1200));
             attributes = 0;
             WaitUntil([&] { return Shown(w) == "back finish cancel "; });
         },
         {kWizardBackButton, kWizardFinishButton, IDCANCEL}},
    };
    CAdjustPinSheet sheet(services, Spooling());
    const int result = Run(sheet, [&](HWND w) {
        for (const PageKeys& page : pages) {
            page.arrive(w);
            ASSERT_TRUE(WaitUntil([&] { return Step(w) == page.step && FocusedId(uiThread) != 0; })) << page.step;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the buttons the page posted
            EXPECT_EQ(SendMessageW(w, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0) << page.step;
            std::vector<int> seen;
            for (int press = 0; press < 20; ++press) {
                const int before = FocusedId(uiThread);
                seen.push_back(before);
                Key(uiThread, VK_TAB);
                WaitUntil([&] { return FocusedId(uiThread) != before; }, 1000);
            }
            for (const int id : page.reached) {
                EXPECT_NE(std::ranges::find(seen, id), seen.end()) << page.step << ": Tab never reaches " << id;
            }
            Key(uiThread, VK_ESCAPE);
            ASSERT_TRUE(Answer(w, IDNO)) << page.step << ": Escape asked nothing";
            EXPECT_EQ(Step(w), page.step);
        }
        Key(uiThread, VK_ESCAPE);
        EXPECT_TRUE(Answer(w, IDYES)) << "Escape on the last page asked nothing";
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w); }));
    });
    EXPECT_EQ(result, kCancelCommand);
}

TEST_F(WizardSheetHostTest, OriginPagePrintsWithTheCheckedPin) {
    COriginPinSheet sheet(services, Spooling());
    Run(sheet, [&](HWND w) {
        EXPECT_EQ(Utf8(Control(w, COriginPinPage::kFirstPinRadio + 8)), "No.9");
        Click(w, COriginPinPage::kFirstPinRadio + 8);
        Click(w, COriginPinPage::kStartButton);
        EXPECT_TRUE(WaitUntil([&] { return Shown(w).find("next ") != std::string::npos; })) << Shown(w);
    });
    EXPECT_EQ(DocumentResources(), (std::vector<std::vector<int>>{{161, 151}}));
}

// The Japanese edition's pages come from its own templates, in its own dialog font, and their
// texts from its table.
TEST_F(WizardSheetHostTest, JapaneseEditionUsesItsOwnTemplatesAndTexts) {
    const struct {
        Language language;
        const wchar_t* face;
    } editions[] = {{Language::English, L"MS Shell Dlg"}, {Language::Japanese, L"MS UI Gothic"}};
    for (const auto& edition : editions) {
        UseLanguage(edition.language);
        CChangeHeadSheet sheet(services, Spooling());
        Run(sheet, [&](HWND w) {
            HWND button = Control(w, CMoveHeadPage::kMoveHeadButton);
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof(font), &font);
            EXPECT_STREQ(font.lfFaceName, edition.face);
            EXPECT_EQ(TextOf(button), Translate(CMoveHeadPage::kMoveHeadText));
            EXPECT_EQ(TextOf(GetDlgItem(w, IDCANCEL)), Translate(kCancelText));
            // The sheet lays the page out in the page's own font: nothing of it is cut off.
            RECT page{};
            GetWindowRect(Page(w), &page);
            for (HWND child = GetWindow(Page(w), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT control{};
                GetWindowRect(child, &control);
                EXPECT_LE(control.right, page.right) << GetDlgCtrlID(child);
                EXPECT_LE(control.bottom, page.bottom) << GetDlgCtrlID(child);
            }
        });
    }
    UseLanguage(Language::Japanese);
    EXPECT_NE(Translate(CMoveHeadPage::kMoveHeadText), Widen(CMoveHeadPage::kMoveHeadText.source));
}

}  // namespace
}  // namespace zt40::win
