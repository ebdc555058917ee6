#include "record/CounterSamples.h"

#include <charconv>
#include <chrono>
#include <cstdio>

namespace zt40 {

namespace {

constexpr std::size_t kSampleFields = 14;

bool NeedsQuotes(std::string_view text) { return text.find_first_of(",\"") != std::string_view::npos; }

// The file is read line by line, so a line break inside a name cannot be kept: control
// characters become '?', as a serial number printed on a terminal would show them.
std::string PrintableName(std::string_view text) {
    std::string name;
    for (const char c : text) name += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return name;
}

std::string CsvField(const std::string& field) {
    if (!NeedsQuotes(field)) return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// Splits one line into its fields; false on a quote that is not closed or is followed by more.
bool SplitCsv(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    std::size_t at = 0;
    for (;;) {
        std::string field;
        if (at < line.size() && line[at] == '"') {
            ++at;
            for (;;) {
                if (at >= line.size()) return false;
                if (line[at] == '"') {
                    if (at + 1 < line.size() && line[at + 1] == '"') {
                        field += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                field += line[at++];
            }
            if (at < line.size() && line[at] != ',') return false;
        } else {
            const std::size_t comma = line.find(',', at);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            field.assign(line.substr(at, end - at));
            at = end;
        }
        fields.push_back(std::move(field));
        if (at >= line.size()) return true;
        ++at;  // the comma
    }
}

template <typename Int>
bool ParseInteger(std::string_view text, Int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && !text.empty();
}

std::chrono::year_month_day AsCalendar(RecordDate date) {
    return {std::chrono::year(date.year), std::chrono::month(static_cast<unsigned>(date.month)),
            std::chrono::day(static_cast<unsigned>(date.day))};
}

}  // namespace

std::int64_t DayNumber(RecordDate date) {
    return std::chrono::sys_days(AsCalendar(date)).time_since_epoch().count();
}

RecordDate DateOfDay(std::int64_t day) {
    const std::chrono::year_month_day date{std::chrono::sys_days(std::chrono::days(day))};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

std::string IsoDate(RecordDate date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::optional<RecordDate> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    RecordDate date;
    if (!ParseInteger(text.substr(0, 4), date.year) || !ParseInteger(text.substr(5, 2), date.month) ||
        !ParseInteger(text.substr(8, 2), date.day)) {
        return std::nullopt;
    }
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31 || !AsCalendar(date).ok()) {
        return std::nullopt;
    }
    return date;
}

std::string FormatSampleLine(const CounterSample& sample) {
    std::string line = IsoDate(sample.date) + ',' + CsvField(PrintableName(sample.printer)) + ',' +
                       std::to_string(sample.counters.TotalCounter);
    for (const std::int32_t count : sample.counters.PinCounter) line += ',' + std::to_string(count);
    for (const std::int16_t count : sample.counters.HeadCounters) line += ',' + std::to_string(count);
    return line + '\n';
}

std::optional<CounterSample> ParseSampleLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string> fields;
    if (!SplitCsv(line, fields) || fields.size() != kSampleFields) return std::nullopt;
    CounterSample sample;
    const auto date = ParseIsoDate(fields[0]);
    if (!date || fields[1].empty()) return std::nullopt;
    sample.date = *date;
    sample.printer = fields[1];
    auto& counters = sample.counters;
    if (!ParseInteger(fields[2], counters.TotalCounter)) return std::nullopt;
    for (std::size_t pin = 0; pin < counters.PinCounter.size(); ++pin) {
        if (!ParseInteger(fields[3 + pin], counters.PinCounter[pin])) return std::nullopt;
    }
    for (std::size_t head = 0; head < counters.HeadCounters.size(); ++head) {
        if (!ParseInteger(fields[12 + head], counters.HeadCounters[head])) return std::nullopt;
    }
    return sample;
}

namespace {

void CollectSamples(LineReader& lines, SamplesRead& read) {
    std::string_view line;
    while (lines.Next(line)) {
        if (line.empty() || line == "\r" || line == kSamplesHeader ||
            (line.size() == kSamplesHeader.size() + 1 && line.starts_with(kSamplesHeader) && line.back() == '\r')) {
            continue;
        }
        if (auto sample = ParseSampleLine(line)) {
            read.samples.push_back(std::move(*sample));
        } else {
            ++read.skippedLines;
        }
    }
}

std::optional<std::string> SamplesPath(const UsageRecordPlatform& platform) {
    DataFolder dataFolder(platform.folders);
    std::string folderPath;
    return DataFolderFilePath(dataFolder, platform.folders, folderPath, kSamplesFileName);
}

SamplesRead ReadSamplesAt(IRecordFiles& files, const std::string& path) {
    SamplesRead result;
    result.path = path;
    const auto read = ReadFileLines(files, path, false, [&result](LineReader& lines) { CollectSamples(lines, result); });
    result.missing = !read.opened && read.error == FileError::NotFound;
    if (!result.missing) result.failure = read.failure;
    return result;
}

}  // namespace

SamplesRead ParseSamples(std::string_view text) {
    SamplesRead result;
    LineReader lines(text);
    CollectSamples(lines, result);
    return result;
}

SamplesRead ReadSamples(const UsageRecordPlatform& platform) {
    const auto path = SamplesPath(platform);
    if (!path) {
        SamplesRead none;
        none.failure = FileErrorMessage(FileError::BadPath, std::string(kSamplesFileName));
        return none;
    }
    return ReadSamplesAt(platform.files, *path);
}

SampleAppendResult AppendSample(const UsageRecordPlatform& platform, const CounterSample& sample) {
    SampleAppendResult result;
    const auto path = SamplesPath(platform);
    if (!path) {
        result.failure = FileErrorMessage(FileError::BadPath, std::string(kSamplesFileName));
        return result;
    }
    result.path = *path;
    CounterSample added = sample;
    added.printer = PrintableName(sample.printer);
    // The day's line is looked for under the hold that appends it: two readings at once must not
    // both find it missing. An unreadable file is not appended to: the line might be there already.
    bool adding = false;
    result.failure = AppendToLineFile(platform.files, *path, WholePart::Lines, true, [&](const HeldLineFile& held) {
        result.samples = ParseSamples(held.wholeText).samples;
        for (const auto& earlier : result.samples) {
            if (earlier.printer != added.printer) continue;
            if (earlier.date == added.date) {
                result.outcome = SampleAppend::AlreadyToday;
                result.previous = earlier;
                return std::string();
            }
            // A line dated after this one is not before it, whatever the clock that wrote it said.
            if (added.date < earlier.date) continue;
            if (!result.previous || !(earlier.date < result.previous->date)) result.previous = earlier;
        }
        adding = true;
        const std::string line = FormatSampleLine(added);
        return held.wholeLength == 0 ? std::string(kSamplesHeader) + '\n' + line : line;
    });
    if (result.failure) {
        result.outcome = SampleAppend::Failed;
        // A file this reading could not add to (another user's, a full disk) may still be read whole.
        if (SamplesRead read = ReadSamplesAt(platform.files, *path); !read.failure) result.samples = std::move(read.samples);
    } else if (adding) {
        result.outcome = SampleAppend::Added;
        result.samples.push_back(std::move(added));
    }
    return result;
}

SampleAppendResult AppendTodaysSample(const UsageRecordPlatform& platform, const std::string& printer,
                                      const UsageCounters& counters) {
    if (printer.empty()) return {};
    return AppendSample(platform, {LocalDate(), printer, counters});
}

}  // namespace zt40
