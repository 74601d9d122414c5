#include "app/lignes_patients.h"

#include <optional>

#include "app/index_base.h"
#include "app/requetes.h"
#include "platform/database.h"
#include "platform/member_table.h"
#include "platform/recordset.h"
#include "platform/utf8.h"

namespace corvanta {

namespace {

using Cellule = platform::MemberTable::Cell;

// A field of the line as the recordset would give it (Null empty).
QString Texte(const platform::MemberTable& table, std::size_t rang, int champ) {
    return table.value(rang, champ).toTextOrEmpty();
}

// The line of two text fields decoded straight into it: one allocation a line, which with
// many patients is most of the fill. Nothing when fromUtf8 must read them.
std::optional<QString> Ligne_Directe(const Cellule& nom, const Cellule& prenom) {
    if (nom.kind != platform::Value::Kind::Text || prenom.kind != platform::Value::Kind::Text)
        return std::nullopt;
    QString ligne(static_cast<qsizetype>(nom.bytes.size() + 1 + prenom.bytes.size()),
                  Qt::Uninitialized);
    QChar* fin = platform::decodeUtf8Into(ligne.data(), nom.bytes);
    if (fin == nullptr)
        return std::nullopt;
    *fin++ = QLatin1Char(' ');
    fin = platform::decodeUtf8Into(fin, prenom.bytes);
    if (fin == nullptr)
        return std::nullopt;
    ligne.truncate(fin - ligne.constData());
    return ligne;
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
        if (std::optional<QString> ligne =
                Ligne_Directe(table->cell(rang, 0), table->cell(rang, 1))) {
            lignes.textes.push_back(std::move(*ligne));
            continue;
        }
        lignes.textes.push_back(Texte(*table, rang, 0) + QLatin1Char(' ') + Texte(*table, rang, 1));
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
