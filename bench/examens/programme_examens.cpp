#include "bench/examens/programme_examens.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdlib>
#include <iostream>

#include "tests/support/application_test.h"
#include "tools/make_big_database/big_database.h"

namespace corvanta::bench {

Programme_Examens::Programme_Examens(QAction* Echo::*menu) : dossier(false) {
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
    Installer_Fenetres_Examen();
    (echo.get()->*menu)->trigger();
    echo->Menu_Gestion_Examens->trigger();
    QCoreApplication::processEvents();
}

void Programme_Examens::Sans_Message(benchmark::State& state, std::size_t avant) const {
    if (messages.boites().size() == avant)
        return;
    const auto& boite = messages.boites().back();
    std::cerr << (boite.titre + QStringLiteral(": ") + boite.texte).toStdString() << '\n';
    state.SkipWithError("a message box was shown");
}

}  // namespace corvanta::bench
