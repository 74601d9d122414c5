#pragma once

#include <memory>

#include "main_window/fenetres_examen.h"

namespace corvanta {

class Examen_Sinus;

// The program's exam windows: `Examen_Sinus` for types 0, 1 and 4, made at its first
// opening and kept for the run. Types 2 and 3 have no window yet and open nothing.
class Fenetres_Examen_Corvanta : public Fenetres_Examen {
  public:
    Fenetres_Examen_Corvanta(Echo& echo, Etat_Application& etat);
    ~Fenetres_Examen_Corvanta() override;

    void Ouvrir(int type) override;
    void Type_Change(int type) override;

    // Null until the first opening.
    Examen_Sinus* Sinus() const { return sinus_.get(); }

  private:
    Echo& echo_;
    Etat_Application& etat_;
    std::unique_ptr<Examen_Sinus> sinus_;
};

// Registers the windows above with the main window.
void Installer_Fenetres_Examen();

}  // namespace corvanta
