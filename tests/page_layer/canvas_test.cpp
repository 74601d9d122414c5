#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "report/echogram_graph.h"
#include "report/report_flow.h"
#include "report/report_texts.h"
#include "report_picture/canvas_page.h"
#include "tests/page_layer/page_fixture.h"
#include "tests/support/application_test.h"
#include "tests/support/captures.h"

namespace {

using namespace corvanta::report;
using corvanta::platform::ScaleUnit;

using corvanta::test::blackAlongColumn;
using corvanta::test::blackAlongRow;
using corvanta::test::px;

// The export's first graph (L 10, T 20, W 50, H 40 mm) with the zone 7..15 mm at 68 %.
class CanvasGraphTest : public ::testing::Test {
  protected:
    void SetUp() override {
        corvanta::test::Application();
        canvas.setScaleUnit(ScaleUnit::Millimetre);
    }
    const GraphPlace graph{10, 20, 50, 40};
    CanvasPage canvas;
};

TEST_F(CanvasGraphTest, IsAWhite529By593PictureAt96Dpi) {
    const QImage& image = canvas.image();
    EXPECT_EQ(image.size(), QSize(529, 593));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(264, 300), qRgb(255, 255, 255));
    EXPECT_NEAR(canvas.scaleWidth(), 139.96, 0.005);
    EXPECT_NEAR(canvas.scaleHeight(), 156.90, 0.005);
    const std::pair<double, double> heights[] = {{6, 13}, {8, 13}, {10, 16}, {12, 20}};
    for (const auto& [points, pixels] : heights) {
        canvas.setFontSize(points);
        EXPECT_DOUBLE_EQ(canvas.textHeight("Ag"), pixels * 25.4 / 96) << points;
    }
    canvas.setFontSize(6);
    const double small = canvas.textWidth("Echogramme");
    canvas.setFontSize(8);
    EXPECT_DOUBLE_EQ(canvas.textWidth("Echogramme"), small) << "6 points drawn as 8";
}

// A text hangs from its top left corner within its 13-pixel line; a picture keeps its size.
TEST_F(CanvasGraphTest, TextsAndPicturesStandFromTheirTopLeftCorner) {
    canvas.setCurrentX(20);
    canvas.setCurrentY(30);
    canvas.printLine(QString::fromUtf8("Ég"));
    QImage pin(21, 25, QImage::Format_RGB32);
    pin.fill(Qt::red);
    canvas.picture(pin, 10, 50);
    const QImage& image = canvas.image();
    QRect ink;
    for (int y = 0; y < px(45); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
        }
    }
    EXPECT_GE(ink.left(), px(20));
    EXPECT_LE(ink.left(), px(20) + 2);
    EXPECT_GE(ink.top(), px(30));
    EXPECT_LT(ink.bottom(), px(30) + 13);
    EXPECT_GT(ink.height(), 9);
    QRect red;
    for (int y = px(45); y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 0, 0))
                red |= QRect(x, y, 1, 1);
        }
    }
    EXPECT_EQ(red, QRect(px(10), px(50), 21, 25));
}

TEST_F(CanvasGraphTest, GridZoneAndTicksFallOnThePixelsTheirMillimetresGive) {
    const Zone_Sensible zone{7, 15, 68, 0, 0, 0, 1};
    drawGraphs(canvas, kExportGraphs, std::span(&graph, 1), std::span(&zone, 1));
    const QImage& image = canvas.image();

    // Zone box from x = 14.375 to 19.375 mm, its threshold at y = 32.8 mm.
    ASSERT_EQ(px(14.375), 54);
    ASSERT_EQ(px(19.375), 73);
    ASSERT_EQ(px(32.8), 124);
    std::set<int> columns = {54, 73};
    for (int k = 0; k <= 8; ++k)
        columns.insert(px(10 + k * 6.25));
    const int insideRow = 110;  // between the grid row at 26.67 mm and the threshold
    EXPECT_EQ(blackAlongRow(image, insideRow, px(10) - 1, px(60) + 1), columns);
    EXPECT_EQ(image.pixel(57, insideRow), qRgb(224, 224, 224));
    EXPECT_EQ(image.pixel(57, 123), qRgb(224, 224, 224));
    EXPECT_EQ(image.pixel(57, 124), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(57, 125), qRgb(224, 224, 224));
    EXPECT_EQ(blackAlongRow(image, 124, 55, 72).size(), 18u);

    std::set<int> rows;
    for (int k = 0; k <= 6; ++k)
        rows.insert(px(20 + k * 40 / 6.0));
    EXPECT_EQ(blackAlongColumn(image, px(40), px(20) - 1, px(60)), rows);

    std::set<int> minor;
    for (int k = 0; k <= 80; ++k)
        minor.insert(px(10 + k * 50 / 80.0));
    EXPECT_EQ(blackAlongRow(image, px(60.5), px(10) - 2, px(60) + 2), minor);
    std::set<int> major;
    for (int k = 0; k <= 8; ++k)
        major.insert(px(10 + k * 6.25));
    EXPECT_EQ(blackAlongRow(image, px(61.6), px(10) - 2, px(60) + 2), major);
    std::set<int> decibels;
    for (int j = 0; j <= 60; ++j)
        decibels.insert(px(20 + j * 40 / 60.0));
    EXPECT_EQ(blackAlongColumn(image, px(9.5), px(20) - 1, px(60) + 1), decibels);
}

TEST_F(CanvasGraphTest, TheCurveStopsAtTheCountAtTheLevelsOfItsSamples) {
    drawGraphs(canvas, kExportGraphs, std::span(&graph, 1), {});
    std::array<std::uint8_t, 400> samples;
    samples.fill(100);
    std::fill(samples.begin(), samples.begin() + 100, 0);
    std::fill(samples.begin() + 100, samples.begin() + 200, 255);
    plotCurve(canvas, graph, samples, 200, 1);
    const QImage& image = canvas.image();

    // Sample 0 lies at T + 255 H / 256, one pixel row above the bottom edge.
    const int zeroRow = px(20 + 255 * 40 / 256.0);
    ASSERT_EQ(zeroRow + 1, px(60));
    const std::set<int> zeros = blackAlongRow(image, zeroRow, px(10), px(60));
    for (int x = px(10); x <= px(10 + 50 * 100 / 400.0); ++x) {
        EXPECT_TRUE(zeros.contains(x)) << x;
    }
    // Sample 255 runs along the top edge: the rise to it, at sample 101, covers every row.
    const int riseFrom = px(10 + 50 * 100 / 400.0);
    for (int y = px(20); y <= zeroRow; ++y) {
        EXPECT_TRUE(image.pixel(riseFrom, y) == qRgb(0, 0, 0) ||
                    image.pixel(riseFrom + 1, y) == qRgb(0, 0, 0))
            << y;
    }
    // Past the count nothing but the grid is drawn at the level the samples there hold.
    std::set<int> grid;
    for (int k = 0; k <= 8; ++k)
        grid.insert(px(10 + k * 6.25));
    const int middle = px(20 + 155 * 40 / 256.0);
    const int end = px(10 + 50 * 200 / 400.0);
    std::set<int> past = blackAlongRow(image, middle, end + 1, px(60));
    std::set<int> gridPast;
    for (int x : grid) {
        if (x > end)
            gridPast.insert(x);
    }
    EXPECT_EQ(past, gridPast);
}

// A title too wide for the picture even at 8 points is drawn whole with narrower letters:
// its ink stays inside the canvas and still spans nearly all of it.
TEST_F(CanvasGraphTest, ATitleTooWideAtEightPointsIsNarrowedToFitWhole) {
    const QString widest(30, u'W');
    drawTitleLine(canvas, reportTitle(widest, widest, "12345"), 140);
    const QImage& image = canvas.image();
    int left = image.width(), right = -1;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_GT(left, 0);
    EXPECT_LT(right, image.width() - 1);
    EXPECT_GT(right - left, image.width() * 9 / 10);
    EXPECT_EQ(canvas.state().fontStretch, 100);
}

// A two-graph page for looking at: <build>/captures/page_layer_canvas.png.
TEST_F(CanvasGraphTest, SamplePageForLooking) {
    const std::vector<GraphPlace> graphs = {{10, 20, 50, 40}, {80, 20, 50, 40}};
    drawTitleLine(canvas, reportTitle("Martin", "Anne", "3"), 140);
    const double bottom = drawGraphs(canvas, kExportGraphs, graphs, corvanta::test::defaultZones());
    std::array<std::uint8_t, 400> samples{};
    for (int i = 0; i < 400; ++i) {
        samples[i] = static_cast<std::uint8_t>(230 * std::exp(-i / 40.0) +
                                               90 * std::exp(-std::pow((i - 180) / 18.0, 2)));
    }
    plotCurve(canvas, graphs[0], samples, 400, 1);
    plotCurve(canvas, graphs[1], samples, 200, 1);
    const std::vector<GraphCaption> captions = {
        {QString("12/03/2024 10:15:02 D"), QString("Sinus droit\r\ncontrôle à 3 mois")},
        {QString("12/03/2024 10:17:40 G"), std::nullopt}};
    drawCaptions(canvas, graphs, captions, bottom, CaptionFlow::BelowLowestColumn);
    canvas.emptyLine();
    const std::vector<FindingsColumn> columns = {
        {10, 78, {{true, "Echogramme normal"}, {true, "Sinus occupé"}}},
        {80, 130, {{true, "Evocateur d'une rétention liquidienne"}}}};
    drawFindingsColumns(canvas, columns);
    ASSERT_TRUE(canvas.image().save(corvanta::test::Dossier_Captures() + "/page_layer_canvas.png"));
}

}  // namespace
