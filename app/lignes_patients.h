#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace corvanta {

namespace platform {
class Recordset;
}

// The fields a patient's line is made of; the patients recordsets take them with their
// membership, so that a list is filled without reading the rows again.
QStringList Champs_Lignes_Patients();

// One line a patient of the recordset, in its order: his name and his given name (a Null
// part is empty), which a list shows joined by a blank, and his key. Patients deleted
// elsewhere are left out. The parts share the recordset's texts: nothing is copied.
struct Lignes_Patients {
    std::vector<QString> noms, prenoms;
    std::vector<std::int64_t> cles;
};
Lignes_Patients Lire_Lignes_Patients(const platform::Recordset& patients);

}  // namespace corvanta
