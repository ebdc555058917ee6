#pragma once
// Lays out PJL job headers and RTL raster bodies byte for byte as the printer expects them.
#include <cstdint>
#include <optional>
#include <vector>

#include "DotImage.h"

namespace zt40::jobgen {

using Bytes = std::vector<std::uint8_t>;

struct HeaderSettings {
    int minimumDot = 0;
    int maximumDot = 0;
    bool bidirectional = false;
};

// The single-job headers (letters sample, origin mark) and those of the nine-pin pattern.
inline constexpr HeaderSettings kSingleJobSettings{150, 380, true};
inline constexpr HeaderSettings kPatternJobSettings{180, 260, false};

// Universal Exit Language, then the PJL lines; with a pin, the line selecting it closes the header.
void AppendHeader(Bytes& out, const HeaderSettings& settings, std::optional<int> pin);

enum class AfterLastRow { Nothing, ZeroByte };

// Enters RTL, sets the grey palette, places the image at (y, x) and sends one row transfer
// per image row, then returns to PJL.
void AppendRasterBody(Bytes& out, const DotImage& image, int y, int x, AfterLastRow after = AfterLastRow::Nothing);

}  // namespace zt40::jobgen
