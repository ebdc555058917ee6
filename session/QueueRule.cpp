#include "session/QueueRule.h"

#include <algorithm>

#include "platform/TextCompare.h"

namespace zt40 {

QueueUnusable WhyQueueUnusable(const QueueInfo& queue) {
    if (!EqualsIgnoringCase(queue.driverName, kPrinterDriverName)) return QueueUnusable::OtherDriver;
    if (queue.portName.find("USB") == std::string::npos) return QueueUnusable::NotUsb;
    if ((queue.attributes & kPrinterAttributeNetwork) != 0) return QueueUnusable::Network;
    if ((queue.attributes & kPrinterAttributeWorkOffline) != 0) return QueueUnusable::Offline;
    return QueueUnusable::None;
}

std::vector<std::string> UsableQueueNames(std::span<const QueueInfo> queues) {
    std::vector<std::string> names;
    for (const auto& queue : queues) {
        if (MatchesPrinterQueue(queue)) names.push_back(queue.name);
    }
    std::ranges::sort(names);
    return names;
}

QueueChoice ChooseQueue(ISpooler& spooler, const std::optional<std::string>& named) {
    std::vector<QueueInfo> queues;
    if (!spooler.EnumLocalQueues(queues)) {
        return {spooler.LastFailure() == SpoolerFailure::NotAnswering ? QueueChoiceStatus::SpoolerNotAnswering
                                                                      : QueueChoiceStatus::SpoolerUnreachable,
                {}};
    }
    if (named) {
        // As the spooler spells it: names compare without regard to case, and a named queue
        // need not pass the rule (the operator chose it).
        const auto found = std::ranges::find_if(queues, [&](const QueueInfo& q) { return EqualsIgnoringCase(q.name, *named); });
        if (found == queues.end()) return {QueueChoiceStatus::NoSuchQueue, {}};
        return {QueueChoiceStatus::Chosen, found->name};
    }
    const auto usable = std::ranges::find_if(queues, MatchesPrinterQueue);
    if (usable == queues.end()) return {QueueChoiceStatus::NoUsableQueue, {}};
    return {QueueChoiceStatus::Chosen, usable->name};
}

}  // namespace zt40
