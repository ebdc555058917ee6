#include "record/UsageRecordStore.h"

namespace zt40 {

std::optional<std::string> UsageRecordStore::Path() {
    return UsageRecordPath(m_dataFolder, m_platform.folders, m_dataFolderPath, m_platform.applicationName);
}

Message UsageRecordStore::NoFolderMessage() const {
    // No folder at all: the file's own name is what the operator can be told.
    return FileErrorMessage(FileError::BadPath, m_platform.applicationName + std::string(kRecordExtension));
}

std::optional<Message> UsageRecordStore::Append(bool finished, RecordDate date, const PinSettings& settings,
                                                const UsageCounters& counters) {
    const auto path = Path();
    if (!path) return NoFolderMessage();
    return AppendToRecordFile(m_platform.files, *path, FormatUsageRecord(finished, date, settings, counters));
}

BestRecordRead UsageRecordStore::ReadBest(bool create) {
    const auto path = Path();
    if (!path) {
        // Without any folder no record can have been kept anywhere.
        BestRecordRead none;
        none.missing = true;
        none.error = FileError::BadPath;
        none.failure = NoFolderMessage();
        return none;
    }
    return ReadBestRecord(m_platform.files, *path, create);
}

bool WritesDefaults(RestoreBasis basis) {
    return basis == RestoreBasis::NoFile || basis == RestoreBasis::NoUsableRecord;
}

Message NothingRestoredMessage(const std::string& path) {
    return Message::Of(ZT40_TR("UsageRecord", "Nothing was restored: the printer keeps its values until %1 can be read."),
                       {path});
}

namespace {

RestoreBasis BasisOf(const BestRecordRead& read) {
    if (read.missing) return RestoreBasis::NoFile;
    // A record after the point where reading stopped may be the one to restore.
    if (read.error != FileError::None) return RestoreBasis::FileUnreadable;
    return read.best ? RestoreBasis::RecordUsed : RestoreBasis::NoUsableRecord;
}

}  // namespace

RestoreOutcome RestoreFromRecordFile(UsageRecordStore* store, PinSettings& settings, UsageCounters& counters,
                                     const RestoreWriters& writers, bool dryRun) {
    RestoreOutcome outcome;
    if (IsValidPinSettings(settings) && IsValidUsageCounters(counters)) return outcome;
    BestRecordRead read;
    read.missing = true;
    if (store != nullptr) read = store->ReadBest(!dryRun);
    outcome.basis = BasisOf(read);
    // Before the first wizard there is no file: for a preview that is no failure.
    if (!(dryRun && read.error == FileError::NotFound)) outcome.fileFailure = std::move(read.failure);
    outcome.path = read.path;
    outcome.plan = PlanRestore(settings, counters, read.best);
    if (read.best) outcome.recordDate = RecordHeaderDate(read.best->header);
    if (outcome.basis == RestoreBasis::FileUnreadable) {
        // Its records may hold the printer's real counts: neither they nor the defaults are written.
        outcome.plan.settings.reset();
        outcome.plan.counters.reset();
    }
    if (dryRun) return outcome;
    if (outcome.fileFailure) writers.show(*outcome.fileFailure, MbIcon::Warning);
    if (outcome.basis == RestoreBasis::FileUnreadable) {
        writers.show(NothingRestoredMessage(outcome.path), MbIcon::Warning);
        return outcome;
    }
    if (outcome.plan.settings) {
        settings = *outcome.plan.settings;
        outcome.settingsWritten = writers.settings(settings);
    }
    if (outcome.plan.counters) {
        counters = *outcome.plan.counters;
        outcome.countersWritten = writers.counters(counters);
    }
    // Switching the printer off and on only helps when something was written.
    if (outcome.Wrote()) writers.show(Message::Of(PowerCycleText()), MbIcon::Information);
    return outcome;
}

}  // namespace zt40
