#include "app/lignes_patients.h"

#include "platform/recordset.h"

namespace corvanta {

QStringList Champs_Lignes_Patients() {
    return {QStringLiteral("Nom_Patient"), QStringLiteral("Prenom_Patient")};
}

Lignes_Patients Lire_Lignes_Patients(const platform::Recordset& patients) {
    const std::vector<platform::Recordset::Member> membres =
        patients.readMembers(Champs_Lignes_Patients());
    Lignes_Patients lignes;
    lignes.noms.reserve(membres.size());
    lignes.prenoms.reserve(membres.size());
    lignes.cles.reserve(membres.size());
    for (const platform::Recordset::Member& membre : membres) {
        lignes.noms.push_back(membre.values[0].toTextOrEmpty());
        lignes.prenoms.push_back(membre.values[1].toTextOrEmpty());
        lignes.cles.push_back(membre.key);
    }
    return lignes;
}

}  // namespace corvanta
