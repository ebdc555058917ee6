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

// Whether a restore reads both groups first, or works on the copies just saved.
enum class Fresh { ReadFirst, AlreadyRead };

// The wait a put-back shows while it writes and reads back.
inline constexpr Text kPuttingBack = ZT40_TR("MaintenanceFrame", "Putting the settings back...");
// The wait of a read of both groups after a write, to show what the printer holds.
inline constexpr Text kReadingBack = ZT40_TR("MaintenanceFrame", "Reading the printer's values...");

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
    // Runs `body` (true: it ended with Finish) on the copies the caller has just saved, then
    // keeps or puts back, and reads both groups back so that the copies are what the printer
    // holds. True when the body finished.
    bool Run(PutBack putBack, const std::function<bool()>& body);
    bool Running() const { return m_running; }
    // Reads both groups into the copies (the saved ones stay); false when the printer did not
    // answer, the copies then holding what could be read.
    bool ReadBack();
    bool LastReadBack() const { return m_readBack; }
    // Called with the wait's text before a put-back talks to the printer, and with nothing
    // after (also when none is on show): the window shows the wait, with its Cancel.
    void SetWaitShow(std::function<void(const std::optional<Message>&)> show) { m_waitShow = std::move(show); }
    // Called before the Retry box of a put-back the printer did not answer, with why: while the
    // operator decides, the window shows the printer as it now is, not as it was before the cancel.
    void SetSilenceShow(std::function<void(const Message& why)> show) { m_silenceShow = std::move(show); }

    // Appends a record of the saved groups, 'o' when finished, 'x' otherwise; on failure shows
    // why and returns it, also kept until the next append, so a run's caller can fail the run.
    std::optional<Message> WriteUsageRecord(bool finished);
    const std::optional<Message>& RecordFailure() const { return m_recordFailure; }
    // The groups the last run that did not finish left unrestored (the operator gave up
    // retrying); none after a finished run.
    const RollbackFailure& PutBackFailure() const { return m_putBackFailure; }
    // "Restoration of setting": the groups that fail their range checks get the record file's
    // last usable record, or the defaults.
    RestoreOutcome Restore(Fresh fresh = Fresh::ReadFirst);
    // What Restore would write, writing, showing and creating nothing.
    RestoreOutcome PreviewRestore(Fresh fresh = Fresh::ReadFirst);

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
    std::function<void(const std::optional<Message>&)> m_waitShow;
    std::function<void(const Message&)> m_silenceShow;
    bool m_running = false;
    bool m_readBack = false;
};

}  // namespace zt40
