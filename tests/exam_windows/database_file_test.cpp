#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "tests/exam_windows/expected_preview.h"
#include "tests/support/sqlite_shell.h"

namespace corvanta::test {
namespace {

// A clinic's routine on a database file: check it, count the patients, read every saved
// exam query, add a patient, back the file up and check the copy. Gives the shell's
// lines and what they should be for a file of `patients` patients whose exams of each
// type are counted in `examens`.
std::pair<QStringList, QStringList> Routine_Clinique(const QString& fichier, int patients,
                                                     const std::array<int, 5>& examens) {
    const QString copie = fichier + QStringLiteral(".copie");
    QString sql = QStringLiteral("PRAGMA integrity_check;\nSELECT count(*) FROM Patients;\n");
    QStringList attendu{QStringLiteral("ok"), QString::number(patients)};
    for (int type = 0; type < 5; ++type) {
        sql += QStringLiteral("SELECT count(*) FROM Req_Examens_%1;\n").arg(type);
        attendu << QString::number(examens[type]);
    }
    sql += QStringLiteral(
               "INSERT INTO Patients (Nom_Patient, Prenom_Patient) VALUES ('écho', 'Shell');\n"
               "SELECT count(*) FROM Patients;\nVACUUM INTO '%1';\n")
               .arg(copie);
    attendu << QString::number(patients + 1);
    QStringList lignes = Shell(fichier, sql);
    lignes += Shell(copie, QStringLiteral("PRAGMA integrity_check;\n"));
    attendu << QStringLiteral("ok");
    return {lignes, attendu};
}

TEST(DatabaseFile, TheStandardShellChecksReadsAndWritesAFreshFile) {
    Dossier_Travail dossier;
    const auto [lignes, attendu] = Routine_Clinique(dossier.base(), 0, {0, 0, 0, 0, 0});
    EXPECT_EQ(lignes, attendu);
}

// Names whose French order differs from both the byte order and the shell's case-folded
// one: accents and lower case sort with their letters.
struct AccentedNames : Workstation {
    AccentedNames() {
        for (const char* nom : {"Zola", "Émery", "dupont", "Durand", "Eric"}) {
            const auto p = patient(QString::fromUtf8(nom), QStringLiteral("A"));
            const auto c = courbe(p, 0, QStringLiteral("D"));
            examen(p, 0, QStringLiteral("1"), c, c,
                   {{QStringLiteral("Examen_Compatible"), QStringLiteral("x")}});
        }
    }
};

TEST(DatabaseFile, AFileTheProgramWroteWorksWithTheShellAndKeepsTheFrenchOrder) {
    AccentedNames c;
    c.demarrer();
    // The program itself adds an exam for the first patient of its list.
    c.echo->Liste_Nom->setCurrentIndex(0);
    Examen_Sinus& s = c.ouvrir();
    s.Toolbar1_Boutons[4]->trigger();
    s.Combo_Echogramme_Droit->setCurrentIndex(0);
    s.Combo_Echogramme_Gauche->setCurrentIndex(0);
    s.Texte_Examen_Compatible->setText(QStringLiteral("ok"));
    s.Toolbar1_Boutons[5]->trigger();
    ASSERT_TRUE(c.messages.boites.empty()) << c.messages.boites[0].texte.toStdString();
    c.echo->Fermer_Application();
    c.base.reset();

    const auto [lignes, attendu] = Routine_Clinique(c.dossier.base(), 5, {6, 0, 0, 0, 0});
    EXPECT_EQ(lignes, attendu);

    // The program started again shows the shell's patient among the others, every list
    // in the French name order.
    c.demarrer();
    EXPECT_EQ(Lignes(c.echo->Liste_Nom),
              (QStringList{"dupont A", "Durand A", "écho Shell", "Émery A", "Eric A", "Zola A"}));
    Examen_Sinus& relu = c.ouvrir();
    EXPECT_EQ(Lignes(relu.Liste_Examens), (QStringList{"dupont A 01", "dupont A 02", "Durand A 01",
                                                       "Émery A 01", "Eric A 01", "Zola A 01"}));
    EXPECT_EQ(Lignes(relu.Combo_Nom_Patient), Lignes(c.echo->Liste_Nom));
}

}  // namespace
}  // namespace corvanta::test
