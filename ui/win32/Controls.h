#pragma once
// What every native window of this edition lays out the same way: the system's message font,
// places in dialog units of that font, child controls created with it, a control's text.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace zt40::win {

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The font the system shows message boxes in; the stock GUI font when it cannot be had.
FontHandle MessageFont();

// Where a control goes, in dialog units of the window's font.
struct Place {
    int x, y, width, height;
};

// Dialog units in pixels for a font: a quarter of its average character width across, an
// eighth of its height down, as a dialog box lays out its controls.
struct DialogUnits {
    int baseX = 6, baseY = 13;
    RECT Rect(const Place& place) const;
};
DialogUnits UnitsOf(HFONT font);

// The font a window's controls use: `font` when there is one, else the stock GUI font.
HFONT FontOrDefault(const FontHandle& font);

// A child control of `parent` with `id`, visible, in `font`; null when it could not be made.
HWND AddControl(HWND parent, const DialogUnits& units, HFONT font, int id, const wchar_t* windowClass, DWORD style,
                const std::wstring& text, const Place& place, DWORD exStyle = 0);

std::wstring WindowText(HWND window);

}  // namespace zt40::win
