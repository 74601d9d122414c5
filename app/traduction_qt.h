#pragma once

#include <QString>
#include <QTranslator>
#include <memory>

namespace corvanta {

// Puts Qt's own texts (the standard buttons of message boxes, the menus of text boxes) in
// the interface's language, named by the `Langues` column it reads ("Francais" or
// "Anglais"). French installs Qt's French catalogue on the application and returns it:
// it stays installed while it lives. English is Qt's own language and needs none. A
// catalogue that cannot be found leaves Qt's English texts and says so on the error
// output: the program runs on.
std::unique_ptr<QTranslator> Traduire_Qt(const QString& colonne);

}  // namespace corvanta
