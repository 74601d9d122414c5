#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <vector>

namespace corvanta::test {

// Accepts every modal dialog the program opens while it lives (OK of a message box,
// whatever its default button) and keeps what each message box showed.
class Boites_Messages {
  public:
    struct Boite {
        QString titre;
        QString texte;
        QMessageBox::Icon icone = QMessageBox::NoIcon;
        QMessageBox::StandardButtons boutons{};
        QMessageBox::StandardButton defaut = QMessageBox::NoButton;  // what Return presses
    };

    Boites_Messages();
    const std::vector<Boite>& boites() const { return boites_; }

  private:
    void examiner();

    QTimer minuterie_;
    std::vector<Boite> boites_;
};

}  // namespace corvanta::test
