// The CUPS spooler against a private cupsd: queue records as the matching rule sees them,
// RAW documents, cancel, and failures that real CUPS produces.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "CupsServerTest.h"
#include "session/QueueRule.h"
#include "platform/linux/CupsSpooler.h"

namespace zt40::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kJobHeld = 4;
constexpr int kJobCompleted = 9;
constexpr int kJobCanceled = 7;
constexpr int kJobAborted = 8;
constexpr int kJobWaitMs = 10000;

std::optional<QueueInfo> FindQueue(const std::vector<QueueInfo>& queues, const std::string& name) {
    const auto found = std::ranges::find(queues, name, &QueueInfo::name);
    if (found == queues.end()) return std::nullopt;
    return *found;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int CountLines(const std::string& path) {
    std::ifstream in(path);
    return static_cast<int>(std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
}

// cupsd writes a request's log line after it has answered: wait until the log has stopped
// growing for a while (at most two seconds) before counting.
int SettledLineCount(const std::string& path) {
    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    int count = CountLines(path);
    auto stableSince = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() < deadline && std::chrono::steady_clock::now() - stableSince < 300ms) {
        std::this_thread::sleep_for(20ms);
        if (const int now = CountLines(path); now != count) {
            count = now;
            stableSince = std::chrono::steady_clock::now();
        }
    }
    return count;
}

bool IsFinished(int state) { return state >= kJobCanceled; }

class CupsSpoolerTest : public CupsServerTest {
protected:
    std::vector<QueueInfo> Enumerate(CupsSpooler& spooler) {
        std::vector<QueueInfo> queues;
        EXPECT_TRUE(spooler.EnumLocalQueues(queues)) << spooler.LastErrorText();
        return queues;
    }
};

TEST_F(CupsSpoolerTest, QueuesReadAsTheMatchingRuleSeesThem) {
    const std::string usb = AddQueue("usb", PrivateCupsd::CapturingUsbUri("enum1"));
    const std::string network = AddQueue("ipp", "ipp://127.0.0.1:9/printers/elsewhere");
    const std::string stopped = AddQueue("stopped", PrivateCupsd::CapturingUsbUri("enum2"));
    const std::string raw = AddQueue("raw", PrivateCupsd::CapturingUsbUri("enum3"), /*withDriver=*/false);
    ASSERT_TRUE(Server().RunTool({"cupsdisable", stopped}));

    CupsSpooler spooler({}, Server().SocketPath());
    const auto queues = Enumerate(spooler);

    const auto zt40 = FindQueue(queues, usb);
    ASSERT_TRUE(zt40.has_value());
    EXPECT_EQ(zt40->driverName, "Velmora ZT-40");
    EXPECT_EQ(zt40->portName, "USB://Velmora/ZT-40?serial=enum1");
    EXPECT_EQ(zt40->attributes, 0u);
    EXPECT_TRUE(MatchesPrinterQueue(*zt40));

    const auto remote = FindQueue(queues, network);
    ASSERT_TRUE(remote.has_value());
    EXPECT_EQ(remote->driverName, "Velmora ZT-40");
    EXPECT_EQ(remote->portName.find("USB"), std::string::npos);
    EXPECT_EQ(remote->attributes, kPrinterAttributeNetwork);
    EXPECT_FALSE(MatchesPrinterQueue(*remote));

    const auto disabled = FindQueue(queues, stopped);
    ASSERT_TRUE(disabled.has_value());
    EXPECT_EQ(disabled->attributes, kPrinterAttributeWorkOffline);
    EXPECT_FALSE(MatchesPrinterQueue(*disabled));

    const auto foreign = FindQueue(queues, raw);
    ASSERT_TRUE(foreign.has_value());
    EXPECT_NE(foreign->driverName, "Velmora ZT-40");
    EXPECT_FALSE(MatchesPrinterQueue(*foreign));

    // Enabled again, the queue is back on line at the next enumeration.
    ASSERT_TRUE(Server().RunTool({"cupsenable", stopped}));
    const auto again = FindQueue(Enumerate(spooler), stopped);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->attributes, 0u);
}

TEST_F(CupsSpoolerTest, AbsentUsbDeviceTakesOnlyItsQueueOffline) {
    const std::string unplugged = AddQueue("unplugged", PrivateCupsd::CapturingUsbUri("gone"));
    const std::string plugged = AddQueue("plugged", PrivateCupsd::CapturingUsbUri("here"));
    const std::string network = AddQueue("ipp", "ipp://127.0.0.1:9/printers/elsewhere");
    std::vector<std::string> asked;
    CupsSpooler spooler(
        [&asked](std::string_view uri) {
            asked.emplace_back(uri);
            return uri.find("serial=gone") == std::string_view::npos;
        },
        Server().SocketPath());
    const auto queues = Enumerate(spooler);

    EXPECT_EQ(FindQueue(queues, unplugged)->attributes, kPrinterAttributeWorkOffline);
    EXPECT_EQ(FindQueue(queues, plugged)->attributes, 0u);
    EXPECT_EQ(FindQueue(queues, network)->attributes, kPrinterAttributeNetwork);
    // Only usb:// queues are looked for on the bus, with their device URI as CUPS has it.
    EXPECT_NE(std::ranges::find(asked, PrivateCupsd::CapturingUsbUri("gone")), asked.end());
    EXPECT_TRUE(std::ranges::none_of(asked, [](const std::string& uri) { return uri.starts_with("ipp:"); }));
}

TEST_F(CupsSpoolerTest, EnumerationIsOneRequestWhateverTheNumberOfQueues) {
    for (int i = 0; i < 4; ++i) AddQueue("q" + std::to_string(i), PrivateCupsd::CapturingUsbUri("n" + std::to_string(i)));
    CupsSpooler spooler({}, Server().SocketPath());
    Enumerate(spooler);  // connects
    const std::string log = Server().Directory() + "/log/access_log";
    const int before = SettledLineCount(log);
    const auto queues = Enumerate(spooler);
    EXPECT_GE(queues.size(), 4u);
    EXPECT_EQ(SettledLineCount(log) - before, 1);
}

TEST_F(CupsSpoolerTest, OpenFailsForUnknownAndMalformedQueueNames) {
    CupsSpooler spooler({}, Server().SocketPath());
    for (const std::string name : {"no_such_queue", "", "bad/name", "two words"}) {
        EXPECT_EQ(spooler.OpenQueue(name), nullptr) << name;
        EXPECT_FALSE(spooler.LastErrorText().empty()) << name;
    }
}

TEST_F(CupsSpoolerTest, GetInfoIsTheEnumeratedRecordAndFollowsTheQueue) {
    const std::string name = AddQueue("info", PrivateCupsd::CapturingUsbUri("info"));
    CupsSpooler spooler({}, Server().SocketPath());
    const auto listed = FindQueue(Enumerate(spooler), name);
    ASSERT_TRUE(listed.has_value());

    auto queue = spooler.OpenQueue(name);
    ASSERT_NE(queue, nullptr) << spooler.LastErrorText();
    QueueInfo info;
    ASSERT_TRUE(queue->GetInfo(info)) << spooler.LastErrorText();
    EXPECT_EQ(info.name, listed->name);
    EXPECT_EQ(info.driverName, listed->driverName);
    EXPECT_EQ(info.portName, listed->portName);
    EXPECT_EQ(info.attributes, listed->attributes);

    ASSERT_TRUE(Server().RunTool({"cupsdisable", name}));
    ASSERT_TRUE(queue->GetInfo(info));
    EXPECT_EQ(info.attributes, kPrinterAttributeWorkOffline);

    ASSERT_TRUE(Server().RunTool({"lpadmin", "-x", name}));
    EXPECT_FALSE(queue->GetInfo(info));
    EXPECT_TRUE(queue->Close());
}

TEST_F(CupsSpoolerTest, QueueThatRejectsJobsFailsAtDocumentStart) {
    const std::string name = AddQueue("reject", PrivateCupsd::CapturingUsbUri("reject"));
    ASSERT_TRUE(Server().RunTool({"cupsreject", name}));
    CupsSpooler spooler({}, Server().SocketPath());
    auto queue = spooler.OpenQueue(name);
    ASSERT_NE(queue, nullptr) << spooler.LastErrorText();
    EXPECT_EQ(queue->StartDoc("Adjustment", "RAW"), 0);
    EXPECT_NE(spooler.LastErrorText().find("not accepting"), std::string::npos) << spooler.LastErrorText();
    // Nothing to page, write or end without a document.
    EXPECT_FALSE(queue->StartPage());
    std::size_t written = 99;
    const std::uint8_t byte = 0x1B;
    EXPECT_FALSE(queue->Write(std::span(&byte, 1), written));
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(queue->EndDoc());
    EXPECT_TRUE(queue->Close());
    EXPECT_EQ(Server().PendingJobCount(name), 0);
}

TEST_F(CupsSpoolerTest, OnlyRawDocumentsAreStarted) {
    const std::string name = AddQueue("text", PrivateCupsd::CapturingUsbUri("text"));
    CupsSpooler spooler({}, Server().SocketPath());
    auto queue = spooler.OpenQueue(name);
    ASSERT_NE(queue, nullptr);
    EXPECT_EQ(queue->StartDoc("Adjustment", "TEXT"), 0);
    EXPECT_FALSE(spooler.LastErrorText().empty());
    EXPECT_EQ(Server().PendingJobCount(name), 0);
}

// Bytes that start like gzip data, written in pieces with an empty write among them, reach a
// file device unchanged: not decompressed, not cut short by the empty write.
TEST_F(CupsSpoolerTest, RawDocumentReachesTheDeviceByteForByte) {
    const std::string output = Server().Directory() + "/capture/file-device.prn";
    const std::string name = AddQueue("file", "file://" + output);
    std::vector<std::uint8_t> first = {0x1F, 0x8B, 0x08, 0x00, 'n', 'o', 't', ' ', 'g', 'z', 'i', 'p'};
    std::vector<std::uint8_t> second(300000);
    for (std::size_t i = 0; i < second.size(); ++i) second[i] = static_cast<std::uint8_t>(i * 7 + i / 251);

    CupsSpooler spooler({}, Server().SocketPath());
    auto queue = spooler.OpenQueue(name);
    ASSERT_NE(queue, nullptr) << spooler.LastErrorText();
    const std::int32_t job = queue->StartDoc("Adjustment", "RAW");
    ASSERT_GT(job, 0) << spooler.LastErrorText();
    ASSERT_TRUE(queue->StartPage());
    std::size_t written = 0;
    ASSERT_TRUE(queue->Write(first, written));
    EXPECT_EQ(written, first.size());
    ASSERT_TRUE(queue->Write({}, written));
    EXPECT_EQ(written, 0u);
    ASSERT_TRUE(queue->Write(second, written));
    EXPECT_EQ(written, second.size());
    ASSERT_TRUE(queue->EndPage());
    ASSERT_TRUE(queue->EndDoc()) << spooler.LastErrorText();
    ASSERT_TRUE(queue->Close());
    EXPECT_FALSE(queue->Close());  // a closed queue stays closed

    ASSERT_TRUE(Server().WaitForJobState(job, IsFinished, kJobWaitMs));
    EXPECT_EQ(Server().JobState(job), kJobCompleted) << Server().ErrorLogTail();
    auto expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(ReadBytes(output), expected);
}

TEST_F(CupsSpoolerTest, ClosingWithAnOpenDocumentCancelsItsJob) {
    const std::string name = AddQueue("half", PrivateCupsd::CapturingUsbUri("half"));
    CupsSpooler spooler({}, Server().SocketPath());
    std::int32_t job = 0;
    {
        auto queue = spooler.OpenQueue(name);
        ASSERT_NE(queue, nullptr);
        job = queue->StartDoc("Adjustment", "RAW");
        ASSERT_GT(job, 0);
        const std::vector<std::uint8_t> part(1000, 0x55);
        std::size_t written = 0;
        ASSERT_TRUE(queue->Write(part, written));
    }  // destroyed without EndDoc
    ASSERT_TRUE(Server().WaitForJobState(job, IsFinished, kJobWaitMs));
    EXPECT_EQ(Server().JobState(job), kJobCanceled);
    EXPECT_FALSE(std::ifstream(Server().CapturePath("half")).good());
}

int OpenDescriptorCount() {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                          std::filesystem::directory_iterator()));
}

// The spooler keeps at most its one idle connection, and nothing once it is gone.
TEST_F(CupsSpoolerTest, NothingStaysOpenOnceTheSpoolerIsGone) {
    const std::string name = AddQueue("fds", PrivateCupsd::CapturingUsbUri("fds"));
    const int before = OpenDescriptorCount();
    {
        CupsSpooler spooler({}, Server().SocketPath());
        std::vector<QueueInfo> queues;
        ASSERT_TRUE(spooler.EnumLocalQueues(queues));
        for (int i = 0; i < 3; ++i) {
            auto queue = spooler.OpenQueue(name);
            ASSERT_NE(queue, nullptr);
            auto second = spooler.OpenQueue(name);  // while the first holds the idle connection
            ASSERT_NE(second, nullptr);
            ASSERT_GT(queue->StartDoc("Adjustment", "RAW"), 0);
            EXPECT_TRUE(second->Close());
        }  // the first is destroyed with its document open
        EXPECT_LE(OpenDescriptorCount(), before + 1);
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
    EXPECT_TRUE(Server().WaitUntilIdle(name, kJobWaitMs));
}

TEST_F(CupsSpoolerTest, CancelTakesOnlyARealJobId) {
    const std::string name = AddQueue("absent", PrivateCupsd::AbsentUsbUri("cancel"));
    CupsSpooler spooler({}, Server().SocketPath());
    auto queue = spooler.OpenQueue(name);
    ASSERT_NE(queue, nullptr);
    const std::int32_t job = queue->StartDoc("Adjustment", "RAW");
    ASSERT_GT(job, 0);
    const std::vector<std::uint8_t> data(100, 0xAA);
    std::size_t written = 0;
    ASSERT_TRUE(queue->Write(data, written));
    ASSERT_TRUE(queue->EndDoc());

    // libcups would read -1 as "all jobs" and 0 as "the current one".
    EXPECT_FALSE(queue->CancelJob(-1));
    EXPECT_FALSE(queue->CancelJob(0));
    EXPECT_FALSE(queue->CancelJob(job + 1000));
    EXPECT_FALSE(spooler.LastErrorText().empty());
    EXPECT_FALSE(IsFinished(Server().JobState(job)));
    EXPECT_EQ(Server().PendingJobCount(name), 1);

    EXPECT_TRUE(queue->CancelJob(job)) << spooler.LastErrorText();
    ASSERT_TRUE(Server().WaitForJobState(job, IsFinished, kJobWaitMs));
    EXPECT_EQ(Server().JobState(job), kJobCanceled);
    // A job that has left the queue cannot be cancelled again.
    EXPECT_FALSE(queue->CancelJob(job));
}

// cupsd takes no empty document: the job is refused at its end and does not stay behind.
TEST_F(CupsSpoolerTest, EmptyDocumentIsRefusedAndItsJobRemoved) {
    const std::string name = AddQueue("empty", PrivateCupsd::CapturingUsbUri("empty"));
    CupsSpooler spooler({}, Server().SocketPath());
    auto queue = spooler.OpenQueue(name);
    ASSERT_NE(queue, nullptr);
    const std::int32_t job = queue->StartDoc("Adjustment", "RAW");
    ASSERT_GT(job, 0);
    EXPECT_FALSE(queue->EndDoc());
    // The refusal is what is reported, not the clean-up that follows it.
    EXPECT_FALSE(spooler.LastErrorText().empty());
    EXPECT_EQ(spooler.LastErrorText().find("cancel"), std::string::npos) << spooler.LastErrorText();
    EXPECT_EQ(Server().PendingJobCount(name), 0);
}

// A server that is gone or hung makes every call fail within a few seconds.
class CupsUnreachableServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!PrivateCupsd::Installed()) GTEST_SKIP() << "cupsd/lpadmin are not installed";
        std::string error;
        m_server = PrivateCupsd::Start(SourceTreeCupsdFiles(), error);
        ASSERT_NE(m_server, nullptr) << error;
        ASSERT_TRUE(m_server->AddQueue("zt40", PrivateCupsd::CapturingUsbUri("gone"), error)) << error;
    }

    template <typename Call>
    static std::chrono::milliseconds Timed(Call call) {
        const auto start = std::chrono::steady_clock::now();
        call();
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    }

    static constexpr std::chrono::milliseconds kBound = 5000ms;
    std::unique_ptr<PrivateCupsd> m_server;
};

TEST_F(CupsUnreachableServerTest, DeadServerFailsAtOnce) {
    CupsSpooler spooler({}, m_server->SocketPath());
    std::vector<QueueInfo> queues;
    ASSERT_TRUE(spooler.EnumLocalQueues(queues));
    auto queue = spooler.OpenQueue("zt40");
    ASSERT_NE(queue, nullptr);
    m_server->Stop();

    EXPECT_LT(Timed([&] { EXPECT_FALSE(spooler.EnumLocalQueues(queues)); }), kBound);
    EXPECT_FALSE(spooler.LastErrorText().empty());
    EXPECT_LT(Timed([&] { EXPECT_EQ(spooler.OpenQueue("zt40"), nullptr); }), kBound);
    EXPECT_LT(Timed([&] { EXPECT_EQ(queue->StartDoc("Adjustment", "RAW"), 0); }), kBound);
    EXPECT_TRUE(queue->Close());
}

TEST_F(CupsUnreachableServerTest, HungServerFailsWithinTheBound) {
    CupsSpooler spooler({}, m_server->SocketPath());
    auto queue = spooler.OpenQueue("zt40");
    ASSERT_NE(queue, nullptr);
    m_server->Suspend();

    std::vector<QueueInfo> queues;
    EXPECT_LT(Timed([&] { EXPECT_FALSE(spooler.EnumLocalQueues(queues)); }), kBound);
    EXPECT_LT(Timed([&] { EXPECT_EQ(queue->StartDoc("Adjustment", "RAW"), 0); }), kBound);
    m_server->Resume();
    // Back again, the same spooler answers.
    EXPECT_TRUE(spooler.EnumLocalQueues(queues)) << spooler.LastErrorText();
}

TEST_F(CupsUnreachableServerTest, ServerHangingDuringTheDocumentFailsTheDocument) {
    CupsSpooler spooler({}, m_server->SocketPath());
    auto queue = spooler.OpenQueue("zt40");
    ASSERT_NE(queue, nullptr);
    const std::int32_t job = queue->StartDoc("Adjustment", "RAW");
    ASSERT_GT(job, 0);
    m_server->Suspend();
    // Far more than the socket buffers hold: the write has to wait for the frozen server.
    const std::vector<std::uint8_t> data(8'000'000, 0x22);
    std::size_t written = 0;
    EXPECT_LT(Timed([&] { EXPECT_FALSE(queue->Write(data, written)); }), kBound);
    EXPECT_LT(Timed([&] { EXPECT_FALSE(queue->EndDoc()); }), kBound);
    EXPECT_TRUE(queue->Close());
    m_server->Resume();
    // The half-sent job never prints. (The cancel sent while the server was frozen is lost;
    // cupsd holds the job, still waiting for its document, until it gives up on it.)
    std::this_thread::sleep_for(1s);
    const int state = m_server->JobState(job);
    EXPECT_TRUE(state == kJobHeld || state == kJobCanceled || state == kJobAborted) << state;
    EXPECT_FALSE(std::ifstream(m_server->CapturePath("gone")).good());
}

TEST_F(CupsUnreachableServerTest, ServerDyingDuringTheDocumentFailsTheDocument) {
    CupsSpooler spooler({}, m_server->SocketPath());
    auto queue = spooler.OpenQueue("zt40");
    ASSERT_NE(queue, nullptr);
    ASSERT_GT(queue->StartDoc("Adjustment", "RAW"), 0);
    m_server->Stop();
    const std::vector<std::uint8_t> data(2'000'000, 0x11);
    std::size_t written = 0;
    EXPECT_LT(Timed([&] { EXPECT_FALSE(queue->Write(data, written)); }), kBound);
    EXPECT_EQ(written, 0u);
    EXPECT_LT(Timed([&] { EXPECT_FALSE(queue->EndDoc()); }), kBound);
    EXPECT_FALSE(spooler.LastErrorText().empty());
    EXPECT_TRUE(queue->Close());
}

// cupsd sends printer-type as an enum; a queue it marks remote is a network queue even when
// its device URI does not say so. (cupsd keeps the type it is given in printers.conf.)
TEST_F(CupsUnreachableServerTest, QueueTheServerTypesRemoteIsANetworkQueue) {
    CupsSpooler spooler({}, m_server->SocketPath());
    std::vector<QueueInfo> queues;
    ASSERT_TRUE(spooler.EnumLocalQueues(queues)) << spooler.LastErrorText();
    ASSERT_TRUE(FindQueue(queues, "zt40").has_value());
    EXPECT_EQ(FindQueue(queues, "zt40")->attributes, 0u);

    m_server->Stop();
    const std::string conf = m_server->Directory() + "/conf/printers.conf";
    std::ifstream in(conf);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::size_t type = text.find("\nType ");
    ASSERT_NE(type, std::string::npos) << text;
    const std::size_t valueStart = type + 6;
    const std::size_t valueEnd = text.find('\n', valueStart);
    const auto value = static_cast<std::uint32_t>(std::stoul(text.substr(valueStart, valueEnd - valueStart)));
    text.replace(valueStart, valueEnd - valueStart, std::to_string(value | CUPS_PRINTER_REMOTE));
    std::ofstream(conf) << text;
    std::string error;
    ASSERT_TRUE(m_server->Restart(error)) << error;

    ASSERT_TRUE(spooler.EnumLocalQueues(queues)) << spooler.LastErrorText();
    const auto remote = FindQueue(queues, "zt40");
    ASSERT_TRUE(remote.has_value());
    EXPECT_EQ(remote->portName, "USB://Velmora/ZT-40?serial=gone");
    EXPECT_EQ(remote->attributes, kPrinterAttributeNetwork);
    EXPECT_FALSE(MatchesPrinterQueue(*remote));
}

// cupsd answers "not found" when it has no queue at all; that is an empty list.
TEST_F(CupsUnreachableServerTest, ServerWithoutQueuesListsNone) {
    ASSERT_TRUE(m_server->RunTool({"lpadmin", "-x", "zt40"}));
    CupsSpooler spooler({}, m_server->SocketPath());
    std::vector<QueueInfo> queues{QueueInfo{}};
    EXPECT_TRUE(spooler.EnumLocalQueues(queues)) << spooler.LastErrorText();
    EXPECT_TRUE(queues.empty());
}

// ... but a server that cannot be reached is no empty list, even right after a "not found".
TEST_F(CupsUnreachableServerTest, UnreachableServerIsNoEmptyList) {
    CupsSpooler earlier({}, m_server->SocketPath());
    EXPECT_EQ(earlier.OpenQueue("no_such_queue"), nullptr);
    m_server->Stop();
    CupsSpooler spooler({}, m_server->SocketPath());
    std::vector<QueueInfo> queues;
    EXPECT_FALSE(spooler.EnumLocalQueues(queues));
    EXPECT_NE(spooler.LastErrorText().find(m_server->SocketPath()), std::string::npos) << spooler.LastErrorText();
}

TEST_F(CupsUnreachableServerTest, RestartedServerIsReachedThroughAFreshConnection) {
    CupsSpooler spooler({}, m_server->SocketPath());
    std::vector<QueueInfo> queues;
    ASSERT_TRUE(spooler.EnumLocalQueues(queues));
    auto queue = spooler.OpenQueue("zt40");
    ASSERT_NE(queue, nullptr);
    std::string error;
    ASSERT_TRUE(m_server->Restart(error)) << error;

    // Both kept connections went stale with the old server; neither call may fail for it.
    EXPECT_TRUE(spooler.EnumLocalQueues(queues)) << spooler.LastErrorText();
    EXPECT_TRUE(FindQueue(queues, "zt40").has_value());
    const std::int32_t job = queue->StartDoc("Adjustment", "RAW");
    EXPECT_GT(job, 0) << spooler.LastErrorText();
    const std::uint8_t byte = 0x1B;
    std::size_t written = 0;
    EXPECT_TRUE(queue->Write(std::span(&byte, 1), written));
    EXPECT_TRUE(queue->EndDoc()) << spooler.LastErrorText();
}

}  // namespace
}  // namespace zt40::testing
