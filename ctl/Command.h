#pragma once
// zt40ctl's commands register themselves, one file each.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zt40::ctl {

struct GlobalOptions {
    bool simulate = false;
    std::string simulateFile;            // --simulate=FILE: the simulated printer's initial state
    std::optional<std::string> device;   // --device PATH: open this USB device directly
    std::optional<std::string> queue;    // --queue NAME
};

// Returns the process exit status.
using CommandFn = std::function<int(const GlobalOptions&, const std::vector<std::string>& args)>;

struct Command {
    std::string name;
    std::string usage;  // one line, shown by --help
    CommandFn run;
};

std::vector<Command>& Commands();

struct RegisterCommand {
    explicit RegisterCommand(Command command) { Commands().push_back(std::move(command)); }
};

}  // namespace zt40::ctl
