// The tumour window on the large clinic database (20,000 tumour exams): the next exam,
// validating the exam shown and a new one (bench_ouverture opens the window). Targets:
// under 1 ms for a step, under 20 ms for a validation.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "bench/examens/programme_examens.h"
#include "exams/examen_tumeur.h"
#include "platform/recordset.h"

namespace {

using namespace corvanta;

bench::Programme_Examens& Le_Programme() {
    static bench::Programme_Examens programme(&Echo::Menu_Tumeur);
    return programme;
}

void Tumeur_Examen_Suivant(benchmark::State& state) {
    bench::Programme_Examens& p = Le_Programme();
    Examen_Tumeur& t = p.fenetre<Examen_Tumeur>();
    state.counters["exams"] = t.Nombre_Examens;
    for (auto _ : state) {
        if (p.etat->Table_Examens->absolutePosition() + 1 >= t.Nombre_Examens)
            t.Toolbar1_Boutons[2]->trigger();
        t.Toolbar1_Boutons[1]->trigger();
    }
}
BENCHMARK(Tumeur_Examen_Suivant)->Unit(benchmark::kMillisecond)->Iterations(200);

// The exam shown, its findings changed and written back.
void Tumeur_Valider_Examen(benchmark::State& state) {
    bench::Programme_Examens& p = Le_Programme();
    Examen_Tumeur& t = p.fenetre<Examen_Tumeur>();
    const std::size_t avant = p.messages.boites.size();
    for (auto _ : state) {
        state.PauseTiming();
        t.Check_Tumeur_Heterogene->setChecked(!t.Check_Tumeur_Heterogene->isChecked());
        t.Texte_Imagerie_Autres->setText(QStringLiteral("IRM"));
        state.ResumeTiming();
        t.Toolbar1_Boutons[5]->trigger();
    }
    p.Sans_Message(state, avant);
}
BENCHMARK(Tumeur_Valider_Examen)->Unit(benchmark::kMillisecond)->Iterations(20);

// A new exam for the patient of the exam shown, validated: the requery and the insertion
// of its line.
void Tumeur_Valider_Nouvel_Examen(benchmark::State& state) {
    bench::Programme_Examens& p = Le_Programme();
    Examen_Tumeur& t = p.fenetre<Examen_Tumeur>();
    const std::size_t avant = p.messages.boites.size();
    for (auto _ : state) {
        state.PauseTiming();
        const int patient = t.Combo_Nom_Patient->currentIndex();
        t.Toolbar1_Boutons[4]->trigger();
        t.Combo_Nom_Patient->setCurrentIndex(patient);
        t.Combo_Echogramme->setCurrentIndex(0);
        t.Check_Douleur->setChecked(true);
        t.Texte_Examen_Compatible->setText(QStringLiteral("Contrôle"));
        state.ResumeTiming();
        t.Toolbar1_Boutons[5]->trigger();
    }
    p.Sans_Message(state, avant);
}
BENCHMARK(Tumeur_Valider_Nouvel_Examen)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
