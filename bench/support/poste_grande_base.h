#pragma once

#include <QFile>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/etat_application.h"
#include "main_window/echo.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"
#include "tests/support/message_boxes.h"
#include "tools/make_big_database/big_database.h"

namespace corvanta::bench {

// A started program without a device on a copy of the benchmarks' large database, for the
// benchmarks that drive its windows. Message boxes are answered; the start-up's own ("no
// device") is the first one kept.
struct Poste_Grande_Base {
    Poste_Grande_Base() : dossier(false) {
        test::Application();
        if (!QFile::copy(tools::benchmarkDatabase(), dossier.base())) {
            std::cerr << "cannot copy the large database\n";
            std::exit(1);
        }
        dossier.ecrire_reglage(QStringLiteral("PORTS"), QStringLiteral("COM1"),
                               dossier.fichier(QStringLiteral("aucun-appareil")));
        echo = std::make_unique<Echo>(etat);
        echo->Terminer = [](int) {};
        echo->Form_Load();
    }
    test::Dossier_Travail dossier;
    test::MessageBoxAnswerer messages{QMessageBox::Ok};
    Etat_Application etat;
    std::unique_ptr<Echo> echo;
};

}  // namespace corvanta::bench
