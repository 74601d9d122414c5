#pragma once

#include <QString>
#include <QTimer>
#include <vector>

namespace corvanta::test {

// Answers every modal dialog the program opens while it lives, as a user pressing the
// default button would, and keeps the title and text of each message box.
class Boites_Messages {
  public:
    struct Boite {
        QString titre;
        QString texte;
    };

    Boites_Messages();
    const std::vector<Boite>& boites() const { return boites_; }

  private:
    void examiner();

    QTimer minuterie_;
    std::vector<Boite> boites_;
};

}  // namespace corvanta::test
