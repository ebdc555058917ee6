#pragma once
// The printer's counters as read, one line a printer a day, kept beside the usage record: the
// record gets a line only per wizard, too sparse to tell how fast a pin wears.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "types/PinData.h"
#include "platform/Text.h"
#include "record/RecordFormat.h"
#include "record/UsageRecordFile.h"

namespace zt40 {

inline constexpr std::string_view kSamplesFileName = "zt40util-samples.csv";
inline constexpr std::string_view kSamplesHeader =
    "date,printer,total,pin1,pin2,pin3,pin4,pin5,pin6,pin7,pin8,pin9,head1,head2";

struct CounterSample {
    RecordDate date;
    std::string printer;  // the USB serial number, or "port:" and the USB port path
    UsageCounters counters;
};

// Days since 1970-01-01; the date must be a real one.
std::int64_t DayNumber(RecordDate date);
// The date `day` days after 1970-01-01.
RecordDate DateOfDay(std::int64_t day);
// "2026-12-08".
std::string IsoDate(RecordDate date);
// A real calendar date from "YYYY-MM-DD", nothing otherwise.
std::optional<RecordDate> ParseIsoDate(std::string_view text);

// One CSV line with its line feed; the printer is quoted when it holds a comma, a quote or a
// line break.
std::string FormatSampleLine(const CounterSample& sample);
// Nothing for the header, a blank line or a line that is not a sample.
std::optional<CounterSample> ParseSampleLine(std::string_view line);

struct SamplesRead {
    std::string path;  // empty when no data folder could be found
    std::vector<CounterSample> samples;  // in file order
    std::size_t skippedLines = 0;  // lines that are neither the header, blank, nor a sample
    bool missing = false;  // no file yet
    std::optional<Message> failure;  // could not be read (to its end); the samples before it count
};

SamplesRead ParseSamples(std::string_view text);
SamplesRead ReadSamples(const UsageRecordPlatform& platform);

enum class SampleAppend { Added, AlreadyToday, Failed };

struct SampleAppendResult {
    SampleAppend outcome = SampleAppend::Failed;
    std::string path;
    std::optional<Message> failure;
    // The printer's previous sample, from before this one (band crossings are told against it).
    std::optional<CounterSample> previous;
    // Every sample of the file, this one included when it was added; when it could not be added,
    // those a plain read finds (none when the file cannot be read to its end).
    std::vector<CounterSample> samples;
};

// Adds `sample` unless the file already holds one of its printer for its date, looked for under
// the same exclusive hold as the append. The header goes in with the first line; a line is written
// whole or not at all, after the file's last line feed (a line an earlier append left without one
// is cut off). Control characters in the printer's name are written as '?'.
SampleAppendResult AppendSample(const UsageRecordPlatform& platform, const CounterSample& sample);
// Today's sample (the local date) of a printer whose groups were just read; nothing is written
// for a printer without a name.
SampleAppendResult AppendTodaysSample(const UsageRecordPlatform& platform, const std::string& printer,
                                      const UsageCounters& counters);

}  // namespace zt40
