#include "ui/win32/WizardPictureGdi.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

namespace zt40::win {

namespace {

constexpr COLORREF kInk = RGB(40, 44, 52);
constexpr COLORREF kBody = RGB(214, 219, 226);
constexpr COLORREF kHead = RGB(92, 108, 140);
constexpr COLORREF kAccent = RGB(214, 64, 48);
constexpr COLORREF kLit = RGB(70, 190, 90);
constexpr COLORREF kPlate = RGB(238, 232, 214);
constexpr COLORREF kSkin = RGB(240, 200, 170);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDarkGray = RGB(128, 128, 128);
constexpr COLORREF kLightGray = RGB(192, 192, 192);
constexpr COLORREF kSign = RGB(250, 204, 40);

struct Point {
    double x;
    double y;
};

int Px(double v) { return static_cast<int>(std::lround(v)); }

// One GDI object selected into the context for the life of the value, then put back and deleted.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object, bool owned) : m_dc(dc), m_object(object), m_owned(owned) {
        m_previous = SelectObject(dc, object);
    }
    ~Selected() {
        SelectObject(m_dc, m_previous);
        if (m_owned) DeleteObject(m_object);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_previous;
    bool m_owned;
};

enum class Cap { Flat, Round };

// A pen and a brush for the shapes drawn next; no pen or no brush when not given.
class Style {
public:
    Style(HDC dc, COLORREF ink, double width, COLORREF fill, Cap cap = Cap::Flat)
        : m_pen(dc, MakePen(ink, width, cap), true), m_brush(dc, CreateSolidBrush(fill), true) {}
    Style(HDC dc, COLORREF ink, double width, Cap cap = Cap::Flat)
        : m_pen(dc, MakePen(ink, width, cap), true), m_brush(dc, GetStockObject(NULL_BRUSH), false) {}
    Style(HDC dc, COLORREF fill)
        : m_pen(dc, GetStockObject(NULL_PEN), false), m_brush(dc, CreateSolidBrush(fill), true) {}

private:
    static HGDIOBJ MakePen(COLORREF ink, double width, Cap cap) {
        LOGBRUSH brush{BS_SOLID, ink, 0};
        const DWORD ends = cap == Cap::Round ? PS_ENDCAP_ROUND | PS_JOIN_ROUND : PS_ENDCAP_FLAT | PS_JOIN_MITER;
        return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | ends, static_cast<DWORD>(std::max(1, Px(width))), &brush, 0,
                            nullptr);
    }
    Selected m_pen;
    Selected m_brush;
};

void Line(HDC dc, Point from, Point to) {
    MoveToEx(dc, Px(from.x), Px(from.y), nullptr);
    LineTo(dc, Px(to.x), Px(to.y));
}

void Box(HDC dc, double left, double top, double width, double height) {
    Rectangle(dc, Px(left), Px(top), Px(left + width), Px(top + height));
}

void RoundBox(HDC dc, double left, double top, double width, double height, double radius) {
    RoundRect(dc, Px(left), Px(top), Px(left + width), Px(top + height), Px(2 * radius), Px(2 * radius));
}

void Oval(HDC dc, Point centre, double rx, double ry) {
    Ellipse(dc, Px(centre.x - rx), Px(centre.y - ry), Px(centre.x + rx), Px(centre.y + ry));
}

void Label(HDC dc, double left, double top, double width, double height, const std::wstring& text, int pixels,
           COLORREF ink, UINT align = DT_CENTER) {
    Selected font(dc,
                  CreateFontW(-pixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"),
                  true);
    SetTextColor(dc, ink);
    SetBkMode(dc, TRANSPARENT);
    RECT cell{Px(left), Px(top), Px(left + width), Px(top + height)};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &cell, align | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

// An arrow pointing at `to`, its two wings 12 long at 30 degrees either side of the shaft.
void Arrow(HDC dc, Point from, Point to) {
    Style style(dc, kAccent, 4, Cap::Round);
    Line(dc, from, to);
    const double back = std::atan2(from.y - to.y, from.x - to.x);
    for (const double side : {-1.0, 1.0}) {
        const double angle = back + side * std::numbers::pi / 6;
        Line(dc, to, {to.x + 12 * std::cos(angle), to.y + 12 * std::sin(angle)});
    }
}

// The printer from the front: case, window onto the carriage, the head at `headX`.
void Printer(HDC dc, double headX, bool withHead = true) {
    {
        Style style(dc, kInk, 2, kBody);
        RoundBox(dc, 20, 60, 200, 130, 10);
    }
    {
        Style style(dc, kInk, 2, kWhite);
        Box(dc, 40, 80, 160, 60);
        Line(dc, {45, 95}, {195, 95});  // carriage rail
    }
    if (withHead) {
        Style style(dc, kInk, 2, kHead);
        Box(dc, headX - 14, 88, 28, 40);
        Line(dc, {headX, 128}, {headX, 136});  // pins
    }
    {
        Style style(dc, kInk, 2, kPlate);
        Box(dc, 50, 160, 140, 14);  // table
    }
    Style style(dc, kInk, 2, kDarkGray);
    Oval(dc, {195, 172}, 6, 6);  // power button
}

void Hand(HDC dc, Point at) {
    Style style(dc, kInk, 2, kSkin);
    RoundBox(dc, at.x, at.y, 46, 30, 12);
    RoundBox(dc, at.x + 40, at.y + 4, 22, 10, 5);  // thumb
}

void Plug(HDC dc, Point at) {
    {
        Style style(dc, kInk, 2, kBlack);
        Box(dc, at.x, at.y, 24, 16);
        Line(dc, {at.x + 24, at.y + 5}, {at.x + 32, at.y + 5});
        Line(dc, {at.x + 24, at.y + 11}, {at.x + 32, at.y + 11});
    }
    Style cable(dc, kInk, 4);
    Line(dc, {at.x, at.y + 8}, {at.x - 40, at.y + 30});
}

void Socket(HDC dc, Point at) {
    Style style(dc, kInk, 2, kBody);
    Box(dc, at.x, at.y, 14, 22);
}

COLORREF Blend(COLORREF over, COLORREF under, int alpha) {
    const auto mix = [alpha](int a, int b) { return static_cast<BYTE>((a * alpha + b * (255 - alpha)) / 255); };
    return RGB(mix(GetRValue(over), GetRValue(under)), mix(GetGValue(over), GetGValue(under)),
               mix(GetBValue(over), GetBValue(under)));
}

void PowerButton(HDC dc, Point centre, double radius, bool lit, COLORREF background) {
    if (lit) {
        Style glow(dc, Blend(kLit, background, 70));
        Oval(dc, centre, radius * 1.6, radius * 1.6);
    }
    {
        Style style(dc, kInk, 2, lit ? kLit : kDarkGray);
        Oval(dc, centre, radius, radius);
    }
    // The power symbol: a ring open at the top and a stroke through the gap.
    Style symbol(dc, kWhite, radius / 5, Cap::Round);
    const double r = radius / 2;
    const auto at = [&](double degrees) {
        const double a = degrees * std::numbers::pi / 180;
        return POINT{Px(centre.x + r * std::cos(a)), Px(centre.y - r * std::sin(a))};
    };
    const POINT start = at(120);
    const POINT end = at(60);
    SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    Arc(dc, Px(centre.x - r), Px(centre.y - r), Px(centre.x + r), Px(centre.y + r), start.x, start.y, end.x, end.y);
    Line(dc, {centre.x, centre.y - radius / 1.6}, {centre.x, centre.y - radius / 6});
}

void CautionSign(HDC dc, double left, double top, double width, double height) {
    const double right = left + width;
    const double bottom = top + height;
    const double middle = left + width / 2;
    {
        Style style(dc, kInk, 3, kSign, Cap::Round);
        const std::array<POINT, 3> triangle{{{Px(middle), Px(top)}, {Px(right), Px(bottom)}, {Px(left), Px(bottom)}}};
        Polygon(dc, triangle.data(), static_cast<int>(triangle.size()));
    }
    // Heat waves over a surface.
    Style style(dc, kInk, 3, Cap::Round);
    const double base = bottom - height * 0.18;
    Line(dc, {left + width * 0.3, base}, {right - width * 0.3, base});
    for (int i = -1; i <= 1; ++i) {
        const double x = middle + i * width * 0.12;
        const std::array<POINT, 4> wave{
            {{Px(x), Px(base - 6)}, {Px(x - 6), Px(base - 14)}, {Px(x + 6), Px(base - 20)}, {Px(x), Px(base - 28)}}};
        PolyBezier(dc, wave.data(), static_cast<DWORD>(wave.size()));
    }
}

// The 60 mm plate with the expected pattern: a header of four blocks, one row per pin, each
// row printed up to a different place.
void Pattern(HDC dc, double plateLeft, double plateTop, double plateWidth, double plateHeight, bool closeUp) {
    {
        Style style(dc, kInk, 2, kPlate);
        Box(dc, plateLeft, plateTop, plateWidth, plateHeight);
    }
    const int textPixels = closeUp ? 13 : 9;
    const double labelWidth = closeUp ? 0 : 30;
    const double left = plateLeft + 6 + labelWidth;
    const double width = plateWidth - 12 - labelWidth;
    const double rowHeight = (plateHeight - 26) / 9;
    constexpr std::array<const wchar_t*, 4> kBlocks = {L"A", L"B", L"C", L"D"};
    for (std::size_t b = 0; b < kBlocks.size(); ++b) {
        Label(dc, left + width * static_cast<double>(b) / 4, plateTop + 4, width / 4, 14, kBlocks[b], textPixels, kInk);
    }
    // Steps printed, of 40; the close-up shows rows that break off in block D.
    const std::array<int, 9> reach = closeUp ? std::array<int, 9>{31, 34, 32}
                                             : std::array<int, 9>{31, 28, 35, 30, 33, 26, 29, 32, 30};
    const int rows = closeUp ? 3 : 9;
    for (int row = 0; row < rows; ++row) {
        const double y = plateTop + 22 + row * (closeUp ? rowHeight * 2.4 : rowHeight);
        const int steps = reach[static_cast<std::size_t>(row)];
        if (!closeUp) {
            Label(dc, plateLeft + 4, y, labelWidth, rowHeight, L"No." + std::to_wstring(row + 1), textPixels, kInk,
                  DT_LEFT);
        }
        const double end = left + width * steps / 40.0;
        {
            Style stroke(dc, kHead, closeUp ? 4 : 2);
            Line(dc, {left, y + rowHeight / 2}, {end, y + rowHeight / 2});
        }
        if (closeUp) {
            // The first digit where the printing breaks off is read: boxed.
            Style box(dc, kAccent, 2);
            Box(dc, end - 4, y - 2, 14, rowHeight + 6);
            Label(dc, end - 4, y + rowHeight + 4, 14, 14, std::to_wstring(steps % 10), textPixels, kInk);
        }
    }
    if (closeUp) {
        // The block letter the reading starts with: circled.
        Style circle(dc, kAccent, 2);
        Oval(dc, {left + width * 3 / 4 + width / 8, plateTop + 11}, 10, 10);
    }
}

void Paint(HDC dc, WizardPicture picture, COLORREF background) {
    switch (picture) {
    case WizardPicture::MoveHead:
        Printer(dc, 120);
        Arrow(dc, {60, 40}, {108, 86});
        Arrow(dc, {180, 40}, {132, 86});
        break;
    case WizardPicture::PowerOff:
        Printer(dc, 120);
        Socket(dc, {220, 110});
        Plug(dc, {160, 210});
        Hand(dc, {120, 200});
        Arrow(dc, {160, 240}, {110, 240});
        break;
    case WizardPicture::ReplaceHead: {
        Printer(dc, 0, false);
        Style style(dc, kInk, 2, kHead);
        Box(dc, 110, 10, 28, 40);
        Arrow(dc, {124, 86}, {124, 56});
        break;
    }
    case WizardPicture::HeadInstall:
        Printer(dc, 120);
        {
            Style screws(dc, kInk, 2, kLightGray);
            Oval(dc, {112, 98}, 3, 3);
            Oval(dc, {128, 98}, 3, 3);
        }
        {
            Style cap(dc, kInk, 2, kAccent);
            Box(dc, 110, 128, 20, 6);
        }
        Arrow(dc, {120, 20}, {120, 70});
        break;
    case WizardPicture::PowerOn:
        Printer(dc, 120);
        Socket(dc, {220, 110});
        Plug(dc, {180, 113});
        Arrow(dc, {150, 230}, {200, 230});
        PowerButton(dc, {195, 172}, 7, true, background);
        break;
    case WizardPicture::PowerButton:
        PowerButton(dc, {120, 110}, 48, true, background);
        Hand(dc, {100, 170});
        Arrow(dc, {60, 60}, {82, 82});
        break;
    case WizardPicture::Caution: CautionSign(dc, 30, 40, 180, 160); break;
    case WizardPicture::Table: {
        {
            Style style(dc, kInk, 2, kBody);
            Box(dc, 20, 40, 200, 170);  // table
        }
        {
            Style style(dc, kInk, 2, kPlate);
            Box(dc, 85, 90, 70, 70);  // the plate at its centre
        }
        {
            Selected dashed(dc, CreatePen(PS_DASH, 1, kAccent), true);
            Line(dc, {20, 125}, {220, 125});
            Line(dc, {120, 40}, {120, 210});
        }
        Label(dc, 85, 162, 70, 16, L"60 mm", 12, kInk);
        break;
    }
    case WizardPicture::Pattern: Pattern(dc, 10, 20, 221, 210, false); break;
    case WizardPicture::PatternCloseUp: Pattern(dc, 10, 40, 221, 170, true); break;
    case WizardPicture::OriginMark: {
        {
            Style style(dc, kInk, 2, kPlate);
            Box(dc, 45, 50, 150, 150);
        }
        Style cross(dc, kHead, 3);
        Line(dc, {120, 95}, {120, 155});
        Line(dc, {90, 125}, {150, 125});
        Oval(dc, {120, 125}, 18, 18);
        break;
    }
    }
}

}  // namespace

void PaintWizardPicture(HDC dc, const RECT& box, WizardPicture picture, COLORREF background) {
    {
        HBRUSH fill = CreateSolidBrush(background);
        FillRect(dc, &box, fill);
        DeleteObject(fill);
    }
    const double width = box.right - box.left;
    const double height = box.bottom - box.top;
    if (width <= 0 || height <= 0) return;
    const double scale = std::min(width / kWizardPictureWidth, height / kWizardPictureHeight);
    const int saved = SaveDC(dc);
    SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM toBox{static_cast<FLOAT>(scale), 0, 0, static_cast<FLOAT>(scale),
                      static_cast<FLOAT>(box.left + (width - kWizardPictureWidth * scale) / 2),
                      static_cast<FLOAT>(box.top + (height - kWizardPictureHeight * scale) / 2)};
    SetWorldTransform(dc, &toBox);
    Paint(dc, picture, background);
    RestoreDC(dc, saved);
}

}  // namespace zt40::win
