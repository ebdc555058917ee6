#include "platform/SpoolerLookup.h"

namespace zt40 {

std::optional<QueueInfo> LookUpQueue(ISpooler& spooler, std::string_view queueName) {
    auto queue = spooler.OpenQueue(queueName);
    if (!queue) return std::nullopt;
    QueueInfo info;
    const bool described = queue->GetInfo(info);
    queue->Close();
    if (!described) return std::nullopt;
    return info;
}

}  // namespace zt40
