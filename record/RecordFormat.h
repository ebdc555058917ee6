#pragma once
// The usage record file's format: eleven-line records, a header line ('o' or 'x' and the local
// date) and ten body lines, appended after each wizard and read back to restore the printer.
// Other copies of the program and people's editors rely on it, so it never changes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "types/PinData.h"

namespace zt40 {

inline constexpr char kFinishedKind = 'o';
inline constexpr char kCancelledKind = 'x';
inline constexpr int kRecordBodyLines = 10;
inline constexpr int kRecordFieldCount = 4;

struct RecordDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    bool operator==(const RecordDate&) const = default;
    bool operator<(const RecordDate& other) const {
        return std::tie(year, month, day) < std::tie(other.year, other.month, other.day);
    }
};

RecordDate LocalDate();

// One whole record, every line ending in "\n" alone.
std::string FormatUsageRecord(bool finished, RecordDate date, const PinSettings& settings,
                              const UsageCounters& counters);

// Fields 0..3 of a line in one pass; each as ExtractRecordField gives it.
std::array<std::int32_t, kRecordFieldCount> ExtractRecordFields(std::string_view line);
// The leading unsigned number (index 0), or the first, second or third signed number after it
// (indices 1..3), accumulated with 32-bit wrap-around. An empty line gives -1 for every index,
// an index outside 0..3 gives 0.
std::int32_t ExtractRecordField(std::string_view line, int index);

// Bytes from a file or memory, in pieces: the count read, 0 at the end, -1 on failure.
class IByteSource {
public:
    virtual ~IByteSource() = default;
    virtual std::int64_t Read(std::span<char> into) = 0;
};

class MemorySource : public IByteSource {
public:
    explicit MemorySource(std::string_view bytes) : m_rest(bytes) {}
    std::int64_t Read(std::span<char> into) override;

private:
    std::string_view m_rest;
};

// Lines of a text, read as text: "\r\n" ends a line like "\n", a last line without an end still
// counts, and a byte-order mark before the first line is passed over. The line handed out stays
// valid until the next call.
class LineReader {
public:
    static constexpr std::size_t kDefaultChunk = 64 * 1024;
    explicit LineReader(IByteSource& source, std::size_t chunk = kDefaultChunk);
    // Lines of a text already in memory, without copying it.
    explicit LineReader(std::string_view text);
    bool Next(std::string_view& line);
    // A read failed; the lines before it were handed out.
    bool Failed() const { return m_failed; }
    // The line handed out last ended with a line feed: false only for a last line that the
    // text's end cut off.
    bool LastLineEnded() const { return m_lastEnded; }

private:
    bool Fill();
    bool NextLine(std::string_view& line);

    IByteSource* m_source = nullptr;
    std::vector<char> m_buffer;
    const char* m_data = nullptr;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_lastEnded = true;
    bool m_first = true;
};

struct UsageRecord {
    std::string header;  // the header line as it stands
    PinSettings settings;
    UsageCounters counters;
    int bodyLines = 0;  // body lines the file held; fewer than ten when it ended early
    bool lastLineEnded = true;  // false when the file ends inside the record's last line
    std::size_t line = 0;  // the header's line number, from 1

    char Kind() const { return header.empty() ? '\0' : header.front(); }
};

// The date a header line ("o20261201") names, as "2026-12-01"; the line as it stands when it
// names none.
std::string RecordHeaderDate(std::string_view header);

// Takes the next ten lines as body lines 0..9 by position, whatever they hold; a line past the
// end of the text reads as empty. Returns how many lines there were.
int ParseRecordBody(LineReader& lines, PinSettings& settings, UsageCounters& counters);

// Restore takes a record only when it is whole (all ten body lines, the last one ended by its
// line feed: a number cut off there would read as a smaller one) and its counters could be the
// printer's; its pin settings are checked when they are written.
bool IsUsableRecord(const UsageRecord& record);

// Calls `visit` for every record, in file order. Lines that neither begin a record nor belong
// to one are passed over.
void ForEachRecord(LineReader& lines, const std::function<void(UsageRecord&&)>& visit);
// The last usable record, whatever its kind or date.
std::optional<UsageRecord> FindLastUsableRecord(LineReader& lines);
// The same record from a text in memory, found without reading the records before it: where
// the records begin is found first, then they are read from the last one back. The header's
// line number is not counted.
std::optional<UsageRecord> FindLastUsableRecord(std::string_view text);

// What a restore writes, decided from the printer's groups and the best record of the file.
struct RestorePlan {
    bool needed = false;      // a group fails its range check
    bool fromRecord = false;  // false: the defaults
    std::optional<PinSettings> settings;   // written when present
    std::optional<UsageCounters> counters;
};

RestorePlan PlanRestore(const PinSettings& settings, const UsageCounters& counters,
                        const std::optional<UsageRecord>& best);
RestorePlan PlanRestore(const PinSettings& settings, const UsageCounters& counters, std::string_view fileText);

}  // namespace zt40
