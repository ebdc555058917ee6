// The simulator's native control window, in the test's own process: found and clicked by its
// control ids as a walk-through does from outside, each control reaching the simulated printer
// or its queue, and what changes behind the window's back showing in it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/sim/SimControls.h"
#include "platform/sim/SimPrinterRig.h"
#include "platform/sim/Zt40Firmware.h"
#include "session/QueueRule.h"
#include "ui/win32/SimulatorIds.h"
#include "ui/win32/SimulatorWindow.h"
#include "ui/win32/WinText.h"

namespace zt40::testing {
namespace {

using win::Narrow;
using win::SimulatorWindow;

// What the main window's poll would see of the queue.
std::string QueueSeen(SimPrinterRig& rig) {
    std::vector<QueueInfo> queues;
    if (!rig.Spooler().EnumLocalQueues(queues)) return "spooler failed";
    for (const auto& queue : queues) {
        if (queue.name == rig.QueueName()) return MatchesPrinterQueue(queue) ? "usable" : "offline";
    }
    return "absent";
}

bool Checked(HWND window, int id) { return IsDlgButtonChecked(window, id) == BST_CHECKED; }

void Click(HWND window, int id) { SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); }

std::wstring TextOf(HWND window, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(window, id, text, 256);
    return text;
}

std::wstring ListLine(HWND window, int id, int index) {
    HWND list = GetDlgItem(window, id);
    std::wstring line(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    line.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line.data()))));
    return line;
}

// The operator choosing from the list: the box tells its window, as a mouse pick would.
void Choose(HWND window, int id, SimAnswers answers) {
    HWND box = GetDlgItem(window, id);
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(answers), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

class SimulatorWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.Create(40, 40)); }
    HWND Handle() const { return window.Handle(); }

    SimPrinterRig rig;
    SimulatorWindow window{rig};
};

TEST_F(SimulatorWindowTest, IsATopLevelWindowNoDialogOfTheProgramDisables) {
    EXPECT_EQ(GetWindow(Handle(), GW_OWNER), nullptr);
    EXPECT_EQ(GetAncestor(Handle(), GA_PARENT), GetDesktopWindow());
    // A modal dialog disables its owner and that owner's owners; a window beside them stays usable.
    HWND mainWindow = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(mainWindow, nullptr);
    EnableWindow(mainWindow, FALSE);
    EXPECT_TRUE(IsWindowEnabled(Handle()));
    DestroyWindow(mainWindow);
    wchar_t className[64] = {};
    GetClassNameW(Handle(), className, 64);
    EXPECT_STREQ(className, win::kSimulatorWindowClass);
}

TEST_F(SimulatorWindowTest, CheckBoxesDriveThePrinterAndItsQueue) {
    const struct {
        int id;
        bool reachable;
        const char* queue;
    } cases[] = {
        {win::IDC_SIM_PLUGGED, false, "offline"},
        {win::IDC_SIM_POWERED, false, "offline"},
        {win::IDC_SIM_QUEUE_INSTALLED, true, "absent"},
        {win::IDC_SIM_QUEUE_ONLINE, true, "offline"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_TRUE(Checked(Handle(), c.id));
        EXPECT_EQ(QueueSeen(rig), "usable");
        Click(Handle(), c.id);
        EXPECT_FALSE(Checked(Handle(), c.id));
        EXPECT_EQ(rig.Printer().IsReachable(), c.reachable);
        EXPECT_EQ(QueueSeen(rig), c.queue);
        Click(Handle(), c.id);
        EXPECT_TRUE(rig.Printer().IsReachable());
        EXPECT_EQ(QueueSeen(rig), "usable");
    }
}

TEST_F(SimulatorWindowTest, TheOnlineBoxIsOffWhileTheQueueIsRemoved) {
    Click(Handle(), win::IDC_SIM_QUEUE_INSTALLED);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Handle(), win::IDC_SIM_QUEUE_ONLINE)));
    Click(Handle(), win::IDC_SIM_QUEUE_INSTALLED);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Handle(), win::IDC_SIM_QUEUE_ONLINE)));
}

TEST_F(SimulatorWindowTest, BusyAndAnswersReachTheFirmware) {
    Click(Handle(), win::IDC_SIM_BUSY);
    EXPECT_EQ(rig.Printer().State().status & 3, 2);
    Click(Handle(), win::IDC_SIM_BUSY);
    EXPECT_EQ(rig.Printer().State().status, 1);

    Choose(Handle(), win::IDC_SIM_ANSWERS, SimAnswers::WithErrorState);
    EXPECT_EQ(rig.Printer().Faults().errorState, std::optional<std::uint8_t>(kFirmwareBadArgument));
    Choose(Handle(), win::IDC_SIM_ANSWERS, SimAnswers::NotAtAll);
    EXPECT_TRUE(rig.Printer().Faults().failGets);
    EXPECT_FALSE(rig.Printer().Faults().errorState);
    Choose(Handle(), win::IDC_SIM_ANSWERS, SimAnswers::Normally);
    EXPECT_FALSE(rig.Printer().Faults().failGets);

    // Faults set behind the window's back show in the list at the next sync.
    rig.Printer().Faults().failGets = true;
    window.Sync();
    EXPECT_EQ(SendDlgItemMessageW(Handle(), win::IDC_SIM_ANSWERS, CB_GETCURSEL, 0, 0),
              static_cast<LRESULT>(SimAnswers::NotAtAll));
}

TEST_F(SimulatorWindowTest, CountersGoBothWays) {
    Click(Handle(), win::IDC_SIM_ALL_BANDS);
    const auto bands = AllBandsCounters();
    EXPECT_TRUE(std::equal(bands.begin(), bands.end(), rig.Printer().State().pinCounters.begin()));
    EXPECT_EQ(TextOf(Handle(), win::IDC_SIM_PIN_FIRST + 4), L"7999999");

    // What the operator types reaches the pin once it is a whole count; a half-typed one waits.
    const struct {
        const wchar_t* typed;
        std::int32_t counter;
    } typing[] = {
        {L"-5", -5},           {L"2147483647", 2147483647}, {L"12abc", 2147483647},
        {L"-", 2147483647},    {L"2147483648", 2147483647}, {L"", 2147483647},
        {L"-2147483648", -2147483647 - 1},
    };
    for (const auto& t : typing) {
        SetDlgItemTextW(Handle(), win::IDC_SIM_PIN_FIRST + 8, t.typed);
        EXPECT_EQ(rig.Printer().State().pinCounters[8], t.counter) << Narrow(t.typed);
    }

    // A wizard resetting the counters on the printer shows at the next sync.
    rig.Printer().State().pinCounters[2] = 0;
    window.Sync();
    EXPECT_EQ(TextOf(Handle(), win::IDC_SIM_PIN_FIRST + 2), L"0");
}

TEST_F(SimulatorWindowTest, JobsAreListedAndFollowTheirState) {
    auto queue = rig.Spooler().OpenQueue(rig.QueueName());
    ASSERT_TRUE(queue);
    ASSERT_GT(queue->StartDoc("Adjustment", "RAW"), 0);
    std::size_t written = 0;
    const std::uint8_t bytes[] = {1, 2, 3};
    ASSERT_TRUE(queue->Write(bytes, written));
    ASSERT_TRUE(queue->EndDoc());
    window.Sync();
    EXPECT_EQ(SendDlgItemMessageW(Handle(), win::IDC_SIM_JOBS, LB_GETCOUNT, 0, 0), 1);
    EXPECT_NE(ListLine(Handle(), win::IDC_SIM_JOBS, 0).find(L"\"Adjustment\" on ZT-40: 3 bytes, queued"),
              std::wstring::npos)
        << Narrow(ListLine(Handle(), win::IDC_SIM_JOBS, 0));

    Click(Handle(), win::IDC_SIM_PRINT_QUEUED);
    EXPECT_EQ(SendDlgItemMessageW(Handle(), win::IDC_SIM_JOBS, LB_GETCOUNT, 0, 0), 1);
    const std::wstring line = ListLine(Handle(), win::IDC_SIM_JOBS, 0);
    EXPECT_TRUE(line.ends_with(L"printed")) << Narrow(line);
}

}  // namespace
}  // namespace zt40::testing
