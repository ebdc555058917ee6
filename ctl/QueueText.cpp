#include "ctl/QueueText.h"

#include <cstdio>

#include "ctl/ExitStatus.h"
#include "session/PrinterSession.h"
#include "session/QueueRule.h"
#include "platform/DeviceAccess.h"
#include "platform/TextOutput.h"

namespace zt40::ctl {

std::string QueueChoiceText(QueueChoiceStatus status, const std::optional<std::string>& named) {
    if (status == QueueChoiceStatus::SpoolerUnreachable) return Message::Of(kSpoolerUnreachable).English();
    if (status == QueueChoiceStatus::SpoolerNotAnswering) return Message::Of(kSpoolerNotAnswering).English();
    if (status == QueueChoiceStatus::NoSuchQueue) {
        return "there is no print queue named \"" + EscapeForTerminal(named.value_or("")) +
               "\" (zt40ctl queues lists them)";
    }
    return "no usable ZT-40 queue: none has the driver \"" + std::string(kPrinterDriverName) +
           "\", a USB port and is online (name one with --queue)";
}

namespace {

// "zt40ctl: COMMAND: why", the command left out when null; gives the exit status.
int SayNotChosen(QueueChoiceStatus status, const std::optional<std::string>& named, const char* command) {
    std::fprintf(stderr, "zt40ctl: %s%s%s\n", command ? command : "", command ? ": " : "",
                 QueueChoiceText(status, named).c_str());
    return ExitStatusOf(status);
}

}  // namespace

std::optional<std::string> ChooseQueueOrSay(ISpooler& spooler, const std::optional<std::string>& named,
                                            const char* command, int& exitStatus) {
    auto choice = ChooseQueue(spooler, named);
    if (choice.status == QueueChoiceStatus::Chosen) return std::move(choice.name);
    exitStatus = SayNotChosen(choice.status, named, command);
    return std::nullopt;
}

std::optional<int> SayQueueNotChosen(ConnectEnd end, const std::optional<std::string>& named, const char* command) {
    const auto status = FailedQueueChoice(end);
    if (!status) return std::nullopt;
    return SayNotChosen(*status, named, command);
}

}  // namespace zt40::ctl
