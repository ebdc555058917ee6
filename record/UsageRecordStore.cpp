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
        BestRecordRead none;
        none.error = FileError::BadPath;
        none.failure = NoFolderMessage();
        return none;
    }
    return ReadBestRecord(m_platform.files, *path, create);
}

RestoreOutcome RestoreFromRecordFile(UsageRecordStore* store, PinSettings& settings, UsageCounters& counters,
                                     const RestoreWriters& writers, bool dryRun) {
    RestoreOutcome outcome;
    if (IsValidPinSettings(settings) && IsValidUsageCounters(counters)) return outcome;
    BestRecordRead read;
    if (store != nullptr) read = store->ReadBest(!dryRun);
    // Before the first wizard there is no file: for a preview that is no failure.
    if (!(dryRun && read.error == FileError::NotFound)) outcome.fileFailure = std::move(read.failure);
    outcome.path = read.path;
    outcome.plan = PlanRestore(settings, counters, read.best);
    if (dryRun) return outcome;
    if (outcome.fileFailure) writers.show(*outcome.fileFailure, MbIcon::Warning);
    if (outcome.plan.settings) {
        settings = *outcome.plan.settings;
        outcome.settingsWritten = writers.settings(settings);
    }
    if (outcome.plan.counters) {
        counters = *outcome.plan.counters;
        outcome.countersWritten = writers.counters(counters);
    }
    writers.show(Message::Of(PowerCycleText()), MbIcon::Information);
    return outcome;
}

}  // namespace zt40
