// libFuzzer target for the usage record file as restore and the history read it: arbitrary
// bytes, read in pieces of a size the first byte picks, must give the same records as read
// whole, and restore's search from the last record back must find the record the forward
// scan finds; the fields of every line must agree with the one-field reader; the record restore
// takes must be usable.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "record/RecordFormat.h"

namespace {

using namespace zt40;

std::vector<UsageRecord> ReadRecords(std::string_view text, std::size_t chunk) {
    MemorySource source(text);
    LineReader lines(source, chunk);
    std::vector<UsageRecord> records;
    ForEachRecord(lines, [&](UsageRecord&& record) { records.push_back(std::move(record)); });
    return records;
}

bool Same(const UsageRecord& a, const UsageRecord& b) {
    return a.header == b.header && a.settings == b.settings && a.counters == b.counters &&
           a.bodyLines == b.bodyLines && a.lastLineEnded == b.lastLineEnded && a.line == b.line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t chunk = 1 + data[0] % 64;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const auto whole = ReadRecords(text, LineReader::kDefaultChunk);
    const auto pieces = ReadRecords(text, chunk);
    if (whole.size() != pieces.size()) __builtin_trap();
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (!Same(whole[i], pieces[i])) __builtin_trap();
    }

    MemorySource source(text);
    LineReader lines(source, chunk);
    std::string_view line;
    while (lines.Next(line)) {
        const auto fields = ExtractRecordFields(line);
        for (int index = -1; index <= 4; ++index) {
            const std::int32_t one = ExtractRecordField(line, index);
            const std::int32_t expected =
                line.empty() ? -1 : (index < 0 || index > 3 ? 0 : fields[static_cast<std::size_t>(index)]);
            if (one != expected) __builtin_trap();
        }
    }

    MemorySource again(text);
    LineReader restoreLines(again, chunk);
    const auto best = FindLastUsableRecord(restoreLines);
    if (best && !IsUsableRecord(*best)) __builtin_trap();
    const auto fromEnd = FindLastUsableRecord(text);
    if (best.has_value() != fromEnd.has_value()) __builtin_trap();
    if (best && (best->header != fromEnd->header || best->settings != fromEnd->settings ||
                 best->counters != fromEnd->counters || best->bodyLines != fromEnd->bodyLines)) {
        __builtin_trap();
    }
    const auto plan = PlanRestore(PinSettings{}, UsageCounters{-1, {}, {}}, best);
    if (!plan.needed || !plan.settings || !plan.counters) __builtin_trap();
    return 0;
}
