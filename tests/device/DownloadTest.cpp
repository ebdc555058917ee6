#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "device/CHeadDevice.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimPrinterRig.h"

namespace zt40 {
namespace {

using ::testing::ElementsAre;

// Slot 0: the short command 0x64 tells the printer a download follows, then the file goes
// through the printer's queue as a RAW "Updater" document.
class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(device.Open(rig.QueueName(), 0, 32)); }

    static std::string Image(std::size_t size) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + 3);
        return bytes;
    }

    SimPrinterRig rig;
    FakeClock clock{0, 1};
    RecordingMessageBox messages;
    CHeadDevice device{rig.Platform(clock, messages)};
};

TEST_F(DownloadTest, SendsTheCommandThenTheFileInChunksIntoOneDocument) {
    const std::string image = Image(0x8000 * 2 + 100);
    std::istringstream source(image);
    ASSERT_TRUE(device.Download(0x5A, source));

    EXPECT_THAT(rig.Printer().State().downloads, ElementsAre(0x5A));
    ASSERT_EQ(rig.Spooler().Jobs().size(), 1u);
    const auto& job = rig.Spooler().Jobs()[0];
    EXPECT_EQ(job.docName, "Updater");
    EXPECT_EQ(job.dataType, "RAW");
    EXPECT_EQ(std::string(job.bytes.begin(), job.bytes.end()), image);
    ASSERT_EQ(job.writes.size(), 3u);
    EXPECT_EQ(job.writes[0].size, 0x8000u);
    EXPECT_EQ(job.writes[2].size, 100u);
    EXPECT_EQ(job.state, SimJobState::Queued);
}

TEST_F(DownloadTest, AnEmptyFileIsAnEmptyDocumentAndSucceeds) {
    std::istringstream source("");
    EXPECT_TRUE(device.Download(1, source));
    ASSERT_EQ(rig.Spooler().Jobs().size(), 1u);
    EXPECT_TRUE(rig.Spooler().Jobs()[0].bytes.empty());
}

TEST_F(DownloadTest, AFailedOrShortWriteStopsTheFileButStillClosesTheDocument) {
    const std::string image = Image(0x8000 * 3);
    rig.Spooler().InjectFault(SimFault::Failing(SimSpoolStep::Write, "no room").After(1));
    std::istringstream failing(image);
    EXPECT_FALSE(device.Download(1, failing));
    ASSERT_EQ(rig.Spooler().Jobs().size(), 1u);
    EXPECT_EQ(rig.Spooler().Jobs()[0].bytes.size(), 0x8000u) << "nothing is written after the failed chunk";
    EXPECT_NE(rig.Spooler().Jobs()[0].state, SimJobState::Spooling);

    rig.Spooler().InjectFault(SimFault::ShortWrite(10));
    std::istringstream shortened(image);
    EXPECT_FALSE(device.Download(1, shortened)) << "a firmware image with a hole must not count as sent";
    EXPECT_TRUE(messages.ShownBoxes().empty()) << "the download reports by its result only";
}

TEST_F(DownloadTest, NothingGoesToTheQueueWhenThePrinterRefusesTheCommand) {
    rig.Printer().Faults().errorState = 0x02;
    std::istringstream source(Image(10));
    EXPECT_FALSE(device.Download(1, source));
    EXPECT_TRUE(rig.Spooler().Jobs().empty());
}

TEST_F(DownloadTest, AQueueThatCannotBeOpenedFails) {
    rig.Spooler().InjectFault(SimFault::Failing(SimSpoolStep::Open, "gone"));
    std::istringstream source(Image(10));
    EXPECT_FALSE(device.Download(1, source));
    EXPECT_TRUE(rig.Spooler().Jobs().empty());
}

}  // namespace
}  // namespace zt40
