#pragma once
// zt40ctl's commands register themselves, one file each.
#include <functional>
#include <string>
#include <vector>

#include "wiring/Wiring.h"

namespace zt40::ctl {

using GlobalOptions = WiringOptions;

// Returns the process exit status.
using CommandFn = std::function<int(const GlobalOptions&, const std::vector<std::string>& args)>;

struct Command {
    std::string name;
    std::string usage;  // one line, shown by --help
    CommandFn run;
    // Its options that take a value: "-h" after one is that option's missing value, for the
    // command to refuse, not a request for help.
    std::vector<std::string> valueOptions = {};
};

std::vector<Command>& Commands();

struct RegisterCommand {
    explicit RegisterCommand(Command command) { Commands().push_back(std::move(command)); }
};

}  // namespace zt40::ctl
