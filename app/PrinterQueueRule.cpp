#include "app/PrinterQueueRule.h"

namespace zt40 {

bool MatchesPrinterQueue(const QueueInfo& queue) {
    return EqualsIgnoringCase(queue.driverName, kPrinterDriverName) &&
           queue.portName.find("USB") != std::string::npos && !IsQueueOffline(queue.attributes);
}

}  // namespace zt40
