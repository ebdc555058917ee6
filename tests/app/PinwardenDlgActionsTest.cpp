// Cleaning, the pin choice, the group writes and the services the wizard pages call.
#include <gtest/gtest.h>

#include <array>

#include "app/ControlIds.h"
#include "support/DialogRig.h"

namespace zt40::testing {
namespace {

constexpr std::uint16_t kBusy = 0x0002;

std::vector<SentCommand> Only(const std::vector<SentCommand>& commands, std::uint8_t opcode) {
    std::vector<SentCommand> kept;
    for (const auto& c : commands) {
        if (c.opcode == opcode) kept.push_back(c);
    }
    return kept;
}

// Head flags and motion blocks in the order sent, e.g. "F1 M-416,0".
std::vector<std::string> CleaningTrace(const std::vector<SentCommand>& commands) {
    std::vector<std::string> trace;
    for (const auto& c : commands) {
        if (c.IsExtended(wire::kHeadFlag)) trace.push_back("F" + std::to_string(c.argument));
        if (c.opcode == wire::kOpMotionBlock) {
            EXPECT_EQ(c.Word(wire::kShortItemsOffset), 0xFFFF);
            trace.push_back("M" + std::to_string(c.Item32(0, wire::kShortItemsOffset + 2)) + "," +
                            std::to_string(c.Item32(1, wire::kShortItemsOffset + 2)));
        }
    }
    return trace;
}

const std::vector<std::string> kFullCleaning{"F1", "M-416,0", "F0", "M-416,0",    "F0", "M-416,3333",
                                             "F0", "M-416,0", "F1", "M-416,0", "F1", "M0,0"};

struct CleaningCase {
    const char* name;
    MbResult answer;
    std::uint32_t notReadyReads;  // statuses other than 1 before the printer is ready
    bool noAnswer;                // the status cannot be read at all
    std::vector<std::string> expected;
};

class PinwardenDlgCleaning : public ::testing::TestWithParam<CleaningCase> {};

TEST_P(PinwardenDlgCleaning, SendsTheStepsOrAbandons) {
    const CleaningCase& c = GetParam();
    DialogRig t;
    t.StartReady();
    t.TakeCommands();
    t.view.answers = {c.answer};
    t.Printer().Firmware().SetNotReady(c.notReadyReads, kBusy);
    t.Printer().Faults().failGets = c.noAnswer;
    t.dlg->OnCleaning();

    ASSERT_EQ(t.view.boxes.size(), 1u);
    EXPECT_EQ(t.view.BoxTexts()[0], "The head cleaning is executed.");
    EXPECT_EQ(t.view.boxes[0].buttons, MbButtons::OkCancel);
    EXPECT_EQ(t.view.boxes[0].icon, MbIcon::Information);
    EXPECT_EQ(CleaningTrace(t.TakeCommands()), c.expected);
    EXPECT_EQ(t.view.waitDepth, 0) << "the wait cursor is always taken back";
    EXPECT_EQ(t.view.boxes.size(), 1u) << "nothing is shown when the sequence ends";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PinwardenDlgCleaning,
    ::testing::Values(CleaningCase{"cancel", MbResult::Cancel, 0, false, {}},
                      CleaningCase{"ok", MbResult::Ok, 0, false, kFullCleaning},
                      CleaningCase{"noAnswer", MbResult::Ok, 0, true, {}},
                      // 600 busy answers 20 ms apart: 12 s, inside the bound.
                      CleaningCase{"slowButInTime", MbResult::Ok, 600, false, kFullCleaning},
                      CleaningCase{"neverReady", MbResult::Ok, 1'000'000, false, {}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(PinwardenDlgActions, NeverReadyPrinterIsGivenUpAfterTheBoundWithPausesBetweenPolls) {
    DialogRig t;
    t.StartReady();
    t.Printer().Firmware().SetNotReady(1'000'000, kBusy);
    const std::uint32_t before = t.clock.Peek();
    EXPECT_FALSE(t.dlg->WritePinSettings(t.dlg->CurrentPinSettings()));
    const std::uint32_t waited = t.clock.Peek() - before;
    EXPECT_GE(waited, kReadyWaitBoundMs);
    EXPECT_LT(waited, kReadyWaitBoundMs + 1000);
    EXPECT_GE(t.pauses, 100) << "a busy printer is not polled back to back";
}

TEST(PinwardenDlgActions, WaitForReadySurvivesTheTickWrapping) {
    DialogRig t;
    t.StartReady();
    t.clock.Set(0xFFFFFF00u);
    t.Printer().Firmware().SetNotReady(100, kBusy);  // 2 s of busy answers across the wrap
    EXPECT_TRUE(t.dlg->WritePinSettings(t.dlg->CurrentPinSettings()));
}

struct PinWriteCase {
    std::int32_t pin;
    bool written;
};

class PinwardenDlgPinWrite : public ::testing::TestWithParam<PinWriteCase> {};

TEST_P(PinwardenDlgPinWrite, RangeIsCheckedOnlyAfterTheDeviceReportedReady) {
    DialogRig t;
    t.StartReady();
    t.TakeCommands();
    PinSettings settings = t.dlg->CurrentPinSettings();
    settings.SelectedPin = GetParam().pin;
    EXPECT_EQ(t.dlg->WritePinSettings(settings), GetParam().written);
    const auto sent = t.TakeCommands();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front().opcode, wire::kOpStatus) << "the wait for ready comes first";
    EXPECT_EQ(sent.size(), GetParam().written ? 4u : 1u);
    EXPECT_EQ(t.State().selectedPin, GetParam().written ? GetParam().pin : 1);
}

INSTANTIATE_TEST_SUITE_P(Pins, PinwardenDlgPinWrite,
                         ::testing::Values(PinWriteCase{0, false}, PinWriteCase{10, false}, PinWriteCase{-1, false},
                                           PinWriteCase{1, true}, PinWriteCase{9, true}));

TEST(PinwardenDlgActions, PinChoiceEnablesApplyOnlyForAChange) {
    DialogRig t;
    t.State().selectedPin = 4;
    t.StartReady();
    t.dlg->OnPinSelected(3);  // pin 4's button, already checked
    EXPECT_FALSE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE));
    t.dlg->OnPinSelected(6);
    EXPECT_TRUE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE));
    t.TakeCommands();
    t.dlg->OnApplyPinChange();
    EXPECT_FALSE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE));
    EXPECT_EQ(t.State().selectedPin, 7);
    const auto sent = t.TakeCommands();
    ASSERT_EQ(sent.size(), 1u) << "no wait for ready before SelectPin";
    EXPECT_TRUE(sent[0].IsExtended(wire::kSelectPin));
    EXPECT_TRUE(t.view.boxes.empty());
    EXPECT_EQ(t.dlg->SavedPinSettings().SelectedPin, 4) << "the saved copy is not renewed";
    t.dlg->OnPinSelected(6);
    EXPECT_FALSE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE)) << "pin 7 is the selection now";
}

TEST(PinwardenDlgActions, WordPairOutOfRangeBlocksAPinChangeSilently) {
    for (const std::int16_t pair : {std::int16_t{200}, std::int16_t{-200}}) {
        DialogRig t;
        t.State().wordPair = {0, pair};
        t.StartReady();
        t.dlg->OnPinSelected(5);
        t.TakeCommands();
        t.dlg->OnApplyPinChange();
        EXPECT_TRUE(t.TakeCommands().empty());
        EXPECT_TRUE(t.view.boxes.empty());
        EXPECT_FALSE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE));
        EXPECT_EQ(t.State().selectedPin, 1);
        EXPECT_EQ(t.dlg->CurrentPinSettings().SelectedPin, 6) << "the new pin is kept in memory";
    }
}

TEST(PinwardenDlgActions, FailedPinChangeSaysErrorEvenWhenATickArrivesMeanwhile) {
    DialogRig t;
    t.StartReady();
    t.dlg->OnPinSelected(2);
    t.Printer().Faults().errorState = 0x05;
    t.view.whileBoxOpen = [&] {
        t.Tick();
        t.dlg->OnPinSelected(4);  // the operator clicks another pin while the box is up
    };
    t.dlg->OnApplyPinChange();
    ASSERT_EQ(t.view.BoxTexts(), std::vector<std::string>{"error"});
    EXPECT_EQ(t.view.boxes[0].buttons, MbButtons::Ok);
    EXPECT_EQ(t.view.boxes[0].icon, MbIcon::None);
    EXPECT_FALSE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE));
}

TEST(PinwardenDlgActions, TickWhileTheCleaningBoxIsOpenThenCleaningRuns) {
    DialogRig t;
    t.dlg->OnInitDialog();
    t.view.whileBoxOpen = [&] { t.Tick(); };
    t.dlg->OnCleaning();
    EXPECT_TRUE(t.dlg->DeviceReady()) << "the tick inside the box connected";
    EXPECT_EQ(CleaningTrace(t.TakeCommands()), kFullCleaning);
}

TEST(PinwardenDlgActions, ApplyPinAdjustmentsAddsEachTimeAndKeepsAnOutOfRangeSum) {
    DialogRig t;
    t.State().adjustments = {10, -10, 0, 0, 0, 0, 0, 0, 0};
    t.StartReady();
    const std::array<std::int32_t, kPinCount> values{20, -20, 0, 0, 0, 0, 0, 0, 0x10003};
    t.dlg->ApplyPinAdjustments(values);
    t.dlg->ApplyPinAdjustments(values);
    const std::array<std::int16_t, kPinCount> twice{50, -50, 0, 0, 0, 0, 0, 0, 6};
    EXPECT_EQ(t.dlg->CurrentPinSettings().PinAdjustments, twice) << "only the low 16 bits are added";
    EXPECT_EQ(t.State().adjustments, twice);

    t.dlg->ApplyPinAdjustments(values);
    EXPECT_EQ(t.dlg->CurrentPinSettings().PinAdjustments[0], 70);
    EXPECT_EQ(t.State().adjustments[0], 70);
    t.dlg->ApplyPinAdjustments(values);  // 90 is out of range: memory only
    EXPECT_EQ(t.dlg->CurrentPinSettings().PinAdjustments[0], 90);
    EXPECT_EQ(t.State().adjustments[0], 70);
}

TEST(PinwardenDlgActions, ResetPinCountersTwiceRaisesTheHeadCountersByTwo) {
    DialogRig t;
    t.State().total = 777;
    t.State().pinCounters = {5, 5, 5, 5, 5, 5, 5, 5, 5};
    t.State().headCounters = {3, -7};
    t.StartReady();
    t.dlg->ResetPinCounters();
    t.dlg->ResetPinCounters();
    EXPECT_EQ(t.State().headCounters, (std::array<std::int16_t, 2>{5, -5}));
    EXPECT_EQ(t.State().pinCounters, (std::array<std::int32_t, kPinCount>{}));
    EXPECT_EQ(t.State().total, 777);
}

TEST(PinwardenDlgActions, ResetPinSettingsZeroesAdjustmentsSelectsPinOneAndRereads) {
    DialogRig t;
    t.State().selectedPin = 5;
    t.State().adjustments = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    t.State().wordPair = {11, -12};
    t.StartReady();
    t.dlg->ResetPinSettings();
    EXPECT_EQ(t.State().adjustments, (std::array<std::int16_t, kPinCount>{}));
    EXPECT_EQ(t.State().selectedPin, 1);
    EXPECT_EQ(t.State().wordPair, (std::array<std::int16_t, 2>{11, -12}));
    EXPECT_EQ(t.dlg->CurrentPinSettings().SelectedPin, 1);
}

TEST(PinwardenDlgActions, MoveHeadToCentreRaisesTheFlagThenMoves) {
    DialogRig t;
    t.StartReady();
    t.TakeCommands();
    t.dlg->MoveHeadToCentre();
    const auto sent = t.TakeCommands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(sent[0].IsExtended(wire::kHeadFlag));
    EXPECT_EQ(sent[0].argument, 1);
    EXPECT_TRUE(sent[1].IsExtended(wire::kMoveHead));
    EXPECT_EQ(sent[1].argument, kHeadCentre);
}

TEST(PinwardenDlgActions, InvalidCountersAreNotWritten) {
    DialogRig t;
    t.StartReady();
    UsageCounters counters = t.dlg->CurrentUsageCounters();
    counters.PinCounter[8] = -1;
    t.TakeCommands();
    EXPECT_FALSE(t.dlg->WriteUsageCounters(counters));
    EXPECT_EQ(Only(t.TakeCommands(), wire::kOpExtended).size(), 0u);
    counters.PinCounter[8] = 0;
    counters.HeadCounters[1] = -1;  // the second head counter is not examined
    EXPECT_TRUE(t.dlg->WriteUsageCounters(counters));
    EXPECT_EQ(Only(t.TakeCommands(), wire::kOpExtended).size(), 11u);
}

struct SysCommandCase {
    int command;
    bool handled;
    int aboutBoxes;
};

class PinwardenDlgSysCommand : public ::testing::TestWithParam<SysCommandCase> {};

TEST_P(PinwardenDlgSysCommand, MasksTheLowBitsAndPassesOthersOn) {
    DialogRig t;
    t.dlg->OnInitDialog();
    EXPECT_EQ(t.dlg->OnSysCommand(GetParam().command, 0), GetParam().handled);
    EXPECT_EQ(t.view.aboutBoxes, GetParam().aboutBoxes);
}

INSTANTIATE_TEST_SUITE_P(Commands, PinwardenDlgSysCommand,
                         ::testing::Values(SysCommandCase{IDM_ABOUTBOX, true, 1},
                                           SysCommandCase{IDM_ABOUTBOX | 0x3, true, 1},
                                           SysCommandCase{IDM_RESTORE_SETTINGS, true, 0},
                                           SysCommandCase{0xF060, false, 0},  // close
                                           SysCommandCase{0x0030, false, 0}));

}  // namespace
}  // namespace zt40::testing
