#pragma once
// Reads a print-job stream of PJL lines and RTL raster graphics back into its parts:
// the PJL lines of each job and the raster images with their positions and dots.
// Used to check the embedded jobs by geometry and content, and to preview a job.
//
// Any input is safe to decode: malformed or truncated streams give a result with an
// error text, and what was decoded up to that point.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zt40 {

struct RtlPaletteEntry {
    int index = 0;
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const RtlPaletteEntry&) const = default;
};

struct RtlImage {
    int top = 0;   // cursor position (printer units) where the first row was placed
    int left = 0;
    int width = 0;   // the longest row transfer; shorter rows are padded with background dots
    int height = 0;  // number of row transfers
    std::vector<std::uint8_t> dots;  // row by row, width * height palette indices
    std::size_t strayBytes = 0;      // bytes outside any command while the raster was open

    // The dot at (x, y) of the image, 0 outside it.
    std::uint8_t At(int x, int y) const;
};

struct RtlJob {
    bool startsWithUel = false;            // opened by the Universal Exit Language sequence
    std::vector<std::string> headerLines;  // PJL lines up to and including the language switch
    std::vector<std::uint8_t> imageConfiguration;  // data of the last "configure image data" command
    std::vector<RtlPaletteEntry> palette;          // palette assignments in the order received
    std::vector<RtlImage> images;
    int resets = 0;                         // ESC E commands
    bool endsWithUel = false;               // the raster language was left by the UEL sequence
    std::vector<std::string> closingLines;  // PJL lines after that UEL
};

struct RtlDecodeResult {
    bool ok = false;
    std::string error;         // empty when ok
    std::size_t errorOffset = 0;  // byte offset where decoding stopped
    std::vector<RtlJob> jobs;     // complete when ok, otherwise up to the error
};

RtlDecodeResult DecodeRtlStream(std::span<const std::uint8_t> bytes);

}  // namespace zt40
