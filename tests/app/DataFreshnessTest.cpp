// How current the window's data is: grey bars while not connected, the time of the last read
// that reached the printer, and the restore offered for values out of range.
#include <gtest/gtest.h>

#include <set>

#include "app/DataFreshness.h"
#include "app/UsageBar.h"
#include "support/DialogRig.h"

namespace zt40::testing {
namespace {

TEST(GreyedBar, EverySegmentIsGreyAndTheLitBandsStayApart) {
    const BarRect marker{0, 0, 110, 20};
    const UsageBar coloured = MakeUsageBar(11'000'000, marker);
    const UsageBar greyed = MakeUsageBar(11'000'000, marker, true);
    std::set<int> litGreys;
    for (std::size_t k = 0; k < greyed.segments.size(); ++k) {
        const Rgb& fill = greyed.segments[k].fill;
        EXPECT_TRUE(fill.r == fill.g && fill.g == fill.b) << "segment " << k;
        EXPECT_EQ(greyed.segments[k].rect, coloured.segments[k].rect);
        EXPECT_EQ(greyed.segments[k].lit, coloured.segments[k].lit);
        litGreys.insert(fill.r);
    }
    EXPECT_EQ(litGreys.size(), 3u) << "green, yellow and red keep three different greys";
    // An unlit segment stays darker than a lit one of its band.
    const UsageBar none = MakeUsageBar(0, marker, true);
    for (std::size_t k = 0; k < none.segments.size(); ++k) {
        EXPECT_LT(none.segments[k].fill.r, greyed.segments[k].fill.r) << "segment " << k;
    }
}

struct NoteCase {
    const char* name;
    bool connected;
    const char* lastRead;
    const char* note;  // null: none
};

class LastReadNoteCases : public ::testing::TestWithParam<NoteCase> {};

TEST_P(LastReadNoteCases, OnlyWhileNotConnectedAfterARead) {
    const NoteCase& c = GetParam();
    DialogData data;
    data.connected = c.connected;
    data.lastRead = c.lastRead;
    const auto note = LastReadNote(data);
    if (c.note == nullptr) {
        EXPECT_EQ(note, std::nullopt);
    } else {
        ASSERT_TRUE(note.has_value());
        EXPECT_EQ(note->English(), c.note);
    }
}

INSTANTIATE_TEST_SUITE_P(Notes, LastReadNoteCases,
                         ::testing::Values(NoteCase{"connected", true, "14:05", nullptr},
                                           NoteCase{"neverRead", false, "", nullptr},
                                           NoteCase{"readThenGone", false, "14:05", "Not connected: last read 14:05"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(LocalClockText, HoursAndMinutes) {
    const std::string text = LocalClockText();
    ASSERT_EQ(text.size(), 5u) << text;
    EXPECT_EQ(text[2], ':');
    EXPECT_LE(std::stoi(text.substr(0, 2)), 23);
    EXPECT_LE(std::stoi(text.substr(3, 2)), 59);
}

// The dialog: what each poll and read leaves in the pushed data.
TEST(PinwardenDlgFreshness, BarsGreyWhenTheQueueGoesAndKeepTheTimeOfTheLastRead) {
    DialogRig t;
    t.dlg->OnInitDialog();
    EXPECT_FALSE(t.view.pushed.back().connected);
    EXPECT_EQ(t.view.pushed.back().lastRead, "") << "nothing read yet";
    t.Tick();
    ASSERT_TRUE(t.dlg->DeviceReady());
    const DialogData ready = t.dlg->Data();
    EXPECT_TRUE(ready.connected);
    EXPECT_EQ(ready.lastRead.size(), 5u) << ready.lastRead;
    EXPECT_TRUE(t.view.pushed.back().connected) << "the window was told";

    t.rig.SetQueueOffline(true);
    const int repaints = t.view.repaints;
    t.Tick();
    EXPECT_FALSE(t.view.pushed.back().connected);
    EXPECT_EQ(t.view.pushed.back().lastRead, ready.lastRead);
    EXPECT_GT(t.view.repaints, repaints);
    EXPECT_EQ(t.view.pushed.back().shownUsage, ready.shownUsage) << "the counts read stay shown";
    t.rig.SetQueueOffline(false);
    t.Tick();
    EXPECT_TRUE(t.view.pushed.back().connected);
}

struct RangeCase {
    const char* name;
    std::function<void(Zt40State&)> spoil;
    bool offered;
};

class PinwardenDlgRestoreOffer : public ::testing::TestWithParam<RangeCase> {};

TEST_P(PinwardenDlgRestoreOffer, OfferedWithItsReasonOnlyForValuesOutOfRange) {
    const RangeCase& c = GetParam();
    DialogRig t;
    c.spoil(t.State());
    t.StartReady();
    t.Tick();
    EXPECT_EQ(t.dlg->Data().offerRestore, c.offered);
    EXPECT_EQ(t.view.reason.has_value(), c.offered);
    if (c.offered) {
        EXPECT_EQ(*t.view.reason, "The printer's values are out of range.");
    }
    // Not connected: nothing is offered, whatever was read.
    t.rig.SetQueueOffline(true);
    t.Tick();
    EXPECT_FALSE(t.dlg->Data().offerRestore);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PinwardenDlgRestoreOffer,
    ::testing::Values(RangeCase{"inRange", [](Zt40State&) {}, false},
                      RangeCase{"adjustmentAt80", [](Zt40State& s) { s.adjustments[8] = 80; }, false},
                      RangeCase{"adjustment81", [](Zt40State& s) { s.adjustments[8] = 81; }, true},
                      RangeCase{"pinCounterNegative", [](Zt40State& s) { s.pinCounters[0] = -1; }, true},
                      RangeCase{"totalNegative", [](Zt40State& s) { s.total = -5; }, true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(PinwardenDlgRestoreOffer, GoesAwayOnceTheRestoreWroteTheValues) {
    DialogRig t;
    t.State().adjustments[2] = 120;
    t.StartReady();
    t.Tick();
    ASSERT_TRUE(t.dlg->Data().offerRestore);
    t.dlg->RestoreSettings();
    EXPECT_FALSE(t.view.pushed.back().offerRestore);
    t.Tick();
    EXPECT_EQ(t.view.reason, std::nullopt);
}

}  // namespace
}  // namespace zt40::testing
