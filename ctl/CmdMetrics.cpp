// zt40ctl metrics: one reading of the printer in the Prometheus text format, for the node
// exporter's textfile folder. A scraper runs it every minute, so it never waits for the printer:
// a printer at work reports ready 0; one that cannot be read (gone, held by another program,
// silent, in an error state) reports ready 0 under its own name and the run fails.

#include <cerrno>
#include <cstdio>
#include <cstring>
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
#include "platform/os/ProcessId.h"
#include "session/PrinterSession.h"
#include "wiring/RecordWiring.h"

namespace zt40::ctl {

namespace {

constexpr const char* kUsage = "usage: zt40ctl metrics [--output FILE]\n";

namespace fs = std::filesystem;

// The temporary file's name beside FILE: short, so that any FILE whose own name the folder
// takes can be written.
fs::path TemporaryBeside(const fs::path& path) {
    return path.parent_path() / (".zt40-" + std::to_string(CurrentProcessId()) + ".tmp");
}

// --output replaces a file of the metrics or makes one, nothing else: renaming over a device
// node, a FIFO, a folder or a link would replace what stands there (as root, /dev/full), and
// a read-only file was made so on purpose.
std::optional<std::string> WhyNotReplaced(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (status.type() == fs::file_type::not_found) return std::nullopt;
    if (error) return "cannot look at " + path.string() + ": " + error.message();
    constexpr auto kWritable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    const char* what = nullptr;
    switch (status.type()) {
    case fs::file_type::regular:
        if ((status.permissions() & kWritable) == fs::perms::none) what = "is read-only";
        break;
    case fs::file_type::symlink: what = "is a symbolic link"; break;
    case fs::file_type::directory: what = "is a folder"; break;
    case fs::file_type::fifo: what = "is a FIFO"; break;
    case fs::file_type::block:
    case fs::file_type::character: what = "is a device node"; break;
    default: what = "is not a regular file"; break;
    }
    if (!what) return std::nullopt;
    return path.string() + " " + what + ": --output replaces only a regular file";
}

// A scraper reads the file at any moment: it sees the old text or the new, never a part. The
// text goes to a file of its own beside FILE, readable by everyone, then takes FILE's name.
bool WriteAtomically(const fs::path& path, const std::string& text, std::string& error) {
    const fs::path temporary = TemporaryBeside(path);
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        const int opened = errno;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            const int why = errno != 0 ? errno : opened;
            error = "cannot write " + temporary.string() + (why != 0 ? ": " + std::string(std::strerror(why)) : "");
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code failure;
    fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                   fs::perms::others_read, failure);
    // Looked at again: something may have taken the name while the printer was read.
    if (const auto refused = WhyNotReplaced(path)) {
        error = *refused + ": left as it is";
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
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
    std::optional<fs::path> file;  // standard output when none
};

// The reading as far as it got, with ready 0 unless both groups were read. A failed read is
// written too, so that the file never goes on saying what an earlier run found.
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
    if (args.size() == 2 && args[0] == "--output" && !args[1].empty() && !args[1].starts_with("-")) {
        output.file = args[1];
    } else if (!args.empty()) {
        std::fputs(kUsage, stderr);
        return kExitBadArguments;
    }
    if (output.file) {
        if (const auto refused = WhyNotReplaced(*output.file)) {
            std::fprintf(stderr, "zt40ctl: metrics: %s; nothing was written\n",
                         EscapeForTerminal(*refused).c_str());
            return kExitBadArguments;
        }
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
    const PrinterIdentity identity = session.IdentityAfter(connected);
    reading.queue = identity.queue;
    reading.printer = identity.printer;
    const auto& access = wiring.AccessReport();
    if (const auto choice = FailedQueueChoice(connected.end)) {
        return Report(output, reading, ExitStatusOf(*choice), QueueChoiceText(*choice, options.queue));
    }
    const PrinterProblem problem = ClassifyPrinterProblem(connected.end, connected.status, access.Last());
    const std::string reason = problem.Reason() ? problem.Reason()->English() : std::string();
    switch (problem.kind) {
    case PrinterProblemKind::None:
        break;
    case PrinterProblemKind::NotReady:
        // At work for another job this minute: not a failure of the scrape.
        return Report(output, reading);
    case PrinterProblemKind::NotFound:
    case PrinterProblemKind::NoPermission:
    case PrinterProblemKind::Held:
    case PrinterProblemKind::CannotOpen:
        return Report(output, reading, ExitStatusOf(access.Last()), reason);
    case PrinterProblemKind::NoAnswer:
    case PrinterProblemKind::ErrorState:
    case PrinterProblemKind::Cancelled:
        return Report(output, reading, kExitNoAnswer, reason);
    }

    if (!ReadGroupsForMetrics(session.Groups(), reading)) {
        return Report(output, reading, kExitNoAnswer, "the printer did not answer the read of its data groups");
    }
    const UsageCounters& counters = *reading.counters;
    const RecordWiring records{std::string(kRecordApplicationName)};
    // A sample that cannot be kept costs the forecast a day, not the reading. The days are counted
    // from the counters just read: the day's sample may be from hours ago.
    const auto kept = AppendTodaysSample(records.Platform(), reading.printer, counters);
    reading.forecast = ForecastWear(kept.samples, reading.printer, LocalDate(), counters);
    return Report(output, reading);
}

const RegisterCommand kMetrics{{"metrics", "metrics [--output FILE]   the printer's counters and wear forecast for Prometheus",
                                RunMetrics, {"--output"}}};

}  // namespace
}  // namespace zt40::ctl
