// zt40ctl adjust-pins on the simulated printer, as the built program: the corrections line,
// the read-back, the record it appends and its exit status.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

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
         "there is no print queue named \"Other\"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(m_dir / "zt40util.txt");
        const CtlRun run = Ctl("--simulate=" + StateFile(kPrinter) + c.arguments);
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(RecordKinds(), c.records);
    }
}

}  // namespace
}  // namespace zt40::testing
