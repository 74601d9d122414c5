#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/error.h"
#include "platform/value.h"

namespace corvanta {

namespace platform {
class Database;
class DatabaseError;
}  // namespace platform

// What an import did, per table: the rows added, and the rows of the file that were here
// already (identical to a row of this database, so skipped).
struct Bilan_Import {
    int patients = 0;
    int courbes = 0;
    int examens = 0;
    int patients_presents = 0;
    int courbes_presentes = 0;
    int examens_presentes = 0;
    // Curves and exams of the file naming a patient or curve key that several of its rows
    // share: they follow the first of those rows, though which one was meant is unknown.
    int references_ambigues = 0;
};

// An import that stopped, nothing having changed: what was wrong and where. The
// description is a plain English summary; the window words it in the interface's language.
class Refus_Import : public Error {
  public:
    static constexpr int kNumero = 3999;
    enum class Raison {
        Annulee,          // the caller asked to stop
        Vue,              // `table` of the file is a view
        Table_Absente,    // the file has no `table`
        Colonne_Absente,  // `table` of the file has no `colonne`
        Cle,              // the row's key is neither a whole number nor Null
        Entier,           // not a whole number within minimum..maximum
        Valeur_Absente,   // Null where the column needs a value
        Texte,            // not a text
        Utf8,             // a text whose bytes are not well-formed UTF-8
        Courbe,           // neither 400 bytes nor Null
        Plus_De_Cle,      // no free key left here for `table`
        Moteur,           // the engine refused or failed while importing `table`
    };
    Refus_Import(Raison raison, QString table, QString colonne = {}, platform::Value cle = {},
                 std::int64_t rang = 0, std::string moteur = {});

    Raison raison;
    QString table;
    QString colonne;
    // The row's key as the file holds it, and its place among the table's rows (from 1).
    platform::Value cle;
    std::int64_t rang;
    // The range a whole number of `colonne` must lie in (Raison::Entier).
    std::int64_t minimum = 0;
    std::int64_t maximum = 0;
    // The engine's own text (Raison::Moteur), and the failure of a database file behind it
    // when it is one, for the window to say in the user's words.
    std::string moteur;
    std::shared_ptr<const platform::DatabaseError> panne;
};

// Asked every few thousand engine steps while the import runs (`derniere` false), and
// once more when everything is written, just before the import is committed (`derniere`
// true): false stops it, nothing having changed. After a true answer to the last
// question the import runs to its end. Called on the thread that runs the import.
using Suivi_Import = std::function<bool(bool derniere)>;

// Appends the patients, stored curves and exam records of another Corvanta database file
// to `base`, all or nothing, in one transaction. The file is named by its path as given
// (its real case kept, bound as a value, never spliced into SQL). Only real tables of the
// file are read, and every value must be of its column's kind here.
//
// Keys. A row the same as a row here, under its own key or any other, is skipped, and
// its curves and exams follow that row (so a row whose key fell free after a deletion
// here, or a colleague's patient numbered otherwise, does not come in twice). The same
// means equal in every column the user enters or the device measured (the comparison-slot
// flags left out, Null and '' alike in text columns, numbers compared as numbers). Any
// other row keeps its key when it is free here (no row holds it and no curve or exam
// refers to it), within 1..2,147,483,647 and not kept by an earlier row of the file;
// else it takes a new key within that range above every key given, or, when those above
// do not suffice, the lowest keys within that range that nothing here takes (refused,
// Plus_De_Cle, only when fewer are free than rows need one). Curves follow their
// patient's key, exams their patient's and their curves' keys (the first row of a
// repeated key); a key naming a row the file does not hold is imported empty (Null),
// never left to name a row of this database. So nothing already here changes, and
// importing a file again adds nothing. Importing the database into itself adds nothing. The
// comparison-slot flags come in as 0: the curves are in none of this program's slots. Nothing is
// written here before every row of the file has its key. The working tables live in a private
// scratch database attached for the import and detached whole.
//
// Throws, nothing having changed: corvanta::Error 3024 for a missing file, 3343 for a file
// that is not a Corvanta database (both name the file); Refus_Import for anything else.
Bilan_Import Importer_Base_Externe(platform::Database& base, const QString& chemin,
                                   const Suivi_Import& suivi = {});

}  // namespace corvanta
