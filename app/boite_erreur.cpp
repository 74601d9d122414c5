#include "app/boite_erreur.h"

#include "platform/safe_file.h"

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

}  // namespace

QString Description_Erreur(const Libelles& libelle, const Error& erreur) {
    if (const auto* sortie = dynamic_cast<const platform::OutputError*>(&erreur))
        return Cause_Echec(libelle, *sortie);
    return QString::fromStdString(erreur.description());
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
