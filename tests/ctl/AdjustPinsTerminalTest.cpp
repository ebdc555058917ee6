// The pin adjustment on a terminal against a simulated ZT-40: the same pages and frame as
// the window's wizard, with typed readings, end of input and Ctrl-C.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimPrinterRig.h"
#include "printjob/EmbeddedJobs.h"
#include "support/TempRecordFile.h"
#include "ctl/AdjustPinsTerminal.h"

namespace zt40 {
namespace {

class ScriptedTerminal final : public ITerminal {
public:
    std::optional<std::string> ReadLine(std::string_view) override {
        if (interrupted || lines.empty()) return std::nullopt;
        std::string line = lines.front();
        lines.pop_front();
        return line;
    }
    void Print(std::string_view text) override {
        out += std::string(text) + "\n";
        // Ctrl-C while the corrections are being written.
        if (interruptOnCorrections && text.starts_with("corrections:")) interrupted = true;
    }
    void Report(std::string_view text) override { err += std::string(text) + "\n"; }
    bool Interrupted() const override { return interrupted; }

    std::deque<std::string> lines;
    std::string out;
    std::string err;
    bool interrupted = false;
    bool interruptOnCorrections = false;
};

TEST(ParseReadings, TakesExactlyNineLabels) {
    const struct {
        const char* list;
        std::optional<PinReadings> readings;
    } cases[] = {
        {"B2,B5,None,None,None,None,None,None,None", PinReadings{12, 15}},
        {" a0 , b1,B3,none,NONE,None,None,None,D0", PinReadings{10, 11, 13, 0, 0, 0, 0, 0, 40}},
        {"B2,B5,None,None,None,None,None,None", std::nullopt},
        {"B2,B5,None,None,None,None,None,None,None,None", std::nullopt},
        {"B2,B5,None,None,None,None,None,None,E1", std::nullopt},
        {"B2,,None,None,None,None,None,None,None", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseReadings(c.list), c.readings) << c.list;
}

class AdjustPinsTerminalTest : public ::testing::Test {
protected:
    AdjustPinsTerminalTest() {
        rig.Printer().State().adjustments = {3, -2, 0, 5, -12, 8, 0, 1, -4};
        rig.Printer().State().selectedPin = 5;
        before = rig.Printer().State();
    }

    AdjustPinsOutcome Run(const AdjustPinsRequest& request) {
        const UsageRecordPlatform platform = records.Platform();
        return RunAdjustPins(rig.Platform(clock, messages), terminal, sender, request,
                             [this](std::uint32_t ms) { clock.Advance(ms); }, &platform, &readBack);
    }

    testing::TempRecordFile records;
    SimPrinterRig rig;
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    CPrintJobSender sender{rig.Spooler(), messages, EmbeddedJobs()};
    ScriptedTerminal terminal;
    Zt40State before;
    PinSettings readBack;
};

TEST_F(AdjustPinsTerminalTest, ACompletedRunPrintsWritesAndReadsBack) {
    terminal.lines = {"b2", "E9", "B5", "None", "None", "None", "None", "None", "None", "None"};
    ASSERT_EQ(Run({}), AdjustPinsOutcome::Completed);
    // "E9" is no reading of pin 2: asked again.
    EXPECT_NE(terminal.err.find("\"E9\" is not a reading"), std::string::npos);
    EXPECT_EQ(terminal.out, "corrections: -3 3 0 0 0 0 0 0 0\n");
    EXPECT_EQ(rig.Printer().State().adjustments, (std::array<std::int16_t, 9>{0, 1, 0, 5, -12, 8, 0, 1, -4}));
    EXPECT_EQ(readBack.PinAdjustments, rig.Printer().State().adjustments);
    EXPECT_EQ(readBack.SelectedPin, 5);
    ASSERT_EQ(rig.Spooler().Jobs().size(), 1u);
    EXPECT_EQ(rig.Spooler().Jobs()[0].state, SimJobState::Queued);
    const auto appended = records.Records();
    ASSERT_EQ(appended.size(), 1u);
    EXPECT_EQ(appended[0].Kind(), 'o');
    EXPECT_EQ(appended[0].settings.PinAdjustments, before.adjustments);
}

TEST_F(AdjustPinsTerminalTest, EndingBeforeTheCorrectionsAreWrittenLeavesEverythingAsItWas) {
    const struct {
        const char* name;
        std::deque<std::string> lines;
        bool interruptOnCorrections;
        bool print;
        AdjustPinsOutcome outcome;
        const char* says;
    } cases[] = {
        {"EndOfInput", {"A1", "A2"}, false, true, AdjustPinsOutcome::Interrupted, ""},
        {"CtrlCAfterSet", {"D0", "A1", "None", "None", "None", "None", "None", "None", "None"}, true, false,
         AdjustPinsOutcome::Interrupted, ""},
        {"SumOutOfRange", {"D0", "D0", "D0", "D0", "A1", "D0", "D0", "D0", "D0"}, false, false,
         AdjustPinsOutcome::NotWritten, "pin 5's adjustment would be -81, outside -80..80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        rig.Printer().State() = before;
        rig.Spooler().ClearCalls();
        terminal = ScriptedTerminal{};
        terminal.lines = c.lines;
        terminal.interruptOnCorrections = c.interruptOnCorrections;
        AdjustPinsRequest request;
        request.print = c.print;
        EXPECT_EQ(Run(request), c.outcome);
        EXPECT_EQ(rig.Printer().State().adjustments, before.adjustments);
        EXPECT_EQ(rig.Printer().State().selectedPin, before.selectedPin);
        EXPECT_NE(terminal.err.find(c.says), std::string::npos) << terminal.err;
        for (const SimJob& job : rig.Spooler().Jobs()) EXPECT_EQ(job.state, SimJobState::Cancelled);
        const auto appended = records.Records();
        ASSERT_FALSE(appended.empty());
        EXPECT_EQ(appended.back().Kind(), 'x');
        EXPECT_EQ(appended.back().settings.PinAdjustments, before.adjustments);
    }
}

TEST_F(AdjustPinsTerminalTest, NoReadyPrinterIsSaidAtOnce) {
    rig.Printer().Unplug();
    terminal.lines = {"A1"};
    EXPECT_EQ(Run({}), AdjustPinsOutcome::NoPrinter);
    EXPECT_NE(terminal.err.find("No ZT-40 is connected and ready"), std::string::npos);
    EXPECT_EQ(terminal.lines.size(), 1u);
    EXPECT_TRUE(rig.Spooler().Jobs().empty());
    EXPECT_TRUE(records.Records().empty());
}

}  // namespace
}  // namespace zt40
