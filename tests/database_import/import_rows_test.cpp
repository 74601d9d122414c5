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
#include "tests/database_import/database_snapshot.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"
#include "tests/support/sqlite_shell.h"

namespace corvanta {
namespace {

using platform::Database;
using platform::Value;
using R = Refus_Import::Raison;

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

    // Imports `chemin` again: nothing is added or changed, and these rows are found here.
    void Rien_De_Plus(const QString& chemin, int patients, int courbes, int examens) {
        const QStringList avant = Contenu(*ici);
        const Bilan_Import encore = Importer_Base_Externe(*ici, chemin);
        EXPECT_EQ(encore.patients + encore.courbes + encore.examens, 0);
        EXPECT_EQ(encore.patients_presents, patients);
        EXPECT_EQ(encore.courbes_presentes, courbes);
        EXPECT_EQ(encore.examens_presentes, examens);
        EXPECT_EQ(Contenu(*ici), avant);
    }

    // Imports `chemin`, which must be refused for `raison`; nothing here may change.
    Refus_Import Refuse(const QString& chemin, R raison, const Suivi_Import& suivi = {}) {
        const QStringList avant = test::Instantane_Base(*ici);
        try {
            Importer_Base_Externe(*ici, chemin, suivi);
        } catch (const Refus_Import& refus) {
            EXPECT_EQ(refus.raison, raison) << refus.what();
            EXPECT_EQ(test::Instantane_Base(*ici), avant);
            return refus;
        }
        ADD_FAILURE() << "the import was not refused";
        return Refus_Import(R::Annulee, {});
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

    // Flags of the other file's comparison slots, which name none here.
    autre->execute(QStringLiteral("UPDATE Courbes SET IMPRIMER = 1, COULEUR = ID"));

    const Bilan_Import bilan = Importer_Base_Externe(*ici, autre->path());
    EXPECT_EQ(
        ici->queryValue(
               QStringLiteral("SELECT count(*) FROM Courbes WHERE IMPRIMER <> 0 OR COULEUR <> 0"))
            .toInt64(),
        0);

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
        EXPECT_EQ(encore.patients_presents, fichier == ici->path() ? 6 : 4);
        EXPECT_EQ(Contenu(*ici), attendu) << fichier.toStdString();
    }
    // A patient the program adds afterwards gets a key no row has had.
    Patient(*ici, kNull, QStringLiteral("MARTIN"));
    EXPECT_EQ(ici->lastInsertKey(), 12);
}

// A row of the file that is here already under another key is found there, even when its
// own key is free here: after a re-import that follows the deletion of the row here that
// held its key, and for a colleague's patient identical to one of ours. Neither it nor its
// curves and exams come in twice.
TEST_F(Import, ARowHereUnderAnotherKeyIsFoundThereEvenWhenItsOwnKeyIsFree) {
    const QString lignes = QStringLiteral(R"(
INSERT INTO Patients (Code_Patient, Nom_Patient, Prenom_Patient, Date_Naissance_Patient)
    VALUES (%1, '%2', 'Zoé', '01/02/1960');
INSERT INTO Courbes (ID, Code_Type, Code_Patient, DATE, COURBE, MOYENNE, PASSEBAS)
    VALUES (%3, 0, %1, '%2', zeroblob(400), 1, 2);
INSERT INTO Examens (Code_Examen, "Code_ Patient", Code_Type, Num_Examen,
    Echogramme_Droit_Num_Courbe, Echogramme_Gauche_Num_Courbe, Examen_Compatible)
    VALUES (%4, %1, 0, '01', %3, %3, 'Normal');
)");
    auto rangs = [&](int patient, const char* nom, int courbe, int examen) {
        return lignes.arg(patient).arg(QLatin1String(nom)).arg(courbe).arg(examen);
    };
    test::Shell(ici->path(), rangs(1, "DUPONT", 1, 1) + rangs(2, "MARTIN", 2, 2));
    test::Shell(autre->path(), rangs(2, "LEROY", 2, 2) + rangs(7, "DUPONT", 7, 7));

    const Bilan_Import premier = Importer_Base_Externe(*ici, autre->path());
    EXPECT_EQ(premier.patients + premier.courbes + premier.examens, 3);  // LEROY's rows
    EXPECT_EQ(premier.patients_presents + premier.courbes_presentes + premier.examens_presentes,
              3);  // DUPONT's, under keys 1 here and 7 there
    // MARTIN, who held the keys LEROY's rows had in the file, is deleted here.
    test::Shell(ici->path(), QStringLiteral("DELETE FROM Examens WHERE Code_Examen = 2; DELETE "
                                            "FROM Courbes WHERE ID = 2; DELETE FROM Patients "
                                            "WHERE Code_Patient = 2;"));
    Rien_De_Plus(autre->path(), 2, 2, 2);
}

TEST_F(Import, AFailureAtTheLastTableLeavesNothingAddedAndTheNextImportWorks) {
    Patient(*ici, 1, QStringLiteral("DUPONT"));
    Patient(*autre, 2, QStringLiteral("LEROY"));
    Courbe(*autre, 2, 2, QStringLiteral("c2"));
    Examen(*autre, 1, 2, 2, 2);
    // Patients and curves go in before the exam is found to hold a value the program
    // cannot read.
    autre->execute(QStringLiteral("UPDATE Examens SET Imagerie_Scanner = 'oui'"));

    const Refus_Import refus = Refuse(autre->path(), R::Entier);
    EXPECT_EQ(refus.table, QStringLiteral("Examens"));

    const auto bonne = Nouvelle_Base(QStringLiteral("sinus 2.mdb"));
    Patient(*bonne, 2, QStringLiteral("LEROY"));
    EXPECT_EQ(Importer_Base_Externe(*ici, bonne->path()).patients, 1);
}

// The file's patients table as a colleague's hand repair leaves it: no primary key, keys
// out of range, Null and repeated, written by the stock shell. Every row comes in under a
// key the program reads; curves and exams follow, those naming the repeated key the first
// of its rows; a re-import adds nothing and the next key the program gives is the next one.
TEST_F(Import, KeysOutOfRangeNullOrRepeatedGetNewKeysWithinRangeAndTheirRowsFollow) {
    Patient(*ici, 1, QStringLiteral("DUPONT"));
    test::Shell(autre->path(), QStringLiteral(R"(
PRAGMA legacy_alter_table = ON;
CREATE TABLE Sans_Cle AS SELECT * FROM Patients;
DROP TABLE Patients;
ALTER TABLE Sans_Cle RENAME TO Patients;
INSERT INTO Patients (Code_Patient, Nom_Patient) VALUES
    (3000000000, 'GRAND'), (0, 'ZERO'), (-5, 'NEGATIF'), (9223372036854775807, 'MAXI'),
    (NULL, 'SANSCLE'), (7, 'PREMIER'), (7, 'SECOND');
INSERT INTO Courbes (ID, Code_Type, Code_Patient, COURBE, MOYENNE, PASSEBAS) VALUES
    (-1, 0, -5, zeroblob(400), 1, 2), (1, 0, 3000000000, zeroblob(400), 1, 2),
    (2, 0, 0, zeroblob(400), 1, 2), (3, 0, 7, zeroblob(400), 1, 2),
    (4, 0, 9223372036854775807, zeroblob(400), 1, 2);
INSERT INTO Examens (Code_Examen, "Code_ Patient", Code_Type, Num_Examen,
    Echogramme_Droit_Num_Courbe, Echogramme_Gauche_Num_Courbe, Examen_Compatible)
    VALUES (9223372036854775807, 7, 0, '01', -1, 3, 'Normal');
)"));
    const QStringList attendu{
        "P 1 'DUPONT' '01/02/1960'", "P 7 'PREMIER' NULL",  "P 8 'GRAND' NULL",
        "P 9 'ZERO' NULL",           "P 10 'NEGATIF' NULL", "P 11 'MAXI' NULL",
        "P 12 'SANSCLE' NULL",       "P 13 'SECOND' NULL",  "C 1 8 NULL 00 12",
        "C 2 9 NULL 00 12",          "C 3 7 NULL 00 12",    "C 4 11 NULL 00 12",
        "C 5 10 NULL 00 12",         "E 1 7 5 3 Normal",
    };

    const Bilan_Import bilan = Importer_Base_Externe(*ici, autre->path());
    EXPECT_EQ(Contenu(*ici), attendu);
    EXPECT_EQ(bilan.patients, 7);
    EXPECT_EQ(bilan.courbes, 5);
    EXPECT_EQ(bilan.examens, 1);
    EXPECT_EQ(bilan.references_ambigues, 2);  // curve 3 and the exam name patient 7

    Rien_De_Plus(autre->path(), 7, 5, 1);
    EXPECT_EQ(Contenu(*ici), attendu);
    Patient(*ici, kNull, QStringLiteral("MARTIN"));
    EXPECT_EQ(ici->lastInsertKey(), 14);
}

// Here another tool stored the last key of the range: clashes take the free keys below it,
// lowest first, and the program still adds rows afterwards.
TEST_F(Import, WithTheTopKeyTakenNewKeysComeFromTheFreeKeysBelow) {
    Patient(*ici, 1, QStringLiteral("DUPONT"));
    Courbe(*ici, 1, 1, QStringLiteral("c1"));
    Courbe(*ici, 2147483647, 1, QStringLiteral("cmax"));
    test::Shell(ici->path(), QStringLiteral("INSERT INTO Patients (Code_Patient, Nom_Patient) "
                                            "VALUES (2147483647, 'DERNIER');"));
    Patient(*autre, 1, QStringLiteral("LEROY"));
    Patient(*autre, 2147483647, QStringLiteral("AUTRE"));
    Courbe(*autre, 1, 2147483647, QStringLiteral("a1"));
    Courbe(*autre, 2147483647, 1, QStringLiteral("amax"));

    const Bilan_Import bilan = Importer_Base_Externe(*ici, autre->path());
    const QStringList attendu{
        "P 1 'DUPONT' '01/02/1960'", "P 2 'LEROY' '01/02/1960'",
        "P 3 'AUTRE' '01/02/1960'",  "P 2147483647 'DERNIER' NULL",
        "C 1 1 'c1' 01 12",          "C 2 3 'a1' 01 12",
        "C 3 2 'amax' FF 12",        "C 2147483647 1 'cmax' FF 12",
    };
    EXPECT_EQ(Contenu(*ici), attendu);
    EXPECT_EQ(bilan.patients + bilan.courbes, 4);
    EXPECT_EQ(Importer_Base_Externe(*ici, autre->path()).patients_presents, 2);
    EXPECT_EQ(Contenu(*ici), attendu);

    // A patient and a curve the program adds afterwards.
    for (const auto& [table, champ] :
         {std::pair{"Patients", "Nom_Patient"}, std::pair{"Courbes", "Code_Patient"}}) {
        auto rs = ici->openRecordset(QStringLiteral("SELECT * FROM ") + QLatin1String(table));
        rs->addNew();
        rs->setField(QLatin1String(champ), Value(1));
        EXPECT_EQ(rs->update(), 4) << table;
    }
}

// The free keys below the top come run by run, in the file's order, past keys that a row
// of the file keeps or that a curve here still names.
TEST_F(Import, FreeKeysBelowTheTopAreTakenRunByRunPastEveryKeyInUse) {
    test::Shell(ici->path(), QStringLiteral(R"(
INSERT INTO Patients (Code_Patient, Nom_Patient) VALUES
    (1, 'A'), (3, 'B'), (6, 'C'), (2147483647, 'D');
INSERT INTO Courbes (ID, Code_Type, Code_Patient, COURBE, MOYENNE, PASSEBAS) VALUES
    (1, 0, 2, zeroblob(400), 1, 2);
)"));
    for (const Value& cle : {Value(1), Value(3), Value(6), Value(2147483647), Value(20), kNull})
        Patient(*autre, cle, QStringLiteral("N") + cle.toTextOrEmpty());
    EXPECT_EQ(Importer_Base_Externe(*ici, autre->path()).patients, 6);
    const QStringList attendu{
        "P 1 'A' NULL",
        "P 3 'B' NULL",
        "P 4 'N1' '01/02/1960'",
        "P 5 'N3' '01/02/1960'",
        "P 6 'C' NULL",
        "P 7 'N6' '01/02/1960'",
        "P 8 'N2147483647' '01/02/1960'",
        "P 9 'N' '01/02/1960'",
        "P 20 'N20' '01/02/1960'",
        "P 2147483647 'D' NULL",
        "C 1 2 NULL 00 12",
    };
    EXPECT_EQ(Contenu(*ici), attendu);
}

// Each value the program could not read as its column's kind refuses the whole import,
// naming the table, the row's key and the column.
TEST_F(Import, AValueNotOfItsColumnsKindRefusesTheImportNamingTableRowAndColumn) {
    Patient(*ici, 1, QStringLiteral("DUPONT"));
    const struct {
        const char* sql;
        R raison;
        const char* table;
        const char* colonne;
        Value cle;
        std::int64_t minimum, maximum;
    } cas[] = {
        {"UPDATE Courbes SET MOYENNE = 'un' WHERE ID = 2", R::Entier, "Courbes", "MOYENNE", 2,
         -2147483648LL, 2147483647},
        {"UPDATE Courbes SET MOYENNE = 3000000000 WHERE ID = 2", R::Entier, "Courbes", "MOYENNE", 2,
         -2147483648LL, 2147483647},
        {"UPDATE Courbes SET PASSEBAS = 40000 WHERE ID = 2", R::Entier, "Courbes", "PASSEBAS", 2,
         -32768, 32767},
        {"UPDATE Courbes SET IMPRIMER = 'oui' WHERE ID = 2", R::Entier, "Courbes", "IMPRIMER", 2,
         -2147483648LL, 2147483647},
        {"UPDATE Courbes SET Code_Type = 0.5 WHERE ID = 2", R::Entier, "Courbes", "Code_Type", 2,
         -2147483648LL, 2147483647},
        {"UPDATE Courbes SET Code_Patient = 'deux' WHERE ID = 2", R::Cle, "Courbes", "Code_Patient",
         2, 0, 0},
        {"UPDATE Examens SET Decision_Lavage = 2.5 WHERE Code_Examen = 1", R::Entier, "Examens",
         "Decision_Lavage", 1, -32768, 32767},
        {"UPDATE Patients SET Nom_Patient = x'00ff' WHERE Code_Patient = 2", R::Texte, "Patients",
         "Nom_Patient", 2, 0, 0},
        // Texts that are not well-formed UTF-8, in each kind of text column: a name the
        // search compares, another patient text, a curve's and an exam's.
        {"UPDATE Patients SET Prenom_Patient = CAST(x'5a6fc3a9eda080' AS TEXT) WHERE "
         "Code_Patient = 2",
         R::Utf8, "Patients", "Prenom_Patient", 2, 0, 0},
        {"UPDATE Patients SET Commentaire_Patient = CAST(x'c0af' AS TEXT) WHERE Code_Patient = 2",
         R::Utf8, "Patients", "Commentaire_Patient", 2, 0, 0},
        {"UPDATE Courbes SET DATE = CAST(x'31322f30332f3230c3' AS TEXT) WHERE ID = 2", R::Utf8,
         "Courbes", "DATE", 2, 0, 0},
        {"UPDATE Examens SET Examen_Compatible = CAST(x'f4908080' AS TEXT) WHERE Code_Examen = 1",
         R::Utf8, "Examens", "Examen_Compatible", 1, 0, 0},
        {"PRAGMA ignore_check_constraints = ON; UPDATE Courbes SET COURBE = zeroblob(399) "
         "WHERE ID = 2",
         R::Courbe, "Courbes", "COURBE", 2, 0, 0},
        {"PRAGMA ignore_check_constraints = ON; UPDATE Courbes SET COURBE = printf('%400s', "
         "'') WHERE ID = 2",
         R::Courbe, "Courbes", "COURBE", 2, 0, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.sql);
        const auto fichier = Nouvelle_Base(QStringLiteral("sinus %1.mdb").arg(&c - cas));
        Patient(*fichier, 2, QStringLiteral("LEROY"));
        Courbe(*fichier, 2, 2, QStringLiteral("c2"));
        Examen(*fichier, 1, 2, 2, 2);
        test::Shell(fichier->path(), QLatin1String(c.sql) + u';');
        const Refus_Import refus = Refuse(fichier->path(), c.raison);
        EXPECT_EQ(refus.table, QLatin1String(c.table));
        EXPECT_EQ(refus.colonne, QLatin1String(c.colonne));
        EXPECT_EQ(refus.cle, c.cle);
        EXPECT_EQ(refus.minimum, c.minimum);
        EXPECT_EQ(refus.maximum, c.maximum);
    }
    // A number written as text in a number column is that number.
    test::Shell(autre->path(), QStringLiteral("INSERT INTO Courbes (ID, Code_Type, COURBE, "
                                              "MOYENNE, PASSEBAS, IMPRIMER) VALUES (8, ' 4', "
                                              "zeroblob(400), '3', '2.0', '0');"));
    EXPECT_EQ(Importer_Base_Externe(*ici, autre->path()).courbes, 1);
    EXPECT_EQ(ici->queryValue(QStringLiteral("SELECT typeof(Code_Type) || Code_Type || "
                                             "typeof(MOYENNE) || MOYENNE || PASSEBAS FROM "
                                             "Courbes WHERE ID = 8"))
                  .toText(),
              QStringLiteral("integer4integer32"));
}

// A text comes in only as well-formed UTF-8: each character in its shortest form, no
// surrogate, nothing above U+10FFFF, nothing cut short. The first list comes in byte for
// byte; each text of the second refuses the import.
TEST_F(Import, OnlyWellFormedUtf8TextsComeIn) {
    // ASCII, NUL, the first and last character of each length (the last before and the
    // first after the surrogates too), a 4-byte one, a character across the eight-byte
    // stride of the ASCII run.
    const QStringList bonnes = QStringLiteral(
                                   "41 00 C2A0 DFBF E0A080 ED9FBF EE8080 EFBFBF F0908080 F09F9880 "
                                   "F48FBFBF 4142434445464748C3A9 41424344454647C3A9")
                                   .split(u' ');
    // Overlongs of each length, surrogates, above U+10FFFF, bytes never used, a lone
    // continuation, sequences cut short (at the end or by another character), faults at
    // the eight-byte stride.
    const QStringList mauvaises =
        QStringLiteral(
            "C0AF C1BF E080AF E09FBF F08080AF F08FBFBF EDA080 EDBFBF F4908080 "
            "F5808080 FF 80 C3 E282 F09F98 C341 E228A1 414243444546474880 "
            "41424344454647C3")
            .split(u' ');
    QString sql;
    for (int i = 0; i < bonnes.size(); ++i) {
        sql += QStringLiteral(
                   "INSERT INTO Patients (Code_Patient, Nom_Patient) VALUES (%1, "
                   "CAST(x'%2' AS TEXT));")
                   .arg(10 + i)
                   .arg(bonnes[i]);
    }
    test::Shell(autre->path(), sql);
    EXPECT_EQ(Importer_Base_Externe(*ici, autre->path()).patients, bonnes.size());
    QStringList arrivees;
    const auto rs = ici->openRecordset(
        QStringLiteral("SELECT hex(Nom_Patient) FROM Patients ORDER BY Code_Patient"));
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        arrivees << rs->field(0).toText();
    EXPECT_EQ(arrivees, bonnes);

    for (const QString& octets : mauvaises) {
        SCOPED_TRACE(octets.toStdString());
        const auto fichier = Nouvelle_Base(QStringLiteral("sinus %1.mdb").arg(octets));
        test::Shell(fichier->path(),
                    QStringLiteral("INSERT INTO Patients (Code_Patient, Nom_Patient) VALUES (1, "
                                   "'DUPONT'), (3, CAST(x'%1' AS TEXT));")
                        .arg(octets));
        const Refus_Import refus = Refuse(fichier->path(), R::Utf8);
        EXPECT_EQ(refus.table, QStringLiteral("Patients"));
        EXPECT_EQ(refus.colonne, QStringLiteral("Nom_Patient"));
        EXPECT_EQ(refus.cle, Value(3));
    }
}

// Only real tables of the file are read, with every column this database has: an endless
// view in the file's place of a table is refused by name before anything is read.
TEST_F(Import, AViewAMissingTableOrColumnIsRefusedByNameWithoutReadingIt) {
    const struct {
        const char* sql;
        R raison;
        const char* table;
        const char* colonne;
    } cas[] = {
        {"DROP TABLE Patients; CREATE VIEW Patients AS WITH RECURSIVE n(k) AS (SELECT 1 UNION "
         "ALL SELECT k + 1 FROM n) SELECT k AS Code_Patient, 'X' || k AS Nom_Patient, NULL AS "
         "Prenom_Patient, NULL AS Adresse1_Patient, NULL AS Adresse2_Patient, NULL AS "
         "Ville_Patient, NULL AS CodePostal_Patient, NULL AS Telephone1_Patient, NULL AS "
         "Telephone2_Patient, NULL AS Date_Naissance_Patient, NULL AS NumeroSS_Patient, NULL AS "
         "Commentaire_Patient FROM n ORDER BY k DESC",
         R::Vue, "Patients", ""},
        {"ALTER TABLE Courbes RENAME TO Courbes_Vraies; CREATE VIEW courbes AS SELECT * FROM "
         "Courbes_Vraies",
         R::Vue, "Courbes", ""},
        {"DROP TABLE Examens", R::Table_Absente, "Examens", ""},
        {"ALTER TABLE Examens DROP COLUMN Decision_Lavage", R::Colonne_Absente, "Examens",
         "Decision_Lavage"},
    };
    Patient(*ici, 1, QStringLiteral("DUPONT"));
    for (const auto& c : cas) {
        SCOPED_TRACE(c.sql);
        const auto fichier = Nouvelle_Base(QStringLiteral("sinus %1.mdb").arg(&c - cas));
        Patient(*fichier, 2, QStringLiteral("LEROY"));
        test::Shell(fichier->path(), QStringLiteral("PRAGMA legacy_alter_table = ON; ") +
                                         QLatin1String(c.sql) + u';');
        const Refus_Import refus = Refuse(fichier->path(), c.raison);
        EXPECT_EQ(refus.table, QLatin1String(c.table));
        EXPECT_EQ(refus.colonne, QLatin1String(c.colonne));
    }
}

// Stopped from outside while it runs, up to its last question, the import rolls
// everything back; the next one goes through.
TEST_F(Import, ACancelledImportLeavesNothingAndTheNextOneWorks) {
    Patient(*ici, 1, QStringLiteral("DUPONT"));
    test::Shell(autre->path(), QStringLiteral(R"(
WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 3000)
INSERT INTO Patients (Code_Patient, Nom_Patient) SELECT k, 'P' || k FROM n;
INSERT INTO Courbes (Code_Type, Code_Patient, COURBE, MOYENNE, PASSEBAS)
    SELECT 0, Code_Patient, zeroblob(400), 1, 2 FROM Patients;
)"));
    for (const int appels : {1, 5, 20}) {
        SCOPED_TRACE(appels);
        int restants = appels;
        Refuse(autre->path(), R::Annulee, [&](bool) { return --restants > 0; });
        EXPECT_EQ(restants, 0);
    }
    // At the last question, every row written.
    Refuse(autre->path(), R::Annulee, [](bool derniere) { return !derniere; });
    int appels = 0;
    const Bilan_Import bilan = Importer_Base_Externe(*ici, autre->path(), [&](bool) {
        ++appels;
        return true;
    });
    EXPECT_EQ(bilan.patients, 3000);
    EXPECT_EQ(bilan.courbes, 3000);
    EXPECT_GT(appels, 20);
}

}  // namespace
}  // namespace corvanta
