#include "app/chargement_libelles.h"

#include "platform/database.h"
#include "platform/error.h"
#include "platform/recordset.h"

namespace corvanta {

QString Colonne_Langue(const QString& langue) {
    const QString nom = langue.trimmed();
    return nom == QStringLiteral("Francais") ? QStringLiteral("Francais")
                                             : QStringLiteral("Anglais");
}

namespace {

// A form or text number as stored, or -1 when it cannot address the table.
int Numero(const platform::Value& valeur) {
    if (valeur.isNull())
        return -1;
    try {
        return valeur.toInt32();
    } catch (const Error&) {
        return -1;
    }
}

}  // namespace

void Charger_Libelles(platform::Database& base, const QString& langue, Libelles& libelle) {
    const auto langues = base.openRecordset(QStringLiteral("Select * from Langues "));
    const QString colonne = Colonne_Langue(langue);
    if (langues->recordCount() == 0)
        return;
    const int form = langues->fieldIndex(QStringLiteral("Form"));
    const int label = langues->fieldIndex(QStringLiteral("Label"));
    const int texte = langues->fieldIndex(colonne);
    // One read transaction: each step then finds the file as it was, without asking it.
    platform::Database::Transaction lecture(base);
    for (langues->moveFirst(); !langues->eof(); langues->moveNext()) {
        libelle.set(Numero(langues->field(form)), Numero(langues->field(label)),
                    langues->field(texte).toTextOrEmpty());
    }
    lecture.commit();
}

}  // namespace corvanta
