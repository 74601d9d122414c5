#include "app/index_base.h"

#include <QChar>
#include <optional>

#include "app/requetes.h"
#include "platform/database.h"
#include "platform/error.h"
#include "platform/sqlite_statement.h"

namespace corvanta {

namespace {

// As data/schema.sql declares them.
std::vector<Index_Base> Index_Du_Schema() {
    return {
        {QStringLiteral("Patients_Naissance"),
         QStringLiteral("CREATE INDEX Patients_Naissance ON Patients "
                        "(Date_Naissance_Patient, Nom_Patient, Prenom_Patient)")},
        {QStringLiteral("Courbes_Marquees"),
         QStringLiteral("CREATE INDEX Courbes_Marquees ON Courbes (IMPRIMER, COULEUR) "
                        "WHERE IMPRIMER <> 0 OR COULEUR <> 0")},
        {Nom_Index_Ordre_Noms(), Creation_Index_Ordre_Noms()},
    };
}

bool Lettre_Identifiant(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// A statement as the engine reads it, whatever its layout: blanks outside quotes dropped
// but one between two words.
QString Sans_Mise_En_Page(const QString& sql) {
    QString texte;
    QChar guillemet;
    bool blanc = false;
    for (const QChar c : sql) {
        if (guillemet.isNull() && c.isSpace()) {
            blanc = true;
            continue;
        }
        if (blanc && !texte.isEmpty() && Lettre_Identifiant(texte.back()) && Lettre_Identifiant(c))
            texte += u' ';
        blanc = false;
        texte += c;
        if (c == u'\'' || c == u'"')
            guillemet = guillemet.isNull() ? c : (guillemet == c ? QChar() : guillemet);
    }
    return texte;
}

// The statement that made index `nom`, or Null when there is none.
platform::Value Creation_Actuelle(platform::Database& base, const QString& nom) {
    return base.queryValue(
        QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?"), {nom});
}

bool Conforme(const platform::Value& actuelle, const Index_Base& index) {
    return !actuelle.isNull() &&
           Sans_Mise_En_Page(actuelle.toText()) == Sans_Mise_En_Page(index.creation);
}

}  // namespace

std::vector<Index_Base> Index_A_Completer(platform::Database& base) {
    std::vector<Index_Base> manquants;
    for (Index_Base& index : Index_Du_Schema()) {
        if (!Conforme(Creation_Actuelle(base, index.nom), index))
            manquants.push_back(std::move(index));
    }
    return manquants;
}

bool Completer_Index(platform::Database& base, const std::function<void()>& pendant) {
    const std::vector<Index_Base> manquants = Index_A_Completer(base);
    if (manquants.empty())
        return true;
    const platform::Value attente = base.queryValue(QStringLiteral("PRAGMA busy_timeout"));
    base.execute(QStringLiteral("PRAGMA busy_timeout = 0"));
    std::optional<platform::Database::Transaction> fichier;
    try {
        fichier.emplace(base, platform::Database::Transaction::Lock::Exclusive);
    } catch (const Error& erreur) {
        base.execute(QStringLiteral("PRAGMA busy_timeout = %1").arg(attente.toInt64()));
        if (erreur.number() == platform::db_error::kLocked)
            return false;
        throw;
    }
    base.execute(QStringLiteral("PRAGMA busy_timeout = %1").arg(attente.toInt64()));
    const platform::Database::Watch veille(base, [&pendant] {
        pendant();
        return true;
    });
    for (const Index_Base& index : manquants) {
        base.execute(QStringLiteral("DROP INDEX IF EXISTS ") +
                     platform::quoteIdentifier(index.nom));
        base.execute(index.creation);
    }
    fichier->commit();
    return true;
}

bool Index_Ordre_Noms_Present(platform::Database& base) {
    const Index_Base index{Nom_Index_Ordre_Noms(), Creation_Index_Ordre_Noms()};
    return Conforme(Creation_Actuelle(base, index.nom), index);
}

}  // namespace corvanta
