#pragma once
// The record file as an operator reads it: one row per record, newest first, each saying
// whether restore would accept it and why not. Shared by the history window and zt40ctl; the
// CSV is both's export, the terminal's own formats are in ctl/HistoryText.h.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "record/RecordFormat.h"
#include "record/UsageRecordFile.h"

namespace zt40 {

enum class RecordFault { None, CutShort, LastLineCut, TotalCounter, PinCounter, HeadCounter };

struct HistoryRow {
    std::size_t number = 0;  // the record's place in the file, the oldest 1
    UsageRecord record;
    RecordFault fault = RecordFault::None;
    int faultPin = 0;          // the pin, for a pin counter fault
    bool restoreTakes = false;  // the record restore would write back

    bool Usable() const { return fault == RecordFault::None; }
    // "2026-12-08" for a well-formed header, else the header's text after the kind letter.
    std::string Date() const;
    // The reason restore passes the record over; nothing for a usable record.
    std::optional<Message> Reason() const;
};

// Rows newest first from the records in file order.
std::vector<HistoryRow> BuildHistory(std::vector<UsageRecord> records);

struct HistoryRead {
    std::string path;  // empty when no data folder could be found
    std::vector<HistoryRow> rows;
    bool missing = false;  // no file yet: no wizard has run
    std::optional<Message> failure;  // the file could not be read (to its end)
};

// Reads the record file without creating it.
HistoryRead ReadUsageHistory(const UsageRecordPlatform& platform);

// A stable key for scripts ("cut-short", "total-counter", "pin-counter", "head-counter").
const char* FaultKey(RecordFault fault);

// The columns of the table and of CSV, in order: key (CSV header, JSON key) and title.
struct HistoryColumn {
    const char* key;
    Text title;
};
const std::vector<HistoryColumn>& HistoryColumns();
Text NoDataFolderText();

// One row's cells, column by column: numbers as they stand, words as marked texts.
std::vector<Message> HistoryCellMessages(const HistoryRow& row);
// The same cells in English.
std::vector<std::string> HistoryCells(const HistoryRow& row);

std::string HistoryCsv(const std::vector<HistoryRow>& rows);

}  // namespace zt40
