// `zt40ctl --simulate[=FILE] status` run as a program: its output and exit status.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/CtlProgram.h"
#include "support/BuildTree.h"

namespace {

using ::testing::HasSubstr;

class CtlStatusTest : public zt40::testing::CtlProgramTest {};

TEST_F(CtlStatusTest, TheEmbeddedPrinterIsReadyAndZeroed) {
    const auto run = Ctl("--simulate status");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out,
              "status: 0x0001 (ready)\n"
              "word pair: 0 0\n"
              "selected pin: 1\n"
              "adjustments: 0 0 0 0 0 0 0 0 0\n"
              "total: 0\n"
              "pin counters: 0 0 0 0 0 0 0 0 0\n"
              "head counters: 0 0\n");
}

TEST_F(CtlStatusTest, AStateFileShowsItsValuesSignedAsTheProgramReadsThem) {
    const auto run = Ctl("status --simulate=" + std::string(ZT40_SOURCE_DIR) +
                         "/platform/sim/examples/out-of-range.zt40sim");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out,
              "status: 0x0001 (ready)\n"
              "word pair: 250 -3\n"
              "selected pin: 12\n"
              "adjustments: 0 0 120 0 0 -95 0 0 0\n"
              "total: -5\n"
              "pin counters: 10 20 30 40 50 60 70 80 -1\n"
              "head counters: -1 0\n");
}

TEST_F(CtlStatusTest, WaitsWhileThePrinterIsNotReady) {
    const auto run = Ctl("--simulate=" + StateFile("not_ready_reads = 3\nnot_ready_status = 0x0002\ntotal = 7\n") +
                         " status");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("status: 0x0001 (ready)\n"));
    EXPECT_THAT(run.out, HasSubstr("total: 7\n"));
}

TEST_F(CtlStatusTest, AStatusWithLowBitsOneCountsAsReady) {
    const auto run = Ctl("--simulate=" + StateFile("status = 0x0005\n") + " status");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("status: 0x0005 (ready)\n"));
}

TEST_F(CtlStatusTest, APrinterInAnErrorStateFailsWithAMessage) {
    const auto run = Ctl("--simulate=" + StateFile("fault = error:5\n") + " status");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr("answered the status query with error state 0x05"));
}

TEST_F(CtlStatusTest, AnUnpluggedPrinterLeavesNoUsableQueue) {
    const auto run = Ctl("--simulate=" + StateFile("fault = unplugged\n") + " status");
    EXPECT_EQ(run.exitStatus, 3);
    EXPECT_THAT(run.err, HasSubstr("no usable ZT-40 queue"));

    const auto named = Ctl("--simulate=" + StateFile("fault = off\n") + " --queue ZT-40 status");
    EXPECT_EQ(named.exitStatus, 1);
    EXPECT_THAT(named.err, HasSubstr("cannot open the printer of queue \"ZT-40\""));
    EXPECT_THAT(named.err, HasSubstr("not connected or not switched on")) << "the operator is told why";
}

TEST_F(CtlStatusTest, ASpoolerThatRefusesTheConnectionIsNotCalledAMissingQueue) {
    // The discard port: nothing listens there, so the spooler cannot be reached at all.
    const char* outer = std::getenv("CUPS_SERVER");
    const std::string previous = outer ? outer : "";
    ::setenv("CUPS_SERVER", "127.0.0.1:9", 1);
    const auto run = Ctl("status");
    outer ? ::setenv("CUPS_SERVER", previous.c_str(), 1) : ::unsetenv("CUPS_SERVER");
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, ::testing::AnyOf(HasSubstr("print spooler cannot be reached"),
                                          HasSubstr("USB cannot be used on this machine")));
    EXPECT_THAT(run.err, ::testing::Not(HasSubstr("no usable ZT-40 queue")));
    EXPECT_NE(run.exitStatus, 0);
}

TEST_F(CtlStatusTest, ARealDeviceThatIsNotAttachedFailsWithTheReason) {
    // No ZT-40 is on this machine's bus: the real road must say so rather than hang or crash.
    const auto run = Ctl("--device usb:0000:0000:serial=ABSENT status");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, ::testing::AnyOf(HasSubstr("not connected or not switched on"),
                                          HasSubstr("USB cannot be used on this machine")));
}

TEST_F(CtlStatusTest, ABadStateFileIsAUsageErrorNamingEachLine) {
    const auto path = StateFile("selected_pin = 300\nbogus = 1\n");
    const auto run = Ctl("--simulate=" + path + " status");
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr(path + ":1: selected_pin: 300 is out of range (0 to 255)"));
    EXPECT_THAT(run.err, HasSubstr(path + ":2: unknown key \"bogus\""));
}

TEST_F(CtlStatusTest, StatusTakesNoArguments) {
    EXPECT_EQ(Ctl("--simulate status now").exitStatus, 2);
}

}  // namespace
