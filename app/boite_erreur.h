#pragma once

#include <QString>

#include "app/libelle.h"
#include "platform/error.h"

namespace corvanta {

// The text and title of the standard error box:
//   text(form,42) " # " number " " text(form,43) " " source, a line break, the description.
// A number of 0 or above is written with a leading blank, so two blanks follow "#".
// The tumour window uses form 7; every other window form 4.
struct Texte_Erreur {
    QString titre;
    QString message;
};

Texte_Erreur Composer_Erreur(const Libelles& libelle, const Error& erreur, int form = 4);

// The description the box shows, in the interface's language whatever the box's form: for a
// failed report, picture or page (platform::OutputError) texts 120 to 133 of form 4, the
// file named; for a failure of a database file (platform::DatabaseError) what happened and
// what to do (form 1, 150 to 162), the file named, then the engine's own text; for settings
// that cannot be kept (platform::SettingsError) form 1, 166 or 167; for a row deleted
// elsewhere (3167) form 1, 163; for any other error its own description.
QString Description_Erreur(const Libelles& libelle, const Error& erreur);

// What the program says when its start-up fails, before it ends: text (1,164) ("Corvanta
// cannot start."), a blank line and Description_Erreur.
QString Texte_Arret_Demarrage(const Libelles& libelle, const Error& erreur);

// A number as the program writes it in messages and stored settings: a leading blank for
// values of 0 and above (" 7"), the minus sign otherwise ("-1").
QString Nombre_Avec_Signe(long long valeur);

}  // namespace corvanta
