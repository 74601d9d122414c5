#include <gtest/gtest.h>

#include <map>

#include "report/echogram_graph.h"
#include "report/report_flow.h"
#include "tests/page_layer/page_fixture.h"
#include "tests/support/application_test.h"

namespace {

using namespace corvanta::report;
using corvanta::platform::FillStyle;
using corvanta::platform::RecordingPage;
using corvanta::platform::ScaleUnit;
using corvanta::test::defaultZones;
using corvanta::test::drawnWith;
using corvanta::test::Kind;
using corvanta::test::printed;

// The numbers of the printed report on a 200 x 280 mm printable area: columns at 10 and
// 110, graphs 80 x 52.5 from y = 120. The recording page's 8-point line is 4 mm high and
// "10" 3.2 mm wide.
TEST(PrintedGraphsTest, TwoGraphsStandWhereTheReportPutsThem) {
    RecordingPage page(QSizeF(200, 280));
    page.setScaleUnit(ScaleUnit::Millimetre);
    const std::vector<GraphPlace> graphs = {{10, 120, 80, 52.5}, {110, 120, 80, 52.5}};
    const double scaleBottom = drawGraphs(page, kPrintedGraphs, graphs, defaultZones());

    using Corners = std::array<double, 4>;
    const auto boxes = page.entries(Kind::Box);
    ASSERT_EQ(boxes.size(), 6u) << "two frames and two active zones in each graph";
    const Corners corners[] = {{10, 120, 90, 172.5},   {110, 120, 190, 172.5},
                               {17, 120, 25, 172.5},   {45, 120, 60, 172.5},
                               {117, 120, 125, 172.5}, {145, 120, 160, 172.5}};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].operation.numbers, corners[i]) << "box " << i;
        EXPECT_EQ(boxes[i].after.lineWidth, 8);
        EXPECT_EQ(boxes[i].after.fillStyle, i < 2 ? FillStyle::Transparent : FillStyle::Solid);
    }
    EXPECT_EQ(boxes[2].after.fillColor, QColor(224, 224, 224));
    const auto thresholds = drawnWith(page, Kind::Line, 8);
    ASSERT_EQ(thresholds.size(), 4u);
    EXPECT_EQ(thresholds[0].operation.numbers, (Corners{17, 136.8, 25, 136.8}));
    EXPECT_EQ(thresholds[1].operation.numbers, (Corners{45, 156.75, 60, 156.75}));

    const auto grid = drawnWith(page, Kind::Line, 1);
    ASSERT_EQ(grid.size(), 32u);
    EXPECT_EQ(grid[8].operation.numbers, (Corners{90, 120, 90, 172.5}));
    EXPECT_EQ(grid[10].operation.numbers, (Corners{10, 128.75, 90, 128.75}));

    // Ticks, by the way they run: 1 mm and 2 mm down, 1 mm and 2 mm left of the edge.
    std::map<std::pair<double, double>, std::vector<Corners>> ticks;
    for (const auto& tick : drawnWith(page, Kind::Line, 4)) {
        const Corners& n = tick.operation.numbers;
        ticks[{n[2] - n[0], n[3] - n[1]}].push_back(n);
    }
    const auto& shortDepth = ticks[{0, 1}];
    const auto& longDepth = ticks[{0, 2}];
    const auto& shortDb = ticks[{1, 0}];
    const auto& longDb = ticks[{-2, 0}];
    ASSERT_EQ(shortDepth.size(), 162u);
    ASSERT_EQ(longDepth.size(), 18u);
    ASSERT_EQ(shortDb.size(), 122u);
    ASSERT_EQ(longDb.size(), 14u);
    EXPECT_EQ(shortDepth[80], (Corners{90, 172.5, 90, 173.5}));
    EXPECT_EQ(longDepth[10], (Corners{120, 172.5, 120, 174.5}));
    EXPECT_EQ(shortDb[1], (Corners{9, 120.875, 10, 120.875}));
    EXPECT_EQ(shortDb[61], (Corners{109, 120, 110, 120}));
    EXPECT_EQ(longDb[6], (Corners{10, 172.5, 8, 172.5}));

    std::vector<QString> labels;
    for (const auto& [last, unit] : {std::pair{80, " mm"}, {80, " mm"}, {60, "dB"}, {60, "dB"}}) {
        for (int v = 0; v <= last; v += 10) {
            labels.push_back(QStringLiteral(" %1 ").arg(v));
        }
        labels.push_back(unit);
    }
    EXPECT_EQ(printed(page), labels);

    // Each label starts from its tick's end, moved by text extents.
    const auto& all = page.entries();
    const auto startOf = [&all](const QString& text, int nth) {
        for (std::size_t i = 1; i < all.size(); ++i) {
            if (all[i].operation.text == text && nth-- == 0)
                return all[i - 1].after;
        }
        return all.front().after;
    };
    EXPECT_EQ(QPointF(startOf(" 0 ", 0).x, startOf(" 0 ", 0).y), QPointF(10 - 3.2, 174.5 + 2));
    EXPECT_EQ(QPointF(startOf(" 60 ", 2).x, startOf(" 60 ", 2).y), QPointF(8 - 6.4, 172.5 - 2))
        << "after the two depth scales' 60";
    EXPECT_EQ(QPointF(startOf("dB", 1).x, startOf("dB", 1).y), QPointF(110, 120 - 8));
    EXPECT_EQ(startOf("dB", 1).fontSize, 8);
    EXPECT_FALSE(startOf("dB", 1).bold);
    EXPECT_DOUBLE_EQ(scaleBottom, 172.5 + 2 + 2 + 4);
}

// The curve page draws in twips, its bands grey all through before the frame, and its
// "dB" at the page's left edge.
TEST(CurvePageGraphTest, BandsComeFirstAndTheUnitStandsAtThePageEdge) {
    RecordingPage page(QSizeF(200, 287));
    const double w = page.scaleWidth();
    const double h = page.scaleHeight();
    const GraphPlace graph{w / 10, 3000, w - 2 * w / 10, h / 2 - h / 8};
    const auto zones = defaultZones();
    drawGraphs(page, kCurvePageGraph, std::span(&graph, 1), zones);

    const auto& all = page.entries();
    std::vector<Kind> drawings;
    for (const auto& entry : all) {
        if (entry.operation.kind == Kind::FilledBox || entry.operation.kind == Kind::Box) {
            drawings.push_back(entry.operation.kind);
            EXPECT_EQ(entry.after.lineWidth, 10);
        }
    }
    EXPECT_EQ(drawings, (std::vector<Kind>{Kind::FilledBox, Kind::FilledBox, Kind::Box}));
    EXPECT_EQ(page.entries(Kind::FilledBox)[0].operation.colour, QColor(224, 224, 224));
    EXPECT_DOUBLE_EQ(page.entries(Kind::FilledBox)[0].operation.numbers[0],
                     graph.left + 7 * graph.width / 80);

    const double line10 = 5 * 1440 / 25.4;
    const auto db = page.entries(Kind::PrintLine).back();
    EXPECT_EQ(db.operation.text, "dB");
    EXPECT_DOUBLE_EQ(db.after.y, 3000 - 2 * line10 + line10);
    EXPECT_EQ(db.after.fontSize, 10);
    const auto unitStart = all[all.size() - 2].after;
    EXPECT_DOUBLE_EQ(unitStart.x, 0);
    const double bottom = graph.top + graph.height;
    EXPECT_EQ(drawnWith(page, Kind::Line, 4)[0].operation.numbers,
              (std::array<double, 4>{graph.left, bottom, graph.left, bottom + 1}));
}

TEST(CurvePlotTest, SamplesMapOntoTheGraphAndStopAtTheCount) {
    RecordingPage page(QSizeF(200, 287));
    page.setScaleUnit(ScaleUnit::Millimetre);
    const GraphPlace graph{10, 20, 50, 40};
    std::array<std::uint8_t, 400> samples;
    samples.fill(128);
    samples[0] = 255;
    samples[1] = 0;

    plotCurve(page, graph, samples, 3, 7);
    const auto start = page.entries(Kind::Point);
    ASSERT_EQ(start.size(), 1u);
    EXPECT_EQ(start[0].operation.numbers, (std::array<double, 4>{10, 20}));
    EXPECT_EQ(start[0].after.lineWidth, 7);
    const auto steps = page.entries(Kind::LineTo);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].operation.numbers, (std::array<double, 4>{10, 20, 10.125, 20}));
    EXPECT_EQ(steps[1].operation.numbers,
              (std::array<double, 4>{10.125, 20, 10.25, 20 + 255 * 40.0 / 256}));
    EXPECT_DOUBLE_EQ(steps[2].operation.numbers[3], 20 + 127 * 40.0 / 256);

    page.clear();
    plotCurve(page, graph, std::span(samples).first(50), 200, 2, QColor(Qt::blue));
    const auto longer = page.entries(Kind::LineTo);
    ASSERT_EQ(longer.size(), 50u) << "never past the samples given";
    EXPECT_DOUBLE_EQ(longer.back().after.x, 10 + 50 * 50.0 / 400);
    EXPECT_EQ(longer.back().operation.colour, QColor(Qt::blue));
    EXPECT_EQ(page.entries(Kind::Point)[0].operation.colour, QColor(Qt::blue));

    page.clear();
    plotCurve(page, graph, samples, 0, 7);
    plotCurve(page, graph, {}, 400, 7);
    EXPECT_TRUE(page.entries().empty()) << "no count or no curve: nothing drawn";
}

// The export's two graphs (left edges 10 and 80, width 50) with the scale bottom at 70.
TEST(CaptionsTest, DatesShareALineAndTheNextBlockGoesUnderTheLongerComment) {
    const std::vector<GraphPlace> graphs = {{10, 20, 50, 40}, {80, 20, 50, 40}};
    const std::vector<GraphCaption> captions = {
        {QString("12/03/24 D"), QString("un\r\ndeux\r\ntrois\r\n")},
        {std::nullopt, QString("seul")}};
    for (const CaptionFlow flow :
         {CaptionFlow::BelowLowestColumn, CaptionFlow::StayAfterLastLine}) {
        RecordingPage page(QSizeF(140, 157));
        page.setScaleUnit(ScaleUnit::Millimetre);
        page.setFontSize(6);
        EXPECT_DOUBLE_EQ(drawCaptions(page, graphs, captions, 70, flow), 76 + 3 * 4);
        const auto lines = page.entries(Kind::PrintLine);
        ASSERT_EQ(lines.size(), 6u);
        struct Expected {
            QString text;
            double x;
            double y;
            bool bold;
            bool italic;
        };
        const Expected expected[] = {
            {"12/03/24 D", 10 + (50 - 16) / 2.0, 72, true, false},
            {"", 105, 72, true, false},
            {"un", 10 + (50 - 3.2) / 2, 76, false, true},
            {"deux", 10 + (50 - 6.4) / 2, 80, false, true},
            {"trois", 10 + (50 - 8) / 2, 84, false, true},
            {"seul", 80 + (50 - 6.4) / 2, 76, false, true},
        };
        const auto& all = page.entries();
        for (std::size_t i = 0, seen = 0; i < all.size(); ++i) {
            if (all[i].operation.kind != Kind::PrintLine)
                continue;
            const Expected& e = expected[seen++];
            const auto& before = all[i - 1].after;
            EXPECT_EQ(all[i].operation.text, e.text);
            EXPECT_DOUBLE_EQ(before.x, e.x) << e.text.toStdString();
            EXPECT_DOUBLE_EQ(before.y, e.y) << e.text.toStdString();
            EXPECT_EQ(before.bold, e.bold) << e.text.toStdString();
            EXPECT_EQ(before.italic, e.italic) << e.text.toStdString();
            EXPECT_EQ(before.fontSize, 8);
        }
        EXPECT_FALSE(page.state().italic);
        EXPECT_DOUBLE_EQ(page.currentY(), flow == CaptionFlow::BelowLowestColumn ? 88 : 80);
    }
}

TEST(ReportFlowTest, TitleThenFindingsColumnsEndUnderTheLongerOne) {
    RecordingPage page(QSizeF(140, 157));
    page.setScaleUnit(ScaleUnit::Millimetre);
    drawTitleLine(page, "Martin Anne 03", 140);
    EXPECT_EQ(page.entries(Kind::PrintLine)[0].operation.text, "Martin Anne 03");
    EXPECT_DOUBLE_EQ(page.entries(Kind::EmptyLine)[0].after.y, 6);
    EXPECT_TRUE(page.entries(Kind::PrintLine)[0].after.bold);
    EXPECT_DOUBLE_EQ(page.currentY(), 12);

    page.clear();
    page.setCurrentY(50);
    const std::vector<FindingsColumn> columns = {
        {10,
         78,
         {{true, "normal"}, {false, "occupe"}, {true, "suspect"}, {true, "autre\r\nligne"}}},
        {80, 130, {{true, "normal"}, {false, "x"}}}};
    drawFindingsColumns(page, columns);
    std::vector<std::pair<QString, std::pair<double, double>>> lines;
    const auto& all = page.entries();
    for (std::size_t i = 1; i < all.size(); ++i) {
        if (all[i].operation.kind == Kind::PrintLine) {
            lines.push_back({all[i].operation.text, {all[i - 1].after.x, all[i - 1].after.y}});
            EXPECT_EQ(all[i].after.fontSize, 6);
            EXPECT_FALSE(all[i].after.bold);
        }
    }
    using Line = std::pair<QString, std::pair<double, double>>;
    EXPECT_EQ(lines, (std::vector<Line>{{"- normal", {10, 50}},
                                        {"- suspect", {10, 53}},
                                        {"- autre ligne", {10, 56}},
                                        {"- normal", {80, 50}}}));
    EXPECT_DOUBLE_EQ(page.currentY(), 62) << "one empty line under the longer column";
}

}  // namespace
