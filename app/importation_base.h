#pragma once

#include <QString>

namespace corvanta {

namespace platform {
class Database;
}

// The rows an import added, per table.
struct Bilan_Import {
    int patients = 0;
    int courbes = 0;
    int examens = 0;
};

// Appends the patients, stored curves and exam records of another Corvanta database file
// to `base`, all or nothing, in one transaction. The file is named by its path as given
// (its real case kept, bound as a value, never spliced into SQL).
//
// Keys. A row whose key is free here (no row holds it and no curve or exam refers to it)
// keeps it. A row identical to the one under its key is skipped. Any other row takes the
// row here that is identical to it but for the key (what an earlier import of the same
// file added) or else a new key. Curves follow their patient's key, exams their patient's
// and their curves' keys; a key naming a row the file does not hold is imported empty
// (Null), never left to name a row of this database. So nothing already here changes, and
// importing a file again adds nothing. Importing the database into itself adds nothing.
//
// Throws corvanta::Error, nothing having changed: 3024 for a missing file, 3343 for a
// file that is not a Corvanta database (both name the file), the engine's errors for a
// file of another structure or a row this database refuses.
Bilan_Import Importer_Base_Externe(platform::Database& base, const QString& chemin);

}  // namespace corvanta
