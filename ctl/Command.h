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
};

std::vector<Command>& Commands();

struct RegisterCommand {
    explicit RegisterCommand(Command command) { Commands().push_back(std::move(command)); }
};

}  // namespace zt40::ctl
