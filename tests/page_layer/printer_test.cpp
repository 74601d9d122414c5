#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/error.h"
#include "platform/recording_page.h"
#include "report/echogram_graph.h"
#include "report_print/printer_page.h"
#include "tests/page_layer/page_fixture.h"
#include "tests/support/application_test.h"
#include "tests/support/captures.h"
#include "tests/support/pdf_words.h"

namespace {

using namespace corvanta::report;
using corvanta::platform::FillStyle;
using corvanta::platform::Page;
using corvanta::platform::ScaleUnit;
using corvanta::test::kPointsPerMillimetre;
using corvanta::test::wordsOf;

// Liberation Sans: (ascent 1854 + descent 434) / 2048 of the em.
constexpr double kLineOfEm = (1854 + 434) / 2048.0;

class PrinterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        corvanta::test::Application();
        ASSERT_TRUE(folder.isValid());
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    QStringList files() const {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir folder;
};

TEST_F(PrinterTest, EveryDocumentStartsFromFreshSettingsOnA200By287Area) {
    const auto fresh = corvanta::platform::freshPrinterState();
    for (int document = 0; document < 2; ++document) {
        const auto page = openPdfPrinter(path(QStringLiteral("doc%1.pdf").arg(document)));
        EXPECT_EQ(page->state(), fresh);
        EXPECT_EQ(page->state().unit, ScaleUnit::Twip);
        page->setScaleUnit(ScaleUnit::Millimetre);
        EXPECT_NEAR(page->scaleWidth(), 200, 1e-9);
        EXPECT_NEAR(page->scaleHeight(), 287, 1e-9);
        EXPECT_NEAR(page->textHeight("Ag"), 10 * kLineOfEm / kPointsPerMillimetre, 0.005)
            << "design height, not hinted pixels";
        page->setFontSize(20);
        page->setBold(true);
        page->setItalic(true);
        page->setLineWidth(9);
        page->setFillStyle(FillStyle::Solid);
        page->setCurrentY(100);
        page->printLine("x");
        page->endDocument();
    }
    EXPECT_EQ(files(), (QStringList{"doc0.pdf", "doc1.pdf"}));
}

// Text stands with its top left corner at the position, 5 mm margins added on the sheet.
TEST_F(PrinterTest, TextsStandAtTheirMillimetresInThePdf) {
    const QString pdf = corvanta::test::Dossier_Captures() + "/page_layer_printer.pdf";
    auto page = openPdfPrinter(pdf);
    page->setScaleUnit(ScaleUnit::Millimetre);
    page->setFontSize(16);
    page->setBold(true);
    page->setCurrentX(20);
    page->setCurrentY(30);
    page->printLine("Titre");
    page->setFontSize(8);
    page->setBold(false);
    page->setItalic(true);
    page->setCurrentX(143.33);
    page->setCurrentY(250);
    page->printOnLine("Docteur ");
    page->printLine("Lambert");
    const double afterLine = page->currentY();
    const std::vector<GraphPlace> graphs = {{10, 120, 80, 53.8125}, {110, 120, 80, 53.8125}};
    const auto zones = corvanta::test::defaultZones();
    page->setItalic(false);
    drawGraphs(*page, kPrintedGraphs, graphs, zones);
    std::array<std::uint8_t, 400> samples{};
    for (int i = 0; i < 400; ++i)
        samples[i] = static_cast<std::uint8_t>(250 - (i * 5) % 200);
    plotCurve(*page, graphs[0], samples, 400, 7);
    page->endDocument();

    const auto words = corvanta::test::pdfWords(pdf);
    const auto near = [&words](const QString& text, double x, double y) {
        const auto found = corvanta::test::pdfWord(words, text);
        ASSERT_EQ(found.text, text);
        EXPECT_NEAR(found.left, 5 + x, 0.3) << text.toStdString();
        EXPECT_NEAR(found.top, 5 + y, 0.3) << text.toStdString();
    };
    near("Titre", 20, 30);
    near("Docteur", 143.33, 250);
    EXPECT_NEAR(afterLine, 250 + 8 * kLineOfEm / kPointsPerMillimetre, 0.005);
    // " mm" follows " 80 " written from one "10" left of the right edge's tick: digits are
    // 1139/2048 of the em wide, blanks 569/2048.
    const double em8 = 8 / kPointsPerMillimetre;
    near("mm", 90 + (-2 * 1139 + 2 * 569 + 2 * 1139 + 569) / 2048.0 * em8,
         120 + 53.8125 + 2 + kLineOfEm * em8 / 2);
    near("dB", 10, 120 - 2 * kLineOfEm * em8);

    EXPECT_TRUE(corvanta::test::renderPdf(pdf, "page_layer_printer")) << "pdftoppm";
}

TEST_F(PrinterTest, ADocumentLeftHalfWayLeavesNoFileAndTheOldOneStands) {
    const QString pdf = path("Martin Anne 03.pdf");
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older report");
    old.close();
    const auto kept = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                      QFile::ReadGroup;
    ASSERT_TRUE(old.setPermissions(kept));
    try {
        auto page = openPdfPrinter(pdf);
        page->printLine("Compte rendu");
        throw corvanta::Error(94, "Corvanta", "Invalid use of Null");
    } catch (const corvanta::Error&) {
    }
    ASSERT_EQ(files(), QStringList{"Martin Anne 03.pdf"});
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "an older report");
    old.close();

    auto page = openPdfPrinter(pdf);
    page->printLine("Compte rendu");
    page->endDocument();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_TRUE(old.readAll().startsWith("%PDF"));
    EXPECT_EQ(files(), QStringList{"Martin Anne 03.pdf"});
    EXPECT_EQ(old.permissions(), kept);

    // A new report is as readable as any new file of the folder.
    QFile plain(path("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    auto fresh = openPdfPrinter(path("fresh.pdf"));
    fresh->endDocument();
    EXPECT_EQ(QFile::permissions(path("fresh.pdf")), plain.permissions());

    try {
        openPdfPrinter(path("missing/x.pdf"))->endDocument();
        ADD_FAILURE() << "a folder that does not exist";
    } catch (const corvanta::Error& error) {
        EXPECT_EQ(error.number(), 76);
    }
}

TEST_F(PrinterTest, TestsPutTheirOwnPrinterInPlace) {
    auto previous = replacePrinterFactory([](const PdfTarget& pdf) {
        return OpenedPrinter{std::make_unique<corvanta::platform::RecordingPage>(QSizeF(200, 287)),
                             pdf.file};
    });
    const OpenedPrinter opened = openPrinter(path("x.pdf"));
    EXPECT_NE(dynamic_cast<corvanta::platform::RecordingPage*>(opened.page.get()), nullptr);
    EXPECT_EQ(opened.pdfFile, path("x.pdf"));
    EXPECT_TRUE(files().isEmpty());
    replacePrinterFactory(std::move(previous));
}

}  // namespace
