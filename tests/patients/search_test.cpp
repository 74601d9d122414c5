// The patient search: criteria entry, every kind of criterion, the shared result.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "platform/recordset.h"
#include "tests/patients/patient_window_test.h"
#include "widgets/keyed_list.h"

namespace corvanta::test {
namespace {

class PatientSearch : public PatientWindowTest {
  protected:
    void SetUp() override {
        Patient("DUPONT", "Jean", "15/03/1960",
                {{"Ville_Patient", "Nice"},
                 {"CodePostal_Patient", "06000"},
                 {"NumeroSS_Patient", "160037512345"}});
        Patient("Durand", "Paul", "14/03/1960",
                {{"Ville_Patient", "Paris"},
                 {"CodePostal_Patient", "75001"},
                 {"Commentaire_Patient", "allergie pénicilline"}});
        Patient("DAVID", "Luc", "16/03/2005",
                {{"Ville_Patient", "Nîmes"}, {"CodePostal_Patient", "30000"}});
        Patient("MARTIN", "Zoé", "01/01/1930",
                {{"Ville_Patient", "Nice"}, {"CodePostal_Patient", "06100"}});
        Ouvrir();
    }

    // One search from the normal state: criteria typed into the emptied boxes, then the
    // search button.
    QStringList Chercher(std::initializer_list<std::pair<QLineEdit*, const char*>> criteres) {
        Bouton(8);
        EXPECT_EQ(fenetre->Etat_Recherche, 1);
        EXPECT_EQ(fenetre->windowTitle(), etat.Libelle(5, 16));
        for (const auto& [boite, texte] : criteres)
            boite->setText(QString::fromUtf8(texte));
        Bouton(8);
        EXPECT_EQ(fenetre->Etat_Recherche, 2);
        const QStringList trouves = Lignes();
        Bouton(8);  // the full list again
        EXPECT_EQ(fenetre->Etat_Recherche, 0);
        EXPECT_EQ(Lignes().size(), Nombre_Lignes_Table());
        return trouves;
    }
};

TEST_F(PatientSearch, TextCriteriaMatchTheBeginningWithWildcardsAndCombine) {
    Patients& f = *fenetre;
    EXPECT_EQ(Chercher({{f.Nom, "DU"}}), QStringList({"DUPONT Jean", "Durand Paul"}));
    EXPECT_EQ(Chercher({{f.Nom, "du"}}), QStringList({"DUPONT Jean", "Durand Paul"}));
    EXPECT_EQ(Chercher({{f.Nom, "D?R"}}), QStringList({"Durand Paul"}));
    EXPECT_EQ(Chercher({{f.Nom, "*N"}}), QStringList({"DUPONT Jean", "Durand Paul", "MARTIN Zoé"}));
    EXPECT_EQ(Chercher({{f.Nom, "D[AU]"}}),
              QStringList({"DAVID Luc", "DUPONT Jean", "Durand Paul"}));
    EXPECT_EQ(Chercher({{f.Nom, "DU"}, {f.Ville, "NI"}}), QStringList({"DUPONT Jean"}));
    EXPECT_EQ(Chercher({{f.Ville, "Nî"}}), QStringList({"DAVID Luc"}));
    Ajouter({{"Nom_Patient", "élise"}, {"Prenom_Patient", "Eve"}, {"Ville_Patient", "Nice"}});
    Ajouter({{"Nom_Patient", "Élise"}, {"Prenom_Patient", "Ana"}, {"Ville_Patient", "Nice"}});
    Ouvrir();
    EXPECT_EQ(Chercher({{f.Ville, "Nic"}}),
              QStringList({"DUPONT Jean", "Élise Ana", "élise Eve", "MARTIN Zoé"}))
        << "found patients come in the French name order";
    EXPECT_EQ(Chercher({{f.Code_Postal, "06"}}), QStringList({"DUPONT Jean", "MARTIN Zoé"}));
    EXPECT_EQ(Chercher({{f.Numero_SS, "1600"}}), QStringList({"DUPONT Jean"}));
    EXPECT_EQ(Chercher({{f.Prenom, "z"}}), QStringList({"MARTIN Zoé"}));
    f.Commentaire->setPlainText(QString());
    Bouton(8);
    f.Commentaire->setPlainText(QStringLiteral("allergie"));
    Bouton(8);
    EXPECT_EQ(Lignes(), QStringList({"Durand Paul"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PatientSearch, BirthDateComparesDatesWithTwoOrFourDigitYears) {
    QLineEdit* date = fenetre->Date_Naissance;
    EXPECT_EQ(Chercher({{date, "15/03/60"}}), QStringList({"DUPONT Jean"}));
    EXPECT_EQ(Chercher({{date, "15/03/1960"}}), QStringList({"DUPONT Jean"}));
    EXPECT_EQ(Chercher({{date, "=15/3/60"}}), QStringList({"DUPONT Jean"}));
    EXPECT_EQ(Chercher({{date, ">=15/03/60"}}), QStringList({"DAVID Luc", "DUPONT Jean"}));
    EXPECT_EQ(Chercher({{date, ">15/03/60"}}), QStringList({"DAVID Luc"}));
    EXPECT_EQ(Chercher({{date, "<15/03/60"}}), QStringList({"Durand Paul", "MARTIN Zoé"}));
    EXPECT_EQ(Chercher({{date, "<=15/03/60"}}),
              QStringList({"DUPONT Jean", "Durand Paul", "MARTIN Zoé"}));
    EXPECT_EQ(Chercher({{date, ">1/1/2000"}}), QStringList({"DAVID Luc"}));
    EXPECT_EQ(Chercher({{date, "<=15/03/1960"}}),
              QStringList({"DUPONT Jean", "Durand Paul", "MARTIN Zoé"}));
    EXPECT_EQ(Chercher({{date, ">=16/03/2005"}}), QStringList({"DAVID Luc"}));
    EXPECT_EQ(Chercher({{date, "<1/1/1950"}, {fenetre->Ville, "Nice"}}),
              QStringList({"MARTIN Zoé"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PatientSearch, EmptyCriteriaListEveryPatient) {
    EXPECT_EQ(Chercher({}).size(), 4);
}

TEST_F(PatientSearch, NoMatchOrABadCriterionBringsBackTheFullListLineByLine) {
    const auto controler_liste_complete = [this] {
        ASSERT_EQ(Lignes().size(), 4);
        for (int i = 0; i < 4; ++i) {
            fenetre->Liste_Patients->setCurrentRow(i);
            EXPECT_EQ(fenetre->Nom->text() + u' ' + fenetre->Prenom->text(), Lignes()[i]);
        }
    };
    Bouton(8);
    fenetre->Nom->setText(QStringLiteral("DU"));
    Bouton(8);
    ASSERT_EQ(Lignes().size(), 2);
    Bouton(8);
    Bouton(8);
    fenetre->Nom->setText(QStringLiteral("ZZ"));
    Bouton(8);
    ASSERT_EQ(boites->boites.size(), 1u);
    EXPECT_EQ(boites->boites[0].texte, etat.Libelle(5, 19));
    EXPECT_EQ(boites->boites[0].titre, etat.Libelle(5, 20));
    EXPECT_EQ(fenetre->Etat_Recherche, 2);
    EXPECT_EQ(etat.Table_Patients->recordCount(), 4);
    controler_liste_complete();
    Bouton(8);
    EXPECT_EQ(fenetre->Etat_Recherche, 0);

    for (const char* mauvais : {"[", "15/13/60", "hier", ">=15/03/6"}) {
        Bouton(8);
        (mauvais[0] == '[' ? fenetre->Nom : fenetre->Date_Naissance)
            ->setText(QString::fromUtf8(mauvais));
        Bouton(8);
        ASSERT_FALSE(boites->boites.empty()) << mauvais;
        EXPECT_EQ(boites->boites.back().texte, etat.Libelle(5, 18)) << mauvais;
        controler_liste_complete();
        Bouton(8);
    }
    EXPECT_EQ(boites->boites.size(), 5u);
}

TEST_F(PatientSearch, HostileTextsAreFoundExactlyAndChangeNoQuery) {
    const QString longue = QString(300, u'é');
    Ajouter({{"Nom_Patient", "O'Brien"}, {"Prenom_Patient", "Ann"}});
    Ajouter({{"Nom_Patient", "100% sûr"}, {"Prenom_Patient", "a"}});
    Ajouter({{"Nom_Patient", "1000"}, {"Prenom_Patient", "b"}});
    Ajouter({{"Nom_Patient", "x'); DROP TABLE Patients;--"}, {"Prenom_Patient", "c"}});
    Ajouter({{"Nom_Patient", "[x]"}, {"Prenom_Patient", "d"}});
    Ajouter({{"Nom_Patient", "y"}, {"Prenom_Patient", "e"}, {"Adresse1_Patient", longue}});
    Ouvrir();
    Patients& f = *fenetre;
    EXPECT_EQ(Chercher({{f.Nom, "O'Brien"}}), QStringList({"O'Brien Ann"}));
    EXPECT_EQ(Chercher({{f.Nom, "100%"}}), QStringList({"100% sûr a"}));
    EXPECT_EQ(Chercher({{f.Nom, "x'); DROP TABLE Patients;--"}}),
              QStringList({"x'); DROP TABLE Patients;-- c"}));
    EXPECT_EQ(Chercher({{f.Nom, "[[]x]"}}), QStringList({"[x] d"}));
    EXPECT_EQ(Chercher({{f.Adresse1, "ééééé"}}), QStringList({"y e"}));
    Chercher({{f.Nom, "\" OR 1=1 --"}});
    EXPECT_EQ(Messages(), std::vector<QString>({etat.Libelle(5, 19)}));
    EXPECT_EQ(Nombre_Lignes_Table(), 10);
    f.Liste_Patients->setCurrentRow(Lignes().indexOf(QStringLiteral("y e")));
    EXPECT_EQ(f.Adresse1->text(), longue);
}

TEST_F(PatientSearch, TheResultIsTheProgramWideRecordsetUntilTheFullListReturns) {
    std::unique_ptr<platform::Recordset>& partage = etat.Table_Patients;
    Bouton(8);
    fenetre->Ville->setText(QStringLiteral("Nice"));
    Bouton(8);
    // Another window reads the shared recordset.
    ASSERT_EQ(partage->recordCount(), 2);
    QStringList vus;
    for (partage->moveFirst(); !partage->eof(); partage->moveNext())
        vus << partage->field("Nom_Patient").toText();
    EXPECT_EQ(vus, QStringList({"DUPONT", "MARTIN"}));

    fenetre->close();  // closing keeps the result for the main window
    EXPECT_EQ(fermetures, 1);
    EXPECT_EQ(partage->recordCount(), 2);
    fenetre->Ouvrir();
    EXPECT_EQ(Lignes(), QStringList({"DUPONT Jean", "MARTIN Zoé"}));
    EXPECT_EQ(fenetre->Etat_Recherche, 0);
    Bouton(8);
    Bouton(8);  // an empty search: every patient
    EXPECT_EQ(partage->recordCount(), 4);
}

TEST_F(PatientSearch, EnterRunsTheSearchOnlyFromTheNineCriteriaBoxesWhileEnteringCriteria) {
    QTest::keyClick(fenetre->Nom, Qt::Key_Return);
    EXPECT_EQ(fenetre->Etat_Recherche, 0);
    Bouton(8);
    fenetre->Tel_Home->setText(QStringLiteral("01"));
    QTest::keyClick(fenetre->Tel_Home, Qt::Key_Return);
    EXPECT_EQ(fenetre->Etat_Recherche, 1);
    fenetre->Tel_Home->clear();
    fenetre->Nom->setText(QStringLiteral("MAR"));
    QTest::keyClick(fenetre->Commentaire, Qt::Key_Return);
    EXPECT_EQ(fenetre->Etat_Recherche, 2);
    EXPECT_EQ(Lignes(), QStringList({"MARTIN Zoé"}));
    EXPECT_TRUE(fenetre->Commentaire->toPlainText().isEmpty()) << "the key went no further";
    QTest::keyClick(fenetre->Date_Naissance, Qt::Key_Enter);
    EXPECT_EQ(fenetre->Etat_Recherche, 2);
}

TEST_F(PatientSearch, SavingWhileEnteringCriteriaWritesNothing) {
    Bouton(5);  // a new patient begun, then left for a search
    Bouton(8);
    fenetre->Nom->setText(QStringLiteral("DU"));
    fenetre->Date_Naissance->setText(QStringLiteral("15/03/60"));
    Bouton(6);
    EXPECT_EQ(etat.Base_Donnees->queryValue(
                  QStringLiteral("SELECT COUNT(*) FROM Patients WHERE Nom_Patient = 'DU'")),
              platform::Value(0));
    EXPECT_EQ(Nombre_Lignes_Table(), 4);
}

}  // namespace
}  // namespace corvanta::test
