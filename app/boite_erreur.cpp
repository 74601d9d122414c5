#include "app/boite_erreur.h"

namespace corvanta {

QString Nombre_Avec_Signe(long long valeur) {
    return valeur >= 0 ? QStringLiteral(" ") + QString::number(valeur) : QString::number(valeur);
}

Texte_Erreur Composer_Erreur(const Libelles& libelle, const Error& erreur, int form) {
    Texte_Erreur texte;
    texte.titre = libelle(form, 44);
    texte.message = libelle(form, 42) + QStringLiteral(" # ") + Nombre_Avec_Signe(erreur.number()) +
                    QStringLiteral(" ") + libelle(form, 43) + QStringLiteral(" ") +
                    QString::fromStdString(erreur.source()) + QStringLiteral("\n") +
                    QString::fromStdString(erreur.description());
    return texte;
}

}  // namespace corvanta
