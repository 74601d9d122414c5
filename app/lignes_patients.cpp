#include "app/lignes_patients.h"

#include <algorithm>

#include "app/index_base.h"
#include "app/requetes.h"
#include "platform/database.h"
#include "platform/member_table.h"
#include "platform/recordset.h"

namespace corvanta {

namespace {

bool Ascii(std::string_view octets) {
    return std::all_of(octets.begin(), octets.end(), [](char c) { return (c & 0x80) == 0; });
}

// A field of the line as the recordset would give it, Null empty.
QString Texte(const platform::MemberTable& table, std::size_t ligne, int champ) {
    return table.value(ligne, champ).toTextOrEmpty();
}

}  // namespace

QStringList Champs_Lignes_Patients() {
    return {QStringLiteral("Nom_Patient"), QStringLiteral("Prenom_Patient")};
}

Lignes_Patients Lire_Lignes_Patients(const platform::Recordset& patients) {
    const std::shared_ptr<const platform::MemberTable> table =
        patients.readMemberTable(Champs_Lignes_Patients());
    using Kind = platform::Value::Kind;
    Lignes_Patients lignes;
    lignes.textes.reserve(table->size());
    lignes.cles = table->keys();
    for (std::size_t ligne = 0; ligne < table->size(); ++ligne) {
        const platform::MemberTable::Cell nom = table->cell(ligne, 0);
        const platform::MemberTable::Cell prenom = table->cell(ligne, 1);
        // One allocation a line: with many patients the joining is most of the fill. Most
        // names are plain ASCII, whose bytes are their characters.
        if (nom.kind == Kind::Text && prenom.kind == Kind::Text && Ascii(nom.bytes) &&
            Ascii(prenom.bytes)) {
            QString texte;
            texte.reserve(static_cast<qsizetype>(nom.bytes.size() + 1 + prenom.bytes.size()));
            texte
                .append(
                    QLatin1StringView(nom.bytes.data(), static_cast<qsizetype>(nom.bytes.size())))
                .append(QLatin1Char(' '))
                .append(QLatin1StringView(prenom.bytes.data(),
                                          static_cast<qsizetype>(prenom.bytes.size())));
            lignes.textes.push_back(std::move(texte));
            continue;
        }
        const QString n = Texte(*table, ligne, 0);
        const QString p = Texte(*table, ligne, 1);
        QString texte;
        texte.reserve(n.size() + 1 + p.size());
        texte.append(n).append(QLatin1Char(' ')).append(p);
        lignes.textes.push_back(std::move(texte));
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
