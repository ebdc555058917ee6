#pragma once
// Which spooler queue is a ZT-40 on USB that the program may use.
#include <string_view>

#include "platform/Spooler.h"
#include "platform/TextCompare.h"

namespace zt40 {

inline constexpr std::uint32_t kUnusableQueueAttributes = kPrinterAttributeWorkOffline | kPrinterAttributeNetwork;

// Offline or network: the queue cannot reach a printer on this machine's USB now.
inline bool IsQueueOffline(std::uint32_t attributes) { return (attributes & kUnusableQueueAttributes) != 0; }

// Driver "Velmora ZT-40" (any letter case), a port name containing "USB" (this case only),
// and neither offline nor a network queue.
bool MatchesPrinterQueue(const QueueInfo& queue);

}  // namespace zt40
