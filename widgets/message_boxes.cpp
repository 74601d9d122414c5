#include "widgets/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/boite_erreur.h"

namespace corvanta {

void showErrorBox(QWidget* parent, const Libelles& texts, const Error& error, int form) {
    const Texte_Erreur message = Composer_Erreur(texts, error, form);
    QMessageBox box(QMessageBox::NoIcon, message.titre, message.message, QMessageBox::Ok, parent);
    box.exec();
}

void showWarning(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

void showInformation(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void showStop(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::critical(parent, title, text, QMessageBox::Ok);
}

bool confirm(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    return box.clickedButton() != box.button(QMessageBox::Cancel) &&
           answer != QMessageBox::Cancel && answer != QDialog::Rejected;
}

}  // namespace corvanta
