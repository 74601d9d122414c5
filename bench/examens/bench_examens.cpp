// The sinus window on a large clinic database (100,000 patients, 500,000 curves,
// 100,000 exams, 20,000 of them maxillary-sinus exams): moving to the next exam and
// validating the exam shown. Target: under 20 ms each.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/etat_application.h"
#include "exams/examen_sinus.h"
#include "exams/fenetres_examen_corvanta.h"
#include "main_window/echo.h"
#include "platform/recordset.h"
#include "tests/support/application_test.h"
#include "tests/support/boites_messages.h"
#include "tests/support/dossier_travail.h"
#include "tools/make_big_database/big_database.h"

namespace {

using namespace corvanta;

// One started program with the sinus window open, shared by the benchmarks.
struct Programme {
    Programme() : dossier(false) {
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
        echo->Menu_Gestion_Examens->trigger();
        sinus = static_cast<Fenetres_Examen_Corvanta*>(echo->Fenetres_Examen_Chargees())
                    ->Chercher<Examen_Sinus>();
        QCoreApplication::processEvents();
    }
    test::Dossier_Travail dossier;
    test::Boites_Messages messages;
    Etat_Application etat;
    std::unique_ptr<Echo> echo;
    Examen_Sinus* sinus = nullptr;
};

Programme& Le_Programme() {
    static Programme programme;
    return programme;
}

void Examen_Suivant(benchmark::State& state) {
    Programme& p = Le_Programme();
    state.counters["exams"] = p.sinus->Nombre_Examens;
    for (auto _ : state) {
        if (p.etat.Table_Examens->absolutePosition() + 1 >= p.sinus->Nombre_Examens)
            p.sinus->Toolbar1_Boutons[2]->trigger();
        p.sinus->Toolbar1_Boutons[1]->trigger();
    }
}
BENCHMARK(Examen_Suivant)->Unit(benchmark::kMillisecond)->Iterations(200);

void Valider_Examen(benchmark::State& state) {
    Programme& p = Le_Programme();
    const std::size_t avant = p.messages.boites().size();  // the start-up's "no device"
    for (auto _ : state) {
        p.sinus->Toolbar1_Boutons[5]->trigger();
    }
    if (p.messages.boites().size() != avant) {
        const auto& boite = p.messages.boites().back();
        std::cerr << (boite.titre + QStringLiteral(": ") + boite.texte).toStdString() << '\n';
        state.SkipWithError("a message box was shown");
    }
}
BENCHMARK(Valider_Examen)->Unit(benchmark::kMillisecond)->Iterations(20);

// A new exam for the patient of the exam shown, validated: the requery and the insertion
// of its line.
void Valider_Nouvel_Examen(benchmark::State& state) {
    Programme& p = Le_Programme();
    Examen_Sinus& s = *p.sinus;
    const std::size_t avant = p.messages.boites().size();
    for (auto _ : state) {
        state.PauseTiming();
        const int patient = s.Combo_Nom_Patient->currentIndex();
        s.Toolbar1_Boutons[4]->trigger();
        s.Combo_Nom_Patient->setCurrentIndex(patient);
        s.Combo_Echogramme_Droit->setCurrentIndex(0);
        s.Combo_Echogramme_Gauche->setCurrentIndex(0);
        s.Texte_Examen_Compatible->setText(QStringLiteral("Contrôle"));
        state.ResumeTiming();
        s.Toolbar1_Boutons[5]->trigger();
    }
    if (p.messages.boites().size() != avant)
        state.SkipWithError("a message box was shown");
}
BENCHMARK(Valider_Nouvel_Examen)->Unit(benchmark::kMillisecond)->Iterations(20);

// Closing the window and opening it again: its set-up lists the 20,000 exams and the
// 100,000 patients.
void Ouvrir_Fenetre(benchmark::State& state) {
    Programme& p = Le_Programme();
    for (auto _ : state) {
        p.sinus->close();
        p.echo->Menu_Gestion_Examens->trigger();
    }
}
BENCHMARK(Ouvrir_Fenetre)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
