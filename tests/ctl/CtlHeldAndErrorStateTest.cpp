// A printer held by another program and one in an error state are named as such by every
// command that meets them, with the exit status scripts act on, and nothing is changed.
#include <gtest/gtest.h>

#include <string>

#include "support/CtlProgram.h"

namespace zt40::testing {
namespace {

class CtlHeldAndErrorState : public CtlDataFolderTest {};

TEST_F(CtlHeldAndErrorState, EveryCommandNamesTheHolderAndTheErrorState) {
    const std::string held = "in use by another program";
    const std::string error = "error state 5";
    const struct {
        const char* fault;
        const char* command;
        int exitStatus;
        std::string says;
        const char* saysNot;
    } cases[] = {
        {"held", "doctor", 6, "problem interface the printer is in use by another program", "interface is free"},
        {"held", "adjust-pins --no-print --readings None,None,None,None,None,None,None,None,None", 6, held,
         "connected and ready"},
        {"held", "metrics", 6, held, "does not answer"},
        {"error:5", "doctor", 1, "problem printer   the printer answers the status request with " + error,
         "does not answer"},
        {"error:5", "adjust-pins --no-print --readings None,None,None,None,None,None,None,None,None", 1, error,
         "does not answer"},
        {"error:5", "metrics", 1, error, "does not answer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " " + c.command);
        const auto run = Ctl("--simulate=" + StateFile("fault = " + std::string(c.fault) + "\n") + " " + c.command, 30);
        EXPECT_EQ(run.exitStatus, c.exitStatus) << run.out << run.err;
        const std::string said = run.out + run.err;
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
        EXPECT_EQ(said.find(c.saysNot), std::string::npos) << said;
        EXPECT_FALSE(std::filesystem::exists(m_dir / "zt40util.txt")) << "no record: nothing was changed";
    }
}

}  // namespace
}  // namespace zt40::testing
