#pragma once
// What zt40ctl says when it finds no queue to use.
#include <optional>
#include <string>

#include "session/PrinterSession.h"
#include "session/QueueRule.h"

namespace zt40::ctl {

// Tells a spooler that cannot be reached from one that has no usable queue: the first is not
// mended by naming a queue. `named` is the --queue given, if any.
std::string QueueChoiceText(QueueChoiceStatus status, const std::optional<std::string>& named = std::nullopt);

// The queue a command uses: the one `named`, or the first usable. Without one, says why on
// standard error ("zt40ctl: COMMAND: why", the command left out when null) and gives the exit
// status in `exitStatus`.
std::optional<std::string> ChooseQueueOrSay(ISpooler& spooler, const std::optional<std::string>& named,
                                            const char* command, int& exitStatus);

// A connect that ended before it chose a queue: says why, as ChooseQueueOrSay does, and gives
// the exit status; nothing when a queue was chosen.
std::optional<int> SayQueueNotChosen(ConnectEnd end, const std::optional<std::string>& named, const char* command);

}  // namespace zt40::ctl
