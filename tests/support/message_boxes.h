#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <optional>
#include <vector>

namespace corvanta::test {

// Answers every modal dialog the program opens while it lives and keeps what each message
// box showed. A message box gets the button of `reponse` when it has one, else its default
// button (what Return presses), else its first; any other dialog is accepted. A progress
// window is left alone: it closes when its work ends.
class MessageBoxAnswerer {
  public:
    struct Boite {
        QString titre;
        QString texte;
        QMessageBox::Icon icone = QMessageBox::NoIcon;
        QStringList boutons;  // the button texts, as laid out
        QMessageBox::StandardButtons boutons_standard{};
        QMessageBox::StandardButton defaut = QMessageBox::NoButton;  // what Return presses
    };

    explicit MessageBoxAnswerer(std::optional<QMessageBox::StandardButton> reponse = {});
    std::vector<Boite> boites;
    std::optional<QMessageBox::StandardButton> reponse;

  private:
    void repondre();

    QTimer minuterie_;
};

}  // namespace corvanta::test
