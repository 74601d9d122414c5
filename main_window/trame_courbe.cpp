#include "main_window/trame_courbe.h"

#include <algorithm>
#include <cstring>

namespace corvanta {

Lecture_Trame Examiner_Trame(const QByteArray& trame) {
    if (trame.indexOf(kEntete_Trame, 3) >= 0)
        return Lecture_Trame::Seconde_Entete;
    return trame.startsWith(kEntete_Trame) ? Lecture_Trame::Trame_Valide
                                           : Lecture_Trame::Entete_Invalide;
}

bool Demande_Bascule_Gel(const QByteArray& trame) {
    return trame.size() > 3 && trame[3] == kEtat_Bascule_Gel;
}

void Prendre_Echantillons(const QByteArray& trame, int points, Echantillons_Courbe& courbe) {
    const auto pris = static_cast<std::size_t>(
        std::clamp<qsizetype>(std::min<qsizetype>(points, trame.size()), 0, kTaille_Courbe));
    std::memcpy(courbe.data(), trame.constData() + trame.size() - pris, pris);
    std::fill(courbe.begin() + pris, courbe.end(), std::uint8_t{' '});
}

}  // namespace corvanta
