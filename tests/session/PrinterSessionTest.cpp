// The wait for ready as a step, the blocking connect on top of it, the poll with a named
// queue, and the one mapping of the groups onto device commands.
#include <gtest/gtest.h>

#include <functional>

#include "session/SessionRig.h"

namespace zt40::testing {
namespace {

constexpr std::uint16_t kBusy = 0x0002;

struct WaitCase {
    const char* name;
    ReadyRule rule;
    std::uint32_t notReadyReads;  // status reads answered with `word` before the stored status
    std::uint16_t word;
    std::uint16_t stored;  // the printer's own status word
    std::uint32_t startMs;
    std::uint32_t boundMs;
    WaitStep end;
    int waiting;  // Waiting steps before the end; -1: not counted
};

class ReadyWaitSteps : public ::testing::TestWithParam<WaitCase> {};

TEST_P(ReadyWaitSteps, EndsAsTheStatusSays) {
    const WaitCase& c = GetParam();
    SessionRig t;
    ASSERT_TRUE(t.session->Open("ZT-40"));
    t.State().status = c.stored;
    t.rig.Printer().Firmware().SetNotReady(c.notReadyReads, c.word);
    t.clock.Set(c.startMs);
    ReadyWait wait(t.session->Device(), t.clock, c.rule, c.boundMs);
    int waiting = 0;
    WaitStep step = wait.Step();
    for (; step == WaitStep::Waiting && waiting < 100000; step = wait.Step()) {
        ++waiting;
        t.clock.Advance(kReadyPollPauseMs);
    }
    EXPECT_EQ(step, c.end);
    if (c.waiting >= 0) {
        EXPECT_EQ(waiting, c.waiting);
    }
    if (c.end == WaitStep::TimedOut) {
        // The bound is kept: not given up early, not overrun by more than one pause (and the
        // few ticks the fake clock moves on each reading of it).
        const std::uint32_t waited = t.clock.Peek() - c.startMs;
        EXPECT_GE(waited, c.boundMs);
        EXPECT_LE(waited, c.boundMs + kReadyPollPauseMs + 10);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ReadyWaitSteps,
    ::testing::Values(WaitCase{"readyAtOnce", ReadyRule::StatusIsOne, 0, 0, 1, 0, 15000, WaitStep::Ready, 0},
                      WaitCase{"busyThrice", ReadyRule::StatusIsOne, 3, kBusy, 1, 0, 15000, WaitStep::Ready, 3},
                      WaitCase{"fiveIsReadyForThePoll", ReadyRule::LowBitsAreOne, 0, 0, 5, 0, 15000, WaitStep::Ready, 0},
                      WaitCase{"fiveIsNotOneForAWrite", ReadyRule::StatusIsOne, 0, 0, 5, 0, 200, WaitStep::TimedOut, -1},
                      WaitCase{"neverReady", ReadyRule::LowBitsAreOne, 1'000'000, kBusy, 1, 0, 15000,
                               WaitStep::TimedOut, -1},
                      // 2 s of busy answers across the tick's wrap at 2^32: no early time-out.
                      WaitCase{"acrossTheWrap", ReadyRule::StatusIsOne, 100, kBusy, 1, 0xFFFFFF00u, 15000,
                               WaitStep::Ready, 100},
                      WaitCase{"zeroBoundStillReadsOnce", ReadyRule::StatusIsOne, 0, 0, 1, 0, 0, WaitStep::Ready, 0}),
    [](const auto& p) { return std::string(p.param.name); });

// The bound is "at least boundMs": a step one tick before it still waits, one at it times out.
TEST(ReadyWait, TheBoundEndsTheWaitAtExactlyItsTick) {
    const struct {
        std::uint32_t elapsedMs;
        WaitStep step;
    } cases[] = {{999, WaitStep::Waiting}, {1000, WaitStep::TimedOut}, {1001, WaitStep::TimedOut}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.elapsedMs);
        SessionRig t;
        ASSERT_TRUE(t.session->Open("ZT-40"));
        t.rig.Printer().Firmware().SetNotReady(1'000'000, kBusy);
        t.clock.SetStepPerRead(0);
        t.clock.Set(5000);
        ReadyWait wait(t.session->Device(), t.clock, ReadyRule::StatusIsOne, 1000);
        ASSERT_EQ(wait.Step(), WaitStep::Waiting);
        t.clock.Set(5000 + c.elapsedMs);
        EXPECT_EQ(wait.Step(), c.step);
    }
}

TEST(ReadyWait, NoAnswerAndErrorStateEndTheWaitAtOnce) {
    for (const bool errorState : {false, true}) {
        SCOPED_TRACE(errorState ? "errorState" : "noAnswer");
        SessionRig t;
        ASSERT_TRUE(t.session->Open("ZT-40"));
        if (errorState) {
            t.rig.Printer().Faults().errorState = 0x05;
        } else {
            t.rig.Printer().Faults().failGets = true;
        }
        ReadyWait wait(t.session->Device(), t.clock, ReadyRule::LowBitsAreOne);
        EXPECT_EQ(wait.Step(), WaitStep::NoAnswer);
        EXPECT_EQ(wait.Last().State(), errorState ? PrinterState::ErrorState : PrinterState::NoAnswer);
        EXPECT_EQ(wait.Last().ErrorCode(), errorState ? std::optional<std::uint8_t>(5) : std::nullopt);
    }
}

TEST(ReadyWait, ACancelledWaitSendsNothingMore) {
    SessionRig t;
    ASSERT_TRUE(t.session->Open("ZT-40"));
    t.rig.Printer().Firmware().SetNotReady(1'000'000, kBusy);
    t.TakeCommands();
    ReadyWait wait(t.session->Device(), t.clock, ReadyRule::StatusIsOne);
    int asked = 0;
    EXPECT_EQ(RunToEnd(wait, [&](std::uint32_t ms) { t.clock.Advance(ms); }, [&] { return ++asked > 3; }),
              WaitStep::Cancelled);
    EXPECT_EQ(t.TakeCommands().size(), 3u) << "three status reads, then the cancel";
    EXPECT_EQ(wait.Step(), WaitStep::Cancelled) << "a cancelled wait stays cancelled";
    EXPECT_TRUE(t.TakeCommands().empty());
}

struct ConnectCase {
    const char* name;
    std::optional<std::string> queue;
    std::function<void(SessionRig&)> arrange;
    ConnectEnd end;
    const char* queueName;
    bool ready;
};

class SessionConnect : public ::testing::TestWithParam<ConnectCase> {};

TEST_P(SessionConnect, ChoosesOpensAndWaits) {
    const ConnectCase& c = GetParam();
    SessionRig t(c.queue);
    t.rig.Spooler().AddQueue(ZtQueue("Second", "SIM0002"));
    if (c.arrange) c.arrange(t);
    const ConnectOutcome outcome = t.session->Connect(1000);
    EXPECT_EQ(outcome.end, c.end);
    EXPECT_EQ(outcome.queueName, c.queueName);
    EXPECT_EQ(t.session->Ready(), c.ready);
    EXPECT_EQ(t.session->Opened(), c.end != ConnectEnd::OpenFailed && !outcome.queueName.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SessionConnect,
    ::testing::Values(
        ConnectCase{"firstUsable", {}, {}, ConnectEnd::Ready, "ZT-40", true},
        ConnectCase{"namedSecond", "Second", {}, ConnectEnd::Ready, "Second", true},
        ConnectCase{"spoolerDown", {}, [](SessionRig& r) { r.spooler.down = true; }, ConnectEnd::SpoolerUnreachable, "",
                    false},
        ConnectCase{"spoolerSilent", {},
                    [](SessionRig& r) {
                        r.spooler.down = true;
                        r.spooler.downAs = SpoolerFailure::NotAnswering;
                    },
                    ConnectEnd::SpoolerNotAnswering, "", false},
        ConnectCase{"noUsableQueue", {},
                    [](SessionRig& r) {
                        r.rig.Spooler().RemoveQueue("Second");
                        r.rig.Printer().Unplug();
                    },
                    ConnectEnd::NoUsableQueue, "", false},
        // A name the spooler does not have is told apart from a queue whose device fails,
        // and the spelling of a name is the spooler's.
        ConnectCase{"namedUnknown", "Other", {}, ConnectEnd::NoSuchQueue, "", false},
        ConnectCase{"namedOtherCase", "second", {}, ConnectEnd::Ready, "Second", true},
        ConnectCase{"busyBeyondTheBound", {},
                    [](SessionRig& r) { r.rig.Printer().Firmware().SetNotReady(1'000'000, kBusy); },
                    ConnectEnd::NotReady, "ZT-40", false},
        ConnectCase{"errorState", {}, [](SessionRig& r) { r.rig.Printer().Faults().errorState = 3; }, ConnectEnd::NoAnswer,
                    "ZT-40", false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SessionPoll, ANamedQueueIsTheOnlyOneThePollOpens) {
    SessionRig t("Second");
    t.rig.Spooler().AddQueue(ZtQueue("Second", "SIM0002"));
    const SessionPoll poll = t.session->Poll();
    EXPECT_TRUE(poll.becameReady);
    EXPECT_EQ(poll.triedQueue, std::optional<std::string>("Second"));
    EXPECT_EQ(t.opener.openedPaths, std::vector<std::string>{"sim:SIM0002"});

    // Offline, the named queue is not usable, even with another usable queue listed.
    SessionRig offline("Second");
    offline.rig.Spooler().AddQueue(ZtQueue("Second", "SIM0002", kPrinterAttributeWorkOffline));
    const SessionPoll none = offline.session->Poll();
    EXPECT_FALSE(none.queueFound);
    EXPECT_FALSE(none.usable);
    EXPECT_TRUE(offline.opener.openedPaths.empty());
}

TEST(GroupGateway, WritesEachFieldWhereTheReadFindsIt) {
    SessionRig t;
    ASSERT_EQ(t.session->Connect(1000).end, ConnectEnd::Ready);
    const PinSettings settings{{-199, 199}, 9, {-80, 80, 1, -1, 0, 2, -2, 3, 79}};
    const UsageCounters counters{0x7FFFFFFF, {1, 2, 3, 4, 5, 6, 7, 8, 0x7FFFFFFE}, {32767, -32768}};
    ASSERT_TRUE(t.session->Groups().WritePinSettings(settings));
    ASSERT_TRUE(t.session->Groups().WriteUsageCounters(counters));
    EXPECT_EQ(t.State().wordPair, settings.WordPair);
    EXPECT_EQ(t.State().selectedPin, 9);
    EXPECT_EQ(t.State().adjustments, settings.PinAdjustments);
    EXPECT_EQ(t.State().total, counters.TotalCounter);
    EXPECT_EQ(t.State().pinCounters, counters.PinCounter);
    EXPECT_EQ(t.State().headCounters, counters.HeadCounters) << "the second head counter is written, not checked";

    PinSettings readSettings;
    UsageCounters readCounters;
    EXPECT_TRUE(t.session->Groups().ReadBoth(readSettings, readCounters).Ok());
    EXPECT_EQ(readSettings, settings);
    EXPECT_EQ(readCounters, counters);
}

TEST(GroupGateway, NothingOutOfRangeOrUnreadyIsSent) {
    const struct {
        const char* name;
        PinSettings settings;
        bool ready;
        std::size_t sent;  // commands, the status reads included
    } cases[] = {
        {"inRange", PinSettings{{0, 0}, 1, {}}, true, 4},
        {"adjustment81", PinSettings{{0, 0}, 1, {81}}, true, 1},
        {"wordPair200", PinSettings{{200, 0}, 1, {}}, true, 1},
        {"pin0", PinSettings{{0, 0}, 0, {}}, true, 1},
        {"notReady", PinSettings{{0, 0}, 1, {}}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SessionRig t;
        ASSERT_TRUE(t.session->Open("ZT-40"));
        t.TakeCommands();
        GroupGateway gateway(t.session->Device(), [&] { return c.ready && t.session->WaitUntilReady(); });
        EXPECT_EQ(gateway.WritePinSettings(c.settings), c.sent == 4);
        EXPECT_EQ(t.TakeCommands().size(), c.sent);
    }
}

TEST(GroupGateway, AReadNamesTheFirstItemThatFailed) {
    SessionRig t;
    ASSERT_TRUE(t.session->Open("ZT-40"));
    t.State().adjustments = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    PinSettings settings;
    UsageCounters counters;
    counters.PinCounter.fill(-5);
    EXPECT_TRUE(t.session->Groups().ReadBoth(settings, counters).Ok());
    EXPECT_EQ(counters.PinCounter, t.State().pinCounters);
    t.rig.Printer().Faults().failGets = true;
    PinSettings failed;
    failed.SelectedPin = 4;
    const HeadReadResult result = t.session->Groups().ReadBoth(failed, counters);
    EXPECT_EQ(result.failed, HeadItem::WordPair);
    EXPECT_EQ(failed.SelectedPin, -1) << "a failed pin read gives -1";
    EXPECT_EQ(failed.PinAdjustments, PinSettings{}.PinAdjustments) << "a failed read leaves the field as it was";
    EXPECT_EQ(settings.PinAdjustments, t.State().adjustments);
}

}  // namespace
}  // namespace zt40::testing
