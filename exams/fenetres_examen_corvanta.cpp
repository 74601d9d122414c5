#include "exams/fenetres_examen_corvanta.h"

#include <algorithm>

#include "exams/examen_plevre.h"
#include "exams/examen_sinus.h"
#include "exams/examen_tumeur.h"

namespace corvanta {

std::vector<Inscription_Fenetre> Fenetres_Du_Programme() {
    return {Inscrire<Examen_Sinus>(), Inscrire<Examen_Plevre>(), Inscrire<Examen_Tumeur>()};
}

Fenetres_Examen_Corvanta::Fenetres_Examen_Corvanta(Fenetre_Principale& principale,
                                                   Etat_Application& etat,
                                                   std::vector<Inscription_Fenetre> inscriptions)
    : principale_(principale), etat_(etat) {
    for (Inscription_Fenetre& inscription : inscriptions)
        places_.push_back({std::move(inscription), nullptr});
}

Fenetres_Examen_Corvanta::~Fenetres_Examen_Corvanta() = default;

std::size_t Fenetres_Examen_Corvanta::Place_Du_Type(int type) const {
    const auto place = std::find_if(places_.begin(), places_.end(), [type](const Place& p) {
        return std::find(p.inscription.types.begin(), p.inscription.types.end(), type) !=
               p.inscription.types.end();
    });
    return static_cast<std::size_t>(place - places_.begin());
}

void Fenetres_Examen_Corvanta::Ouvrir(int type) {
    const std::size_t index = Place_Du_Type(type);
    if (index >= places_.size())
        return;
    Place& place = places_[index];
    if (!place.fenetre) {
        place.fenetre = place.inscription.creer(principale_, etat_);
        place.fenetre->Fermee = [this](Fenetre_Examen& fenetre) { Fermee(fenetre); };
    }
    place.fenetre->Charger_Et_Afficher();
}

void Fenetres_Examen_Corvanta::Fermee(Fenetre_Examen& fenetre) {
    if (!fenetre.Profil().detruite_a_la_fermeture)
        return;
    for (Place& place : places_) {
        // The window is inside its own closing: it goes once control is back in the
        // event loop.
        if (place.fenetre.get() == &fenetre)
            place.fenetre.release()->deleteLater();
    }
}

bool Fenetres_Examen_Corvanta::Abandon_Accepte() {
    for (Place& place : places_) {
        Fenetre_Examen* fenetre = place.fenetre.get();
        if (fenetre != nullptr && fenetre->Est_Charge() && !fenetre->Abandon_Accepte())
            return false;
    }
    return true;
}

void Fenetres_Examen_Corvanta::Type_Change(int type) {
    for (Place& place : places_) {
        Fenetre_Examen* fenetre = place.fenetre.get();
        if (fenetre == nullptr || !fenetre->Est_Charge())
            continue;
        // The user has let the new exam go already: closing asks nothing more.
        fenetre->Mode_Nouvel_Examen = 0;
        if (fenetre->Sert_Type(type))
            fenetre->Form_Load();
        else
            fenetre->close();
    }
}

void Fenetres_Examen_Corvanta::Donnees_Importees() {
    for (Place& place : places_) {
        if (place.fenetre && place.fenetre->Est_Charge())
            place.fenetre->Actualiser_Listes();
    }
}

void Fenetres_Examen_Corvanta::Patients_Supprimes() {
    Donnees_Importees();
}

void Fenetres_Examen_Corvanta::Dossier_Export_Change() {
    for (Place& place : places_) {
        if (place.fenetre && place.fenetre->Est_Charge())
            place.fenetre->Etat_Bouton_Export();
    }
}

void Installer_Fenetres_Examen() {
    Enregistrer_Fenetres_Examen([](Fenetre_Principale& principale, Etat_Application& etat) {
        return std::make_unique<Fenetres_Examen_Corvanta>(principale, etat);
    });
}

}  // namespace corvanta
