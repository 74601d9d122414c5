#include "tests/support/message_boxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QProgressDialog>
#include <QPushButton>

#include "tests/support/application_test.h"

namespace corvanta::test {

MessageBoxAnswerer::MessageBoxAnswerer(std::optional<QMessageBox::StandardButton> reponse)
    : reponse(reponse) {
    Application();
    minuterie_.setInterval(2);
    QObject::connect(&minuterie_, &QTimer::timeout, [this] { repondre(); });
    minuterie_.start();
}

void MessageBoxAnswerer::repondre() {
    auto* dialogue = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialogue == nullptr || qobject_cast<QProgressDialog*>(dialogue) != nullptr)
        return;
    auto* message = qobject_cast<QMessageBox*>(dialogue);
    if (message == nullptr) {
        dialogue->accept();
        return;
    }
    QStringList textes;
    for (const QAbstractButton* bouton : message->buttons())
        textes << bouton->text();
    const QMessageBox::StandardButton defaut =
        message->defaultButton() != nullptr ? message->standardButton(message->defaultButton())
                                            : QMessageBox::NoButton;
    boites.push_back({message->windowTitle(), message->text(), message->icon(), textes,
                      message->standardButtons(), defaut});
    QAbstractButton* bouton = reponse ? message->button(*reponse)
                                      : static_cast<QAbstractButton*>(message->defaultButton());
    if (bouton == nullptr && !message->buttons().isEmpty())
        bouton = message->buttons().first();
    if (bouton != nullptr)
        bouton->click();
    else
        message->accept();
}

}  // namespace corvanta::test
