// zt40ctl queues: every local print queue as the main window's poll sees it, and whether the
// queue-matching rule takes it (driver "Velmora ZT-40", a USB port, neither offline nor network).
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "session/QueueRule.h"
#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/Json.h"
#include "platform/TextOutput.h"

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

std::string QueueJson(const QueueInfo& queue) {
    return JsonObject()
        .Text("name", queue.name)
        .Text("driver", queue.driverName)
        .Text("port", queue.portName)
        .Number("attributes", queue.attributes)
        .Bool("offline", (queue.attributes & kPrinterAttributeWorkOffline) != 0)
        .Bool("network", (queue.attributes & kPrinterAttributeNetwork) != 0)
        .Bool("usable", MatchesPrinterQueue(queue))
        .End();
}

int RunQueues(const GlobalOptions& options, const std::vector<std::string>& args) {
    const bool json = args.size() == 1 && args[0] == "--json";
    if (!args.empty() && !json) {
        std::fprintf(stderr, "usage: zt40ctl [--simulate[=FILE]] queues [--json]\n");
        return kExitBadArguments;
    }
    std::string error;
    auto spooler = MakeSpooler(options, error);
    if (!spooler) return BadSimulationFile(error);
    std::vector<QueueInfo> queues;
    if (!spooler->EnumLocalQueues(queues)) {
        const bool silent = spooler->LastFailure() == SpoolerFailure::NotAnswering;
        std::fprintf(stderr, "zt40ctl: queues: the print spooler %s: %s\n",
                     silent ? "does not answer" : "cannot be reached", EscapeForTerminal(spooler->LastErrorText()).c_str());
        return kExitSpoolerUnreachable;
    }
    if (json) {
        std::printf("%s\n", JsonObject().Raw("queues", JsonArray(queues, QueueJson)).End().c_str());
        return kExitOk;
    }

    const std::vector<std::string> header = {"QUEUE", "DRIVER", "PORT", "ATTRIBUTES", "MATCH"};
    std::vector<std::vector<std::string>> rows = {header};
    for (const auto& queue : queues) {
        rows.push_back({EscapeForTerminal(queue.name), EscapeForTerminal(queue.driverName),
                        EscapeForTerminal(queue.portName), DescribeAttributes(queue.attributes),
                        MatchesPrinterQueue(queue) ? "yes" : "no"});
    }
    std::fputs(AlignedColumns(rows).c_str(), stdout);
    return kExitOk;
}

const RegisterCommand kQueues({"queues", "queues [--json]     list the print queues and whether each is a usable ZT-40 queue",
                               RunQueues});

}  // namespace

}  // namespace zt40::ctl
