// Restore's scan of a large usage record file against `wc -l` on the same file, in the same
// run: both read every byte once, so the scan should stay within a small factor of it.
//
//   build/bench/record_scan_bench [records]      (default 100000, about 20 MB)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/linux/PosixRecordFiles.h"
#include "record/UsageRecordFile.h"

namespace {

using namespace zt40;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 7;

double BestSeconds(const auto& run) {
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    if (count <= 0) {
        std::fprintf(stderr, "usage: record_scan_bench [records]\n");
        return 2;
    }
    const auto path = std::filesystem::temp_directory_path() / ("zt40-scan-bench-" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(path, std::ios::binary);
        for (long i = 0; i < count; ++i) {
            PinSettings settings{{static_cast<std::int16_t>(i % 199), -12}, static_cast<std::int32_t>(1 + i % 9), {}};
            for (std::size_t pin = 0; pin < settings.PinAdjustments.size(); ++pin) {
                settings.PinAdjustments[pin] = static_cast<std::int16_t>((i + static_cast<long>(pin)) % 161 - 80);
            }
            UsageCounters counters{static_cast<std::int32_t>(i * 1013), {}, {static_cast<std::int16_t>(i % 30), 0}};
            for (std::size_t pin = 0; pin < counters.PinCounter.size(); ++pin) {
                counters.PinCounter[pin] = static_cast<std::int32_t>(i * 97 + static_cast<long>(pin) * 100003);
            }
            out << FormatUsageRecord(i % 3 != 0, {2026, 1 + static_cast<int>(i % 12), 1 + static_cast<int>(i % 28)},
                                     settings, counters);
        }
    }
    const auto bytes = std::filesystem::file_size(path);

    PosixRecordFiles files;
    const double scan = BestSeconds([&] {
        if (!ReadBestRecord(files, path.string(), false).best) std::abort();
    });
    // Every record examined: what the history reads, and restore when no record is usable.
    std::size_t usable = 0;
    const double all = BestSeconds([&] {
        usable = 0;
        ReadRecordFile(files, path.string(), false, [&](UsageRecord&& record) { usable += IsUsableRecord(record); });
    });
    const std::string wc = "wc -l < '" + path.string() + "' > /dev/null";
    const double lines = BestSeconds([&] {
        if (std::system(wc.c_str()) != 0) std::abort();
    });
    std::filesystem::remove(path);

    std::printf("records %ld (%zu usable), file %.1f MB\n", count, usable, static_cast<double>(bytes) / 1e6);
    std::printf("restore scan  %8.2f ms  (best of %d)\n", scan * 1e3, kRounds);
    std::printf("every record  %8.2f ms  (best of %d)\n", all * 1e3, kRounds);
    std::printf("wc -l         %8.2f ms  (best of %d, process start included)\n", lines * 1e3, kRounds);
    std::printf("ratio         %8.2f x wc -l\n", scan / lines);
    return 0;
}
