#include "ui/WizardPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>

namespace zt40::ui {

namespace {

constexpr qreal kWidth = kWizardPictureWidth;
constexpr qreal kHeight = kWizardPictureHeight;

const QColor kInk(40, 44, 52);
const QColor kBody(214, 219, 226);
const QColor kHead(92, 108, 140);
const QColor kAccent(214, 64, 48);
const QColor kLit(70, 190, 90);
const QColor kPlate(238, 232, 214);
const QColor kSkin(240, 200, 170);

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.save();
    p.setPen(QPen(kAccent, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QLineF line(to, from);
    QLineF wing1 = line;
    wing1.setLength(12);
    wing1.setAngle(line.angle() + 30);
    QLineF wing2 = line;
    wing2.setLength(12);
    wing2.setAngle(line.angle() - 30);
    p.drawLine(wing1);
    p.drawLine(wing2);
    p.restore();
}

// The printer from the front: case, window onto the carriage, the head at `headX`.
void Printer(QPainter& p, qreal headX, bool withHead = true) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(kBody);
    p.drawRoundedRect(QRectF(20, 60, 200, 130), 10, 10);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(40, 80, 160, 60));
    p.drawLine(QPointF(45, 95), QPointF(195, 95));  // carriage rail
    if (withHead) {
        p.setBrush(kHead);
        p.drawRect(QRectF(headX - 14, 88, 28, 40));
        p.drawLine(QPointF(headX, 128), QPointF(headX, 136));  // pins
    }
    p.setBrush(kPlate);
    p.drawRect(QRectF(50, 160, 140, 14));  // table
    p.setBrush(Qt::darkGray);
    p.drawEllipse(QPointF(195, 172), 6, 6);  // power button
}

void Hand(QPainter& p, QPointF at) {
    p.save();
    p.setPen(QPen(kInk, 2));
    p.setBrush(kSkin);
    p.drawRoundedRect(QRectF(at.x(), at.y(), 46, 30), 12, 12);
    p.drawRoundedRect(QRectF(at.x() + 40, at.y() + 4, 22, 10), 5, 5);  // thumb
    p.restore();
}

void Plug(QPainter& p, QPointF at) {
    p.save();
    p.setPen(QPen(kInk, 2));
    p.setBrush(Qt::black);
    p.drawRect(QRectF(at.x(), at.y(), 24, 16));
    p.drawLine(QPointF(at.x() + 24, at.y() + 5), QPointF(at.x() + 32, at.y() + 5));
    p.drawLine(QPointF(at.x() + 24, at.y() + 11), QPointF(at.x() + 32, at.y() + 11));
    p.setPen(QPen(kInk, 4));
    p.drawLine(QPointF(at.x(), at.y() + 8), QPointF(at.x() - 40, at.y() + 30));  // cable
    p.restore();
}

void Socket(QPainter& p, QPointF at) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(kBody);
    p.drawRect(QRectF(at.x(), at.y(), 14, 22));
}

void PowerButton(QPainter& p, QPointF centre, qreal radius, bool lit) {
    p.save();
    if (lit) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(kLit.red(), kLit.green(), kLit.blue(), 70));
        p.drawEllipse(centre, radius * 1.6, radius * 1.6);
    }
    p.setPen(QPen(kInk, 2));
    p.setBrush(lit ? kLit : Qt::darkGray);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(Qt::white, radius / 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - radius / 2, centre.y() - radius / 2, radius, radius);
    p.drawArc(ring, 120 * 16, 300 * 16);
    p.drawLine(centre - QPointF(0, radius / 1.6), centre - QPointF(0, radius / 6));
    p.restore();
}

void CautionSign(QPainter& p, QRectF box) {
    const QPolygonF triangle({QPointF(box.center().x(), box.top()), box.bottomRight(), box.bottomLeft()});
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(250, 204, 40));
    p.drawPolygon(triangle);
    // Heat waves over a surface.
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    const qreal base = box.bottom() - box.height() * 0.18;
    p.drawLine(QPointF(box.left() + box.width() * 0.3, base), QPointF(box.right() - box.width() * 0.3, base));
    for (int i = -1; i <= 1; ++i) {
        const qreal x = box.center().x() + i * box.width() * 0.12;
        QPainterPath wave(QPointF(x, base - 6));
        wave.cubicTo(QPointF(x - 6, base - 14), QPointF(x + 6, base - 20), QPointF(x, base - 28));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    }
}

// The 60 mm plate with the expected pattern: a header of four blocks, one row per pin, each
// row printed up to a different place.
void Pattern(QPainter& p, QRectF plate, bool closeUp) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(kPlate);
    p.drawRect(plate);
    QFont font = p.font();
    font.setPixelSize(closeUp ? 13 : 9);
    font.setBold(true);
    p.setFont(font);
    const qreal labelWidth = closeUp ? 0 : 30;
    const qreal left = plate.left() + 6 + labelWidth;
    const qreal width = plate.width() - 12 - labelWidth;
    const qreal rowHeight = (plate.height() - 26) / 9;
    const std::array<const char*, 4> blocks = {"A", "B", "C", "D"};
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const QRectF cell(left + width * static_cast<qreal>(b) / 4, plate.top() + 4, width / 4, 14);
        p.drawText(cell, Qt::AlignCenter, blocks[b]);
    }
    // Steps printed, of 40; the close-up shows rows that break off in block D.
    const std::array<int, 9> reach = closeUp ? std::array<int, 9>{31, 34, 32}
                                             : std::array<int, 9>{31, 28, 35, 30, 33, 26, 29, 32, 30};
    const int rows = closeUp ? 3 : 9;
    for (int row = 0; row < rows; ++row) {
        const qreal y = plate.top() + 22 + row * (closeUp ? rowHeight * 2.4 : rowHeight);
        if (!closeUp) {
            p.setPen(kInk);
            p.drawText(QRectF(plate.left() + 4, y, labelWidth, rowHeight), Qt::AlignVCenter,
                       QStringLiteral("No.%1").arg(row + 1));
        }
        p.setPen(QPen(kHead, closeUp ? 4 : 2));
        const qreal end = left + width * reach[static_cast<std::size_t>(row)] / 40.0;
        p.drawLine(QPointF(left, y + rowHeight / 2), QPointF(end, y + rowHeight / 2));
        if (closeUp) {
            // The first digit where the printing breaks off is read: boxed.
            p.setPen(QPen(kAccent, 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(end - 4, y - 2, 14, rowHeight + 6));
            p.setPen(kInk);
            p.drawText(QRectF(end - 4, y + rowHeight + 4, 14, 14), Qt::AlignCenter,
                       QString::number(reach[static_cast<std::size_t>(row)] % 10));
        }
    }
    if (closeUp) {
        // The block letter the reading starts with: circled.
        p.setPen(QPen(kAccent, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(left + width * 3 / 4 + width / 8 - 10, plate.top() + 1, 20, 20));
    }
}

void Paint(QPainter& p, WizardPicture picture) {
    switch (picture) {
    case WizardPicture::MoveHead:
        Printer(p, 120);
        Arrow(p, QPointF(60, 40), QPointF(108, 86));
        Arrow(p, QPointF(180, 40), QPointF(132, 86));
        break;
    case WizardPicture::PowerOff:
        Printer(p, 120);
        Socket(p, QPointF(220, 110));
        Plug(p, QPointF(160, 210));
        Hand(p, QPointF(120, 200));
        Arrow(p, QPointF(160, 240), QPointF(110, 240));
        break;
    case WizardPicture::ReplaceHead:
        Printer(p, 0, false);
        p.setPen(QPen(kInk, 2));
        p.setBrush(kHead);
        p.drawRect(QRectF(110, 10, 28, 40));
        Arrow(p, QPointF(124, 86), QPointF(124, 56));
        break;
    case WizardPicture::HeadInstall:
        Printer(p, 120);
        p.setPen(QPen(kInk, 2));
        p.setBrush(Qt::lightGray);
        p.drawEllipse(QPointF(112, 98), 3, 3);  // the two screws
        p.drawEllipse(QPointF(128, 98), 3, 3);
        p.setBrush(kAccent);
        p.drawRect(QRectF(110, 128, 20, 6));  // the head cap
        Arrow(p, QPointF(120, 20), QPointF(120, 70));
        break;
    case WizardPicture::PowerOn:
        Printer(p, 120);
        Socket(p, QPointF(220, 110));
        Plug(p, QPointF(180, 113));
        Arrow(p, QPointF(150, 230), QPointF(200, 230));
        PowerButton(p, QPointF(195, 172), 7, true);
        break;
    case WizardPicture::PowerButton:
        PowerButton(p, QPointF(120, 110), 48, true);
        Hand(p, QPointF(100, 170));
        Arrow(p, QPointF(60, 60), QPointF(82, 82));
        break;
    case WizardPicture::Caution: CautionSign(p, QRectF(30, 40, 180, 160)); break;
    case WizardPicture::Table:
        p.setPen(QPen(kInk, 2));
        p.setBrush(kBody);
        p.drawRect(QRectF(20, 40, 200, 170));  // table
        p.setBrush(kPlate);
        p.drawRect(QRectF(85, 90, 70, 70));  // the plate at its centre
        p.setPen(QPen(kAccent, 1, Qt::DashLine));
        p.drawLine(QPointF(20, 125), QPointF(220, 125));
        p.drawLine(QPointF(120, 40), QPointF(120, 210));
        p.setPen(kInk);
        p.drawText(QRectF(85, 162, 70, 16), Qt::AlignCenter, QStringLiteral("60 mm"));
        break;
    case WizardPicture::Pattern: Pattern(p, QRectF(10, 20, 221, 210), false); break;
    case WizardPicture::PatternCloseUp: Pattern(p, QRectF(10, 40, 221, 170), true); break;
    case WizardPicture::OriginMark:
        p.setPen(QPen(kInk, 2));
        p.setBrush(kPlate);
        p.drawRect(QRectF(45, 50, 150, 150));
        p.setPen(QPen(kHead, 3));
        p.drawLine(QPointF(120, 95), QPointF(120, 155));
        p.drawLine(QPointF(90, 125), QPointF(150, 125));
        p.drawEllipse(QPointF(120, 125), 18, 18);
        break;
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
    Paint(p, m_picture);
}

}  // namespace zt40::ui
