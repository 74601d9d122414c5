// One exam report with every block filled. Targets: under 5 ms on the recording page,
// under 500 ms to a PDF.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "report_print/print_exam_report.h"
#include "report_print/printer_page.h"
#include "tests/report_print/report_fixture.h"
#include "tests/support/application_test.h"
#include "tools/device_simulator/echo_curve.h"

namespace {

using namespace corvanta;

// A sinus exam with both curves, their comments and every finding ticked.
struct FullReport : test::ReportCase {
    FullReport() {
        for (const char* curve : {"Courbes_Droites", "Courbes_Gauches"}) {
            const auto samples = simulator::EchoCurve(7).next(400);
            const QString name = QString::fromLatin1(curve);
            input.row.set(name + ".Courbe",
                          QByteArray(reinterpret_cast<const char*>(samples.data()), 400));
            input.row.set(name + ".DATE", "12/03/2024 10:02");
            input.row.set(name + ".Commentaire_Courbe", "Echo de paroi\r\na 12 mm");
        }
        for (const char* flag :
             {"Origine_Examen_Douleur", "Origine_Examen_Obstruction", "Origine_Examen_Fievre",
              "Imagerie_Face_Standard", "Imagerie_Scanner", "Echogramme_Droit_Occupe",
              "Echogramme_Gauche_Normal", "Decision_Scanner", "Decision_Traitement_Medical"}) {
            input.row.set(flag, 1);
        }
        input.row.set("Nom_Patient", "Durand");
        input.row.set("Prenom_Patient", "Marie");
        input.row.set("Num_Examen", "3");
        // The widest conclusion the window takes, on four lines.
        input.row.set("Examen_Compatible", QString(199, u'W'));
        input.filter = test::libraryFilter();
    }
};

void BM_ReportOnTheRecordingPage(benchmark::State& state) {
    const FullReport report;
    for (auto _ : state) {
        platform::RecordingPage page(QSizeF(200, 287));
        report::Imprimer_Compte_Rendu(page, report.input,
                                      report::printedReport(report::ReportWindow::Sinus));
        benchmark::DoNotOptimize(page.entries().size());
    }
}
BENCHMARK(BM_ReportOnTheRecordingPage)->Unit(benchmark::kMillisecond);

void BM_ReportToAPdf(benchmark::State& state) {
    const FullReport report;
    QTemporaryDir folder;
    report::replacePrinterFactory(report::openPdfDocument);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            report::printExamReport(report.input, report::ReportWindow::Sinus, folder.path()));
    }
}
BENCHMARK(BM_ReportToAPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    corvanta::test::Application();
    // The texts and the exam columns come from the database the build made, one level
    // above bin/.
    if (qEnvironmentVariableIsEmpty("CORVANTA_BUILD_DIR")) {
        qputenv("CORVANTA_BUILD_DIR",
                (QCoreApplication::applicationDirPath() + "/..").toLocal8Bit());
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
