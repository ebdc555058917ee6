// zt40ctl queues: every local print queue as the main window's poll sees it, and whether the
// queue-matching rule takes it (driver "Velmora ZT-40", a USB port, neither offline nor network).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/PrinterQueueRule.h"
#include "ctl/Command.h"

namespace zt40::ctl {

namespace {

std::string DescribeAttributes(std::uint32_t attributes) {
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%04X", static_cast<unsigned>(attributes));
    std::string text = hex;
    std::string words;
    if ((attributes & kPrinterAttributeWorkOffline) != 0) words += "offline";
    if ((attributes & kPrinterAttributeNetwork) != 0) words += words.empty() ? "network" : ",network";
    if (!words.empty()) text += " (" + words + ")";
    return text;
}

int RunQueues(const GlobalOptions& options, const std::vector<std::string>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "usage: zt40ctl [--simulate[=FILE]] queues\n");
        return 2;
    }
    std::string error;
    auto spooler = MakeSpooler(options, error);
    if (!spooler) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::vector<QueueInfo> queues;
    if (!spooler->EnumLocalQueues(queues)) {
        std::fprintf(stderr, "zt40ctl: queues: the print spooler did not list its queues: %s\n",
                     spooler->LastErrorText().c_str());
        return 1;
    }

    const std::vector<std::string> header = {"QUEUE", "DRIVER", "PORT", "ATTRIBUTES", "MATCH"};
    std::vector<std::vector<std::string>> rows = {header};
    for (const auto& queue : queues) {
        rows.push_back({queue.name, queue.driverName, queue.portName, DescribeAttributes(queue.attributes),
                        MatchesPrinterQueue(queue) ? "yes" : "no"});
    }
    std::vector<std::size_t> widths(header.size(), 0);
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size()) line += std::string(widths[i] - row[i].size() + 2, ' ');
        }
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

const RegisterCommand kQueues({"queues", "queues              list the print queues and whether each is a usable ZT-40 queue",
                               RunQueues});

}  // namespace

}  // namespace zt40::ctl
