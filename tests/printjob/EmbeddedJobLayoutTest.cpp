// The embedded jobs byte for byte: headers, the raster body framing, the palette,
// one row transfer per row, and the nine-pin pattern's jobs.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "printjob/EmbeddedJobs.h"

namespace zt40 {
namespace {

using namespace std::literals;

constexpr std::string_view kUel = "\x1b%-12345X";
constexpr std::array<int, 9> kPatternRows = {99, 134, 168, 203, 238, 272, 307, 342, 377};

std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string_view Job(int id) { return AsText(EmbeddedJobs().Find(id)); }

std::string Header(int minimumDot, int maximumDot, const char* bidirection) {
    return std::string(kUel) + "@PJL COMMENT ORVIKA ZT-30\n@PJL SET RESOLUTION=353\n@PJL SET SPEED=50\n" +
           "@PJL SET MINIMUMDOT=" + std::to_string(minimumDot) + "\n@PJL SET MAXIMUMDOT=" +
           std::to_string(maximumDot) + "\n@PJL SET BIDIRECTION=" + bidirection + "\n";
}

std::string PinLine(int pin) { return "@PJL SET USEPINHEAD=" + std::to_string(pin) + "\n"; }

// Reads a job stream front to back, failing the test at the first byte that is not as expected.
class Walker {
public:
    explicit Walker(std::string_view bytes) : m_bytes(bytes) {}

    bool Expect(std::string_view expected) {
        if (m_bytes.substr(m_pos, expected.size()) != expected) {
            ADD_FAILURE() << "at offset " << m_pos << ": expected \"" << Printable(expected) << "\", found \""
                          << Printable(m_bytes.substr(m_pos, expected.size())) << "\"";
            return false;
        }
        m_pos += expected.size();
        return true;
    }

    // One "ESC*b<width>W" row transfer; returns false when it is not there.
    bool Row(int width) {
        if (!Expect("\x1b*b" + std::to_string(width) + "W")) return false;
        if (m_bytes.size() - m_pos < static_cast<std::size_t>(width)) {
            ADD_FAILURE() << "row data cut short at " << m_pos;
            return false;
        }
        m_pos += static_cast<std::size_t>(width);
        return true;
    }

    bool Rows(int width, int count) {
        for (int row = 0; row < count; ++row)
            if (!Row(width)) return false;
        return true;
    }

    bool AtEnd() const { return m_pos == m_bytes.size(); }
    std::size_t Position() const { return m_pos; }

private:
    static std::string Printable(std::string_view text) {
        std::string out;
        for (const char c : text) {
            if (c == '\x1b') out += "<ESC>";
            else if (c == '\n') out += "<LF>";
            else if (c >= 32 && c < 127) out += c;
            else out += "<" + std::to_string(static_cast<unsigned char>(c)) + ">";
        }
        return out;
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

constexpr std::string_view kImageConfiguration = "\x1b*v6W\x00\x01\x08\x08\x08\x08"sv;

std::string ExpectedPalette() {
    std::string palette = "\x1b*v";
    for (int k = 0; k < 256; ++k) {
        const std::string v = std::to_string(k);
        palette += v + "a" + v + "b" + v + "c" + v + (k == 255 ? "I" : "i");
    }
    return palette;
}

// Everything of a raster body up to its first row transfer.
std::string BodyStart(int y, int x) {
    return "@PJL ENTER LANGUAGE=RTL\n\x1b" "E\x1b*b0L"s + std::string(kImageConfiguration) + ExpectedPalette() +
           "\x1b*r1A\x1b*p" + std::to_string(y) + "Y\x1b*p" + std::to_string(x) + "X";
}

const std::string kBodyEnd = "\x1b*rC"s + std::string(kUel) + "@PJL RESET\n@PJL ENTER LANGUAGE=RESET\n";

TEST(EmbeddedJobLayout, PlainHeaderHasTheSixLinesAfterTheUel) {
    EXPECT_EQ(Job(172), Header(150, 380, "ON"));
}

TEST(EmbeddedJobLayout, PinHeadersAddTheirPinLine) {
    for (int pin = 1; pin <= 9; ++pin) {
        SCOPED_TRACE(pin);
        EXPECT_EQ(Job(152 + pin), Header(150, 380, "ON") + PinLine(pin));
    }
}

TEST(EmbeddedJobLayout, PaletteIsOneSequenceOfGreysClosedByCapitalI) {
    const std::string palette = ExpectedPalette();
    ASSERT_TRUE(palette.starts_with("\x1b*v0a0b0c0i1a1b1c1i"));
    ASSERT_TRUE(palette.ends_with("254i255a255b255c255I"));
    for (const int id : {151, 171}) EXPECT_NE(Job(id).find(palette), std::string_view::npos) << id;
}

TEST(EmbeddedJobLayout, LettersBodyFramesItsRowsAndEndsWithTheExtraZeroByte) {
    Walker walker(Job(171));
    ASSERT_TRUE(walker.Expect(BodyStart(138, 138)));
    ASSERT_TRUE(walker.Rows(834, 386));
    ASSERT_TRUE(walker.Expect("\x00"sv));
    ASSERT_TRUE(walker.Expect(kBodyEnd));
    EXPECT_TRUE(walker.AtEnd()) << "trailing bytes at " << walker.Position();
}

TEST(EmbeddedJobLayout, OriginBodyHasNoExtraByte) {
    Walker walker(Job(151));
    ASSERT_TRUE(walker.Expect(BodyStart(472, 472)));
    ASSERT_TRUE(walker.Rows(167, 167));
    ASSERT_TRUE(walker.Expect(kBodyEnd));
    EXPECT_TRUE(walker.AtEnd()) << "trailing bytes at " << walker.Position();
}

TEST(EmbeddedJobLayout, NinePinPatternIsNineCompleteJobsInPinOrder) {
    Walker walker(Job(152));
    for (int pin = 1; pin <= 9; ++pin) {
        SCOPED_TRACE(pin);
        ASSERT_TRUE(walker.Expect(Header(180, 260, "OFF") + PinLine(pin)));
        ASSERT_TRUE(walker.Expect(BodyStart(152, 152)));
        ASSERT_TRUE(walker.Rows(806, kPatternRows[static_cast<std::size_t>(pin - 1)]));
        ASSERT_TRUE(walker.Expect(kBodyEnd));
    }
    EXPECT_TRUE(walker.AtEnd()) << "trailing bytes at " << walker.Position();
}

TEST(EmbeddedJobLayout, NinePinPatternIsAboutOnePointSevenEightMillionBytes) {
    const std::size_t size = EmbeddedJobs().Find(152).size();
    EXPECT_GT(size, 1'770'000u);
    EXPECT_LT(size, 1'790'000u);
}

TEST(EmbeddedJobLayout, UnknownIdsAreEmpty) {
    for (const int id : {0, -1, 150, 162, 170, 173, 1000}) EXPECT_TRUE(EmbeddedJobs().Find(id).empty()) << id;
}

TEST(EmbeddedJobLayout, FindHandsOutTheLinkedBytesNotACopy) {
    for (const int id : {151, 152, 153, 161, 171, 172}) {
        const auto first = EmbeddedJobs().Find(id);
        const auto second = EmbeddedJobs().Find(id);
        ASSERT_FALSE(first.empty()) << id;
        EXPECT_EQ(first.data(), second.data()) << id;
        EXPECT_EQ(first.size(), second.size()) << id;
    }
}

}  // namespace
}  // namespace zt40
