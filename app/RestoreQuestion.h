#pragma once
// What "Restoration of setting" asks before it writes: the groups out of range, and whether
// their values come from the record file (named) or are the defaults.
#include <optional>

#include "platform/Text.h"
#include "record/UsageRecordStore.h"

namespace zt40 {

// Nothing when the plan writes nothing: a printer in range, or a file that cannot be read.
std::optional<Message> RestoreQuestion(const RestoreOutcome& planned);

}  // namespace zt40
