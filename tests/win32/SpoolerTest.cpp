// The system's print spooler: its queues as the poll reads them, and a queue that is not there.
#include <gtest/gtest.h>
#include <windows.h>

#include <winspool.h>

#include "platform/os/win32/SystemText.h"
#include "platform/win32/Win32Spooler.h"
#include "printjob/EmbeddedJobs.h"
#include "printjob/PrintJobSender.h"
#include "tests/support/RecordingMessageBox.h"

namespace zt40 {
namespace {

constexpr std::string_view kNoSuchQueue = "No such ZT-40 queue";

TEST(Win32Spooler, ListsTheSameQueuesAsTheSystemsOwnEnumeration) {
    Win32Spooler spooler;
    std::vector<QueueInfo> queues{{"stale", "", "", 0}};
    ASSERT_TRUE(spooler.EnumLocalQueues(queues)) << spooler.LastErrorText();
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed) {
        ASSERT_TRUE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, buffer.data(), needed, &needed, &count));
    }
    ASSERT_EQ(queues.size(), count) << "the earlier contents are replaced";
    const auto* names = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) EXPECT_EQ(queues[i].name, names[i].pPrinterName);
}

TEST(Win32Spooler, EveryListedQueueOpensAndDescribesItself) {
    Win32Spooler spooler;
    std::vector<QueueInfo> queues;
    ASSERT_TRUE(spooler.EnumLocalQueues(queues));
    for (const auto& listed : queues) {
        auto queue = spooler.OpenQueue(listed.name);
        ASSERT_NE(queue, nullptr) << listed.name;
        QueueInfo info;
        ASSERT_TRUE(queue->GetInfo(info)) << listed.name;
        EXPECT_EQ(info.name, listed.name);
        EXPECT_EQ(info.driverName, listed.driverName);
        EXPECT_TRUE(queue->Close());
        EXPECT_TRUE(queue->Close()) << "a second close does nothing";
    }
}

TEST(Win32Spooler, NoSuchQueueFailsWithTheSystemsText) {
    Win32Spooler spooler;
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(spooler.OpenQueue(kNoSuchQueue), nullptr);
    const std::string text = spooler.LastErrorText();
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text, SystemText(ERROR_SUCCESS)) << "the failure's own code is kept";
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST(Win32Spooler, AJobForNoSuchQueueShowsOneBoxAndStartsNoDocument) {
    Win32Spooler spooler;
    RecordingMessageBox messages;
    CPrintJobSender sender(spooler, messages, EmbeddedJobs());
    EXPECT_EQ(sender.PrintTestPattern(kNoSuchQueue), 0);
    ASSERT_EQ(messages.ShownBoxes().size(), 1u);
    EXPECT_EQ(messages.ShownBoxes()[0].text, spooler.LastErrorText());
    EXPECT_EQ(messages.ShownBoxes()[0].icon, MbIcon::Warning);
}

TEST(Win32Spooler, CancellingInNoSuchQueueIsSilent) {
    Win32Spooler spooler;
    RecordingMessageBox messages;
    CPrintJobSender sender(spooler, messages, EmbeddedJobs());
    sender.CancelPrintJob(kNoSuchQueue, -1);
    EXPECT_TRUE(messages.ShownBoxes().empty());
}

}  // namespace
}  // namespace zt40
