#include "ui/WizardPictures.h"

#include <QPainter>
#include <QPolygonF>

#include "wizards/WizardPictureShapes.h"

namespace zt40::ui {

namespace {

constexpr qreal kWidth = kWizardPictureWidth;
constexpr qreal kHeight = kWizardPictureHeight;

QColor ToQt(PictureColour colour) { return QColor(colour.red, colour.green, colour.blue, colour.alpha); }

QRectF ToQt(const PictureBox& box) { return QRectF(box.left, box.top, box.width, box.height); }

QPen PenOf(const PictureStroke& stroke) {
    if (stroke.width <= 0) return Qt::NoPen;
    return QPen(ToQt(stroke.colour), stroke.width, stroke.dashed ? Qt::DashLine : Qt::SolidLine,
                stroke.round ? Qt::RoundCap : Qt::SquareCap, stroke.round ? Qt::RoundJoin : Qt::BevelJoin);
}

void Draw(QPainter& p, const PictureShape& shape) {
    p.setPen(PenOf(shape.stroke));
    p.setBrush(shape.fill ? QBrush(ToQt(*shape.fill)) : QBrush(Qt::NoBrush));
    QPolygonF points;
    for (const PicturePoint& point : shape.points) points << QPointF(point.x, point.y);
    switch (shape.kind) {
    case ShapeKind::Box: p.drawRect(ToQt(shape.box)); break;
    case ShapeKind::RoundedBox: p.drawRoundedRect(ToQt(shape.box), shape.radius, shape.radius); break;
    case ShapeKind::Ellipse: p.drawEllipse(ToQt(shape.box)); break;
    case ShapeKind::Polyline:
        // A lone line through drawLine: it is stroked a shade differently from a polyline.
        if (points.size() == 2) p.drawLine(points[0], points[1]);
        else p.drawPolyline(points);
        break;
    case ShapeKind::Polygon: p.drawPolygon(points); break;
    case ShapeKind::Text: {
        // The page's own family, at the picture's size.
        QFont font = p.font();
        font.setPixelSize(shape.textPixels);
        font.setBold(shape.bold);
        p.setFont(font);
        p.setPen(ToQt(shape.stroke.colour));
        p.drawText(ToQt(shape.box), (shape.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter,
                   QString::fromLatin1(shape.text));
        break;
    }
    }
}

}  // namespace

WizardPictureWidget::WizardPictureWidget(WizardPicture picture, QWidget* parent)
    : QWidget(parent), m_picture(picture) {
    setMinimumSize(120, 125);
}

QSize WizardPictureWidget::sizeHint() const { return {static_cast<int>(kWidth), static_cast<int>(kHeight)}; }

void WizardPictureWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = std::min(width() / kWidth, height() / kHeight);
    p.translate((width() - kWidth * scale) / 2, (height() - kHeight * scale) / 2);
    p.scale(scale, scale);
    for (const PictureShape& shape : WizardPictureShapes(m_picture)) Draw(p, shape);
}

}  // namespace zt40::ui
