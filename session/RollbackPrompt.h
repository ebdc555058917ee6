#pragma once
// What the operator is told when a wizard that did not finish cannot put the printer back as
// it was: without it a head replacement cancelled after Move Head would leave zeroed
// counters behind in silence, and zeroed counters pass every range check.
#include "platform/Text.h"

namespace zt40 {

struct RollbackFailure {
    bool pinSettings = false;
    bool usageCounters = false;
    bool Any() const { return pinSettings || usageCounters; }
};

// Names the groups not put back, says where the values from before are, and offers Retry.
// Only for a failure: Any() must hold.
Message RollbackFailedMessage(const RollbackFailure& failure);

}  // namespace zt40
