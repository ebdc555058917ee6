#include "ui/win32/DialogTemplateFont.h"

namespace zt40::win {

namespace {

constexpr WORD kExtendedSignature = 0xFFFF;
// Header words before the menu: style, extended style, item count and the four coordinates
// in the plain form; version, signature, help id, extended style, style, count and coordinates
// in the extended one.
constexpr std::size_t kPlainHeaderWords = 9;
constexpr std::size_t kExtendedHeaderWords = 13;

// Where a menu or class entry (none, an ordinal, or a string) ends; npos past the end.
std::size_t SkipNameOrOrdinal(std::span<const WORD> dialog, std::size_t at) {
    if (at >= dialog.size()) return std::wstring::npos;
    if (dialog[at] == 0) return at + 1;
    if (dialog[at] == 0xFFFF) return at + 2;
    while (at < dialog.size() && dialog[at] != 0) ++at;
    return at < dialog.size() ? at + 1 : std::wstring::npos;
}

struct FontPlace {
    std::size_t points;  // the point size's word
    std::size_t face;    // the face name's first word
};

std::optional<FontPlace> FindFont(std::span<const WORD> dialog) {
    if (dialog.size() < kPlainHeaderWords) return std::nullopt;
    const bool extended = dialog[0] == 1 && dialog[1] == kExtendedSignature;
    if (extended && dialog.size() < kExtendedHeaderWords) return std::nullopt;
    const std::size_t styleAt = extended ? 6 : 0;
    const DWORD style = dialog[styleAt] | (static_cast<DWORD>(dialog[styleAt + 1]) << 16);
    if ((style & DS_SETFONT) == 0) return std::nullopt;
    std::size_t at = extended ? kExtendedHeaderWords : kPlainHeaderWords;
    at = SkipNameOrOrdinal(dialog, at);                              // menu
    if (at != std::wstring::npos) at = SkipNameOrOrdinal(dialog, at);  // class
    if (at == std::wstring::npos) return std::nullopt;
    while (at < dialog.size() && dialog[at] != 0) ++at;              // title
    ++at;
    const FontPlace place{at, at + (extended ? 3 : 1)};  // the extended form adds weight, italic and charset
    if (place.face >= dialog.size()) return std::nullopt;
    return place;
}

}  // namespace

std::optional<DialogFont> ReadDialogFont(std::span<const WORD> dialog) {
    const auto place = FindFont(dialog);
    if (!place) return std::nullopt;
    DialogFont font{dialog[place->points], {}};
    std::size_t at = place->face;
    while (at < dialog.size() && dialog[at] != 0) font.face.push_back(static_cast<wchar_t>(dialog[at++]));
    if (at == dialog.size()) return std::nullopt;
    return font;
}

bool WriteDialogFont(std::span<WORD> dialog, const DialogFont& font) {
    const auto current = ReadDialogFont(dialog);
    if (!current || current->face.size() != font.face.size()) return false;
    const auto place = FindFont(dialog);
    dialog[place->points] = font.points;
    for (std::size_t i = 0; i < font.face.size(); ++i) dialog[place->face + i] = static_cast<WORD>(font.face[i]);
    return true;
}

}  // namespace zt40::win
