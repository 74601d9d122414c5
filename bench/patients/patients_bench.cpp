#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "app/etat_application.h"
#include "app/lignes_patients.h"
#include "patients/patients.h"
#include "platform/database.h"
#include "platform/error.h"
#include "platform/recordset.h"
#include "tools/make_big_database/big_database.h"
#include "widgets/keyed_list.h"

namespace {

using corvanta::Patients;

double smallest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

QString bigDatabase;

// The window on the big database, as the main window leaves things at start-up.
struct Window {
    corvanta::Etat_Application etat;
    std::unique_ptr<Patients> patients;

    Window() {
        etat.Base_Donnees = std::make_unique<corvanta::platform::Database>(bigDatabase);
        etat.Table_Patients = etat.Base_Donnees->openRecordset(Patients::kRequete_Tous_Patients, {},
                                                               corvanta::Champs_Lignes_Patients());
        patients = std::make_unique<Patients>(etat);
    }
    ~Window() {
        patients.reset();
        etat.Table_Patients.reset();
        etat.Base_Donnees.reset();
    }
};

Window& window() {
    static Window w;
    return w;
}

// The search as the user runs it: criteria in the boxes, then the search (the result
// opened, listed and its first patient shown).
void Search(benchmark::State& state, const char* name, const char* town, const char* birth) {
    Patients& p = *window().patients;
    for (auto _ : state) {
        p.Effacer_Champs();
        p.Nom->setText(QString::fromUtf8(name));
        p.Ville->setText(QString::fromUtf8(town));
        p.Date_Naissance->setText(QString::fromUtf8(birth));
        p.Filtrer_Patients();
    }
    state.counters["found"] = p.Liste_Patients->count();
}
BENCHMARK_CAPTURE(Search, ByNamePrefix, "MART", "", "")
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", smallest);
BENCHMARK_CAPTURE(Search, ByNameAndTown, "B*", "L", "")
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", smallest);
BENCHMARK_CAPTURE(Search, ByBirthDate, "", "", ">=1/1/2000")
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", smallest);

// All patients reopened in name order, the list refilled and the first patient shown.
void ListFill(benchmark::State& state) {
    Patients& p = *window().patients;
    for (auto _ : state)
        p.Remplir_Liste_Patients();
    state.counters["lines"] = p.Liste_Patients->count();
}
BENCHMARK(ListFill)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", smallest);

// The window opened on the patients as they stand: the list filled from the names taken with
// the membership and the first patient shown, which is what the list costs the window itself
// (ListFill adds reading every patient again in name order).
void ListShown(benchmark::State& state) {
    Patients& p = *window().patients;
    for (auto _ : state)
        p.Form_Load();
    state.counters["lines"] = p.Liste_Patients->count();
}
BENCHMARK(ListShown)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", smallest);

}  // namespace

// --patients=N: on the large database of N patients instead of 100,000.
int patientsAsked(int& argc, char** argv) {
    int patients = corvanta::tools::BigDatabaseSize{}.patients;
    const std::string option = "--patients=";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind(option, 0) != 0)
            continue;
        patients = std::stoi(argument.substr(option.size()));
        std::copy(argv + i + 1, argv + argc, argv + i);
        --argc;
        break;
    }
    return patients;
}

int main(int argc, char** argv) {
    const int patients = patientsAsked(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.filePath("config").toLocal8Bit());
    QApplication application(argc, argv);
    try {
        bigDatabase = corvanta::tools::benchmarkDatabase(patients);
        window();
    } catch (const corvanta::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
