// The three exam windows on one real file while another copy of the program (a second
// connection) or the stock sqlite3 shell writes between the display and Validate.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <functional>

#include "platform/recordset.h"
#include "tests/support/application_test.h"
#include "tests/support/sqlite_shell.h"
#include "tests/support/workstation.h"

namespace corvanta::test {
namespace {

// Each exam window with the menu of its type and its text numbers: the validation title,
// a change disputed, the exam gone, its patient gone, a curve gone, the exam asked for
// gone, the title of the last.
struct Fenetre_Cas {
    const char* nom;
    QAction* Echo::*menu;
    int type;
    int form;
    int titre, conteste, supprime, patient_perdu, courbe_perdue, demande_supprime, titre_supprime;
};
const Fenetre_Cas kFenetres[] = {
    {"sinus", &Echo::Menu_Sinus_Maxillaires, 0, 4, 90, 160, 161, 162, 163, 164, 165},
    {"plèvre", &Echo::Menu_Plevre, 2, 4, 90, 160, 161, 162, 163, 164, 165},
    {"tumeur", &Echo::Menu_Tumeur, 3, 7, 110, 131, 132, 133, 134, 135, 136},
};

// MARTIN's exam "03" and ROUX's exam "01" of the window's type, each with its patient's
// curves; the window opened on MARTIN's exam.
struct Poste : Workstation {
    explicit Poste(const Fenetre_Cas& cas) : f(cas) {
        martin = patient(QStringLiteral("MARTIN"), QStringLiteral("Paul"));
        roux = patient(QStringLiteral("ROUX"), QStringLiteral("Anne"));
        c1 = courbe(martin, f.type, QStringLiteral("c1"), Echantillons(10, 1));
        c2 = courbe(martin, f.type, QStringLiteral("c2"), Echantillons(90, 0));
        r1 = courbe(roux, f.type, QStringLiteral("r1"));
        r2 = courbe(roux, f.type, QStringLiteral("r2"));
        e_martin = examen(martin, f.type, QStringLiteral("03"), c1, c1,
                          {{"Examen_Compatible", "Kyste"}, {"Docteur_Patient", "Dr Noir"}});
        e_roux = examen(roux, f.type, QStringLiteral("01"), r1, r1, {{"Examen_Compatible", "RAS"}});
        demarrer();
        (echo.get()->*f.menu)->trigger();
        echo->Menu_Gestion_Examens->trigger();
        w = fenetres()->Chercher<Fenetre_Examen>();
        runEvents(30);  // the start timer's display
        w->Liste_Examens->setCurrentRow(0);
    }
    QCheckBox* scanner() const {
        return w->findChild<QCheckBox*>(QStringLiteral("Check_Decision_Scanner"));
    }
    // The echogram combos: right and left, or the tumour's only one.
    std::vector<QComboBox*> echogrammes() const {
        std::vector<QComboBox*> combos;
        for (const char* nom :
             {"Combo_Echogramme_Droit", "Combo_Echogramme_Gauche", "Combo_Echogramme"}) {
            if (auto* combo = w->findChild<QComboBox*>(QLatin1String(nom)))
                combos.push_back(combo);
        }
        return combos;
    }
    QString texte(int numero) const { return etat->Libelle(f.form, numero); }
    void valider() { w->Toolbar1_Boutons[5]->trigger(); }
    std::int64_t nombre_examens() {
        return base->queryValue(QStringLiteral("SELECT COUNT(*) FROM Examens")).toInt64();
    }
    // One message box since the last look: its title and text.
    void attendre_message(int titre, const QString& texte_attendu) {
        ASSERT_EQ(messages.boites.size(), 1u);
        EXPECT_EQ(messages.boites[0].titre, texte(titre));
        EXPECT_EQ(messages.boites[0].texte, texte_attendu);
        EXPECT_EQ(messages.boites[0].icone, QMessageBox::Warning);
        messages.boites.clear();
    }

    const Fenetre_Cas& f;
    std::int64_t martin, roux, c1, c2, r1, r2, e_martin, e_roux;
    Fenetre_Examen* w = nullptr;
};

TEST(SeveralWritersExams, AChangeElsewhereToAColumnTheUserLeftIsKeptAndShownAfterAMove) {
    for (const Fenetre_Cas& f : kFenetres) {
        SCOPED_TRACE(f.nom);
        Poste c(f);
        ASSERT_EQ(c.w->Texte_Docteur_Patient->text(), QStringLiteral("Dr Noir"));
        // Another copy writes the doctor and a decision, the user only the conclusion.
        c.base->execute(QStringLiteral("UPDATE Examens SET Docteur_Patient = 'Dr Autre', "
                                       "Decision_Scanner = 1 WHERE Code_Examen = ?"),
                        {c.e_martin});
        c.w->Texte_Examen_Compatible->setText(QStringLiteral("Kyste revu"));
        c.valider();
        EXPECT_TRUE(c.messages.boites.empty());
        EXPECT_EQ(c.colonne(c.e_martin, "Examen_Compatible"), platform::Value("Kyste revu"));
        EXPECT_EQ(c.colonne(c.e_martin, "Docteur_Patient"), platform::Value("Dr Autre"));
        EXPECT_EQ(c.colonne(c.e_martin, "Decision_Scanner"), platform::Value(1));
        EXPECT_EQ(c.w->Texte_Docteur_Patient->text(), QStringLiteral("Dr Autre"));
        EXPECT_TRUE(c.scanner()->isChecked());

        // The shell writes the next exam, then MARTIN's again: each move shows the file now.
        c.w->Toolbar1_Boutons[1]->trigger();
        EXPECT_EQ(c.w->Texte_Examen_Compatible->text(), QStringLiteral("RAS"));
        Shell(c.dossier.base(),
              QStringLiteral("UPDATE Examens SET Examen_Compatible = 'Kyste opéré' "
                             "WHERE Code_Examen = %1;")
                  .arg(c.e_martin));
        c.w->Toolbar1_Boutons[0]->trigger();
        EXPECT_EQ(c.w->Texte_Examen_Compatible->text(), QStringLiteral("Kyste opéré"));
        EXPECT_TRUE(c.messages.boites.empty());
    }
}

TEST(SeveralWritersExams, AChangeElsewhereToAColumnTheUserChangedIsRefusedAndShownAsStored) {
    for (const Fenetre_Cas& f : kFenetres) {
        SCOPED_TRACE(f.nom);
        Poste c(f);
        c.w->Texte_Examen_Compatible->setText(QStringLiteral("Ma conclusion"));
        c.scanner()->setChecked(true);
        Shell(c.dossier.base(), QStringLiteral("UPDATE Examens SET Examen_Compatible = 'La "
                                               "leur' WHERE Code_Examen = %1;")
                                    .arg(c.e_martin));
        c.valider();
        c.attendre_message(f.titre, c.texte(f.conteste));
        // Nothing written; the conclusion as stored, the user's tick kept.
        EXPECT_EQ(c.colonne(c.e_martin, "Examen_Compatible"), platform::Value("La leur"));
        EXPECT_TRUE(c.colonne(c.e_martin, "Decision_Scanner").isNull());
        EXPECT_EQ(c.w->Texte_Examen_Compatible->text(), QStringLiteral("La leur"));
        EXPECT_TRUE(c.scanner()->isChecked());
        EXPECT_EQ(c.w->focusWidget(), c.w->Texte_Examen_Compatible);

        // Validated again: the tick goes in, their conclusion stays.
        c.valider();
        EXPECT_TRUE(c.messages.boites.empty());
        EXPECT_EQ(c.colonne(c.e_martin, "Decision_Scanner"), platform::Value(1));
        EXPECT_EQ(c.colonne(c.e_martin, "Examen_Compatible"), platform::Value("La leur"));
    }
}

// Deleted by another copy: Validate, a step or a click onto it, Delete. Nothing is written, the
// list is read again and the window stays on the exam shown before, or the first one.
TEST(SeveralWritersExams, AnExamDeletedElsewhereIsSaidAndTheListIsReadAgain) {
    for (const Fenetre_Cas& f : kFenetres) {
        SCOPED_TRACE(f.nom);
        {
            Poste c(f);
            c.base->execute(QStringLiteral("DELETE FROM Examens WHERE Code_Examen = ?"),
                            {c.e_martin});
            c.w->Texte_Examen_Compatible->setText(QStringLiteral("Perdue"));
            c.valider();
            c.attendre_message(f.titre, c.texte(f.supprime));
            EXPECT_EQ(c.nombre_examens(), 1);
            EXPECT_EQ(Lignes(c.w->Liste_Examens), QStringList{"ROUX Anne 01"});
            EXPECT_EQ(c.w->Texte_Examen_Compatible->text(), QStringLiteral("RAS"));
        }
        // ROUX's exam, gone, asked for by the next button or by its line.
        const std::function<void(Poste&)> vers_roux[] = {
            [](Poste& c) { c.w->Toolbar1_Boutons[1]->trigger(); },
            [](Poste& c) { c.w->Liste_Examens->setCurrentRow(1); },
        };
        for (const auto& aller : vers_roux) {
            Poste c(f);
            c.base->execute(QStringLiteral("DELETE FROM Examens WHERE Code_Examen = ?"),
                            {c.e_roux});
            aller(c);
            c.attendre_message(f.titre_supprime, c.texte(f.demande_supprime));
            EXPECT_EQ(Lignes(c.w->Liste_Examens), QStringList{"MARTIN Paul 03"});
            EXPECT_EQ(c.w->Texte_Examen_Compatible->text(), QStringLiteral("Kyste"));
            EXPECT_EQ(c.w->Liste_Examens->currentRow(), 0);
        }
        {
            Poste c(f);
            c.messages.reponse = QMessageBox::Ok;
            c.base->execute(QStringLiteral("DELETE FROM Examens WHERE Code_Examen = ?"),
                            {c.e_martin});
            c.w->Toolbar1_Boutons[6]->trigger();  // delete: no question, it is gone
            c.attendre_message(f.titre_supprime, c.texte(f.supprime));
            EXPECT_EQ(c.nombre_examens(), 1);
            EXPECT_EQ(Lignes(c.w->Liste_Examens), QStringList{"ROUX Anne 01"});
            EXPECT_EQ(c.w->Texte_Examen_Compatible->text(), QStringLiteral("RAS"));
        }
    }
}

// A new exam for ROUX whose patient row, or a chosen curve, another copy deletes or gives
// to someone else before Validate: refused, nothing written, the exam being typed kept.
TEST(SeveralWritersExams, ANewExamNamingAPatientOrCurveThatIsGoneIsRefused) {
    struct Cas {
        const char* nom;
        const char* sql;  // run by the shell on ROUX, his curve r2 and MARTIN
        bool patient;     // the refusal names the patient, else the curve
    };
    const Cas cas[] = {
        {"patient deleted", "DELETE FROM Patients WHERE Code_Patient = ROUX;", true},
        {"curve deleted", "DELETE FROM Courbes WHERE ID = R2;", false},
        {"curve given to another patient",
         "UPDATE Courbes SET Code_Patient = MARTIN WHERE ID = R2;", false},
        {"curve of another type", "UPDATE Courbes SET Code_Type = 1 WHERE ID = R2;", false},
    };
    for (const Fenetre_Cas& f : kFenetres) {
        for (const Cas& k : cas) {
            SCOPED_TRACE(std::string(f.nom) + ", " + k.nom);
            Poste c(f);
            c.w->Toolbar1_Boutons[4]->trigger();
            c.w->Combo_Nom_Patient->setCurrentIndex(
                c.w->Combo_Nom_Patient->findData(static_cast<qlonglong>(c.roux)));
            for (QComboBox* combo : c.echogrammes())
                combo->setCurrentIndex(combo->findData(static_cast<qlonglong>(c.r2)));
            c.w->Texte_Examen_Compatible->setText(QStringLiteral("Nouvelle"));
            Shell(c.dossier.base(), QString::fromLatin1(k.sql)
                                        .replace("ROUX", QString::number(c.roux))
                                        .replace("R2", QString::number(c.r2))
                                        .replace("MARTIN", QString::number(c.martin)));
            c.valider();
            c.attendre_message(f.titre, k.patient ? c.texte(f.patient_perdu).arg("ROUX Anne")
                                                  : c.texte(f.courbe_perdue).arg("r2"));
            EXPECT_EQ(c.nombre_examens(), 2);
            EXPECT_EQ(c.w->Mode_Nouvel_Examen, 1);
            EXPECT_EQ(c.w->Texte_Examen_Compatible->text(), QStringLiteral("Nouvelle"));
            EXPECT_EQ(c.w->Combo_Nom_Patient->currentText(), QStringLiteral("ROUX Anne"));
        }
    }
}

}  // namespace
}  // namespace corvanta::test
