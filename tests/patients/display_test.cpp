// The patient window's list, the display of a record, browsing, opening and closing.
#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>

#include "platform/database.h"
#include "platform/recordset.h"
#include "tests/patients/patient_window_test.h"
#include "widgets/keyed_list.h"

namespace corvanta::test {
namespace {

// More patients than a small practice has: the list is filled the same way.
constexpr int kGrandeListe = 10000;

class PatientDisplay : public PatientWindowTest {
  protected:
    void SetUp() override {
        dupont = Patient("DUPONT", "Jean", "15/03/1960", {{"Ville_Patient", "Nice"}});
        elise = Patient("Élise", "Anne", "01/01/1970");
        durand = Patient("durand", "Paul", "02/02/1980");
        martin = Patient("MARTIN", "Zoé", "3/4/1990");
        david = Patient("DAVID", "Luc", "04/04/1944");
    }
    std::int64_t dupont = 0, elise = 0, durand = 0, martin = 0, david = 0;
};

TEST_F(PatientDisplay, ListHoldsEveryPatientInFrenchNameOrderAndShowsTheFirst) {
    Ouvrir();
    EXPECT_EQ(Lignes(),
              QStringList({"DAVID Luc", "DUPONT Jean", "durand Paul", "Élise Anne", "MARTIN Zoé"}));
    EXPECT_EQ(fenetre->Nombre_Patients, 5);
    EXPECT_EQ(Ligne_Choisie(), QStringLiteral("DAVID Luc"));
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("DAVID"));
    EXPECT_EQ(fenetre->Code_Patient_Affiche, david);
    EXPECT_EQ(fenetre->windowTitle(), etat.Libelle(5, 15));
    EXPECT_EQ(fenetre->Label_Nom->text(), etat.Libelle(5, 1));
    EXPECT_EQ(fenetre->Label_Commentaire->text(), etat.Libelle(5, 10));
    EXPECT_FALSE(etat.Libelle(5, 15).isEmpty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PatientDisplay, ToolbarAndListBrowseTheSharedRecordset) {
    Ouvrir();
    Bouton(1);  // previous on the first record: nothing
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("DAVID"));
    Bouton(2);
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("DUPONT"));
    EXPECT_EQ(etat.Table_Patients->currentKey(), dupont);
    Bouton(4);
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("MARTIN"));
    Bouton(2);  // next on the last line: nothing
    EXPECT_EQ(Ligne_Choisie(), QStringLiteral("MARTIN Zoé"));
    Bouton(1);
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("Élise"));
    Bouton(3);
    EXPECT_EQ(Ligne_Choisie(), QStringLiteral("DAVID Luc"));

    fenetre->Liste_Patients->setCurrentRow(3);
    EXPECT_EQ(etat.Table_Patients->absolutePosition(), 3);
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("Élise"));
    EXPECT_EQ(Ligne_Choisie(), QStringLiteral("Élise Anne"));

    // Another window moves the shared recordset: the next button steps from the record
    // the window shows.
    etat.Table_Patients->moveFirst();
    Bouton(2);
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("MARTIN"));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PatientDisplay, EveryFieldIsShownAndNullColumnsLeaveTheirBoxesEmpty) {
    const auto complet = Ajouter({{"Nom_Patient", "AAA"},
                                  {"Prenom_Patient", "Bob"},
                                  {"Adresse1_Patient", "1 rue Haute"},
                                  {"Adresse2_Patient", "Bât. B"},
                                  {"Ville_Patient", "Lyon"},
                                  {"CodePostal_Patient", "69001"},
                                  {"Telephone1_Patient", "0401020304"},
                                  {"Telephone2_Patient", "0405060708"},
                                  {"Date_Naissance_Patient", "5/6/1971"},
                                  {"NumeroSS_Patient", "171066912345678"},
                                  {"Commentaire_Patient", "ligne 1\r\nligne 2"}});
    etat.Code_Patient_Courant = static_cast<int>(complet);
    Ouvrir();
    const Patients& f = *fenetre;
    EXPECT_EQ(f.Code_Patient_Affiche, complet);
    EXPECT_EQ(QStringList({f.Nom->text(), f.Prenom->text(), f.Adresse1->text(), f.Adresse2->text(),
                           f.Ville->text(), f.Code_Postal->text(), f.Tel_Home->text(),
                           f.Tel_Bureau->text(), f.Date_Naissance->text(), f.Numero_SS->text(),
                           f.Commentaire->toPlainText()}),
              QStringList({"AAA", "Bob", "1 rue Haute", "Bât. B", "Lyon", "69001", "0401020304",
                           "0405060708", "05/06/1971", "171066912345678", "ligne 1\nligne 2"}));

    Bouton(2);  // DAVID: only a name, a given name and a birth date
    EXPECT_EQ(f.Nom->text(), QStringLiteral("DAVID"));
    for (const QLineEdit* vide :
         {f.Adresse1, f.Adresse2, f.Ville, f.Code_Postal, f.Tel_Home, f.Tel_Bureau, f.Numero_SS}) {
        EXPECT_TRUE(vide->text().isEmpty()) << vide->objectName().toStdString();
    }
    EXPECT_TRUE(f.Commentaire->toPlainText().isEmpty());
}

TEST_F(PatientDisplay, OpensOnTheCurrentPatientByKeyEvenAmongHomonyms) {
    Patient("DUPONT", "Jean", "01/01/1950", {{"Ville_Patient", "Brest"}});
    etat.Nom_Patient_Courant = QStringLiteral("DUPONT Jean");
    etat.Code_Patient_Courant = static_cast<int>(dupont);
    Ouvrir();
    EXPECT_EQ(fenetre->Ville->text(), QStringLiteral("Nice"));
    EXPECT_EQ(fenetre->Code_Patient_Affiche, dupont);
    fenetre->close();

    etat.Code_Patient_Courant = 9999;  // no longer there: the first patient
    Ouvrir();
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("DAVID"));
    EXPECT_EQ(Ligne_Choisie(), QStringLiteral("DAVID Luc"));
}

TEST_F(PatientDisplay, AnEmptyTableGivesAnEmptyWindowAndBrowsingChangesNothing) {
    etat.Base_Donnees->execute(QStringLiteral("DELETE FROM Patients"));
    fenetre->Nombre_Patients = 7;
    Ouvrir();
    EXPECT_TRUE(Lignes().isEmpty());
    EXPECT_EQ(fenetre->Nombre_Patients, 7) << "an empty recordset leaves the count";
    EXPECT_EQ(fenetre->Liste_Patients->currentRow(), -1);
    EXPECT_EQ(fenetre->Code_Patient_Affiche, 0);
    for (int bouton = 1; bouton <= 4; ++bouton) {
        Bouton(bouton);
        EXPECT_TRUE(fenetre->Nom->text().isEmpty());
    }
    Bouton(6);  // nothing shown, not a new patient: the save does nothing
    Bouton(7);  // nothing to delete
    EXPECT_EQ(Nombre_Lignes_Table(), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PatientDisplay, NullNamesFromElsewhereStillGiveALinePerPatient) {
    Ajouter({{"Prenom_Patient", "Sans nom"}});
    Ajouter({{"Nom_Patient", "ZORRO"}});
    Ouvrir();
    EXPECT_EQ(Lignes().size(), 7);
    EXPECT_TRUE(Lignes().contains(QStringLiteral(" Sans nom")));
    EXPECT_TRUE(Lignes().contains(QStringLiteral("ZORRO ")));
    EXPECT_TRUE(Messages().empty());
}

// Another copy of the program on the same folder deleted patients after this one opened
// its list: opening the window skips them, and every line still shows its own patient.
TEST_F(PatientDisplay, PatientsDeletedByAnotherCopyAreSkippedWhenTheWindowOpens) {
    for (const int nombre : {0, kGrandeListe}) {
        etat.Base_Donnees->execute(
            QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                "INSERT INTO Patients (Nom_Patient, Prenom_Patient) SELECT 'Q', i FROM n"),
            {nombre});
        Ouvrir();
        fenetre->close();
        const int avant = fenetre->Liste_Patients->count();
        platform::Database autre_copie(dossier.base());
        autre_copie.execute(QStringLiteral("DELETE FROM Patients WHERE Code_Patient IN (?, ?)"),
                            {david, martin});
        // This copy writes, so that every row is read afresh.
        etat.Base_Donnees->execute(
            QStringLiteral("UPDATE Patients SET Ville_Patient = 'Lyon' WHERE Code_Patient = ?"),
            {durand});
        fenetre->Ouvrir();
        ASSERT_EQ(fenetre->Liste_Patients->count(), avant - 2) << nombre;
        EXPECT_FALSE(Lignes().contains(QStringLiteral("DAVID Luc")));
        EXPECT_FALSE(Lignes().contains(QStringLiteral("MARTIN Zoé")));
        for (const int ligne : {0, 1, avant - 3}) {
            fenetre->Liste_Patients->setCurrentRow(ligne);
            EXPECT_EQ(Lignes()[ligne], fenetre->Nom->text() + u' ' + fenetre->Prenom->text());
        }
        EXPECT_TRUE(Messages().empty()) << nombre;
        fenetre->close();
        david = Patient("DAVID", "Luc", "04/04/1944");
        martin = Patient("MARTIN", "Zoé", "3/4/1990");
    }
}

TEST_F(PatientDisplay, ALargeListShowsEachPatientOnItsOwnLine) {
    etat.Base_Donnees->execute(
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
            "INSERT INTO Patients (Nom_Patient, Prenom_Patient) "
            "SELECT 'P' || (i % 97), CASE WHEN i % 1000 THEN 'n' || i END FROM n"),
        {kGrandeListe});
    const auto controler = [this](std::initializer_list<int> lignes) {
        for (const int ligne : lignes) {
            fenetre->Liste_Patients->setCurrentRow(ligne);
            EXPECT_EQ(Lignes()[ligne], fenetre->Nom->text() + u' ' + fenetre->Prenom->text());
            EXPECT_EQ(etat.Table_Patients->absolutePosition(), ligne);
        }
    };
    Ouvrir();
    ASSERT_EQ(fenetre->Liste_Patients->count(), kGrandeListe + 5);
    controler({0, 1, 4242, 9999, kGrandeListe + 4});
    Bouton(8);
    Ajouter({{"Nom_Patient", "P1"}, {"Prenom_Patient", "n1"}});
    fenetre->Nom->setText(QStringLiteral("P"));
    Bouton(8);
    ASSERT_EQ(fenetre->Liste_Patients->count(), kGrandeListe + 1);
    controler({0, 77, 5000, kGrandeListe});
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PatientDisplay, ClosingHidesTheWindowKeepsItsStateAndLetsTheMainWindowFollow) {
    Ouvrir();
    Bouton(8);
    EXPECT_EQ(fenetre->Etat_Recherche, 1);
    Bouton(9);
    EXPECT_FALSE(fenetre->isVisible());
    EXPECT_EQ(fermetures, 1);
    fenetre->Nom->setText(QStringLiteral("x"));
    fenetre->Ouvrir();
    EXPECT_EQ(fenetre->Etat_Recherche, 0) << "each opening starts the search afresh";
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("DAVID"));
    fenetre->Ouvrir();  // already open: only brought to the front
    EXPECT_EQ(fermetures, 1);
    fenetre->close();
    EXPECT_EQ(fermetures, 2);
}

TEST_F(PatientDisplay, LayoutFitsTheClientAreaWithUnclippedTexts) {
    Ouvrir();
    EXPECT_EQ(fenetre->size(), QSize(Patients::kClientWidth, Patients::kClientHeight));
    EXPECT_EQ(fenetre->Toolbar1->actions().size(), Patients::kNombre_Boutons);
    for (const QAction* bouton : fenetre->Toolbar1->actions()) {
        EXPECT_TRUE(bouton->toolTip().isEmpty() || bouton->text().isEmpty());
        EXPECT_EQ(bouton->icon().actualSize(QSize(32, 32)), QSize(32, 32));
    }
    const QRect client = fenetre->rect();
    std::vector<const QWidget*> controles;
    for (const QWidget* w : fenetre->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(fenetre.get()))
            continue;
        EXPECT_TRUE(client.contains(w->geometry())) << w->objectName().toStdString();
        for (const QWidget* autre : controles) {
            EXPECT_FALSE(w->geometry().intersects(autre->geometry()))
                << w->objectName().toStdString() << " / " << autre->objectName().toStdString();
        }
        controles.push_back(w);
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
                << label->objectName().toStdString();
        }
    }
    fenetre->resize(800, 500);
    EXPECT_EQ(fenetre->Nom->pos(), QPoint(306, 8)) << "controls keep their places";
}

class PatientDisplayInEnglish : public PatientWindowTest {
  protected:
    PatientDisplayInEnglish() : PatientWindowTest(QStringLiteral("English")) {}
};

TEST_F(PatientDisplayInEnglish, LabelsFitInEnglishToo) {
    Ouvrir();
    EXPECT_EQ(fenetre->Label_Tel_Perso->text(), etat.Libelle(5, 6));
    for (const QLabel* label : fenetre->findChildren<QLabel*>()) {
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
    }
}

}  // namespace
}  // namespace corvanta::test
