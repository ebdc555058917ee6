#pragma once
// The main window's side of the record file: its data folder, the folder found last, and the
// two operations on the window's copies of the printer's groups. The window passes in its own
// group writers, so restore writes through the same checks as every other write.
#include <functional>
#include <optional>
#include <string>

#include "types/PinData.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "record/DataFolder.h"
#include "record/RecordFormat.h"
#include "record/UsageRecordFile.h"

namespace zt40 {

class UsageRecordStore {
public:
    explicit UsageRecordStore(const UsageRecordPlatform& platform)
        : m_platform(platform), m_dataFolder(platform.folders) {}

    // The file's path, the data folder resolved anew; nothing when no folder was ever found.
    std::optional<std::string> Path();
    // Appends one record of `settings` and `counters` dated `date`; the message to show on failure.
    std::optional<Message> Append(bool finished, RecordDate date, const PinSettings& settings,
                                  const UsageCounters& counters);
    // The last usable record; with `create`, a missing file is created empty.
    BestRecordRead ReadBest(bool create);

    const std::string& DataFolderPath() const { return m_dataFolderPath; }
    const std::string& ApplicationName() const { return m_platform.applicationName; }

private:
    Message NoFolderMessage() const;

    UsageRecordPlatform m_platform;
    DataFolder m_dataFolder;
    std::string m_dataFolderPath;
};

struct RestoreWriters {
    std::function<bool(const PinSettings&)> settings;
    std::function<bool(const UsageCounters&)> counters;
    std::function<void(const Message&, MbIcon)> show;
};

// What a restore took its values from. Only a missing file, or one read to its end without a
// usable record, lets the defaults stand in: a file that is there but cannot be read may hold
// the printer's real counts, so nothing is written then.
enum class RestoreBasis {
    NothingNeeded,   // both groups were in range; the file was not opened
    FileUnreadable,  // the file is there but could not be read: nothing written
    NoFile,          // no record file yet: the defaults
    NoUsableRecord,  // read to its end without a usable record: the defaults
    RecordUsed,      // the file's last usable record
};

bool WritesDefaults(RestoreBasis basis);
// Said after the reason the file could not be read.
Message NothingRestoredMessage(const std::string& path);

struct RestoreOutcome {
    RestoreBasis basis = RestoreBasis::NothingNeeded;
    RestorePlan plan;
    bool settingsWritten = false;
    bool countersWritten = false;
    std::optional<Message> fileFailure;
    std::string path;  // the record file read; empty when none could be named
    std::string recordDate;  // the date of the record the values come from, "2026-12-01"
    bool Wrote() const { return settingsWritten || countersWritten; }
};

// Restores the groups that fail their range checks from the file's last usable record, or the
// defaults when there is no file (also without a store) or none usable in it; a file that cannot
// be read restores nothing. `settings` and `counters` are the window's copies, updated before
// each write. With `dryRun` nothing is written, shown or created: the outcome says what would be.
RestoreOutcome RestoreFromRecordFile(UsageRecordStore* store, PinSettings& settings, UsageCounters& counters,
                                     const RestoreWriters& writers, bool dryRun = false);

}  // namespace zt40
