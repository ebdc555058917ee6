#include "platform/TextOutput.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace zt40 {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

unsigned char ByteAt(std::string_view text, std::size_t at) { return static_cast<unsigned char>(text[at]); }

// The code point of a sequence Utf8SequenceAt accepted.
char32_t Decode(std::string_view text, std::size_t at, std::size_t length) {
    const unsigned char lead = ByteAt(text, at);
    if (length == 1) return lead;
    char32_t value = lead & (0xFF >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) value = (value << 6) | (ByteAt(text, at + i) & 0x3F);
    return value;
}

bool ActsOnTerminal(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool IsWide(char32_t c) {
    static constexpr std::array<std::pair<char32_t, char32_t>, 15> kWide = {{
        {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
        {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60},
        {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
    }};
    return std::ranges::any_of(kWide, [c](const auto& range) { return c >= range.first && c <= range.second; });
}

bool IsZeroWidth(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x200B && c <= 0x200F) || (c >= 0x20D0 && c <= 0x20FF) ||
           (c >= 0xFE00 && c <= 0xFE0F);
}

}  // namespace

std::size_t Utf8SequenceAt(std::string_view text, std::size_t at) {
    const unsigned char lead = ByteAt(text, at);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((ByteAt(text, at + i) & 0xC0) != 0x80) return 0;
    }
    const char32_t c = Decode(text, at, length);
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        const std::size_t length = Utf8SequenceAt(text, at);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (length > 1 || (length == 1 && byte >= 0x20 && byte != 0x7F)) {
            out.append(text, at, length);
            at += length;
            continue;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
            out += escaped;
        }
        ++at;
    }
    return out + "\"";
}

std::string EscapeForTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, at);
        if (length > 0 && !ActsOnTerminal(Decode(text, at, length))) {
            out.append(text, at, length);
            at += length;
            continue;
        }
        // Each byte on its own: a C1 control's two bytes show as two escapes.
        for (std::size_t i = 0; i < std::max<std::size_t>(length, 1); ++i) {
            const unsigned char byte = ByteAt(text, at + i);
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
        at += std::max<std::size_t>(length, 1);
    }
    return out;
}

std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, at);
        if (length == 0) {
            ++width;
            ++at;
            continue;
        }
        const char32_t c = Decode(text, at, length);
        width += IsWide(c) ? 2 : IsZeroWidth(c) ? 0 : 1;
        at += length;
    }
    return width;
}

std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& cells : rows) {
        if (widths.size() < cells.size()) widths.resize(cells.size(), 0);
        for (std::size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], DisplayWidth(cells[i]));
    }
    std::string out;
    for (const auto& cells : rows) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            line += cells[i];
            if (i + 1 < cells.size()) line += std::string(widths[i] - DisplayWidth(cells[i]) + 2, ' ');
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

}  // namespace zt40
