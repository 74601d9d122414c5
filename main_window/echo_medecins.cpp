// The doctors' letterhead details on the general tab.
#include <QAction>
#include <QLineEdit>

#include "app/reglages.h"
#include "main_window/echo.h"
#include "platform/settings_store.h"

namespace corvanta {

std::array<QLineEdit*, 6> Echo::Boites_Medecin() const {
    return {Texte_Nom_Medecin, Texte_Adresse1_Medecin, Texte_Adresse2_Medecin,
            Texte_Tel_Medecin, Texte_Fax_Medecin,      Texte_Inscription_Medecin};
}

void Echo::Afficher_Medecin(int slot) {
    if (slot < 1 || slot > 3)
        return;
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

void Echo::Texte_Medecin_LostFocus(int detail) {
    const int slot = etat_.Medecin_Courant;
    if (detail < 0 || detail >= 6 || slot < 1 || slot > 3)
        return;
    const Detail_Medecin& d = Details_Medecin()[detail];
    (etat_.*d.tableau)[slot] = Boites_Medecin()[detail]->text();
    etat_.Registre->write(kSection_General, Cle_Medecin(d.prefixe, slot), (etat_.*d.tableau)[slot]);
}

void Echo::Enregistrer_Medecin() {
    for (int detail = 0; detail < 6; ++detail)
        Texte_Medecin_LostFocus(detail);
}

void Echo::Toolbar3_ButtonClick(int bouton) {
    if (bouton < 1 || bouton > 3)
        return;
    Enregistrer_Medecin();
    etat_.Medecin_Courant = bouton;
    Afficher_Medecin(bouton);
}

void Echo::Choisir_Medecin(int slot) {
    if (slot < 1 || slot > 3)
        return;
    Enregistrer_Medecin();
    etat_.Medecin_Courant = slot;
    // Pressing from code runs no click handler: the boxes hold the former slot's details.
    Toolbar3_Boutons[slot - 1]->setChecked(true);
    Afficher_Medecin(slot);
}

}  // namespace corvanta
