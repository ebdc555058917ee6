#pragma once
// The generator's own block font: the letters A to D and the digits, 5 dots wide and 7 high.
#include <string_view>

#include "DotImage.h"

namespace zt40::jobgen {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Draws one character with each font dot enlarged to a square of `scale` dots.
// Returns false for a character the font does not have (nothing is drawn then).
bool DrawGlyph(DotImage& image, char character, int left, int top, int scale, std::uint8_t value);

// Draws the character centred on column `centreX`, its top row at `top`.
bool DrawGlyphCentred(DotImage& image, char character, int centreX, int top, int scale, std::uint8_t value);

}  // namespace zt40::jobgen
