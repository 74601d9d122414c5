// The preview of a stored curve: drawn by the real library into the pane's picture.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QSlider>

#include "platform/recordset.h"
#include "tests/support/workstation.h"
#include "widgets/curve_view.h"
#include "widgets/quorel_window.h"

namespace corvanta::test {
namespace {

// What the pane must show: the curve filtered with the given settings and count.
QImage Attendu(Etat_Application& etat, QSize taille, const QByteArray& echantillons, int moyenne,
               int passebas, int points) {
    Echantillons_Courbe source{};
    std::copy_n(reinterpret_cast<const std::uint8_t*>(echantillons.constData()), 400,
                source.begin());
    Echantillons_Courbe filtree{};
    etat.Bibliotheque->smooth_filter()(source.data(), filtree.data(), moyenne, passebas, points);
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::black);
    QuorelWindow fenetre = quorelWindow(image);
    etat.Bibliotheque->preview_samples()(&fenetre, filtree.data(), points);
    return image;
}

QByteArray Dents_De_Scie() {
    QByteArray octets(400, '\0');
    for (int i = 0; i < 400; ++i)
        octets[i] = static_cast<char>((i * 37) % 256);
    return octets;
}

TEST(Preview, TheCurveIsFilteredWithItsSettingsAndTheCurrentNumberOfPoints) {
    Workstation poste;
    const std::int64_t p = poste.patient(QStringLiteral("Blanc"), QStringLiteral("Lise"));
    const std::int64_t vide = poste.patient(QStringLiteral("Vide"), QStringLiteral("Paul"));
    const QByteArray courbe = Dents_De_Scie();
    const std::int64_t id = poste.courbe(p, 0, QStringLiteral("dents"), courbe, 2, 3);
    Echo& echo = poste.demarrer();
    Etat_Application& etat = *poste.etat;
    const QSize taille = echo.Picture2->image().size();
    echo.Slider1[0]->setValue(5);
    echo.Slider1[1]->setValue(0);

    echo.Liste_Nom->setCurrentIndex(echo.Liste_Nom->findData(static_cast<qlonglong>(p)));
    echo.List1->setCurrentRow(0);
    EXPECT_EQ(etat.Table_Courbes->currentKey(), id);
    const QImage stockes = Attendu(etat, taille, courbe, 2, 3, 400);
    EXPECT_EQ(echo.Picture2->image(), stockes);
    // The sliders' settings would draw another picture.
    EXPECT_NE(stockes, Attendu(etat, taille, courbe, 5, 0, 400));

    // Fewer points chosen since: the next selection draws with them.
    etat.Nombre_Points = 100;
    echo.List1_Click();
    EXPECT_EQ(echo.Picture2->image(), Attendu(etat, taille, courbe, 2, 3, 100));

    // A repaint of the shown pane draws the same curve again with the count of the moment.
    echo.Toolbar2_Boutons[0]->trigger();
    EXPECT_FALSE(echo.Picture2->isHidden());
    etat.Nombre_Points = 50;
    echo.Picture2->grab();
    EXPECT_EQ(echo.Picture2->image(), Attendu(etat, taille, courbe, 2, 3, 50));
    echo.Toolbar2_Boutons[0]->trigger();
    EXPECT_TRUE(echo.Picture2->isHidden());

    // A patient without curves leaves the drawing until the preview runs with no line
    // selected: then the grid and a flat line along the bottom.
    echo.Liste_Nom->setCurrentIndex(echo.Liste_Nom->findData(static_cast<qlonglong>(vide)));
    EXPECT_EQ(echo.Picture2->image(), Attendu(etat, taille, courbe, 2, 3, 50));
    echo.List1_Click();
    const QImage plat = Attendu(etat, taille, QByteArray(400, '\0'), 0, 0, 50);
    EXPECT_EQ(echo.Picture2->image(), plat);
    // The flat line lies at 255/256 of the height, in the curve's green.
    const int bas = 255 * taille.height() / 256;
    EXPECT_EQ(echo.Picture2->image().pixel(5, bas), qRgb(64, 255, 64));
    EXPECT_EQ(echo.Picture2->image().pixel(5, bas - 1), qRgb(0, 0, 0));
    EXPECT_TRUE(poste.messages.boites.empty());
}

}  // namespace
}  // namespace corvanta::test
