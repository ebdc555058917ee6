// The shipped metrics service's command lines, run in a plain shell in the order systemd runs
// them, against the simulated printer: after every run the exporter's file tells that run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/CtlProgram.h"

namespace zt40::testing {
namespace {

struct ExecLine {
    std::string key;      // ExecStart, ExecStopPost, ...
    std::string command;  // without the unit's prefixes
    bool mayFail = false;  // the "-" prefix
};

std::vector<ExecLine> UnitExecLines(const std::string& unitText) {
    std::vector<ExecLine> lines;
    std::istringstream in(unitText);
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("Exec")) continue;
        const auto equals = line.find('=');
        ExecLine exec{line.substr(0, equals), line.substr(equals + 1)};
        while (!exec.command.empty() && std::string_view("+!:-@").find(exec.command.front()) != std::string::npos) {
            if (exec.command.front() == '-') exec.mayFail = true;
            exec.command.erase(0, 1);
        }
        lines.push_back(std::move(exec));
    }
    return lines;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

class MetricsUnit : public CtlDataFolderTest {
protected:
    // Runs the unit's lines as systemd does: the start lines while they succeed, ExecStartPost
    // only after a successful start, ExecStopPost always. Each line is a plain shell's.
    void RunUnit(const std::string& stateFile) {
        const std::string unit = FileText(std::string(ZT40_SOURCE_DIR) + "/debian/zt40-pinwarden.zt40-metrics.service");
        bool started = true;
        std::vector<ExecLine> stopLines;
        for (auto line : UnitExecLines(unit)) {
            ReplaceAll(line.command, "/usr/bin/zt40ctl", kProgram + " --simulate=" + stateFile);
            ReplaceAll(line.command, "/var/lib/prometheus/node-exporter", Exporter().string());
            ReplaceAll(line.command, "/var/lib/zt40-metrics", (m_dir / "state").string());
            if (line.key == "ExecStopPost") {
                stopLines.push_back(line);
                continue;
            }
            if (!started) continue;  // what follows a failed start line, ExecStartPost included
            const auto script = m_dir / "line.sh";
            std::ofstream(script) << line.command << "\n";
            const int status = std::system(("timeout -s KILL 30 /bin/sh " + script.string() + " 2>/dev/null").c_str());
            if (status != 0 && !line.mayFail) started = false;
        }
        for (const auto& line : stopLines) {
            const auto script = m_dir / "line.sh";
            std::ofstream(script) << line.command << "\n";
            EXPECT_EQ(std::system(("timeout -s KILL 30 /bin/sh " + script.string()).c_str()), 0) << line.command;
        }
    }
    std::filesystem::path Exporter() const { return m_dir / "textfiles"; }
    std::filesystem::path ExportedFile() const { return Exporter() / "zt40.prom"; }
};

TEST_F(MetricsUnit, ExportersFileTellsEveryRunReadyOrNot) {
    ASSERT_TRUE(UnitExecLines(FileText(std::string(ZT40_SOURCE_DIR) + "/debian/zt40-pinwarden.zt40-metrics.service"))
                    .size() >= 2);
    std::filesystem::create_directories(Exporter());
    const bool promtool = std::system("command -v promtool >/dev/null 2>&1") == 0;
    const std::string labels = R"({printer="ZT40-UNIT-1",queue="ZT-40"})";
    const struct {
        const char* fault;
        int ready;
    } runs[] = {{"none", 1}, {"unplugged", 0}, {"never_finish", 0}, {"error:5", 0}, {"held", 0}, {"none", 1}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.fault);
        const auto state = StateFile("serial = ZT40-UNIT-1\nfault = " + std::string(run.fault) + "\n");
        const auto before = static_cast<long long>(std::time(nullptr));
        RunUnit(state);
        const std::string exported = FileText(ExportedFile());
        EXPECT_NE(exported.find("zt40_ready" + labels + " " + std::to_string(run.ready) + "\n"), std::string::npos)
            << exported;
        const std::string stamp = "zt40_read_timestamp_seconds" + labels + " ";
        const auto at = exported.find(stamp);
        ASSERT_NE(at, std::string::npos) << exported;
        EXPECT_GE(std::atoll(exported.c_str() + at + stamp.size()), before) << "the time of this attempt";
        EXPECT_EQ(exported.find("zt40_pin_usage") != std::string::npos, run.ready == 1);
        if (promtool) {
            EXPECT_EQ(std::system(("promtool check metrics < " + ExportedFile().string()).c_str()), 0);
        }
        EXPECT_FALSE(std::filesystem::exists(m_dir / "state" / "zt40.prom")) << "moved, not copied";
    }
    // A run that writes nothing at all (a state file it refuses) leaves no earlier reading.
    RunUnit(StateFile("fault = sometimes\n"));
    EXPECT_FALSE(std::filesystem::exists(ExportedFile()));

    // Under systemd the state folder comes as $STATE_DIRECTORY.
    const auto given = m_dir / "given-state";
    std::filesystem::create_directories(given);
    std::filesystem::remove_all(m_dir / "state");
    ::setenv("STATE_DIRECTORY", given.c_str(), 1);
    RunUnit(StateFile("serial = ZT40-UNIT-1\n"));
    ::unsetenv("STATE_DIRECTORY");
    EXPECT_FALSE(std::filesystem::exists(m_dir / "state"));
    EXPECT_NE(FileText(ExportedFile()).find("zt40_ready" + labels + " 1\n"), std::string::npos);
}

}  // namespace
}  // namespace zt40::testing
