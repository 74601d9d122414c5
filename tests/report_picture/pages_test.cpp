#include <gtest/gtest.h>

#include <cmath>

#include "report_picture/canvas_page.h"
#include "tests/report_picture/picture_fixture.h"
#include "tests/support/application_test.h"
#include "tests/support/captures.h"

namespace {

using namespace corvanta::report;
using corvanta::platform::RecordingPage;
using corvanta::platform::Value;
using corvanta::test::blackAlongRow;
using corvanta::test::Kind;
using corvanta::test::px;
using corvanta::test::sampleExam;
using corvanta::test::tick;

struct Line {
    QString text;
    double x;
    double y;
    bool operator==(const Line& other) const {
        return text == other.text && std::abs(x - other.x) < 1e-9 && std::abs(y - other.y) < 1e-9;
    }
};

void PrintTo(const Line& line, std::ostream* out) {
    *out << '"' << line.text.toStdString() << "\" at (" << line.x << ", " << line.y << ')';
}

// The lines written from the dates down (the scales end above y = 70), each with the place
// it was written at.
std::vector<Line> linesBelowGraphs(const RecordingPage& page) {
    std::vector<Line> lines;
    const auto& all = page.entries();
    for (std::size_t i = 1; i < all.size(); ++i) {
        const auto& before = all[i - 1].after;
        if (all[i].operation.kind == Kind::PrintLine && before.y >= 70)
            lines.push_back({all[i].operation.text, before.x, before.y});
    }
    return lines;
}

// The recording page writes 0.2 x size mm a character and 0.5 x size mm a line: the scales
// end at 68, the dates (bold 8) stand at 70, the results title (bold 10) 5 mm under the
// captions, the heads 4 mm under it, findings and text lines (regular 6) every 3 mm.
TEST(PicturePagesTest, EachPageWritesItsBlocksWhereTheFlowPutsThem) {
    const QString medical = "Amoxicilline\r\n8 jours";
    const QString longText = QString(100, u'a') + QString(100, u'b') + QString(50, u'c');
    struct Case {
        const char* name;
        corvanta::report::ExamReportInput input;
        std::vector<Line> expected;
    };
    std::vector<Case> cases;

    // A longer right column: the conclusion goes under it, not over its third line.
    auto sinus = sampleExam(0);
    tick(sinus, {"Echogramme_Droit_Normal", "Echogramme_Droit_Occupe", "Echogramme_Droit_Evocateur",
                 "Echogramme_Gauche_Normal", "Decision_Lavage", "Decision_Scanner",
                 "Decision_Traitement_Medical", "Decision_Traitement_Endoscopie",
                 "Decision_Traitement_Chirurgical"});
    sinus.row.set("Decision_Traitement_Medical_Detail", Value(medical));
    sinus.row.set("Decision_Traitement_Chirurgical_Detail", Value());
    sinus.row.set("Examen_Compatible", Value(QString(80, u'x') + "yz"));
    cases.push_back({"sinus",
                     sinus,
                     {{"12/03/2024 D", 25.4, 70},
                      {"12/03/2024 G", 95.4, 70},
                      {"4.83", 66, 79},
                      {"4.86", 31.8, 88},
                      {"4.87", 101.8, 88},
                      {"- 4.45", 10, 95},
                      {"- 4.46", 10, 98},
                      {"- 4.47", 10, 101},
                      {"- 4.45", 80, 95},
                      {"4.48", 10, 107},
                      {QString(80, u'x'), 10, 114},
                      {"yz", 10, 117},
                      {"4.49", 10, 123},
                      {"- 4.98", 10, 130},
                      {"- 4.50", 10, 133},
                      {"- Amoxicilline 8 jours", 10, 136},
                      {"- 4.51", 10, 139},
                      {"- ", 10, 142}}});

    // A three-line comment under the right graph with breaks of every kind, a Null date, a
    // Null conclusion; the scanner decision in the pleura's own words.
    auto pleura = sampleExam(2);
    tick(pleura, {"Echogramme_Gauche_Occupe", "Decision_Scanner"});
    pleura.row.set("Courbes_Droites.DATE", Value());
    pleura.row.set("Courbes_Droites.Commentaire_Courbe", Value("un\ndeux\r\ntrois\r"));
    pleura.row.set("Examen_Compatible", Value());
    cases.push_back({"pleura",
                     pleura,
                     {{"", 35, 70},
                      {"12/03/2024 G", 95.4, 70},
                      {"un", 33.4, 74},
                      {"deux", 31.8, 78},
                      {"trois", 31, 82},
                      {"6.49", 66, 91},
                      {"6.50", 31.8, 100},
                      {"6.51", 101.8, 100},
                      {"- 6.24", 80, 107},
                      {"4.48", 10, 113},
                      {"", 10, 120},
                      {"", 10, 123},
                      {"4.49", 10, 129},
                      {"- 6.29", 10, 136}}});

    // One wide graph; a conclusion of 250 characters without a blank takes the four lines
    // of 80 characters it needs.
    auto tumour = sampleExam(3);
    tick(tumour, {"Echogramme_Tumeur_Heterogene", "Echogramme_Tumeur_Autres",
                  "Decision_Traitement_Cervicotomie", "Decision_Drainage"});
    tumour.row.set("Echogramme_Tumeur_Autres_Detail", Value("kyste\ngauche"));
    tumour.row.set("Examen_Compatible", Value(longText));
    cases.push_back({"tumour",
                     tumour,
                     {{"12/03/2024 D", 60.4, 70},
                      {"7.83", 66, 79},
                      {"7.86", 66.8, 88},
                      {"- 7.48", 10, 95},
                      {"- kyste gauche", 10, 98},
                      {"7.49", 10, 104},
                      {longText.left(80), 10, 111},
                      {longText.mid(80, 80), 10, 114},
                      {longText.mid(160, 80), 10, 117},
                      {longText.mid(240), 10, 120},
                      {"7.50", 10, 126},
                      {"- 7.91", 10, 133}}});

    for (const Case& c : cases) {
        RecordingPage page(QSizeF(139.96, 156.9));
        corvanta::test::drawerOf(c.input.examType)(c.input, page);
        EXPECT_EQ(linesBelowGraphs(page), c.expected) << c.name;
        EXPECT_EQ(page.state().fontSize, 6) << c.name;
        EXPECT_FALSE(page.state().bold || page.state().italic) << c.name;
        const auto title = page.entries(Kind::PrintLine).front();
        EXPECT_EQ(title.operation.text, "Martin Anne 03") << c.name;
        EXPECT_DOUBLE_EQ(title.after.y, 12) << c.name;
    }
}

TEST(PicturePagesTest, TheSinusResultsTitleFollowsTheCurrentExamType) {
    const std::pair<int, QString> titles[] = {{0, "4.83"}, {1, "4.84"}, {4, "4.85"}, {2, "4.86"}};
    for (const auto& [type, first] : titles) {
        RecordingPage page(QSizeF(139.96, 156.9));
        drawSinusPicture(sampleExam(type), page);
        const auto lines = linesBelowGraphs(page);
        ASSERT_GT(lines.size(), 2u);
        EXPECT_EQ(lines[2].text, first) << "type " << type;
    }
}

// The graphs of each page, as the recording sees them: frames and zone boxes where the
// millimetres put them, one step per point up to the count, no curve for a Null one.
TEST(PicturePagesTest, CurvesStopAtTheCountAndANullCurveDrawsNone) {
    using Corners = std::array<double, 4>;
    struct Case {
        int type;
        std::vector<Corners> boxes;
    };
    const Case cases[] = {
        {0,
         {{10, 20, 60, 60},
          {80, 20, 130, 60},
          {14.375, 20, 19.375, 60},
          {31.875, 20, 41.25, 60},
          {84.375, 20, 89.375, 60},
          {101.875, 20, 111.25, 60}}},
        {3, {{10, 20, 130, 60}, {20.5, 20, 32.5, 60}, {62.5, 20, 85, 60}}},
    };
    for (const Case& c : cases) {
        auto input = sampleExam(c.type);
        input.pointCount = 200;
        input.row.set("Courbes_Gauches.Courbe", Value());
        RecordingPage page(QSizeF(139.96, 156.9));
        corvanta::test::drawerOf(c.type)(input, page);
        std::vector<Corners> boxes;
        for (const auto& box : page.entries(Kind::Box))
            boxes.push_back(box.operation.numbers);
        EXPECT_EQ(boxes, c.boxes) << c.type;
        const auto steps = page.entries(Kind::LineTo);
        ASSERT_EQ(static_cast<int>(steps.size()), 200) << "the right curve only";
        EXPECT_DOUBLE_EQ(steps.back().after.x, c.type == 3 ? 70 : 35);
        EXPECT_EQ(page.entries(Kind::Point).size(), 1u);
    }
}

// Each page on the real canvas, its curves filtered by the curve library (no smoothing)
// at a constant level of 64, 300 points: every graph holds its grid columns and zone edges,
// the grey of its first zone and that zone's threshold, and the curve's row is black from
// the left edge to 3/4 of the width and holds nothing but the grid past it.
TEST(PicturePagesTest, GraphsAndCurvesFallOnThePixelsTheirMillimetresGive) {
    corvanta::test::Application();
    for (const int type : {0, 2, 3}) {
        auto input = sampleExam(type);
        input.pointCount = 300;
        input.filter = libraryFilter(corvanta::quorel::program_library(), 0, 0, 300);
        CanvasPage canvas;
        corvanta::test::drawerOf(type)(input, canvas);
        const QImage& image = canvas.image();
        const double width = type == 3 ? 120 : 50;
        for (const double left : type == 3 ? std::vector{10.0} : std::vector{10.0, 80.0}) {
            const auto depth = [&](double mm) { return px(left + mm * width / 80); };
            std::set<int> grid;
            for (int k = 0; k <= 8; ++k)
                grid.insert(depth(10 * k));
            std::set<int> edges = grid;
            for (const double mm : {7, 15, 35, 50})
                edges.insert(depth(mm));
            EXPECT_EQ(blackAlongRow(image, px(23), px(left) - 1, px(left + width) + 1), edges);
            EXPECT_EQ(image.pixel(depth(11), px(23)), qRgb(224, 224, 224));
            EXPECT_EQ(blackAlongRow(image, px(32.8), depth(7), depth(15)).size(),
                      static_cast<std::size_t>(depth(15) - depth(7) + 1));
            const int level = px(20 + 40 * (255 - 64) / 256.0);
            const int end = px(left + width * 300 / 400);
            EXPECT_EQ(blackAlongRow(image, level, px(left), end).size(),
                      static_cast<std::size_t>(end - px(left) + 1))
                << type;
            std::set<int> past = blackAlongRow(image, level, end + 1, px(left + width) + 1);
            std::erase_if(grid, [end](int x) { return x <= end; });
            EXPECT_EQ(past, grid) << type;
        }
        ASSERT_TRUE(image.save(corvanta::test::Dossier_Captures() +
                               QStringLiteral("/report_picture_%1.png").arg(type)));
    }
}

}  // namespace
