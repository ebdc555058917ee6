// The fake clock and the recording message box that other tests lean on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/memory/FakeClock.h"
#include "platform/memory/RecordingMessageBox.h"

namespace zt40 {
namespace {

using ::testing::ElementsAre;

TEST(FakeClockTest, StepsAfterEachReadingAndWrapsLikeTheTick) {
    FakeClock clock(0xFFFFFFF0u, 10);
    EXPECT_EQ(clock.NowMs(), 0xFFFFFFF0u);
    EXPECT_EQ(clock.NowMs(), 0xFFFFFFFAu);
    EXPECT_EQ(clock.NowMs(), 4u) << "wrapped";
    EXPECT_EQ(clock.Reads(), 3u);
    clock.SetStepPerRead(0);
    clock.Advance(100);
    EXPECT_EQ(clock.NowMs(), 114u);
    EXPECT_EQ(clock.NowMs(), 114u) << "stands still without a step";
}

TEST(RecordingMessageBoxTest, KeepsEveryBoxAndAnswersFromItsScriptThenTheFallback) {
    RecordingMessageBox box;
    box.Script({MbResult::Cancel, MbResult::Ok});
    box.SetFallback(MbResult::Cancel);
    EXPECT_EQ(box.Show("one", MbButtons::OkCancel, MbIcon::Warning), MbResult::Cancel);
    EXPECT_EQ(box.Show("two", MbButtons::Ok, MbIcon::None), MbResult::Ok);
    EXPECT_EQ(box.Show("three", MbButtons::OkCancel, MbIcon::Information), MbResult::Cancel);
    EXPECT_THAT(box.Texts(), ElementsAre("one", "two", "three"));
    ASSERT_EQ(box.ShownBoxes().size(), 3u);
    EXPECT_EQ(box.ShownBoxes()[0].buttons, MbButtons::OkCancel);
    EXPECT_EQ(box.ShownBoxes()[0].icon, MbIcon::Warning);
}

}  // namespace
}  // namespace zt40
