#include "app/index_base.h"

#include <QString>
#include <array>
#include <cstdint>

#include "platform/database.h"
#include "platform/error.h"

namespace corvanta {

namespace {

struct Index {
    const char* nom;
    const char* table;
    const char* cle;
    const char* creation;
};

// As data/schema.sql declares them.
constexpr std::array<Index, 2> kIndex{{
    {"Patients_Naissance", "Patients", "Code_Patient",
     "CREATE INDEX IF NOT EXISTS Patients_Naissance ON Patients "
     "(Date_Naissance_Patient, Nom_Patient, Prenom_Patient)"},
    {"Courbes_Marquees", "Courbes", "ID",
     "CREATE INDEX IF NOT EXISTS Courbes_Marquees ON Courbes (IMPRIMER, COULEUR) "
     "WHERE IMPRIMER <> 0 OR COULEUR <> 0"},
}};

// Indexing a table of this many rows takes a few milliseconds.
constexpr std::int64_t kIndexation_Rapide = 20000;

}  // namespace

void Completer_Index(platform::Database& base) {
    const std::int64_t attente = base.queryValue(QStringLiteral("PRAGMA busy_timeout")).toInt64();
    for (const Index& index : kIndex) {
        const bool present =
            base.queryValue(QStringLiteral("SELECT EXISTS (SELECT 1 FROM sqlite_master WHERE "
                                           "type = 'index' AND name = ?)"),
                            {QString::fromLatin1(index.nom)})
                .toInt64() != 0;
        // The largest key bounds the number of rows, found without counting them.
        if (present ||
            base.queryValue(QStringLiteral("SELECT COALESCE(MAX(%1), 0) FROM %2")
                                .arg(QLatin1String(index.cle), QLatin1String(index.table)))
                    .toInt64() > kIndexation_Rapide)
            continue;
        base.execute(QStringLiteral("PRAGMA busy_timeout = 0"));
        try {
            base.execute(QString::fromLatin1(index.creation));
        } catch (const Error&) {
            // Busy: the start-up goes on without it, as with a large file.
        }
        base.execute(QStringLiteral("PRAGMA busy_timeout = %1").arg(attente));
    }
}

}  // namespace corvanta
