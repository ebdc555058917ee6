// Cleaning, the pin choice, the group writes and the services the wizard pages call.
#include <gtest/gtest.h>

#include <array>
#include <functional>

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

constexpr const char* kNoAnswer = "The ZT-40 does not answer. Check the cable and the power switch, then try again.";
constexpr const char* kNotReady =
    "The ZT-40 was not ready within 15 s. Wait until it has finished what it is doing, then try again.";

struct CleaningCase {
    const char* name;
    MbResult answer;
    std::uint32_t notReadyReads;  // statuses other than 1 before the printer is ready
    bool noAnswer;                // the status cannot be read at all
    std::vector<std::string> expected;
    std::vector<std::string> outcomes;
};

class PinwardenDlgCleaning : public ::testing::TestWithParam<CleaningCase> {};

TEST_P(PinwardenDlgCleaning, SendsTheStepsOrAbandonsAndSaysHowItEnded) {
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
    EXPECT_FALSE(t.view.waitOpen) << "the wait is taken away before the outcome shows";
    EXPECT_EQ(t.view.outcomes, c.outcomes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PinwardenDlgCleaning,
    ::testing::Values(
        CleaningCase{"cancel", MbResult::Cancel, 0, false, {}, {}},
        CleaningCase{"ok", MbResult::Ok, 0, false, kFullCleaning, {"The head cleaning is finished."}},
        CleaningCase{"noAnswer", MbResult::Ok, 0, true, {},
                     {std::string("The head cleaning stopped with 0 of 6 steps done. | ") + kNoAnswer}},
        // 600 busy answers 20 ms apart: 12 s, inside the bound.
        CleaningCase{"slowButInTime", MbResult::Ok, 600, false, kFullCleaning, {"The head cleaning is finished."}},
        CleaningCase{"neverReady", MbResult::Ok, 1'000'000, false, {},
                     {std::string("The head cleaning stopped with 0 of 6 steps done. | ") + kNotReady}}),
    [](const auto& p) { return std::string(p.param.name); });

// The printer stops being ready before the third motion, or the operator cancels its wait:
// two motions were made, and the outcome counts them.
TEST(PinwardenDlgActions, CleaningTellsTheStepItStoppedAtAndWhy) {
    struct Case {
        bool cancel;
        const char* why;
    };
    for (const Case c : {Case{false, kNotReady}, Case{true, "Cancelled: nothing more was sent to the ZT-40."}}) {
        DialogRig t;
        t.StartReady();
        t.TakeCommands();
        t.view.whileWaitShown = [&](const std::string& doing) {
            if (doing.rfind("Cleaning: step 3 of 6", 0) != 0) return;
            t.Printer().Firmware().SetNotReady(1'000'000, kBusy);
            if (c.cancel) t.dlg->OnCancelWait();
        };
        t.dlg->OnCleaning();
        EXPECT_EQ(CleaningTrace(t.TakeCommands()).size(), 4u) << "two flags and two motions";
        EXPECT_EQ(t.view.waits, (std::vector<std::string>{"Cleaning: step 1 of 6 [Cancel]", "Cleaning: step 2 of 6 [Cancel]",
                                                          "Cleaning: step 3 of 6 [Cancel]"}));
        EXPECT_EQ(t.view.outcomes,
                  std::vector<std::string>{std::string("The head cleaning stopped with 2 of 6 steps done. | ") + c.why});
        EXPECT_EQ(t.view.outcomeFailed, std::vector<bool>{true});
        EXPECT_LT(t.clock.Peek(), c.cancel ? 1000u : 20000u) << "a Cancel ends the wait at once";
    }
}

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
    ASSERT_EQ(sent.size(), 2u) << "the wait for ready, then SelectPin, as every other write";
    EXPECT_TRUE(sent[1].IsExtended(wire::kSelectPin));
    EXPECT_EQ(t.view.waits, std::vector<std::string>{"Changing the pin for marking... [Cancel]"});
    EXPECT_TRUE(t.view.boxes.empty());
    EXPECT_EQ(t.dlg->SavedPinSettings().SelectedPin, 4) << "the saved copy is not renewed";
    t.dlg->OnPinSelected(6);
    EXPECT_FALSE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE)) << "pin 7 is the selection now";
}

TEST(PinwardenDlgActions, AppliedPinChangeIsToldInTheStatusArea) {
    DialogRig t;
    t.StartReady();
    t.dlg->OnPinSelected(6);
    t.dlg->OnApplyPinChange();
    EXPECT_EQ(t.view.outcomes, std::vector<std::string>{"No.7 is now the pin for marking."});
    EXPECT_EQ(t.view.outcomeFailed, std::vector<bool>{false});
}

// A pin the printer did not take is told with the reason, and the radio goes back to the pin
// the printer still uses, in memory too.
TEST(PinwardenDlgActions, FailedPinChangeIsToldAndTheRadioGoesBackToThePinInUse) {
    struct Case {
        const char* name;
        std::function<void(DialogRig&)> fault;
        const char* why;
    };
    const std::vector<Case> cases{
        {"word pair 200", [](DialogRig& t) { t.State().wordPair = {0, 200}; },
         "The printer's settings are out of range. Choose \"Restoration of setting\" in the window's menu."},
        {"word pair -200", [](DialogRig& t) { t.State().wordPair = {0, -200}; },
         "The printer's settings are out of range. Choose \"Restoration of setting\" in the window's menu."},
        {"error state", [](DialogRig& t) { t.Printer().Faults().errorState = 0x05; },
         "The ZT-40 reports error state 5. Clear the error (switch the printer off and on), then try again."},
    };
    for (const Case& c : cases) {
        DialogRig t;
        t.State().selectedPin = 2;
        if (std::string(c.name).rfind("word", 0) == 0) c.fault(t);
        t.StartReady();
        if (std::string(c.name).rfind("word", 0) != 0) c.fault(t);
        t.dlg->OnPinSelected(4);
        t.dlg->OnApplyPinChange();
        EXPECT_EQ(t.view.outcomes,
                  std::vector<std::string>{std::string("The pin for marking was not changed: No.2 stays in use. | ") + c.why})
            << c.name;
        EXPECT_EQ(t.view.outcomeFailed, std::vector<bool>{true}) << c.name;
        EXPECT_EQ(t.dlg->Data().selectedPin, 1) << c.name;
        EXPECT_EQ(t.view.pushed.back().selectedPin, 1) << c.name << ": the radio shows pin 2 again";
        EXPECT_EQ(t.dlg->CurrentPinSettings().SelectedPin, 2) << c.name;
        EXPECT_FALSE(t.view.IsEnabled(IDC_APPLY_PIN_CHANGE)) << c.name;
        EXPECT_TRUE(t.view.boxes.empty()) << c.name << ": the outcome is the only box";
    }
}

TEST(PinwardenDlgActions, TickWhileTheCleaningBoxIsOpenThenCleaningRuns) {
    DialogRig t;
    t.dlg->OnInitDialog();
    t.view.whileBoxOpen = [&] { t.Tick(); };
    t.dlg->OnCleaning();
    EXPECT_TRUE(t.dlg->DeviceReady()) << "the tick inside the box connected";
    EXPECT_EQ(CleaningTrace(t.TakeCommands()), kFullCleaning);
}

TEST(PinwardenDlgActions, ApplyPinAdjustmentsAddsEachTimeAndKeepsOnlyWhatWasWritten) {
    DialogRig t;
    t.State().adjustments = {10, -10, 0, 0, 0, 0, 0, 0, 0};
    t.StartReady();
    const std::array<std::int32_t, kPinCount> values{20, -20, 0, 0, 0, 0, 0, 0, 0x10003};
    EXPECT_TRUE(t.dlg->ApplyPinAdjustments(values));
    EXPECT_TRUE(t.dlg->ApplyPinAdjustments(values));
    const std::array<std::int16_t, kPinCount> twice{50, -50, 0, 0, 0, 0, 0, 0, 6};
    EXPECT_EQ(t.dlg->CurrentPinSettings().PinAdjustments, twice) << "only the low 16 bits are added";
    EXPECT_EQ(t.State().adjustments, twice);

    EXPECT_TRUE(t.dlg->ApplyPinAdjustments(values));
    EXPECT_EQ(t.dlg->CurrentPinSettings().PinAdjustments[0], 70);
    t.view.outcomes.clear();
    EXPECT_FALSE(t.dlg->ApplyPinAdjustments(values));  // 90 is out of range: nothing changes
    EXPECT_EQ(t.dlg->CurrentPinSettings().PinAdjustments[0], 70) << "the kept settings stay the printer's";
    EXPECT_EQ(t.State().adjustments[0], 70);
    EXPECT_EQ(t.view.outcomes,
              std::vector<std::string>{"The pin settings were not written. | No.1 would get the adjustment 90, outside "
                                       "-80..80. Print the pattern again and check the readings."});
}

// The wizard's services say whether the printer took them, tell why not, and leave the
// copies as the printer holds them; the wait they show offers Cancel.
TEST(PinwardenDlgActions, ServicesOnABusyPrinterFailWithTheReasonAndChangeNothing) {
    struct Case {
        const char* name;
        std::function<bool(CPinwardenDlg&)> call;
        const char* told;
        const char* wait;
    };
    const std::array<std::int32_t, kPinCount> values{4, 0, 0, 0, 0, 0, 0, 0, 0};
    const std::vector<Case> cases{
        {"apply", [&](CPinwardenDlg& d) { return d.ApplyPinAdjustments(values); }, "The pin settings were not written.",
         "Writing the pin settings... [Cancel]"},
        {"reset settings", [](CPinwardenDlg& d) { return d.ResetPinSettings(); }, "The pin settings were not written.",
         "Writing the pin settings... [Cancel]"},
        {"reset counters", [](CPinwardenDlg& d) { return d.ResetPinCounters(); },
         "The new head's usage counters were not cleared.", "Writing the usage counters... [Cancel]"},
    };
    for (const Case& c : cases) {
        DialogRig t;
        t.State().adjustments = {3, 0, 0, 0, 0, 0, 0, 0, 0};
        t.State().pinCounters = {7, 7, 7, 7, 7, 7, 7, 7, 7};
        t.StartReady();
        const PinSettings settings = t.dlg->CurrentPinSettings();
        const UsageCounters counters = t.dlg->CurrentUsageCounters();
        t.Printer().Firmware().SetNotReady(1'000'000, kBusy);
        EXPECT_FALSE(c.call(*t.dlg)) << c.name;
        EXPECT_EQ(t.view.outcomes, std::vector<std::string>{std::string(c.told) + " | " + kNotReady}) << c.name;
        EXPECT_EQ(t.view.waits, std::vector<std::string>{c.wait}) << c.name;
        EXPECT_EQ(t.dlg->CurrentPinSettings(), settings) << c.name;
        EXPECT_EQ(t.dlg->CurrentUsageCounters(), counters) << c.name;
        EXPECT_EQ(t.State().adjustments[0], 3) << c.name;
        EXPECT_EQ(t.State().pinCounters[0], 7) << c.name;
    }
}

TEST(PinwardenDlgActions, MoveHeadThatTheDeviceDoesNotTakeIsTold) {
    DialogRig t;
    t.StartReady();
    t.Printer().Faults().errorState = 0x07;
    EXPECT_FALSE(t.dlg->MoveHeadToCentre());
    EXPECT_EQ(t.view.outcomes, std::vector<std::string>{"The head was not moved. | The ZT-40 reports error state 7. "
                                                        "Clear the error (switch the printer off and on), then try "
                                                        "again."});
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
