#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

#include "app/libelle.h"
#include "app/quorel_binding.h"
#include "curve_library/quorel32.h"

class QTranslator;

namespace corvanta {

namespace platform {
class Database;
class Recordset;
class SettingsStore;
}  // namespace platform

// The exam types: the value of `Code_Type` in `Courbes` and `Examens`.
enum Type_Examen_Code : int {
    Type_Sinus_Maxillaires = 0,
    Type_Sinus_Frontaux = 1,
    Type_Plevre = 2,
    Type_Tumeur = 3,
    Type_Cellules = 4,
};

inline constexpr int kNombre_Types_Zones = 101;  // the zone table is addressed by type 0..100
inline constexpr int kZones_Par_Type = 6;        // zones 0..5; 0..3 are used
inline constexpr int kZones_Utilisees = 4;
inline constexpr int kTaille_Courbe = 400;  // an `Echantillons_Courbe`

using Echantillons_Courbe = std::array<std::uint8_t, kTaille_Courbe>;
using Zones_Type = std::array<Zone_Sensible, kZones_Par_Type>;

// The application state every window shares for the whole run. Built by the main
// window's start-up, released by its exit. Single thread: no locking.
struct Etat_Application {
    Etat_Application();
    ~Etat_Application();
    Etat_Application(const Etat_Application&) = delete;
    Etat_Application& operator=(const Etat_Application&) = delete;

    // The curve library the windows draw and filter with: the one beside the executable.
    quorel::LibraryBinding* Bibliotheque = &quorel::program_library();

    // The user's settings store, opened when the state is made.
    std::unique_ptr<platform::SettingsStore> Registre;

    std::unique_ptr<platform::Database> Base_Donnees;
    std::unique_ptr<platform::Recordset> Table_Patients;
    std::unique_ptr<platform::Recordset> Table_Courbes;
    std::unique_ptr<platform::Recordset> Table_Examens;

    QString Repertoire_Programme;
    QString Chemin_Base;
    QString Repertoire_Export;
    // As typed (dd/mm/yyyy or dd/mm/yy), at least 8 characters once start-up has set it.
    QString Date_Mise_En_Service;

    std::array<Zone_Sensible, kZones_Par_Type> Zones_Courantes{};
    std::array<Zones_Type, kNombre_Types_Zones> Zones_Sensibles{};

    // Doctors' letterhead details, slots 1..3 (element 0 unused).
    std::array<QString, 4> Nom_Medecin;
    std::array<QString, 4> Adresse1_Medecin;
    std::array<QString, 4> Adresse2_Medecin;
    std::array<QString, 4> Tel_Medecin;
    std::array<QString, 4> Fax_Medecin;
    std::array<QString, 4> Inscription_Medecin;
    int Medecin_Courant = 0;

    Libelles Libelle;
    // Qt's own texts in the interface's language, installed while the state lives.
    std::unique_ptr<QTranslator> Traduction_Qt;

    int Port_Com = 0;
    QString Nom_Patient_Courant;
    std::int64_t Code_Patient_Courant = 0;
    int Nombre_Points = 0;
    int Taille_Entete = 0;
    int Type_Examen = 0;
    QString Nom_Type_Examen;
};

}  // namespace corvanta
