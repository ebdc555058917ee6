#include "ui/win32/Controls.h"

namespace zt40::win {

FontHandle MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
    return FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
}

HFONT FontOrDefault(const FontHandle& font) {
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

RECT DialogUnits::Rect(const Place& place) const {
    return {MulDiv(place.x, baseX, 4), MulDiv(place.y, baseY, 8), MulDiv(place.x + place.width, baseX, 4),
            MulDiv(place.y + place.height, baseY, 8)};
}

DialogUnits UnitsOf(HFONT font) {
    DialogUnits units;
    HDC dc = GetDC(nullptr);
    if (dc == nullptr) return units;
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    SIZE size{};
    static constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextMetricsW(dc, &metrics) && GetTextExtentPoint32W(dc, kAlphabet, 52, &size)) {
        units.baseX = (size.cx / 26 + 1) / 2;
        units.baseY = metrics.tmHeight;
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return units;
}

HWND AddControl(HWND parent, const DialogUnits& units, HFONT font, int id, const wchar_t* windowClass, DWORD style,
                const std::wstring& text, const Place& place, DWORD exStyle) {
    const RECT rect = units.Rect(place);
    HWND control = CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left,
                                   rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    if (control != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace zt40::win
