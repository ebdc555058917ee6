// The embedded jobs read back through the RTL reader: what they mark, where, and how the
// letters sample's scale lines up with the nine bands on the plate.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "printjob/EmbeddedJobs.h"
#include "printjob/RtlReader.h"
#include "support/BuildTree.h"

namespace zt40 {
namespace {

constexpr std::array<int, 9> kPatternRows = {99, 134, 168, 203, 238, 272, 307, 342, 377};
constexpr std::array<int, 9> kBandFirstRows = {70, 105, 139, 174, 209, 243, 278, 313, 348};

RtlDecodeResult Decode(int id) { return DecodeRtlStream(EmbeddedJobs().Find(id)); }

struct MarkRun {
    int first;  // columns, inclusive
    int last;
    int Centre() const { return (first + last) / 2; }
};

// Runs of marked dots in one image row.
std::vector<MarkRun> MarkedRuns(const RtlImage& image, int y) {
    std::vector<MarkRun> runs;
    for (int x = 0; x < image.width; ++x) {
        if (image.At(x, y) == 0) continue;
        if (!runs.empty() && runs.back().last == x - 1) runs.back().last = x;
        else runs.push_back({x, x});
    }
    return runs;
}

bool RowIsBlank(const RtlImage& image, int y) { return MarkedRuns(image, y).empty(); }

void ExpectGreyPaletteAndConfiguration(const RtlJob& job) {
    EXPECT_EQ(job.imageConfiguration, (std::vector<std::uint8_t>{0, 1, 8, 8, 8, 8}));
    ASSERT_EQ(job.palette.size(), 256u);
    for (int k = 0; k < 256; ++k) EXPECT_EQ(job.palette[static_cast<std::size_t>(k)], (RtlPaletteEntry{k, k, k, k}));
    EXPECT_EQ(job.resets, 1);
    EXPECT_TRUE(job.endsWithUel);
    EXPECT_EQ(job.closingLines, (std::vector<std::string>{"@PJL RESET", "@PJL ENTER LANGUAGE=RESET"}));
}

TEST(EmbeddedJobContent, LettersSampleIs834By386At138) {
    const auto result = Decode(171);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.jobs.size(), 1u);
    const RtlJob& job = result.jobs[0];
    EXPECT_FALSE(job.startsWithUel);
    EXPECT_EQ(job.headerLines, (std::vector<std::string>{"@PJL ENTER LANGUAGE=RTL"}));
    ExpectGreyPaletteAndConfiguration(job);
    ASSERT_EQ(job.images.size(), 1u);
    const RtlImage& image = job.images[0];
    EXPECT_EQ(image.width, 834);
    EXPECT_EQ(image.height, 386);
    EXPECT_EQ(image.top, 138);
    EXPECT_EQ(image.left, 138);
    EXPECT_EQ(image.strayBytes, 1u);  // the 00 after the last row
}

TEST(EmbeddedJobContent, OriginMarkIsASymmetricTargetOfFullDots) {
    const auto result = Decode(151);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.jobs.size(), 1u);
    ExpectGreyPaletteAndConfiguration(result.jobs[0]);
    ASSERT_EQ(result.jobs[0].images.size(), 1u);
    const RtlImage& mark = result.jobs[0].images[0];
    EXPECT_EQ(mark.width, 167);
    EXPECT_EQ(mark.height, 167);
    EXPECT_EQ(mark.top, 472);
    EXPECT_EQ(mark.left, 472);
    EXPECT_EQ(mark.strayBytes, 0u);
    EXPECT_TRUE(std::ranges::all_of(mark.dots, [](std::uint8_t dot) { return dot == 0 || dot == 255; }));
    EXPECT_EQ(mark.At(83, 83), 255) << "the centre is marked";
    EXPECT_EQ(mark.At(0, 0), 0);
    EXPECT_EQ(mark.At(166, 166), 0);
    int marked = 0;
    for (int y = 0; y < 167; ++y) {
        for (int x = 0; x < 167; ++x) {
            ASSERT_EQ(mark.At(x, y), mark.At(166 - x, y)) << x << "," << y;
            ASSERT_EQ(mark.At(x, y), mark.At(x, 166 - y)) << x << "," << y;
            ASSERT_EQ(mark.At(x, y), mark.At(y, x)) << x << "," << y;
            marked += mark.At(x, y) != 0;
        }
    }
    EXPECT_GT(marked, 500) << "a mark, not a dot";
    EXPECT_LT(marked, 167 * 167 / 2) << "a mark, not a filled square";
}

TEST(EmbeddedJobContent, EachPinJobMarksOneBandInItsLast29Rows) {
    const auto result = Decode(152);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.jobs.size(), 9u);
    for (std::size_t n = 0; n < 9; ++n) {
        SCOPED_TRACE(n + 1);
        const RtlJob& job = result.jobs[n];
        EXPECT_TRUE(job.startsWithUel);
        ASSERT_EQ(job.headerLines.size(), 8u);
        EXPECT_EQ(job.headerLines[3], "@PJL SET MINIMUMDOT=180");
        EXPECT_EQ(job.headerLines[4], "@PJL SET MAXIMUMDOT=260");
        EXPECT_EQ(job.headerLines[5], "@PJL SET BIDIRECTION=OFF");
        EXPECT_EQ(job.headerLines[6], "@PJL SET USEPINHEAD=" + std::to_string(n + 1));
        EXPECT_EQ(job.headerLines[7], "@PJL ENTER LANGUAGE=RTL");
        ExpectGreyPaletteAndConfiguration(job);
        ASSERT_EQ(job.images.size(), 1u);
        const RtlImage& image = job.images[0];
        EXPECT_EQ(image.top, 152);
        EXPECT_EQ(image.left, 152);
        EXPECT_EQ(image.width, 806);
        EXPECT_EQ(image.height, kPatternRows[n]);
        const int firstBandRow = image.height - 29;
        EXPECT_EQ(firstBandRow, kBandFirstRows[n]);
        for (int y = 0; y < firstBandRow; ++y) ASSERT_TRUE(RowIsBlank(image, y)) << "row " << y;
        const auto runs = MarkedRuns(image, firstBandRow);
        ASSERT_EQ(runs.size(), 40u) << "forty steps";
        EXPECT_EQ(runs.front().first, 36);
        EXPECT_EQ(runs.back().last, 704);
        for (int y = firstBandRow; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x)
                ASSERT_EQ(image.At(x, y), image.At(x, firstBandRow)) << "band rows differ at " << x << "," << y;
        }
        // Strength falls from step to step, so a weaker pin breaks off further left.
        for (std::size_t step = 1; step < runs.size(); ++step)
            EXPECT_LT(image.At(runs[step].first, firstBandRow), image.At(runs[step - 1].first, firstBandRow));
    }
}

// The bands of all nine pins in plate coordinates, the sample placed over them.
struct Plate {
    RtlImage sample;
    std::vector<RtlImage> bands;

    static Plate Load() {
        Plate plate;
        plate.sample = Decode(171).jobs.at(0).images.at(0);
        for (const auto& job : Decode(152).jobs) plate.bands.push_back(job.images.at(0));
        return plate;
    }
    static bool Marked(const RtlImage& image, int plateX, int plateY) {
        return image.At(plateX - image.left, plateY - image.top) != 0;
    }
};

TEST(EmbeddedJobContent, LettersSampleScaleHasFortyStepsAlignedWithTheBands) {
    const Plate plate = Plate::Load();
    ASSERT_EQ(plate.bands.size(), 9u);
    const RtlImage& band1 = plate.bands[0];
    const auto steps = MarkedRuns(band1, band1.height - 1);
    ASSERT_EQ(steps.size(), 40u);
    const int bandTop = band1.top + kBandFirstRows[0];

    // Some row of the sample above the first band carries forty marks, one over each step.
    bool found = false;
    for (int plateY = plate.sample.top; plateY < bandTop && !found; ++plateY) {
        const auto marks = MarkedRuns(plate.sample, plateY - plate.sample.top);
        if (marks.size() != 40) continue;
        found = true;
        for (std::size_t i = 0; i < 40; ++i) {
            const int centre = plate.sample.left + marks[i].Centre();
            EXPECT_GE(centre, band1.left + steps[i].first) << "step " << i + 1;
            EXPECT_LE(centre, band1.left + steps[i].last) << "step " << i + 1;
        }
    }
    EXPECT_TRUE(found) << "no row of forty scale marks above the bands";
}

TEST(EmbeddedJobContent, LettersSampleHeadsFourBlocksOfTenSteps) {
    const Plate plate = Plate::Load();
    const RtlImage& band1 = plate.bands[0];
    const auto steps = MarkedRuns(band1, band1.height - 1);
    ASSERT_EQ(steps.size(), 40u);
    // The tallest marks at the top of the sample are the block letters: their column groups.
    std::vector<MarkRun> letters;
    for (int x = 0; x < plate.sample.width; ++x) {
        bool marked = false;
        for (int y = 0; y < 30; ++y) marked = marked || plate.sample.At(x, y) != 0;
        if (!marked) continue;
        if (!letters.empty() && letters.back().last >= x - 4) letters.back().last = x;
        else letters.push_back({x, x});
    }
    ASSERT_EQ(letters.size(), 4u) << "A, B, C and D";
    for (std::size_t block = 0; block < 4; ++block) {
        const int centre = plate.sample.left + letters[block].Centre();
        EXPECT_GT(centre, band1.left + steps[block * 10].first) << block;
        EXPECT_LT(centre, band1.left + steps[block * 10 + 9].last) << block;
    }
}

TEST(EmbeddedJobContent, NothingOfTheLettersSampleFallsOnABand) {
    const Plate plate = Plate::Load();
    int bandDots = 0;
    for (const RtlImage& band : plate.bands) {
        for (int y = 0; y < band.height; ++y) {
            for (int x = 0; x < band.width; ++x) {
                if (band.At(x, y) == 0) continue;
                ++bandDots;
                ASSERT_FALSE(Plate::Marked(plate.sample, band.left + x, band.top + y))
                    << "overlap at plate " << band.left + x << "," << band.top + y;
            }
        }
    }
    EXPECT_GT(bandDots, 0);
}

TEST(EmbeddedJobContent, TestPatternDocumentIsTenCompleteJobs) {
    std::vector<std::uint8_t> document;
    for (const int id : {172, 171, 152}) {
        const auto bytes = EmbeddedJobs().Find(id);
        document.insert(document.end(), bytes.begin(), bytes.end());
    }
    const auto result = DecodeRtlStream(document);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.jobs.size(), 10u);
    const RtlJob& letters = result.jobs[0];
    EXPECT_TRUE(letters.startsWithUel);
    EXPECT_EQ(letters.headerLines,
              (std::vector<std::string>{"@PJL COMMENT ORVIKA ZT-30", "@PJL SET RESOLUTION=353", "@PJL SET SPEED=50",
                                        "@PJL SET MINIMUMDOT=150", "@PJL SET MAXIMUMDOT=380",
                                        "@PJL SET BIDIRECTION=ON", "@PJL ENTER LANGUAGE=RTL"}));
    for (const auto& job : result.jobs) {
        EXPECT_TRUE(job.startsWithUel);
        EXPECT_TRUE(job.endsWithUel);
        EXPECT_EQ(job.images.size(), 1u);
    }
    EXPECT_EQ(result.jobs[0].images[0].width, 834);
    EXPECT_EQ(result.jobs[9].images[0].height, 377);
}

// The generator is rerun into a fresh folder: same bytes as the ones linked in.
TEST(EmbeddedJobContent, GeneratorReproducesTheLinkedJobs) {
#if defined(_WIN32)
    const std::filesystem::path generator = ZT40_BINARY_DIR "/printjob/resources/zt40_jobgen.exe";
    // The command processor drops the outermost pair of quotes when a line holds more than one.
    const char* const wrap = "\"";
#else
    const std::filesystem::path generator = ZT40_BINARY_DIR "/printjob/resources/zt40_jobgen";
    const char* const wrap = "";
#endif
    if (!std::filesystem::exists(generator)) GTEST_SKIP() << "generator not built at " << generator;
    const auto folder = std::filesystem::temp_directory_path() / ("zt40_jobgen_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string command =
        wrap + ("\"" + generator.string() + "\" \"" + folder.string() + "\"") + wrap;
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const int id : {151, 152, 153, 154, 155, 156, 157, 158, 159, 160, 161, 171, 172}) {
        std::ifstream file(folder / ("job_" + std::to_string(id) + ".bin"), std::ios::binary);
        const std::vector<std::uint8_t> generated((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const auto linked = EmbeddedJobs().Find(id);
        EXPECT_TRUE(std::ranges::equal(generated, linked)) << "resource " << id;
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace zt40
