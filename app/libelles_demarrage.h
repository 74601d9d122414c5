#pragma once

#include <QString>

#include "app/libelle.h"

namespace corvanta {

// Puts into `libelle` the texts the program holds itself (form 1, 150 to 169: database
// failures, the start-up's and the settings' messages), in the language of the `Langues`
// column `colonne` ("Francais" or "Anglais"). They can then be said before the database is
// read, and still when a file made by an earlier build lacks them; the database's own
// texts, loaded afterwards, take their place.
void Charger_Libelles_Demarrage(const QString& colonne, Libelles& libelle);

}  // namespace corvanta
