// zt40ctl: the printer's maintenance operations for scripts and headless machines.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "ctl/Command.h"

namespace zt40::ctl {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out,
                 "usage: zt40ctl [--simulate[=FILE]] [--device PATH] [--queue NAME] COMMAND [ARGS]\n"
                 "  --simulate[=FILE]  use the simulated ZT-40 (initial state from FILE)\n"
                 "commands:\n");
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const auto& command : commands) std::fprintf(out, "  %s\n", command.usage.c_str());
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
        } else if ((arg == "--device" || arg == "--queue") && i + 1 < argc) {
            (arg == "--device" ? options.device : options.queue) = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            PrintUsage(stdout);
            return 0;
        } else if (arg.starts_with("-") && rest.empty()) {
            std::fprintf(stderr, "zt40ctl: unknown option %s\n", argv[i]);
            PrintUsage(stderr);
            return 2;
        } else {
            rest.emplace_back(arg);
        }
    }
    if (rest.empty()) {
        PrintUsage(stderr);
        return 2;
    }
    for (const auto& command : Commands()) {
        if (command.name == rest.front()) {
            return command.run(options, std::vector<std::string>(rest.begin() + 1, rest.end()));
        }
    }
    std::fprintf(stderr, "zt40ctl: unknown command %s\n", rest.front().c_str());
    PrintUsage(stderr);
    return 2;
}
