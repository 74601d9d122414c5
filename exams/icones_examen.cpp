#include "exams/icones_examen.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace corvanta {

namespace {

constexpr int kTaille = 32;

void Fleche(QPainter& p, qreal angle) {
    p.translate(16, 16);
    p.rotate(angle);
    const QPolygonF fleche{{-12, 0}, {0, -11}, {0, -5}, {12, -5}, {12, 5}, {0, 5}, {0, 11}};
    p.setBrush(QColor(30, 110, 200));
    p.setPen(QPen(QColor(10, 50, 110), 1.5));
    p.drawPolygon(fleche);
}

void Feuille(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(6, 3, 18, 25);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int y = 9; y <= 21; y += 4)
        p.drawLine(9, y, 21, y);
}

void Dessiner(QPainter& p, int bouton) {
    switch (bouton) {
        case 1:
            Fleche(p, 0);
            break;
        case 2:
            Fleche(p, 180);
            break;
        case 3:
            Fleche(p, 90);
            break;
        case 4:
            Fleche(p, 270);
            break;
        case 5:  // a hand's pen writing on a sheet
            Feuille(p);
            p.setPen(QPen(QColor(160, 80, 20), 4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(29, 8, 17, 24);
            p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(17, 24, 15, 27);
            break;
        case 6:  // a window with a tick
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            p.drawRect(3, 5, 26, 22);
            p.fillRect(4, 6, 25, 4, QColor(30, 60, 160));
            p.setPen(QPen(QColor(0, 150, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF{{9, 18}, {14, 23}, {24, 12}});
            break;
        case 7:  // a waste bin
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(QColor(150, 150, 150));
            p.drawRect(6, 6, 20, 3);
            p.drawRect(13, 3, 6, 3);
            p.drawPolygon(QPolygonF{{8, 10}, {24, 10}, {22, 29}, {10, 29}});
            p.setPen(QPen(QColor(80, 80, 80), 1.5));
            for (int x : {12, 16, 20})
                p.drawLine(x, 13, x, 26);
            break;
        case 8:  // a printer with its sheet
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            p.drawRect(9, 2, 14, 12);
            p.setBrush(QColor(170, 170, 170));
            p.drawRect(3, 13, 26, 11);
            p.setBrush(Qt::white);
            p.drawRect(8, 21, 16, 9);
            p.fillRect(24, 16, 3, 2, QColor(0, 170, 0));
            break;
        case 9:  // a picture: sky, sun and hill
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(QColor(150, 200, 255));
            p.drawRect(3, 5, 26, 22);
            p.setBrush(QColor(255, 210, 0));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(22, 11), 3.5, 3.5);
            p.setBrush(QColor(40, 150, 40));
            p.drawPolygon(QPolygonF{{4, 27}, {12, 14}, {20, 27}});
            break;
        case 10: {  // a stop sign
            QPolygonF octogone;
            for (int i = 0; i < 8; ++i) {
                const qreal a = (22.5 + 45.0 * i) * 3.14159265358979 / 180.0;
                octogone << QPointF(16 + 14 * std::cos(a), 16 + 14 * std::sin(a));
            }
            p.setPen(QPen(Qt::white, 1.5));
            p.setBrush(QColor(200, 20, 20));
            p.drawPolygon(octogone);
            QFont police(QStringLiteral("Liberation Sans"));
            police.setPixelSize(9);
            police.setBold(true);
            p.setFont(police);
            p.drawText(QRect(0, 0, kTaille, kTaille), Qt::AlignCenter, QStringLiteral("STOP"));
            break;
        }
        default:
            break;
    }
}

}  // namespace

QIcon Icone_Examen(int bouton) {
    QPixmap image(kTaille, kTaille);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Dessiner(p, bouton);
    p.end();
    return QIcon(image);
}

}  // namespace corvanta
