// Pictures of the main window's patients tab with a few patients and curves, in both
// languages, written to <build>/captures/onglet_patients_<langue>.png for a person to look
// at. With CORVANTA_CAPTURE_PAUSE=<seconds> the window stays on screen that long (under
// Xvfb, for a screenshot of the whole screen).
#include "tests/support/captures.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QTabWidget>

#include "tests/support/workstation.h"

namespace corvanta::test {
namespace {

class Capture : public ::testing::TestWithParam<const char*> {};

TEST_P(Capture, PatientsTabWithAFewCurves) {
    Workstation poste;
    poste.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Langue"),
                                 QString::fromLatin1(GetParam()));
    const std::int64_t dupont =
        poste.patient(QStringLiteral("DUPONT"), QStringLiteral("Jean-Édouard"),
                      QStringLiteral("Sinusite maxillaire droite récidivante.\r\n"
                                     "Allergie : pénicilline."));
    poste.patient(QStringLiteral("Martin"), QStringLiteral("Zoé"));
    poste.patient(QStringLiteral("O'Brien"), QStringLiteral("Ann"));
    QByteArray echo_sinus(400, '\0');
    for (int i = 0; i < 400; ++i) {
        const int pic = i > 120 && i < 160 ? 200 - std::abs(i - 140) * 8 : 0;
        echo_sinus[i] = static_cast<char>(std::max(pic, 250 - i * 3 > 10 ? 250 - i * 3 : 10));
    }
    poste.courbe(dupont, 0, QStringLiteral("02/03/2026 à 09:14:07 Droit"), echo_sinus, 1, 2,
                 QStringLiteral("Avant traitement."));
    poste.courbe(dupont, 0, QStringLiteral("02/03/2026 à 09:16:52 Gauche"), echo_sinus, 0, 0);
    poste.courbe(dupont, 0, QStringLiteral("16/03/2026 à 10:02:31 Droit"), echo_sinus, 2, 3,
                 QStringLiteral("Contrôle à J+14 : niveau liquide disparu."));

    Echo& echo = poste.demarrer();
    echo.Liste_Nom->setCurrentIndex(echo.Liste_Nom->findData(static_cast<qlonglong>(dupont)));
    echo.List1->setCurrentRow(0);
    echo.Toolbar2_Boutons[0]->trigger();
    echo.SSTab1->setCurrentIndex(2);
    echo.show();

    Pause_Capture();
    const QString dossier = Dossier_Captures();
    EXPECT_TRUE(echo.grab().save(
        dossier + QStringLiteral("/onglet_patients_%1.png").arg(QString::fromLatin1(GetParam()))));
    echo.hide();
}

INSTANTIATE_TEST_SUITE_P(Languages, Capture, ::testing::Values("Francais", "English"));

}  // namespace
}  // namespace corvanta::test
