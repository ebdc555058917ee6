#include "ctl/QueueText.h"

#include "session/QueueRule.h"
#include "platform/DeviceAccess.h"
#include "platform/TextOutput.h"

namespace zt40::ctl {

std::string QueueChoiceText(QueueChoiceStatus status, const std::optional<std::string>& named) {
    if (status == QueueChoiceStatus::SpoolerUnreachable) return Message::Of(kSpoolerUnreachable).English();
    if (status == QueueChoiceStatus::NoSuchQueue) {
        return "there is no print queue named \"" + EscapeForTerminal(named.value_or("")) +
               "\" (zt40ctl queues lists them)";
    }
    return "no usable ZT-40 queue: none has the driver \"" + std::string(kPrinterDriverName) +
           "\", a USB port and is online (name one with --queue)";
}

}  // namespace zt40::ctl
