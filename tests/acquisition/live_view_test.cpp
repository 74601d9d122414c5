// The live view's filter settings and the five comparison slots, on the real window and
// a real database file.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <optional>

#include "platform/database.h"
#include "tests/acquisition/device_frames.h"
#include "tests/support/workstation.h"
#include "widgets/curve_view.h"

namespace corvanta::test {
namespace {

const QString F = QStringLiteral("FILTRAGE");

QByteArray Courbe_Stockee(int graine) {
    QByteArray octets(400, '\0');
    for (int i = 0; i < 400; ++i)
        octets[i] = static_cast<char>(40 + (i * 7 + graine * 13) % 150);
    return octets;
}

class LiveView : public ::testing::Test {
  protected:
    void SetUp() override {
        poste.fenetre().Form_Load();
        for (int n = 1; n <= 3; ++n)
            Ajouter_Courbe(n, Type_Sinus_Maxillaires);
        Remplir_List1({1, 2, 3});
    }

    void Ajouter_Courbe(int id, int type) {
        base().execute(
            QStringLiteral("INSERT INTO Courbes (ID, Code_Type, Code_Patient, DATE, "
                           "COURBE) VALUES (?, ?, 1, ?, ?)"),
            {id, type, QStringLiteral("01/02/2026 à 10:0%1").arg(id), Courbe_Stockee(id)});
    }
    // List1 as the patients tab fills it: one line per curve, its key as item data.
    void Remplir_List1(const std::vector<int>& cles) {
        const QSignalBlocker bloque(echo().List1);
        echo().List1->clear();
        for (int cle : cles) {
            auto* ligne = new QListWidgetItem(QStringLiteral("Courbe %1").arg(cle));
            ligne->setData(Qt::UserRole, cle);
            echo().List1->addItem(ligne);
        }
    }
    void Choisir_Ligne(int ligne) {
        const QSignalBlocker bloque(echo().List1);
        echo().List1->setCurrentRow(ligne);
    }
    std::pair<int, int> Drapeaux(int id) {
        return {base()
                    .queryValue(QStringLiteral("SELECT IMPRIMER FROM Courbes WHERE ID = ?"), {id})
                    .toInt32(),
                base()
                    .queryValue(QStringLiteral("SELECT COULEUR FROM Courbes WHERE ID = ?"), {id})
                    .toInt32()};
    }
    int Pixels_De_Couleur(QRgb couleur) {
        const QImage& image = echo().Picture1->image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (couleur & 0xFFFFFF);
        }
        return n;
    }
    Echantillons_Courbe Filtree(int id, int moyenne, int passe_bas) {
        Echantillons_Courbe sortie{};
        const QByteArray source = Courbe_Stockee(id);
        poste.etat->Bibliotheque->smooth_filter()(
            reinterpret_cast<const std::uint8_t*>(source.constData()), sortie.data(), moyenne,
            passe_bas, 400);
        return sortie;
    }

    Echo& echo() { return *poste.echo; }
    platform::Database& base() { return *poste.etat->Base_Donnees; }

    Workstation poste;
};

TEST_F(LiveView, TheSliderCaptionsShowTheirSetting) {
    const Libelles& l = poste.etat->Libelle;
    echo().Slider1[0]->setValue(3);
    EXPECT_EQ(echo().Label_Nbre_Points[0]->text(), QStringLiteral("6 ") + l(1, 32));
    echo().Slider1[0]->setValue(0);
    EXPECT_EQ(echo().Label_Nbre_Points[0]->text(), l(1, 30));
    echo().Slider1[1]->setValue(2);
    EXPECT_EQ(echo().Label_Nbre_Points[1]->text(), QStringLiteral("1000 kHz"));
    echo().Slider1[1]->setValue(5);
    EXPECT_EQ(echo().Label_Nbre_Points[1]->text(), QStringLiteral("400 kHz"));
    echo().Slider1[1]->setValue(0);
    EXPECT_EQ(echo().Label_Nbre_Points[1]->text(), l(1, 31));
}

TEST_F(LiveView, SaveWritesTheSettingsWithASignBlank) {
    echo().Slider1[0]->setValue(0);
    echo().Slider1[1]->setValue(5);
    echo().Bouton_Sauvegarder->click();
    EXPECT_EQ(poste.dossier.reglage(F, QStringLiteral("moyenneur")), QStringLiteral(" 0"));
    EXPECT_EQ(poste.dossier.reglage(F, QStringLiteral("passebas")), QStringLiteral(" 5"));
}

TEST_F(LiveView, ATickedBoxShowsTheChosenCurveAndMarksIt) {
    echo().Slider1[0]->setValue(2);
    echo().Slider1[1]->setValue(1);
    const int bleus_avant = Pixels_De_Couleur(qRgb(0, 0, 255));
    Choisir_Ligne(1);
    echo().Check1[3]->setChecked(true);

    EXPECT_EQ(echo().Selection_Courbes[3], 255);
    EXPECT_EQ(echo().Tag_Check1[3], QStringLiteral("1"));
    EXPECT_EQ(echo().Check1[3]->toolTip(), QStringLiteral("Courbe 2"));
    EXPECT_EQ(Drapeaux(2), std::make_pair(1, 16711680));
    EXPECT_EQ(echo().Courbes_Affichees[3], Filtree(2, 2, 1));
    const int bleus = Pixels_De_Couleur(qRgb(0, 0, 255));
    EXPECT_GT(bleus, bleus_avant);

    // The slot keeps the filtering of the moment it was filled.
    echo().Slider1[0]->setValue(5);
    EXPECT_EQ(echo().Courbes_Affichees[3], Filtree(2, 2, 1));

    // The same curve checked into slot 0 moves there.
    echo().Check1[0]->setChecked(true);
    EXPECT_FALSE(echo().Check1[3]->isChecked());
    EXPECT_EQ(echo().Selection_Courbes[3], 0);
    EXPECT_EQ(echo().Tag_Check1[3], QStringLiteral("-1"));
    EXPECT_EQ(echo().Check1[3]->toolTip(), QString());
    EXPECT_EQ(echo().Selection_Courbes[0], 255);
    EXPECT_EQ(Drapeaux(2), std::make_pair(1, 255));
    EXPECT_LT(Pixels_De_Couleur(qRgb(0, 0, 255)), bleus);

    // Slot 1 is stored as its swatch's colour.
    Choisir_Ligne(2);
    echo().Check1[1]->setChecked(true);
    EXPECT_EQ(Drapeaux(3), std::make_pair(1, 16761087));
}

TEST_F(LiveView, ATickedBoxWithoutAChosenCurveFillsNothing) {
    echo().Check1[1]->setChecked(true);
    EXPECT_TRUE(echo().Check1[1]->isChecked());
    EXPECT_EQ(echo().Selection_Courbes[1], 0);
    for (int id = 1; id <= 3; ++id)
        EXPECT_EQ(Drapeaux(id), std::make_pair(0, 0));

    // A line whose curve is no longer stored fills nothing and touches no other row.
    Remplir_List1({99, 1});
    Choisir_Ligne(0);
    echo().Check1[2]->setChecked(true);
    EXPECT_EQ(echo().Selection_Courbes[2], 0);
    for (int id = 1; id <= 3; ++id)
        EXPECT_EQ(Drapeaux(id), std::make_pair(0, 0));
}

TEST_F(LiveView, EmptyingASlotClearsItsCurvesFlagsEvenAfterAnotherFilling) {
    Choisir_Ligne(0);
    echo().Check1[0]->setChecked(true);
    Choisir_Ligne(2);
    echo().Check1[4]->setChecked(true);
    ASSERT_EQ(Drapeaux(1), std::make_pair(1, 255));
    ASSERT_EQ(Drapeaux(3), std::make_pair(1, 16711935));

    // Another patient's curves in the list, nothing selected.
    Ajouter_Courbe(7, Type_Sinus_Maxillaires);
    Remplir_List1({7});
    echo().Check1[0]->setChecked(false);
    EXPECT_EQ(Drapeaux(1), std::make_pair(0, 0));
    EXPECT_EQ(Drapeaux(7), std::make_pair(0, 0));
    EXPECT_EQ(echo().Selection_Courbes[0], 0);

    // A change of exam type empties every slot.
    echo().Effacer_Selection_Couleur();
    EXPECT_FALSE(echo().Check1[4]->isChecked());
    EXPECT_EQ(echo().Selection_Courbes[4], 0);
    EXPECT_EQ(Drapeaux(3), std::make_pair(0, 0));
}

// The start-up empties every slot: the flags of curves of every type are cleared. A file
// without flagged curves is not written, so another copy writing meanwhile does not stop
// the start-up; a small file made without the newer indexes gets them, unless another
// copy is writing.
TEST(LiveViewAtStartup, TheResetClearsTheFlagsAndWritesNothingWhenNoCurveIsFlagged) {
    struct Cas {
        bool marquees, sans_index, autre_copie_ecrit;
    };
    for (const Cas cas : {Cas{true, false, false}, Cas{true, true, false}, Cas{false, false, true},
                          Cas{false, true, true}, Cas{false, true, false}}) {
        SCOPED_TRACE(testing::Message() << cas.marquees << cas.sans_index << cas.autre_copie_ecrit);
        Workstation poste;
        const int m = cas.marquees ? 1 : 0;
        poste.dossier.executer_sql(
            QStringLiteral("INSERT INTO Courbes (ID, Code_Type, Code_Patient, IMPRIMER, COULEUR) "
                           "VALUES (1, 0, 1, %1, %2), (2, 3, 1, %1, %3), (3, 4, 1, 0, %4)")
                .arg(m)
                .arg(255 * m)
                .arg(65535 * m)
                .arg(16711680 * m));
        if (cas.sans_index) {
            QProcess shell;
            shell.start(QStringLiteral("sqlite3"),
                        {poste.dossier.base(), QStringLiteral("DROP INDEX Courbes_Marquees; "
                                                              "DROP INDEX Patients_Naissance")});
            ASSERT_TRUE(shell.waitForFinished()) << "no sqlite3 shell";
            ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
        }
        std::optional<platform::Database> autre_copie;
        if (cas.autre_copie_ecrit) {
            autre_copie.emplace(poste.dossier.base());
            autre_copie->execute(QStringLiteral("BEGIN IMMEDIATE"));
            autre_copie->execute(
                QStringLiteral("INSERT INTO Patients (Nom_Patient) VALUES ('Ailleurs')"));
        }
        poste.fenetre().Form_Load();
        for (const auto& boite : poste.messages.boites)
            EXPECT_FALSE(boite.texte.contains(QStringLiteral("locked")))
                << boite.texte.toStdString();
        platform::Database& base = *poste.etat->Base_Donnees;
        EXPECT_EQ(base.queryValue(QStringLiteral("SELECT COUNT(*) FROM Courbes WHERE IMPRIMER <> 0 "
                                                 "OR COULEUR <> 0"))
                      .toInt32(),
                  0);
        EXPECT_EQ(base.queryValue(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name IN "
                                                 "('Courbes_Marquees', 'Patients_Naissance')"))
                      .toInt32(),
                  cas.sans_index && cas.autre_copie_ecrit ? 0 : 2);
        if (autre_copie)
            autre_copie->execute(QStringLiteral("COMMIT"));
    }
}

}  // namespace
}  // namespace corvanta::test
