#include <gtest/gtest.h>

#include <limits>

#include "record/RecordFormat.h"

namespace zt40 {
namespace {

struct FieldCase {
    const char* line;
    std::array<std::int32_t, 4> fields;
};

TEST(ExtractRecordField, FieldsOfWrittenAndEditedLines) {
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    const FieldCase cases[] = {
        {"7:-12, 5, 168000", {7, -12, 5, 168000}},
        {"", {-1, -1, -1, -1}},
        {"0:2147483648, 3, 0", {0, kMin, 3, 0}},
        {"0:4294967295, 0, 4294967295", {0, -1, 0, -1}},
        {"0:4294967296, 0, 0", {0, 0, 0, 0}},
        {"12345678901:1", {-539222987, 1, 0, 0}},
        {"3:0, 0, -5", {3, 0, 0, -5}},
        {"o20070315", {0, 20070315, 0, 0}},  // a header read as a body line
        {"7:", {7, 0, 0, 0}},
        {"-5, 6", {0, -5, 6, 0}},
        {"7:--5, 3", {7, 0, 3, 0}},           // one '-' is the sign, the second ends the number
        {"5:5-3, 7, 9", {5, 5, 7, 9}},         // a run of digits and '-' is one field
        {"1:0,0,5", {1, 0, 0, 5}},
        {"9:-1, 0, 0\r", {9, -1, 0, 0}},
        {"abc", {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        for (int index = 0; index < 4; ++index) {
            EXPECT_EQ(ExtractRecordField(c.line, index), c.fields[static_cast<std::size_t>(index)])
                << '"' << c.line << "\" index " << index;
        }
    }
    EXPECT_EQ(ExtractRecordField("7:-12, 5, 168000", 4), 0);
    EXPECT_EQ(ExtractRecordField("7:-12, 5, 168000", -1), 0);
    EXPECT_EQ(ExtractRecordField("", 4), -1);
}

PinSettings Settings(std::int16_t w0, std::int16_t w1, std::int32_t pin, std::int16_t firstAdjustment) {
    PinSettings settings;
    settings.WordPair = {w0, w1};
    settings.SelectedPin = pin;
    for (std::size_t i = 0; i < settings.PinAdjustments.size(); ++i) {
        settings.PinAdjustments[i] = static_cast<std::int16_t>(firstAdjustment + static_cast<int>(i));
    }
    return settings;
}

UsageCounters Counters(std::int32_t total, std::int16_t head, std::int32_t firstPin) {
    UsageCounters counters;
    counters.TotalCounter = total;
    counters.HeadCounters = {head, 0};
    for (std::size_t i = 0; i < counters.PinCounter.size(); ++i) {
        counters.PinCounter[i] = firstPin + static_cast<std::int32_t>(i) * 1000;
    }
    return counters;
}

TEST(FormatUsageRecord, LinesAsOtherCopiesOfTheProgramWriteThem) {
    const auto text = FormatUsageRecord(true, {2007, 3, 15}, Settings(-12, 7, 3, -4), Counters(168000, 2, 500));
    EXPECT_EQ(text,
              "o20070315\n"
              "0:168000, 2, 56000\n"
              "1:0, -4, 500\n2:0, -3, 1500\n3:0, -2, 2500\n4:0, -1, 3500\n5:0, 0, 4500\n6:0, 1, 5500\n"
              "7:-12, 2, 6500\n8:7, 3, 7500\n9:3, 4, 8500\n");
}

TEST(FormatUsageRecord, OutOfRangeValuesAreWrittenInTheirUnsignedOrSixteenBitForm) {
    const auto text = FormatUsageRecord(false, {2026, 12, 1}, Settings(0, 0, 0x10003, 0), Counters(-7, -1, -5));
    // -7 / (65535 + 1) is 0; the head counter prints unsigned; the pin keeps its low 16 bits.
    EXPECT_EQ(text.substr(0, text.find("2:")), "x20261201\n0:4294967289, 65535, 0\n1:0, 0, 4294967291\n");
    EXPECT_NE(text.find("\n9:3, 8, 7995\n"), std::string::npos);
    const auto minimum = FormatUsageRecord(true, {1, 1, 1}, Settings(0, 0, -1, 0),
                                           Counters(std::numeric_limits<std::int32_t>::min(), 0, 0));
    EXPECT_NE(minimum.find("o00010101\n0:2147483648, 0, 2147483648\n"), std::string::npos);
    EXPECT_NE(minimum.find("\n9:-1, 8, 8000\n"), std::string::npos);
}

std::optional<UsageRecord> LastUsable(std::string_view text, std::size_t chunk = LineReader::kDefaultChunk) {
    MemorySource source(text);
    LineReader lines(source, chunk);
    return FindLastUsableRecord(lines);
}

TEST(ParseRecordBody, WrittenRecordsReadBackToTheSameGroups) {
    const std::pair<PinSettings, UsageCounters> groups[] = {
        {Settings(-199, 199, 9, -80), Counters(0, 0, 0)},
        {Settings(0, 0, 1, 72), Counters(std::numeric_limits<std::int32_t>::max(), 32767, 2000000000)},
        {Settings(-32768, 32767, 32767, -32768), Counters(123, 1, 7)},
    };
    for (const auto& [settings, counters] : groups) {
        const auto record = LastUsable(FormatUsageRecord(false, {2026, 12, 8}, settings, counters));
        ASSERT_TRUE(record);
        EXPECT_EQ(record->settings, settings);
        EXPECT_EQ(record->counters, counters);
        EXPECT_EQ(record->Kind(), 'x');
        EXPECT_EQ(record->bodyLines, 10);
    }
}

const std::string kFirst = FormatUsageRecord(true, {2026, 1, 2}, Settings(1, 2, 4, 0), Counters(100, 1, 10));
const std::string kSecond = FormatUsageRecord(false, {2001, 1, 1}, Settings(3, 4, 5, 1), Counters(200, 2, 20));

std::string Replace(std::string text, std::string_view from, std::string_view to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

std::string CrLf(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::string WithoutLast(const std::string& text, std::size_t count) { return text.substr(0, text.size() - count); }

struct ScanCase {
    const char* name;
    std::string text;
    std::optional<std::int32_t> total;  // of the record restore takes; nothing for none
};

void PrintTo(const ScanCase& c, std::ostream* out) { *out << c.name; }

class RestoreScanTest : public testing::TestWithParam<ScanCase> {};

TEST_P(RestoreScanTest, TakesTheLastUsableRecord) {
    const auto& c = GetParam();
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{17}, LineReader::kDefaultChunk}) {
        const auto record = LastUsable(c.text, chunk);
        ASSERT_EQ(record.has_value(), c.total.has_value()) << "chunk " << chunk;
        if (record) {
            EXPECT_EQ(record->counters.TotalCounter, *c.total) << "chunk " << chunk;
        }
    }
    // Found from the last record back, the same record.
    const auto fromEnd = FindLastUsableRecord(std::string_view(c.text));
    const auto forward = LastUsable(c.text);
    ASSERT_EQ(fromEnd.has_value(), forward.has_value());
    if (fromEnd) {
        EXPECT_EQ(fromEnd->header, forward->header);
        EXPECT_EQ(fromEnd->settings, forward->settings);
        EXPECT_EQ(fromEnd->counters, forward->counters);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RestoreScanTest,
    testing::Values(
        ScanCase{"Empty", "", std::nullopt},
        ScanCase{"LaterCancelledOneWinsOverEarlierFinishedWithALaterDate", kFirst + kSecond, 200},
        ScanCase{"NegativePinCounterSkipped", kFirst + Replace(kSecond, "3:0, 3, 2020", "3:0, 3, -5"), 100},
        ScanCase{"TotalOf2147483648Skipped", kFirst + Replace(kSecond, "0:200,", "0:2147483648,"), 100},
        ScanCase{"HeadCounterOf32768Skipped", kFirst + Replace(kSecond, "0:200, 2,", "0:200, 32768,"), 100},
        ScanCase{"HeadCounterOf65536WrapsToZeroAndIsUsable", kFirst + Replace(kSecond, "0:200, 2,", "0:200, 65536,"),
                 200},
        ScanCase{"CutShortAtTheEnd", kFirst + kSecond.substr(0, kSecond.find("9:")), 100},
        // Whole records only: a file that ends inside a record's last line may have lost digits.
        ScanCase{"LastLineWithoutLineFeed", kFirst + WithoutLast(kSecond, 1), 100},
        ScanCase{"LastLineCutInsideItsNumber", kFirst + WithoutLast(kSecond, 3), 100},
        ScanCase{"CrLfLastLineWithoutItsEnd", WithoutLast(CrLf(kFirst + kSecond), 2), 100},
        ScanCase{"OnlyRecordWithoutItsLastLineFeed", WithoutLast(kFirst, 1), std::nullopt},
        ScanCase{"UnendedNoteAfterAWholeRecordLeavesItWhole", kFirst + kSecond + "notes", 200},
        // A byte-order mark before the first record, as some editors write one.
        ScanCase{"ByteOrderMarkBeforeTheOnlyRecord", "\xEF\xBB\xBF" + kFirst, 100},
        ScanCase{"ByteOrderMarkBeforeTheFirstOfTwo", "\xEF\xBB\xBF" + kFirst + Replace(kSecond, "0:200,", "0:-1,"), 100},
        ScanCase{"ByteOrderMarkInTheMiddleIsNoHeader", kFirst + "\xEF\xBB\xBF" + kSecond, 100},
        // The first record's body takes the second's header and its first eight body lines; the
        // second's last two body lines begin with digits and are passed over.
        ScanCase{"CutShortInTheMiddle", kFirst.substr(0, kFirst.find("2:")) + kSecond, 100},
        ScanCase{"CrLfLineEnds", Replace(Replace(kFirst + kSecond, "\n", "\r\n"), "0:200", "0:300"), 300},
        ScanCase{"OtherLinesPassedOver", "notes\n\n12:3\n" + kFirst + "trailing words\n", 100},
        ScanCase{"EditedQuotientChangesNothing", Replace(kSecond, "0:200, 2, 66", "0:200, 2, -9"), 200}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(RestoreScan, RecordCutShortInTheMiddleReadsTheNextHeaderAsABodyLine) {
    const auto record = LastUsable(kFirst.substr(0, kFirst.find("2:")) + kSecond);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Kind(), 'o');
    EXPECT_EQ(record->settings.PinAdjustments[1], 0);  // "x20010101" as body line 2
    EXPECT_EQ(record->counters.PinCounter[1], 0);
    // The second's body line 0, "0:200, 2, 66", as line 3.
    EXPECT_EQ(record->settings.PinAdjustments[2], 2);
    EXPECT_EQ(record->counters.PinCounter[2], 66);
}

TEST(RestoreScan, SwappedBodyLinesSwapTheirValues) {
    const auto swapped = Replace(Replace(kFirst, "3:0, 2, 2010", "#"), "4:0, 3, 3010", "3:0, 2, 2010");
    const auto record = LastUsable(Replace(swapped, "#", "4:0, 3, 3010"));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->counters.PinCounter[2], 3010);
    EXPECT_EQ(record->counters.PinCounter[3], 2010);
    EXPECT_EQ(record->settings.PinAdjustments[2], 3);
}

TEST(RestoreScan, NegativeSelectedPinBecomesAnUnsignedSixteenBitValue) {
    const auto record = LastUsable(Replace(kFirst, "9:4,", "9:-3,"));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->settings.SelectedPin, 65533);
    EXPECT_FALSE(IsValidPinSettings(record->settings));
}

TEST(RestoreScan, LongLinesAcrossManyChunksAreReadWhole) {
    const std::string longNote = "n" + std::string(5000, '-') + "\n";
    const auto record = LastUsable(longNote + Replace(kFirst, "0:100,", "0:" + std::string(3000, '0') + "100,"), 64);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->counters.TotalCounter, 100);
}

PinSettings BadSettings() { return Settings(250, 0, 3, 0); }
UsageCounters BadCounters() { return Counters(-1, 0, 0); }

TEST(PlanRestore, WritesOnlyTheFailingGroupsFromTheRecordOrTheDefaults) {
    const PinSettings goodSettings = Settings(5, 6, 2, 0);
    UsageCounters goodCounters = Counters(50, 0, 1);
    goodCounters.HeadCounters[1] = 77;
    UsageCounters badCounters = BadCounters();
    badCounters.HeadCounters[1] = 77;

    EXPECT_FALSE(PlanRestore(goodSettings, goodCounters, kFirst).needed);

    const auto settingsOnly = PlanRestore(BadSettings(), goodCounters, kFirst);
    EXPECT_TRUE(settingsOnly.needed && settingsOnly.fromRecord);
    EXPECT_EQ(settingsOnly.settings, Settings(1, 2, 4, 0));
    EXPECT_FALSE(settingsOnly.counters);

    const auto countersOnly = PlanRestore(goodSettings, badCounters, kFirst);
    EXPECT_FALSE(countersOnly.settings);
    UsageCounters fromRecord = Counters(100, 1, 10);
    fromRecord.HeadCounters[1] = 77;  // the printer's, not the record's
    EXPECT_EQ(countersOnly.counters, fromRecord);

    const auto defaults = PlanRestore(BadSettings(), badCounters, std::string_view("x2026\n0:-1, 0, 0\n"));
    EXPECT_TRUE(defaults.needed);
    EXPECT_FALSE(defaults.fromRecord);
    PinSettings defaultSettings;
    defaultSettings.WordPair = {0, 0};
    defaultSettings.SelectedPin = 1;
    EXPECT_EQ(defaults.settings, defaultSettings);
    UsageCounters defaultCounters;
    defaultCounters.HeadCounters[1] = 77;
    EXPECT_EQ(defaults.counters, defaultCounters);
}

}  // namespace
}  // namespace zt40
