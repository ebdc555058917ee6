#pragma once
// Which spooler queue is a ZT-40 on this machine's USB that the program may use, and why
// another is not: the poll, the doctor, `zt40ctl queues` and every command choose by this.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Spooler.h"
#include "platform/Text.h"

namespace zt40 {

inline constexpr std::uint32_t kUnusableQueueAttributes = kPrinterAttributeWorkOffline | kPrinterAttributeNetwork;

// Offline or network: the queue cannot reach a printer on this machine's USB now.
inline bool IsQueueOffline(std::uint32_t attributes) { return (attributes & kUnusableQueueAttributes) != 0; }

// The first reason found, in this order.
enum class QueueUnusable {
    None,         // usable
    OtherDriver,  // the driver is not "Velmora ZT-40" (any letter case)
    NotUsb,       // the port name does not contain "USB" (this case only)
    Network,      // a network queue
    Offline,      // stopped or offline, or its printer is not plugged in
};

QueueUnusable WhyQueueUnusable(const QueueInfo& queue);

inline bool MatchesPrinterQueue(const QueueInfo& queue) { return WhyQueueUnusable(queue) == QueueUnusable::None; }

// The usable queues' names, sorted (the window's hidden queue list).
std::vector<std::string> UsableQueueNames(std::span<const QueueInfo> queues);

// The queue that comes nearest to the rule when none passes it: offline before network before
// not on USB before another driver, among the queues named `only` when one is given. `why` is
// OtherDriver with an empty name when there is no queue at all (none installed, or removed).
struct NearestQueue {
    QueueUnusable why = QueueUnusable::OtherDriver;
    std::string name;
    bool operator==(const NearestQueue&) const = default;
};
NearestQueue FindNearestQueue(std::span<const QueueInfo> queues, const std::optional<std::string>& only);

// Why no queue could be used, in the operator's words: what is wrong with the nearest queue,
// or that no queue (of the name `only`) is there.
Message NoQueueReason(const NearestQueue& nearest, const std::optional<std::string>& only);

enum class QueueChoiceStatus {
    Chosen,
    SpoolerUnreachable,   // the spooler could not be reached for the list of its queues
    SpoolerNotAnswering,  // it took the connection but did not answer the list
    NoUsableQueue,        // it answered, and no queue passes the rule
    NoSuchQueue,          // it answered, and has no queue of the name asked for
};

struct QueueChoice {
    QueueChoiceStatus status = QueueChoiceStatus::NoUsableQueue;
    std::string name;
};

// The queue named by --queue (as the spooler spells it), or the first that passes the rule.
QueueChoice ChooseQueue(ISpooler& spooler, const std::optional<std::string>& named);

}  // namespace zt40
