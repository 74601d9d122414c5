#include "tests/support/boites_messages.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include "tests/support/application_test.h"

namespace corvanta::test {

Boites_Messages::Boites_Messages() {
    Application();
    minuterie_.setInterval(5);
    QObject::connect(&minuterie_, &QTimer::timeout, [this] { examiner(); });
    minuterie_.start();
}

void Boites_Messages::examiner() {
    auto* dialogue = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialogue == nullptr)
        return;
    if (auto* message = qobject_cast<QMessageBox*>(dialogue)) {
        QMessageBox::StandardButton defaut = QMessageBox::NoButton;
        if (message->defaultButton() != nullptr)
            defaut = message->standardButton(message->defaultButton());
        boites_.push_back({message->windowTitle(), message->text(), message->icon(),
                           message->standardButtons(), defaut});
    }
    dialogue->accept();
}

}  // namespace corvanta::test
