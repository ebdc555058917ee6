// The simulated spooler itself: queues and their live attributes, the order rules of a
// document, fault injection, cancel, and handles that are dropped without closing.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "session/QueueRule.h"
#include "platform/sim/SimSpooler.h"

namespace zt40 {
namespace {

constexpr std::array<std::uint8_t, 4> kBytes = {1, 2, 3, 4};
const std::string kQueue(kSimQueueName);

TEST(SimSpooler, DemoQueueIsAMatchingZt40QueueWhoseStateFollowsThePrinter) {
    SimSpooler spooler;
    std::uint32_t attributes = 0;
    AddDemoQueue(spooler, [&attributes] { return attributes; });
    std::vector<QueueInfo> queues;
    ASSERT_TRUE(spooler.EnumLocalQueues(queues));
    ASSERT_EQ(queues.size(), 1u);
    EXPECT_EQ(queues[0].name, "ZT-40");
    EXPECT_EQ(queues[0].driverName, "Velmora ZT-40");
    EXPECT_EQ(queues[0].portName, "USB://Velmora/ZT-40?serial=SIM0001");
    EXPECT_TRUE(MatchesPrinterQueue(queues[0]));

    attributes = kPrinterAttributeWorkOffline;  // the printer was switched off
    ASSERT_TRUE(spooler.EnumLocalQueues(queues));
    EXPECT_FALSE(MatchesPrinterQueue(queues[0]));
    auto queue = spooler.OpenQueue(kQueue);
    ASSERT_NE(queue, nullptr);
    QueueInfo info;
    ASSERT_TRUE(queue->GetInfo(info));
    EXPECT_EQ(info.attributes, kPrinterAttributeWorkOffline);
    EXPECT_TRUE(queue->Close());
}

TEST(SimSpooler, QueuesCanBeReplacedAndRemoved) {
    SimSpooler spooler;
    spooler.AddQueue({"A", "USB1", "Other", 0});
    spooler.AddQueue({"A", "USB2", "Other", 0});
    std::vector<QueueInfo> queues;
    spooler.EnumLocalQueues(queues);
    ASSERT_EQ(queues.size(), 1u);
    EXPECT_EQ(queues[0].portName, "USB2");
    EXPECT_TRUE(spooler.RemoveQueue("A"));
    EXPECT_FALSE(spooler.RemoveQueue("A"));
    EXPECT_EQ(spooler.OpenQueue("A"), nullptr);
    EXPECT_EQ(spooler.LastErrorText(), "The printer name is invalid.");
}

TEST(SimSpooler, DocumentKeepsItsBytesAndWhereTheyCameFrom) {
    SimSpooler spooler;
    AddDemoQueue(spooler);
    auto queue = spooler.OpenQueue(kQueue);
    const std::int32_t job = queue->StartDoc("Doc", "RAW");
    ASSERT_EQ(job, 1);
    std::size_t written = 0;
    EXPECT_TRUE(queue->Write(kBytes, written));
    EXPECT_EQ(written, 4u);
    EXPECT_TRUE(queue->EndDoc());
    EXPECT_TRUE(queue->Close());
    const SimJob* document = spooler.FindJob(job);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->bytes, std::vector<std::uint8_t>(kBytes.begin(), kBytes.end()));
    ASSERT_EQ(document->writes.size(), 1u);
    EXPECT_EQ(document->writes[0].data, kBytes.data());
    EXPECT_EQ(document->writes[0].embeddedResource, 0) << "not the program's embedded jobs";
    EXPECT_EQ(document->state, SimJobState::Queued);
    EXPECT_EQ(spooler.CallLog(),
              (std::vector<std::string>{"open ZT-40", "startdoc Doc -> 1", "write 4", "enddoc", "close"}));
}

TEST(SimSpooler, StepsOutOfOrderFail) {
    SimSpooler spooler;
    AddDemoQueue(spooler);
    auto queue = spooler.OpenQueue(kQueue);
    std::size_t written = 99;
    EXPECT_FALSE(queue->Write(kBytes, written));
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(queue->StartPage());
    EXPECT_FALSE(queue->EndPage());
    EXPECT_FALSE(queue->EndDoc());
    EXPECT_EQ(spooler.LastErrorText(), "No document has been started on this printer.");
    ASSERT_NE(queue->StartDoc("Doc", "RAW"), 0);
    EXPECT_EQ(queue->StartDoc("Second", "RAW"), 0) << "one document per handle at a time";
    EXPECT_FALSE(queue->EndPage()) << "no page started";
    EXPECT_TRUE(queue->Close());
    EXPECT_FALSE(queue->Close());
    EXPECT_EQ(spooler.LastErrorText(), "The handle is invalid.");
    EXPECT_EQ(spooler.FindJob(1)->state, SimJobState::Abandoned) << "closed with the document open";
}

TEST(SimSpooler, FaultsFireAfterTheirSkipsForTheirCountOnTheirQueue) {
    SimSpooler spooler;
    AddDemoQueue(spooler);
    spooler.AddQueue({"Other", "USB9", "Velmora ZT-40", 0});
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::Write, "busy").After(1).Times(2).OnQueue(kQueue));
    auto other = spooler.OpenQueue("Other");
    ASSERT_NE(other->StartDoc("D", "RAW"), 0);
    auto queue = spooler.OpenQueue(kQueue);
    ASSERT_NE(queue->StartDoc("D", "RAW"), 0);
    std::size_t written = 0;
    EXPECT_TRUE(other->Write(kBytes, written)) << "another queue";
    EXPECT_TRUE(queue->Write(kBytes, written)) << "skipped";
    EXPECT_FALSE(queue->Write(kBytes, written));
    EXPECT_EQ(spooler.LastErrorText(), "busy");
    EXPECT_FALSE(queue->Write(kBytes, written));
    EXPECT_TRUE(queue->Write(kBytes, written)) << "used up";
}

TEST(SimSpooler, ShortWriteTakesOnlyPartOfTheBytes) {
    SimSpooler spooler;
    AddDemoQueue(spooler);
    spooler.InjectFault(SimFault::ShortWrite(3, "partial"));
    auto queue = spooler.OpenQueue(kQueue);
    const std::int32_t job = queue->StartDoc("D", "RAW");
    std::size_t written = 0;
    EXPECT_TRUE(queue->Write(kBytes, written));
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(spooler.LastErrorText(), "partial");
    EXPECT_EQ(spooler.FindJob(job)->bytes, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(SimSpooler, CancelRemovesOnlyAWaitingJobOfTheSameQueue) {
    SimSpooler spooler;
    AddDemoQueue(spooler);
    spooler.AddQueue({"Other", "USB9", "Velmora ZT-40", 0});
    auto queue = spooler.OpenQueue(kQueue);
    const std::int32_t first = queue->StartDoc("D", "RAW");
    queue->EndDoc();
    const std::int32_t second = queue->StartDoc("D", "RAW");
    queue->EndDoc();
    EXPECT_EQ(spooler.QueuedJobIds(kQueue), (std::vector<std::int32_t>{first, second}));

    auto other = spooler.OpenQueue("Other");
    EXPECT_FALSE(other->CancelJob(first));
    EXPECT_FALSE(queue->CancelJob(-1));
    EXPECT_FALSE(queue->CancelJob(0));
    EXPECT_TRUE(queue->CancelJob(first));
    EXPECT_FALSE(queue->CancelJob(first)) << "already gone";
    EXPECT_EQ(spooler.QueuedJobIds(kQueue), (std::vector<std::int32_t>{second}));

    spooler.PrintQueuedJobs();
    EXPECT_FALSE(queue->CancelJob(second)) << "printed";
    EXPECT_EQ(spooler.FindJob(second)->state, SimJobState::Printed);
    EXPECT_EQ(spooler.FindJob(first)->state, SimJobState::Cancelled);
}

TEST(SimSpooler, PrintOnArrivalEmptiesTheQueueAtTheDocumentsEnd) {
    SimSpooler spooler;
    AddDemoQueue(spooler);
    spooler.SetPrintOnArrival(true);
    auto queue = spooler.OpenQueue(kQueue);
    const std::int32_t job = queue->StartDoc("D", "RAW");
    EXPECT_EQ(spooler.QueuedJobIds(kQueue), (std::vector<std::int32_t>{job})) << "still spooling";
    queue->EndDoc();
    EXPECT_TRUE(spooler.QueuedJobIds(kQueue).empty());
    EXPECT_EQ(spooler.FindJob(job)->state, SimJobState::Printed);
}

TEST(SimSpooler, FailingEndsStillEndTheDocumentAndReleaseTheHandle) {
    SimSpooler spooler;
    AddDemoQueue(spooler);
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::EndDoc, "end"));
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::Close, "close"));
    auto queue = spooler.OpenQueue(kQueue);
    const std::int32_t job = queue->StartDoc("D", "RAW");
    EXPECT_FALSE(queue->EndDoc());
    EXPECT_EQ(spooler.FindJob(job)->state, SimJobState::Failed);
    EXPECT_EQ(spooler.OpenHandleCount(), 1);
    EXPECT_FALSE(queue->Close());
    EXPECT_EQ(spooler.OpenHandleCount(), 0);
    EXPECT_EQ(spooler.LastErrorText(), "close");
}

TEST(SimSpooler, DroppedHandleIsRecordedAsReleased) {
    SimSpooler spooler;
    AddDemoQueue(spooler);
    std::int32_t job = 0;
    {
        auto queue = spooler.OpenQueue(kQueue);
        job = queue->StartDoc("D", "RAW");
        EXPECT_EQ(spooler.OpenHandleCount(), 1);
    }
    EXPECT_EQ(spooler.OpenHandleCount(), 0);
    EXPECT_EQ(spooler.CallLog().back(), "release");
    EXPECT_EQ(spooler.FindJob(job)->state, SimJobState::Abandoned);
}

TEST(SimSpooler, OpenFaultGivesNoHandle) {
    SimSpooler spooler;
    AddDemoQueue(spooler);
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::Open, "denied").Always());
    EXPECT_EQ(spooler.OpenQueue(kQueue), nullptr);
    EXPECT_EQ(spooler.OpenQueue(kQueue), nullptr);
    EXPECT_EQ(spooler.LastErrorText(), "denied");
    spooler.ClearFaults();
    EXPECT_NE(spooler.OpenQueue(kQueue), nullptr);
}

}  // namespace
}  // namespace zt40
