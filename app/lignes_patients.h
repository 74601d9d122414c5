#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/value.h"

namespace corvanta {

namespace platform {
class Database;
class Recordset;
}  // namespace platform

// The fields a patient's line is made of; the patients recordsets take them with their
// membership, so that a list is filled without reading the rows again.
QStringList Champs_Lignes_Patients();

// One line a patient of the recordset, in its order: his name and his given name joined
// by a blank (a Null part is empty), and his key. Patients deleted elsewhere are left out.
// Each line is decoded from the stored bytes straight into its one text.
struct Lignes_Patients {
    std::vector<QString> textes;
    std::vector<std::int64_t> cles;
};
Lignes_Patients Lire_Lignes_Patients(const platform::Recordset& patients);

// Every patient in name order (the program-wide patients recordset), taking the fields of
// the lines: read through the file's name-order index when it holds it.
std::unique_ptr<platform::Recordset> Ouvrir_Patients(platform::Database& base);

// The patients that `filtre` (a WHERE clause of the patients' columns, `?` bound from
// `parametres`) selects, in name order, taking the fields of the lines: found in the
// engine's order and sorted here, namesakes in the order they were found.
std::unique_ptr<platform::Recordset> Ouvrir_Patients_Trouves(
    platform::Database& base, const QString& filtre,
    const std::vector<platform::Value>& parametres);

}  // namespace corvanta
