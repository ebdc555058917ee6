// zt40ctl metrics: one reading of the printer in the Prometheus text format, for the node
// exporter's textfile folder. A scraper runs it every minute, so it never waits for the printer:
// a printer that is held by another program or not ready reports ready 0.
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/FleetMetrics.h"
#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/QueueText.h"
#include "ctl/StdioMessageBox.h"
#include "platform/TextOutput.h"
#include "session/PrinterSession.h"
#include "wiring/RecordWiring.h"

namespace zt40::ctl {

namespace {

constexpr const char* kUsage = "usage: zt40ctl metrics [--output FILE]\n";

// A scraper reads the file at any moment: it sees the old text or the new, never a part. The
// text goes to a file of its own beside FILE, readable by everyone, then takes FILE's name.
bool WriteAtomically(const std::filesystem::path& path, const std::string& text, std::string& error) {
    namespace fs = std::filesystem;
    const fs::path temporary = path.string() + ".tmp." + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            error = "cannot write " + temporary.string();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code failure;
    fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                   fs::perms::others_read, failure);
    if (!failure) fs::rename(temporary, path, failure);
    if (failure) {
        error = "cannot put " + path.string() + " in place: " + failure.message();
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

struct Output {
    std::optional<std::filesystem::path> file;  // standard output when none
};

// The reading as far as it got, with ready 0 unless both groups were read.
int Report(const Output& output, const MetricsReading& reading, int exitStatus = kExitOk,
           const std::string& failure = {}) {
    const std::string text = FormatMetrics(reading);
    if (output.file) {
        std::string error;
        if (!WriteAtomically(*output.file, text, error)) {
            std::fprintf(stderr, "zt40ctl: metrics: %s\n", EscapeForTerminal(error).c_str());
            if (exitStatus == kExitOk) exitStatus = kExitNoAnswer;
        }
    } else {
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    if (!failure.empty()) std::fprintf(stderr, "zt40ctl: metrics: %s\n", EscapeForTerminal(failure).c_str());
    return exitStatus;
}

int RunMetrics(const GlobalOptions& options, const std::vector<std::string>& args) {
    Output output;
    if (args.size() == 2 && args[0] == "--output" && !args[1].empty()) {
        output.file = args[1];
    } else if (!args.empty()) {
        std::fputs(kUsage, stderr);
        return kExitBadArguments;
    }
    StdioMessageBox messages;
    auto wired = WirePlatform(options, messages);
    if (!wired.wiring) {
        if (wired.exitStatus == kExitBadArguments) return BadSimulationFile(wired.error);
        std::fprintf(stderr, "zt40ctl: metrics: %s\n", EscapeForTerminal(wired.error).c_str());
        return wired.exitStatus;
    }
    PlatformWiring& wiring = *wired.wiring;
    MetricsReading reading;
    reading.readTime = static_cast<std::int64_t>(std::time(nullptr));
    reading.queue = options.queue.value_or("");
    PrinterSession session(wiring.Platform(), SleepPause, &wiring.AccessReport(), options.queue);
    // One status read, no wait: a printer at work now is not ready for this minute's scrape.
    ConnectOutcome connected;
    if (options.device) {
        connected = session.Open(reading.queue) ? session.WaitForReady(0, ReadyRule::LowBitsAreOne)
                                                : ConnectOutcome{ConnectEnd::OpenFailed, reading.queue, {}};
    } else {
        connected = session.Connect(0);
    }
    reading.queue = connected.queueName;
    reading.printer = session.PrinterName();
    const auto& access = wiring.AccessReport();
    if (const auto choice = FailedQueueChoice(connected.end)) {
        return Report(output, reading, ExitStatusOf(*choice), QueueChoiceText(*choice, options.queue));
    }
    switch (connected.end) {
    case ConnectEnd::SpoolerUnreachable:
    case ConnectEnd::SpoolerNotAnswering:
    case ConnectEnd::NoUsableQueue:
    case ConnectEnd::NoSuchQueue:  // said above
        break;
    case ConnectEnd::OpenFailed:
        // Another program's job or tool: its business, not a failure of the scrape.
        if (access.Last() == DeviceAccessFailure::Busy) return Report(output, reading);
        return Report(output, reading, ExitStatusOf(access.Last()), "cannot open the printer: " + access.Hint());
    case ConnectEnd::NoAnswer:
    case ConnectEnd::Cancelled:
        return Report(output, reading, kExitNoAnswer, "the printer does not answer the status query");
    case ConnectEnd::NotReady:
        return Report(output, reading);
    case ConnectEnd::Ready:
        break;
    }

    PinSettings settings;
    UsageCounters counters;
    if (!session.Groups().ReadBoth(settings, counters).Ok()) {
        return Report(output, reading, kExitNoAnswer, "the printer did not answer the read of its data groups");
    }
    reading.ready = true;
    reading.counters = counters;
    const RecordWiring records{std::string(kRecordApplicationName)};
    // A sample that cannot be kept costs the forecast a day, not the reading. The days are counted
    // from the counters just read: the day's sample may be from hours ago.
    const auto kept = AppendTodaysSample(records.Platform(), reading.printer, counters);
    reading.forecast = ForecastWear(kept.samples, reading.printer, LocalDate(), counters);
    return Report(output, reading);
}

const RegisterCommand kMetrics{{"metrics", "metrics [--output FILE]   the printer's counters and wear forecast for Prometheus",
                                RunMetrics}};

}  // namespace
}  // namespace zt40::ctl
