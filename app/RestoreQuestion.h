#pragma once
// What "Restoration of setting" asks before it writes: the groups out of range, whether their
// values come from the record file (named, with the record's date) or are the defaults, and
// each value that would change; and, once written, what was.
#include <optional>

#include "platform/Text.h"
#include "record/UsageRecordStore.h"
#include "session/MaintenanceFrame.h"
#include "session/Outcome.h"

namespace zt40 {

// Nothing when the plan writes nothing: a printer in range, or a file that cannot be read.
// `now` holds the printer's values the plan would replace.
std::optional<Message> RestoreQuestion(const RestoreOutcome& planned, const GroupCopies& now);
// How a restore ended, to be told: nothing needed, not all written (`waitFailure` says why),
// or which groups were written from where; nothing when the record's own boxes told it.
std::optional<Outcome> RestoreEnd(const RestoreOutcome& restored, const std::optional<Message>& waitFailure);

}  // namespace zt40
