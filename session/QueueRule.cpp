#include "session/QueueRule.h"

#include <algorithm>

#include "platform/TextCompare.h"

namespace zt40 {

namespace {

constexpr Text kNoZt40Queue = ZT40_TR(
    "QueueRule", "No print queue uses the \"%1\" driver: add a queue for the ZT-40 (or add it again if it was removed).");
constexpr Text kNoQueueNamed = ZT40_TR("QueueRule", "There is no print queue named \"%1\".");
constexpr Text kQueueOtherDriver = ZT40_TR("QueueRule", "The queue %1 does not use the \"%2\" driver.");
constexpr Text kQueueNotUsb =
    ZT40_TR("QueueRule", "The queue %1 does not print to a USB port: connect the ZT-40 to this computer's USB.");
constexpr Text kQueueNetwork =
    ZT40_TR("QueueRule", "The queue %1 is a network queue: connect the ZT-40 to this computer's USB.");
constexpr Text kQueueOffline = ZT40_TR("QueueRule",
                                       "The queue %1 is paused or offline, or its printer is unplugged or switched off: "
                                       "resume the queue, plug the ZT-40 in and switch it on.");

// Smaller is nearer to usable.
int Distance(QueueUnusable why) {
    switch (why) {
    case QueueUnusable::None:
        return 0;
    case QueueUnusable::Offline:
        return 1;
    case QueueUnusable::Network:
        return 2;
    case QueueUnusable::NotUsb:
        return 3;
    case QueueUnusable::OtherDriver:
        break;
    }
    return 4;
}

}  // namespace

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

NearestQueue FindNearestQueue(std::span<const QueueInfo> queues, const std::optional<std::string>& only) {
    NearestQueue nearest;
    bool any = false;
    for (const auto& queue : queues) {
        if (only && !EqualsIgnoringCase(queue.name, *only)) continue;
        const QueueUnusable why = WhyQueueUnusable(queue);
        // Another driver's queue is named only when it was asked for by name.
        if (why == QueueUnusable::OtherDriver && !only) continue;
        if (!any || Distance(why) < Distance(nearest.why)) nearest = {why, queue.name};
        any = true;
    }
    return nearest;
}

Message NoQueueReason(const NearestQueue& nearest, const std::optional<std::string>& only) {
    const std::string driver(kPrinterDriverName);
    if (nearest.name.empty()) {
        return only ? Message::Of(kNoQueueNamed, {*only}) : Message::Of(kNoZt40Queue, {driver});
    }
    switch (nearest.why) {
    case QueueUnusable::Offline:
        return Message::Of(kQueueOffline, {nearest.name});
    case QueueUnusable::Network:
        return Message::Of(kQueueNetwork, {nearest.name});
    case QueueUnusable::NotUsb:
        return Message::Of(kQueueNotUsb, {nearest.name});
    case QueueUnusable::None:
    case QueueUnusable::OtherDriver:
        break;
    }
    return Message::Of(kQueueOtherDriver, {nearest.name, driver});
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
