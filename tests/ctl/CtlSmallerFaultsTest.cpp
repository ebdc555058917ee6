// The small things a careful user tried: an option given twice or without its value, a samples
// file of nothing but bad lines, the root as the data folder, a file where the folder should be.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/CtlProgram.h"

namespace zt40::testing {
namespace {

class CtlSmallerFaults : public CtlDataFolderTest {};

TEST_F(CtlSmallerFaults, EachIsRefusedOrToldPlainly) {
    std::ofstream(m_dir / "zt40util-samples.csv") << "date,printer,total\nnot a sample\n2026-13-01,X,1\n";
    std::ofstream(m_dir / "plain-file") << "";
    const struct {
        const char* name;
        std::string dataDir;  // empty: the test's folder
        std::string args;
        int exitStatus;
        std::string says;
        const char* saysNot;
    } cases[] = {
        {"PrinterTwice", "", "forecast --printer a --printer b", 2, "--printer is given twice", "no samples of"},
        {"PrinterBeforeAnOption", "", "forecast --printer --json", 2, "--printer needs a printer's serial", "--json\""},
        {"PrinterBeforeHelp", "", "forecast --printer -h", 2, "--printer needs a printer's serial", "commands:"},
        {"DryRunTwice", "", "--simulate restore --dry-run --dry-run", 2, "--dry-run is given twice", "Restore would"},
        {"OnlyBadSamples", "", "forecast", 1, "holds no samples (3 lines are not samples and were skipped)", "\x1b"},
        {"RootFolder", "/", "history", 0, "(/zt40util.txt does not exist)", "//zt40util.txt"},
        {"FolderIsAFile", (m_dir / "plain-file").string(), "--simulate doctor", 1, "is a file, not a folder",
         "chmod 1777"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.dataDir.empty()) ::setenv("ZT40_DATA_DIR", c.dataDir.c_str(), 1);
        const auto run = Ctl(c.args, 30);
        ::setenv("ZT40_DATA_DIR", m_dir.c_str(), 1);
        EXPECT_EQ(run.exitStatus, c.exitStatus) << run.out << run.err;
        const std::string said = run.out + run.err;
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
        EXPECT_EQ(said.find(c.saysNot), std::string::npos) << said;
    }
}

}  // namespace
}  // namespace zt40::testing
