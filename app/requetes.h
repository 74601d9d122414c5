#pragma once

#include <QString>

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

}  // namespace corvanta
