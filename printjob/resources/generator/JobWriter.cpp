#include "JobWriter.h"

#include <iterator>
#include <string>
#include <string_view>

namespace zt40::jobgen {

namespace {

constexpr char kEsc = '\x1b';

void Append(Bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

void AppendEscape(Bytes& out, std::string_view sequence) {
    out.push_back(static_cast<std::uint8_t>(kEsc));
    Append(out, sequence);
}

void AppendLine(Bytes& out, std::string_view line) {
    Append(out, line);
    out.push_back('\n');
}

void AppendUniversalExit(Bytes& out) { AppendEscape(out, "%-12345X"); }

// Palette entry k gets the grey k, k, k; one combined sequence, closed by the capital I.
void AppendGreyPalette(Bytes& out) {
    AppendEscape(out, "*v");
    for (int k = 0; k <= 255; ++k) {
        const std::string value = std::to_string(k);
        for (const char component : {'a', 'b', 'c'}) {
            Append(out, value);
            out.push_back(static_cast<std::uint8_t>(component));
        }
        Append(out, value);
        out.push_back(k == 255 ? 'I' : 'i');
    }
}

}  // namespace

void AppendHeader(Bytes& out, const HeaderSettings& settings, std::optional<int> pin) {
    AppendUniversalExit(out);
    AppendLine(out, "@PJL COMMENT ORVIKA ZT-30");
    AppendLine(out, "@PJL SET RESOLUTION=353");
    AppendLine(out, "@PJL SET SPEED=50");
    AppendLine(out, "@PJL SET MINIMUMDOT=" + std::to_string(settings.minimumDot));
    AppendLine(out, "@PJL SET MAXIMUMDOT=" + std::to_string(settings.maximumDot));
    AppendLine(out, settings.bidirectional ? "@PJL SET BIDIRECTION=ON" : "@PJL SET BIDIRECTION=OFF");
    if (pin) AppendLine(out, "@PJL SET USEPINHEAD=" + std::to_string(*pin));
}

void AppendRasterBody(Bytes& out, const DotImage& image, int y, int x, AfterLastRow after) {
    AppendLine(out, "@PJL ENTER LANGUAGE=RTL");
    AppendEscape(out, "E");
    AppendEscape(out, "*b0L");
    // Configure image data: colour space 0, indexed by pixel, 8 bits per index, 8 bits per primary.
    AppendEscape(out, "*v6W");
    constexpr std::uint8_t kImageConfiguration[] = {0, 1, 8, 8, 8, 8};
    out.insert(out.end(), std::begin(kImageConfiguration), std::end(kImageConfiguration));
    AppendGreyPalette(out);
    AppendEscape(out, "*r1A");
    AppendEscape(out, "*p" + std::to_string(y) + "Y");
    AppendEscape(out, "*p" + std::to_string(x) + "X");
    const std::string rowTransfer = "*b" + std::to_string(image.Width()) + "W";
    for (int row = 0; row < image.Height(); ++row) {
        AppendEscape(out, rowTransfer);
        out.insert(out.end(), image.Row(row), image.Row(row) + image.Width());
    }
    if (after == AfterLastRow::ZeroByte) out.push_back(0);
    AppendEscape(out, "*rC");
    AppendUniversalExit(out);
    AppendLine(out, "@PJL RESET");
    AppendLine(out, "@PJL ENTER LANGUAGE=RESET");
}

}  // namespace zt40::jobgen
