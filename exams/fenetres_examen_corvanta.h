#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "exams/fenetre_examen.h"
#include "main_window/fenetres_examen.h"

namespace corvanta {

// One exam window the program can open: the exam types it serves and how it is made.
struct Inscription_Fenetre {
    std::vector<int> types;
    std::function<std::unique_ptr<Fenetre_Examen>(Fenetre_Principale&, Etat_Application&)> creer;
};

// The entry of window class `F`, which has `static Profil_Examen Profil_Fenetre()` and a
// constructor taking what it may use of the main window and the application state.
template <class F>
Inscription_Fenetre Inscrire() {
    return {F::Profil_Fenetre().types,
            [](Fenetre_Principale& principale,
               Etat_Application& etat) -> std::unique_ptr<Fenetre_Examen> {
                return std::make_unique<F>(principale, etat);
            }};
}

// The program's exam windows; a type opens the first window that serves it.
std::vector<Inscription_Fenetre> Fenetres_Du_Programme();

// The exam windows of the run, one per entry, each made at its first opening. A window
// that closing destroys is let go when it closes and made anew at its next opening; the
// others are kept for the run.
class Fenetres_Examen_Corvanta : public Fenetres_Examen {
  public:
    Fenetres_Examen_Corvanta(
        Fenetre_Principale& principale, Etat_Application& etat,
        std::vector<Inscription_Fenetre> inscriptions = Fenetres_Du_Programme());
    ~Fenetres_Examen_Corvanta() override;

    void Ouvrir(int type) override;
    bool Abandon_Accepte() override;
    // Every loaded window is either set up again for the new type, out of new-exam mode,
    // or closed when it does not serve it.
    void Type_Change(int type) override;
    void Donnees_Importees() override;
    void Patients_Supprimes() override;
    void Dossier_Export_Change() override;

    // The first existing window of class `F`, else null.
    template <class F>
    F* Chercher() const {
        for (const Place& place : places_) {
            if (auto* fenetre = dynamic_cast<F*>(place.fenetre.get()))
                return fenetre;
        }
        return nullptr;
    }

  private:
    struct Place {
        Inscription_Fenetre inscription;
        std::unique_ptr<Fenetre_Examen> fenetre;
    };
    // The index of the first entry serving `type`, or the number of entries.
    std::size_t Place_Du_Type(int type) const;
    void Fermee(Fenetre_Examen& fenetre);

    Fenetre_Principale& principale_;
    Etat_Application& etat_;
    std::vector<Place> places_;
};

// Registers the program's windows with the main window.
void Installer_Fenetres_Examen();

}  // namespace corvanta
