// zt40ctl history: the usage record file's records, newest first, with whether restore would
// accept each and why not; the same file and rows as the window's history.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/HistoryText.h"
#include "ctl/StdioMessageBox.h"
#include "platform/TextOutput.h"
#include "wiring/RecordWiring.h"

namespace zt40::ctl {

namespace {

constexpr const char* kUsage = "usage: zt40ctl history [--format table|csv|json]\n";

int RunHistory(const GlobalOptions&, const std::vector<std::string>& args) {
    std::optional<std::string> format;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool separate = args[i] == "--format" && i + 1 < args.size();
        if ((separate || args[i].starts_with("--format=")) && format) {
            std::fprintf(stderr, "zt40ctl: history: --format is given twice\n");
            std::fputs(kUsage, stderr);
            return kExitBadArguments;
        }
        if (separate) {
            format = args[++i];
        } else if (args[i].starts_with("--format=")) {
            format = args[i].substr(9);
        } else {
            std::fputs(kUsage, stderr);
            return kExitBadArguments;
        }
    }
    if (!format) format = "table";
    if (format != "table" && format != "csv" && format != "json") {
        std::fputs(kUsage, stderr);
        return kExitBadArguments;
    }

    const RecordWiring records{std::string(kRecordApplicationName)};
    const auto history = ReadUsageHistory(records.Platform());
    int status = kExitOk;
    if (history.missing) {
        // A new installation: no wizard has run yet, which is not a failure.
        std::fprintf(stderr, "zt40ctl: history: no records yet (%s does not exist)\n",
                     EscapeForTerminal(history.path).c_str());
    } else if (history.failure) {
        std::fprintf(stderr, "zt40ctl: history: %s\n", TerminalText(*history.failure).c_str());
        status = kExitNoAnswer;
    }
    const auto& rows = history.rows;
    const std::string text = *format == "csv" ? HistoryCsv(rows) : *format == "json" ? HistoryJson(rows) : HistoryTable(rows);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return status;
}

const RegisterCommand kHistory{{"history", "history [--format table|csv|json]   usage records, newest first", RunHistory,
                                 {"--format"}}};

}  // namespace
}  // namespace zt40::ctl
