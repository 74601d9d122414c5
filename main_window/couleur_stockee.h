#pragma once

#include <QColor>
#include <cstdint>

namespace corvanta {

// A slot colour as it is stored with its curve: red + 256 green + 65536 blue.
inline std::int32_t Couleur_Stockee(const QColor& couleur) {
    return couleur.red() + 256 * couleur.green() + 65536 * couleur.blue();
}

inline QColor Couleur_De_Stockee(std::int32_t couleur) {
    return QColor(couleur & 0xFF, (couleur >> 8) & 0xFF, (couleur >> 16) & 0xFF);
}

}  // namespace corvanta
