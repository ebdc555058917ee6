#include "ctl/QueueText.h"

#include "session/QueueRule.h"
#include "platform/DeviceAccess.h"

namespace zt40::ctl {

std::string QueueChoiceText(QueueChoiceStatus status) {
    if (status == QueueChoiceStatus::SpoolerUnreachable) return Message::Of(kSpoolerUnreachable).English();
    return "no usable ZT-40 queue: none has the driver \"" + std::string(kPrinterDriverName) +
           "\", a USB port and is online (name one with --queue)";
}

}  // namespace zt40::ctl
