#include "widgets/toolbar_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <cmath>

namespace corvanta {

namespace {

const QColor kOutline(30, 30, 30);

// An arrow pointing right, turned by `degrees` about the picture's centre.
void arrow(QPainter& p, qreal degrees) {
    const QPolygonF shape({{4, 12}, {17, 12}, {17, 5}, {28, 16}, {17, 27}, {17, 20}, {4, 20}});
    p.save();
    p.translate(16, 16);
    p.rotate(degrees);
    p.translate(-16, -16);
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(QColor(20, 110, 40));
    p.drawPolygon(shape);
    p.restore();
}

void writingHand(QPainter& p) {
    // The sheet, with its lines of writing.
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 2.5, 18, 25));
    p.setPen(QPen(QColor(90, 90, 160), 1));
    for (int y = 8; y <= 20; y += 4)
        p.drawLine(QPointF(6, y), QPointF(y < 20 ? 19 : 13, y));
    // The pen, its tip on the last line.
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(230, 190, 40));
    p.drawPolygon(QPolygonF({{15, 21}, {26, 8}, {29, 11}, {18, 24}}));
    p.setBrush(QColor(60, 60, 60));
    p.drawPolygon(QPolygonF({{15, 21}, {18, 24}, {13.5, 25.5}}));
    // The hand holding it.
    p.setBrush(QColor(240, 196, 160));
    QPainterPath hand;
    hand.moveTo(17, 22);
    hand.cubicTo(17, 17, 23, 15, 27, 18);
    hand.cubicTo(31, 21, 30, 28, 26, 30);
    hand.cubicTo(22, 31, 18, 28, 17, 22);
    p.drawPath(hand);
    p.drawEllipse(QRectF(15.5, 19.5, 4, 4));
}

void validatedWindow(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 4.5, 26, 22));
    p.setBrush(QColor(20, 50, 150));
    p.drawRect(QRectF(2.5, 4.5, 26, 5));
    p.setPen(QPen(QColor(10, 150, 30), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{9, 17}, {14, 22}, {24, 12}}));
}

void bin(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(150, 155, 160));
    p.drawPolygon(QPolygonF({{8, 9}, {24, 9}, {22, 29}, {10, 29}}));
    p.drawRect(QRectF(5.5, 6.5, 21, 3));
    p.drawRect(QRectF(13.5, 3.5, 5, 3));
    p.setPen(QPen(QColor(70, 70, 75), 1.5));
    for (const qreal x : {12.5, 16.0, 19.5})
        p.drawLine(QPointF(x, 12), QPointF(x, 26.5));
}

void binoculars(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(45, 45, 50));
    p.drawRoundedRect(QRectF(5, 6, 8, 12), 2, 2);
    p.drawRoundedRect(QRectF(19, 6, 8, 12), 2, 2);
    p.drawRect(QRectF(12, 11, 8, 5));
    for (const qreal x : {2.5, 17.5}) {
        p.setBrush(QColor(45, 45, 50));
        p.drawEllipse(QRectF(x, 14.5, 12, 12));
        p.setBrush(QColor(120, 170, 220));
        p.drawEllipse(QRectF(x + 2.5, 17, 7, 7));
    }
}

void stopSign(QPainter& p) {
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = (22.5 + 45.0 * i) * M_PI / 180.0;
        octagon << QPointF(16 + 15 * std::cos(angle), 16 + 15 * std::sin(angle));
    }
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(200, 20, 20));
    p.drawPolygon(octagon);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("STOP"));
}

}  // namespace

QPixmap drawToolbarIcon(ToolbarIcon icon) {
    QPixmap picture(kToolbarIconSize, kToolbarIconSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
        case ToolbarIcon::ArrowLeft:
            arrow(p, 180);
            break;
        case ToolbarIcon::ArrowRight:
            arrow(p, 0);
            break;
        case ToolbarIcon::ArrowUp:
            arrow(p, -90);
            break;
        case ToolbarIcon::ArrowDown:
            arrow(p, 90);
            break;
        case ToolbarIcon::WritingHand:
            writingHand(p);
            break;
        case ToolbarIcon::ValidatedWindow:
            validatedWindow(p);
            break;
        case ToolbarIcon::Bin:
            bin(p);
            break;
        case ToolbarIcon::Binoculars:
            binoculars(p);
            break;
        case ToolbarIcon::Stop:
            stopSign(p);
            break;
    }
    return picture;
}

}  // namespace corvanta
