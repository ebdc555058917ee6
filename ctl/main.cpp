// zt40ctl: the printer's maintenance operations for scripts and headless machines.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "platform/TextOutput.h"
#include "platform/linux/UsbDevicePath.h"
#include "platform/sim/Zt40StateFile.h"

namespace zt40::ctl {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out,
                 "usage: zt40ctl [--simulate[=FILE]] [--device PATH] [--queue NAME] COMMAND [ARGS]\n"
                 "options:\n"
                 "  --simulate[=FILE]  use the simulated ZT-40 and its print queue instead of the machine's;\n"
                 "                     FILE (a few hundred bytes of key = value lines) sets its initial state\n"
                 "  --device PATH      open this USB device instead of the queue's, e.g.\n"
                 "                     usb:1a2b:00c4:serial=ZT4000123 or usb:1a2b:00c4:port=1-1.4\n"
                 "  --queue NAME       use this print queue instead of the first usable ZT-40 queue\n"
                 "  -h, --help         show this text\n"
                 "%s"
                 "commands:\n",
                 kExitStatusHelp);
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const auto& command : commands) std::fprintf(out, "  %s\n", command.usage.c_str());
}

int BadArguments(const std::string& message) {
    std::fprintf(stderr, "zt40ctl: %s\n", EscapeForTerminal(message).c_str());
    std::fprintf(stderr, "(zt40ctl --help describes every option)\n");
    return kExitBadArguments;
}

}  // namespace
}  // namespace zt40::ctl

int main(int argc, char** argv) {
    using namespace zt40::ctl;
    GlobalOptions options;
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--simulate") {
            options.simulate = true;
        } else if (arg.starts_with("--simulate=")) {
            options.simulate = true;
            options.simulateFile = std::string(arg.substr(11));
            if (options.simulateFile.empty()) return BadArguments("--simulate= needs a state file after the =");
        } else if (arg == "--device" || arg == "--queue") {
            if (i + 1 >= argc) return BadArguments(std::string(arg) + " needs a value");
            (arg == "--device" ? options.device : options.queue) = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            PrintUsage(stdout);
            return kExitOk;
        } else if (arg.starts_with("-") && rest.empty()) {
            return BadArguments("unknown option " + std::string(arg));
        } else {
            // After the command name, an unknown option (--json) is the command's own.
            rest.emplace_back(arg);
        }
    }
    if (options.device && options.simulate) {
        return BadArguments("--device and --simulate cannot be used together: the simulated printer has no USB device");
    }
    if (options.device && !zt40::ParseDevicePath(*options.device)) {
        return BadArguments("--device \"" + *options.device +
                            "\" is not a USB device path; one looks like usb:1a2b:00c4:serial=ZT4000123 "
                            "or usb:1a2b:00c4:port=1-1.4 (vendor and product in hex)");
    }
    if (options.queue && options.queue->empty()) return BadArguments("--queue needs a queue name, not an empty text");
    if (rest.empty()) {
        PrintUsage(stderr);
        return kExitBadArguments;
    }
    for (const auto& command : Commands()) {
        if (command.name == rest.front()) {
            return command.run(options, std::vector<std::string>(rest.begin() + 1, rest.end()));
        }
    }
    return BadArguments("unknown command " + rest.front());
}
