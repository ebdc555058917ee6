#include "record/UsageHistory.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace zt40 {

namespace {

bool AllDigits(std::string_view text) {
    return std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

RecordFault FaultOf(const UsageRecord& record, int& pin) {
    pin = 0;
    if (record.bodyLines < kRecordBodyLines) return RecordFault::CutShort;
    if (!record.lastLineEnded) return RecordFault::LastLineCut;
    if (record.counters.TotalCounter < 0) return RecordFault::TotalCounter;
    for (std::size_t i = 0; i < record.counters.PinCounter.size(); ++i) {
        if (record.counters.PinCounter[i] < 0) {
            pin = static_cast<int>(i) + 1;
            return RecordFault::PinCounter;
        }
    }
    if (record.counters.HeadCounters[0] < 0) return RecordFault::HeadCounter;
    return RecordFault::None;
}

}  // namespace

std::string HistoryRow::Date() const {
    const std::string_view rest = std::string_view(record.header).substr(record.header.empty() ? 0 : 1);
    if (rest.size() == 8 && AllDigits(rest)) {
        return std::string(rest.substr(0, 4)) + "-" + std::string(rest.substr(4, 2)) + "-" +
               std::string(rest.substr(6, 2));
    }
    return std::string(rest);
}

std::optional<Message> HistoryRow::Reason() const {
    switch (fault) {
        case RecordFault::None: return std::nullopt;
        case RecordFault::CutShort:
            return Message::Of(ZT40_TR("UsageHistory", "cut short: the file ends after %1 of its 10 lines"),
                               {std::to_string(record.bodyLines)});
        case RecordFault::LastLineCut:
            return Message::Of(ZT40_TR("UsageHistory", "cut short: the file ends inside its last line"));
        case RecordFault::TotalCounter:
            return Message::Of(ZT40_TR("UsageHistory", "the total counter is negative or 2147483648 or more"));
        case RecordFault::PinCounter:
            return Message::Of(ZT40_TR("UsageHistory", "the counter of pin %1 is negative or 2147483648 or more"),
                               {std::to_string(faultPin)});
        case RecordFault::HeadCounter:
            return Message::Of(ZT40_TR("UsageHistory", "the head counter is negative or 32768 or more"));
    }
    return std::nullopt;
}

std::vector<HistoryRow> BuildHistory(std::vector<UsageRecord> records) {
    std::vector<HistoryRow> rows;
    rows.reserve(records.size());
    bool takenLater = false;
    for (std::size_t i = records.size(); i > 0; --i) {
        HistoryRow row;
        row.number = i;
        row.record = std::move(records[i - 1]);
        row.fault = FaultOf(row.record, row.faultPin);
        // The same rule restore applies, so that the table never disagrees with it.
        if (!takenLater && IsUsableRecord(row.record)) row.restoreTakes = takenLater = true;
        rows.push_back(std::move(row));
    }
    return rows;
}

Text NoDataFolderText() {
    return ZT40_TR("UsageHistory", "No folder for the usage record could be found or created.");
}

HistoryRead ReadUsageHistory(const UsageRecordPlatform& platform) {
    HistoryRead result;
    DataFolder dataFolder(platform.folders);
    std::string folderPath;
    const auto path = UsageRecordPath(dataFolder, platform.folders, folderPath, platform.applicationName);
    if (!path) {
        result.failure = Message::Of(NoDataFolderText());
        return result;
    }
    result.path = *path;
    std::vector<UsageRecord> records;
    const auto read =
        ReadRecordFile(platform.files, *path, false, [&](UsageRecord&& record) { records.push_back(std::move(record)); });
    result.missing = !read.opened && read.error == FileError::NotFound;
    if (!result.missing) result.failure = read.failure;
    result.rows = BuildHistory(std::move(records));
    return result;
}

const char* FaultKey(RecordFault fault) {
    switch (fault) {
        case RecordFault::None: return "";
        case RecordFault::CutShort: return "cut-short";
        case RecordFault::LastLineCut: return "last-line-cut";
        case RecordFault::TotalCounter: return "total-counter";
        case RecordFault::PinCounter: return "pin-counter";
        case RecordFault::HeadCounter: return "head-counter";
    }
    return "";
}

const std::vector<HistoryColumn>& HistoryColumns() {
    static const std::vector<HistoryColumn> columns = {
        {"record", ZT40_TR("UsageHistory", "Record")},
        {"date", ZT40_TR("UsageHistory", "Date")},
        {"kind", ZT40_TR("UsageHistory", "Kind")},
        {"headCounter", ZT40_TR("UsageHistory", "Head")},
        {"totalCounter", ZT40_TR("UsageHistory", "Total")},
        {"pin1", ZT40_TR("UsageHistory", "Pin 1")},
        {"pin2", ZT40_TR("UsageHistory", "Pin 2")},
        {"pin3", ZT40_TR("UsageHistory", "Pin 3")},
        {"pin4", ZT40_TR("UsageHistory", "Pin 4")},
        {"pin5", ZT40_TR("UsageHistory", "Pin 5")},
        {"pin6", ZT40_TR("UsageHistory", "Pin 6")},
        {"pin7", ZT40_TR("UsageHistory", "Pin 7")},
        {"pin8", ZT40_TR("UsageHistory", "Pin 8")},
        {"pin9", ZT40_TR("UsageHistory", "Pin 9")},
        {"wordPair", ZT40_TR("UsageHistory", "Word pair")},
        {"adjustments", ZT40_TR("UsageHistory", "Adjustments (pins 1-9)")},
        {"selectedPin", ZT40_TR("UsageHistory", "Selected pin")},
        {"usable", ZT40_TR("UsageHistory", "Restore")},
        {"reason", ZT40_TR("UsageHistory", "Reason")},
    };
    return columns;
}

namespace {

template <typename Values>
std::string Joined(const Values& values, const char* separator) {
    std::string out;
    for (const auto value : values) {
        if (!out.empty()) out += separator;
        out += std::to_string(value);
    }
    return out;
}

Message KindMessage(char kind) {
    if (kind == kFinishedKind) return Message::Of(ZT40_TR("UsageHistory", "finished"));
    if (kind == kCancelledKind) return Message::Of(ZT40_TR("UsageHistory", "cancelled"));
    return Message::Verbatim(std::string(1, kind));
}

Message UsableMessage(const HistoryRow& row) {
    if (!row.Usable()) return Message::Of(ZT40_TR("UsageHistory", "no"));
    return Message::Of(row.restoreTakes ? ZT40_TR("UsageHistory", "yes: restore takes this one") : ZT40_TR("UsageHistory", "yes"));
}

Message Number(std::int64_t value) { return Message::Verbatim(std::to_string(value)); }

}  // namespace

std::vector<Message> HistoryCellMessages(const HistoryRow& row) {
    const auto& r = row.record;
    std::vector<Message> cells = {Number(static_cast<std::int64_t>(row.number)), Message::Verbatim(row.Date()),
                                  KindMessage(r.Kind()), Number(r.counters.HeadCounters[0]),
                                  Number(r.counters.TotalCounter)};
    for (const auto counter : r.counters.PinCounter) cells.push_back(Number(counter));
    cells.push_back(Message::Verbatim(Joined(r.settings.WordPair, " ")));
    cells.push_back(Message::Verbatim(Joined(r.settings.PinAdjustments, " ")));
    cells.push_back(Number(r.settings.SelectedPin));
    cells.push_back(UsableMessage(row));
    cells.push_back(row.Reason().value_or(Message::Verbatim({})));
    return cells;
}

std::vector<std::string> HistoryCells(const HistoryRow& row) {
    std::vector<std::string> cells;
    for (const auto& message : HistoryCellMessages(row)) cells.push_back(message.English());
    return cells;
}

namespace {

std::string CsvField(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string out = "\"";
    for (const char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::string HistoryCsv(const std::vector<HistoryRow>& rows) {
    std::string out;
    for (const auto& column : HistoryColumns()) {
        if (!out.empty()) out += ',';
        out += column.key;
    }
    out += "\r\n";
    for (const auto& row : rows) {
        const auto cells = HistoryCells(row);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) out += ',';
            out += CsvField(cells[i]);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace zt40
