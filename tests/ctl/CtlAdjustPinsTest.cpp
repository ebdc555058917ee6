// zt40ctl adjust-pins on the simulated printer, as the built program: the corrections line,
// the read-back, the record it appends and its exit status.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cctype>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "support/CtlProgram.h"

namespace zt40::testing {
namespace {

constexpr const char* kPrinter =
    "serial = SIM0001\n"
    "word_pair = 12 -7\n"
    "selected_pin = 5\n"
    "adjustments = 3 -2 0 5 -12 8 0 1 -4\n"
    "pin_counters = 100 200 300 400 500 600 700 800 900\n";

class CtlAdjustPinsTest : public CtlDataFolderTest {
protected:
    // The kind letters of the records appended, in order.
    std::string RecordKinds() const {
        std::ifstream in(m_dir / "zt40util.txt");
        std::string kinds;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && (line[0] == 'o' || line[0] == 'x')) kinds += line[0];
        }
        return kinds;
    }
};

TEST_F(CtlAdjustPinsTest, DryRunPrintsTheCorrectionsOnly) {
    const struct {
        const char* readings;
        const char* line;
    } cases[] = {
        {"B2,B5,None,None,None,None,None,None,None", "corrections: -3 3 0 0 0 0 0 0 0\n"},
        {"A0,B1,B3,None,None,None,None,None,None", "corrections: -2 0 3 0 0 0 0 0 0\n"},
        {"None,None,None,None,None,None,None,None,None", "corrections: 0 0 0 0 0 0 0 0 0\n"},
    };
    for (const auto& c : cases) {
        const CtlRun run = Ctl(std::string("--simulate adjust-pins --dry-run --readings ") + c.readings);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, c.line);
    }
    EXPECT_EQ(RecordKinds(), "");
}

TEST_F(CtlAdjustPinsTest, ACompletedRunWritesReadsBackAndRecords) {
    const CtlRun run = Ctl("--simulate=" + StateFile(kPrinter) +
                           " adjust-pins --no-print --readings b2,B5,None,None,None,None,None,None,None");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out,
              "corrections: -3 3 0 0 0 0 0 0 0\n"
              "word pair: 12 -7\n"
              "selected pin: 5\n"
              "adjustments: 0 1 0 5 -12 8 0 1 -4\n");
    EXPECT_EQ(RecordKinds(), "o");
}

TEST_F(CtlAdjustPinsTest, FailuresExitWithTheirStatus) {
    const struct {
        const char* name;
        std::string arguments;
        int exitStatus;
        const char* says;
        const char* records;
    } cases[] = {
        {"SumOutOfRange", " adjust-pins --no-print --readings D0,D0,D0,D0,A1,D0,D0,D0,D0", 1,
         "pin 5's adjustment would be -81, outside -80..80", "x"},
        {"EndOfInputBeforeTheReadings", " adjust-pins", 1, "pin 1: ", "x"},
        {"BadReadings", " adjust-pins --readings D0,D0", 2, "is not nine readings", ""},
        {"UnknownOption", " adjust-pins --fast", 2, "unknown argument", ""},
        // --queue picks the printer; a queue that is not there leaves nothing to adjust.
        {"NamedQueue", " --queue ZT-40 adjust-pins --no-print --readings B2,B5,None,None,None,None,None,None,None", 0,
         "", "o"},
        {"UnknownQueue", " --queue Other adjust-pins --no-print --readings B2,B5,None,None,None,None,None,None,None", 3,
         "zt40ctl: there is no print queue named \"Other\" (zt40ctl queues lists them)\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(m_dir / "zt40util.txt");
        const CtlRun run = Ctl("--simulate=" + StateFile(kPrinter) + c.arguments);
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(RecordKinds(), c.records);
    }
    // The queue's trouble is all there is to say: no line about a printer before it.
    const CtlRun unknown = Ctl("--simulate=" + StateFile(kPrinter) + cases[5].arguments);
    EXPECT_EQ(unknown.err, cases[5].says);
}

// Input that is no reading at all (a file of zeros, a pasted page) ends the run as the end of
// input does, at once and in little memory; a line at the limit is only a bad reading.
TEST_F(CtlAdjustPinsTest, ALineOverTheLimitEndsTheRunAsTheEndOfInputDoes) {
    const std::string nine = "A1\nB2\nNone\nNone\nNone\nNone\nNone\nNone\nNone\n";
    const struct {
        const char* name;
        std::string input;
        int exitStatus;
        const char* says;
        const char* asked;  // the last prompt shown
        const char* records;
    } cases[] = {
        {"Zeros", "/dev/zero", 1, "A line of more than 256 bytes was typed: taken as the end of input.", "pin 1: ",
         "x"},
        {"OverTheLimitAfterAReading", StateFile("A1\n" + std::string(257, 'A') + "\n" + nine), 1,
         "A line of more than 256 bytes was typed: taken as the end of input.", "pin 2: ", "x"},
        {"OverTheLimitWithoutItsEnd", StateFile(std::string(300, 'B')), 1,
         "A line of more than 256 bytes was typed: taken as the end of input.", "pin 1: ", "x"},
        {"AtTheLimit", StateFile(std::string(256, 'C') + "\n" + nine), 0, "is not a reading", "pin 9: ", "o"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(m_dir / "zt40util.txt");
        const auto run = CtlWithInput({"--simulate=" + StateFile(kPrinter), "adjust-pins", "--no-print"}, c.input, {});
        EXPECT_EQ(run.exitStatus, c.exitStatus) << run.err;
        EXPECT_LT(run.seconds, 1.0);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        auto lastPrompt = run.err.rfind("pin ");
        while (lastPrompt != std::string::npos && !std::isdigit(static_cast<unsigned char>(run.err[lastPrompt + 4]))) {
            lastPrompt = lastPrompt == 0 ? std::string::npos : run.err.rfind("pin ", lastPrompt - 1);
        }
        ASSERT_NE(lastPrompt, std::string::npos) << run.err;
        EXPECT_EQ(run.err.substr(lastPrompt, 7), c.asked) << run.err;
        EXPECT_EQ(RecordKinds(), c.records);
        if (c.exitStatus != 0) {
            EXPECT_NE(run.err.find("The input ended before the readings were complete: the printer's pin settings "
                                   "were put back as they were before the run."),
                      std::string::npos)
                << run.err;
        }
    }
    rusage children{};
    ::getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss, 64 * 1024) << "kB at most in any run";
}

// Ctrl-C, SIGTERM and SIGHUP (the terminal closed) end a run alike at every moment: the saved
// settings written back once there were any, an 'x' record, a line saying what the printer
// kept, exit status 1, and soon.
TEST_F(CtlAdjustPinsTest, EverySignalCancelsAlikeAtEveryMoment) {
    const std::string readings = "--readings=B2,B5,None,None,None,None,None,None,None";
    const struct {
        const char* moment;
        std::string state;
        std::vector<std::string> arguments;
        SignalAt at;
        const char* says;
        const char* records;
    } moments[] = {
        {"ReadyPolls", "status = 2\n", {"adjust-pins", "--no-print"}, {0, "", 500},
         "Cancelled while waiting for the ZT-40: nothing was changed on the printer.\n", ""},
        {"StatusReadThatNeverEnds", "fault = never_finish\n", {"adjust-pins", "--no-print"}, {0, "", 500},
         "Cancelled while waiting for the ZT-40: nothing was changed on the printer.\n", ""},
        {"Prompt", kPrinter, {"adjust-pins", "--no-print"}, {0, "pin 1: ", 0},
         "Cancelled: the printer's pin settings were put back as they were before the run.\n", "x"},
        // Whoever read its output went with the terminal: the lines fail to be written, the run still ends as
        // it should (nothing is said then).
        {"PromptWithItsReaderGone", kPrinter, {"adjust-pins", "--no-print"}, {0, "pin 1: ", 0, true}, "", "x"},
        // Each command kept busy a while, so that the signal comes while the corrections are written.
        {"Writes", std::string(kPrinter) + "busy_polls = 40\n", {"adjust-pins", "--no-print", readings},
         {0, "corrections:", 0}, "Cancelled: the printer's pin settings were put back as they were before the run.\n",
         "x"},
    };
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        for (const auto& m : moments) {
            SCOPED_TRACE(std::string(m.moment) + " " + strsignal(signal));
            std::filesystem::remove(m_dir / "zt40util.txt");
            std::vector<std::string> arguments{"--simulate=" + StateFile(m.state)};
            arguments.insert(arguments.end(), m.arguments.begin(), m.arguments.end());
            SignalAt at = m.at;
            at.signal = signal;
            const auto run = CtlWithInput(arguments, "", at);
            ASSERT_TRUE(run.signalSent) << run.err;
            EXPECT_EQ(run.exitStatus, 1) << run.err;
            EXPECT_TRUE(run.err.ends_with(m.says)) << run.err;
            EXPECT_EQ(run.out.find("adjustments:"), std::string::npos) << "nothing shown as kept\n" << run.out;
            EXPECT_EQ(RecordKinds(), m.records);
            // A status read that never ends is let finish (at most its 5 s); the rest stop at once.
            EXPECT_LT(run.secondsAfterSignal, 6.0);
        }
    }
}

// A printer whose requests never finish is given up within the window's bound, named as a
// printer that does not answer rather than one that is not there.
TEST_F(CtlAdjustPinsTest, APrinterThatNeverAnswersIsSaidWithinTheBound) {
    const auto run = CtlWithInput({"--simulate=" + StateFile("fault = never_finish\n"), "adjust-pins", "--no-print"},
                                  "", {}, 40);
    EXPECT_EQ(run.exitStatus, 1) << run.err;
    EXPECT_EQ(run.err, "The ZT-40 is connected but does not answer: switch it off and on again.\n");
    EXPECT_LT(run.seconds, 15.0);
    EXPECT_EQ(RecordKinds(), "");
}

}  // namespace
}  // namespace zt40::testing
