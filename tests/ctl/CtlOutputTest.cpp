// Output that cannot be written fails the run: every command's standard output sent to a full
// device, and what the window program takes for --simulate. Each run is killed after 10 s.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/CtlProgram.h"
#include "support/BuildTree.h"

namespace zt40::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct FullOutputCase {
    const char* arguments;
    int exitStatus;
    bool writes;  // whether the run has output to lose
};

class CtlFullOutputTest : public CtlProgramTest {
protected:
    void SetUp() override {
        CtlProgramTest::SetUp();
        if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
        ::setenv("ZT40_DATA_DIR", m_dir.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("ZT40_DATA_DIR");
        CtlProgramTest::TearDown();
    }
};

TEST_F(CtlFullOutputTest, AWriteErrorIsNamedAndFailsTheRun) {
    const FullOutputCase cases[] = {
        {"--help", 1, true},
        {"--simulate status", 1, true},
        {"--simulate status --json", 1, true},
        {"--simulate queues", 1, true},
        {"--simulate queues --json", 1, true},
        {"history", 1, true},  // no record file yet: the table's header alone is lost
        {"history --format json", 1, true},
        {"--simulate print-pattern", 1, true},  // the job id is the answer a script waits for
        {"export-job 152", 1, true},
        {"--simulate adjust-pins --dry-run --readings A0,A0,A0,A0,A0,A0,A0,A0,A0", 1, true},
        // Nothing to write: the command's own status stands and no write error is made up.
        {"--simulate print-letters 03", 2, false},
        {"--simulate --queue Elsewhere status", 3, false},
    };
    for (const auto& c : cases) {
        const auto run = Ctl(std::string(c.arguments) + " >/dev/full", 10);
        EXPECT_EQ(run.exitStatus, c.exitStatus) << c.arguments << "\n" << run.err;
        if (c.writes) {
            EXPECT_THAT(run.err, HasSubstr("zt40ctl: cannot write standard output: No space left on device"))
                << c.arguments;
        } else {
            EXPECT_THAT(run.err, Not(HasSubstr("cannot write standard output"))) << c.arguments;
        }
    }
}

// A typed reading is outside text too: its escape sequence is shown, not obeyed.
TEST_F(CtlProgramTest, ATypedReadingIsEchoedEscaped) {
    const std::string typed = StateFile("\x1b[2J\x9b" "1\n");
    const std::string command = "timeout -s KILL 10 " + kProgram + " adjust-pins --dry-run <" + typed + " 2>&1 >/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string err;
    char buffer[512];
    while (const auto n = std::fread(buffer, 1, sizeof buffer, pipe)) err.append(buffer, n);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);  // the end of input cancels
    EXPECT_THAT(err, HasSubstr("\"\\x1B[2J\\x9B1\" is not a reading")) << err;
    EXPECT_EQ(err.find('\x1b'), std::string::npos) << err;
}

// The window program refuses what zt40ctl refuses before it opens any window.
TEST_F(CtlProgramTest, WindowProgramRefusesAnEmptyOrRepeatedSimulate) {
    const std::string program = std::string(ZT40_BINARY_DIR) + "/zt40util";
    ASSERT_TRUE(std::filesystem::exists(program));
    const std::string state = StateFile("status = 1\n");
    const std::vector<std::string> refused = {"--simulate=", "--simulate --simulate", "--simulate=" + state + " --simulate",
                                              "--simulate=" + state + " --simulate=" + state};
    for (const auto& arguments : refused) {
        const std::string command = "QT_QPA_PLATFORM=offscreen timeout -s KILL 10 " + program + " " + arguments +
                                    " --print-edition >/dev/null 2>&1 </dev/null";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << arguments;
        EXPECT_EQ(WEXITSTATUS(status), 2) << arguments;
    }
    // The same program with one state file gets past its options (and ends at --print-edition).
    const int status = std::system(("QT_QPA_PLATFORM=offscreen timeout -s KILL 10 " + program + " --simulate=" + state +
                                    " --print-edition >/dev/null 2>&1 </dev/null")
                                       .c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace zt40::testing
