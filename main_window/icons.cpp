#include "main_window/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace corvanta {
namespace {

// Every picture is designed on a 16-unit grid and scaled to its size.
constexpr double kGrid = 16.0;

const QColor kInk(40, 40, 40);

QPen pen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A face seen from the front with the examined half filled; as on every medical picture,
// the patient's right side is on the viewer's left.
void drawSide(QPainter& p, bool right) {
    const QRectF head(2.5, 1.5, 11, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 200));
    p.drawChord(head, right ? 90 * 16 : -90 * 16, 180 * 16);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(kInk, 1.2));
    p.drawEllipse(head);
    p.setPen(pen(kInk, 0.8));
    p.drawLine(QPointF(8, 2), QPointF(8, 14));
    p.setPen(Qt::NoPen);
    const QColor onFill = Qt::white;
    p.setBrush(right ? onFill : kInk);
    p.drawEllipse(QPointF(5.5, 6.5), 1.1, 1.1);
    p.setBrush(right ? kInk : onFill);
    p.drawEllipse(QPointF(10.5, 6.5), 1.1, 1.1);
    p.setPen(pen(right ? onFill : kInk, 0.9));
    p.drawLine(QPointF(5, 11), QPointF(7.5, 11.5));
    p.setPen(pen(right ? kInk : onFill, 0.9));
    p.drawLine(QPointF(8.5, 11.5), QPointF(11, 11));
}

void drawPreview(QPainter& p) {
    p.setPen(pen(kInk, 1.0));
    p.setBrush(Qt::black);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(pen(QColor(0, 140, 0), 0.8));
    for (double x = 4.75; x < 14; x += 3.25)
        p.drawLine(QPointF(x, 3), QPointF(x, 13));
    p.setPen(pen(QColor(64, 255, 64), 1.3));
    const QPointF curve[] = {{2.5, 12}, {4.5, 11.5}, {6, 5},    {7.5, 11},
                             {9.5, 8},  {11, 11.5},  {13.5, 12}};
    p.drawPolyline(curve, 7);
}

void drawStore(QPainter& p) {
    p.setPen(pen(kInk, 1.0));
    p.setBrush(QColor(40, 90, 170));
    QPainterPath body;
    body.moveTo(2, 2);
    body.lineTo(12, 2);
    body.lineTo(14, 4);
    body.lineTo(14, 14);
    body.lineTo(2, 14);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 2, 7, 4.5));
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(QRectF(4, 9, 8, 5));
}

void drawDelete(QPainter& p) {
    p.setPen(pen(QColor(200, 30, 30), 2.6));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void drawPrint(QPainter& p) {
    p.setPen(pen(kInk, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10, 7, 4.5));
    p.setPen(pen(kInk, 0.7));
    p.drawLine(QPointF(6, 12), QPointF(10, 12));
    p.setPen(pen(QColor(0, 170, 0), 1.2));
    p.drawPoint(QPointF(12.5, 8));
}

void drawFreeze(QPainter& p) {
    p.setPen(pen(QColor(30, 110, 210), 1.4));
    const QPointF centre(8, 8);
    for (int arm = 0; arm < 6; ++arm) {
        const double angle = arm * M_PI / 3 + M_PI / 2;
        const QPointF dir(std::cos(angle), -std::sin(angle));
        const QPointF tip = centre + 6.5 * dir;
        p.drawLine(centre, tip);
        const QPointF fork = centre + 4.0 * dir;
        for (double side : {-1.0, 1.0}) {
            const double a = angle + side * M_PI / 4;
            p.drawLine(fork, fork + 2.2 * QPointF(std::cos(a), -std::sin(a)));
        }
    }
}

void drawRestart(QPainter& p) {
    p.setPen(pen(QColor(0, 130, 60), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 130, 60));
    const QPointF head[] = {{5.5, 0.5}, {10, 3.2}, {5.5, 6}};
    p.drawPolygon(head, 3);
}

void drawQuit(QPainter& p) {
    p.setPen(pen(kInk, 1.0));
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(QRectF(2.5, 1.5, 8, 13));
    p.setBrush(QColor(255, 220, 120));
    p.drawEllipse(QPointF(8.5, 8), 0.9, 0.9);
    p.setPen(pen(QColor(200, 30, 30), 1.8));
    p.drawLine(QPointF(9, 8), QPointF(15, 8));
    p.drawLine(QPointF(12.5, 5.5), QPointF(15, 8));
    p.drawLine(QPointF(12.5, 10.5), QPointF(15, 8));
}

void drawFolder(QPainter& p) {
    p.setPen(pen(QColor(120, 90, 20), 1.0));
    p.setBrush(QColor(240, 200, 80));
    QPainterPath folder;
    folder.moveTo(1.5, 3.5);
    folder.lineTo(6, 3.5);
    folder.lineTo(7.5, 5);
    folder.lineTo(14.5, 5);
    folder.lineTo(14.5, 13.5);
    folder.lineTo(1.5, 13.5);
    folder.closeSubpath();
    p.drawPath(folder);
}

}  // namespace

QPixmap drawIcon(IconKind kind, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    switch (kind) {
        case IconKind::RightSide:
            drawSide(p, true);
            break;
        case IconKind::LeftSide:
            drawSide(p, false);
            break;
        case IconKind::Preview:
            drawPreview(p);
            break;
        case IconKind::Store:
            drawStore(p);
            break;
        case IconKind::Delete:
            drawDelete(p);
            break;
        case IconKind::Print:
            drawPrint(p);
            break;
        case IconKind::Freeze:
            drawFreeze(p);
            break;
        case IconKind::Restart:
            drawRestart(p);
            break;
        case IconKind::Quit:
            drawQuit(p);
            break;
        case IconKind::Folder:
            drawFolder(p);
            break;
    }
    return pixmap;
}

QPixmap drawZonePin(int zone) {
    QPixmap pixmap(21, 25);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(192, 192, 192), 2));
    p.drawLine(QPoint(1, 23), QPoint(9, 14));
    p.setPen(QColor(192, 192, 192));
    p.drawPoint(0, 24);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QRect(6, 1, 13, 13));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(6, 1, 14, 14), Qt::AlignCenter, QString::number(zone + 1));
    return pixmap;
}

}  // namespace corvanta
