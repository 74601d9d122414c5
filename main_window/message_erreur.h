#pragma once

#include <QString>

#include "app/libelle.h"
#include "platform/error.h"

class QWidget;

namespace corvanta {

// The standard error box: texts 42 to 44 of the given form, the error's number, source
// and description; OK only.
void Afficher_Erreur(QWidget* parent, const Libelles& libelle, const Error& erreur, int form = 4);

// A warning with an exclamation icon and an OK button.
void Message_Attention(QWidget* parent, const QString& titre, const QString& texte);

}  // namespace corvanta
