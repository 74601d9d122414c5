#pragma once

#include <functional>
#include <memory>

namespace corvanta {

struct Etat_Application;

// The filter settings the main window's two sliders hold.
struct Reglages_Filtre {
    int moyenne = 0;    // half-width of the moving average, 0..5
    int passe_bas = 0;  // kind of low-pass filter, 0..5
};

// What the exam windows use of the main window: its only door into it. Every value is
// read from the main window's controls at the moment it is asked for.
class Fenetre_Principale {
  public:
    // The filter settings the sliders show now.
    virtual Reglages_Filtre Filtre_Choisi() const = 0;
    // The number of points of the entry chosen in the list of points per curve. While no
    // port is open it can differ from the number the program works with.
    virtual int Nombre_Points_Liste() const = 0;
    // The chosen picture format: 0 "Jpeg", 1 "Bmp", -1 when typed text chose none.
    virtual int Format_Image_Choisi() const = 0;
    // The doctor chosen from an exam window: what the doctor boxes hold is stored first,
    // then slot 1..3 becomes the current doctor and the main window shows it.
    virtual void Choisir_Medecin(int slot) = 0;

  protected:
    ~Fenetre_Principale() = default;
};

// What the main window needs of the exam windows, which are built apart and link it.
class Fenetres_Examen {
  public:
    virtual ~Fenetres_Examen() = default;
    // Loads the window serving exam type `type` (its set-up runs only when it is not
    // loaded) and shows it modeless in front; a type no window serves does nothing.
    virtual void Ouvrir(int type) = 0;
    // The current exam type is about to change, or the program to end: a loaded window with
    // a new exam being typed asks whether it may be lost. False as soon as one keeps it:
    // the type then stays, the program goes on.
    virtual bool Abandon_Accepte() = 0;
    // The current exam type has changed: a loaded window that serves the new type is set
    // up again for it, one that does not is closed.
    virtual void Type_Change(int type) = 0;
    // Rows were added to the database from another file: a loaded window lists its exams
    // and patients again, keeping the exam it shows and what is being typed.
    virtual void Donnees_Importees() = 0;
    // Patients were deleted, with their exams and curves, in the patient window: a loaded
    // window lists its exams and patients again; an exam it showed that is gone gives way
    // to the first, and a patient chosen for a new exam who is gone is chosen no more.
    virtual void Patients_Supprimes() {}
    // The export folder has changed: a loaded window enables its export button again as
    // its set-up would.
    virtual void Dossier_Export_Change() {}
};

using Fabrique_Fenetres_Examen =
    std::function<std::unique_ptr<Fenetres_Examen>(Fenetre_Principale&, Etat_Application&)>;

// The program's launcher registers how the exam windows are made; the main window makes
// them at the first exam command. Without a registration the command does nothing.
void Enregistrer_Fenetres_Examen(Fabrique_Fenetres_Examen fabrique);
const Fabrique_Fenetres_Examen& Fabrique_Enregistree();

}  // namespace corvanta
