#pragma once

#include <QString>

#include "app/libelle.h"
#include "platform/error.h"

class QWidget;

namespace corvanta {

// The program's message boxes.

// The standard error box: texts 42 to 44 of `form`, the error's number, source and
// description; OK only, no icon.
void Afficher_Erreur(QWidget* parent, const Libelles& libelle, const Error& erreur, int form = 4);

// Exclamation icon, OK only.
void Message_Attention(QWidget* parent, const QString& titre, const QString& texte);

// Information icon, OK only.
void Message_Information(QWidget* parent, const QString& titre, const QString& texte);

// Stop icon, OK only.
void Message_Arret(QWidget* parent, const QString& titre, const QString& texte);

// Exclamation icon, OK and Cancel, Cancel the default: a stray Return keeps things as they
// are. True unless the user chose Cancel or closed the box.
bool Confirmer(QWidget* parent, const QString& titre, const QString& texte);

}  // namespace corvanta
