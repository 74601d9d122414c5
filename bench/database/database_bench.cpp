#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "app/requetes.h"
#include "app/structure_base.h"
#include "platform/database.h"
#include "platform/error.h"
#include "platform/recordset.h"
#include "tools/make_big_database/big_database.h"

namespace {

using corvanta::platform::Database;
using corvanta::platform::Recordset;

QString bigDatabase;
const QString kPatients = corvanta::Requete_Patients();
const QString kExams = corvanta::Requete_Examens(0);

Database& database() {
    static Database db(bigDatabase);
    return db;
}

// Start-up: the connection, the patients ordered by name and the exams of one type.
void StartUp(benchmark::State& state) {
    for (auto _ : state) {
        Database db(bigDatabase);
        auto patients = db.openRecordset(kPatients);
        auto exams = db.openRecordset(kExams);
        benchmark::DoNotOptimize(patients->field("Nom_Patient"));
        benchmark::DoNotOptimize(exams->field("Courbes_Droites.Courbe"));
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond);

// The start-up's check that the file has every table, view and column the program uses.
void StructureCheck(benchmark::State& state) {
    for (auto _ : state)
        corvanta::Verifier_Structure_Base(database());
}
BENCHMARK(StructureCheck)->Unit(benchmark::kMicrosecond);

void OpenPatientsByName(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(database().openRecordset(kPatients));
}
BENCHMARK(OpenPatientsByName)->Unit(benchmark::kMillisecond);

// The patient list fill: every name, first to last.
void MoveThroughPatients(benchmark::State& state) {
    auto patients = database().openRecordset(kPatients);
    for (auto _ : state) {
        for (patients->moveFirst(); !patients->eof(); patients->moveNext()) {
            benchmark::DoNotOptimize(patients->field("Nom_Patient").toText() + ' ' +
                                     patients->field("Prenom_Patient").toText());
        }
    }
    state.SetItemsProcessed(state.iterations() * patients->recordCount());
}
BENCHMARK(MoveThroughPatients)->Unit(benchmark::kMillisecond);

// The same walk in one read transaction: the file is locked once, not at each step.
void MoveThroughPatientsInOneTransaction(benchmark::State& state) {
    auto patients = database().openRecordset(kPatients);
    for (auto _ : state) {
        Database::Transaction reading(database());
        for (patients->moveFirst(); !patients->eof(); patients->moveNext()) {
            benchmark::DoNotOptimize(patients->field("Nom_Patient").toText() + ' ' +
                                     patients->field("Prenom_Patient").toText());
        }
        reading.commit();
    }
    state.SetItemsProcessed(state.iterations() * patients->recordCount());
}
BENCHMARK(MoveThroughPatientsInOneTransaction)->Unit(benchmark::kMillisecond);

// A step to the next patient and the first field read after it, walking the list: 31
// steps in 32 find their row among those read ahead, so this is mostly what a step within
// the rows read ahead costs, the look at another connection's commits included.
void StepWithinReadAhead(benchmark::State& state) {
    auto patients = database().openRecordset(kPatients);
    patients->moveFirst();
    for (auto _ : state) {
        patients->moveNext();
        if (patients->eof())
            patients->moveFirst();
        benchmark::DoNotOptimize(patients->field("Nom_Patient"));
    }
}
BENCHMARK(StepWithinReadAhead)->Unit(benchmark::kMicrosecond);

void FindPatientByDisplayName(benchmark::State& state) {
    auto patients = database().openRecordset(kPatients);
    patients->moveLast();
    const QString name =
        patients->field("Nom_Patient").toText() + ' ' + patients->field("Prenom_Patient").toText();
    for (auto _ : state) {
        patients->findFirst("Nom_Patient || ' ' || Prenom_Patient = ?", {name});
    }
}
BENCHMARK(FindPatientByDisplayName)->Unit(benchmark::kMillisecond);

// A search of the patient window: surname pattern and birth-date comparison.
void PatientSearch(benchmark::State& state) {
    for (auto _ : state) {
        auto found = database().openRecordset(
            "SELECT * FROM Patients WHERE WILDCARD_MATCH(Nom_Patient, ?) AND "
            "CDATE(Date_Naissance_Patient) >= CDATE(?)",
            {"DU*", "15/03/60"});
        found->moveLast();
        benchmark::DoNotOptimize(found->recordCount());
    }
}
BENCHMARK(PatientSearch)->Unit(benchmark::kMillisecond);

void PatientCurvesOfType(benchmark::State& state) {
    std::int64_t patient = 1;
    for (auto _ : state) {
        auto curves = database().openRecordset(
            "SELECT * FROM Courbes WHERE Code_Type = ? And Code_Patient = ? ORDER BY ID DESC",
            {0, patient});
        patient = patient % 100000 + 7919;
        benchmark::DoNotOptimize(curves->recordCount());
    }
}
BENCHMARK(PatientCurvesOfType)->Unit(benchmark::kMicrosecond);

// An exam shown: every field of a row of the exams query.
void ReadExamRow(benchmark::State& state) {
    auto exams = database().openRecordset(kExams);
    std::int32_t position = 0;
    for (auto _ : state) {
        exams->setAbsolutePosition(position);
        for (int i = 0; i < exams->fieldCount(); ++i)
            benchmark::DoNotOptimize(exams->field(i));
        position = (position + 997) % exams->recordCount();
    }
}
BENCHMARK(ReadExamRow)->Unit(benchmark::kMicrosecond);

void RequeryExams(benchmark::State& state) {
    auto exams = database().openRecordset(kExams);
    for (auto _ : state)
        exams->requery();
}
BENCHMARK(RequeryExams)->Unit(benchmark::kMillisecond);

// An exam validated: edit, the columns of the sinus window, the curve labels, update.
void ValidateExam(benchmark::State& state) {
    auto exams = database().openRecordset(kExams);
    for (auto _ : state) {
        exams->edit();
        exams->setField(1, exams->field(1));
        for (int i = 2; i < 45; ++i)
            exams->setField(i, exams->field(i));
        exams->setField("Courbes_Droites.DATE", exams->field("Courbes_Droites.DATE"));
        exams->setField("Courbes_Gauches.DATE", exams->field("Courbes_Gauches.DATE"));
        exams->update();
        exams->requery();
    }
}
BENCHMARK(ValidateExam)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    try {
        bigDatabase = corvanta::tools::benchmarkDatabase();
    } catch (const corvanta::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
