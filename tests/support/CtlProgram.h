#pragma once
// Runs the built zt40ctl as a program and collects its output and exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/FileText.h"

namespace zt40::testing {

struct CtlRun {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

class CtlProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kProgram)) << kProgram << " is built with the rest of the tree";
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // A simulated printer's initial state, in a file of its own.
    std::string StateFile(const std::string& text) {
        const auto path = m_dir / ("state" + std::to_string(m_files++) + ".zt40sim");
        std::ofstream(path) << text;
        return path.string();
    }

    // Killed after `seconds`: a program that hangs shows as exit status 137, not as a hung test.
    CtlRun Ctl(const std::string& arguments, int seconds = 60) {
        const auto errPath = m_dir / "stderr";
        const std::string command = "timeout -s KILL " + std::to_string(seconds) + " " + kProgram + " " + arguments +
                                    " 2>" + errPath.string() + " </dev/null";
        CtlRun run;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return run;
        char buffer[4096];
        while (const auto n = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
        const int status = pclose(pipe);
        run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream err(errPath);
        run.err.assign(std::istreambuf_iterator<char>(err), {});
        return run;
    }

    const std::string kProgram = std::string(ZT40_BINARY_DIR) + "/zt40ctl";
    const std::filesystem::path m_dir =
        std::filesystem::temp_directory_path() / ("zt40ctl-test-" + std::to_string(::getpid()));

private:
    int m_files = 0;
};

// The same, with the data folder (the usage record, the counter samples) in the test's folder.
class CtlDataFolderTest : public CtlProgramTest {
protected:
    void SetUp() override {
        CtlProgramTest::SetUp();
        ::setenv("ZT40_DATA_DIR", m_dir.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("ZT40_DATA_DIR");
        CtlProgramTest::TearDown();
    }
};

}  // namespace zt40::testing
