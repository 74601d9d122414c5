#include "tools/echo_shots/sample_content.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>

#include "app/libelle.h"
#include "main_window/echo.h"
#include "widgets/curve_view.h"

namespace corvanta {
namespace {

void drawSampleView(QImage& image) {
    image.fill(Qt::black);
    QPainter p(&image);
    const int w = image.width();
    const int h = image.height();
    p.setPen(QColor(0, 96, 0));
    for (int x = 0; x < w; x += w / 8)
        p.drawLine(x, 0, x, h);
    for (int y = 0; y < h; y += h / 6)
        p.drawLine(0, y, w, y);
    p.setPen(QColor(64, 255, 64));
    QPoint previous(0, h - 10);
    for (int x = 1; x < w; ++x) {
        const double t = double(x) / w;
        const double level = 0.9 * std::exp(-std::pow((t - 0.12) / 0.02, 2)) +
                             0.45 * std::exp(-std::pow((t - 0.53) / 0.03, 2));
        const QPoint next(x, h - 10 - int(level * (h - 20)));
        p.drawLine(previous, next);
        previous = next;
    }
}

}  // namespace

void fillSampleContent(Echo& echo, const Libelles& libelle) {
    for (const char* points : {"50 points", "100 points", "200 points", "400 points"})
        echo.Combo1->addItem(QLatin1String(points));
    echo.Combo1->setCurrentIndex(3);
    for (int port = 1; port <= 5; ++port)
        echo.Combo2->addItem(QStringLiteral("COM %1").arg(port));
    echo.Combo2->setCurrentIndex(0);
    echo.Combo3->setCurrentIndex(0);
    echo.Combo_Format_Image->setCurrentIndex(0);
    echo.Date_MES->setText(QStringLiteral("01/01/99"));
    echo.Chemin->setText(QStringLiteral("/HOME/CORVANTA/EXPORT"));
    echo.Texte_Nom_Medecin->setText(QStringLiteral("Docteur X"));

    echo.List2->addItem(QStringLiteral("Zone 1 : de 7 à 15 mm - 68 % ") + libelle(1, 56));
    echo.List2->addItem(QStringLiteral("Zone 2 : de 35 à 50 mm - 30 % ") + libelle(1, 55) +
                        QStringLiteral(" ") + libelle(1, 56));
    echo.List2->addItem(QStringLiteral("Zone 3 : de 0 à 0 mm - 0 %"));
    echo.List2->addItem(QStringLiteral("Zone 4 : de 0 à 0 mm - 0 %"));
    echo.List2->setCurrentRow(0);
    const char* values[] = {"7", "15", "68"};
    for (int box = 0; box < 3; ++box)
        echo.Texte_Seuils[box]->setText(QLatin1String(values[box]));
    echo.Label_Nbre_Points[0]->setText(libelle(1, 30));
    echo.Label_Nbre_Points[1]->setText(libelle(1, 31));

    echo.Liste_Nom->addItem(QStringLiteral("DUPONT-MARTINEZ Marie-Christine"));
    echo.Liste_Nom->setCurrentIndex(0);
    echo.Text1->setPlainText(QStringLiteral("Sinusite maxillaire droite récidivante."));
    for (int i = 0; i < 3; ++i) {
        echo.List1->addItem(QStringLiteral("08/12/2004 à 14:3%1:05 ").arg(i) +
                            libelle(1, i % 2 ? 80 : 81));
    }
    echo.List1->setCurrentRow(0);
    echo.Commentaire_Courbe->setPlainText(QStringLiteral("Niveau hydro-aérique."));
    drawSampleView(echo.Picture1->image());
    echo.setWindowTitle(QStringLiteral("Corvanta - ") + libelle(1, 72));
}

}  // namespace corvanta
