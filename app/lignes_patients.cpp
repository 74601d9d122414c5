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
    lignes.textes.reserve(membres.size());
    lignes.cles.reserve(membres.size());
    for (const platform::Recordset::Member& membre : membres) {
        const QString nom = membre.values[0].toTextOrEmpty();
        const QString prenom = membre.values[1].toTextOrEmpty();
        // One allocation a line: with many patients the joining is most of the fill.
        QString ligne;
        ligne.reserve(nom.size() + 1 + prenom.size());
        ligne.append(nom).append(QLatin1Char(' ')).append(prenom);
        lignes.textes.push_back(std::move(ligne));
        lignes.cles.push_back(membre.key);
    }
    return lignes;
}

}  // namespace corvanta
