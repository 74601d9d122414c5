#pragma once

#include <QPixmap>

namespace corvanta {

// The toolbar pictures the patient and exam windows share, 32 x 32 on a transparent
// background, drawn when a window is made (no picture files).
enum class Icone_Patient {
    Fleche_Gauche,
    Fleche_Droite,
    Fleche_Haut,
    Fleche_Bas,
    Main_Ecrivant,
    Fenetre_Validee,
    Corbeille,
    Jumelles,
    Stop,
};

inline constexpr int kTaille_Icone = 32;

QPixmap Dessiner_Icone(Icone_Patient icone);

}  // namespace corvanta
