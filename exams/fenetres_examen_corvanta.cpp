#include "exams/fenetres_examen_corvanta.h"

#include "exams/examen_sinus.h"

namespace corvanta {

Fenetres_Examen_Corvanta::Fenetres_Examen_Corvanta(Echo& echo, Etat_Application& etat)
    : echo_(echo), etat_(etat) {}

Fenetres_Examen_Corvanta::~Fenetres_Examen_Corvanta() = default;

void Fenetres_Examen_Corvanta::Ouvrir(int type) {
    if (type != Type_Sinus_Maxillaires && type != Type_Sinus_Frontaux && type != Type_Cellules)
        return;
    if (!sinus_)
        sinus_ = std::make_unique<Examen_Sinus>(echo_, etat_);
    sinus_->Charger_Et_Afficher();
}

void Fenetres_Examen_Corvanta::Type_Change(int type) {
    if (!sinus_ || !sinus_->Est_Charge())
        return;
    if (sinus_->Sert_Type(type)) {
        sinus_->Mode_Nouvel_Examen = 0;
        sinus_->Form_Load();
    } else {
        sinus_->close();
    }
}

void Installer_Fenetres_Examen() {
    Enregistrer_Fenetres_Examen([](Echo& echo, Etat_Application& etat) {
        return std::make_unique<Fenetres_Examen_Corvanta>(echo, etat);
    });
}

}  // namespace corvanta
