#include "session/RollbackPrompt.h"

namespace zt40 {

Message RollbackFailedMessage(const RollbackFailure& failure) {
    if (failure.pinSettings && failure.usageCounters) {
        return Message::Of(ZT40_TR(
            "RollbackPrompt",
            "Neither the pin settings nor the usage counters could be put back as they were before the wizard: "
            "the printer did not answer or did not become ready.\n\nThe values from before the wizard are in the "
            "usage record. Connect the ZT-40 and switch it on, then click Retry to write them again. Cancel "
            "leaves the printer as it is."));
    }
    if (failure.usageCounters) {
        return Message::Of(ZT40_TR(
            "RollbackPrompt",
            "The usage counters could not be put back as they were before the wizard: the printer did not answer "
            "or did not become ready.\n\nThe values from before the wizard are in the usage record. Connect the "
            "ZT-40 and switch it on, then click Retry to write them again. Cancel leaves the printer as it is."));
    }
    return Message::Of(ZT40_TR(
        "RollbackPrompt",
        "The pin settings could not be put back as they were before the wizard: the printer did not answer or did "
        "not become ready.\n\nThe values from before the wizard are in the usage record. Connect the ZT-40 and "
        "switch it on, then click Retry to write them again. Cancel leaves the printer as it is."));
}

}  // namespace zt40
