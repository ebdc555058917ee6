#pragma once
// What "Restoration of setting" asks before it writes: the groups out of range, whether their
// values come from the record file (named, with the record's date) or are the defaults, and
// each value that would change; and, once written, what was.
#include <optional>

#include "platform/Text.h"
#include "record/UsageRecordStore.h"
#include "session/MaintenanceFrame.h"

namespace zt40 {

// Nothing when the plan writes nothing: a printer in range, or a file that cannot be read.
// `now` holds the printer's values the plan would replace.
std::optional<Message> RestoreQuestion(const RestoreOutcome& planned, const GroupCopies& now);
// The end of a restore that wrote every group it planned: which, and from where.
Message RestoreDone(const RestoreOutcome& restored);

}  // namespace zt40
