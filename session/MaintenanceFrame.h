#pragma once
// The frame every maintenance run lives in: both groups saved before it, kept when it ends
// with Finish, otherwise written back and read back until the printer holds them again (or
// the operator gives up), and an 'o' or 'x' record of the saved values appended either way.
// The window's wizards and the terminal's pin adjustment run in the same frame.
#include <functional>
#include <optional>

#include "platform/MessageBox.h"
#include "record/UsageRecordStore.h"
#include "session/PrinterSession.h"
#include "session/RollbackPrompt.h"
#include "types/PinData.h"

namespace zt40 {

// The front end's copies of the printer's groups, and the copies saved before a run.
struct GroupCopies {
    PinSettings settings;
    PinSettings savedSettings;
    UsageCounters counters;
    UsageCounters savedCounters;
};

// What a run that does not finish writes back: a pin adjustment touches only the settings,
// a head replacement both groups.
enum class PutBack { PinSettings, BothGroups };

class MaintenanceFrame {
public:
    // `prompt` shows the record's failures and asks Retry or Cancel for a failed write back.
    MaintenanceFrame(PrinterSession& session, IMessageBox& prompt) : m_session(session), m_prompt(prompt) {}

    // Where the record file is kept; until it is set appending is skipped and restore finds
    // no record.
    void SetUsageRecordPlatform(const UsageRecordPlatform& platform) { m_record.emplace(platform); }

    // Reads both groups into the copies and saves them, when the printer is ready and no run
    // is on; otherwise leaves every copy as it is and says why (a read that failed half way
    // says so too: the copies then hold what it read).
    std::optional<Message> Save();
    // Saves, runs `body` (true: it ended with Finish), then keeps or puts back. True when the
    // body finished.
    bool Run(PutBack putBack, const std::function<bool()>& body);
    bool Running() const { return m_running; }

    // Appends a record of the saved groups, 'o' when finished, 'x' otherwise; on failure shows
    // why and returns it, also kept until the next append, so a run's caller can fail the run.
    std::optional<Message> WriteUsageRecord(bool finished);
    const std::optional<Message>& RecordFailure() const { return m_recordFailure; }
    // The groups the last run that did not finish left unrestored (the operator gave up
    // retrying); none after a finished run.
    const RollbackFailure& PutBackFailure() const { return m_putBackFailure; }
    // "Restoration of setting": the groups that fail their range checks get the record file's
    // last usable record, or the defaults.
    RestoreOutcome Restore();
    // What Restore would write, writing, showing and creating nothing.
    RestoreOutcome PreviewRestore();

    GroupCopies& Copies() { return m_copies; }
    const GroupCopies& Copies() const { return m_copies; }

private:
    RollbackFailure WriteBack(bool settings, bool counters);
    void PutBackSaved(bool counters);

    PrinterSession& m_session;
    IMessageBox& m_prompt;
    GroupCopies m_copies;
    std::optional<UsageRecordStore> m_record;
    std::optional<Message> m_recordFailure;
    RollbackFailure m_putBackFailure;
    bool m_running = false;
};

}  // namespace zt40
