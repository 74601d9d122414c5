// The zone list and the zone editor of the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "tests/acquisition/device_frames.h"
#include "tests/support/workstation.h"

namespace corvanta::test {
namespace {

class Zones : public ::testing::Test {
  protected:
    void Demarrer(const QString& langue = QStringLiteral("Francais")) {
        poste.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Langue"), langue);
        poste.fenetre().Form_Load();
    }
    Echo& echo() { return *poste.echo; }
    const Zone_Sensible& zone(int z) { return poste.etat->Zones_Sensibles[0][z]; }
    QString ligne(int z) { return Texte_Ligne(echo().List2, z); }
    // Types into the three boxes, then Enter in the one given.
    void Saisir(const QString& debut, const QString& fin, const QString& seuil, int entree = 0) {
        echo().Texte_Seuils[0]->setText(debut);
        echo().Texte_Seuils[1]->setText(fin);
        echo().Texte_Seuils[2]->setText(seuil);
        QTest::keyClick(echo().Texte_Seuils[entree], Qt::Key_Return);
    }

    Workstation poste;
};

TEST_F(Zones, TheStartingListShowsTheDefaultZonesInFixedWords) {
    Demarrer(QStringLiteral("English"));  // the fixed words show apart from the translated
    const QString active = poste.etat->Libelle(1, 56);
    ASSERT_EQ(active, QStringLiteral("Active"));
    // Line 0 is rebuilt with the translated words at once: showing zone 0 ticks the
    // active box, whose handling runs.
    EXPECT_EQ(ligne(0), QStringLiteral("Zone 1 : from 7 - 15 mm - 68 % Active"));
    EXPECT_EQ(ligne(1), QStringLiteral("Zone 2 : de 35 à 50 mm - 30 % Active"));
    EXPECT_EQ(ligne(2), QStringLiteral("Zone 3 : de 0 à 0 mm - 0 %"));
    EXPECT_EQ(ligne(3), QStringLiteral("Zone 4 : de 0 à 0 mm - 0 %"));
    EXPECT_EQ(echo().List2->currentRow(), 0);
    EXPECT_EQ(echo().Texte_Seuils[1]->text(), QStringLiteral("15"));
    EXPECT_TRUE(echo().Check_Action[0]->isChecked());
    EXPECT_FALSE(echo().Check_Action[1]->isChecked());

    // An edit rebuilds the line with the translated words.
    Saisir(QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("68"));
    EXPECT_EQ(echo().Texte_Seuils[1]->text(), QStringLiteral("21"));
    EXPECT_EQ(zone(0).xmin, 20);
    EXPECT_EQ(zone(0).xmax, 21);
    EXPECT_EQ(ligne(0), QStringLiteral("Zone 1 : from 20 - 21 mm - 68 % Active"));
    EXPECT_EQ(ligne(1), QStringLiteral("Zone 2 : de 35 à 50 mm - 30 % Active"));
}

TEST_F(Zones, TypedNumbersAreReadRoundedToEvenAndBounded) {
    Demarrer();
    struct Cas {
        const char* texte;
        int attendu;
    };
    const Cas cas[] = {{"12.6", 13},
                       {"7.5", 8},
                       {"6.5", 6},
                       {"abc", 0},
                       {"12 mm", 12},
                       {"7,5", 7},
                       {" 1 2 ", 12},
                       {"-2.5", -2},
                       {"1e3", 1000},
                       {"99999999999", 2147483647},
                       {"-1e300", -2147483648LL}};
    for (const Cas& c : cas) {
        Saisir(QStringLiteral("1"), QStringLiteral("2"), QString::fromUtf8(c.texte), 2);
        EXPECT_EQ(zone(0).seuil, c.attendu) << c.texte;
        EXPECT_EQ(echo().Texte_Seuils[2]->text(), QString::number(c.attendu)) << c.texte;
    }
    // A start that is no number reads as 0: an end below it becomes 1.
    Saisir(QStringLiteral("début"), QStringLiteral("-3"), QStringLiteral("50"));
    EXPECT_EQ(echo().Texte_Seuils[1]->text(), QStringLiteral("1"));
    EXPECT_EQ(zone(0).xmin, 0);
    EXPECT_EQ(zone(0).xmax, 1);
    // The end is written as the start plus one, then rounded like the others.
    Saisir(QStringLiteral("12.6"), QStringLiteral("3"), QStringLiteral("50"));
    EXPECT_EQ(zone(0).xmin, 13);
    EXPECT_EQ(zone(0).xmax, 14);
    EXPECT_EQ(poste.fin, -1);
}

// Only an end that reads smaller than the start becomes the start plus one; an end equal
// to the start, or one that rounds to it, is kept as typed.
TEST_F(Zones, OnlyAnEndBelowTheStartIsRewritten) {
    Demarrer();
    const struct {
        const char* debut;
        const char* fin;
        int xmin;
        int xmax;
    } cas[] = {{"20", "20", 20, 20},     {"20", "20.4", 20, 20},   {"20", "19.9", 20, 21},
               {"12.6", "12.6", 13, 13}, {"12.6", "12.5", 13, 14}, {"-3", "-3", -3, -3},
               {"0", "", 0, 0},          {"5 mm", "5", 5, 5}};
    for (const auto& c : cas) {
        Saisir(QString::fromUtf8(c.debut), QString::fromUtf8(c.fin), QStringLiteral("50"));
        const std::string nom = std::string(c.debut) + " to " + c.fin;
        EXPECT_EQ(zone(0).xmin, c.xmin) << nom;
        EXPECT_EQ(zone(0).xmax, c.xmax) << nom;
        EXPECT_EQ(echo().Texte_Seuils[1]->text(), QString::number(c.xmax)) << nom;
    }
}

TEST_F(Zones, TheActiveAndFreezeBoxesChangeTheZoneAndReleaseTheCurve) {
    Demarrer();
    const Libelles& l = poste.etat->Libelle;
    echo().List2->setCurrentRow(2);
    echo().Gel_Courbe = -1;
    echo().Check_Action[0]->setChecked(true);
    EXPECT_EQ(zone(2).actif, 1);
    EXPECT_EQ(echo().Gel_Courbe, -1);
    echo().Check_Action[1]->setChecked(true);
    EXPECT_EQ(zone(2).gel, 1);
    EXPECT_EQ(echo().Gel_Courbe, 0);
    EXPECT_EQ(ligne(2), l(1, 33) + QStringLiteral(" 3 : ") + l(1, 34) + QStringLiteral(" 0 ") +
                            l(1, 35) + QStringLiteral(" 0 mm - 0 % ") + l(1, 55) +
                            QStringLiteral(" ") + l(1, 56));
    EXPECT_EQ(echo().List2->currentRow(), 2);

    // Selecting a zone whose freeze box differs runs that box's handling: the curve is
    // released.
    echo().Gel_Courbe = -1;
    echo().List2->setCurrentRow(0);
    EXPECT_FALSE(echo().Check_Action[1]->isChecked());
    EXPECT_EQ(echo().Gel_Courbe, 0);
    EXPECT_EQ(zone(2).gel, 1);
}

TEST_F(Zones, LeavingABoxStoresTheEntryInTheZoneChosenBefore) {
    Demarrer();
    echo().show();
    QApplication::setActiveWindow(&echo());
    echo().List2->setCurrentRow(1);
    echo().Texte_Seuils[2]->setFocus();
    echo().Texte_Seuils[2]->setText(QStringLiteral("44"));
    echo().List2->setFocus();
    echo().List2->setCurrentRow(3);
    EXPECT_EQ(zone(1).seuil, 44);
    EXPECT_EQ(zone(3).seuil, 0);
    EXPECT_EQ(echo().Zone_Selectionnee, 3);
    EXPECT_EQ(echo().Texte_Seuils[2]->text(), QStringLiteral("0"));
}

}  // namespace
}  // namespace corvanta::test
