// The curve print page with everything on it (live curve, five comparison curves, four
// pins, a legend of five commented curves, the patient): written as a PDF, and drawn on the
// recording printer alone. Target: the PDF under 300 ms.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cmath>

#include "platform/recording_page.h"
#include "report_print/curve_page.h"
#include "report_print/printer_page.h"
#include "tests/support/application_test.h"

namespace {

using namespace corvanta;

report::CurvePageSamples echoes(int shift) {
    report::CurvePageSamples curve{};
    for (int i = 0; i < 400; ++i) {
        const double d = (i - 40.0 - 50 * shift) / 9.0;
        curve[i] = static_cast<std::uint8_t>(20 + (i * 7) % 11 + 200 * std::exp(-d * d));
    }
    return curve;
}

const report::CurvePageInput& fullPage() {
    static const Libelles texts = [] {
        Libelles t;
        for (int n = 30; n <= 52; ++n)
            t.set(1, n, QStringLiteral("Libellé %1").arg(n));
        return t;
    }();
    static const report::CurvePageInput input = [] {
        report::CurvePageInput in;
        in.texts = &texts;
        in.commissioningDate = QStringLiteral("01/01/99");
        in.patient = report::CurvePagePatient{QStringLiteral("DUPONT"), QStringLiteral("Jean"),
                                              QStringLiteral("1 60 01 75 123 456"),
                                              QStringLiteral("01/02/1960")};
        in.printedAt = QDateTime::currentDateTime();
        in.liveCurve = echoes(0);
        for (int z = 0; z < 4; ++z) {
            in.zones[z] = Zone_Sensible{10 * z + 5, 10 * z + 12, 60, 0, 0, 0, 1};
            in.peaks[z] = Zone_Sensible{0, 0, 0, 50 * z + 40, 60, 0, 1};
            in.pins[z] = QImage(21, 25, QImage::Format_RGB32);
            in.pins[z].fill(Qt::red);
        }
        for (int i = 0; i < 5; ++i) {
            in.comparisons.push_back({echoes(i + 1), QColor::fromHsv(60 * i, 255, 200)});
            in.legend.push_back({in.comparisons.back().colour, QStringLiteral("02/03/2026 D"),
                                 QStringLiteral("Contrôle.\r\nNiveau liquide.")});
        }
        return in;
    }();
    return input;
}

void CurvePageToPdf(benchmark::State& state) {
    test::Application();
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("Courbe DUPONT Jean.pdf"));
    for (auto _ : state) {
        auto page = report::openPdfPrinter(pdf);
        report::drawCurvePage(*page, fullPage());
        page->endDocument();
    }
}
BENCHMARK(CurvePageToPdf)->Unit(benchmark::kMillisecond);

void CurvePageRecorded(benchmark::State& state) {
    for (auto _ : state) {
        platform::RecordingPage page(QSizeF(200, 287));
        report::drawCurvePage(page, fullPage());
        benchmark::DoNotOptimize(page.entries().data());
    }
}
BENCHMARK(CurvePageRecorded)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
