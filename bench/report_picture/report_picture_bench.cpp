// The report picture of a full sinus exam (both curves, every finding and decision, long
// comments): drawing the page alone (target under 20 ms) and one whole export - drawing,
// clipboard, file written - as JPEG and as BMP (target under 100 ms).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cmath>

#include "report_picture/canvas_page.h"
#include "report_picture/report_export.h"
#include "tests/report_picture/picture_fixture.h"
#include "tests/support/application_test.h"

namespace {

using namespace corvanta;

report::ExamReportInput fullExam() {
    report::ExamReportInput input = test::sampleExam(0);
    QByteArray curve(400, '\0');
    for (int i = 0; i < 400; ++i) {
        curve[i] = static_cast<char>(230 * std::exp(-i / 40.0) +
                                     90 * std::exp(-std::pow((i - 180) / 18.0, 2)));
    }
    for (const char* side : {"Courbes_Droites", "Courbes_Gauches"}) {
        const QString prefix = QString::fromLatin1(side);
        input.row.set(prefix + ".Courbe", platform::Value(curve));
        input.row.set(prefix + ".Commentaire_Courbe",
                      platform::Value("Contrôle après traitement\r\nà trois mois\r\nsans appui"));
    }
    test::tick(input,
               {"Echogramme_Droit_Normal", "Echogramme_Droit_Occupe", "Echogramme_Droit_Evocateur",
                "Echogramme_Droit_Autres", "Echogramme_Gauche_Occupe", "Decision_Lavage",
                "Decision_Scanner", "Decision_Traitement_Medical", "Decision_Traitement_Endoscopie",
                "Decision_Traitement_Chirurgical"});
    // The widest conclusion the window takes: the picture narrows its letters to fit it.
    input.row.set("Examen_Compatible", platform::Value(QString(199, u'W')));
    input.filter = report::libraryFilter(quorel::program_library(), 3, 2, 400);
    return input;
}

void DrawSinusPicture(benchmark::State& state) {
    test::Application();
    const report::ExamReportInput input = fullExam();
    for (auto _ : state) {
        report::CanvasPage canvas;
        report::drawSinusPicture(input, canvas);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(DrawSinusPicture)->Unit(benchmark::kMillisecond);

void ExportSinusPicture(benchmark::State& state) {
    test::Application();
    const report::ExamReportInput input = fullExam();
    QTemporaryDir folder;
    QTemporaryDir program;
    for (auto _ : state) {
        QString exportFolder = folder.path();
        const auto outcome =
            report::exportPicture(input, report::drawSinusPicture, exportFolder, program.path(),
                                  static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(outcome.file);
    }
    state.SetLabel(state.range(0) == 0 ? "JPEG" : "BMP");
}
BENCHMARK(ExportSinusPicture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen").toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
