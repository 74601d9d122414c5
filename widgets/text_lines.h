#pragma once

#include <QString>

namespace corvanta {

// Stored texts break their lines with CR LF; the text boxes with a bare line feed.
inline QString Texte_Pour_Boite(QString texte) {
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texte;
}

inline QString Texte_Pour_Base(QString texte) {
    texte.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return texte;
}

}  // namespace corvanta
