// A picture of the live view with the device simulator running, for a person to look at:
// runs only when CORVANTA_CAPTURE names the PNG to write, under a real display
// (xvfb-run ... with QT_QPA_PLATFORM=xcb).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QProcess>
#include <QSignalBlocker>
#include <QTabWidget>

#include "platform/database.h"
#include "tests/acquisition/device_frames.h"
#include "tests/support/workstation.h"

namespace corvanta::test {
namespace {

QByteArray Courbe_Memorisee(int decalage, int hauteur) {
    QByteArray octets(400, '\0');
    for (int i = 0; i < 400; ++i) {
        const int d1 = i - (55 + decalage);
        const int d2 = i - (200 + decalage);
        const int v = 20 + hauteur * 100 / (100 + d1 * d1) + hauteur / 2 * 400 / (400 + d2 * d2);
        octets[i] = static_cast<char>(std::min(v, 250));
    }
    return octets;
}

TEST(Capture, LiveViewWithZonesCurvesAndMarkers) {
    const QString fichier = qEnvironmentVariable("CORVANTA_CAPTURE");
    if (fichier.isEmpty())
        GTEST_SKIP() << "set CORVANTA_CAPTURE to the PNG to write";

    QProcess appareil;
    appareil.start(QString::fromLocal8Bit(qgetenv("CORVANTA_BUILD_DIR")) +
                   QStringLiteral("/bin/device_simulator"));
    ASSERT_TRUE(appareil.waitForReadyRead(5000));
    Workstation poste;
    poste.dossier.ecrire_reglage(QStringLiteral("PORTS"), QStringLiteral("COM1"),
                                 QString::fromLocal8Bit(appareil.readLine()).trimmed());
    poste.dossier.ecrire_reglage(QStringLiteral("ZONES0"), QStringLiteral("actif2"),
                                 QStringLiteral("1"));
    poste.dossier.ecrire_reglage(QStringLiteral("ZONES0"), QStringLiteral("xmin2"),
                                 QStringLiteral("55"));
    poste.dossier.ecrire_reglage(QStringLiteral("ZONES0"), QStringLiteral("xmax2"),
                                 QStringLiteral("70"));
    poste.dossier.ecrire_reglage(QStringLiteral("ZONES0"), QStringLiteral("seuil2"),
                                 QStringLiteral("15"));
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    platform::Database& base = *poste.etat->Base_Donnees;
    for (int id = 1; id <= 2; ++id) {
        base.execute(QStringLiteral("INSERT INTO Courbes (ID, Code_Type, Code_Patient, DATE, "
                                    "COURBE) VALUES (?, 0, 1, ?, ?)"),
                     {id, QStringLiteral("0%1/12/2026 à 10:00").arg(id),
                      Courbe_Memorisee(id * 12, 120 + 40 * id)});
        auto* ligne = new QListWidgetItem(QStringLiteral("0%1/12/2026 à 10:00").arg(id));
        ligne->setData(Qt::UserRole, id);
        const QSignalBlocker bloque(echo.List1);
        echo.List1->addItem(ligne);
        echo.List1->setCurrentRow(id - 1);
        echo.Check1[id == 1 ? 0 : 3]->setChecked(true);
    }
    echo.SSTab1->setCurrentIndex(0);
    echo.show();
    runEvents(2500);
    EXPECT_GT(poste.etat->Zones_Courantes[0].xpic + poste.etat->Zones_Courantes[1].xpic, 0);
    EXPECT_EQ(QProcess::execute(QStringLiteral("import"),
                                {QStringLiteral("-window"), QStringLiteral("root"), fichier}),
              0);
    echo.Fermer_Application();
    appareil.terminate();
    appareil.waitForFinished(2000);
}

}  // namespace
}  // namespace corvanta::test
