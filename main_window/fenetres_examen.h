#pragma once

#include <functional>
#include <memory>

namespace corvanta {

class Echo;
struct Etat_Application;

// What the main window needs of the exam windows, which are built apart and link it.
class Fenetres_Examen {
  public:
    virtual ~Fenetres_Examen() = default;
    // Loads the window serving exam type `type` (its set-up runs only when it is not
    // loaded) and shows it modeless in front; a type no window serves does nothing.
    virtual void Ouvrir(int type) = 0;
    // The current exam type is about to change: a loaded window with a new exam being
    // typed asks whether it may be lost. False as soon as one keeps it: the type then stays.
    virtual bool Changement_Type_Accepte() = 0;
    // The current exam type has changed: a loaded window that serves the new type is set
    // up again for it, one that does not is closed.
    virtual void Type_Change(int type) = 0;
    // Rows were added to the database from another file: a loaded window lists its exams
    // and patients again, keeping the exam it shows and what is being typed.
    virtual void Donnees_Importees() = 0;
};

using Fabrique_Fenetres_Examen =
    std::function<std::unique_ptr<Fenetres_Examen>(Echo&, Etat_Application&)>;

// The program's launcher registers how the exam windows are made; the main window makes
// them at the first exam command. Without a registration the command does nothing.
void Enregistrer_Fenetres_Examen(Fabrique_Fenetres_Examen fabrique);
const Fabrique_Fenetres_Examen& Fabrique_Enregistree();

}  // namespace corvanta
