#include "main_window/message_erreur.h"

#include <QMessageBox>

#include "app/boite_erreur.h"

namespace corvanta {

void Afficher_Erreur(QWidget* parent, const Libelles& libelle, const Error& erreur, int form) {
    const Texte_Erreur texte = Composer_Erreur(libelle, erreur, form);
    QMessageBox::critical(parent, texte.titre, texte.message, QMessageBox::Ok);
}

void Message_Attention(QWidget* parent, const QString& titre, const QString& texte) {
    QMessageBox::warning(parent, titre, texte, QMessageBox::Ok);
}

}  // namespace corvanta
