// The samples file: one line a printer a day, whole or not at all, and what a reader skips.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "record/CounterSamples.h"
#include "support/FakeDataFolderPlatform.h"
#include "support/FaultyAppendFiles.h"
#include "support/FileText.h"
#include "wiring/RecordWiring.h"

namespace zt40 {
namespace {

CounterSample Sample(RecordDate date, std::string printer, std::int32_t pin1 = 1'000) {
    CounterSample sample;
    sample.date = date;
    sample.printer = std::move(printer);
    sample.counters.TotalCounter = 123'456;
    sample.counters.PinCounter = {pin1, 2, 3, 4, 5, 6, 7, 8, 9};
    sample.counters.HeadCounters = {3, -1};
    return sample;
}

class SamplesFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("zt40-samples-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_folders.separator = '/';
        m_folders.override = m_dir.string();
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    UsageRecordPlatform Platform(IRecordFiles& files) { return {m_folders, files, "zt40util"}; }
    std::filesystem::path Path() const { return m_dir / "zt40util-samples.csv"; }

    std::filesystem::path m_dir;
    test::FakeDataFolderPlatform m_folders;
    SystemRecordFiles m_files;
};

TEST_F(SamplesFile, OneLinePerPrinterPerDateUnderOneHeader) {
    const auto platform = Platform(m_files);
    const RecordDate monday{2026, 12, 7}, tuesday{2026, 12, 8};
    EXPECT_EQ(AppendSample(platform, Sample(monday, "ZT4000123")).outcome, SampleAppend::Added);
    EXPECT_EQ(AppendSample(platform, Sample(monday, "ZT4000123", 5'000)).outcome, SampleAppend::AlreadyToday);
    EXPECT_EQ(AppendSample(platform, Sample(monday, "port:1-1.4")).outcome, SampleAppend::Added);
    const auto later = AppendSample(platform, Sample(tuesday, "ZT4000123", 2'000));
    EXPECT_EQ(later.outcome, SampleAppend::Added);
    ASSERT_TRUE(later.previous);
    EXPECT_EQ(later.previous->date, monday);
    EXPECT_EQ(later.previous->counters.PinCounter[0], 1'000);  // the day's first read, not the refused one

    EXPECT_EQ(testing::FileText(Path()),
              "date,printer,total,pin1,pin2,pin3,pin4,pin5,pin6,pin7,pin8,pin9,head1,head2\n"
              "2026-12-07,ZT4000123,123456,1000,2,3,4,5,6,7,8,9,3,-1\n"
              "2026-12-07,port:1-1.4,123456,1000,2,3,4,5,6,7,8,9,3,-1\n"
              "2026-12-08,ZT4000123,123456,2000,2,3,4,5,6,7,8,9,3,-1\n");
#if !defined(_WIN32)  // Windows gives the file the folder's access list instead
    struct stat info {};
    ASSERT_EQ(::stat(Path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666u);  // as the usage record: one file for every operator
#endif
}

TEST_F(SamplesFile, FailedAppendLeavesNothingBehind) {
    const RecordDate day{2026, 12, 8};
    for (const std::int64_t keep : {std::int64_t{-1}, std::int64_t{0}, std::int64_t{20}}) {
        FaultyAppendFiles faulty(keep);
        const auto failed = AppendSample(Platform(faulty), Sample(day, "ZT4000123"));
        EXPECT_EQ(failed.outcome, SampleAppend::Failed) << keep;
        EXPECT_TRUE(failed.failure) << keep;
        EXPECT_EQ(testing::FileText(Path()), "") << keep;
    }
    // The next append finds an empty file and so still writes the header first.
    ASSERT_EQ(AppendSample(Platform(m_files), Sample(day, "ZT4000123")).outcome, SampleAppend::Added);
    const auto read = ReadSamples(Platform(m_files));
    EXPECT_EQ(read.samples.size(), 1u);
    EXPECT_EQ(read.skippedLines, 0u);
    EXPECT_TRUE(testing::FileText(Path()).starts_with("date,printer,"));
}

TEST_F(SamplesFile, UnreadableFileIsNotAppendedTo) {
    std::filesystem::create_directory(Path());  // not a plain file
    const auto result = AppendSample(Platform(m_files), Sample({2026, 12, 8}, "ZT4000123"));
    EXPECT_EQ(result.outcome, SampleAppend::Failed);
    EXPECT_TRUE(result.failure);
    EXPECT_TRUE(std::filesystem::is_empty(Path()));
}

// A cut last line is gone before the day's sample is added; band crossings are told against the line before.
TEST_F(SamplesFile, EveryCutOfTheLastLineIsGoneBeforeTheDaysSample) {
    const std::string header = std::string(kSamplesHeader) + '\n';
    const std::string first = header + FormatSampleLine(Sample({2026, 12, 7}, "ZT4000123"));
    const std::pair<std::string, std::string> cases[] = {{first, FormatSampleLine(Sample({2026, 12, 8}, "ZT4000123", 9'000))},
                                                         {first, FormatSampleLine(Sample({2026, 12, 9}, "ZT4000123", 9'000))},
                                                         {"", header}};  // what stays, the line cut at every byte
    const CounterSample today = Sample({2026, 12, 9}, "ZT4000123", 4'000);
    for (const auto& [lead, last] : cases) {
        for (std::size_t keep = 0; keep < last.size(); ++keep) {
            std::ofstream(Path(), std::ios::binary | std::ios::trunc) << lead + last.substr(0, keep);
            const auto added = AppendSample(Platform(m_files), today);
            ASSERT_EQ(added.outcome, SampleAppend::Added) << last.substr(0, keep);
            EXPECT_EQ(added.previous ? added.previous->counters.PinCounter[0] : 0, lead.empty() ? 0 : 1'000);
            EXPECT_EQ(testing::FileText(Path()), (lead.empty() ? header : lead) + FormatSampleLine(today));
        }
    }
}

TEST_F(SamplesFile, AFileThatCannotBeReadToItsEndGetsNoSample) {
    const std::string text = std::string(kSamplesHeader) + '\n' + FormatSampleLine(Sample({2026, 12, 7}, "OTHER"));
    std::ofstream(Path(), std::ios::binary) << text;
    FaultyAppendFiles faulty(1'000, 3);  // reads fail after 48 bytes; an append, were it reached, would go through
    EXPECT_EQ(AppendSample(Platform(faulty), Sample({2026, 12, 9}, "ZT4000123")).outcome, SampleAppend::Failed);
    EXPECT_EQ(testing::FileText(Path()), text);
}

TEST_F(SamplesFile, MissingFileReadsAsNoSamples) {
    const auto read = ReadSamples(Platform(m_files));
    EXPECT_TRUE(read.missing);
    EXPECT_FALSE(read.failure);
    EXPECT_TRUE(read.samples.empty());
    EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST(SampleLines, PrinterNamesSurviveTheRoundTrip) {
    for (const std::string name : {"ZT4000123", "port:1-1.4", "A,B", "say \"hi\"", "\"", ","}) {
        const auto line = FormatSampleLine(Sample({2026, 1, 31}, name));
        auto parsed = ParseSampleLine(std::string_view(line).substr(0, line.size() - 1));
        ASSERT_TRUE(parsed) << line;
        EXPECT_EQ(parsed->printer, name);
        EXPECT_EQ(parsed->counters, Sample({}, "").counters);
        EXPECT_EQ(parsed->date, (RecordDate{2026, 1, 31}));
    }
    // A line break would split the line: it is kept out of the file.
    EXPECT_EQ(FormatSampleLine(Sample({2026, 1, 31}, "A\nB")).find("A?B"), 11u);
}

TEST(SampleLines, BadLinesAreSkippedAndCounted) {
    const char* const kBad[] = {
        "2026-02-30,ZT1,1,1,2,3,4,5,6,7,8,9,0,0",         // no such day
        "2026-13-01,ZT1,1,1,2,3,4,5,6,7,8,9,0,0",         // no such month
        "26-12-08,ZT1,1,1,2,3,4,5,6,7,8,9,0,0",           // short year
        "2026-12-08,ZT1,1,1,2,3,4,5,6,7,8,9,0",           // a field missing
        "2026-12-08,ZT1,1,1,2,3,4,5,6,7,8,9,0,0,0",       // a field too many
        "2026-12-08,,1,1,2,3,4,5,6,7,8,9,0,0",            // no printer
        "2026-12-08,ZT1,1,1,2,3,4,5,6,7,8,x9,0,0",        // not a number
        "2026-12-08,ZT1,1,1,2,3,4,5,6,7,8,,0,0",          // empty count
        "2026-12-08,ZT1,1,1,2,3,4,5,6,7,8,2147483648,0,0",  // beyond 32 bits
        "2026-12-08,ZT1,1,1,2,3,4,5,6,7,8,9,32768,0",     // beyond a head counter's 16 bits
        "2026-12-08,ZT1,1, 1,2,3,4,5,6,7,8,9,0,0",        // a space
        "2026-12-08,\"ZT1,1,1,2,3,4,5,6,7,8,9,0,0",       // a quote never closed
        "2026-12-08,\"ZT\"1,1,1,2,3,4,5,6,7,8,9,0,0",     // text after a closing quote
        "o20261208",                                      // a usage record's line
    };
    std::string text = std::string(kSamplesHeader) + "\n";
    for (const char* line : kBad) text += std::string(line) + "\n";
    text += "2026-12-08,ZT1,-5,1,2,3,4,5,6,7,8,2147483647,-32768,0\r\n\n";  // counters as read, CR LF
    text += std::string(kSamplesHeader) + "\r\n";  // a second header, as two files joined would have
    text += "2026-12-09,\"Z,T\",1,1,2,3,4,5,6,7,8,9,0,0";  // no line feed at the end
    const auto read = ParseSamples(text);
    EXPECT_EQ(read.skippedLines, std::size(kBad));
    ASSERT_EQ(read.samples.size(), 2u);
    EXPECT_EQ(read.samples[0].counters.TotalCounter, -5);
    EXPECT_EQ(read.samples[0].counters.PinCounter[8], 2147483647);
    EXPECT_EQ(read.samples[0].counters.HeadCounters[0], -32768);
    EXPECT_EQ(read.samples[1].printer, "Z,T");
}

}  // namespace
}  // namespace zt40
