#pragma once

#include <QString>

#include "app/libelle.h"
#include "platform/error.h"

class QWidget;

namespace corvanta {

// The program's message boxes.

// The standard error box: texts 42 to 44 of `form`, the error's number, source and
// description; OK only, no icon.
void showErrorBox(QWidget* parent, const Libelles& texts, const Error& error, int form = 4);

// Exclamation icon, OK only.
void showWarning(QWidget* parent, const QString& title, const QString& text);

// Information icon, OK only.
void showInformation(QWidget* parent, const QString& title, const QString& text);

// Stop icon, OK only.
void showStop(QWidget* parent, const QString& title, const QString& text);

// Exclamation icon, OK and Cancel, Cancel the default: a stray Return keeps things as they
// are. True unless the user chose Cancel or closed the box.
bool confirm(QWidget* parent, const QString& title, const QString& text);

}  // namespace corvanta
