// The pleura window on the large clinic database (20,000 pleura exams): the next exam,
// validating the exam shown and a new one (bench_ouverture opens the window). Targets:
// under 1 ms for a step, under 20 ms for a validation.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "bench/examens/programme_examens.h"
#include "exams/examen_plevre.h"
#include "platform/recordset.h"

namespace {

using namespace corvanta;

bench::Programme_Examens& Le_Programme() {
    static bench::Programme_Examens programme(&Echo::Menu_Plevre);
    return programme;
}

void Plevre_Examen_Suivant(benchmark::State& state) {
    bench::Programme_Examens& p = Le_Programme();
    Examen_Plevre& w = p.fenetre<Examen_Plevre>();
    state.counters["exams"] = w.Nombre_Examens;
    for (auto _ : state) {
        if (p.etat->Table_Examens->absolutePosition() + 1 >= w.Nombre_Examens)
            w.Toolbar1_Boutons[2]->trigger();
        w.Toolbar1_Boutons[1]->trigger();
    }
}
BENCHMARK(Plevre_Examen_Suivant)->Unit(benchmark::kMillisecond)->Iterations(200);

// The exam shown, its findings changed and written back.
void Plevre_Valider_Examen(benchmark::State& state) {
    bench::Programme_Examens& p = Le_Programme();
    Examen_Plevre& w = p.fenetre<Examen_Plevre>();
    const std::size_t avant = p.messages.boites.size();
    for (auto _ : state) {
        state.PauseTiming();
        w.Check_Droit_Occupe->setChecked(!w.Check_Droit_Occupe->isChecked());
        w.Option_Corpulence[1]->setChecked(true);
        state.ResumeTiming();
        w.Toolbar1_Boutons[5]->trigger();
    }
    p.Sans_Message(state, avant);
}
BENCHMARK(Plevre_Valider_Examen)->Unit(benchmark::kMillisecond)->Iterations(20);

// A new exam for the patient of the exam shown, validated: the requery and the insertion
// of its line.
void Plevre_Valider_Nouvel_Examen(benchmark::State& state) {
    bench::Programme_Examens& p = Le_Programme();
    Examen_Plevre& w = p.fenetre<Examen_Plevre>();
    const std::size_t avant = p.messages.boites.size();
    for (auto _ : state) {
        state.PauseTiming();
        const int patient = w.Combo_Nom_Patient->currentIndex();
        w.Toolbar1_Boutons[4]->trigger();
        w.Combo_Nom_Patient->setCurrentIndex(patient);
        w.Combo_Echogramme_Droit->setCurrentIndex(0);
        w.Combo_Echogramme_Gauche->setCurrentIndex(0);
        w.Option_Position[2]->setChecked(true);
        w.Texte_Autre_Position->setText(QStringLiteral("Penché en avant"));
        w.Texte_Examen_Compatible->setText(QStringLiteral("Contrôle"));
        state.ResumeTiming();
        w.Toolbar1_Boutons[5]->trigger();
    }
    p.Sans_Message(state, avant);
}
BENCHMARK(Plevre_Valider_Nouvel_Examen)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
