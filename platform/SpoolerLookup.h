#pragma once
// A queue's level-2 record (driver name, port name) as the spooler reports it.
#include <optional>
#include <string_view>

#include "platform/Spooler.h"

namespace zt40 {

// Nothing when the queue cannot be opened or described; the queue is closed again either way.
std::optional<QueueInfo> LookUpQueue(ISpooler& spooler, std::string_view queueName);

}  // namespace zt40
