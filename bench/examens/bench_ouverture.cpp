// Opening each exam window on the large clinic database (100,000 patients, 20,000 exams of
// the window's type), with the usual few dozen names and with realistic ones (tens of
// thousands of distinct surnames): the set-up lists the exams and every patient, then the
// window is shown. Target: under 150 ms. One opening a repetition; min and median.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QCoreApplication>
#include <QListWidget>
#include <algorithm>
#include <memory>

#include "bench/examens/programme_examens.h"
#include "exams/examen_plevre.h"
#include "exams/examen_tumeur.h"

namespace {

using namespace corvanta;

// One program at a time: the one of the names asked for.
bench::Programme_Examens& Le_Programme(bool noms_realistes) {
    static std::unique_ptr<bench::Programme_Examens> programme;
    static bool realistes = false;
    if (!programme || realistes != noms_realistes) {
        programme.reset();
        programme = std::make_unique<bench::Programme_Examens>(&Echo::Menu_Sinus_Maxillaires,
                                                               noms_realistes);
        realistes = noms_realistes;
    }
    return *programme;
}

template <class F>
void Ouvrir(benchmark::State& state, QAction* Echo::*menu, bool noms_realistes) {
    bench::Programme_Examens& p = Le_Programme(noms_realistes);
    const std::size_t avant = p.messages.boites.size();
    for (auto _ : state) {
        state.PauseTiming();
        p.Fermer_Fenetre(menu);
        state.ResumeTiming();
        p.echo->Menu_Gestion_Examens->trigger();
        QCoreApplication::processEvents();
    }
    state.counters["exams"] = p.fenetre<F>().Nombre_Examens;
    state.counters["patients"] = p.fenetre<F>().Combo_Nom_Patient->count();
    p.Sans_Message(state, avant);
}

double Plus_Court(const std::vector<double>& temps) {
    return *std::min_element(temps.begin(), temps.end());
}

void Reglages(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", Plus_Court);
}

using Ouverture = void (*)(benchmark::State&, QAction* Echo::*, bool);
const Ouverture Ouvrir_Sinus = Ouvrir<Examen_Sinus>;
const Ouverture Ouvrir_Plevre = Ouvrir<Examen_Plevre>;
const Ouverture Ouvrir_Tumeur = Ouvrir<Examen_Tumeur>;

BENCHMARK_CAPTURE(Ouvrir_Sinus, Noms_Usuels, &Echo::Menu_Sinus_Maxillaires, false)->Apply(Reglages);
BENCHMARK_CAPTURE(Ouvrir_Plevre, Noms_Usuels, &Echo::Menu_Plevre, false)->Apply(Reglages);
BENCHMARK_CAPTURE(Ouvrir_Tumeur, Noms_Usuels, &Echo::Menu_Tumeur, false)->Apply(Reglages);
BENCHMARK_CAPTURE(Ouvrir_Sinus, Noms_Realistes, &Echo::Menu_Sinus_Maxillaires, true)
    ->Apply(Reglages);
BENCHMARK_CAPTURE(Ouvrir_Plevre, Noms_Realistes, &Echo::Menu_Plevre, true)->Apply(Reglages);
BENCHMARK_CAPTURE(Ouvrir_Tumeur, Noms_Realistes, &Echo::Menu_Tumeur, true)->Apply(Reglages);

}  // namespace

BENCHMARK_MAIN();
