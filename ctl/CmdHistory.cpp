// zt40ctl history: the usage record file's records, newest first, with whether restore would
// accept each and why not; the same file and rows as the window's history.
#include <cstdio>
#include <string>
#include <vector>

#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/HistoryText.h"
#include "wiring/RecordWiring.h"

namespace zt40::ctl {

namespace {

constexpr const char* kUsage = "usage: zt40ctl history [--format table|csv|json]\n";

int RunHistory(const GlobalOptions&, const std::vector<std::string>& args) {
    std::string format = "table";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" && i + 1 < args.size()) {
            format = args[++i];
        } else if (args[i].starts_with("--format=")) {
            format = args[i].substr(9);
        } else {
            std::fputs(kUsage, stderr);
            return kExitBadArguments;
        }
    }
    if (format != "table" && format != "csv" && format != "json") {
        std::fputs(kUsage, stderr);
        return kExitBadArguments;
    }

    const RecordWiring records{std::string(kRecordApplicationName)};
    const auto history = ReadUsageHistory(records.Platform());
    int status = kExitOk;
    if (history.missing) {
        // A new installation: no wizard has run yet, which is not a failure.
        std::fprintf(stderr, "zt40ctl: history: no records yet (%s does not exist)\n", history.path.c_str());
    } else if (history.failure) {
        std::fprintf(stderr, "zt40ctl: history: %s\n", history.failure->English().c_str());
        status = kExitNoAnswer;
    }
    const auto& rows = history.rows;
    const std::string text = format == "csv" ? HistoryCsv(rows) : format == "json" ? HistoryJson(rows) : HistoryTable(rows);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return status;
}

const RegisterCommand kHistory{{"history", "history [--format table|csv|json]   usage records, newest first", RunHistory}};

}  // namespace
}  // namespace zt40::ctl
