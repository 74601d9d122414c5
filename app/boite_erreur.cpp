#include "app/boite_erreur.h"

#include <QDir>

#include "platform/database_error.h"
#include "platform/safe_file.h"
#include "platform/settings_store.h"
#include "platform/sqlite_statement.h"

namespace corvanta {

namespace {

using platform::OutputFailure;

// The interface texts (form 4) that say why an output failed.
constexpr int kFichier_Non_Ecrit = 120;
constexpr int kImpression_Non_Aboutie = 121;
constexpr int kSans_Dossier = 122;
constexpr int kPremiere_Cause = 123;  // BadName, then the causes in their order up to 131
constexpr int kPresse_Papiers = 132;
constexpr int kAncien_Fichier_Garde = 133;
constexpr int kAucun_Fichier_Ecrit = 170;

QString Cause_Echec(const Libelles& libelle, const platform::OutputError& erreur) {
    const OutputFailure cause = erreur.cause();
    const QString nom = erreur.path();
    switch (cause) {
        case OutputFailure::NoFolder:
            return libelle(4, kSans_Dossier);
        case OutputFailure::Clipboard:
            return libelle(4, kPresse_Papiers);
        case OutputFailure::PrinterStart:
        case OutputFailure::PrinterStopped:
            return libelle(4, kImpression_Non_Aboutie).arg(nom) + u' ' +
                   libelle(4, kPremiere_Cause + static_cast<int>(cause) -
                                  static_cast<int>(OutputFailure::BadName));
        default:
            break;
    }
    QString texte = libelle(4, kFichier_Non_Ecrit).arg(nom) + u' ' +
                    libelle(4, kPremiere_Cause + static_cast<int>(cause) -
                                   static_cast<int>(OutputFailure::BadName));
    // The system's words, in whatever language it speaks, only where ours say nothing more.
    if (cause == OutputFailure::WriteFailed && !erreur.engineText().empty())
        texte += QStringLiteral(" (") + QString::fromStdString(erreur.engineText()) + u')';
    return texte + u'\n' +
           libelle(4, erreur.olderFileKept() ? kAncien_Fichier_Garde : kAucun_Fichier_Ecrit);
}

using platform::DatabaseFailure;

// The interface texts (form 1) that say what happened to a database file and what to do.
constexpr int kPremiere_Panne_Base = 150;  // DatabaseFailure::Busy, then the others in order
constexpr int kTable_Absente = 159;
constexpr int kVue_Absente = 160;
constexpr int kColonne_Absente = 161;
constexpr int kAutre_Fichier_Ouvert = 162;
constexpr int kFiche_Supprimee = 163;
constexpr int kArret_Demarrage = 164;
constexpr int kReglages_Non_Gardes = 166;
constexpr int kReglages_Non_Ecrits = 167;
static_assert(kPremiere_Panne_Base + static_cast<int>(DatabaseFailure::Incomplete) == 158);

constexpr int kManquants_Nommes = 8;  // a file from elsewhere may lack everything

QString Manquants(const Libelles& libelle, const std::vector<platform::MissingObject>& manquants) {
    QStringList noms;
    for (const platform::MissingObject& m : manquants) {
        if (noms.size() == kManquants_Nommes) {
            noms << QStringLiteral("…");
            break;
        }
        noms << (!m.column.isEmpty() ? libelle(1, kColonne_Absente).arg(m.object, m.column)
                 : m.view            ? libelle(1, kVue_Absente).arg(m.object)
                                     : libelle(1, kTable_Absente).arg(m.object));
    }
    return noms.join(QStringLiteral(", "));
}

QString Panne_Base(const Libelles& libelle, const platform::DatabaseError& erreur) {
    const QStringList& fichiers = erreur.files();
    const DatabaseFailure panne = erreur.failure();
    QString texte =
        panne == DatabaseFailure::Incomplete
            ? libelle(1, kPremiere_Panne_Base + static_cast<int>(panne))
                  .arg(fichiers.value(0), Manquants(libelle, erreur.missing()))
            : libelle(1, kPremiere_Panne_Base + static_cast<int>(panne)).arg(fichiers.value(0));
    // The engine does not say which of the files open together failed.
    if (fichiers.size() > 1 &&
        (panne == DatabaseFailure::Busy || panne == DatabaseFailure::Damaged ||
         panne == DatabaseFailure::Unreachable)) {
        texte += u'\n' + libelle(1, kAutre_Fichier_Ouvert).arg(fichiers.mid(1).join(u", "));
    }
    if (!erreur.engineText().empty())
        texte += QStringLiteral("\n(") + QString::fromStdString(erreur.engineText()) + u')';
    return texte;
}

}  // namespace

QString Description_Erreur(const Libelles& libelle, const Error& erreur) {
    if (const auto* sortie = dynamic_cast<const platform::OutputError*>(&erreur))
        return Cause_Echec(libelle, *sortie);
    if (const auto* base = dynamic_cast<const platform::DatabaseError*>(&erreur))
        return Panne_Base(libelle, *base);
    if (const auto* reglages = dynamic_cast<const platform::SettingsError*>(&erreur)) {
        return libelle(1, reglages->notSettings() ? kReglages_Non_Gardes : kReglages_Non_Ecrits)
            .arg(QDir::toNativeSeparators(reglages->path()));
    }
    if (erreur.number() == platform::db_error::kRecordDeleted)
        return libelle(1, kFiche_Supprimee);
    return QString::fromStdString(erreur.description());
}

QString Texte_Arret_Demarrage(const Libelles& libelle, const Error& erreur) {
    return libelle(1, kArret_Demarrage) + QStringLiteral("\n\n") +
           Description_Erreur(libelle, erreur);
}

QString Nombre_Avec_Signe(long long valeur) {
    return valeur >= 0 ? QStringLiteral(" ") + QString::number(valeur) : QString::number(valeur);
}

Texte_Erreur Composer_Erreur(const Libelles& libelle, const Error& erreur, int form) {
    Texte_Erreur texte;
    texte.titre = libelle(form, 44);
    texte.message = libelle(form, 42) + QStringLiteral(" # ") + Nombre_Avec_Signe(erreur.number()) +
                    QStringLiteral(" ") + libelle(form, 43) + QStringLiteral(" ") +
                    QString::fromStdString(erreur.source()) + QStringLiteral("\n") +
                    Description_Erreur(libelle, erreur);
    return texte;
}

}  // namespace corvanta
