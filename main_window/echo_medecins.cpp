// The doctors' letterhead details on the general tab.
#include <QLineEdit>

#include "app/reglages.h"
#include "main_window/echo.h"

namespace corvanta {

std::array<QLineEdit*, 6> Echo::Boites_Medecin() const {
    return {Texte_Nom_Medecin, Texte_Adresse1_Medecin, Texte_Adresse2_Medecin,
            Texte_Tel_Medecin, Texte_Fax_Medecin,      Texte_Inscription_Medecin};
}

void Echo::Afficher_Medecin(int slot) {
    const auto boites = Boites_Medecin();
    for (std::size_t i = 0; i < boites.size(); ++i) {
        boites[i]->setText((etat_.*Details_Medecin()[i].tableau)[slot]);
    }
}

void Echo::Memoriser_Medecin() {
    const int slot = etat_.Medecin_Courant;
    if (slot < 1 || slot > 3)
        return;
    const auto boites = Boites_Medecin();
    for (std::size_t i = 0; i < boites.size(); ++i) {
        (etat_.*Details_Medecin()[i].tableau)[slot] = boites[i]->text();
    }
}

}  // namespace corvanta
