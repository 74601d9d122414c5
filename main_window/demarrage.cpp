#include "main_window/demarrage.h"

#include <QApplication>
#include <QFont>
#include <functional>
#include <iostream>

#include "app/boite_erreur.h"
#include "app/etat_application.h"
#include "main_window/echo.h"
#include "widgets/message_boxes.h"

namespace corvanta {

namespace {

// Shows what escapes an event handler instead of ending the program.
class Application_Corvanta : public QApplication {
  public:
    using QApplication::QApplication;

    std::function<void(const Error&)> rapporter;

    bool notify(QObject* destinataire, QEvent* evenement) override {
        try {
            return QApplication::notify(destinataire, evenement);
        } catch (const Error& erreur) {
            signaler(erreur);
        } catch (const std::exception& erreur) {
            signaler(Error(0, "Corvanta", erreur.what()));
        }
        return false;
    }

  private:
    void signaler(const Error& erreur) {
        std::cerr << "Corvanta: " << erreur.what() << '\n';
        // One box at a time: a failure repeated by a timer while the box is open is only
        // logged, never piled up on the screen.
        if (!rapporter || boite_ouverte_)
            return;
        boite_ouverte_ = true;
        rapporter(erreur);
        boite_ouverte_ = false;
    }

    bool boite_ouverte_ = false;
};

}  // namespace

int Lancer_Corvanta(int argc, char* argv[]) {
    Application_Corvanta application(argc, argv);
    application.setApplicationName(QStringLiteral("Corvanta"));
    application.setFont(QFont(QStringLiteral("Liberation Sans"), 8));

    Etat_Application etat;
    Echo echo(etat);
    try {
        echo.Form_Load();
    } catch (const Error& erreur) {
        std::cerr << "Corvanta cannot start: " << erreur.what() << '\n';
        showStop(nullptr, QStringLiteral("Corvanta"), Texte_Arret_Demarrage(etat.Libelle, erreur));
        return 1;
    }
    application.rapporter = [&](const Error& erreur) { showErrorBox(&echo, etat.Libelle, erreur); };
    echo.show();
    return application.exec();
}

}  // namespace corvanta
