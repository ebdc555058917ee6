// The maintenance frame on its own: what a run keeps, what it puts back, what it records,
// and what it asks when the printer cannot be put back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <span>

#include "session/HeadServices.h"
#include "session/MaintenanceFrame.h"
#include "session/SessionRig.h"
#include "support/TempRecordFile.h"

namespace zt40::testing {
namespace {

// Records the boxes and runs a hook while one is open (the operator replugs the printer).
class HookedPrompt final : public IMessageBox {
public:
    MbResult Show(const Message& message, MbButtons buttons, MbIcon icon) override {
        const MbResult answer = inner.Show(message, buttons, icon);
        if (whileOpen) whileOpen();
        return answer;
    }
    RecordingMessageBox inner;
    std::function<void()> whileOpen;
};

struct FrameCase {
    const char* name;
    PutBack putBack;
    bool finished;
    bool unplugInBody;             // the printer is pulled out after the body's writes
    std::vector<MbResult> answers; // to the rollback prompt
    bool replugAtPrompt;
    char kind;
    bool settingsAsBefore;
    bool countersAsBefore;
    std::size_t prompts;
};

class MaintenanceFrameRuns : public ::testing::TestWithParam<FrameCase> {};

TEST_P(MaintenanceFrameRuns, KeepOrPutBackAndRecord) {
    const FrameCase& c = GetParam();
    TempRecordFile records;
    SessionRig t;
    t.State().adjustments = {4, -2, 0, 1, 0, 0, 0, 0, 9};
    t.State().selectedPin = 3;
    t.State().pinCounters = {500, 600, 700, 800, 900, 1000, 1100, 1200, 1300};
    t.State().headCounters = {2, 3};
    const Zt40State before = t.State();
    ASSERT_EQ(t.session->Connect(1000).end, ConnectEnd::Ready);
    HookedPrompt prompt;
    prompt.inner.Script(c.answers);
    MaintenanceFrame frame(*t.session, prompt);
    frame.SetUsageRecordPlatform(records.Platform());
    HeadServices services(*t.session, frame.Copies());
    if (c.replugAtPrompt) {
        prompt.whileOpen = [&] {
            t.rig.Printer().Plug();
            t.session->OnDevicesChanged();
        };
    }

    ASSERT_FALSE(frame.Save().has_value());
    const bool finished = frame.Run(c.putBack, [&] {
        EXPECT_TRUE(frame.Running());
        const std::array<std::int32_t, kPinCount> values{-3, 3, 0, 0, 0, 0, 0, 0, 0};
        services.ApplyPinAdjustments(values);
        services.ResetPinCounters();
        if (c.unplugInBody) t.rig.Printer().Unplug();
        return c.finished;
    });
    EXPECT_EQ(finished, c.finished);
    EXPECT_FALSE(frame.Running());

    const Zt40State& after = t.State();
    EXPECT_EQ(after.adjustments == before.adjustments && after.selectedPin == before.selectedPin, c.settingsAsBefore);
    EXPECT_EQ(after.pinCounters == before.pinCounters && after.headCounters == before.headCounters,
              c.countersAsBefore);
    ASSERT_EQ(prompt.inner.ShownBoxes().size(), c.prompts);
    for (const auto& box : prompt.inner.ShownBoxes()) EXPECT_EQ(box.buttons, MbButtons::RetryCancel);
    const auto appended = records.Records();
    ASSERT_EQ(appended.size(), 1u);
    EXPECT_EQ(appended[0].Kind(), c.kind);
    EXPECT_EQ(appended[0].settings.PinAdjustments, before.adjustments) << "the record holds the values from before";
    EXPECT_EQ(appended[0].counters.PinCounter, before.pinCounters);
    if (c.finished) {
        EXPECT_EQ(frame.Copies().savedSettings, frame.Copies().settings) << "what finished is the new saved state";
        EXPECT_EQ(frame.Copies().savedCounters.PinCounter, after.pinCounters);
    } else {
        EXPECT_EQ(frame.Copies().settings, frame.Copies().savedSettings) << "the copies go back with the printer";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, MaintenanceFrameRuns,
    ::testing::Values(
        FrameCase{"finishedKeepsBoth", PutBack::BothGroups, true, false, {}, false, 'o', false, false, 0},
        FrameCase{"cancelledPutsBothBack", PutBack::BothGroups, false, false, {}, false, 'x', true, true, 0},
        // The pin adjustment's pattern counts on the printer: only the settings go back.
        FrameCase{"cancelledPutsSettingsBack", PutBack::PinSettings, false, false, {}, false, 'x', true, false, 0},
        FrameCase{"unpluggedThenCancel", PutBack::BothGroups, false, true, {MbResult::Cancel}, false, 'x', false, false,
                  1},
        FrameCase{"unpluggedRetryAfterReplug", PutBack::BothGroups, false, true, {MbResult::Retry}, true, 'x', true,
                  true, 1},
        FrameCase{"unpluggedSettingsOnlyAsksOnce", PutBack::PinSettings, false, true, {MbResult::Retry, MbResult::Retry},
                  true, 'x', true, false, 1}),
    [](const auto& p) { return std::string(p.param.name); });

// Fails the start of every total-counter read while armed: the settings of a read-back come
// back whole, the counters after them do not.
class CounterReadFailingChannel final : public IVendorChannel {
public:
    CounterReadFailingChannel(std::unique_ptr<IVendorChannel> inner, const bool& armed)
        : m_inner(std::move(inner)), m_armed(armed) {}
    bool VendorSet(std::span<const std::uint8_t> bytes) override {
        if (bytes.size() == wire::kHeaderSize + wire::kDataSize) {
            m_counterRead = bytes[wire::kHeaderSize + wire::kSubCommandByte] == wire::kTotalCounter &&
                            bytes[wire::kHeaderSize + wire::kArgumentByte] == wire::kRead;
        } else if (m_armed && m_counterRead) {
            return false;
        }
        return m_inner->VendorSet(bytes);
    }
    bool VendorGet(std::span<std::uint8_t> bytes) override { return m_inner->VendorGet(bytes); }
    bool IsAlive() const override { return m_inner->IsAlive(); }
    bool Close() override { return m_inner->Close(); }

private:
    std::unique_ptr<IVendorChannel> m_inner;
    const bool& m_armed;
    bool m_counterRead = false;
};

class CounterReadFailingOpener final : public IDeviceOpener {
public:
    explicit CounterReadFailingOpener(IDeviceOpener& inner) : m_inner(inner) {}
    std::unique_ptr<IVendorChannel> OpenDevice(std::string_view path) override {
        auto channel = m_inner.OpenDevice(path);
        return channel ? std::make_unique<CounterReadFailingChannel>(std::move(channel), armed) : nullptr;
    }
    bool armed = false;

private:
    IDeviceOpener& m_inner;
};

// The settings were written back and read back as saved, but the read-back as a whole failed:
// the printer has not shown it holds them, so the operator is asked, and nothing says "put back".
TEST(MaintenanceFrame, ARollbackWhoseReadBackFailsIsNotPutBack) {
    SimPrinterRig rig;
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    CounterReadFailingOpener opener(rig.Opener());
    PrinterSession session(DeviceLinkPlatform{rig.Finder(), opener, clock, messages, rig.Spooler()},
                           [&clock](std::uint32_t ms) { clock.Advance(ms); }, &rig.Report());
    ASSERT_EQ(session.Connect(1000).end, ConnectEnd::Ready);
    RecordingMessageBox prompt;
    prompt.Script({MbResult::Cancel});
    MaintenanceFrame frame(session, prompt);
    ASSERT_FALSE(frame.Save().has_value());
    frame.Run(PutBack::PinSettings, [&] {
        rig.Printer().State().adjustments[0] = 7;  // what the run left behind
        opener.armed = true;
        return false;
    });
    EXPECT_EQ(rig.Printer().State().adjustments[0], 0) << "the write itself went through";
    EXPECT_TRUE(frame.PutBackFailure().pinSettings);
    EXPECT_EQ(prompt.ShownBoxes().size(), 1u);
}

TEST(MaintenanceFrame, SavedValuesOutOfRangeAreNeverWrittenBack) {
    SessionRig t;
    t.State().adjustments = {90, 0, 0, 0, 0, 0, 0, 0, 0};  // out of range before the run
    ASSERT_EQ(t.session->Connect(1000).end, ConnectEnd::Ready);
    RecordingMessageBox prompt;
    MaintenanceFrame frame(*t.session, prompt);
    ASSERT_FALSE(frame.Save().has_value());
    frame.Run(PutBack::PinSettings, [&] {
        t.State().adjustments[1] = 5;  // what the run left behind
        t.TakeCommands();
        return false;
    });
    EXPECT_EQ(t.State().adjustments[1], 5) << "nothing of the invalid saved group was sent";
    EXPECT_TRUE(prompt.ShownBoxes().empty()) << "and its failure to come back is no failure";
    for (const auto& command : t.TakeCommands()) EXPECT_FALSE(command.IsExtended(wire::kPinAdjustments) && command.argument == wire::kWrite);
}

TEST(MaintenanceFrame, SaveReadsOnlyAReadyPrinterAndNeverDuringARun) {
    SessionRig t;
    t.State().total = 42;
    RecordingMessageBox prompt;
    MaintenanceFrame frame(*t.session, prompt);
    frame.Save();
    EXPECT_EQ(frame.Copies().counters.TotalCounter, 0) << "not connected: nothing read";
    ASSERT_EQ(t.session->Connect(1000).end, ConnectEnd::Ready);
    frame.Save();
    EXPECT_EQ(frame.Copies().savedCounters.TotalCounter, 42);
    frame.Run(PutBack::PinSettings, [&] {
        t.State().total = 43;
        frame.Save();
        EXPECT_EQ(frame.Copies().savedCounters.TotalCounter, 42) << "a save inside a run would lose the rollback";
        return true;
    });
    EXPECT_EQ(frame.Copies().savedCounters.TotalCounter, 43) << "a finished run reads the counters anew";
}

}  // namespace
}  // namespace zt40::testing
