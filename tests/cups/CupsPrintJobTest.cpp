// The adjustment jobs sent through real CUPS: what reaches the device, byte for byte, and
// cancelling a job that waits for an unplugged printer.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "CupsServerTest.h"
#include "platform/linux/CupsSpooler.h"
#include "tests/support/RecordingMessageBox.h"
#include "printjob/EmbeddedJobs.h"
#include "printjob/PrintJobSender.h"

namespace zt40::testing {
namespace {

constexpr int kJobProcessing = 5;
constexpr int kJobCanceled = 7;
constexpr int kJobCompleted = 9;
constexpr int kJobWaitMs = 15000;

bool IsFinished(int state) { return state >= kJobCanceled; }

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Resources(std::initializer_list<int> ids) {
    std::vector<std::uint8_t> bytes;
    for (const int id : ids) {
        const auto resource = EmbeddedJobs().Find(id);
        bytes.insert(bytes.end(), resource.begin(), resource.end());
    }
    return bytes;
}

class CupsPrintJobTest : public CupsServerTest {
protected:
    void SetUp() override {
        CupsServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        m_spooler = std::make_unique<CupsSpooler>(UsbPresence{}, Server().SocketPath());
        m_sender = std::make_unique<CPrintJobSender>(*m_spooler, m_messages, EmbeddedJobs());
    }

    // Waits for the job to leave the queue; true when it printed.
    bool Printed(std::int32_t job) {
        return Server().WaitForJobState(job, IsFinished, kJobWaitMs) && Server().JobState(job) == kJobCompleted;
    }

    RecordingMessageBox m_messages;
    std::unique_ptr<CupsSpooler> m_spooler;
    std::unique_ptr<CPrintJobSender> m_sender;
};

TEST_F(CupsPrintJobTest, TestPatternReachesAFileDeviceByteForByte) {
    const std::string output = Server().Directory() + "/capture/pattern.prn";
    const std::string queue = AddQueue("file", "file://" + output);

    const std::int32_t job = m_sender->PrintTestPattern(queue);
    ASSERT_GT(job, 0) << m_spooler->LastErrorText();
    EXPECT_TRUE(m_messages.Texts().empty());
    ASSERT_TRUE(Printed(job)) << Server().ErrorLogTail();
    EXPECT_EQ(Server().JobName(job), "Adjustment");

    const auto expected = Resources({172, 171, 152});
    ASSERT_GT(expected.size(), 1'700'000u);
    const auto written = ReadBytes(output);
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected) << "the device received other bytes than 172, 171, 152";
}

TEST_F(CupsPrintJobTest, PinNineJobsStartWithItsHeaderThroughTheUsbBackend) {
    const std::string queue = AddQueue("usb", PrivateCupsd::CapturingUsbUri("pin9"));
    const std::string capture = Server().CapturePath("pin9");

    const std::int32_t letters = m_sender->PrintLetters(queue, 9);
    ASSERT_GT(letters, 0) << m_spooler->LastErrorText();
    ASSERT_TRUE(Printed(letters)) << Server().ErrorLogTail();
    EXPECT_EQ(Server().JobName(letters), "Adjustment");
    EXPECT_TRUE(ReadBytes(capture) == Resources({161, 171}));

    const std::int32_t origin = m_sender->PrintOriginMark(queue, 9);
    ASSERT_GT(origin, 0) << m_spooler->LastErrorText();
    ASSERT_TRUE(Printed(origin)) << Server().ErrorLogTail();
    EXPECT_EQ(Server().JobName(origin), "OriginHeader");
    EXPECT_TRUE(ReadBytes(capture) == Resources({161, 151}));
    EXPECT_TRUE(m_messages.Texts().empty());
}

TEST_F(CupsPrintJobTest, JobForAnUnpluggedPrinterWaitsUntilCancelled) {
    const std::string queue = AddQueue("absent", PrivateCupsd::AbsentUsbUri("wait"));
    const std::int32_t job = m_sender->PrintTestPattern(queue);
    ASSERT_GT(job, 0) << m_spooler->LastErrorText();

    ASSERT_TRUE(Server().WaitForJobState(job, [](int state) { return state == kJobProcessing; }, kJobWaitMs));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(Server().JobState(job), kJobProcessing);  // still waiting for the printer
    EXPECT_EQ(Server().PendingJobCount(queue), 1);

    m_sender->CancelPrintJob(queue, job);
    ASSERT_TRUE(Server().WaitForJobState(job, IsFinished, kJobWaitMs));
    EXPECT_EQ(Server().JobState(job), kJobCanceled);
    EXPECT_EQ(Server().PendingJobCount(queue), 0);
    EXPECT_TRUE(m_messages.Texts().empty());
}

TEST_F(CupsPrintJobTest, CancellingNoJobOrAFinishedOneChangesNothingAndShowsNothing) {
    const std::string absent = AddQueue("absent", PrivateCupsd::AbsentUsbUri("keep"));
    const std::string file = AddQueue("file", "file:///dev/null");
    const std::int32_t waiting = m_sender->PrintLetters(absent, 1);
    ASSERT_GT(waiting, 0);
    const std::int32_t finished = m_sender->PrintOriginMark(file, 1);
    ASSERT_GT(finished, 0);
    ASSERT_TRUE(Printed(finished));

    m_sender->CancelPrintJob(absent, kNoJob);
    m_sender->CancelPrintJob(absent, 0);
    m_sender->CancelPrintJob(file, finished);
    m_sender->CancelPrintJob("no_such_queue", waiting);

    EXPECT_TRUE(m_messages.Texts().empty());
    EXPECT_EQ(Server().JobState(finished), kJobCompleted);
    EXPECT_FALSE(IsFinished(Server().JobState(waiting)));
    EXPECT_EQ(Server().PendingJobCount(absent), 1);
    m_sender->CancelPrintJob(absent, waiting);
    EXPECT_TRUE(Server().WaitForJobState(waiting, IsFinished, kJobWaitMs));
}

TEST_F(CupsPrintJobTest, SpoolerRefusalsAreShownOnceWithCupsWording) {
    const std::int32_t unknown = m_sender->PrintTestPattern("no_such_queue");
    EXPECT_EQ(unknown, 0);
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_EQ(m_messages.Texts().front(), m_spooler->LastErrorText());

    m_messages.Clear();
    const std::string rejecting = AddQueue("reject", PrivateCupsd::CapturingUsbUri("refused"));
    ASSERT_TRUE(Server().RunTool({"cupsreject", rejecting}));
    EXPECT_EQ(m_sender->PrintLetters(rejecting, 3), 0);
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_NE(m_messages.Texts().front().find("not accepting"), std::string::npos) << m_messages.Texts().front();
    EXPECT_EQ(Server().PendingJobCount(rejecting), 0);
}

}  // namespace
}  // namespace zt40::testing
