// The save-and-restore frame around each wizard, on a main dialog driving a simulated ZT-40
// and spooler, with the wizard's pages acting while it is open.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "printjob/EmbeddedJobs.h"
#include "support/DialogRig.h"
#include "support/RecordingWizardHost.h"
#include "support/TempRecordFile.h"
#include "wizards/Sheets.h"

namespace zt40::testing {
namespace {

class WizardFrameTest : public ::testing::Test {
protected:
    WizardFrameTest() {
        Zt40State& state = rig.State();
        state.wordPair = {5, -7};
        state.selectedPin = 3;
        state.adjustments = {4, -2, 0, 1, 0, 0, 0, 0, 9};
        state.total = 168000;
        state.pinCounters = {500, 600, 700, 800, 900, 1000, 1100, 1200, 1300};
        state.headCounters = {2, 3};
        before = state;
        rig.dlg->SetUsageRecordPlatform(records.Platform());
        rig.StartReady();
    }

    // Runs the wizard of `kind` with `pages` acting on it while it is open; `result` is what
    // the window's run returns.
    template <typename Sheet>
    void RunWizard(WizardKind kind, const std::function<int(Sheet&)>& pages) {
        rig.view.whileWizardOpen = [&] {
            Sheet sheet(*rig.dlg, {rig.rig.Spooler(), sender});
            sheet.SetHost(&host);
            sheet.Open();
            rig.view.wizardResult = pages(sheet);
        };
        if (kind == WizardKind::ReplaceHead) {
            rig.dlg->OnReplaceHead();
        } else {
            rig.dlg->OnReadjustPins();
        }
    }

    static void Walk(CWizardSheet& sheet, std::size_t to) {
        while (sheet.ActiveIndex() < to) ASSERT_TRUE(sheet.Next());
    }

    // The record that a run appended holds the values the printer had when the wizard opened.
    void ExpectOneRecordOfBefore(char kind) {
        const auto appended = records.Records();
        ASSERT_EQ(appended.size(), 1u);
        EXPECT_EQ(appended[0].Kind(), kind);
        EXPECT_EQ(appended[0].counters.PinCounter, before.pinCounters);
        EXPECT_EQ(appended[0].counters.HeadCounters[0], before.headCounters[0]);  // the file keeps only the first
        EXPECT_EQ(appended[0].settings.PinAdjustments, before.adjustments);
        EXPECT_EQ(appended[0].settings.SelectedPin, before.selectedPin);
    }

    TempRecordFile records;
    DialogRig rig;
    Zt40State before;
    CPrintJobSender sender{rig.rig.Spooler(), rig.messages, EmbeddedJobs()};
    RecordingWizardHost host;
};

TEST_F(WizardFrameTest, AFinishedHeadReplacementKeepsWhatThePagesWrote) {
    const int repaints = rig.view.repaints;
    RunWizard<CChangeHeadSheet>(WizardKind::ReplaceHead, [this](CChangeHeadSheet& sheet) {
        sheet.m_moveHead.OnMoveHead();
        Walk(sheet, 5);
        sheet.m_adjustPin.OnStartPrinting();
        Walk(sheet, 6);
        sheet.m_inputValue.m_positions = {12, 15};
        sheet.m_inputValue.OnSet();
        EXPECT_TRUE(rig.dlg->WizardRunning());
        return sheet.Finish();
    });
    const Zt40State& after = rig.State();
    EXPECT_EQ(after.pinCounters, (std::array<std::int32_t, 9>{}));
    EXPECT_EQ(after.headCounters, (std::array<std::int16_t, 2>{3, 4}));
    EXPECT_EQ(after.adjustments, (std::array<std::int16_t, 9>{-3, 3, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(after.selectedPin, 1);
    EXPECT_EQ(after.total, before.total);
    EXPECT_FALSE(rig.dlg->WizardRunning());
    EXPECT_EQ(rig.dlg->SavedUsageCounters().PinCounter, (std::array<std::int32_t, 9>{}));
    EXPECT_EQ(rig.dlg->SavedPinSettings(), rig.dlg->CurrentPinSettings());
    EXPECT_GT(rig.view.repaints, repaints);
    ASSERT_FALSE(rig.view.pushed.empty());
    EXPECT_EQ(rig.view.pushed.back().shownUsage, (std::array<std::int32_t, 9>{}));
    EXPECT_EQ(rig.view.pushed.back().selectedPin, 0);
    EXPECT_TRUE(rig.view.boxes.empty());
    ExpectOneRecordOfBefore('o');
}

TEST_F(WizardFrameTest, ACancelledHeadReplacementPutsEveryGroupBackAndCancelsItsJob) {
    RunWizard<CChangeHeadSheet>(WizardKind::ReplaceHead, [](CChangeHeadSheet& sheet) {
        sheet.m_moveHead.OnMoveHead();
        Walk(sheet, 5);
        sheet.m_adjustPin.OnStartPrinting();
        Walk(sheet, 6);
        sheet.m_inputValue.m_positions = {12, 15};
        sheet.m_inputValue.OnSet();
        return sheet.Cancel();
    });
    const Zt40State& after = rig.State();
    EXPECT_EQ(after.pinCounters, before.pinCounters);
    EXPECT_EQ(after.headCounters, before.headCounters);
    EXPECT_EQ(after.total, before.total);
    EXPECT_EQ(after.adjustments, before.adjustments);
    EXPECT_EQ(after.selectedPin, before.selectedPin);
    EXPECT_EQ(after.wordPair, before.wordPair);
    ASSERT_EQ(rig.rig.Spooler().Jobs().size(), 1u);
    EXPECT_EQ(rig.rig.Spooler().Jobs()[0].state, SimJobState::Cancelled);
    EXPECT_TRUE(rig.view.boxes.empty());
    ExpectOneRecordOfBefore('x');
}

TEST_F(WizardFrameTest, ACancelledPinAdjustmentPutsBackOnlyThePinSettings) {
    RunWizard<CAdjustPinSheet>(WizardKind::ReadjustPins, [this](CAdjustPinSheet& sheet) {
        sheet.m_adjustPin.OnStartPrinting();
        Walk(sheet, 1);
        sheet.m_inputValue.m_positions = {12, 15};
        sheet.m_inputValue.OnSet();
        EXPECT_EQ(rig.State().adjustments[0], 1);  // 4 - 3: added to what the printer had
        rig.State().pinCounters[0] += 40;          // the pattern's marks, counted by the printer
        return sheet.Cancel();
    });
    EXPECT_EQ(rig.State().adjustments, before.adjustments);
    EXPECT_EQ(rig.State().pinCounters[0], before.pinCounters[0] + 40);
    ExpectOneRecordOfBefore('x');
}

// The pattern's marks are counted by the printer meanwhile: the window shows them at once.
TEST_F(WizardFrameTest, AFinishedPinAdjustmentShowsWhatThePrinterHolds) {
    RunWizard<CAdjustPinSheet>(WizardKind::ReadjustPins, [this](CAdjustPinSheet& sheet) {
        Walk(sheet, 1);
        sheet.m_inputValue.m_positions = {10, 11, 13};
        sheet.m_inputValue.OnSet();
        rig.State().pinCounters[1] = 650;
        return sheet.Finish();
    });
    EXPECT_EQ(rig.State().adjustments, (std::array<std::int16_t, 9>{2, -2, 3, 1, 0, 0, 0, 0, 9}));
    ASSERT_FALSE(rig.view.pushed.empty());
    EXPECT_EQ(rig.view.pushed.back().shownUsage[1], 650);
}

// Unplugged at the moment of cancelling: nothing can be written, the operator is told which
// groups are not back; Retry writes again once the printer is back, Cancel leaves it as it is.
TEST_F(WizardFrameTest, ARollbackThatCannotBeMadeIsShownUntilRetrySucceedsOrCancel) {
    const struct {
        const char* name;
        std::vector<MbResult> answers;
        int replugAtBox;  // the box during which the printer is plugged back in, 0 for never
        std::size_t boxes;
        bool restored;
    } cases[] = {
        {"RetryAfterReplug", {MbResult::Retry}, 1, 1, true},
        {"RetryTooEarlyThenAgain", {MbResult::Retry, MbResult::Retry}, 2, 2, true},
        {"Cancel", {MbResult::Cancel}, 1, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialogRig fresh;
        fresh.State() = before;
        fresh.StartReady();
        fresh.view.answers.assign(c.answers.begin(), c.answers.end());
        int shown = 0;
        fresh.view.whileBoxOpen = [&] {
            if (++shown != c.replugAtBox) return;
            fresh.Printer().Plug();
            fresh.dlg->OnDeviceChange(kDeviceNodesChanged, 0);
            fresh.Tick();
        };
        CPrintJobSender jobs(fresh.rig.Spooler(), fresh.messages, EmbeddedJobs());
        fresh.view.whileWizardOpen = [&] {
            CChangeHeadSheet sheet(*fresh.dlg, {fresh.rig.Spooler(), jobs});
            sheet.SetHost(&host);
            sheet.Open();
            sheet.m_moveHead.OnMoveHead();
            fresh.Printer().Unplug();
            fresh.view.wizardResult = sheet.Cancel();
        };
        fresh.dlg->OnReplaceHead();

        ASSERT_EQ(fresh.view.boxes.size(), c.boxes);
        EXPECT_EQ(fresh.view.boxes[0].buttons, MbButtons::RetryCancel);
        EXPECT_EQ(fresh.view.boxes[0].message.English().rfind("Neither the pin settings nor the usage counters", 0), 0u);
        EXPECT_NE(fresh.view.boxes[0].message.English().find("usage record"), std::string::npos);
        EXPECT_FALSE(fresh.dlg->WizardRunning());
        const Zt40State& after = fresh.State();
        EXPECT_EQ(after.pinCounters == before.pinCounters, c.restored);
        EXPECT_EQ(after.headCounters == before.headCounters, c.restored);
        EXPECT_EQ(after.adjustments == before.adjustments && after.selectedPin == before.selectedPin, c.restored);
    }
}

TEST(RollbackFailedMessage, NamesTheGroupsThatAreNotBack) {
    const struct {
        RollbackFailure failure;
        const char* start;
    } cases[] = {{{true, false}, "The pin settings could not"},
                 {{false, true}, "The usage counters could not"},
                 {{true, true}, "Neither the pin settings nor the usage counters"}};
    for (const auto& c : cases) EXPECT_EQ(RollbackFailedMessage(c.failure).English().rfind(c.start, 0), 0u) << c.start;
}

// A printer that stops answering while the wizard is open: the put-back shows its wait, ends at
// the first command left unanswered instead of waiting out every command's time-out, and
// leaves the decision to the operator.
TEST(WizardFrameSilentPrinter, CancelEndsAtTheFirstSilentCommand) {
    DialogRig t;
    t.StartReady();
    t.view.wizardResult = kCancelCommand;
    t.view.whileWizardOpen = [&] { t.Printer().Faults().neverFinish = true; };
    t.view.answers = {MbResult::Cancel};  // the Retry prompt
    const std::uint32_t start = t.clock.Peek();
    t.dlg->OnReadjustPins();
    EXPECT_LT(t.clock.Peek() - start, 2 * kTransactionTimeoutMs + 1000) << "one silent command, not one per field";
    EXPECT_EQ(t.view.waits, std::vector<std::string>{"Putting the settings back... [Cancel]"});
    ASSERT_EQ(t.view.boxes.size(), 1u);
    EXPECT_EQ(t.view.boxes[0].buttons, MbButtons::RetryCancel);
    EXPECT_EQ(t.view.statusLine, "Not ready: ZT-40 on queue ZT-40") << "the window does not claim Ready";
}

}  // namespace
}  // namespace zt40::testing
