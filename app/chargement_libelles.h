#pragma once

#include <QString>

#include "app/libelle.h"

namespace corvanta {

namespace platform {
class Database;
}

// Which column of `Langues` a stored language value selects, compared after trimming:
// "Francais" for "Francais", "Anglais" for anything else, so that a language the
// program does not know still shows every caption (in English, which start-up writes
// back as the language).
QString Colonne_Langue(const QString& langue);

// Fills the texts from table `Langues` in the given language. A row whose form or text
// number is Null or outside the table is skipped; a Null text loads as empty; a later row
// for the same numbers replaces an earlier one. A missing table or column is an Error.
void Charger_Libelles(platform::Database& base, const QString& langue, Libelles& libelle);

}  // namespace corvanta
