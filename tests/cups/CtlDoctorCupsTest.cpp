// zt40ctl doctor against the private cupsd: the spooler and queue lines an operator sees for
// each way a queue can be set up, and the exit status scripts get.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CupsServerTest.h"
#include "support/BuildTree.h"

namespace zt40::testing {
namespace {

constexpr const char* kCtl = ZT40_BINARY_DIR "/zt40ctl";

class CtlDoctorCupsTest : public CupsServerTest {
protected:
    void SetUp() override {
        CupsServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // Queues of earlier tests would be candidates too.
        std::string listed;
        Server().RunTool({"lpstat", "-e"}, &listed);
        std::istringstream names(listed);
        for (std::string name; std::getline(names, name);) {
            if (!name.empty()) Server().RunTool({"lpadmin", "-x", name});
        }
        // The installed files as the package lays them out, and a private record folder.
        for (const char* file : {"/usr/share/ppd/velmora/velmora-zt40.ppd", "/usr/lib/cups/filter/zt40-passthrough"}) {
            const auto path = m_root / std::string(file).substr(1);
            std::filesystem::create_directories(path.parent_path());
            std::ofstream(path) << "#\n";
            std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        }
        std::filesystem::create_directories(m_root / "records");
        ::setenv("ZT40_DOCTOR_FILES_ROOT", m_root.c_str(), 1);
        ::setenv("ZT40_DATA_DIR", (m_root / "records").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("ZT40_DOCTOR_FILES_ROOT");
        ::unsetenv("ZT40_DATA_DIR");
        std::filesystem::remove_all(m_root);
    }

    // The exit status and the line of one check.
    int Doctor(const std::string& check, std::string& line) {
        std::string output;
        const int status = Server().ToolExitStatus({kCtl, "doctor"}, &output);
        std::istringstream lines(output);
        for (std::string each; std::getline(lines, each);) {
            if (each.substr(8, check.size() + 1) == check + " ") line = each;
        }
        EXPECT_NE(output.find("\nok      driver    the queue driver and its pass-through filter are installed\n"),
                  std::string::npos)
            << output;
        return status;
    }

    const std::filesystem::path m_root =
        std::filesystem::temp_directory_path() / ("zt40-doctor-" + std::to_string(::getpid()));
};

TEST_F(CtlDoctorCupsTest, NoQueue) {
    std::string spooler;
    std::string queue;
    EXPECT_EQ(Doctor("spooler", spooler), 3);
    EXPECT_EQ(spooler, "ok      spooler   the print spooler answers");
    Doctor("queue", queue);
    EXPECT_EQ(queue,
              "problem queue     no queue uses the \"Velmora ZT-40\" driver (0 other queues) -- fix: add one: lpadmin -p "
              "ZT-40 -E -v USB-URI -m velmora/velmora-zt40.ppd (zt40ctl queues shows the queues)");
}

TEST_F(CtlDoctorCupsTest, WrongDriver) {
    AddQueue("raw", "usb://Velmora/ZT-40?serial=ZT4000123", false);
    std::string queue;
    EXPECT_EQ(Doctor("queue", queue), 3);
    EXPECT_EQ(queue,
              "problem queue     no queue uses the \"Velmora ZT-40\" driver (1 other queues) -- fix: add one: lpadmin -p "
              "ZT-40 -E -v USB-URI -m velmora/velmora-zt40.ppd (zt40ctl queues shows the queues)");
}

TEST_F(CtlDoctorCupsTest, StoppedQueue) {
    const auto name = AddQueue("stopped", "file:///tmp/USB001");
    ASSERT_TRUE(Server().RunTool({"cupsdisable", name}));
    std::string queue;
    EXPECT_EQ(Doctor("queue", queue), 3);
    EXPECT_EQ(queue, "problem queue     no usable ZT-40 queue: \"" + name +
                         "\": stopped or offline, or its printer is not plugged in -- fix: plug in and switch on the "
                         "printer; if it is on: cupsenable \"" + name + "\"; cupsaccept \"" + name + "\"");
}

TEST_F(CtlDoctorCupsTest, GoodQueueThenTheMissingPrinterIsTheProblem) {
    const auto other = AddQueue("lab", "file:///dev/null");
    const auto name = AddQueue("good", "file:///tmp/USB001");
    std::string queue;
    std::string device;
    EXPECT_EQ(Doctor("queue", queue), 1);
    EXPECT_EQ(queue, "ok      queue     \"" + name + "\" will be used; not chosen: \"" + other + "\": not on a USB port");
    Doctor("device", device);
    EXPECT_EQ(device, "problem device    the queue's printer (FILE:///tmp/USB001) is not attached -- fix: plug in the "
                      "USB cable and switch the printer on");
}

// A frozen cupsd still takes connections (the kernel queues them) but answers nothing.
TEST_F(CtlDoctorCupsTest, SpoolerStoppedIsTheFirstProblem) {
    Server().Suspend();
    std::string spooler;
    const int status = Doctor("spooler", spooler);
    Server().Resume();
    EXPECT_EQ(status, 4);
    EXPECT_TRUE(spooler.starts_with("problem spooler   the print spooler does not answer: ")) << spooler;
    EXPECT_TRUE(spooler.ends_with("-- fix: restart it: sudo systemctl restart cups")) << spooler;
}

}  // namespace
}  // namespace zt40::testing
