#include "wizards/WizardPictureShapes.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace zt40 {

namespace {

constexpr PictureColour kInk{40, 44, 52};
constexpr PictureColour kBody{214, 219, 226};
constexpr PictureColour kHead{92, 108, 140};
constexpr PictureColour kAccent{214, 64, 48};
constexpr PictureColour kLit{70, 190, 90};
constexpr PictureColour kGlow{70, 190, 90, 70};
constexpr PictureColour kPlate{238, 232, 214};
constexpr PictureColour kSkin{240, 200, 170};
constexpr PictureColour kSign{250, 204, 40};
constexpr PictureColour kWhite{255, 255, 255};
constexpr PictureColour kBlack{0, 0, 0};
constexpr PictureColour kDarkGray{128, 128, 128};
constexpr PictureColour kLightGray{192, 192, 192};

// Curves go to the painters as short straight pieces (an arc's a piece per 4 degrees), off the
// true curve by less than a tenth of a pixel at the sizes a page gives a picture: no painter
// needs arcs or splines of its own.
constexpr int kCurvePieces = 24;

// Collects shapes with the outline and fill last set, as one would draw with a pen and a brush.
class Sketch {
public:
    void Pen(PictureColour colour, double width, bool round = false, bool dashed = false) {
        m_stroke = {colour, width, round, dashed};
    }
    void NoPen() { m_stroke = {}; }
    void Fill(PictureColour colour) { m_fill = colour; }
    void NoFill() { m_fill.reset(); }

    void Box(double left, double top, double width, double height) {
        Add(ShapeKind::Box, {left, top, width, height});
    }
    void RoundBox(double left, double top, double width, double height, double radius) {
        Add(ShapeKind::RoundedBox, {left, top, width, height}).radius = radius;
    }
    void Circle(PicturePoint centre, double radius) {
        Add(ShapeKind::Ellipse, {centre.x - radius, centre.y - radius, 2 * radius, 2 * radius});
    }
    void Line(PicturePoint from, PicturePoint to) { Polyline({from, to}); }
    void Polyline(std::vector<PicturePoint> points) {
        PictureShape& shape = Add(ShapeKind::Polyline, {});
        shape.points = std::move(points);
        shape.fill.reset();
    }
    void Polygon(std::vector<PicturePoint> points) { Add(ShapeKind::Polygon, {}).points = std::move(points); }
    void Text(PictureBox box, std::string text, int pixels, bool bold, bool centred = true) {
        PictureShape& shape = Add(ShapeKind::Text, box);
        shape.stroke = PictureStroke();
        shape.stroke.colour = m_stroke.colour;
        shape.fill.reset();
        shape.text = std::move(text);
        shape.textPixels = pixels;
        shape.bold = bold;
        shape.centred = centred;
    }

    // An arrow pointing at `to`, its two wings 12 long at 30 degrees either side of the shaft.
    void Arrow(PicturePoint from, PicturePoint to) {
        Pen(kAccent, 4, true);
        Line(from, to);
        const double back = std::atan2(from.y - to.y, from.x - to.x);
        for (const double side : {1.0, -1.0}) {
            const double angle = back + side * std::numbers::pi / 6;
            Line(to, {to.x + 12 * std::cos(angle), to.y + 12 * std::sin(angle)});
        }
    }

    std::vector<PictureShape> Done() { return std::move(m_shapes); }

private:
    PictureShape& Add(ShapeKind kind, PictureBox box) {
        PictureShape& shape = m_shapes.emplace_back();
        shape.kind = kind;
        shape.box = box;
        shape.stroke = m_stroke;
        shape.fill = m_fill;
        return shape;
    }

    PictureStroke m_stroke;
    std::optional<PictureColour> m_fill;
    std::vector<PictureShape> m_shapes;
};

// Degrees counter-clockwise from three o'clock, as on a clock face seen from the front.
std::vector<PicturePoint> Arc(PicturePoint centre, double radius, double startDegrees, double spanDegrees) {
    std::vector<PicturePoint> points;
    const int pieces = static_cast<int>(std::ceil(spanDegrees / 4));
    for (int i = 0; i <= pieces; ++i) {
        const double a = (startDegrees + spanDegrees * i / pieces) * std::numbers::pi / 180;
        points.push_back({centre.x + radius * std::cos(a), centre.y - radius * std::sin(a)});
    }
    return points;
}

std::vector<PicturePoint> Bezier(PicturePoint p0, PicturePoint p1, PicturePoint p2, PicturePoint p3) {
    std::vector<PicturePoint> points;
    for (int i = 0; i <= kCurvePieces; ++i) {
        const double t = static_cast<double>(i) / kCurvePieces;
        const double u = 1 - t;
        const auto at = [&](double a, double b, double c, double d) {
            return u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d;
        };
        points.push_back({at(p0.x, p1.x, p2.x, p3.x), at(p0.y, p1.y, p2.y, p3.y)});
    }
    return points;
}

// The printer from the front: case, window onto the carriage, the head at `headX`.
void Printer(Sketch& s, double headX, bool withHead = true) {
    s.Pen(kInk, 2);
    s.Fill(kBody);
    s.RoundBox(20, 60, 200, 130, 10);
    s.Fill(kWhite);
    s.Box(40, 80, 160, 60);
    s.Line({45, 95}, {195, 95});  // carriage rail
    if (withHead) {
        s.Fill(kHead);
        s.Box(headX - 14, 88, 28, 40);
        s.Line({headX, 128}, {headX, 136});  // pins
    }
    s.Fill(kPlate);
    s.Box(50, 160, 140, 14);  // table
    s.Fill(kDarkGray);
    s.Circle({195, 172}, 6);  // power button
}

void Hand(Sketch& s, PicturePoint at) {
    s.Pen(kInk, 2);
    s.Fill(kSkin);
    s.RoundBox(at.x, at.y, 46, 30, 12);
    s.RoundBox(at.x + 40, at.y + 4, 22, 10, 5);  // thumb
}

void Plug(Sketch& s, PicturePoint at) {
    s.Pen(kInk, 2);
    s.Fill(kBlack);
    s.Box(at.x, at.y, 24, 16);
    s.Line({at.x + 24, at.y + 5}, {at.x + 32, at.y + 5});
    s.Line({at.x + 24, at.y + 11}, {at.x + 32, at.y + 11});
    s.Pen(kInk, 4);
    s.Line({at.x, at.y + 8}, {at.x - 40, at.y + 30});  // cable
}

void Socket(Sketch& s, PicturePoint at) {
    s.Pen(kInk, 2);
    s.Fill(kBody);
    s.Box(at.x, at.y, 14, 22);
}

void PowerButton(Sketch& s, PicturePoint centre, double radius) {
    s.NoPen();
    s.Fill(kGlow);
    s.Circle(centre, radius * 1.6);
    s.Pen(kInk, 2);
    s.Fill(kLit);
    s.Circle(centre, radius);
    // The power symbol: a ring open at the top and a stroke through the gap.
    s.Pen(kWhite, radius / 5, true);
    s.Polyline(Arc(centre, radius / 2, 120, 300));
    s.Line({centre.x, centre.y - radius / 1.6}, {centre.x, centre.y - radius / 6});
}

void CautionSign(Sketch& s, PictureBox box) {
    const double right = box.left + box.width;
    const double bottom = box.top + box.height;
    const double middle = box.left + box.width / 2;
    s.Pen(kInk, 3, true);
    s.Fill(kSign);
    s.Polygon({{middle, box.top}, {right, bottom}, {box.left, bottom}});
    // Heat waves over a surface.
    const double base = bottom - box.height * 0.18;
    s.Line({box.left + box.width * 0.3, base}, {right - box.width * 0.3, base});
    for (int i = -1; i <= 1; ++i) {
        const double x = middle + i * box.width * 0.12;
        s.Polyline(Bezier({x, base - 6}, {x - 6, base - 14}, {x + 6, base - 20}, {x, base - 28}));
    }
}

// The 60 mm plate with the expected pattern: a header of four blocks, one row per pin, each
// row printed up to a different place.
void Pattern(Sketch& s, PictureBox plate, bool closeUp) {
    s.Pen(kInk, 2);
    s.Fill(kPlate);
    s.Box(plate.left, plate.top, plate.width, plate.height);
    const int pixels = closeUp ? 13 : 9;
    const double labelWidth = closeUp ? 0 : 30;
    const double left = plate.left + 6 + labelWidth;
    const double width = plate.width - 12 - labelWidth;
    const double rowHeight = (plate.height - 26) / 9;
    const char* const blocks[] = {"A", "B", "C", "D"};
    for (int b = 0; b < 4; ++b) s.Text({left + width * b / 4, plate.top + 4, width / 4, 14}, blocks[b], pixels, true);
    // Steps printed, of 40; the close-up shows rows that break off in block D.
    const std::array<int, 9> reach = closeUp ? std::array<int, 9>{31, 34, 32}
                                             : std::array<int, 9>{31, 28, 35, 30, 33, 26, 29, 32, 30};
    const int rows = closeUp ? 3 : 9;
    for (int row = 0; row < rows; ++row) {
        const double y = plate.top + 22 + row * (closeUp ? rowHeight * 2.4 : rowHeight);
        const int steps = reach[static_cast<std::size_t>(row)];
        if (!closeUp) {
            s.Pen(kInk, 0);
            s.Text({plate.left + 4, y, labelWidth, rowHeight}, "No." + std::to_string(row + 1), pixels, true, false);
        }
        const double end = left + width * steps / 40.0;
        s.Pen(kHead, closeUp ? 4 : 2);
        s.Line({left, y + rowHeight / 2}, {end, y + rowHeight / 2});
        if (closeUp) {
            // The first digit where the printing breaks off is read: boxed.
            s.Pen(kAccent, 2);
            s.NoFill();
            s.Box(end - 4, y - 2, 14, rowHeight + 6);
            s.Pen(kInk, 0);
            s.Text({end - 4, y + rowHeight + 4, 14, 14}, std::to_string(steps % 10), pixels, true);
        }
    }
    if (closeUp) {
        // The block letter the reading starts with: circled.
        s.Pen(kAccent, 2);
        s.NoFill();
        s.Circle({left + width * 7 / 8, plate.top + 11}, 10);
    }
}

void Draw(Sketch& s, WizardPicture picture) {
    switch (picture) {
    case WizardPicture::MoveHead:
        Printer(s, 120);
        s.Arrow({60, 40}, {108, 86});
        s.Arrow({180, 40}, {132, 86});
        break;
    case WizardPicture::PowerOff:
        Printer(s, 120);
        Socket(s, {220, 110});
        Plug(s, {160, 210});
        Hand(s, {120, 200});
        s.Arrow({160, 240}, {110, 240});
        break;
    case WizardPicture::ReplaceHead:
        Printer(s, 0, false);
        s.Pen(kInk, 2);
        s.Fill(kHead);
        s.Box(110, 10, 28, 40);
        s.Arrow({124, 86}, {124, 56});
        break;
    case WizardPicture::HeadInstall:
        Printer(s, 120);
        s.Fill(kLightGray);
        s.Circle({112, 98}, 3);  // the two screws
        s.Circle({128, 98}, 3);
        s.Fill(kAccent);
        s.Box(110, 128, 20, 6);  // the head cap
        s.Arrow({120, 20}, {120, 70});
        break;
    case WizardPicture::PowerOn:
        Printer(s, 120);
        Socket(s, {220, 110});
        Plug(s, {180, 113});
        s.Arrow({150, 230}, {200, 230});
        PowerButton(s, {195, 172}, 7);
        break;
    case WizardPicture::PowerButton:
        PowerButton(s, {120, 110}, 48);
        Hand(s, {100, 170});
        s.Arrow({60, 60}, {82, 82});
        break;
    case WizardPicture::Caution: CautionSign(s, {30, 40, 180, 160}); break;
    case WizardPicture::Table:
        s.Pen(kInk, 2);
        s.Fill(kBody);
        s.Box(20, 40, 200, 170);  // table
        s.Fill(kPlate);
        s.Box(85, 90, 70, 70);  // the plate at its centre
        s.Pen(kAccent, 1, false, true);
        s.Line({20, 125}, {220, 125});
        s.Line({120, 40}, {120, 210});
        s.Pen(kInk, 0);
        s.Text({85, 162, 70, 16}, "60 mm", 12, false);
        break;
    case WizardPicture::Pattern: Pattern(s, {10, 20, 221, 210}, false); break;
    case WizardPicture::PatternCloseUp: Pattern(s, {10, 40, 221, 170}, true); break;
    case WizardPicture::OriginMark:
        s.Pen(kInk, 2);
        s.Fill(kPlate);
        s.Box(45, 50, 150, 150);
        // The ring is filled with the plate's colour: the cross shows only outside it.
        s.Pen(kHead, 3);
        s.Line({120, 95}, {120, 155});
        s.Line({90, 125}, {150, 125});
        s.Circle({120, 125}, 18);
        break;
    }
}

}  // namespace

std::vector<PictureShape> WizardPictureShapes(WizardPicture picture) {
    Sketch sketch;
    Draw(sketch, picture);
    return sketch.Done();
}

}  // namespace zt40
