#include "widgets/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/boite_erreur.h"

namespace corvanta {

void Afficher_Erreur(QWidget* parent, const Libelles& libelle, const Error& erreur, int form) {
    const Texte_Erreur texte = Composer_Erreur(libelle, erreur, form);
    QMessageBox boite(QMessageBox::NoIcon, texte.titre, texte.message, QMessageBox::Ok, parent);
    boite.exec();
}

void Message_Attention(QWidget* parent, const QString& titre, const QString& texte) {
    QMessageBox::warning(parent, titre, texte, QMessageBox::Ok);
}

void Message_Information(QWidget* parent, const QString& titre, const QString& texte) {
    QMessageBox::information(parent, titre, texte, QMessageBox::Ok);
}

void Message_Arret(QWidget* parent, const QString& titre, const QString& texte) {
    QMessageBox::critical(parent, titre, texte, QMessageBox::Ok);
}

bool Confirmer(QWidget* parent, const QString& titre, const QString& texte) {
    QMessageBox boite(QMessageBox::Warning, titre, texte, QMessageBox::Ok | QMessageBox::Cancel,
                      parent);
    boite.setDefaultButton(QMessageBox::Cancel);
    boite.setEscapeButton(QMessageBox::Cancel);
    const int reponse = boite.exec();
    return boite.clickedButton() != boite.button(QMessageBox::Cancel) &&
           reponse != QMessageBox::Cancel && reponse != QDialog::Rejected;
}

}  // namespace corvanta
