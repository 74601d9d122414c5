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
class QWidget;

namespace corvanta {

// Where the recent imaging frame puts its three rows, in pixels of the frame.
struct Disposition_Imagerie {
    std::array<int, 3> hauts;  // top of each row's check box
    int gauche_coches;
    int gauche_etiquettes;
    int largeur_etiquettes;
    QRect liste;  // the status list of the first row; the others follow its rows
};

// The recent imaging frame of the sinus and pleura windows: occipitomental view, B-mode
// ultrasound and CT scan, each a check box showing the status list at its right while
// ticked. A window holds it as a base, so that its controls keep their own names.
struct Imagerie_Recente {
    QGroupBox* Frame_Imagerie = nullptr;
    QCheckBox* Check_Face_Standard = nullptr;
    QLabel* Label_Blondeau = nullptr;
    QComboBox* Combo_Status_Face_Standard = nullptr;
    QCheckBox* Check_Echo_B = nullptr;
    QLabel* Label_EchoB = nullptr;
    QComboBox* Combo_Status_Echo_B = nullptr;
    QCheckBox* Check_Scanner = nullptr;
    QLabel* Label_Scanner = nullptr;
    QComboBox* Combo_Status_Scanner = nullptr;

    // Makes the frame at `zone` of `fenetre` and its controls; the caption is bold.
    void Construire_Imagerie(QWidget* fenetre, const QRect& zone, const Disposition_Imagerie& d);
    // The three imaging columns, then their three status columns.
    std::vector<Colonne_Examen> Colonnes_Imagerie() const;
    // Texts of `form`: `cadre` on the frame, `etiquettes` to `etiquettes` + 2 on the three
    // rows, `statuts` to `statuts` + 2 as the entries of every status list.
    void Poser_Textes_Imagerie(const Libelles& libelle, int form, int cadre, int etiquettes,
                               int statuts);
};

}  // namespace corvanta
