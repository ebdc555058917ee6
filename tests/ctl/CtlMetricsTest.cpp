// zt40ctl metrics run as a program: the exposition's linter, the day's sample, printers that
// cannot be read, what --output may replace, and a node exporter serving the file it writes.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "record/CounterSamples.h"
#include "support/CtlProgram.h"
#include "support/BuildTree.h"

namespace zt40::testing {
namespace {

const std::string kAllBands = std::string(ZT40_SOURCE_DIR) + "/platform/sim/examples/all-bands.zt40sim";

bool Installed(const char* program) {
    return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

class CtlMetrics : public CtlDataFolderTest {
protected:
    std::filesystem::path Samples() const { return m_dir / "zt40util-samples.csv"; }
};

// A sample's date `offset` days from the machine's today.
std::string DateFromToday(int offset) {
    const RecordDate t = LocalDate();
    const std::chrono::year_month_day day{std::chrono::sys_days(std::chrono::year(t.year) / t.month / t.day) +
                                          std::chrono::days(offset)};
    return IsoDate({int(day.year()), int(unsigned(day.month())), int(unsigned(day.day()))});
}

TEST_F(CtlMetrics, AllBandsPassesPromtoolAndKeepsOneSampleADay) {
    const auto run = Ctl("--simulate=" + kAllBands + " metrics");
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string labels = R"(printer="SIM0001",queue="ZT-40")";
    EXPECT_NE(run.out.find("zt40_ready{" + labels + "} 1\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("zt40_pin_usage{" + labels + ",pin=\"9\"} 11000000\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("zt40_pin_time_to_red_seconds{" + labels + ",pin=\"8\"} 0\n"), std::string::npos);
    EXPECT_NE(run.out.find("zt40_total_usage{" + labels + "} 59500000\n"), std::string::npos);
    if (Installed("promtool")) {
        std::ofstream(m_dir / "out.prom") << run.out;
        EXPECT_EQ(std::system(("promtool check metrics < " + (m_dir / "out.prom").string()).c_str()), 0);
    }
    const std::string samples = FileText(Samples());
    EXPECT_TRUE(samples.starts_with("date,printer,total,pin1,pin2,pin3,pin4,pin5,pin6,pin7,pin8,pin9,head1,head2\n"));
    EXPECT_NE(samples.find(",SIM0001,59500000,500000,2400000,4100000,6300000,7999999,8000000,9200000,10000000,"
                           "11000000,1,0\n"),
              std::string::npos)
        << samples;
    ASSERT_EQ(Ctl("--simulate=" + kAllBands + " metrics").exitStatus, 0);
    EXPECT_EQ(FileText(Samples()), samples);  // the day has its sample
}

// A read that fails still reports, at once and under the printer's own name, and fails the run
// with the reason on standard error; no sample is kept of a printer that was not read.
TEST_F(CtlMetrics, AFailedReadIsReadyZeroUnderThePrintersNameAndFails) {
    const struct {
        const char* fault;
        int exitStatus;
        const char* says;
    } cases[] = {
        {"unplugged", 3, "no usable ZT-40 queue"},
        {"never_finish", 1, "The ZT-40 does not answer."},
        {"error:5", 1, "The ZT-40 reports error state 5."},
        {"held", 6, "The ZT-40 is connected but its USB device is in use by another program."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const auto state = StateFile("serial = ZT40-LINE-7\nfault = " + std::string(c.fault) + "\n");
        const auto started = std::chrono::steady_clock::now();
        const auto run = Ctl("--simulate=" + state + " metrics");
        // No wait for ready: at most the one status read's own time-out (5 s).
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(7));
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_NE(run.err.find(std::string("zt40ctl: metrics: ") + c.says), std::string::npos) << run.err;
        EXPECT_NE(run.out.find(R"(zt40_ready{printer="ZT40-LINE-7",queue="ZT-40"} 0)"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(R"(zt40_read_timestamp_seconds{printer="ZT40-LINE-7",queue="ZT-40"} )"),
                  std::string::npos);
        EXPECT_EQ(run.out.find("zt40_pin_usage"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(Samples()));
    }
}

// Only a regular file of ours, or nothing, is replaced; whatever else stands at the name is
// left exactly as it was.
TEST_F(CtlMetrics, OutputReplacesOnlyARegularFile) {
    const auto target = m_dir / "target.prom";
    std::ofstream(target) << "kept\n";
    const struct {
        const char* name;
        std::function<bool(const std::filesystem::path&)> make;
        const char* says;
    } cases[] = {
        {"fifo", [](const auto& p) { return ::mkfifo(p.c_str(), 0644) == 0; }, "is a FIFO"},
        {"link", [&](const auto& p) { return ::symlink(target.c_str(), p.c_str()) == 0; }, "is a symbolic link"},
        {"folder", [](const auto& p) { return std::filesystem::create_directory(p); }, "is a folder"},
        {"read-only", [](const auto& p) { std::ofstream(p) << "kept\n"; return ::chmod(p.c_str(), 0444) == 0; },
         "is read-only"},
        // The null device's numbers, in a folder of the test's own (root only).
        {"node", [](const auto& p) { return ::geteuid() == 0 && ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0; },
         "is a device node"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = m_dir / c.name;
        if (!c.make(path)) continue;
        struct stat before {};
        ASSERT_EQ(::lstat(path.c_str(), &before), 0);
        const auto run = Ctl("--simulate=" + kAllBands + " metrics --output " + path.string());
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_NE(run.err.find(std::string(c.says) + ": --output replaces only a regular file; nothing was written"),
                  std::string::npos)
            << run.err;
        struct stat after {};
        ASSERT_EQ(::lstat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
    }
    EXPECT_EQ(FileText(target), "kept\n");
    EXPECT_FALSE(std::filesystem::exists(Samples())) << "the printer was not read";

    // The temporary name is short: a name the folder takes is written, a longer one is refused
    // with the system's reason.
    const auto longest = m_dir / std::string(250, 'm');
    const auto written = Ctl("--simulate=" + kAllBands + " metrics --output " + longest.string());
    EXPECT_EQ(written.exitStatus, 0) << written.err;
    EXPECT_TRUE(FileText(longest).starts_with("# HELP zt40_ready "));
    const auto tooLong = Ctl("--simulate=" + kAllBands + " metrics --output " + (m_dir / std::string(256, 'm')).string());
    EXPECT_NE(tooLong.exitStatus, 0);
    EXPECT_NE(tooLong.err.find("File name too long"), std::string::npos) << tooLong.err;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
        EXPECT_FALSE(entry.path().extension() == ".tmp") << entry.path();
    }
}

TEST_F(CtlMetrics, NotReadyPrinterIsNotWaitedFor) {
    const auto state = StateFile("not_ready_reads = 1000\n");
    const auto started = std::chrono::steady_clock::now();
    const auto run = Ctl("--simulate=" + state + " metrics");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find(R"(zt40_ready{printer="SIM0001",queue="ZT-40"} 0)"), std::string::npos) << run.out;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
}

TEST_F(CtlMetrics, OutputFileIsReplacedWholeAndReadableByAll) {
    const auto file = m_dir / "zt40.prom";
    std::ofstream(file) << "old\n";
    ::chmod(file.c_str(), 0600);
    const mode_t before = ::umask(077);
    const auto run = Ctl("--simulate=" + kAllBands + " metrics --output " + file.string());
    ::umask(before);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(FileText(file).starts_with("# HELP zt40_ready "));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
        EXPECT_FALSE(entry.path().extension() == ".tmp") << entry.path();
    }
    const auto missing = Ctl("--simulate=" + kAllBands + " metrics --output " + (m_dir / "no/such/zt40.prom").string());
    EXPECT_NE(missing.exitStatus, 0);
    EXPECT_NE(missing.err.find("cannot write"), std::string::npos) << missing.err;
}

TEST_F(CtlMetrics, StatusKeepsTheDaysSampleAndSaysNothingOfIt) {
    const auto run = Ctl("--simulate=" + kAllBands + " status --json");
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(FileText(Samples()).find(",SIM0001,59500000,500000,"), std::string::npos);

    // A samples file that cannot be written changes neither the output nor the status.
    std::filesystem::remove(Samples());
    std::filesystem::create_directory(Samples());
    const auto blocked = Ctl("--simulate=" + kAllBands + " status --json");
    EXPECT_EQ(blocked.exitStatus, 0);
    EXPECT_EQ(blocked.out, run.out);
    EXPECT_EQ(blocked.err, "");
    const auto metrics = Ctl("--simulate=" + kAllBands + " metrics");
    EXPECT_EQ(metrics.exitStatus, 0);
    EXPECT_NE(metrics.out.find("zt40_ready{printer=\"SIM0001\",queue=\"ZT-40\"} 1"), std::string::npos);
}

// 100,000 a day from three days' samples (one more a clock years ahead wrote is skipped), days from the count now.
TEST_F(CtlMetrics, ForecastFromTheReadingNowAndNotFromASampleAfterToday) {
    std::string text = std::string(kSamplesHeader) + '\n';
    for (const int day : {-2, -1, 1'635, 0}) {
        const std::string count = std::to_string(day > 0 ? 7'350'000 : 7'400'000 + day * 100'000);
        text += DateFromToday(day) + ",SIM0001,0," + count + ',' + count + ",0,0,0,0,0,0,0,0,0\n";
    }
    std::ofstream(Samples(), std::ios::binary) << text;
    const auto forecast = Ctl("forecast --json").out;
    EXPECT_NE(forecast.find(R"({"pin":1,"count":7400000,"perDay":100000,"daysToYellow":6,"daysToRed":26})"),
              std::string::npos) << forecast;
    EXPECT_NE(forecast.find(R"("futureSamples":1})"), std::string::npos) << forecast;
    EXPECT_NE(Ctl("forecast").err.find("1 samples of printer \"SIM0001\" are dated after today"), std::string::npos);
    const auto run = Ctl("--simulate=" + StateFile("pin_counters = 9950000 7750000 0 0 0 0 0 0 0\n") + " metrics");
    const std::pair<std::string, const char*> bands[] = {{"yellow", "172800"}, {"red", "1900800"}};  // pin 2's
    for (const auto& [band, pin2] : bands) {
        const std::string series = "zt40_pin_time_to_" + band + R"(_seconds{printer="SIM0001",queue="ZT-40",pin=")";
        EXPECT_NE(run.out.find(series + "1\"} 0\n" + series + "2\"} " + pin2 + '\n'), std::string::npos) << run.out;
    }
}

// Twenty readings at once in a file of 20,000 other printers: one adds the day's sample.
TEST_F(CtlMetrics, StatusRunsAtOnceAddTheDaysSampleOnce) {
    std::string text = std::string(kSamplesHeader) + '\n', runs;
    for (int printer = 0; printer < 20'000; ++printer) {
        text += DateFromToday(0) + ",P" + std::to_string(printer) + ",5,1,0,0,0,0,0,0,0,9,1,0\n";
    }
    std::ofstream(Samples(), std::ios::binary) << text;
    for (int i = 0; i < 20; ++i) runs += "timeout -s KILL 60 " + kProgram + " --simulate status >/dev/null 2>&1 & ";
    ASSERT_EQ(std::system((runs + "wait").c_str()), 0);
    EXPECT_EQ(FileText(Samples()), text + DateFromToday(0) + ",SIM0001,0,0,0,0,0,0,0,0,0,0,0,0\n");
}

// A port the system has just handed out, free again for the exporter.
int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
}

// One plain HTTP/1.0 GET on 127.0.0.1; empty when nothing listens yet.
std::string HttpGet(int port, const std::string& path) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string request = "GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
        if (::write(fd, request.data(), request.size()) == static_cast<ssize_t>(request.size())) {
            char buffer[8192];
            for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) reply.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return reply;
}

class NodeExporter {
public:
    NodeExporter(int port, const std::filesystem::path& textfiles) {
        m_pid = ::fork();
        if (m_pid == 0) {
            const std::string listen = "--web.listen-address=127.0.0.1:" + std::to_string(port);
            const std::string folder = "--collector.textfile.directory=" + textfiles.string();
            ::execlp("prometheus-node-exporter", "prometheus-node-exporter", listen.c_str(),
                     "--collector.disable-defaults", "--collector.textfile", folder.c_str(), "--log.level=error",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~NodeExporter() {
        if (m_pid <= 0) return;
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
    NodeExporter(const NodeExporter&) = delete;
    NodeExporter& operator=(const NodeExporter&) = delete;

private:
    pid_t m_pid = -1;
};

TEST_F(CtlMetrics, NodeExporterServesTheWrittenFile) {
    if (!Installed("prometheus-node-exporter")) GTEST_SKIP() << "prometheus-node-exporter is not installed";
    const auto textfiles = m_dir / "textfiles";
    std::filesystem::create_directories(textfiles);
    const auto run = Ctl("--simulate=" + kAllBands + " metrics --output " + (textfiles / "zt40.prom").string());
    ASSERT_EQ(run.exitStatus, 0) << run.err;

    const int port = FreeLoopbackPort();
    ASSERT_NE(port, 0);
    const NodeExporter exporter(port, textfiles);
    std::string metrics;
    for (int attempt = 0; attempt < 100 && metrics.find("zt40_") == std::string::npos; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        metrics = HttpGet(port, "/metrics");
    }
    ASSERT_TRUE(metrics.starts_with("HTTP/1.0 200") || metrics.starts_with("HTTP/1.1 200")) << metrics.substr(0, 200);
    // The exporter sorts the labels and writes values its own way.
    EXPECT_NE(metrics.find(R"(zt40_pin_usage{pin="9",printer="SIM0001",queue="ZT-40"} 1.1e+07)"), std::string::npos)
        << metrics;
    EXPECT_NE(metrics.find(R"(zt40_ready{printer="SIM0001",queue="ZT-40"} 1)"), std::string::npos);
    // A file the exporter could not parse would show as an error here.
    EXPECT_NE(metrics.find("node_textfile_scrape_error 0"), std::string::npos);
}

}  // namespace
}  // namespace zt40::testing
