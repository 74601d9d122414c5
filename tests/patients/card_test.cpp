// Creating, saving and deleting patients through the window, on a real database file.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "platform/database.h"
#include "platform/recordset.h"
#include "tests/patients/patient_window_test.h"
#include "widgets/keyed_list.h"
#include "widgets/text_limits.h"

namespace corvanta::test {
namespace {

class PatientCard : public PatientWindowTest {
  protected:
    void SetUp() override {
        dupont = Patient("DUPONT", "Jean", "15/03/1960", {{"Ville_Patient", "Nice"}});
        martin = Patient("MARTIN", "Zoé", "03/04/1990");
        Ouvrir();
    }
    void Saisir(const char* nom, const char* prenom, const char* date) {
        fenetre->Nom->setText(QString::fromUtf8(nom));
        fenetre->Prenom->setText(QString::fromUtf8(prenom));
        fenetre->Date_Naissance->setText(QString::fromUtf8(date));
    }
    std::int64_t dupont = 0, martin = 0;
};

TEST_F(PatientCard, ANewPatientIsWrittenWholeAndListed) {
    Bouton(5);
    EXPECT_EQ(fenetre->Mode_Ajout, 1);
    EXPECT_TRUE(fenetre->Nom->text().isEmpty());
    Saisir("BERNARD", "Luc", "1/2/60");
    fenetre->Adresse1->setText(QStringLiteral("2 rue Basse"));
    fenetre->Adresse2->setText(QStringLiteral("Apt 3"));
    fenetre->Ville->setText(QStringLiteral("Nantes"));
    fenetre->Code_Postal->setText(QStringLiteral("44000"));
    fenetre->Tel_Home->setText(QStringLiteral("0102"));
    fenetre->Tel_Bureau->setText(QStringLiteral("0304"));
    fenetre->Numero_SS->setText(QStringLiteral("0012345678901234567"));
    const QString commentaire = QString(30, u'c') + u'\n' + QString(150, u'd') + u'\n' + u'e';
    fenetre->Commentaire->setPlainText(commentaire);
    Bouton(6);

    ASSERT_TRUE(Messages().empty()) << Messages().front().toStdString();
    const std::int64_t cle = etat.Base_Donnees->lastInsertKey();
    EXPECT_GT(cle, martin);
    const std::vector<std::pair<const char*, QString>> attendu{
        {"Nom_Patient", "BERNARD"},
        {"Prenom_Patient", "Luc"},
        {"Adresse1_Patient", "2 rue Basse"},
        {"Adresse2_Patient", "Apt 3"},
        {"Ville_Patient", "Nantes"},
        {"CodePostal_Patient", "44000"},
        {"Telephone1_Patient", "0102"},
        {"Telephone2_Patient", "0304"},
        {"Date_Naissance_Patient", "01/02/1960"},
        {"NumeroSS_Patient", "12345678901234567"},
        {"Commentaire_Patient",
         QString(30, u'c') + u' ' + QString(150, u'd') + QStringLiteral(" e")}};
    for (const auto& [colonne, valeur] : attendu) {
        EXPECT_EQ(Colonne(cle, colonne), platform::Value(valeur)) << colonne;
    }
    EXPECT_EQ(fenetre->Mode_Ajout, 0);
    EXPECT_EQ(Lignes(), QStringList({"BERNARD Luc", "DUPONT Jean", "MARTIN Zoé"}));
    EXPECT_EQ(Ligne_Choisie(), QStringLiteral("BERNARD Luc"));
    EXPECT_EQ(fenetre->Code_Patient_Affiche, cle);
    // The main window's patient changes only when this window closes.
    EXPECT_EQ(etat.Code_Patient_Courant, 0);
    EXPECT_EQ(principale.windowTitle(), QStringLiteral("Corvanta - Sinus maxillaires"));
    EXPECT_EQ(fenetre->windowTitle(), etat.Libelle(5, 15));
}

TEST_F(PatientCard, MandatoryFieldsAndAnInvalidDateWriteNothing) {
    Bouton(5);
    Saisir("", "Luc", "01/02/1960");
    Bouton(6);
    Saisir("BERNARD", "Luc", "");
    Bouton(6);
    Saisir("BERNARD", "Luc", "31/02/1960");
    fenetre->Ville->setText(QStringLiteral("Nantes"));
    Bouton(6);
    ASSERT_EQ(boites->boites.size(), 3u);
    EXPECT_EQ(boites->boites[0].texte, etat.Libelle(5, 11));
    EXPECT_EQ(boites->boites[0].titre, etat.Libelle(5, 12));
    EXPECT_EQ(boites->boites[1].texte, etat.Libelle(5, 13));
    EXPECT_EQ(boites->boites[2].texte, etat.Libelle(5, 14));
    EXPECT_EQ(boites->boites[2].titre, etat.Libelle(5, 12));
    EXPECT_EQ(boites->boites[2].icone, QMessageBox::Critical);
    EXPECT_EQ(Nombre_Lignes_Table(), 2);
    EXPECT_EQ(fenetre->Mode_Ajout, 1) << "the new patient can still be corrected and saved";
    EXPECT_EQ(fenetre->Ville->text(), QStringLiteral("Nantes")) << "what was typed stays";
    EXPECT_EQ(fenetre->Date_Naissance->text(), QStringLiteral("31/02/1960"));

    fenetre->Date_Naissance->setText(QStringLiteral("28/02/1960"));
    Bouton(6);
    EXPECT_EQ(Nombre_Lignes_Table(), 3);
}

TEST_F(PatientCard, AnEditIsWrittenToTheShownPatientByKey) {
    Bouton(2);  // MARTIN
    ASSERT_EQ(fenetre->Code_Patient_Affiche, martin);
    // The main window moves the shared recordset meanwhile.
    etat.Table_Patients->moveFirst();
    fenetre->Ville->setText(QStringLiteral("Lille"));
    fenetre->Date_Naissance->setText(QStringLiteral("4/3/90"));
    Bouton(6);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Colonne(martin, "Ville_Patient"), platform::Value("Lille"));
    EXPECT_EQ(Colonne(martin, "Date_Naissance_Patient"), platform::Value("04/03/1990"));
    EXPECT_EQ(Colonne(dupont, "Ville_Patient"), platform::Value("Nice"));
    EXPECT_EQ(Nombre_Lignes_Table(), 2);
    EXPECT_EQ(fenetre->Code_Patient_Affiche, martin);
}

TEST_F(PatientCard, BrowsingLeavesNewPatientModeSoNoDuplicateIsAdded) {
    Bouton(5);
    fenetre->Liste_Patients->setCurrentRow(1);  // MARTIN
    EXPECT_EQ(fenetre->Mode_Ajout, 0);
    Bouton(6);
    EXPECT_EQ(Nombre_Lignes_Table(), 2);
    Bouton(5);
    Bouton(3);
    Bouton(6);
    EXPECT_EQ(Nombre_Lignes_Table(), 2);
}

TEST_F(PatientCard, TextsLongerThanTheBoxesFromElsewhereSurviveASaveAndTypingStopsAtTheLimits) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\xA9\xBA");
    const QString longue = QString(300, u'x') + emoji;
    const QString commentaire =
        QStringLiteral("Allergie\r\npénicilline\rnotée\u00A0") + QString(300, u'c');
    const auto cle = Ajouter({{"Nom_Patient", "AAA"},
                              {"Prenom_Patient", "a"},
                              {"Adresse1_Patient", longue},
                              {"Commentaire_Patient", commentaire},
                              {"Date_Naissance_Patient", "01/01/2000"}});
    Ouvrir();
    ASSERT_EQ(fenetre->Code_Patient_Affiche, cle);
    EXPECT_EQ(fenetre->Adresse1->text(), longue);
    QTest::keyClicks(fenetre->Adresse1, QStringLiteral("y"));
    EXPECT_EQ(fenetre->Adresse1->text(), longue) << "a text over its limit does not grow";
    QTest::keyClicks(fenetre->Ville, QStringLiteral("Paris"));
    Bouton(6);
    EXPECT_EQ(Colonne(cle, "Adresse1_Patient"), platform::Value(longue));
    EXPECT_EQ(Colonne(cle, "Commentaire_Patient"), platform::Value(commentaire));

    Bouton(5);
    EXPECT_EQ(typingLimit(fenetre->Adresse1), 50) << "a new patient gets the usual limits";
    QTest::keyClicks(fenetre->Adresse1, QString(49, u'a'));
    QTest::sendKeyEvent(QTest::Click, fenetre->Adresse1, Qt::Key_unknown, emoji, Qt::NoModifier);
    QTest::keyClicks(fenetre->Adresse1, QStringLiteral("b"));
    EXPECT_EQ(fenetre->Adresse1->text(), QString(49, u'a') + emoji);
    QTest::keyClicks(fenetre->Commentaire, QString(260, u'y'));
    QTest::keyClick(fenetre->Commentaire, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClicks(fenetre->Commentaire, QStringLiteral("Z"));
    EXPECT_EQ(fenetre->Commentaire->toPlainText(), QString(Patients::kLongueur_Commentaire, u'y'));
    EXPECT_EQ(fenetre->Commentaire->textCursor().position(), 0);
}

TEST_F(PatientCard, SavingAfterASearchRepeatsTheSearch) {
    Bouton(8);
    fenetre->Nom->setText(QStringLiteral("DU"));
    Bouton(8);
    ASSERT_EQ(Lignes(), QStringList({"DUPONT Jean"}));
    Bouton(5);
    Saisir("ZOLA", "Émile", "02/04/1840");
    Bouton(6);
    EXPECT_EQ(Nombre_Lignes_Table(), 3);
    EXPECT_EQ(Lignes(), QStringList({"DUPONT Jean"})) << "the new patient is not in the search";
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("DUPONT"));
}

TEST_F(PatientCard, DeletionAsksThenRemovesTheShownPatientByKey) {
    Bouton(2);  // MARTIN
    boites->reponse = QMessageBox::Cancel;
    Bouton(7);
    EXPECT_EQ(Nombre_Lignes_Table(), 2);
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("MARTIN"));

    boites = std::make_unique<MessageBoxAnswerer>(QMessageBox::Ok);
    etat.Table_Patients->moveFirst();  // moved elsewhere meanwhile
    Bouton(7);
    ASSERT_EQ(boites->boites.size(), 1u);
    EXPECT_TRUE(boites->boites[0].texte.startsWith(etat.Libelle(5, 17)));
    EXPECT_TRUE(Colonne(martin, "Nom_Patient").isNull());
    EXPECT_FALSE(Colonne(dupont, "Nom_Patient").isNull());
    EXPECT_EQ(Lignes(), QStringList({"DUPONT Jean"}));
    EXPECT_EQ(fenetre->Nom->text(), QStringLiteral("DUPONT"));
}

TEST_F(PatientCard, APatientGoesWithHisExamsAndCurvesOrNothingGoes) {
    // Rows written by another copy of the program on the same file.
    platform::Database autre_copie(dossier.base());
    const auto courbe = [&](std::int64_t patient) {
        autre_copie.execute(QStringLiteral("INSERT INTO Courbes (Code_Type, Code_Patient, DATE) "
                                           "VALUES (0, ?, 'c')"),
                            {patient});
        return autre_copie.lastInsertKey();
    };
    const auto examen = [&](std::int64_t patient, std::int64_t courbe_droite) {
        autre_copie.execute(QStringLiteral("INSERT INTO Examens (\"Code_ Patient\", Code_Type, "
                                           "Echogramme_Droit_Num_Courbe) VALUES (?, 0, ?)"),
                            {patient, courbe_droite});
        return autre_copie.lastInsertKey();
    };
    const std::int64_t c1 = courbe(martin), c2 = courbe(martin), c3 = courbe(martin);
    examen(martin, c1);
    examen(martin, c2);
    examen(dupont, courbe(dupont));
    // One of Dupont's exams shows a curve of Martin's: the database refuses that curve's
    // deletion, so the whole deletion fails.
    const std::int64_t croise = examen(dupont, c3);
    etat.Table_Courbes = etat.Base_Donnees->openRecordset(QStringLiteral("SELECT * FROM Courbes"));
    etat.Table_Examens = etat.Base_Donnees->openRecordset(QStringLiteral("Req_Examens_0"));
    const auto lignes_de = [&](std::int64_t patient) {
        std::vector<std::int64_t> n;
        for (const char* sql : {"SELECT COUNT(*) FROM Patients WHERE Code_Patient = ?",
                                "SELECT COUNT(*) FROM Examens WHERE \"Code_ Patient\" = ?",
                                "SELECT COUNT(*) FROM Courbes WHERE Code_Patient = ?"}) {
            n.push_back(autre_copie.queryValue(QString::fromLatin1(sql), {patient}).toInt64());
        }
        return n;
    };
    const std::vector<std::int64_t> tout_martin{1, 2, 3}, tout_dupont{1, 2, 1};
    Bouton(2);  // MARTIN

    boites->reponse = QMessageBox::Cancel;
    Bouton(7);
    EXPECT_EQ(lignes_de(martin), tout_martin) << "Cancel deletes nothing";

    boites = std::make_unique<MessageBoxAnswerer>(QMessageBox::Ok);
    fenetre->Nom->setText(QStringLiteral("MARTINEZ"));  // typed, not stored: not whom it names
    Bouton(7);
    ASSERT_EQ(boites->boites.size(), 2u);
    EXPECT_EQ(boites->boites[0].texte,
              QStringLiteral("Attention, vous allez supprimer la fiche de ce patient.\n"
                             "Patient : MARTIN Zoé\n"
                             "2 examen(s) et 3 courbe(s) de ce patient seront supprimés avec "
                             "elle."));
    EXPECT_EQ(boites->boites[0].defaut, QMessageBox::Cancel);
    EXPECT_EQ(boites->boites[1].icone, QMessageBox::NoIcon) << "the standard error box";
    EXPECT_EQ(boites->boites[1].boutons_standard, QMessageBox::Ok);
    EXPECT_EQ(boites->boites[1].titre, etat.Libelle(4, 44));
    EXPECT_EQ(lignes_de(martin), tout_martin) << "a refused curve deletes nothing";
    EXPECT_EQ(lignes_de(dupont), tout_dupont);
    EXPECT_EQ(Lignes(), QStringList({"DUPONT Jean", "MARTIN Zoé"}));
    EXPECT_EQ(fenetre->Code_Patient_Affiche, martin);

    autre_copie.execute(QStringLiteral("DELETE FROM Examens WHERE Code_Examen = ?"), {croise});
    Bouton(7);
    EXPECT_EQ(boites->boites.size(), 3u) << "one more confirmation, no error";
    EXPECT_EQ(lignes_de(martin), std::vector<std::int64_t>({0, 0, 0}));
    EXPECT_EQ(lignes_de(dupont), std::vector<std::int64_t>({1, 1, 1}));
    EXPECT_EQ(Lignes(), QStringList({"DUPONT Jean"}));
    EXPECT_EQ(etat.Table_Examens->recordCount(), 1);
    EXPECT_EQ(etat.Table_Courbes->recordCount(), 1);
}

TEST_F(PatientCard, DeletingTheLastPatientLeavesACleanWindowAndKeysAreNotReused) {
    etat.Table_Courbes = etat.Base_Donnees->openRecordset(QStringLiteral("SELECT * FROM Courbes"));
    etat.Table_Examens = etat.Base_Donnees->openRecordset(QStringLiteral("Req_Examens_0"));
    Bouton(7);
    Bouton(7);
    EXPECT_EQ(Nombre_Lignes_Table(), 0);
    EXPECT_EQ(boites->boites.size(), 2u) << "two confirmations, no error box";
    EXPECT_TRUE(Lignes().isEmpty());
    EXPECT_TRUE(fenetre->Nom->text().isEmpty());
    EXPECT_EQ(fenetre->Code_Patient_Affiche, 0);

    Bouton(5);
    Saisir("NOUVEAU", "Né", "01/01/2020");
    Bouton(6);
    EXPECT_GT(etat.Base_Donnees->lastInsertKey(), martin);
    EXPECT_EQ(Lignes(), QStringList({"NOUVEAU Né"}));
}

TEST_F(PatientCard, HostileTextsAreStoredExactly) {
    const QStringList noms{"O'Brien", "100% \"sûr\"", "[x]*?#", "x'); DROP TABLE Patients;--",
                           "Ærø-Øster ßü"};
    for (const QString& nom : noms) {
        Bouton(5);
        fenetre->Nom->setText(nom);
        fenetre->Prenom->setText(nom);
        fenetre->Date_Naissance->setText(QStringLiteral("01/01/1950"));
        fenetre->Commentaire->setPlainText(nom);
        Bouton(6);
        const std::int64_t cle = etat.Base_Donnees->lastInsertKey();
        EXPECT_EQ(Colonne(cle, "Nom_Patient"), platform::Value(nom));
        EXPECT_EQ(Colonne(cle, "Commentaire_Patient"), platform::Value(nom));
        EXPECT_EQ(Ligne_Choisie(), nom + u' ' + nom);
    }
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Nombre_Lignes_Table(), 2 + noms.size());
}

}  // namespace
}  // namespace corvanta::test
