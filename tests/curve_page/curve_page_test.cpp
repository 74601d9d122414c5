// The curve page drawn on the recording printer: every position from the page's own
// numbers, in twips on a 200 x 287 mm printable area.
#include "report_print/curve_page.h"

#include <gtest/gtest.h>

#include "tests/page_layer/page_fixture.h"

namespace corvanta::test {
namespace {

using platform::RecordingPage;
using report::CurvePageInput;

constexpr double kTwipsPerMm = 1440 / 25.4;
constexpr double kW = 200 * kTwipsPerMm;
constexpr double kH = 287 * kTwipsPerMm;
constexpr double kM = kW / 10;
constexpr double kGW = kW - 2 * kM;
constexpr double kGH = kH / 2 - kH / 8;
// Under a 10-twip top: title (20 pt: 10 mm), gap and subtitle (16 pt: 8 + 8 mm), an empty
// line (8 mm), the commissioning line's own height (8 pt: 4 mm), then two of it (8 mm).
constexpr double kT = 10 + 46 * kTwipsPerMm;
// Positions are sums of twips: they agree to far below a printer dot.
constexpr double kClose = 1e-6;
const QString kIndent(8, u' ');

// What was printed, with the state it was printed in.
struct Printed {
    QString text;
    platform::PageState before;
};

std::vector<Printed> printedWithState(const RecordingPage& page) {
    std::vector<Printed> found;
    const auto& all = page.entries();
    for (std::size_t i = 1; i < all.size(); ++i) {
        const Kind kind = all[i].operation.kind;
        if (kind == Kind::PrintLine || kind == Kind::PrintOnLine)
            found.push_back({all[i].operation.text, all[i - 1].after});
    }
    return found;
}

const Printed& find(const std::vector<Printed>& printed, const QString& text) {
    for (const Printed& p : printed) {
        if (p.text == text)
            return p;
    }
    ADD_FAILURE() << "not printed: " << text.toStdString();
    return printed.front();
}

// The last `count` texts printed, in order.
std::vector<QString> last(const std::vector<Printed>& printed, std::size_t count) {
    std::vector<QString> texts;
    for (std::size_t i = printed.size() - std::min(count, printed.size()); i < printed.size(); ++i)
        texts.push_back(printed[i].text);
    return texts;
}

class CurvePageTest : public ::testing::Test {
  protected:
    CurvePageTest() {
        // Each text prints as its number in brackets.
        for (int n = 30; n <= 52; ++n)
            texts.set(1, n, QStringLiteral("[%1]").arg(n));
        input.texts = &texts;
        input.commissioningDate = QStringLiteral("01/02/03");
        input.zones[0] = Zone_Sensible{7, 15, 68, 0, 0, 0, 1};
        input.pointCount = 100;
        input.averageSlider = 3;
        input.lowPassSlider = 1;
        input.patient = report::CurvePagePatient{QStringLiteral("Dupont"), QStringLiteral("Jean"),
                                                 QString(), QString()};
        input.printedAt = QDateTime(QDate(2026, 12, 8), QTime(9, 5, 3));
        input.liveCurve.fill(128);
    }

    void draw() { report::drawCurvePage(page, input); }

    Libelles texts;
    CurvePageInput input;
    RecordingPage page{QSizeF(200, 287)};
};

TEST_F(CurvePageTest, AcquisitionPageLaysOutTitleGraphCurvesPinsAndBlocks) {
    input.comparisons.push_back({{}, QColor(0, 128, 255)});
    input.comparisons[0].samples.fill(255);
    input.peaks[0] = Zone_Sensible{7, 15, 68, 100, 128, 0, 1};
    input.peaks[1] = Zone_Sensible{35, 50, 30, 0, 40, 0, 1};   // no peak found
    input.peaks[2] = Zone_Sensible{0, 80, 50, 200, 40, 0, 0};  // inactive
    input.pins[0] = QImage(21, 25, QImage::Format_RGB32);
    input.legendTextColour = QColor(10, 20, 30);
    input.legend = {{QColor(Qt::red), QStringLiteral("02/03/26 D"), QStringLiteral("abc\r\nd\re")},
                    {QColor(Qt::green), QStringLiteral("03/03/26 G"), std::nullopt}};
    page.setScaleUnit(platform::ScaleUnit::Millimetre);  // left by an earlier page
    draw();

    const auto printed = printedWithState(page);
    const Printed& title = find(printed, "[36]");
    EXPECT_NEAR(title.before.y, 10, kClose) << "the page draws in twips";
    EXPECT_NEAR(title.before.x, (kW - 4 * 4 * kTwipsPerMm) / 2, kClose);
    EXPECT_TRUE(title.before.bold);
    EXPECT_EQ(title.before.fontName, "Arial");
    const Printed& commissioning = find(printed, "[38]01/02/03");
    EXPECT_NEAR(commissioning.before.y, kT - 8 * kTwipsPerMm, kClose);
    EXPECT_TRUE(commissioning.before.italic);
    const auto frame = page.entries(Kind::Box)[0].operation.numbers;
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(frame[i], (std::array<double, 4>{kM, kT, kM + kGW, kT + kGH})[i], kClose);

    // The live curve stops at the point count; the comparison follows in its slot colour.
    const auto live = drawnWith(page, Kind::LineTo, 7);
    ASSERT_EQ(live.size(), 100u);
    EXPECT_NEAR(live.back().after.x, kM + kGW * 100 / 400, kClose);
    EXPECT_NEAR(live.back().after.y, kT + kGH * 127 / 256, kClose);
    const auto comparison = drawnWith(page, Kind::LineTo, 2);
    ASSERT_EQ(comparison.size(), 100u);
    EXPECT_EQ(comparison[0].operation.colour, QColor(0, 128, 255));
    EXPECT_NEAR(comparison[0].after.y, kT, kClose);

    // One pin: 20 mm and 30 dB into the graph, its 435-twip box lifted above the peak.
    const auto pins = page.entries(Kind::Picture);
    ASSERT_EQ(pins.size(), 1u);
    const std::array<double, 4> pin{kM + kGW * 20 / 80 + 10, kT + kGH / 2 - 435 + 20, 21, 25};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(pins[0].operation.numbers[i], pin[i], kClose);

    const Printed& header = find(printed, "[39]");
    EXPECT_NEAR(header.before.x, kM, kClose);
    EXPECT_NEAR(header.before.y, kT + kGH + kGH / 6, kClose);
    EXPECT_TRUE(header.before.bold);
    EXPECT_FALSE(find(printed, " [40]08/12/26 [35] 9:05:03").before.bold);

    const Printed& first = find(printed, "[41] du 02/03/26 D");
    EXPECT_EQ(first.before.foreColor, QColor(Qt::red));
    EXPECT_NEAR(first.before.x, kM, kClose);
    const Printed& comment = find(printed, kIndent.repeated(3) + "abc");
    EXPECT_DOUBLE_EQ(comment.before.x, 0) << "comment lines start at the page's edge";
    EXPECT_EQ(comment.before.foreColor, QColor(10, 20, 30));
    EXPECT_TRUE(comment.before.italic);
    EXPECT_DOUBLE_EQ(find(printed, kIndent.repeated(3) + "d").before.x, 0)
        << "a lone CR breaks the line";
    EXPECT_DOUBLE_EQ(find(printed, kIndent.repeated(3) + "e").before.x, 0);
    EXPECT_EQ(find(printed, "[41] du 03/03/26 G").before.foreColor, QColor(Qt::green));
    EXPECT_NEAR(find(printed, kIndent.repeated(3) + "[42]").before.x, kM, kClose);

    EXPECT_TRUE(find(printed, "[44]").before.bold);
    EXPECT_NEAR(find(printed, kIndent + "Dupont Jean").before.x, kM, kClose);
    EXPECT_EQ(
        last(printed, 8),
        (std::vector<QString>{kIndent + "Dupont Jean", kIndent + "[46] ", "[47]", kIndent + "[48]",
                              "6 [32]", kIndent + "[50] ", "1200 kHz", kIndent + "[52] 100 [32]"}))
        << "an empty social-security number has no line, an empty birth date has one";
}

TEST_F(CurvePageTest, StoredCurvePagePlotsTheRawCurveUpToTheCountAndItsComment) {
    input.mode = report::kCurvePageStoredCurve;
    input.storedCurve = QByteArray(400, '\x40');
    input.storedDate = QStringLiteral("02/03/2026 à 09:14:07 Droit");
    input.storedComment = QStringLiteral("\r\nsuite\r\n");
    input.patient.reset();
    input.averageSlider = 0;
    input.lowPassSlider = 0;
    draw();

    EXPECT_EQ(drawnWith(page, Kind::LineTo, 7).size(), 100u);
    EXPECT_TRUE(page.entries(Kind::Picture).empty());
    const auto printed = printedWithState(page);
    const Printed& header = find(printed, "[43] : ");
    EXPECT_NEAR(header.before.x, kM, kClose);
    EXPECT_TRUE(header.before.bold);
    EXPECT_FALSE(find(printed, " du 02/03/2026 à 09:14:07 Droit").before.bold);
    EXPECT_NEAR(find(printed, kIndent.repeated(2)).before.x, kM, kClose);
    EXPECT_NEAR(find(printed, kIndent.repeated(2) + "suite").before.x, kM, kClose);
    EXPECT_EQ(last(printed, 7),
              (std::vector<QString>{kIndent.repeated(2) + "suite", "[47]", kIndent + "[48]", "[49]",
                                    kIndent + "[50] ", "[51]", kIndent + "[52] 100 [32]"}))
        << "no empty line after a final break, and no patient block without a patient";

    page.clear();
    input.storedCurve.clear();
    input.mode = 2;
    draw();
    EXPECT_TRUE(page.entries(Kind::Point).empty()) << "a curve holding no samples draws nothing";
    EXPECT_EQ(last(printedWithState(page), 1).front(), kIndent + "[52] 100 [32]");
}

}  // namespace
}  // namespace corvanta::test
