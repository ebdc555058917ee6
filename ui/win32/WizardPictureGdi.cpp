#include "ui/win32/WizardPictureGdi.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ui/win32/GdiSelected.h"
#include "wizards/WizardPictureShapes.h"

namespace zt40::win {

namespace {

// GDI takes whole logical units: the canvas is drawn sixteen times finer and scaled back, so
// that the short pieces of a curve keep their places between pixels.
constexpr double kFine = 16;

int Px(double v) { return static_cast<int>(std::lround(v * kFine)); }

// GDI has no see-through brushes: a partly clear colour is mixed with the page's background.
COLORREF ToGdi(PictureColour colour, COLORREF background) {
    const auto mix = [&](int over, int under) {
        return static_cast<BYTE>((over * colour.alpha + under * (255 - colour.alpha)) / 255);
    };
    return RGB(mix(colour.red, GetRValue(background)), mix(colour.green, GetGValue(background)),
               mix(colour.blue, GetBValue(background)));
}

Selected PenOf(HDC dc, const PictureStroke& stroke, COLORREF background) {
    const COLORREF colour = ToGdi(stroke.colour, background);
    if (stroke.width <= 0) return Selected(dc, GetStockObject(NULL_PEN), false);
    if (stroke.dashed) return Selected(dc, CreatePen(PS_DASH, 0, colour), true);
    LOGBRUSH brush{BS_SOLID, colour, 0};
    const DWORD ends = stroke.round ? PS_ENDCAP_ROUND | PS_JOIN_ROUND : PS_ENDCAP_SQUARE | PS_JOIN_BEVEL;
    const auto width = static_cast<DWORD>(std::max(1, Px(stroke.width)));
    return Selected(dc, ExtCreatePen(PS_GEOMETRIC | PS_SOLID | ends, width, &brush, 0, nullptr), true);
}

Selected BrushOf(HDC dc, const PictureShape& shape, COLORREF background) {
    if (!shape.fill) return Selected(dc, GetStockObject(NULL_BRUSH), false);
    return Selected(dc, CreateSolidBrush(ToGdi(*shape.fill, background)), true);
}

void Label(HDC dc, const PictureShape& shape, RECT cell, COLORREF background) {
    Selected font(dc,
                  CreateFontW(-Px(shape.textPixels), 0, 0, 0, shape.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                              DEFAULT_PITCH | FF_SWISS, L"Arial"),
                  true);
    SetTextColor(dc, ToGdi(shape.stroke.colour, background));
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text(shape.text.begin(), shape.text.end());
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &cell,
              (shape.centred ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

void Draw(HDC dc, const PictureShape& shape, COLORREF background) {
    const Selected pen = PenOf(dc, shape.stroke, background);
    const Selected brush = BrushOf(dc, shape, background);
    const RECT box{Px(shape.box.left), Px(shape.box.top), Px(shape.box.left + shape.box.width),
                   Px(shape.box.top + shape.box.height)};
    std::vector<POINT> points;
    for (const PicturePoint& point : shape.points) points.push_back({Px(point.x), Px(point.y)});
    const auto count = static_cast<int>(points.size());
    switch (shape.kind) {
    case ShapeKind::Box: Rectangle(dc, box.left, box.top, box.right, box.bottom); break;
    case ShapeKind::RoundedBox:
        RoundRect(dc, box.left, box.top, box.right, box.bottom, Px(2 * shape.radius), Px(2 * shape.radius));
        break;
    case ShapeKind::Ellipse: Ellipse(dc, box.left, box.top, box.right, box.bottom); break;
    case ShapeKind::Polyline: Polyline(dc, points.data(), count); break;
    case ShapeKind::Polygon: Polygon(dc, points.data(), count); break;
    case ShapeKind::Text: Label(dc, shape, box, background); break;
    }
}

}  // namespace

void PaintWizardPicture(HDC dc, const RECT& box, WizardPicture picture, COLORREF background) {
    const double width = box.right - box.left;
    const double height = box.bottom - box.top;
    if (width <= 0 || height <= 0) return;
    {
        const Selected fill(dc, CreateSolidBrush(background), true);
        PatBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATCOPY);
    }
    const double scale = std::min(width / kWizardPictureWidth, height / kWizardPictureHeight);
    const int saved = SaveDC(dc);
    SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM toBox{static_cast<FLOAT>(scale / kFine), 0, 0, static_cast<FLOAT>(scale / kFine),
                      static_cast<FLOAT>(box.left + (width - kWizardPictureWidth * scale) / 2),
                      static_cast<FLOAT>(box.top + (height - kWizardPictureHeight * scale) / 2)};
    SetWorldTransform(dc, &toBox);
    for (const PictureShape& shape : WizardPictureShapes(picture)) Draw(dc, shape, background);
    RestoreDC(dc, saved);
}

}  // namespace zt40::win
