// The head-replacement wizard's own pages and the sheet's frame: what Move Head asks of the
// main window and when, the queue-watching power pages tick by tick, and Cancel.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "WizardFixture.h"
#include "wizards/Sheets.h"

namespace zt40 {
namespace {

constexpr std::uint32_t kOffline = kPrinterAttributeWorkOffline;
constexpr std::uint32_t kNetwork = kPrinterAttributeNetwork;
constexpr std::uint32_t kOnline = 0;

class HeadReplacementTest : public WizardFixture {
protected:
    CChangeHeadSheet sheet{services, Spooling()};
};

TEST_F(HeadReplacementTest, MoveHeadResetsOnlyOnTheFirstClickAndBackFindsNextEnabled) {
    Open(sheet);
    EXPECT_EQ(host.Buttons(), 0u);

    sheet.m_moveHead.OnMoveHead();
    // Posted, not sent: nothing changes until the handler has returned.
    EXPECT_EQ(host.Buttons(), 0u);
    host.Flush();
    EXPECT_EQ(host.Buttons(), kWizNext);
    EXPECT_EQ(services.Calls(), (std::vector<std::string>{"move", "reset settings", "reset counters"}));

    Next(sheet);
    Back(sheet);
    EXPECT_EQ(host.Buttons(), kWizNext);
    services.ClearCalls();
    sheet.m_moveHead.OnMoveHead();
    EXPECT_EQ(services.Calls(), (std::vector<std::string>{"move"}));
}

struct MoveHeadFailure {
    const char* failing;
    std::vector<std::string> calls;  // of the failed click
};

// The new head must not show the old head's wear: Next waits until the move and both resets
// went through, and the click after a failure clears again what was not cleared.
TEST_F(HeadReplacementTest, MoveHeadFailureLeavesNextOffAndTheRetryResetsAgain) {
    const std::vector<MoveHeadFailure> cases{
        {"move", {"move"}},
        {"reset settings", {"move", "reset settings"}},
        {"reset counters", {"move", "reset settings", "reset counters"}},
    };
    for (const MoveHeadFailure& c : cases) {
        CChangeHeadSheet fresh{services, Spooling()};
        Open(fresh);
        services.ClearCalls();
        services.failing = {c.failing};
        fresh.m_moveHead.OnMoveHead();
        host.Flush();
        EXPECT_EQ(host.Buttons(), 0u) << c.failing;
        EXPECT_EQ(services.Calls(), c.calls) << c.failing;
        services.failing.clear();
        services.ClearCalls();
        fresh.m_moveHead.OnMoveHead();
        host.Flush();
        EXPECT_EQ(host.Buttons(), kWizNext) << c.failing;
        EXPECT_EQ(services.Calls(), (std::vector<std::string>{"move", "reset settings", "reset counters"})) << c.failing;
        fresh.SetHost(nullptr);
    }
}

TEST_F(HeadReplacementTest, PagesWithoutASheetLinkPostNothingAndCallNothing) {
    CMoveHeadPage moveHead;
    moveHead.OnMoveHead();
    CInputValuePage input;
    input.OnSet();
    CAdjustPinPage adjust;
    adjust.OnStartPrinting();
    EXPECT_TRUE(services.Calls().empty());
    EXPECT_TRUE(host.Pending().empty());
    EXPECT_TRUE(spooler.Jobs().empty());
}

struct TickCase {
    const char* name;
    std::size_t page;  // 1 Power Off, 4 Power On
    std::vector<std::uint32_t> queue;  // attributes at each tick, the first at entry
    std::vector<std::uint32_t> buttons;
};

void PrintTo(const TickCase& c, std::ostream* os) { *os << c.name; }

class PowerPageTest : public HeadReplacementTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(PowerPageTest, ButtonsFollowTheQueueAtEveryTick) {
    const TickCase& c = GetParam();
    Open(sheet);
    SetQueue(c.queue[0]);
    while (sheet.ActiveIndex() < c.page) Next(sheet);
    CWizardPage& page = *sheet.ActivePage();
    EXPECT_EQ(host.Buttons(), c.buttons[0]) << "at entry";
    for (std::size_t i = 1; i < c.queue.size(); ++i) {
        SetQueue(c.queue[i]);
        host.Tick(page);
        EXPECT_EQ(host.Buttons(), c.buttons[i]) << "tick " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, PowerPageTest,
    ::testing::Values(
        TickCase{"OffStillPowered", 1, {kOnline, kOnline}, {kWizBack, kWizBack}},
        TickCase{"OffUnplugThenReplug", 1, {kOnline, kOffline, kOnline}, {kWizBack, kWizBack | kWizNext, kWizBack}},
        TickCase{"OffNetworkQueueAtOnce", 1, {kNetwork}, {kWizBack | kWizNext}},
        TickCase{"OnStillOff", 4, {kOffline, kOffline}, {kWizBack, kWizBack}},
        TickCase{"OnPluggedIn", 4, {kOffline, kOnline, kOffline}, {kWizBack, kWizBack | kWizNext, kWizBack}},
        TickCase{"OnNetworkQueueNever", 4, {kNetwork, kNetwork | kOnline}, {kWizBack, kWizBack}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(HeadReplacementTest, AQueueThatIsNotListedLeavesTheButtonsAsTheyAre) {
    Open(sheet);
    SetQueue(kOffline);
    Next(sheet);
    ASSERT_EQ(host.Buttons(), kWizBack | kWizNext);
    UnlistQueue();
    host.Tick(sheet.m_powerOff);
    EXPECT_EQ(host.Buttons(), kWizBack | kWizNext);
}

TEST_F(HeadReplacementTest, TimersRunOnlyWhileTheirPageIsActiveWithTheirPeriods) {
    Open(sheet);
    Next(sheet);
    auto timer = host.RunningTimer(sheet.m_powerOff);
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->id, 1u);
    EXPECT_EQ(timer->periodMs, 1000u);
    Next(sheet);
    EXPECT_FALSE(host.RunningTimer(sheet.m_powerOff));
    while (sheet.ActiveIndex() < 7) Next(sheet);
    ASSERT_TRUE(host.RunningTimer(sheet.m_powerAgain));
    EXPECT_EQ(host.RunningTimer(sheet.m_powerAgain)->periodMs, 500u);
    EXPECT_EQ(sheet.Finish(), kWizardFinished);
    EXPECT_FALSE(host.RunningTimer(sheet.m_powerAgain));
}

TEST_F(HeadReplacementTest, ATimerThatCannotStartNeverChecksTheQueue) {
    host.SetTimersFail(true);
    SetQueue(kOffline);
    Open(sheet);
    Next(sheet);
    EXPECT_EQ(host.Buttons(), kWizBack);
    EXPECT_EQ(sheet.m_powerOff.m_timerId, 0u);
}

// Power Off/On: armed at entry, seen off-line, ready; re-armed whenever the page is entered.
TEST_F(HeadReplacementTest, PowerAgainEnablesFinishOnlyAfterOffThenOnSinceEntry) {
    Open(sheet);
    while (sheet.ActiveIndex() < 7) Next(sheet);
    CWizardPage& page = sheet.m_powerAgain;
    const std::uint32_t disabled = kWizBack | kWizDisabledFinish;
    const std::uint32_t ready = kWizBack | kWizFinish;
    const struct {
        std::uint32_t queue;
        std::uint32_t buttons;
        std::int32_t flag;
    } steps[] = {{kOnline, disabled, 1}, {kOffline, disabled, 0}, {kOffline, disabled, 0},
                 {kOnline, ready, 1},    {kOnline, ready, 1},     {kOffline, disabled, 0},
                 {kOnline, ready, 1}};
    EXPECT_EQ(host.Buttons(), disabled);
    for (const auto& step : steps) {
        SetQueue(step.queue);
        host.Tick(page);
        EXPECT_EQ(host.Buttons(), step.buttons);
        EXPECT_EQ(sheet.m_powerAgain.m_powerCycle, step.flag);
    }
    Back(sheet);
    Next(sheet);
    EXPECT_EQ(host.Buttons(), disabled);
    host.Tick(page);
    EXPECT_EQ(host.Buttons(), disabled);
}

TEST_F(HeadReplacementTest, ANetworkQueueNeverEnablesFinish) {
    SetQueue(kNetwork);
    Open(sheet);
    while (sheet.ActiveIndex() < 7) Next(sheet);
    for (int i = 0; i < 3; ++i) host.Tick(sheet.m_powerAgain);
    EXPECT_EQ(host.Buttons(), kWizBack | kWizDisabledFinish);
}

TEST_F(HeadReplacementTest, ShowOnlyPagesOfferBackAndNextAndEverySubtitleCountsEight) {
    Open(sheet);
    sheet.m_moveHead.OnMoveHead();
    Next(sheet);
    SetQueue(kOffline);
    Next(sheet);
    EXPECT_EQ(host.Buttons(), kWizBack | kWizNext);
    Next(sheet);
    EXPECT_EQ(host.Buttons(), kWizBack | kWizNext);
    EXPECT_EQ(sheet.StepOf(2).English(), "Step 3 of 8");
    EXPECT_EQ(sheet.StepOf(7).English(), "Step 8 of 8");
}

TEST_F(HeadReplacementTest, CancelBeforeAnyPrintLeavesTheSpoolerAlone) {
    Open(sheet);
    sheet.m_moveHead.OnMoveHead();
    spooler.ClearCalls();
    EXPECT_EQ(sheet.Cancel(), kCancelCommand);
    EXPECT_TRUE(spooler.Calls().empty());
}

TEST_F(HeadReplacementTest, CancelAfterPrintingCancelsTheLastJobInItsQueue) {
    Open(sheet);
    while (sheet.ActiveIndex() < 5) Next(sheet);
    sheet.m_adjustPin.OnStartPrinting();
    sheet.m_adjustPin.OnStartPrinting();
    ASSERT_EQ(spooler.Jobs().size(), 2u);
    EXPECT_EQ(sheet.JobId(), spooler.Jobs()[1].id);
    EXPECT_EQ(sheet.Cancel(), kCancelCommand);
    EXPECT_EQ(spooler.FindJob(spooler.Jobs()[1].id)->state, SimJobState::Cancelled);
    EXPECT_EQ(spooler.FindJob(spooler.Jobs()[0].id)->state, SimJobState::Queued);
    EXPECT_FALSE(sheet.IsOpen());
}

}  // namespace
}  // namespace zt40
