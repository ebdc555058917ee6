// The print-job sender against the simulated spooler: what reaches the queue, in which
// order, from which memory, and how each failed step is shown and closed.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/RecordingMessageBox.h"
#include "platform/sim/SimSpooler.h"
#include "printjob/EmbeddedJobs.h"
#include "printjob/PrintJobSender.h"
#include "printjob/RtlReader.h"

namespace zt40 {
namespace {

const std::string kQueue(kSimQueueName);

std::string WriteOf(int id) { return "write " + std::to_string(EmbeddedJobs().Find(id).size()); }

class PrintJobSenderTest : public ::testing::Test {
protected:
    PrintJobSenderTest() { AddDemoQueue(spooler); }

    void ExpectOneWarning(const std::string& text) {
        ASSERT_EQ(messages.ShownBoxes().size(), 1u);
        EXPECT_EQ(messages.ShownBoxes()[0].text, text);
        ExpectAllWarningsWithOk();
    }
    void ExpectAllWarningsWithOk() {
        for (const auto& box : messages.ShownBoxes()) {
            EXPECT_EQ(box.buttons, MbButtons::Ok);
            EXPECT_EQ(box.icon, MbIcon::Warning);
            EXPECT_FALSE(box.text.empty());
        }
    }
    void ExpectNothingLeftOpen() {
        EXPECT_EQ(spooler.OpenHandleCount(), 0);
        for (const auto& job : spooler.Jobs()) {
            EXPECT_NE(job.state, SimJobState::Spooling) << "job " << job.id;
            EXPECT_NE(job.state, SimJobState::Abandoned) << "job " << job.id;
        }
        for (const auto& call : spooler.Calls()) EXPECT_NE(call.step, SimSpoolStep::Release);
    }
    // Each write came straight from the linked-in resource, in order.
    void ExpectWritesFromEmbeddedMemory(const SimJob& job, const std::vector<int>& ids) {
        ASSERT_EQ(job.writes.size(), ids.size());
        for (std::size_t i = 0; i < ids.size(); ++i) {
            const auto resource = EmbeddedJobs().Find(ids[i]);
            EXPECT_EQ(job.writes[i].data, resource.data()) << "write " << i;
            EXPECT_EQ(job.writes[i].size, resource.size()) << "write " << i;
            EXPECT_EQ(job.writes[i].embeddedResource, ids[i]) << "write " << i;
        }
    }

    SimSpooler spooler{&EmbeddedJobs()};
    RecordingMessageBox messages;
    CPrintJobSender sender{spooler, messages, EmbeddedJobs()};
};

TEST_F(PrintJobSenderTest, TestPatternIsOneDocumentOfThreeWrites) {
    const std::int32_t job = sender.PrintTestPattern(kQueue);
    ASSERT_NE(job, 0);
    EXPECT_EQ(spooler.CallLog(),
              (std::vector<std::string>{"open ZT-40", "startdoc Adjustment -> " + std::to_string(job), "startpage",
                                        WriteOf(172), WriteOf(171), WriteOf(152), "endpage", "enddoc", "close"}));
    EXPECT_TRUE(messages.ShownBoxes().empty());
    ExpectNothingLeftOpen();
    const SimJob* document = spooler.FindJob(job);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->dataType, "RAW");
    EXPECT_EQ(document->docName, "Adjustment");
    EXPECT_EQ(document->pages, 1);
    EXPECT_EQ(document->state, SimJobState::Queued);
    ExpectWritesFromEmbeddedMemory(*document, {172, 171, 152});
    const auto decoded = DecodeRtlStream(document->bytes);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.jobs.size(), 10u) << "the letters job and the nine pin jobs";
}

TEST_F(PrintJobSenderTest, LettersAndOriginMarkStartWithThePinHeader) {
    struct Case {
        std::int32_t (CPrintJobSender::*print)(std::string_view, int);
        int pin;
        const char* docName;
        std::vector<int> ids;
    };
    const std::vector<Case> cases = {
        {&CPrintJobSender::PrintLetters, 9, "Adjustment", {161, 171}},
        {&CPrintJobSender::PrintLetters, 1, "Adjustment", {153, 171}},
        {&CPrintJobSender::PrintLetters, 5, "Adjustment", {157, 171}},
        {&CPrintJobSender::PrintOriginMark, 9, "OriginHeader", {161, 151}},
        {&CPrintJobSender::PrintOriginMark, 1, "OriginHeader", {153, 151}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.docName) + " pin " + std::to_string(c.pin));
        spooler.ClearCalls();
        const std::int32_t job = (sender.*c.print)(kQueue, c.pin);
        ASSERT_NE(job, 0);
        EXPECT_EQ(spooler.CallLog(),
                  (std::vector<std::string>{"open ZT-40", "startdoc " + std::string(c.docName) + " -> " + std::to_string(job),
                                            "startpage", WriteOf(c.ids[0]), WriteOf(c.ids[1]), "endpage", "enddoc",
                                            "close"}));
        ExpectWritesFromEmbeddedMemory(*spooler.FindJob(job), c.ids);
        const auto decoded = DecodeRtlStream(spooler.FindJob(job)->bytes);
        ASSERT_TRUE(decoded.ok) << decoded.error;
        ASSERT_EQ(decoded.jobs.size(), 1u);
        EXPECT_EQ(decoded.jobs[0].headerLines.at(6), "@PJL SET USEPINHEAD=" + std::to_string(c.pin));
    }
    EXPECT_TRUE(messages.ShownBoxes().empty());
    ExpectNothingLeftOpen();
}

TEST_F(PrintJobSenderTest, PinOutsideOneToNinePrintsNothing) {
    for (const int pin : {0, 10, -1}) {
        EXPECT_EQ(sender.PrintLetters(kQueue, pin), 0) << pin;
        EXPECT_EQ(sender.PrintOriginMark(kQueue, pin), 0) << pin;
    }
    EXPECT_TRUE(spooler.Calls().empty()) << "not even opened";
    EXPECT_TRUE(messages.ShownBoxes().empty());
}

TEST_F(PrintJobSenderTest, UnknownOrEmptyQueueShowsOneMessageAndStartsNoDocument) {
    for (const std::string queue : {"No such queue", ""}) {
        SCOPED_TRACE(queue);
        messages.Clear();
        spooler.ClearCalls();
        EXPECT_EQ(sender.PrintTestPattern(queue), 0);
        ExpectOneWarning("The printer name is invalid.");
        EXPECT_EQ(spooler.CallLog(), (std::vector<std::string>{"open " + queue + " failed"}));
    }
    EXPECT_TRUE(spooler.Jobs().empty());
    ExpectNothingLeftOpen();
}

TEST_F(PrintJobSenderTest, QueueRejectingDocumentsIsStillClosed) {
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::StartDoc, "Access is denied.").Always());
    EXPECT_EQ(sender.PrintLetters(kQueue, 3), 0);
    ExpectOneWarning("Access is denied.");
    EXPECT_EQ(spooler.CallLog(), (std::vector<std::string>{"open ZT-40", "startdoc Adjustment failed", "close"}));
    ExpectNothingLeftOpen();
}

TEST_F(PrintJobSenderTest, FailedPageStartStillEndsTheDocumentAndCloses) {
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::StartPage, "The printer is out of paper."));
    const std::int32_t job = sender.PrintTestPattern(kQueue);
    EXPECT_NE(job, 0) << "the document was started";
    ExpectOneWarning("The printer is out of paper.");
    EXPECT_EQ(spooler.CallLog(), (std::vector<std::string>{"open ZT-40", "startdoc Adjustment -> " + std::to_string(job),
                                                           "startpage failed", "enddoc", "close"}));
    EXPECT_TRUE(spooler.FindJob(job)->bytes.empty());
    ExpectNothingLeftOpen();
}

TEST_F(PrintJobSenderTest, ShortWriteIsReportedAndTheRestIsStillWritten) {
    spooler.InjectFault(SimFault::ShortWrite(1000, "The device is not ready.").After(1));
    const std::int32_t job = sender.PrintTestPattern(kQueue);
    ASSERT_NE(job, 0);
    ExpectOneWarning("The device is not ready.");
    EXPECT_EQ(spooler.CallLog(),
              (std::vector<std::string>{"open ZT-40", "startdoc Adjustment -> " + std::to_string(job), "startpage",
                                        WriteOf(172), WriteOf(171) + " accepted 1000", WriteOf(152), "endpage", "enddoc",
                                        "close"}));
    const SimJob& document = *spooler.FindJob(job);
    ExpectWritesFromEmbeddedMemory(document, {172, 171, 152});
    EXPECT_EQ(document.bytes.size(), EmbeddedJobs().Find(172).size() + 1000 + EmbeddedJobs().Find(152).size());
    ExpectNothingLeftOpen();
}

TEST_F(PrintJobSenderTest, ShortWriteWithoutErrorTextStillShowsAMessage) {
    spooler.InjectFault(SimFault::ShortWrite(0));
    sender.PrintLetters(kQueue, 2);
    ASSERT_EQ(messages.ShownBoxes().size(), 1u);
    ExpectAllWarningsWithOk();
}

TEST_F(PrintJobSenderTest, EveryFailedWriteIsReportedOnce) {
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::Write, "The network name is no longer available.").Always());
    const std::int32_t job = sender.PrintTestPattern(kQueue);
    EXPECT_NE(job, 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>(3, "The network name is no longer available."));
    ExpectAllWarningsWithOk();
    EXPECT_EQ(spooler.CallLog(),
              (std::vector<std::string>{"open ZT-40", "startdoc Adjustment -> " + std::to_string(job), "startpage",
                                        WriteOf(172) + " failed", WriteOf(171) + " failed", WriteOf(152) + " failed",
                                        "endpage", "enddoc", "close"}));
    ExpectNothingLeftOpen();
}

TEST_F(PrintJobSenderTest, FailingClosingStepsAreEachReportedAndAllRun) {
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::EndPage, "end page"));
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::EndDoc, "end doc"));
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::Close, "close"));
    const std::int32_t job = sender.PrintOriginMark(kQueue, 4);
    EXPECT_NE(job, 0);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"end page", "end doc", "close"}));
    ExpectAllWarningsWithOk();
    EXPECT_EQ(spooler.CallLog(),
              (std::vector<std::string>{"open ZT-40", "startdoc OriginHeader -> " + std::to_string(job), "startpage",
                                        WriteOf(156), WriteOf(151), "endpage failed", "enddoc failed", "close failed"}));
    EXPECT_EQ(spooler.OpenHandleCount(), 0);
}

TEST_F(PrintJobSenderTest, FailedOpenEndsAtOnceWithOneMessage) {
    spooler.InjectFault(SimFault::Failing(SimSpoolStep::Open, "The RPC server is unavailable."));
    EXPECT_EQ(sender.PrintTestPattern(kQueue), 0);
    ExpectOneWarning("The RPC server is unavailable.");
    EXPECT_EQ(spooler.CallLog(), (std::vector<std::string>{"open ZT-40 failed"}));
}

TEST_F(PrintJobSenderTest, UnknownResourceIsReportedAndNothingIsWrittenForIt) {
    const std::array ids = {172, 999, 171};
    const std::int32_t job = sender.SendResourceJob(kQueue, "Adjustment", ids);
    ASSERT_NE(job, 0);
    ASSERT_EQ(messages.ShownBoxes().size(), 1u);
    EXPECT_NE(messages.ShownBoxes()[0].text.find("999"), std::string::npos);
    ExpectAllWarningsWithOk();
    ExpectWritesFromEmbeddedMemory(*spooler.FindJob(job), {172, 171});
    ExpectNothingLeftOpen();
}

TEST_F(PrintJobSenderTest, CancelRemovesTheQueuedJobSilently) {
    const std::int32_t job = sender.PrintTestPattern(kQueue);
    spooler.ClearCalls();
    sender.CancelPrintJob(kQueue, job);
    EXPECT_EQ(spooler.CallLog(),
              (std::vector<std::string>{"open ZT-40", "cancel " + std::to_string(job), "close"}));
    EXPECT_EQ(spooler.FindJob(job)->state, SimJobState::Cancelled);
    EXPECT_TRUE(spooler.QueuedJobIds(kQueue).empty());
    EXPECT_TRUE(messages.ShownBoxes().empty());
}

TEST_F(PrintJobSenderTest, CancelWithoutAJobOrAfterPrintingChangesNothing) {
    const std::int32_t job = sender.PrintTestPattern(kQueue);
    spooler.PrintQueuedJobs();
    spooler.ClearCalls();

    sender.CancelPrintJob(kQueue, kNoJob);
    sender.CancelPrintJob(kQueue, 0);
    EXPECT_TRUE(spooler.Calls().empty()) << "no real job: the spooler is not asked";

    sender.CancelPrintJob(kQueue, job);
    EXPECT_EQ(spooler.FindJob(job)->state, SimJobState::Printed);
    sender.CancelPrintJob("No such queue", job);
    EXPECT_TRUE(messages.ShownBoxes().empty());
    EXPECT_EQ(spooler.OpenHandleCount(), 0);
}

TEST_F(PrintJobSenderTest, EachDocumentGetsItsOwnJobId) {
    const std::int32_t first = sender.PrintTestPattern(kQueue);
    const std::int32_t second = sender.PrintLetters(kQueue, 1);
    EXPECT_NE(first, 0);
    EXPECT_NE(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(spooler.QueuedJobIds(kQueue), (std::vector<std::int32_t>{first, second}));
}

}  // namespace
}  // namespace zt40
