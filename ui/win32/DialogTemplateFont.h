#pragma once
// The font named in a dialog template in memory (either template form), read or replaced in
// place. A property sheet lays out its pages in its own font's dialog units: giving the sheet
// its pages' font keeps a page in a larger font from being cut off.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zt40::win {

struct DialogFont {
    std::uint16_t points = 0;
    std::wstring face;
};

// Nothing for a template that sets no font or ends before its font does.
std::optional<DialogFont> ReadDialogFont(std::span<const WORD> dialog);
// Only a face of the same length fits in place; false (and the template untouched) otherwise.
bool WriteDialogFont(std::span<WORD> dialog, const DialogFont& font);

}  // namespace zt40::win
