// The sinus window on a large clinic database (100,000 patients, 500,000 curves,
// 100,000 exams, 20,000 of them maxillary-sinus exams): moving to the next exam and
// validating the exam shown or a new one (bench_ouverture opens the window). Targets:
// under 1 ms for a step, under 20 ms for a validation.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

#include "bench/examens/programme_examens.h"
#include "exams/examen_sinus.h"
#include "platform/recordset.h"

namespace {

using namespace corvanta;

struct Programme : bench::Programme_Examens {
    Programme()
        : Programme_Examens(&Echo::Menu_Sinus_Maxillaires), sinus(&fenetre<Examen_Sinus>()) {}
    Examen_Sinus* sinus;
};

Programme& Le_Programme() {
    static Programme programme;
    return programme;
}

void Examen_Suivant(benchmark::State& state) {
    Programme& p = Le_Programme();
    state.counters["exams"] = p.sinus->Nombre_Examens;
    for (auto _ : state) {
        if (p.etat->Table_Examens->absolutePosition() + 1 >= p.sinus->Nombre_Examens)
            p.sinus->Toolbar1_Boutons[2]->trigger();
        p.sinus->Toolbar1_Boutons[1]->trigger();
    }
}
BENCHMARK(Examen_Suivant)->Unit(benchmark::kMillisecond)->Iterations(200);

void Valider_Examen(benchmark::State& state) {
    Programme& p = Le_Programme();
    const std::size_t avant = p.messages.boites.size();  // the start-up's "no device"
    for (auto _ : state) {
        p.sinus->Toolbar1_Boutons[5]->trigger();
    }
    p.Sans_Message(state, avant);
}
BENCHMARK(Valider_Examen)->Unit(benchmark::kMillisecond)->Iterations(20);

// A new exam for the patient of the exam shown, validated: the requery and the insertion
// of its line.
void Valider_Nouvel_Examen(benchmark::State& state) {
    Programme& p = Le_Programme();
    Examen_Sinus& s = *p.sinus;
    const std::size_t avant = p.messages.boites.size();
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
    p.Sans_Message(state, avant);
}
BENCHMARK(Valider_Nouvel_Examen)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
