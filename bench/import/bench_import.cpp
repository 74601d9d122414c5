// Importing a file of 10,000 patients, 50,000 curves and 10,000 exams into the large clinic
// database (100,000 / 500,000 / 100,000) from the main window: the rows appended, the
// recordsets requeried and the patient list filled again. Every key of the file is taken
// by another row there. Then the same file again, which adds nothing. Target: under 5 s
// each. Last, a file of a million patients alone (the first keys clashing), for the record.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QPushButton>

#include "bench/support/large_database_workstation.h"
#include "platform/database.h"
#include "tools/make_big_database/big_database.h"

namespace {

using namespace corvanta;

struct Programme : bench::LargeDatabaseWorkstation {
    Programme() {
        autre = dossier.fichier(QStringLiteral("Sinus-cabinet-voisin.mdb"));
        tools::BigDatabaseSize taille;
        taille.patients = 10000;
        taille.seed = 0x5DEECE66DULL;
        tools::makeBigDatabase(tools::builtDatabase(), autre, taille);
        echo->Choisir_Fichier_Import = [this](const QString&) { return autre; };
        au_demarrage = messages.boites.size();
    }
    std::int64_t lignes() {
        return etat->Base_Donnees
            ->queryValue(QStringLiteral("SELECT (SELECT count(*) FROM Patients) + (SELECT "
                                        "count(*) FROM Courbes) + (SELECT count(*) FROM Examens)"))
            .toInt64();
    }
    QString autre;
    std::size_t au_demarrage = 0;
};

Programme& Le_Programme() {
    static Programme programme;
    return programme;
}

void Importer(benchmark::State& state, std::int64_t attendues) {
    Programme& p = Le_Programme();
    const std::int64_t avant = p.lignes();
    for (auto _ : state)
        p.echo->Bouton_Import->click();
    state.counters["rows_added"] = static_cast<double>(p.lignes() - avant);
    state.counters["patients_listed"] = p.echo->Liste_Nom->count();
    // One message: the summary.
    const auto& boites = p.messages.boites;
    if (boites.size() != p.au_demarrage + 1 ||
        !boites.back().texte.startsWith(p.etat->Libelle(1, 113)))
        state.SkipWithError("no summary, or another message box was shown");
    else if (p.lignes() - avant != attendues)
        state.SkipWithError("unexpected number of rows added");
    p.au_demarrage = boites.size();
}

void Import_Nouveau(benchmark::State& state) {
    Importer(state, 10000 + 50000 + 10000);
}
BENCHMARK(Import_Nouveau)->Unit(benchmark::kMillisecond)->Iterations(1);

void Import_Encore(benchmark::State& state) {
    Importer(state, 0);
}
BENCHMARK(Import_Encore)->Unit(benchmark::kMillisecond)->Iterations(1);

void Import_Million_De_Patients(benchmark::State& state) {
    Programme& p = Le_Programme();
    p.autre = p.dossier.fichier(QStringLiteral("Sinus-million.mdb"));
    QFile::copy(tools::builtDatabase(), p.autre);
    QFile::setPermissions(p.autre, QFile::ReadOwner | QFile::WriteOwner);
    platform::Database(p.autre).execute(QStringLiteral(
        "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 1000000) "
        "INSERT INTO Patients (Code_Patient, Nom_Patient, Prenom_Patient, "
        "Date_Naissance_Patient) SELECT k, 'NOM' || k, 'Prénom', '01/01/1950' FROM n"));
    Importer(state, 1000000);
}
BENCHMARK(Import_Million_De_Patients)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
