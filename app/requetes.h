#pragma once

#include <QString>

#include "platform/membership_plan.h"

namespace corvanta {

// The program's own queries that show names in the French order. The order is the
// FRENCH collation registered on the program's connection; the database file declares
// no collation of its own, so that the standard SQLite tools can check, read and write it.

// The name order of patient rows (or of rows carrying the patient's name columns).
QString Ordre_Noms();

// Every patient, in name order: the program-wide patients recordset.
QString Requete_Patients();

// The saved exam query of one exam type (0..4), in the exam lists' order: patient name,
// given name, exam number as a number, then as text, then the exam's key.
QString Requete_Examens(int type);

// What an exam list shows of the exams of `source` (an SQL query or a view's name), in
// any order: the exam's key as a computed column (so that the read is a snapshot), the
// patient's name and given name, the exam number. The program's own query of a type
// (Requete_Examens) is read without its sort: the list lays its lines out in the
// recordset's own order.
QString Requete_Lignes_Examens(const QString& source);

// ---- The name-order index ----------------------------------------------------------------
// The file keeps the patients in the FRENCH order in an index the standard tools can
// check and write: on a key made of built-in functions only. For a name of printable
// ASCII and the French accented letters (with ä and ö), in either case or with an
// accented capital before lower-case letters, the key is what FRENCH compares first: the
// name folded, so that the key then the name's bytes give the FRENCH order. A Null name
// keys Null; any other name (a number, a NUL byte, another letter, say) keys 0, and its
// row is placed by the program.

// The key of a name column.
QString Cle_Ordre_Nom(const QString& colonne);

// The index's name and the statement that makes it (data/schema.sql holds the same).
QString Nom_Index_Ordre_Noms();
QString Creation_Index_Ordre_Noms();

// Every patient in name order through that index, with his name and given name, for a
// recordset of Requete_Patients taking them: rows whose key is 0 are placed by the program.
platform::MembershipPlan Plan_Patients_Ordonnes();

// The patients that `filtre` (a WHERE clause, or empty) selects, with their name and given
// name, for a recordset of the same selection in name order: the rows are found in the
// engine's order and sorted by the program.
platform::MembershipPlan Plan_Patients_Tries(const QString& filtre);

}  // namespace corvanta
