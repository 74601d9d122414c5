#include "tests/support/boites_messages.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

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
        boites_.push_back({message->windowTitle(), message->text()});
    }
    dialogue->accept();
}

}  // namespace corvanta::test
