#pragma once

#include <QRect>
#include <array>
#include <vector>

#include "app/libelle.h"
#include "exams/fenetre_examen.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace corvanta {

// Where the results frame of a two-echogram window puts its controls, in pixels of the
// frame. Index 0 is the right-side echogram's column, 1 the left side's.
struct Disposition_Resultats {
    std::array<int, 2> gauches;  // left edge of each column
    std::array<int, 2> largeurs_listes;
    int haut_titres;
    int haut_listes;
    int hauteur_listes;
    int haut_constats;  // top of the first findings row
    int pas_constats;
    int decalage_etiquettes;  // from a box to its label
    std::array<int, 2> largeurs_etiquettes;
    std::array<QRect, 2> details;  // the "other findings" texts
};

// The results frame of a window with a right and a left echogram: a heading and an
// echogram list per side, four findings (normal, occupied, suggesting a fluid collection,
// other findings with their text) under each. A window holds it as a base, so that its
// controls keep their own names.
struct Resultats_Echogrammes {
    QGroupBox* Frame_Resultats = nullptr;
    QLabel* Label_Echogramme_Droit = nullptr;
    QLabel* Label_Echogramme_Gauche = nullptr;
    QComboBox* Combo_Echogramme_Droit = nullptr;
    QComboBox* Combo_Echogramme_Gauche = nullptr;
    QCheckBox* Check_Droit_Normal = nullptr;
    QCheckBox* Check_Droit_Occupe = nullptr;
    QCheckBox* Check_Droit_Evocateur = nullptr;
    QCheckBox* Check_Droit_Autres = nullptr;
    QLineEdit* Texte_Droit_Autres = nullptr;
    QCheckBox* Check_Gauche_Normal = nullptr;
    QCheckBox* Check_Gauche_Occupe = nullptr;
    QCheckBox* Check_Gauche_Evocateur = nullptr;
    QCheckBox* Check_Gauche_Autres = nullptr;
    QLineEdit* Texte_Gauche_Autres = nullptr;
    // Index 0 in the right-side column, 1 in the left-side one.
    std::array<QLabel*, 2> Label_Normal{};
    std::array<QLabel*, 2> Label_Occupe{};
    std::array<QLabel*, 2> Label_Evocateur{};
    std::array<QLabel*, 2> Label_Autres{};

    // Makes the frame at `zone` of `fenetre` and its controls; the caption is bold.
    void Construire_Resultats(QWidget* fenetre, const QRect& zone, const Disposition_Resultats& d);
    // The ten findings columns, right side first.
    std::vector<Colonne_Examen> Colonnes_Resultats() const;
    // The two echograms, right then left, previewed in `droite` and `gauche`.
    std::array<Echogramme_Examen, 2> Echogrammes(CurveView* droite, CurveView* gauche) const;
    // Texts of `form`: `cadre` on the frame, `titres` and `titres` + 1 on the right and
    // left headings, `constats` to `constats` + 3 on the four findings of each column.
    void Poser_Textes_Resultats(const Libelles& libelle, int form, int cadre, int titres,
                                int constats);
};

}  // namespace corvanta
