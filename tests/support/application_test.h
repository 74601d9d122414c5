#pragma once

#include <QApplication>
#include <QString>
#include <ostream>

namespace corvanta::test {

// The one application object of a test program, with the program's font. Needs
// QT_QPA_PLATFORM=offscreen (set by CTest) or a display.
QApplication& Application();

}  // namespace corvanta::test

// Shows texts in readable form in test failures.
inline void PrintTo(const QString& texte, std::ostream* flux) {
    *flux << '"' << texte.toStdString() << '"';
}
