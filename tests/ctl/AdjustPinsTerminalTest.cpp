// The pin adjustment on a terminal against a simulated ZT-40: the same pages and frame as
// the window's wizard, with typed readings, end of input and Ctrl-C.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
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
        if (interruptOnCorrections && text.starts_with("corrections:")) {
            interrupted = true;
            if (onInterrupt) onInterrupt();
        }
    }
    void Report(std::string_view text) override { err += std::string(text) + "\n"; }
    bool Interrupted() const override { return interrupted; }

    std::deque<std::string> lines;
    std::string out;
    std::string err;
    bool interrupted = false;
    bool interruptOnCorrections = false;
    std::function<void()> onInterrupt;
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
        result = RunAdjustPins(rig.Platform(clock, messages), terminal, sender, request,
                               [this](std::uint32_t ms) {
                                   clock.Advance(ms);
                                   if (clock.Peek() >= interruptAtMs) terminal.interrupted = true;
                               },
                               &platform);
        readBack = result.readBack;
        return result.outcome;
    }

    testing::TempRecordFile records;
    SimPrinterRig rig;
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    CPrintJobSender sender{rig.Spooler(), messages, EmbeddedJobs()};
    ScriptedTerminal terminal;
    Zt40State before;
    AdjustPinsResult result;
    PinSettings readBack;
    std::uint32_t interruptAtMs = UINT32_MAX;  // a signal comes while the ready polls pause
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
        {"EndOfInput", {"A1", "A2"}, false, true, AdjustPinsOutcome::Interrupted,
         "The input ended before the readings were complete: the printer's pin settings were put back as they "
         "were before the run."},
        {"CtrlCAfterSet", {"D0", "A1", "None", "None", "None", "None", "None", "None", "None"}, true, false,
         AdjustPinsOutcome::Interrupted, "Cancelled: the printer's pin settings were put back as they were before "
                                         "the run."},
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

// A signal that comes while the written settings are read back still cancels: the run is not
// kept, the settings go back and the record says 'x'.
TEST_F(AdjustPinsTerminalTest, ASignalDuringTheReadBackStillCancels) {
    terminal.lines = {"b2", "B5", "None", "None", "None", "None", "None", "None", "None"};  // -3 3 0 ...
    rig.Printer().Faults().busyPolls = 1;  // every command pauses once, the read-back's too
    const auto written = std::array<std::int16_t, 9>{0, 1, 0, 5, -12, 8, 0, 1, -4};
    clock.onPause = [&] {
        // The adjustments are the run's: the write is done, what pauses now is the read-back.
        if (rig.Printer().State().adjustments == written) terminal.interrupted = true;
    };
    AdjustPinsRequest request;
    request.print = false;
    EXPECT_EQ(Run(request), AdjustPinsOutcome::Interrupted);
    EXPECT_TRUE(terminal.interrupted);
    EXPECT_EQ(rig.Printer().State().adjustments, before.adjustments);
    EXPECT_NE(terminal.err.find("Cancelled: the printer's pin settings were put back"), std::string::npos)
        << terminal.err;
    const auto appended = records.Records();
    ASSERT_EQ(appended.size(), 1u);
    EXPECT_EQ(appended[0].Kind(), 'x');
}

// A cancel whose write back the printer did not take must not claim the settings are back.
TEST_F(AdjustPinsTerminalTest, ACancelThatCouldNotPutBackSaysSo) {
    terminal.lines = {"D0", "A1", "None", "None", "None", "None", "None", "None", "None"};
    terminal.interruptOnCorrections = true;
    terminal.onInterrupt = [this] { rig.Printer().Unplug(); };
    AdjustPinsRequest request;
    request.print = false;
    EXPECT_EQ(Run(request), AdjustPinsOutcome::Interrupted);
    EXPECT_NE(terminal.err.find("Cancelled, and the printer's pin settings could not be put back"), std::string::npos)
        << terminal.err;
    EXPECT_EQ(terminal.err.find("were put back as they were"), std::string::npos) << terminal.err;
    ASSERT_FALSE(records.Records().empty());
    EXPECT_EQ(records.Records().back().Kind(), 'x');
}

// Every connect that ends without a ready printer says why in its own words, within the
// window's bound of kReadyWaitBoundMs, and records nothing.
TEST_F(AdjustPinsTerminalTest, AConnectWithoutAReadyPrinterSaysWhyWithinTheBound) {
    const struct {
        const char* name;
        std::function<void(SimPrinterRig&)> arrange;
        std::optional<std::string> queue;
        std::uint32_t interruptAtMs;
        ConnectEnd end;
        const char* says;  // "" for nothing at all: the caller names the queue trouble
        std::uint32_t atLeastMs;
    } cases[] = {
        {"NeverFinishes", [](SimPrinterRig& r) { r.Printer().Faults().neverFinish = true; }, {}, UINT32_MAX,
         ConnectEnd::NoAnswer, "The ZT-40 is connected but does not answer: switch it off and on again.",
         kTransactionTimeoutMs},
        {"ErrorState", [](SimPrinterRig& r) { r.Printer().Faults().errorState = 3; }, {}, UINT32_MAX,
         ConnectEnd::NoAnswer, "The ZT-40 reports error state 3.", 0},
        {"HeldByAnotherProgram", [](SimPrinterRig& r) { r.Printer().SetHeldElsewhere(true); }, {}, UINT32_MAX,
         ConnectEnd::OpenFailed, "The ZT-40 is connected but its USB device is in use by another program.", 0},
        {"StaysBusy", [](SimPrinterRig& r) { r.Printer().State().status = 2; }, {}, UINT32_MAX, ConnectEnd::NotReady,
         "The ZT-40 answers status 0x0002 and did not become ready within 10 s", kAdjustPinsReadyBoundMs},
        {"CancelledWhileBusy", [](SimPrinterRig& r) { r.Printer().State().status = 2; }, {}, 300,
         ConnectEnd::Cancelled, "Cancelled while waiting for the ZT-40: nothing was changed on the printer.", 300},
        {"UnknownQueue", [](SimPrinterRig&) {}, "Other", UINT32_MAX, ConnectEnd::NoSuchQueue, "", 0},
        // Its queue goes offline with it: no usable queue, which the caller says.
        {"Unplugged", [](SimPrinterRig& r) { r.Printer().Unplug(); }, {}, UINT32_MAX, ConnectEnd::NoUsableQueue, "", 0},
        {"DeviceGone", [](SimPrinterRig& r) { r.Opener().Detach(kDefaultSimSerial); }, {}, UINT32_MAX,
         ConnectEnd::OpenFailed, "No ZT-40 is connected and ready: connect one unit and switch on the power.", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimPrinterRig caseRig;
        c.arrange(caseRig);
        ScriptedTerminal caseTerminal;
        caseTerminal.lines = {"A1"};
        FakeClock caseClock{0, 1};
        AdjustPinsRequest request;
        request.queue = c.queue;
        request.access = &caseRig.Report();
        const UsageRecordPlatform platform = records.Platform();
        const auto ended = RunAdjustPins(caseRig.Platform(caseClock, messages), caseTerminal, sender, request,
                                         [&](std::uint32_t ms) {
                                             caseClock.Advance(ms);
                                             if (caseClock.Peek() >= c.interruptAtMs) caseTerminal.interrupted = true;
                                         },
                                         &platform);
        EXPECT_EQ(ended.outcome, AdjustPinsOutcome::NoPrinter);
        EXPECT_EQ(ended.connectEnd, c.end);
        EXPECT_EQ(ended.problem == PrinterProblemKind::Held, std::string_view(c.name) == "HeldByAnotherProgram");
        EXPECT_TRUE(caseTerminal.err.starts_with(c.says)) << caseTerminal.err;
        EXPECT_EQ(std::ranges::count(caseTerminal.err, '\n'), *c.says ? 1 : 0) << caseTerminal.err;
        EXPECT_EQ(caseTerminal.lines.size(), 1u) << "nothing was asked";
        EXPECT_TRUE(rig.Spooler().Jobs().empty()) << "nothing was printed";
        EXPECT_GE(caseClock.Peek(), c.atLeastMs);
        EXPECT_LE(caseClock.Peek(), kReadyWaitBoundMs);
        EXPECT_TRUE(records.Records().empty());
    }
}

// A signal that comes during a status read the printer never finishes shows as no answer;
// what the operator did is what is said.
TEST(NoPrinterText, ACancelOutranksWhatTheConnectSaw) {
    const struct {
        ConnectEnd end;
        bool interrupted;
        std::optional<std::string> says;
    } cases[] = {
        {ConnectEnd::NoAnswer, true, "Cancelled while waiting for the ZT-40: nothing was changed on the printer."},
        {ConnectEnd::NotReady, true, "Cancelled while waiting for the ZT-40: nothing was changed on the printer."},
        {ConnectEnd::NoAnswer, false, "The ZT-40 is connected but does not answer: switch it off and on again."},
        {ConnectEnd::NoSuchQueue, true, std::nullopt},
        {ConnectEnd::SpoolerNotAnswering, false, std::nullopt},
        {ConnectEnd::NoUsableQueue, false, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NoPrinterText({c.end, "ZT-40", PrinterStatus()}, c.interrupted), c.says)
            << static_cast<int>(c.end) << " " << c.interrupted;
    }
}

}  // namespace
}  // namespace zt40
