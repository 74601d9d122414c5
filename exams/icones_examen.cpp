#include "exams/icones_examen.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <map>

#include "widgets/toolbar_icons.h"

namespace corvanta {

namespace {

constexpr int kTaille = 32;

void Dessiner(QPainter& p, int bouton) {
    switch (bouton) {
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
        default:
            break;
    }
}

}  // namespace

QIcon Icone_Examen(int bouton) {
    // The exam and patient windows share one set of pictures; only print and export are
    // the exam window's own.
    static const std::map<int, ToolbarIcon> communes{
        {1, ToolbarIcon::ArrowLeft},   {2, ToolbarIcon::ArrowRight},
        {3, ToolbarIcon::ArrowUp},     {4, ToolbarIcon::ArrowDown},
        {5, ToolbarIcon::WritingHand}, {6, ToolbarIcon::ValidatedWindow},
        {7, ToolbarIcon::Bin},         {10, ToolbarIcon::Stop},
    };
    if (const auto commune = communes.find(bouton); commune != communes.end()) {
        return QIcon(drawToolbarIcon(commune->second));
    }
    QPixmap image(kTaille, kTaille);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Dessiner(p, bouton);
    p.end();
    return QIcon(image);
}

}  // namespace corvanta
