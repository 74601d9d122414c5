#pragma once

#include <memory>

#include "app/etat_application.h"
#include "main_window/echo.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"
#include "tests/support/message_boxes.h"

namespace corvanta::test {

// The program as a test drives it: a working folder, the application state and the main
// window, with message boxes answered and the process's end recorded instead of done.
struct Poste {
    explicit Poste(bool avec_base = true) : dossier(avec_base) {
        Application();
        // No device unless the test names one: port 1 is a file that does not exist.
        dossier.ecrire_reglage(QStringLiteral("PORTS"), QStringLiteral("COM1"),
                               dossier.fichier(QStringLiteral("aucun-appareil")));
    }

    // Builds the state and the window now, so that settings written by the test before
    // are those the start-up reads.
    Echo& fenetre() {
        if (!echo) {
            etat = std::make_unique<Etat_Application>();
            echo = std::make_unique<Echo>(*etat);
            echo->Terminer = [this](int code) { fin = code; };
        }
        return *echo;
    }

    Dossier_Travail dossier;
    MessageBoxAnswerer messages{QMessageBox::Ok};
    std::unique_ptr<Etat_Application> etat;
    std::unique_ptr<Echo> echo;
    int fin = -1;
};

}  // namespace corvanta::test
