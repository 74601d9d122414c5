#pragma once

#include <QString>

#include "app/etat_application.h"

namespace corvanta {

namespace platform {
class SettingsStore;
}

// The sections and keys of the settings store, as the file names them. The zone fields
// and the doctor details are named in their tables (reglages.cpp); the section PORTS,
// which names a port's device, belongs to the serial layer (platform/serial_port.h).
inline const QString kSection_General = QStringLiteral("GENERAL");
inline const QString kSection_Filtrage = QStringLiteral("FILTRAGE");
QString Section_Zones(int type);  // "ZONES0" .. "ZONES3"

// Keys of GENERAL.
inline const QString kCle_Langue = QStringLiteral("Langue");
inline const QString kCle_Port_Com = QStringLiteral("PortCom");
inline const QString kCle_Images = QStringLiteral("Images");
inline const QString kCle_Medecin = QStringLiteral("Medecin");
inline const QString kCle_Def_Type = QStringLiteral("Def_Type");
inline const QString kCle_Date_MES = QStringLiteral("Date MES");
inline const QString kCle_Export = QStringLiteral("Export");
// Keys of FILTRAGE: the averaging and low-pass settings of the filter.
inline const QString kCle_Moyenneur = QStringLiteral("moyenneur");
inline const QString kCle_Passe_Bas = QStringLiteral("passebas");

// Default of a zone field for zone z (the same for every exam type with a section).
Zone_Sensible Zone_Par_Defaut(int zone);

// Reads zones 0..3 of exam types 0..3 into the zone table (xpic and ypic untouched).
// A stored value that is no 32-bit number falls back to its default.
void Lire_Zones(const platform::SettingsStore& registre, Etat_Application& etat);
// Writes the five stored fields of zones 0..5 of types 0..3, leading-blank form.
void Ecrire_Zones(platform::SettingsStore& registre, const Etat_Application& etat);

// The settings key of a doctor detail: prefix, slot digit, ")" (e.g. "Nom(2)").
QString Cle_Medecin(const QString& prefixe, int slot);
inline const QString kDocteur_Par_Defaut = QStringLiteral("Docteur X");

// The six detail arrays of the letterhead, in the order the boxes are shown.
struct Detail_Medecin {
    QString prefixe;
    std::array<QString, 4> Etat_Application::*tableau;
    QString defaut;
};
const std::array<Detail_Medecin, 6>& Details_Medecin();

void Lire_Medecins(const platform::SettingsStore& registre, Etat_Application& etat);
void Ecrire_Medecins(platform::SettingsStore& registre, const Etat_Application& etat);

}  // namespace corvanta
