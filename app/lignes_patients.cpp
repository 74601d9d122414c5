#include "app/lignes_patients.h"

#include "app/index_base.h"
#include "app/requetes.h"
#include "platform/database.h"
#include "platform/member_table.h"
#include "platform/recordset.h"
#include "platform/utf8.h"

namespace corvanta {

namespace {

// A field of the line as the recordset would give it (Null empty), appended.
void Ajouter(QString& ligne, const platform::MemberTable& table, std::size_t rang, int champ) {
    const platform::MemberTable::Cell cellule = table.cell(rang, champ);
    if (cellule.kind == platform::Value::Kind::Text)
        platform::appendUtf8(ligne, cellule.bytes);
    else
        ligne.append(table.value(rang, champ).toTextOrEmpty());
}

}  // namespace

QStringList Champs_Lignes_Patients() {
    return {QStringLiteral("Nom_Patient"), QStringLiteral("Prenom_Patient")};
}

Lignes_Patients Lire_Lignes_Patients(const platform::Recordset& patients) {
    const std::shared_ptr<const platform::MemberTable> table =
        patients.readMemberTable(Champs_Lignes_Patients());
    Lignes_Patients lignes;
    lignes.textes.reserve(table->size());
    lignes.cles = table->keys();
    for (std::size_t rang = 0; rang < table->size(); ++rang) {
        // One allocation a line: with many patients the joining is most of the fill.
        QString ligne;
        ligne.reserve(static_cast<qsizetype>(table->cell(rang, 0).bytes.size() + 1 +
                                             table->cell(rang, 1).bytes.size()));
        Ajouter(ligne, *table, rang, 0);
        ligne.append(QLatin1Char(' '));
        Ajouter(ligne, *table, rang, 1);
        lignes.textes.push_back(std::move(ligne));
    }
    return lignes;
}

std::unique_ptr<platform::Recordset> Ouvrir_Patients(platform::Database& base) {
    std::optional<platform::MembershipPlan> plan;
    if (Index_Ordre_Noms_Present(base))
        plan = Plan_Patients_Ordonnes();
    return base.openRecordset(Requete_Patients(), {}, Champs_Lignes_Patients(), std::move(plan));
}

std::unique_ptr<platform::Recordset> Ouvrir_Patients_Trouves(
    platform::Database& base, const QString& filtre,
    const std::vector<platform::Value>& parametres) {
    if (filtre.isEmpty())
        return Ouvrir_Patients(base);
    // The unary "+" keeps the engine from walking a whole name index for the order when
    // it finds the rows: the order is the program's own sort of them.
    return base.openRecordset(QStringLiteral("SELECT * FROM Patients ") + filtre +
                                  QStringLiteral(" ORDER BY +") + Ordre_Noms(),
                              parametres, Champs_Lignes_Patients(), Plan_Patients_Tries(filtre));
}

}  // namespace corvanta
