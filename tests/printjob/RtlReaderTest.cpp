// The RTL reader on small hand-made streams and on broken ones: results, never a crash.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "printjob/EmbeddedJobs.h"
#include "printjob/RtlReader.h"

namespace zt40 {
namespace {

using namespace std::string_literals;

RtlDecodeResult DecodeText(std::string_view text) {
    return DecodeRtlStream({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::vector<std::uint8_t> Resource(int id) {
    const auto bytes = EmbeddedJobs().Find(id);
    return {bytes.begin(), bytes.end()};
}

const std::string kUel = "\x1b%-12345X";

TEST(RtlReader, EmptyStreamIsNoJobs) {
    const auto result = DecodeText("");
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.error.empty());
    EXPECT_TRUE(result.jobs.empty());
}

TEST(RtlReader, HeaderAloneIsOneJobWithoutImages) {
    const auto result = DecodeText(kUel + "@PJL COMMENT X\r\n@PJL SET A=1\n");
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.jobs.size(), 1u);
    EXPECT_TRUE(result.jobs[0].startsWithUel);
    EXPECT_EQ(result.jobs[0].headerLines, (std::vector<std::string>{"@PJL COMMENT X", "@PJL SET A=1"}));
    EXPECT_TRUE(result.jobs[0].images.empty());
}

TEST(RtlReader, RowsArePaddedToTheWidestAndPlacedAtTheCursor) {
    const std::string stream = "@PJL ENTER LANGUAGE = rtl\n\x1b*p10Y\x1b*p20X\x1b*r1A\x1b*p+5Y\x1b*b3W\x01\x02\x03"
                               "\x1b*b1W\x09\x1b*b0W\x1b*rC" + kUel + "@PJL RESET\n"s;
    const auto result = DecodeText(stream);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.jobs.size(), 1u);
    ASSERT_EQ(result.jobs[0].images.size(), 1u);
    const RtlImage& image = result.jobs[0].images[0];
    EXPECT_EQ(image.top, 15) << "the relative move before the first row counts";
    EXPECT_EQ(image.left, 20);
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.dots, (std::vector<std::uint8_t>{1, 2, 3, 9, 0, 0, 0, 0, 0}));
    EXPECT_EQ(image.At(3, 0), 0) << "outside the image";
    EXPECT_EQ(image.At(-1, 0), 0);
    EXPECT_EQ(result.jobs[0].closingLines, (std::vector<std::string>{"@PJL RESET"}));
}

TEST(RtlReader, RowTransferWithoutRasterStartOpensOne) {
    const auto result = DecodeText("@PJL ENTER LANGUAGE=RTL\n\x1b*b2W\x05\x06" + kUel);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.jobs.at(0).images.size(), 1u);
    EXPECT_EQ(result.jobs[0].images[0].dots, (std::vector<std::uint8_t>{5, 6}));
}

TEST(RtlReader, CombinedPaletteSequenceAssignsEachIndex) {
    const auto result = DecodeText("@PJL ENTER LANGUAGE=RTL\n\x1b*v1a2b3c7i4a5b6c8I" + kUel);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.jobs.at(0).palette,
              (std::vector<RtlPaletteEntry>{{7, 1, 2, 3}, {8, 4, 5, 6}}));
}

// Every proper cut of the letters body inside its raster part is reported as an error.
TEST(RtlReader, TruncatedLettersBodyIsAnError) {
    const auto bytes = Resource(171);
    const std::size_t closingUel = bytes.size() - std::string_view("\x1b%-12345X@PJL RESET\n@PJL ENTER LANGUAGE=RESET\n").size();
    std::vector<std::size_t> cuts = {1, 10, 24, 25, 26, 30, 40, 500, 3700, closingUel - 5, closingUel - 1, closingUel,
                                     closingUel + 4};
    for (std::size_t cut = 3000; cut < closingUel; cut += 4099) cuts.push_back(cut);
    for (const std::size_t cut : cuts) {
        SCOPED_TRACE(cut);
        const auto result = DecodeRtlStream(std::span(bytes).first(cut));
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
        EXPECT_LE(result.errorOffset, cut);
    }
}

TEST(RtlReader, CutInsideARowKeepsTheRowsBefore) {
    const auto bytes = Resource(151);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::size_t firstRow = text.find("\x1b*b167W");
    ASSERT_NE(firstRow, std::string_view::npos);
    const std::size_t rowSize = 7 + 167;
    const auto result = DecodeRtlStream(std::span(bytes).first(firstRow + 10 * rowSize + 50));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "stream ends inside a data transfer");
    EXPECT_EQ(result.errorOffset, firstRow + 10 * rowSize);
    ASSERT_EQ(result.jobs.size(), 1u);
    ASSERT_EQ(result.jobs[0].images.size(), 1u);
    EXPECT_EQ(result.jobs[0].images[0].height, 10);
}

TEST(RtlReader, MalformedStreamsAreErrors) {
    const std::string enter = "@PJL ENTER LANGUAGE=RTL\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"@PJL SET A=1", "stream ends inside a PJL line"},
        {"HELLO\n", "not a PJL line"},
        {"\x1b" "E", "escape sequence in PJL"},
        {"\x1b%-123", "stream ends inside the UEL sequence"},
        {"@PJL ENTER LANGUAGE=PCL\n", "unsupported printer language PCL"},
        {"@PJL COMMENT \x1b\n", "escape inside a PJL line"},
        {"@PJL " + std::string(5000, 'x') + "\n", "PJL line too long"},
        {enter, "stream ends in the raster language"},
        {enter + "\x1b*r1A", "stream ends inside raster graphics"},
        {enter + "\x1b", "stream ends inside an escape sequence"},
        {enter + "\x1b*b", "stream ends inside an escape sequence"},
        {enter + "\x1b*b12", "stream ends inside an escape sequence"},
        {enter + "\x1b*b1234567890W", "number too large"},
        {enter + "\x1b*b-5W", "negative data length"},
        {enter + "\x1b*b9W\x01\x02", "stream ends inside a data transfer"},
        {enter + "\x1b*b99999W" + std::string(99999, '\0'), "raster row too wide"},
        {enter + "\x1b*B", "invalid escape sequence"},
        {enter + "\x1b*b1\x01", "invalid escape sequence"},
        {enter + "\x1b\x01", "invalid escape sequence"},
        {enter + "\x1b%1B", "unsupported language switch"},
    };
    for (const auto& [stream, error] : cases) {
        const auto result = DecodeText(stream);
        EXPECT_FALSE(result.ok) << error;
        EXPECT_EQ(result.error, error);
    }
}

TEST(RtlReader, HugeImagesAreRefusedBeforeTheyAreBuilt) {
    // A wide first row followed by many empty ones would pad to gigabytes.
    std::string stream = "@PJL ENTER LANGUAGE=RTL\n\x1b*b60000W" + std::string(60000, '\x01');
    for (int row = 0; row < 2000; ++row) stream += "\x1b*b0W";
    const auto result = DecodeText(stream);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "raster image too large");
}

// Damaged copies of a real job: bytes overwritten at pseudo-random places, then decoded.
// Nothing is asserted about the outcome except that it is a result; the sanitizer build
// turns any out-of-range read into a failure.
TEST(RtlReader, DamagedJobsDecodeWithoutHarm) {
    const auto original = Resource(151);
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const std::uint8_t interesting[] = {0x1b, '*', 'b', 'W', 'r', 'A', 'C', '%', '-', '9', '\n', 0};
    int failures = 0;
    for (int round = 0; round < 200; ++round) {
        auto damaged = original;
        for (int hit = 0; hit < 8; ++hit) {
            const std::size_t at = next() % std::min<std::size_t>(damaged.size(), 40000);
            damaged[at] = interesting[next() % sizeof(interesting)];
        }
        const auto result = DecodeRtlStream(damaged);
        if (!result.ok) {
            ++failures;
            EXPECT_FALSE(result.error.empty());
            EXPECT_LE(result.errorOffset, damaged.size());
        }
        for (const auto& job : result.jobs)
            for (const auto& image : job.images)
                ASSERT_EQ(image.dots.size(), static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    }
    EXPECT_GT(failures, 0) << "the damage should break some copies";
}

}  // namespace
}  // namespace zt40
