// zt40ctl: the printer's maintenance operations for scripts and headless machines.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "platform/TextOutput.h"
#include "platform/os/StandardOutput.h"
#include "platform/sim/Zt40StateFile.h"
#include "wiring/RealPlatform.h"

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
                 "An option that takes a value is given once. Names and texts from outside the program\n"
                 "(arguments, queue and driver names) are shown with control and malformed bytes as \\xNN.\n"
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

// Output that did not reach its file is a failure whatever the command did: a script must not
// take an empty or cut answer for the printer's. A failure the command reported comes first.
int CheckedOutput(int status) {
    const bool flushed = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    const bool closed = std::fclose(stdout) == 0;
    if (flushed && closed) return status;
    const int why = StandardOutputErrno();
    std::fprintf(stderr, "zt40ctl: cannot write standard output: %s\n", why != 0 ? std::strerror(why) : "a write failed");
    return status == kExitOk || status == kExitNothingWritten ? kExitNoAnswer : status;
}

// Whether the next argument is the value of the command option just before it.
bool TakenAsAValue(const std::vector<std::string>& rest) {
    if (rest.size() < 2) return false;
    for (const auto& command : Commands()) {
        if (command.name == rest.front()) return std::ranges::find(command.valueOptions, rest.back()) != command.valueOptions.end();
    }
    return false;
}

int Run(int argc, char** argv) {
    GlobalOptions options;
    std::vector<std::string> rest;
    bool simulateGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--simulate" || arg.starts_with("--simulate=")) {
            if (simulateGiven) return BadArguments("--simulate is given twice: name one state file at most");
            simulateGiven = options.simulate = true;
            if (arg == "--simulate") continue;
            options.simulateFile = std::string(arg.substr(11));
            if (options.simulateFile.empty()) return BadArguments("--simulate= needs a state file after the =");
        } else if (arg == "--device" || arg == "--queue") {
            if (i + 1 >= argc) return BadArguments(std::string(arg) + " needs a value");
            auto& value = arg == "--device" ? options.device : options.queue;
            if (value) return BadArguments(std::string(arg) + " is given twice");
            value = argv[++i];
        } else if ((arg == "--help" || arg == "-h") && !TakenAsAValue(rest)) {
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
    if (options.device) {
        if (const auto problem = zt40::DevicePathProblem(*options.device)) return BadArguments(*problem);
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

}  // namespace
}  // namespace zt40::ctl

int main(int argc, char** argv) {
    zt40::RecordStandardOutputErrors();
    return zt40::ctl::CheckedOutput(zt40::ctl::Run(argc, argv));
}
