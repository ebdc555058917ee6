#pragma once
// What zt40ctl says when it finds no queue to use.
#include <optional>
#include <string>

#include "session/QueueRule.h"

namespace zt40::ctl {

// Tells a spooler that cannot be reached from one that has no usable queue: the first is not
// mended by naming a queue. `named` is the --queue given, if any.
std::string QueueChoiceText(QueueChoiceStatus status, const std::optional<std::string>& named = std::nullopt);

}  // namespace zt40::ctl
