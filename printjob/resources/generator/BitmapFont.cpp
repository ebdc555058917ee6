#include "BitmapFont.h"

#include <array>

namespace zt40::jobgen {

namespace {

struct Glyph {
    char character;
    std::array<std::string_view, kGlyphHeight> rows;
};

// '#' strikes, anything else is background.
constexpr std::array kGlyphs = {
    Glyph{'A', {" ### ",
                "#   #",
                "#   #",
                "#####",
                "#   #",
                "#   #",
                "#   #"}},
    Glyph{'B', {"#### ",
                "#   #",
                "#   #",
                "#### ",
                "#   #",
                "#   #",
                "#### "}},
    Glyph{'C', {" ### ",
                "#   #",
                "#    ",
                "#    ",
                "#    ",
                "#   #",
                " ### "}},
    Glyph{'D', {"#### ",
                "#   #",
                "#   #",
                "#   #",
                "#   #",
                "#   #",
                "#### "}},
    Glyph{'0', {" ### ",
                "#   #",
                "#  ##",
                "# # #",
                "##  #",
                "#   #",
                " ### "}},
    Glyph{'1', {"  #  ",
                " ##  ",
                "  #  ",
                "  #  ",
                "  #  ",
                "  #  ",
                " ### "}},
    Glyph{'2', {" ### ",
                "#   #",
                "    #",
                "   # ",
                "  #  ",
                " #   ",
                "#####"}},
    Glyph{'3', {"#####",
                "   # ",
                "  #  ",
                "   # ",
                "    #",
                "#   #",
                " ### "}},
    Glyph{'4', {"   # ",
                "  ## ",
                " # # ",
                "#  # ",
                "#####",
                "   # ",
                "   # "}},
    Glyph{'5', {"#####",
                "#    ",
                "#### ",
                "    #",
                "    #",
                "#   #",
                " ### "}},
    Glyph{'6', {"  ## ",
                " #   ",
                "#    ",
                "#### ",
                "#   #",
                "#   #",
                " ### "}},
    Glyph{'7', {"#####",
                "    #",
                "   # ",
                "  #  ",
                " #   ",
                " #   ",
                " #   "}},
    Glyph{'8', {" ### ",
                "#   #",
                "#   #",
                " ### ",
                "#   #",
                "#   #",
                " ### "}},
    Glyph{'9', {" ### ",
                "#   #",
                "#   #",
                " ####",
                "    #",
                "   # ",
                " ##  "}},
};

const Glyph* FindGlyph(char character) {
    for (const auto& glyph : kGlyphs)
        if (glyph.character == character) return &glyph;
    return nullptr;
}

}  // namespace

bool DrawGlyph(DotImage& image, char character, int left, int top, int scale, std::uint8_t value) {
    const Glyph* glyph = FindGlyph(character);
    if (glyph == nullptr) return false;
    for (int row = 0; row < kGlyphHeight; ++row) {
        const std::string_view pattern = glyph->rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < kGlyphWidth; ++column) {
            if (pattern[static_cast<std::size_t>(column)] == '#')
                image.FillRect(left + column * scale, top + row * scale, scale, scale, value);
        }
    }
    return true;
}

bool DrawGlyphCentred(DotImage& image, char character, int centreX, int top, int scale, std::uint8_t value) {
    return DrawGlyph(image, character, centreX - (kGlyphWidth * scale) / 2, top, scale, value);
}

}  // namespace zt40::jobgen
