#include "main_window/attente.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "widgets/window_placement.h"

namespace corvanta {
namespace {

QFont sans(int pointSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

// A small echo trace: a sharp entry echo, then two decaying echoes, on a dark screen.
void drawEchoMotif(QPainter& p, const QRect& area) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 20, 10));
    p.drawRoundedRect(area, 6, 6);
    p.setPen(QPen(QColor(0, 96, 0), 1));
    for (int i = 1; i < 8; ++i) {
        const int x = area.left() + i * area.width() / 8;
        p.drawLine(x, area.top() + 4, x, area.bottom() - 4);
    }
    const double base = area.bottom() - 8;
    const double height = area.height() - 20;
    auto echo = [&](double x) {
        const double t = (x - area.left()) / area.width();
        const double peaks = 0.95 * std::exp(-std::pow((t - 0.08) / 0.025, 2)) +
                             0.55 * std::exp(-std::pow((t - 0.42) / 0.035, 2)) +
                             0.3 * std::exp(-std::pow((t - 0.71) / 0.04, 2));
        return base - height * (0.04 + peaks);
    };
    QPainterPath trace;
    trace.moveTo(area.left() + 6, echo(area.left() + 6));
    for (int x = area.left() + 7; x < area.right() - 6; ++x)
        trace.lineTo(x, echo(x));
    p.setPen(QPen(QColor(64, 255, 64), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
}

}  // namespace

Attente::Attente(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString());
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image"));
    image->setPixmap(picture());
    image->setGeometry(0, 0, kWidth, kHeight);
    centreOnScreen(*this);
}

QPixmap Attente::picture() {
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawEchoMotif(p, QRect(30, 30, 170, 110));
    p.setPen(QColor(20, 50, 110));
    p.setFont(sans(30, true));
    p.drawText(QRect(215, 40, 240, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Corvanta"));
    p.setPen(QColor(90, 90, 90));
    p.setFont(sans(10, false));
    p.drawText(QRect(217, 98, 240, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Échographie mode A"));
    p.setPen(QColor(200, 200, 200));
    p.drawLine(30, 170, kWidth - 30, 170);
    p.setPen(QColor(50, 50, 50));
    p.setFont(sans(10, false));
    p.drawText(QRect(30, 182, kWidth - 60, 24), Qt::AlignCenter,
               QStringLiteral("Démarrage en cours, veuillez patienter…"));
    p.setPen(QColor(120, 120, 120));
    p.setFont(sans(8, false));
    p.drawText(QRect(30, 206, kWidth - 60, 20), Qt::AlignCenter,
               QStringLiteral("Starting up, please wait…"));
    return pixmap;
}

}  // namespace corvanta
