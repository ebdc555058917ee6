// zt40ctl queues and cancel, run as a program against the private cupsd.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CupsServerTest.h"
#include "platform/linux/CupsSpooler.h"
#include "support/BuildTree.h"

namespace zt40::testing {
namespace {

constexpr const char* kCtl = ZT40_BINARY_DIR "/zt40ctl";
constexpr int kJobCanceled = 7;

// The line of `output` that starts with `queue` followed by a blank.
std::string LineOf(const std::string& output, const std::string& queue) {
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.starts_with(queue + " ")) return line;
    }
    return {};
}

class CtlCupsTest : public CupsServerTest {
protected:
    int Ctl(std::vector<std::string> args, std::string* output = nullptr) {
        args.insert(args.begin(), kCtl);
        return Server().ToolExitStatus(args, output);
    }

    // A job that waits in the queue of an unplugged printer.
    std::int32_t QueueWaitingJob(const std::string& queueName) {
        CupsSpooler spooler({}, Server().SocketPath());
        auto queue = spooler.OpenQueue(queueName);
        if (!queue) return 0;
        const std::int32_t job = queue->StartDoc("Adjustment", "RAW");
        const std::vector<std::uint8_t> data(64, 0x1B);
        std::size_t written = 0;
        if (job <= 0 || !queue->Write(data, written) || !queue->EndDoc()) return 0;
        return job;
    }
};

TEST_F(CtlCupsTest, QueuesShowsEachQueueAndWhetherTheRuleTakesIt) {
    const std::string file = AddQueue("file", "file:///dev/null");
    const std::string network = AddQueue("ipp", "ipp://127.0.0.1:9/printers/elsewhere");
    const std::string stopped = AddQueue("stopped", "file:///dev/null");
    ASSERT_TRUE(Server().RunTool({"cupsdisable", stopped}));

    std::string output;
    ASSERT_EQ(Ctl({"queues"}, &output), 0) << output;
    EXPECT_TRUE(output.starts_with("QUEUE ")) << output;

    const std::string fileLine = LineOf(output, file);
    EXPECT_NE(fileLine.find("Velmora ZT-40"), std::string::npos) << output;
    EXPECT_NE(fileLine.find("FILE:///dev/null"), std::string::npos) << output;
    EXPECT_NE(fileLine.find("0x0000"), std::string::npos) << output;
    EXPECT_TRUE(fileLine.ends_with(" no")) << fileLine;  // no USB in its port

    const std::string networkLine = LineOf(output, network);
    EXPECT_NE(networkLine.find("IPP://127.0.0.1:9/printers/elsewhere"), std::string::npos) << output;
    EXPECT_NE(networkLine.find("0x0010 (network)"), std::string::npos) << output;
    EXPECT_TRUE(networkLine.ends_with(" no")) << networkLine;

    EXPECT_NE(LineOf(output, stopped).find("0x0400 (offline)"), std::string::npos) << output;
}

TEST_F(CtlCupsTest, CancelRemovesAWaitingJobAndReportsWhatItCannotCancel) {
    const std::string name = AddQueue("absent", PrivateCupsd::AbsentUsbUri("ctl"));
    const std::int32_t job = QueueWaitingJob(name);
    ASSERT_GT(job, 0);

    std::string output;
    EXPECT_EQ(Ctl({"--queue", name, "cancel", "-1"}, &output), 2) << output;
    EXPECT_EQ(Ctl({"--queue", name, "cancel", "0"}, &output), 2) << output;
    EXPECT_EQ(Ctl({"--queue", name, "cancel", "x12"}, &output), 2) << output;
    EXPECT_EQ(Server().PendingJobCount(name), 1);

    EXPECT_EQ(Ctl({"--queue", name, "cancel", std::to_string(job)}, &output), 0) << output;
    EXPECT_TRUE(Server().WaitForJobState(job, [](int state) { return state == kJobCanceled; }, 10000));

    // Gone already, or never there: the command says so.
    EXPECT_EQ(Ctl({"--queue", name, "cancel", std::to_string(job)}, &output), 1);
    EXPECT_NE(output.find("job " + std::to_string(job)), std::string::npos) << output;
    // A queue the spooler does not list: no usable queue, before any job is touched.
    EXPECT_EQ(Ctl({"--queue", "no_such_queue", "cancel", "1"}, &output), 3);
    EXPECT_NE(output.find("no print queue named \"no_such_queue\""), std::string::npos) << output;
}

// Queue names as cupsd keeps them, bytes and all: JSON stays valid UTF-8, the table escapes what
// is not UTF-8 and lines its columns up by terminal width.
TEST_F(CtlCupsTest, QueueNamesOfAnyBytesKeepJsonValidAndTheTableAligned) {
    const std::string latin1 = AddQueue("lat\xe9", "file:///dev/null");
    const std::string japanese = AddQueue("\xe3\x83\x97\xe3\x83\xaa\xe3\x83\xb3\xe3\x82\xbf", "file:///dev/null");
    const std::string prefix = latin1.substr(0, latin1.size() - 4);  // the test's name and '_'

    std::string json;
    ASSERT_EQ(Ctl({"queues", "--json"}, &json), 0) << json;
    EXPECT_NE(json.find("\"name\":\"" + prefix + "lat\\u00e9\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"name\":\"" + japanese + "\""), std::string::npos) << json;
    // With the one UTF-8 name taken out, nothing but ASCII is left.
    std::string rest = json;
    rest.erase(rest.find(japanese), japanese.size());
    for (const char c : rest) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << json;

    const struct {
        std::string lineStart;  // the name as the table shows it
        int columnsLessThanBytes;
    } rows[] = {
        {"QUEUE ", 0},
        {prefix + "lat\\xE9 ", 0},
        {japanese + " ", 4},  // four characters, three bytes and two columns each
    };
    std::string table;
    ASSERT_EQ(Ctl({"queues"}, &table), 0) << table;
    const std::size_t driverColumn = table.find("DRIVER");
    ASSERT_NE(driverColumn, std::string::npos) << table;
    for (const auto& row : rows) {
        const std::string line = LineOf(table, row.lineStart.substr(0, row.lineStart.size() - 1));
        ASSERT_FALSE(line.empty()) << row.lineStart << "\n" << table;
        const std::size_t driver = line.find(row.lineStart == "QUEUE " ? "DRIVER" : "Velmora ZT-40");
        ASSERT_NE(driver, std::string::npos) << line;
        EXPECT_EQ(driver - row.columnsLessThanBytes, driverColumn) << line;
    }
}

}  // namespace
}  // namespace zt40::testing
