#include "record/RecordFormat.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/ByteOrderMark.h"

namespace zt40 {

RecordDate LocalDate() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) return {};
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

namespace {

void AppendFormatted(std::string& out, const char* format, auto... values) {
    std::array<char, 96> line{};
    const int length = std::snprintf(line.data(), line.size(), format, values...);
    if (length > 0) out.append(line.data(), std::min(static_cast<std::size_t>(length), line.size() - 1));
}

unsigned long AsUnsigned32(std::int32_t value) { return static_cast<std::uint32_t>(value); }

}  // namespace

std::string RecordHeaderDate(std::string_view header) {
    const std::string_view digits = header.substr(std::min<std::size_t>(1, header.size()));
    const bool date = digits.size() >= 8 && std::all_of(digits.begin(), digits.begin() + 8, [](char c) {
        return c >= '0' && c <= '9';
    });
    if (!date) return std::string(header);
    return std::string(digits.substr(0, 4)) + '-' + std::string(digits.substr(4, 2)) + '-' +
           std::string(digits.substr(6, 2));
}

std::string FormatUsageRecord(bool finished, RecordDate date, const PinSettings& settings,
                              const UsageCounters& counters) {
    std::string out;
    out.reserve(256);
    AppendFormatted(out, finished ? "o%04d%02d%02d\n" : "x%04d%02d%02d\n", date.year, date.month, date.day);
    const auto head = static_cast<std::uint16_t>(counters.HeadCounters[0]);
    // The divisor is 1..65536, so the quotient neither traps nor overflows.
    const std::int32_t perHead = counters.TotalCounter / (static_cast<std::int32_t>(head) + 1);
    AppendFormatted(out, "0:%lu, %u, %lu\n", AsUnsigned32(counters.TotalCounter), static_cast<unsigned>(head),
                    AsUnsigned32(perHead));
    for (int line = 1; line < kRecordBodyLines; ++line) {
        const auto pin = static_cast<std::size_t>(line - 1);
        int first = 0;
        if (line == 7) first = settings.WordPair[0];
        if (line == 8) first = settings.WordPair[1];
        if (line == 9) first = static_cast<std::int16_t>(settings.SelectedPin & 0xFFFF);
        AppendFormatted(out, "%d:%d, %d, %lu\n", line, first, static_cast<int>(settings.PinAdjustments[pin]),
                        AsUnsigned32(counters.PinCounter[pin]));
    }
    return out;
}

namespace {

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }
bool IsFieldChar(char c) { return c == '-' || IsDigit(c); }

}  // namespace

std::array<std::int32_t, kRecordFieldCount> ExtractRecordFields(std::string_view line) {
    std::array<std::int32_t, kRecordFieldCount> fields{};
    if (line.empty()) {
        fields.fill(-1);
        return fields;
    }
    const char* p = line.data();
    const char* const end = p + line.size();
    // Unsigned, so that a number past the 32-bit range wraps as the file's readers expect.
    std::uint32_t value = 0;
    while (p != end && IsDigit(*p)) value = value * 10u + static_cast<std::uint32_t>(*p++ - '0');
    fields[0] = static_cast<std::int32_t>(value);
    while (p != end && !IsFieldChar(*p)) ++p;
    for (std::size_t index = 1; index < fields.size() && p != end; ++index) {
        const bool negative = *p == '-';
        if (negative) ++p;
        value = 0;
        while (p != end && IsDigit(*p)) value = value * 10u + static_cast<std::uint32_t>(*p++ - '0');
        fields[index] = static_cast<std::int32_t>(negative ? 0u - value : value);
        // The rest of this run of digits and '-', then what separates it from the next.
        while (p != end && IsFieldChar(*p)) ++p;
        while (p != end && !IsFieldChar(*p)) ++p;
    }
    return fields;
}

std::int32_t ExtractRecordField(std::string_view line, int index) {
    if (line.empty()) return -1;
    if (index < 0 || index >= kRecordFieldCount) return 0;
    return ExtractRecordFields(line)[static_cast<std::size_t>(index)];
}

std::int64_t MemorySource::Read(std::span<char> into) {
    const std::size_t count = std::min(into.size(), m_rest.size());
    std::memcpy(into.data(), m_rest.data(), count);
    m_rest.remove_prefix(count);
    return static_cast<std::int64_t>(count);
}

LineReader::LineReader(IByteSource& source, std::size_t chunk)
    : m_source(&source), m_buffer(std::max<std::size_t>(chunk, 1)), m_data(m_buffer.data()) {}

LineReader::LineReader(std::string_view text) : m_data(text.data()), m_end(text.size()), m_atEnd(true) {}

bool LineReader::Fill() {
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    // A line longer than the buffer: make room for the rest of it.
    if (m_end == m_buffer.size()) m_buffer.resize(m_buffer.size() * 2);
    m_data = m_buffer.data();
    const std::int64_t count = m_source->Read(std::span(m_buffer).subspan(m_end));
    if (count <= 0) {
        m_atEnd = true;
        m_failed = count < 0;
        return false;
    }
    m_end += static_cast<std::size_t>(count);
    return true;
}

bool LineReader::Next(std::string_view& line) {
    if (!NextLine(line)) return false;
    if (m_first) line = WithoutByteOrderMark(line);
    m_first = false;
    return true;
}

bool LineReader::NextLine(std::string_view& line) {
    for (;;) {
        const char* start = m_data + m_begin;
        const std::size_t available = m_end - m_begin;
        if (const void* found = available ? std::memchr(start, '\n', available) : nullptr) {
            std::size_t length = static_cast<std::size_t>(static_cast<const char*>(found) - start);
            m_begin += length + 1;
            if (length > 0 && start[length - 1] == '\r') --length;
            line = std::string_view(start, length);
            m_lastEnded = true;
            return true;
        }
        if (m_atEnd) {
            if (available == 0) return false;
            m_begin = m_end;
            line = std::string_view(start, available);
            m_lastEnded = false;
            return true;
        }
        Fill();
    }
}

namespace {

void ApplyBodyLine(int index, const std::array<std::int32_t, kRecordFieldCount>& fields, PinSettings& settings,
                   UsageCounters& counters) {
    if (index == 0) {
        counters.TotalCounter = fields[1];
        counters.HeadCounters[0] = static_cast<std::int16_t>(fields[2]);
        return;
    }
    const auto pin = static_cast<std::size_t>(index - 1);
    if (index == 7) settings.WordPair[0] = static_cast<std::int16_t>(fields[1]);
    if (index == 8) settings.WordPair[1] = static_cast<std::int16_t>(fields[1]);
    if (index == 9) settings.SelectedPin = fields[1] & 0xFFFF;
    settings.PinAdjustments[pin] = static_cast<std::int16_t>(fields[2]);
    counters.PinCounter[pin] = fields[3];
}

}  // namespace

int ParseRecordBody(LineReader& lines, PinSettings& settings, UsageCounters& counters) {
    int present = 0;
    for (int index = 0; index < kRecordBodyLines; ++index) {
        std::string_view line;
        if (lines.Next(line)) {
            ++present;
        } else {
            line = {};
        }
        ApplyBodyLine(index, ExtractRecordFields(line), settings, counters);
    }
    return present;
}

namespace {

void ReadRecordBody(LineReader& lines, UsageRecord& record) {
    record.bodyLines = ParseRecordBody(lines, record.settings, record.counters);
    record.lastLineEnded = record.bodyLines == kRecordBodyLines && lines.LastLineEnded();
}

}  // namespace

bool IsUsableRecord(const UsageRecord& record) {
    return record.bodyLines == kRecordBodyLines && record.lastLineEnded && IsValidUsageCounters(record.counters);
}

void ForEachRecord(LineReader& lines, const std::function<void(UsageRecord&&)>& visit) {
    std::string_view line;
    std::size_t number = 0;
    while (lines.Next(line)) {
        ++number;
        if (line.empty() || (line.front() != kFinishedKind && line.front() != kCancelledKind)) continue;
        UsageRecord record;
        record.header = std::string(line);
        record.line = number;
        ReadRecordBody(lines, record);
        number += static_cast<std::size_t>(record.bodyLines);
        visit(std::move(record));
    }
}

std::optional<UsageRecord> FindLastUsableRecord(LineReader& lines) {
    std::optional<UsageRecord> best;
    ForEachRecord(lines, [&](UsageRecord&& record) {
        if (IsUsableRecord(record)) best = std::move(record);
    });
    return best;
}

namespace {

// Just past the `count`-th line feed from `at`, or the end of the text. Eight bytes at a time:
// a restore scan of a large file spends its time here.
std::size_t SkipLines(std::string_view text, std::size_t at, int count) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kLineFeeds = 0x0A0A0A0A0A0A0A0AULL;
        constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
        while (size - at >= sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, data + at, sizeof word);
            word ^= kLineFeeds;
            // The high bit of each byte that was a line feed, and of no other.
            // Lines are short: a word holds a line feed or two at most, so they are taken one by one.
            for (std::uint64_t found = ~(((word & kLow7) + kLow7) | word | kLow7); found != 0; found &= found - 1) {
                if (--count == 0) return at + static_cast<std::size_t>(std::countr_zero(found) / 8) + 1;
            }
            at += sizeof word;
        }
    }
    for (; at < size; ++at) {
        if (data[at] == '\n' && --count == 0) return at + 1;
    }
    return size;
}

}  // namespace

std::optional<UsageRecord> FindLastUsableRecord(std::string_view text) {
    text = WithoutByteOrderMark(text);
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < size;) {
        const bool header = data[at] == kFinishedKind || data[at] == kCancelledKind;
        if (header) starts.push_back(at);
        // A record's body lines are never headers, whatever they begin with.
        at = SkipLines(text, at, header ? kRecordBodyLines + 1 : 1);
    }
    for (auto start = starts.rbegin(); start != starts.rend(); ++start) {
        LineReader lines(text.substr(*start));
        std::string_view header;
        lines.Next(header);
        UsageRecord record;
        record.header = std::string(header);
        ReadRecordBody(lines, record);
        if (IsUsableRecord(record)) return record;
    }
    return std::nullopt;
}

RestorePlan PlanRestore(const PinSettings& settings, const UsageCounters& counters,
                        const std::optional<UsageRecord>& best) {
    RestorePlan plan;
    const bool settingsOk = IsValidPinSettings(settings);
    const bool countersOk = IsValidUsageCounters(counters);
    if (settingsOk && countersOk) return plan;
    plan.needed = true;
    plan.fromRecord = best.has_value();
    if (!settingsOk) {
        PinSettings restored = settings;
        if (best) {
            restored.WordPair = best->settings.WordPair;
            restored.SelectedPin = best->settings.SelectedPin;
            restored.PinAdjustments = best->settings.PinAdjustments;
        } else {
            restored.WordPair = {0, 0};
            restored.SelectedPin = 1;
            restored.PinAdjustments.fill(0);
        }
        plan.settings = restored;
    }
    if (!countersOk) {
        UsageCounters restored = counters;  // the second head counter is kept as the printer has it
        if (best) {
            restored.TotalCounter = best->counters.TotalCounter;
            restored.PinCounter = best->counters.PinCounter;
            restored.HeadCounters[0] = best->counters.HeadCounters[0];
        } else {
            restored.TotalCounter = 0;
            restored.PinCounter.fill(0);
            restored.HeadCounters[0] = 0;
        }
        plan.counters = restored;
    }
    return plan;
}

RestorePlan PlanRestore(const PinSettings& settings, const UsageCounters& counters, std::string_view fileText) {
    return PlanRestore(settings, counters, FindLastUsableRecord(fileText));
}

}  // namespace zt40
