// The import of another database file, on real files: which rows come in under which key,
// what is refused, and that nothing is ever half-imported.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <memory>

#include "app/importation_base.h"
#include "platform/database.h"
#include "platform/error.h"
#include "platform/recordset.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"

namespace corvanta {
namespace {

using platform::Database;
using platform::Value;

const Value kNull;

// The program's database in the working folder, and another one made by the same build.
class Import : public ::testing::Test {
  protected:
    Import() {
        ici = std::make_unique<Database>(dossier.base());
        autre = Nouvelle_Base(QStringLiteral("Sinus d'autrefois.mdb"));  // a quote in its name
    }

    std::unique_ptr<Database> Nouvelle_Base(const QString& nom) {
        const QString chemin = dossier.fichier(nom);
        EXPECT_TRUE(QFile::copy(test::Base_Construite(), chemin));
        QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
        return std::make_unique<Database>(chemin);
    }

    static void Patient(Database& base, const Value& cle, const QString& nom) {
        base.execute(QStringLiteral("INSERT INTO Patients (Code_Patient, Nom_Patient, "
                                    "Prenom_Patient, Date_Naissance_Patient) VALUES (?, ?, ?, ?)"),
                     {cle, nom, QStringLiteral("Zoé"), QStringLiteral("01/02/1960")});
    }
    static void Courbe(Database& base, int cle, const Value& patient, const QString& date) {
        base.execute(QStringLiteral("INSERT INTO Courbes (ID, Code_Type, Code_Patient, DATE, "
                                    "COURBE, MOYENNE, PASSEBAS) VALUES (?, 0, ?, ?, ?, 1, 2)"),
                     {cle, patient, date, QByteArray(400, static_cast<char>(cle))});
    }
    static void Examen(Database& base, int cle, const Value& patient, const Value& droite,
                       const Value& gauche) {
        base.execute(QStringLiteral("INSERT INTO Examens (Code_Examen, \"Code_ Patient\", "
                                    "Code_Type, Num_Examen, Echogramme_Droit_Num_Courbe, "
                                    "Echogramme_Gauche_Num_Courbe, Examen_Compatible) "
                                    "VALUES (?, ?, 0, '01', ?, ?, 'Normal')"),
                     {cle, patient, droite, gauche});
    }

    // Every row of the three tables, key first, as SQL literals.
    static QStringList Contenu(Database& base) {
        QStringList lignes;
        for (const char* sql :
             {"SELECT 'P ' || Code_Patient || ' ' || quote(Nom_Patient) || ' ' || "
              "quote(Date_Naissance_Patient) FROM Patients ORDER BY Code_Patient",
              "SELECT 'C ' || ID || ' ' || quote(Code_Patient) || ' ' || quote(DATE) || ' ' || "
              "hex(substr(COURBE, 1, 1)) || ' ' || MOYENNE || PASSEBAS FROM Courbes ORDER BY ID",
              "SELECT 'E ' || Code_Examen || ' ' || quote(\"Code_ Patient\") || ' ' || "
              "quote(Echogramme_Droit_Num_Courbe) || ' ' || quote(Echogramme_Gauche_Num_Courbe) "
              "|| ' ' || Examen_Compatible FROM Examens ORDER BY Code_Examen"}) {
            const auto rs = base.openRecordset(QLatin1String(sql));
            if (rs->recordCount() == 0)
                continue;
            for (rs->moveFirst(); !rs->eof(); rs->moveNext())
                lignes << rs->field(0).toText();
        }
        return lignes;
    }

    test::Dossier_Travail dossier;
    std::unique_ptr<Database> ici;
    std::unique_ptr<Database> autre;
};

// Free keys, and every kind of key meeting a row already here; then the same file again,
// then the database into itself: nothing more.
TEST_F(Import, ClashingKeysAreRenumberedWithTheirChildrenAndAReimportAddsNothing) {
    Patient(*ici, 1, QStringLiteral("DUPONT"));
    Patient(*ici, 2, QStringLiteral("MARTIN"));
    Patient(*ici, 4, QStringLiteral("LEROY"));  // a namesake of the other file's LEROY
    ici->execute(
        QStringLiteral("UPDATE Patients SET Adresse1_Patient = 'Nice' WHERE "
                       "Code_Patient = 4"));
    Courbe(*ici, 1, 1, QStringLiteral("c1"));
    Courbe(*ici, 2, 2, QStringLiteral("c2"));
    Courbe(*ici, 5, 9, QStringLiteral("orpheline ici"));  // its patient 9 was deleted
    Examen(*ici, 1, 1, 1, 1);

    Patient(*autre, 1, QStringLiteral("DUPONT"));  // the same patient: skipped
    Patient(*autre, 2, QStringLiteral("LEROY"));   // key 2 is MARTIN's: renumbered
    Patient(*autre, 3, QStringLiteral("PETIT"));   // free
    Patient(*autre, 9, QStringLiteral("SIMON"));   // free, but curve 5 here names 9
    Courbe(*autre, 1, 1, QStringLiteral("c1"));    // the same curve of the same patient
    Courbe(*autre, 2, 2, QStringLiteral("c2"));    // same values, but LEROY's: renumbered
    Courbe(*autre, 3, 3, QStringLiteral("c3"));
    Courbe(*autre, 4, 9, QStringLiteral("c4"));
    Courbe(*autre, 6, 7, QStringLiteral("orpheline"));  // no patient 7 in that file
    Examen(*autre, 1, 1, 1, 1);
    Examen(*autre, 2, 2, 2, 3);
    Examen(*autre, 4, 3, 3, 11);  // no curve 11 in that file

    const Bilan_Import bilan = Importer_Base_Externe(*ici, autre->path());

    const QStringList attendu{
        "P 1 'DUPONT' '01/02/1960'",
        "P 2 'MARTIN' '01/02/1960'",
        "P 3 'PETIT' '01/02/1960'",
        "P 4 'LEROY' '01/02/1960'",
        "P 10 'LEROY' '01/02/1960'",
        "P 11 'SIMON' '01/02/1960'",
        "C 1 1 'c1' 01 12",
        "C 2 2 'c2' 02 12",
        "C 3 3 'c3' 03 12",
        "C 4 11 'c4' 04 12",
        "C 5 9 'orpheline ici' 05 12",
        "C 6 NULL 'orpheline' 06 12",
        "C 7 10 'c2' 02 12",
        "E 1 1 1 1 Normal",
        "E 2 10 7 3 Normal",
        "E 4 3 3 NULL Normal",
    };
    EXPECT_EQ(Contenu(*ici), attendu);
    EXPECT_EQ(bilan.patients, 3);
    EXPECT_EQ(bilan.courbes, 4);
    EXPECT_EQ(bilan.examens, 2);

    for (const QString& fichier : {autre->path(), ici->path()}) {
        const Bilan_Import encore = Importer_Base_Externe(*ici, fichier);
        EXPECT_EQ(encore.patients + encore.courbes + encore.examens, 0) << fichier.toStdString();
        EXPECT_EQ(Contenu(*ici), attendu) << fichier.toStdString();
    }
    // A patient the program adds afterwards gets a key no row has had.
    Patient(*ici, kNull, QStringLiteral("MARTIN"));
    EXPECT_EQ(ici->lastInsertKey(), 12);
}

TEST_F(Import, AFailureAtTheLastTableLeavesNothingAddedAndTheNextImportWorks) {
    Patient(*ici, 1, QStringLiteral("DUPONT"));
    const QStringList avant = Contenu(*ici);
    Patient(*autre, 2, QStringLiteral("LEROY"));
    Courbe(*autre, 2, 2, QStringLiteral("c2"));
    Examen(*autre, 1, 2, 2, 2);
    // Patients and curves go in before the exams are found to lack a column.
    autre->execute(QStringLiteral("ALTER TABLE Examens DROP COLUMN Examen_Compatible"));

    EXPECT_THROW(Importer_Base_Externe(*ici, autre->path()), Error);
    EXPECT_EQ(Contenu(*ici), avant);

    const auto bonne = Nouvelle_Base(QStringLiteral("sinus 2.mdb"));
    Patient(*bonne, 2, QStringLiteral("LEROY"));
    EXPECT_EQ(Importer_Base_Externe(*ici, bonne->path()).patients, 1);
}

}  // namespace
}  // namespace corvanta
