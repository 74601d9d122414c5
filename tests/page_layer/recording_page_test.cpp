#include "platform/recording_page.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/error.h"
#include "tests/page_layer/page_fixture.h"

namespace {

using corvanta::platform::Page;
using corvanta::platform::RecordingPage;
using corvanta::platform::ScaleUnit;
using corvanta::test::Kind;

// 10 points on the recording page: a character is 2 mm wide, a line 5 mm high.
TEST(RecordingPageTest, EveryOperationMovesThePositionAsReportsExpect) {
    RecordingPage page(QSizeF(200, 287));
    page.setScaleUnit(ScaleUnit::Millimetre);
    page.setFontSize(10);
    page.setCurrentX(10);
    page.setCurrentY(20);
    struct Step {
        const char* what;
        std::function<void(Page&)> run;
        double x;
        double y;
    };
    const std::vector<Step> steps = {
        {"text staying on the line", [](Page& p) { p.printOnLine("abc"); }, 16, 20},
        {"number between blanks", [](Page& p) { p.printNumber(10); }, 24, 20},
        {"negative number", [](Page& p) { p.printNumber(-5); }, 30, 20},
        {"text ending the line", [](Page& p) { p.printLine("de"); }, 0, 25},
        {"empty line", [](Page& p) { p.emptyLine(); }, 0, 30},
        {"size changes the line", [](Page& p) { p.setFontSize(8), p.emptyLine(); }, 0, 34},
        {"line", [](Page& p) { p.line(1, 2, 3, 4); }, 3, 4},
        {"line from the position", [](Page& p) { p.lineTo(5, 6, Qt::red); }, 5, 6},
        {"box", [](Page& p) { p.box(9, 8, 7, 6); }, 7, 6},
        {"filled box", [](Page& p) { p.filledBox(1, 1, 2, 3, Qt::gray); }, 2, 3},
        {"point", [](Page& p) { p.point(11, 12); }, 11, 12},
        {"picture", [](Page& p) { p.picture(QImage(21, 25, QImage::Format_RGB32), 1, 1); }, 11, 12},
        {"settings", [](Page& p) { p.setBold(true), p.setLineWidth(7); }, 11, 12},
    };
    for (const Step& step : steps) {
        step.run(page);
        EXPECT_DOUBLE_EQ(page.currentX(), step.x) << step.what;
        EXPECT_DOUBLE_EQ(page.currentY(), step.y) << step.what;
        EXPECT_DOUBLE_EQ(page.entries().back().after.x, step.x) << step.what;
        EXPECT_DOUBLE_EQ(page.entries().back().after.y, step.y) << step.what;
    }
    EXPECT_EQ(corvanta::test::printed(page), (std::vector<QString>{"abc", " 10 ", "-5 ", "de"}));
    EXPECT_EQ(page.entries(Kind::LineTo).front().operation.colour, QColor(Qt::red));
    EXPECT_FALSE(page.entries(Kind::Line).front().operation.colour.has_value());
    EXPECT_DOUBLE_EQ(page.textWidth(" 0 "), 4.8);
}

TEST(RecordingPageTest, UnitsScaleTheAreaAndKeepThePositionInPlace) {
    RecordingPage page(QSizeF(200, 287));
    EXPECT_EQ(page.state().unit, ScaleUnit::Twip);
    EXPECT_DOUBLE_EQ(page.scaleWidth(), 200 * 1440 / 25.4);
    page.setScaleUnit(ScaleUnit::Millimetre);
    EXPECT_DOUBLE_EQ(page.scaleWidth(), 200);
    EXPECT_DOUBLE_EQ(page.scaleHeight(), 287);
    page.setCurrentX(25.4);
    page.setFontSize(8);
    EXPECT_DOUBLE_EQ(page.textHeight(""), 4);
    page.setScaleUnit(ScaleUnit::Twip);
    EXPECT_DOUBLE_EQ(page.currentX(), 1440);
    EXPECT_DOUBLE_EQ(page.textHeight("x"), 4 * 1440 / 25.4);
}

TEST(RecordingPageTest, NothingIsDrawnOnAnEndedDocument) {
    RecordingPage page(QSizeF(200, 287));
    page.printLine("x");
    page.endDocument();
    EXPECT_TRUE(page.ended());
    EXPECT_THROW(page.printLine("y"), corvanta::Error);
    EXPECT_THROW(page.setFontSize(12), corvanta::Error);
    EXPECT_THROW(page.endDocument(), corvanta::Error);
    EXPECT_EQ(page.entries(Kind::EndDocument).size(), 1u);
}

}  // namespace
