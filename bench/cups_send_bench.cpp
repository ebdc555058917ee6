// Hands the test pattern (resources 172, 171, 152: about 1.78 MB) to a private cupsd through
// the program's sender, and the same bytes through `lp -o raw` to the same queue, round after
// round in the same run. Prints the median times, the median ratio program/lp (at most 0.5
// wanted) and how far the program's peak memory grows while sending (under 1 MB wanted: the
// resources go out from the program image, never copied).
//
// Both senders wait for cupsd to take in the whole document, and cupsd takes at most 32 kB per
// pass of its main loop, each pass ending in usleep(1), which lasts as long as the process's
// timer slack (50 us by default). --fast-server starts cupsd with a timer slack of 1 ns, so
// that its intake costs less and what each sender adds to it shows more.
//
// Before each send the queue is drained and the server left alone for --settle-ms (50 ms by
// default): cupsd tidies up after a finished job (reaps its filter, writes state files) and
// that work should not be billed to whichever sender comes next. --settle-ms 0 sends back to
// back. --verbose prints every round.
//
//   cups_send_bench [--fast-server] [--settle-ms MS] [--verbose] [ROUNDS]
//   exit status 0 when both targets are met, 1 when one is not, 2 when the run failed
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "PrivateCupsd.h"
#include "platform/linux/CupsSpooler.h"
#include "printjob/EmbeddedJobs.h"
#include "printjob/PrintJobSender.h"

extern char** environ;

namespace {

using namespace zt40;
using Clock = std::chrono::steady_clock;

constexpr int kDefaultRounds = 21;
constexpr int kWarmUpRounds = 2;
constexpr int kIdleWaitMs = 15000;
constexpr int kDefaultSettleMs = 50;
constexpr double kRatioLimit = 0.5;
constexpr long kPeakGrowthLimitKb = 1024;

class CountingMessageBox : public IMessageBox {
public:
    MbResult Show(const Message& message, MbButtons, MbIcon) override {
        std::fprintf(stderr, "spooler message: %s\n", message.English().c_str());
        ++m_count;
        return MbResult::Ok;
    }
    int Count() const { return m_count; }

private:
    int m_count = 0;
};

// A field of /proc/self/status in kB, -1 when missing.
long StatusKb(std::string_view field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field) && line.size() > field.size() && line[field.size()] == ':') {
            return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
        }
    }
    return -1;
}

// Lets VmHWM start again from the current resident size.
bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    return static_cast<bool>(clear << "5");
}

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Runs lp as a shell would: spawned, waited for, output discarded. The wall time of the run.
bool RunLp(const std::string& queue, const std::string& file, double& ms) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args = {"lp", "-d", queue, "-o", "raw", file};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, "lp", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return false;
    ms = Milliseconds(Clock::now() - start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = kDefaultRounds;
    int settleMs = kDefaultSettleMs;
    bool fastServer = false;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--fast-server") {
            fastServer = true;
        } else if (arg == "--verbose") {
            verbose = true;
        } else if (arg == "--settle-ms" && i + 1 < argc && std::atoi(argv[i + 1]) >= 0) {
            settleMs = std::atoi(argv[++i]);
        } else if (std::atoi(argv[i]) > 0) {
            rounds = std::atoi(argv[i]);
        } else {
            std::fprintf(stderr, "usage: cups_send_bench [--fast-server] [--settle-ms MS] [--verbose] [ROUNDS]\n");
            return 2;
        }
    }
    if (!testing::PrivateCupsd::Installed()) {
        std::fprintf(stderr, "cups_send_bench: cupsd, lpadmin or lp is not installed\n");
        return 2;
    }
    // cupsd inherits the timer slack of the process that starts it.
    const int ownSlack = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    if (fastServer) prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    std::string error;
    auto server = testing::PrivateCupsd::Start(testing::SourceTreeCupsdFiles(), error);
    if (fastServer && ownSlack > 0) prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(ownSlack), 0, 0, 0);
    if (!server) {
        std::fprintf(stderr, "cups_send_bench: %s\n", error.c_str());
        return 2;
    }
    const std::string queue = "bench";
    if (!server->AddQueue(queue, "file:///dev/null", error)) {
        std::fprintf(stderr, "cups_send_bench: %s\n", error.c_str());
        return 2;
    }

    // lp gets exactly the bytes the program sends, from a file.
    const std::string file = server->Directory() + "/pattern.prn";
    std::size_t totalBytes = 0;
    {
        std::ofstream out(file, std::ios::binary);
        for (const int id : {172, 171, 152}) {
            const auto bytes = EmbeddedJobs().Find(id);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            totalBytes += bytes.size();
        }
    }

    CupsSpooler spooler({}, server->SocketPath());
    CountingMessageBox messages;
    CPrintJobSender sender(spooler, messages, EmbeddedJobs());

    std::vector<double> programMs;
    std::vector<double> lpMs;
    std::vector<double> ratios;
    long peakGrowthKb = 0;
    for (int round = -kWarmUpRounds; round < rounds; ++round) {
        const bool measured = round >= 0;
        double program = 0;
        double lp = 0;
        // Alternate which goes first, so that neither always meets a freshly idle server.
        for (int turn = 0; turn < 2; ++turn) {
            if (!server->WaitUntilIdle(queue, kIdleWaitMs)) {
                std::fprintf(stderr, "cups_send_bench: the queue did not drain\n");
                return 2;
            }
            // cupsd tidies up after a finished job (reaping its filter, writing state files):
            // let that pass before either sender starts.
            std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
            if ((turn == 0) == (round % 2 == 0)) {
                if (!ResetPeak()) {
                    std::fprintf(stderr, "cups_send_bench: cannot reset the peak resident size (/proc/self/clear_refs)\n");
                    return 2;
                }
                const long before = StatusKb("VmRSS");
                const auto start = Clock::now();
                const std::int32_t job = sender.PrintTestPattern(queue);
                program = Milliseconds(Clock::now() - start);
                const long peak = StatusKb("VmHWM");
                if (job <= 0 || messages.Count() != 0) {
                    std::fprintf(stderr, "cups_send_bench: the program's job failed\n");
                    return 2;
                }
                if (measured) peakGrowthKb = std::max(peakGrowthKb, peak - before);
            } else if (!RunLp(queue, file, lp)) {
                std::fprintf(stderr, "cups_send_bench: lp failed\n");
                return 2;
            }
        }
        if (!measured) continue;
        if (verbose) std::printf("round %d: program %.2f ms, lp %.2f ms\n", round, program, lp);
        programMs.push_back(program);
        lpMs.push_back(lp);
        ratios.push_back(program / lp);
    }

    const double ratio = Median(ratios);
    std::printf("document: %zu bytes (resources 172, 171, 152), %d rounds after %d warm-up rounds\n", totalBytes,
                rounds, kWarmUpRounds);
    std::printf("cupsd timer slack: %s; %d ms of quiet before each send\n",
                fastServer ? "1 ns (--fast-server)" : "inherited (50 us unless changed)", settleMs);
    std::printf("program (CPrintJobSender::PrintTestPattern): median %.2f ms, min %.2f ms\n", Median(programMs),
                *std::min_element(programMs.begin(), programMs.end()));
    std::printf("lp -o raw of the same bytes:                 median %.2f ms, min %.2f ms\n", Median(lpMs),
                *std::min_element(lpMs.begin(), lpMs.end()));
    std::printf("median ratio program/lp: %.3f (target <= %.2f): %s\n", ratio, kRatioLimit,
                ratio <= kRatioLimit ? "met" : "NOT met");
    std::printf("peak memory growth while sending: %ld kB (target < %ld kB): %s\n", peakGrowthKb, kPeakGrowthLimitKb,
                peakGrowthKb < kPeakGrowthLimitKb ? "met" : "NOT met");
    return ratio <= kRatioLimit && peakGrowthKb < kPeakGrowthLimitKb ? 0 : 1;
}
