// `zt40ctl export-job` and the print commands run as a program against the simulated printer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "printjob/EmbeddedJobs.h"
#include "support/CtlProgram.h"

namespace {

using ::testing::HasSubstr;

class CtlPrintTest : public zt40::testing::CtlProgramTest {};

TEST_F(CtlPrintTest, ExportJobWritesTheEmbeddedBytesUnchanged) {
    for (const int id : {152, 171, 172}) {
        const auto run = Ctl("export-job " + std::to_string(id));
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        const auto bytes = zt40::EmbeddedJobs().Find(id);
        EXPECT_EQ(run.out, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size())) << id;
    }
}

TEST_F(CtlPrintTest, ExportJobRefusesWhatIsNotAJob) {
    auto run = Ctl("export-job 170");
    EXPECT_EQ(run.exitStatus, 2);  // an id the program does not hold is a bad argument
    EXPECT_TRUE(run.out.empty());
    EXPECT_THAT(run.err, HasSubstr("no embedded job 170"));
    EXPECT_EQ(Ctl("export-job 15x").exitStatus, 2);
    EXPECT_EQ(Ctl("export-job").exitStatus, 2);
}

TEST_F(CtlPrintTest, PrintCommandsPrintTheJobId) {
    for (const std::string command : {"print-pattern", "print-letters 9", "print-origin 1"}) {
        const auto run = Ctl("--simulate " + command);
        EXPECT_EQ(run.exitStatus, 0) << command << ": " << run.err;
        EXPECT_EQ(run.out, "1\n") << command;
    }
}

TEST_F(CtlPrintTest, PinOutsideOneToNineIsAUsageError) {
    for (const std::string command : {"print-letters 0", "print-origin 10", "print-letters x", "print-letters"}) {
        const auto run = Ctl("--simulate " + command);
        EXPECT_EQ(run.exitStatus, 2) << command;
        EXPECT_TRUE(run.out.empty()) << command;
    }
}

TEST_F(CtlPrintTest, UnpluggedPrinterLeavesNoQueueToPrintTo) {
    const auto run = Ctl("--simulate=" + StateFile("fault = unplugged\n") + " print-pattern");
    EXPECT_EQ(run.exitStatus, 3);  // no usable queue
    EXPECT_TRUE(run.out.empty());
    EXPECT_THAT(run.err, HasSubstr("no usable ZT-40 queue"));
}

}  // namespace
