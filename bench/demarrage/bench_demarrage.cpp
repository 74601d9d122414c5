// Start-up time to a shown main window on a large clinic database
// (100,000 patients, 500,000 curves, 100,000 exams).
#include <benchmark/benchmark.h>
#include <pty.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "app/etat_application.h"
#include "main_window/echo.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"
#include "tests/support/message_boxes.h"
#include "tools/make_big_database/big_database.h"

namespace {

void Demarrage(benchmark::State& state) {
    using namespace corvanta;
    test::Application();
    const QString source = tools::benchmarkDatabase();
    test::Dossier_Travail dossier(false);
    if (!QFile::copy(source, dossier.base())) {
        state.SkipWithError("cannot copy the large database");
        return;
    }
    // A device on port 1 (a pseudo-terminal nobody answers), as at the workstation.
    int maitre = -1;
    int esclave = -1;
    char nom[128] = {};
    if (openpty(&maitre, &esclave, nom, nullptr, nullptr) != 0) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    dossier.ecrire_reglage(QStringLiteral("PORTS"), QStringLiteral("COM1"),
                           QString::fromLocal8Bit(nom));
    test::MessageBoxAnswerer messages{QMessageBox::Ok};
    for (auto _ : state) {
        Etat_Application etat;
        Echo echo(etat);
        echo.Terminer = [](int) {};
        echo.Form_Load();
        echo.show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        echo.Fermer_Application();
        state.ResumeTiming();
    }
    close(esclave);
    close(maitre);
}
BENCHMARK(Demarrage)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
