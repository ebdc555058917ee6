// Start-up of `zt40util --simulate` to its first completed poll tick, and its peak resident
// memory, each against the bare Qt dialog built beside it, measured alternately in the same
// run. The first tick comes one poll period (500 ms) after the window opens by design, so the
// start-up figure is the time to exit minus that period (the raw time is printed too), and
// the CPU time to exit, which counts the painting done while the first tick waits. For
// comparison, plain `zt40util` (CUPS and USB, no simulator window) is measured against a CUPS
// server that is not there, so its first tick finds no spooler at once.
//
//   ui_startup_bench [ROUNDS]      (default 11; offscreen unless a display is set)
//   exit status 0 when both goals are met (time 1.5x, memory 1.3x), 1 when not, 2 on failure
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ControlIds.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultRounds = 11;
constexpr double kPollPeriodMs = zt40::kPollPeriodMs;
constexpr double kTimeGoal = 1.5;
constexpr double kMemoryGoal = 1.3;

struct Run {
    double ms = 0;
    double cpuMs = 0;  // user and system time: the work done, waits or not
    long maxRssKb = 0;
    bool ok = false;
};

Run Launch(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {};
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return {};
    Run run;
    run.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    run.maxRssKb = usage.ru_maxrss;
    const auto micros = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000L + usage.ru_utime.tv_usec +
                        usage.ru_stime.tv_usec;
    run.cpuMs = static_cast<double>(micros) / 1000.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The program ends by itself after its first completed poll tick.
    setenv("ZT40_EXIT_AFTER_FIRST_POLL", "1", 1);
    const std::string bare = ZT40_BINARY_DIR "/bench/bare_dialog";
    const std::string program = ZT40_BINARY_DIR "/zt40util";

    // One of each first, to warm the file cache and font cache.
    if (!Launch({bare}).ok || !Launch({program, "--simulate"}).ok) {
        std::fprintf(stderr, "ui_startup_bench: %s or %s did not run\n", bare.c_str(), program.c_str());
        return 2;
    }
    std::vector<double> bareMs, programMs, bareKb, programKb, realMs, realKb, bareCpu, programCpu, realCpu;
    for (int i = 0; i < rounds; ++i) {
        const Run b = Launch({bare});
        const Run p = Launch({program, "--simulate"});
        setenv("CUPS_SERVER", "/nonexistent/zt40-bench.sock", 1);
        const Run r = Launch({program});
        unsetenv("CUPS_SERVER");
        if (!b.ok || !p.ok || !r.ok) {
            std::fprintf(stderr, "ui_startup_bench: a run failed\n");
            return 2;
        }
        bareMs.push_back(b.ms);
        bareCpu.push_back(b.cpuMs);
        programCpu.push_back(p.cpuMs);
        realCpu.push_back(r.cpuMs);
        programMs.push_back(p.ms);
        realMs.push_back(r.ms);
        bareKb.push_back(static_cast<double>(b.maxRssKb));
        programKb.push_back(static_cast<double>(p.maxRssKb));
        realKb.push_back(static_cast<double>(r.maxRssKb));
    }
    const double bareTime = Median(bareMs);
    const double programRaw = Median(programMs);
    const double programTime = programRaw - kPollPeriodMs;
    const double bareMem = Median(bareKb);
    const double programMem = Median(programKb);
    const double timeRatio = programTime / bareTime;
    const double memoryRatio = programMem / bareMem;
    std::printf("platform: %s, %d rounds, medians\n", std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "default", rounds);
    std::printf("bare Qt dialog:     start-up %7.1f ms   peak RSS %7.0f kB\n", bareTime, bareMem);
    std::printf("zt40util --simulate: start-up %7.1f ms (to first poll tick %.1f ms, minus the %.0f ms period)   peak RSS %7.0f kB\n",
                programTime, programRaw, kPollPeriodMs, programMem);
    std::printf("zt40util (no simulator, no spooler): start-up %7.1f ms   peak RSS %7.0f kB   ratios %.2f / %.2f\n",
                Median(realMs) - kPollPeriodMs, Median(realKb), (Median(realMs) - kPollPeriodMs) / bareTime,
                Median(realKb) / bareMem);
    std::printf("CPU to the first tick: bare %.1f ms, zt40util --simulate %.1f ms (ratio %.2f), zt40util %.1f ms (ratio %.2f)\n",
                Median(bareCpu), Median(programCpu), Median(programCpu) / Median(bareCpu), Median(realCpu),
                Median(realCpu) / Median(bareCpu));
    std::printf("start-up ratio %.2f (goal <= %.1f)   memory ratio %.2f (goal <= %.1f)\n", timeRatio, kTimeGoal,
                memoryRatio, kMemoryGoal);
    return timeRatio <= kTimeGoal && memoryRatio <= kMemoryGoal ? 0 : 1;
}
