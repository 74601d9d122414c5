// The main window's patients tab on one real file while another copy of the program (a
// second connection) or the stock sqlite3 shell deletes the patient or curve it shows.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <functional>

#include "platform/recordset.h"
#include "tests/support/application_test.h"
#include "tests/support/sqlite_shell.h"
#include "tests/support/workstation.h"

namespace corvanta::test {
namespace {

// BLANC, current, with curves b1 and b2 of type 0 (listed b2 then b1, b2 chosen); NOIR.
struct Poste : Workstation {
    Poste() {
        blanc = patient(QStringLiteral("BLANC"), QStringLiteral("Lise"));
        noir = patient(QStringLiteral("NOIR"), QStringLiteral("Léo"));
        b1 = courbe(blanc, 0, QStringLiteral("b1"), Echantillons(), 0, 0, "premier");
        b2 = courbe(blanc, 0, QStringLiteral("b2"), Echantillons(), 0, 0, "second");
        demarrer();
        choisir(blanc);
        echo->List1->setCurrentRow(0);
    }
    void choisir(std::int64_t patient) {
        echo->Liste_Nom->setCurrentIndex(
            echo->Liste_Nom->findData(static_cast<qlonglong>(patient)));
    }
    int nombre(const char* table) {
        return base->queryValue(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt32();
    }
    std::int64_t blanc, noir, b1, b2;
};

TEST(SeveralWritersMainWindow, APatientOrCurveDeletedElsewhereIsSaidAndItsListReadAgain) {
    struct Cas {
        const char* nom;
        const char* sql;  // run by the shell on BLANC, NOIR, B1 and B2
        std::function<void(Poste&)> action;
        int titre, texte;  // form 1
        // What is left: the patient current, the name list, the curves listed and chosen,
        // the comment box.
        bool blanc_courant;
        int patients_listes;
        int courbes_listees;
        const char* commentaire;
    };
    const Cas cas[] = {
        {"choosing a patient deleted", "DELETE FROM Patients WHERE Code_Patient = NOIR;",
         [](Poste& c) { c.choisir(c.noir); }, 44, 131, true, 1, 2, "second"},
        {"storing for the current patient deleted",
         "DELETE FROM Courbes WHERE Code_Patient = BLANC; "
         "DELETE FROM Patients WHERE Code_Patient = BLANC;",
         [](Poste& c) {
             c.echo->Courbe_Acquise = true;
             c.echo->Toolbar2_Boutons[1]->trigger();
         },
         44, 130, false, 1, 0, ""},
        {"choosing a curve deleted", "DELETE FROM Courbes WHERE ID = B1;",
         [](Poste& c) { c.echo->List1->setCurrentRow(1); }, 134, 132, true, 2, 1, "second"},
        {"commenting a curve deleted", "DELETE FROM Courbes WHERE ID = B2;",
         [](Poste& c) { c.echo->Commentaire_Courbe->setPlainText(QStringLiteral("perdu")); }, 134,
         133, true, 2, 1, "premier"},
        {"printing a curve deleted", "DELETE FROM Courbes WHERE ID = B2;",
         [](Poste& c) { c.echo->Toolbar2_Boutons[3]->trigger(); }, 91, 100, true, 2, 1, "premier"},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        Poste c;
        ASSERT_EQ(c.echo->Commentaire_Courbe->toPlainText(), QStringLiteral("second"));
        const int courbes = c.nombre("Courbes");
        Shell(c.dossier.base(), QString::fromLatin1(k.sql)
                                    .replace("BLANC", QString::number(c.blanc))
                                    .replace("NOIR", QString::number(c.noir))
                                    .replace("B1", QString::number(c.b1))
                                    .replace("B2", QString::number(c.b2)));
        const int courbes_restees = c.nombre("Courbes");
        k.action(c);

        ASSERT_EQ(c.messages.boites.size(), 1u);
        EXPECT_EQ(c.messages.boites[0].titre, c.etat->Libelle(1, k.titre));
        const QString texte = c.etat->Libelle(1, k.texte);
        EXPECT_EQ(c.messages.boites[0].texte, k.texte == 130 ? texte.arg("BLANC Lise") : texte);
        EXPECT_EQ(c.nombre("Courbes"), courbes_restees) << "nothing written";
        EXPECT_LE(courbes_restees, courbes);
        EXPECT_EQ(c.etat->Code_Patient_Courant, k.blanc_courant ? c.blanc : 0);
        EXPECT_EQ(c.echo->Liste_Nom->count(), k.patients_listes);
        EXPECT_EQ(c.echo->List1->count(), k.courbes_listees);
        EXPECT_EQ(c.echo->List1->currentRow() >= 0, k.courbes_listees > 0);
        EXPECT_EQ(c.echo->Commentaire_Courbe->toPlainText(), QString::fromUtf8(k.commentaire));
        // No comment went anywhere else.
        EXPECT_EQ(c.base
                      ->queryValue(QStringLiteral("SELECT COUNT(*) FROM Courbes WHERE "
                                                  "Commentaire_Courbe = 'perdu'"))
                      .toInt64(),
                  0);
    }
}

}  // namespace
}  // namespace corvanta::test
