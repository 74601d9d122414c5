// The patient window on one real file while another copy of the program (a second
// connection) or the stock sqlite3 shell writes or deletes between display and Save.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "patients/patients.h"
#include "platform/recordset.h"
#include "tests/support/application_test.h"
#include "tests/support/sqlite_shell.h"
#include "tests/support/workstation.h"
#include "widgets/keyed_list.h"

namespace corvanta::test {
namespace {

// Three patients in name order; the window opened on BLANC.
struct Poste : Workstation {
    Poste() {
        blanc = patient(QStringLiteral("BLANC"), QStringLiteral("Lise"));
        noir = patient(QStringLiteral("NOIR"), QStringLiteral("Léo"));
        vert = patient(QStringLiteral("VERT"), QStringLiteral("Ana"));
        base->execute(
            QStringLiteral("UPDATE Patients SET Date_Naissance_Patient = '01/02/1960', "
                           "Ville_Patient = 'Nice', CodePostal_Patient = '06000'"));
        demarrer();
        echo->Menu_Gestion_Patients->trigger();
        p = echo->Fenetre_Patients();
    }
    platform::Value colonne(std::int64_t cle, const char* nom) {
        return base->queryValue(
            QStringLiteral("SELECT %1 FROM Patients WHERE Code_Patient = ?").arg(nom), {cle});
    }
    void bouton(int index) { p->Boutons[index - 1]->trigger(); }
    // One warning since the last look: form 5's title and text.
    void attendre_message(int titre, int texte) {
        ASSERT_EQ(messages.boites.size(), 1u);
        EXPECT_EQ(messages.boites[0].titre, etat->Libelle(5, titre));
        EXPECT_EQ(messages.boites[0].texte, etat->Libelle(5, texte));
        EXPECT_EQ(messages.boites[0].icone, QMessageBox::Warning);
        messages.boites.clear();
    }
    QStringList lignes() const {
        QStringList textes;
        for (int i = 0; i < p->Liste_Patients->count(); ++i)
            textes << p->Liste_Patients->text(i);
        return textes;
    }

    std::int64_t blanc, noir, vert;
    Patients* p = nullptr;
};

TEST(SeveralWritersPatients, SaveWritesOnlyWhatTheUserChangedAndRefusesWhatWasChangedToo) {
    Poste c;
    ASSERT_EQ(c.p->Nom->text(), QStringLiteral("BLANC"));
    // A telephone number written elsewhere survives a postcode change here.
    c.base->execute(QStringLiteral("UPDATE Patients SET Telephone1_Patient = '0102030405' "
                                   "WHERE Code_Patient = ?"),
                    {c.blanc});
    c.p->Code_Postal->setText(QStringLiteral("06100"));
    c.bouton(6);
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.colonne(c.blanc, "CodePostal_Patient"), platform::Value("06100"));
    EXPECT_EQ(c.colonne(c.blanc, "Telephone1_Patient"), platform::Value("0102030405"));
    EXPECT_EQ(c.p->Tel_Home->text(), QStringLiteral("0102030405"));
    // Saved unchanged: nothing written, a Null column stays Null.
    c.bouton(6);
    EXPECT_TRUE(c.colonne(c.blanc, "Adresse1_Patient").isNull());

    // The town changed here and by the shell: refused, shown as stored, the comment typed
    // here kept for the next save.
    c.p->Ville->setText(QStringLiteral("Cannes"));
    c.p->Commentaire->setPlainText(QStringLiteral("Allergie"));
    Shell(c.dossier.base(), QStringLiteral("UPDATE Patients SET Ville_Patient = 'Lyon' "
                                           "WHERE Code_Patient = %1;")
                                .arg(c.blanc));
    c.bouton(6);
    c.attendre_message(15, 30);
    EXPECT_EQ(c.colonne(c.blanc, "Ville_Patient"), platform::Value("Lyon"));
    EXPECT_TRUE(c.colonne(c.blanc, "Commentaire_Patient").isNull());
    EXPECT_EQ(c.p->Ville->text(), QStringLiteral("Lyon"));
    EXPECT_EQ(c.p->Commentaire->toPlainText(), QStringLiteral("Allergie"));
    EXPECT_EQ(c.p->focusWidget(), c.p->Ville);
    c.bouton(6);
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.colonne(c.blanc, "Commentaire_Patient"), platform::Value("Allergie"));
    EXPECT_EQ(c.colonne(c.blanc, "Ville_Patient"), platform::Value("Lyon"));
}

// A patient another copy deleted, met by each way the window reaches a patient: a warning,
// nothing written, the list read again, the patient shown before still shown (the first
// when he is the one gone).
TEST(SeveralWritersPatients, APatientDeletedElsewhereIsSaidWhereverTheWindowMeetsHim) {
    struct Cas {
        const char* nom;
        bool noir_parti;  // NOIR is deleted, else BLANC (the patient shown)
        std::function<void(Poste&)> action;
        int texte;
        const char* montre;
    };
    const Cas cas[] = {
        {"save", false,
         [](Poste& c) {
             c.p->Ville->setText(QStringLiteral("Paris"));
             c.bouton(6);
         },
         31, "NOIR"},
        {"delete", false,
         [](Poste& c) {
             c.messages.reponse = QMessageBox::Ok;
             c.bouton(7);
         },
         31, "NOIR"},
        {"next", true, [](Poste& c) { c.bouton(2); }, 32, "BLANC"},
        {"last then previous", true,
         [](Poste& c) {
             c.bouton(4);
             c.bouton(1);
         },
         32, "VERT"},
        {"a line clicked", true, [](Poste& c) { c.p->Liste_Patients->setCurrentRow(1); }, 32,
         "BLANC"},
        {"a line clicked after another window read the patients again", true,
         [](Poste& c) {
             c.etat->Table_Patients->requery();
             c.p->Liste_Patients->setCurrentRow(1);
         },
         32, "BLANC"},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        Poste c;
        const std::int64_t parti = k.noir_parti ? c.noir : c.blanc;
        c.base->execute(QStringLiteral("DELETE FROM Patients WHERE Code_Patient = ?"), {parti});
        k.action(c);
        c.attendre_message(33, k.texte);
        EXPECT_EQ(c.lignes().size(), 2);
        EXPECT_FALSE(c.lignes().contains(k.noir_parti ? "NOIR Léo" : "BLANC Lise"));
        EXPECT_EQ(c.p->Nom->text(), QString::fromUtf8(k.montre));
        EXPECT_EQ(c.p->Liste_Patients->text(c.p->Liste_Patients->currentRow()).section(u' ', 0, 0),
                  QString::fromUtf8(k.montre));
        EXPECT_EQ(c.base->queryValue(QStringLiteral("SELECT COUNT(*) FROM Patients")).toInt64(), 2);
        EXPECT_EQ(c.base
                      ->queryValue(QStringLiteral("SELECT COUNT(*) FROM Patients WHERE "
                                                  "Ville_Patient = 'Nice'"))
                      .toInt64(),
                  2);
    }
}

// The window opens on the main window's current patient: gone from the file, the user is
// told; merely left out of the search the window holds, he is not.
TEST(SeveralWritersPatients, OpeningOnACurrentPatientDeletedElsewhereSaysSoButASearchDoesNot) {
    Poste c;
    c.p->close();
    c.echo->Liste_Nom->setCurrentIndex(c.echo->Liste_Nom->findData(static_cast<qlonglong>(c.noir)));
    ASSERT_EQ(c.etat->Code_Patient_Courant, c.noir);
    c.base->execute(QStringLiteral("DELETE FROM Patients WHERE Code_Patient = ?"), {c.noir});
    c.echo->Menu_Gestion_Patients->trigger();
    c.attendre_message(33, 32);
    EXPECT_EQ(c.p->Nom->text(), QStringLiteral("BLANC"));
    EXPECT_EQ(c.lignes(), (QStringList{"BLANC Lise", "VERT Ana"}));
    c.p->close();

    c.echo->Liste_Nom->setCurrentIndex(c.echo->Liste_Nom->findData(static_cast<qlonglong>(c.vert)));
    ASSERT_EQ(c.etat->Code_Patient_Courant, c.vert);
    c.etat->Table_Patients = c.etat->Base_Donnees->openRecordset(
        QStringLiteral("SELECT * FROM Patients WHERE Nom_Patient = 'BLANC'"));
    c.echo->Menu_Gestion_Patients->trigger();
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.p->Nom->text(), QStringLiteral("BLANC"));
}

// Deleting a patient here: an open exam window offers him no more, and a new exam being
// typed for him loses him and his curves instead of being stored under a key no row has.
TEST(SeveralWritersPatients, DeletingHereRefillsTheOpenExamWindowsPatientChoice) {
    Poste c;
    const std::int64_t courbe = c.courbe(c.noir, 0, QStringLiteral("n1"));
    c.p->close();
    c.echo->Menu_Gestion_Examens->trigger();
    Examen_Sinus* s = c.sinus();
    ASSERT_NE(s, nullptr);
    s->Toolbar1_Boutons[4]->trigger();
    s->Combo_Nom_Patient->setCurrentIndex(
        s->Combo_Nom_Patient->findData(static_cast<qlonglong>(c.noir)));
    ASSERT_EQ(s->Combo_Echogramme_Droit->findData(static_cast<qlonglong>(courbe)), 0);
    s->Combo_Echogramme_Droit->setCurrentIndex(0);
    s->Combo_Echogramme_Gauche->setCurrentIndex(0);
    s->Texte_Examen_Compatible->setText(QStringLiteral("Sinusite"));

    c.echo->Menu_Gestion_Patients->trigger();
    c.p->Liste_Patients->setCurrentRow(1);
    ASSERT_EQ(c.p->Nom->text(), QStringLiteral("NOIR"));
    c.messages.reponse = QMessageBox::Ok;
    c.bouton(7);
    c.messages.boites.clear();
    c.messages.reponse.reset();

    EXPECT_EQ(Lignes(s->Combo_Nom_Patient), (QStringList{"BLANC Lise", "VERT Ana"}));
    EXPECT_EQ(s->Combo_Nom_Patient->currentIndex(), -1);
    EXPECT_EQ(s->Combo_Echogramme_Droit->count(), 0);
    EXPECT_EQ(s->Texte_Examen_Compatible->text(), QStringLiteral("Sinusite"));
    s->Toolbar1_Boutons[5]->trigger();
    ASSERT_EQ(c.messages.boites.size(), 1u);
    EXPECT_EQ(c.messages.boites[0].texte, c.etat->Libelle(4, 91));
    EXPECT_EQ(c.base->queryValue(QStringLiteral("SELECT COUNT(*) FROM Examens")).toInt64(), 0);
}

}  // namespace
}  // namespace corvanta::test
