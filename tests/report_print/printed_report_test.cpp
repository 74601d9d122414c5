#include "report_print/printed_report.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "platform/error.h"
#include "report_picture/export_pages.h"
#include "report_print/curve_page.h"
#include "tests/report_print/report_fixture.h"
#include "tests/support/application_test.h"

namespace {

using namespace corvanta::report;
using corvanta::platform::FillStyle;
using corvanta::platform::RecordingPage;
using corvanta::platform::Value;
using corvanta::test::linesFrom;
using corvanta::test::PrintedLine;
using corvanta::test::printedLines;
using corvanta::test::ReportCase;
using Kind = corvanta::platform::PageOperation::Kind;
using Corners = std::array<double, 4>;

// The recording page's metrics: a character is 0.2 x size wide, a line 0.5 x size high
// (12 points: 6 mm, 10 points: 5 mm, 8 points: 4 mm).
struct Expected {
    QString text;
    double x;
    double y;
};

void expectLines(const std::vector<PrintedLine>& lines, const std::vector<Expected>& expected) {
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, expected[i].text) << "line " << i;
        EXPECT_NEAR(lines[i].x, expected[i].x, 1e-9) << expected[i].text.toStdString();
        EXPECT_NEAR(lines[i].y, expected[i].y, 1e-9) << expected[i].text.toStdString();
    }
}

class PrintedReportTest : public ::testing::Test {
  protected:
    void SetUp() override { corvanta::test::Application(); }

    RecordingPage& print(ReportWindow window, QSizeF area = QSizeF(200, 280)) {
        page = std::make_unique<RecordingPage>(area);
        Imprimer_Compte_Rendu(*page, c.input, printedReport(window));
        return *page;
    }
    void set(const std::vector<std::pair<const char*, Value>>& columns) {
        for (const auto& [name, value] : columns) {
            c.input.row.set(name, value);
        }
    }

    ReportCase c;
    std::unique_ptr<RecordingPage> page;
};

// Frames and the letterhead box follow the page's width: columns at a twentieth and
// eleven twentieths rounded to the even millimetre, graphs 3/16 of the height.
TEST_F(PrintedReportTest, GraphsAndLetterheadFollowThePrintableArea) {
    struct Case {
        ReportWindow window;
        QSizeF area;
        std::vector<Corners> boxes;  // the frames, then the letterhead's two boxes
    };
    const Case cases[] = {
        {ReportWindow::Sinus,
         {200, 287},
         {{10, 120, 90, 173.8125},
          {110, 120, 190, 173.8125},
          {90, 242, 190, 279},
          {90, 242, 140, 279}}},
        {ReportWindow::Tumeur,
         {200, 287},
         {{10, 120, 190, 173.8125}, {90, 242, 190, 279}, {90, 242, 140, 279}}},
        {ReportWindow::Plevre,
         {210, 297},
         {{10, 120, 94.5, 175.6875},
          {116, 120, 200.5, 175.6875},
          {94.5, 242, 200.5, 289},
          {94.5, 242, 147.5, 289}}},
        // The letterhead's lines (36 mm at this page's metrics) take its box lower than 8 mm
        // above the page's bottom, to 1 mm above it.
        {ReportWindow::Tumeur,
         {230, 280},
         {{12, 120, 218, 172.5}, {103.5, 242, 217.5, 279}, {103.5, 242, 160.5, 279}}},
    };
    for (const Case& k : cases) {
        print(k.window, k.area);
        std::vector<Corners> boxes;
        for (const auto& box : page->entries(Kind::Box)) {
            if (box.after.fillStyle == FillStyle::Transparent) {
                boxes.push_back(box.operation.numbers);
                EXPECT_EQ(box.after.lineWidth, boxes.size() < k.boxes.size() - 1 ? 8 : 5);
            }
        }
        EXPECT_EQ(boxes, k.boxes) << k.area.width();
        EXPECT_EQ(page->entries().back().operation.kind, Kind::EndDocument);
        EXPECT_EQ(page->entries(Kind::EndDocument).size(), 1u);
    }
}

TEST_F(PrintedReportTest, TitleFollowsTheCurrentTypeAndStacksItsThreeLines) {
    struct Case {
        ReportWindow window;
        int type;
        QString title, subtitle, date;
    };
    const Case cases[] = {
        {ReportWindow::Sinus, 0, "4.104", "4.63", "4.64 01/01/99"},
        {ReportWindow::Sinus, 1, "4.103", "4.63", "4.64 01/01/99"},
        {ReportWindow::Sinus, 4, "4.102", "4.63", "4.64 01/01/99"},
        {ReportWindow::Sinus, 2, "", "4.63", "4.64 01/01/99"},
        {ReportWindow::Plevre, 0, "6.35", "4.63", "4.64 01/01/99"},
        {ReportWindow::Tumeur, 1, "7.100", "7.101", "7.102 01/01/99"},
    };
    for (const Case& k : cases) {
        c.input.examType = k.type;
        c.input.row.set("Code_Type", 3);  // the row's own type plays no part
        print(k.window);
        const auto centred = [](const QString& text, double size) {
            return (200 - 0.2 * size * text.size()) / 2;
        };
        const auto lines = linesFrom(*page, QString(), 3);
        expectLines(lines, {{k.title, centred(k.title, 16), 3},
                            {k.subtitle, centred(k.subtitle, 14), 3 + 8 + 7},
                            {k.date, centred(k.date, 8), 3 + 8 + 3 * 7 + 4}});
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].state.fontName, "Arial");
            EXPECT_EQ(lines[i].state.fontSize, (std::array{16, 14, 8})[i]);
            EXPECT_TRUE(lines[i].state.bold);
            EXPECT_EQ(lines[i].state.italic, i > 0);
        }
    }
}

TEST_F(PrintedReportTest, PatientColumnsStackOnlyTheValuesPresent) {
    set({{"Docteur_Patient", "Dr\r\nMartin"},
         {"Nom_Patient", "Durand"},
         {"Prenom_Patient", "Marie"},
         {"NumeroSS_Patient", "1234"},
         {"Date_Naissance_Patient", "01/02/1960"},
         {"Adresse1_Patient", "12\nrue"},
         {"Adresse2_Patient", "Bat B"},
         {"CodePostal_Patient", "75001"},
         {"Ville_Patient", "Paris"},
         {"Telephone1_Patient", "0102"},
         {"Telephone2_Patient", "0304"}});
    print(ReportWindow::Sinus);
    expectLines(linesFrom(*page, "4.65 Dr Martin", 10), {{"4.65 Dr Martin", 10, 41},
                                                         {"Durand Marie", 10, 53},
                                                         {"4.96 1234", 10, 58},
                                                         {"4.97 01/02/1960", 10, 63},
                                                         {"12 rue", 110, 53},
                                                         {"Bat B", 110, 58},
                                                         {"75001", 110, 63},
                                                         {"   Paris", 110 + 0.2 * 10 * 6, 63},
                                                         {"Tel Personnel : 0102", 110, 68},
                                                         {"Tel Bureau : 0304", 110, 73}});

    set({{"Docteur_Patient", Value()},
         {"Prenom_Patient", Value()},
         {"NumeroSS_Patient", Value()},
         {"Adresse1_Patient", Value()},
         {"CodePostal_Patient", Value()},
         {"Telephone2_Patient", ""}});
    print(ReportWindow::Tumeur);
    expectLines(linesFrom(*page, "7.65 ", 7), {{"7.65 ", 10, 41},
                                               {"Durand ", 10, 53},
                                               {"7.97 01/02/1960", 10, 58},
                                               {"Bat B", 110, 53},
                                               {"   Paris", 112, 58},
                                               {"Tel Personnel : 0102", 110, 63},
                                               {"Tel Bureau : ", 110, 68}});

    // A name too long for its column ends at the column's edge, short of the address.
    set({{"Nom_Patient", QString(30, u'N')}, {"Prenom_Patient", QString(30, u'P')}});
    print(ReportWindow::Sinus);
    expectLines(linesFrom(*page, QString(30, u'N') + u' ' + QString(17, u'P') + "…", 1),
                {{QString(30, u'N') + u' ' + QString(17, u'P') + "…", 10, 53}});
}

// The band's end is observed where the graphs' first setting follows it.
double bandEnd(const RecordingPage& page) {
    const auto& all = page.entries();
    for (std::size_t i = 1; i < all.size(); ++i) {
        if (all[i].operation.kind == Kind::LineStyle) {
            return all[i - 1].after.y;
        }
    }
    return -1;
}

TEST_F(PrintedReportTest, IndicationAndImagingCloseTheBandUnderTheLongerColumn) {
    set({{"Origine_Examen_Douleur", 1},
         {"Origine_Examen_Douleur_Type", 1},
         {"Origine_Examen_Obstruction", 2},
         {"Origine_Examen_Ecoulement", 1},
         {"Origine_Examen_Ecoulement_Type", 2},
         {"Origine_Examen_Fievre", 1},
         {"Origine_Examen_Autres_ORL", 1},
         {"Origine_Examen_Autres_ORL_Detail", "a\r\nb"},
         {"Origine_Examen_Biologiques", 1},
         {"Imagerie_Face_Standard", 1},
         {"Imagerie_Face_Standard_Status", 0},
         {"Imagerie_Echo_B", 1},
         {"Imagerie_Echo_B_Status", 2},
         {"Imagerie_Scanner", 1},
         {"Imagerie_Scanner_Status", -1}});
    print(ReportWindow::Sinus);
    expectLines(linesFrom(*page, "4.66", 9), {{"4.66", 10, 75},
                                              {"- 4.68", 10, 86},
                                              {"- 4.73", 10, 91},
                                              {"- a b", 10, 96},
                                              {"- ", 10, 101},
                                              {"4.4", 110, 75},
                                              {"- 4.74", 110, 86},
                                              {"- 4.79", 110, 91},
                                              {" 0 ", 10 - 3.2, 172.5 + 2 + 2}});
    EXPECT_DOUBLE_EQ(bandEnd(*page), 106 + 2 * 5);

    // The tumour's right column ends lower: its other imaging prints whatever it holds.
    c.input.row = corvanta::test::blankExamRow();
    set({{"Origine_Examen_Dysphagie", 1},
         {"Imagerie_Echo_B", 1},
         {"Imagerie_Echo_B_Status", 0},
         {"Imagerie_Scanner", 1},
         {"Imagerie_Scanner_Status", 1},
         {"Imagerie_Autres", 1}});
    print(ReportWindow::Tumeur);
    expectLines(linesFrom(*page, "7.66", 6), {{"7.66", 10, 75},
                                              {"- 7.70", 10, 86},
                                              {"7.4", 110, 75},
                                              {"- 7.77", 110, 86},
                                              {"- 7.81", 110, 91},
                                              {"- ", 110, 96}});
    EXPECT_DOUBLE_EQ(bandEnd(*page), 101 + 2 * 5);
}

TEST_F(PrintedReportTest, PleuraPrintsItsConditionsOverBothColumns) {
    set({{"Condition_Position", 2},
         {"Condition_Position_Detail", "assis\r\npenche"},
         {"Condition_Corpulence", 1},
         {"Imagerie_Scanner", 1},
         {"Imagerie_Scanner_Status", 0}});
    print(ReportWindow::Plevre);
    expectLines(linesFrom(*page, "6.48", 7), {{"6.48", 10, 75},
                                              {"- 6.41", 10, 86},
                                              {"- assis penche", 10, 91},
                                              {"6.19", 10, 95},
                                              {"- ", 10, 106},
                                              {"- 6.42", 110, 75},
                                              {"- 6.44", 110, 86}});
    EXPECT_DOUBLE_EQ(bandEnd(*page), 91 + 2 * 5);
}

// The curves of the worked page: graphs 80 x 52.5 from y = 120, the depth labels' line
// ending at 172.5 + 2 + 2 + 4.
TEST_F(PrintedReportTest, CurvesStopAtTheCountAndCaptionsStandUnderTheirGraphs) {
    QByteArray raw(400, '\x80');
    raw[0] = static_cast<char>(255);
    set({{"Courbes_Droites.Courbe", raw},
         {"Courbes_Droites.DATE", "12/03/24"},
         {"Courbes_Droites.Commentaire_Courbe", "un\r\ndeux"},
         {"Courbes_Gauches.Commentaire_Courbe", "seul"},
         {"Code_Type", 0}});
    c.input.pointCount = 100;
    print(ReportWindow::Sinus);
    const auto start = page->entries(Kind::Point);
    ASSERT_EQ(start.size(), 1u) << "the left curve is Null: its graph stays empty";
    EXPECT_EQ(start[0].operation.numbers, (Corners{10, 120}));
    EXPECT_EQ(start[0].after.lineWidth, 7);
    const auto steps = page->entries(Kind::LineTo);
    ASSERT_EQ(steps.size(), 100u);
    EXPECT_EQ(steps.back().operation.numbers[2], 10 + 100 * 80 / 400.0);
    EXPECT_EQ(steps.back().operation.numbers[3], 120 + 52.5 * 127 / 256);
    expectLines(linesFrom(*page, "12/03/24", 5), {{"12/03/24", 10 + (80 - 12.8) / 2, 182.5},
                                                  {"", 150, 182.5},
                                                  {"un", 10 + (80 - 3.2) / 2, 186.5},
                                                  {"deux", 10 + (80 - 6.4) / 2, 190.5},
                                                  {"seul", 110 + (80 - 6.4) / 2, 186.5}});
    EXPECT_DOUBLE_EQ(linesFrom(*page, "4.83", 1)[0].y, 194.5) << "the results go under";
}

TEST_F(PrintedReportTest, ResultsPutAHeadOverEachGraphAndItsFindingsUnder) {
    set({{"Code_Type", 1},
         {"Echogramme_Droit_Normal", 1},
         {"Echogramme_Droit_Occupe", -1},
         {"Echogramme_Droit_Autres", 1},
         {"Echogramme_Gauche_Occupe", 1},
         {"Echogramme_Gauche_Autres_Detail", "not ticked"}});
    c.input.examType = 0;
    print(ReportWindow::Sinus);
    expectLines(linesFrom(*page, "4.84", 6), {{"4.84", 95.2, 187},
                                              {"4.86", 46, 197},
                                              {"4.87", 146, 197},
                                              {"- 4.45", 10, 207},
                                              {"- ", 10, 212},
                                              {"- 4.46", 110, 207}});

    c.input.row = corvanta::test::blankExamRow();
    set({{"Echogramme_Tumeur_Homogene", 1},
         {"Echogramme_Tumeur_Autres", 1},
         {"Echogramme_Tumeur_Autres_Detail", "nodule"}});
    print(ReportWindow::Tumeur);
    expectLines(
        linesFrom(*page, "7.83", 4),
        {{"7.83", 95.2, 187}, {"7.86", 96, 197}, {"- 7.47", 10, 202}, {"- nodule", 10, 207}});
}

// The conclusion is cut by characters: one outside the 16-bit range counts as one.
TEST_F(PrintedReportTest, ConclusionTakesTwoLinesWithinThePageThenDecisionsUnderIt) {
    const QString clef = QString::fromUcs4(U"\U0001D11E");
    const QString conclusion = QString(99, u'a') + clef + QString(50, u'é');
    set({{"Examen_Compatible", conclusion},
         {"Decision_Lavage", 1},
         {"Decision_Traitement_Medical", 1},
         {"Decision_Traitement_Medical_Detail", "ains\r\n10 jours"},
         {"Decision_Traitement_Chirurgical_Detail", "not ticked"}});
    print(ReportWindow::Sinus);
    // 100 characters would run past the right margin (90 fit the 180 mm): the line ends
    // there and nothing is lost; the decisions leave an 8-point line under the conclusion.
    expectLines(linesFrom(*page, "4.48", 6),
                {{"4.48", 10, 222},
                 {QString(90, u'a'), 10, 232},
                 {QString(9, u'a') + clef + QString(50, u'é'), 10, 237},
                 {"4.49", 10, 246},
                 {"- 4.98", 10, 256},
                 {"- ains 10 jours", 10, 261}});

    set({{"Examen_Compatible", Value()}, {"Decision_Lavage", 0}});
    print(ReportWindow::Plevre);
    expectLines(linesFrom(*page, "6.27", 4),
                {{"6.27", 10, 222}, {"", 10, 232}, {"", 10, 237}, {"6.28", 10, 242}});
}

TEST_F(PrintedReportTest, LetterheadPrintsEveryLineOfTheCurrentDoctor) {
    c.input.doctor = {"Dr Lambert", "1 place", "", "0101", "", "75-123"};
    for (const ReportWindow window : {ReportWindow::Sinus, ReportWindow::Tumeur}) {
        print(window, QSizeF(200, 287));
        const QString form = window == ReportWindow::Sinus ? "4" : "7";
        const double column = 140 + 50 / 15.0;
        const auto lines = linesFrom(*page, form + ".88", 9);
        expectLines(lines, {{form + ".88", 90 + (50 - 6.4) / 2, 242 - 6},
                            {form + ".89", 140 + (50 - 6.4) / 2, 242 - 6},
                            {"Dr Lambert", column, 246},
                            {"1 place", column, 254},
                            {"", column, 258},
                            {"Tel : 0101", column, 262},
                            {"Fax : ", column, 266},
                            {"1.28  : ", column, 270},
                            {"75-123", column, 274}});
        for (const PrintedLine& line : lines) {
            EXPECT_TRUE(line.state.italic);
            EXPECT_EQ(line.state.bold, line.text == "Dr Lambert");
            EXPECT_EQ(line.state.fontSize, 8);
        }
    }
}

// A tab or U+0001 in a name or detail (written by the shell or an import) prints as one
// blank, as a line break does, on the printed report, the picture and the curve page.
TEST_F(PrintedReportTest, ControlCharactersInTextsPrintAsBlanks) {
    set({{"Nom_Patient", "DU\tPONT"},
         {"Prenom_Patient", QString("Zo\u00e9\u0001Anne")},
         {"Num_Examen", "3"},
         {"Decision_Lavage", 0},
         {"Decision_Scanner", 0},
         {"Decision_Traitement_Medical", 1},
         {"Decision_Traitement_Medical_Detail", "ains\t10 jours"}});
    c.input.doctor.name = "Dr\tLambert";
    print(ReportWindow::Sinus);
    QStringList printed;
    for (const PrintedLine& line : printedLines(*page))
        printed << line.text;
    RecordingPage picture(QSizeF(139.96, 156.9));
    drawSinusPicture(c.input, picture);
    for (const PrintedLine& line : printedLines(picture))
        printed << line.text;
    CurvePageInput curve;
    curve.texts = &c.texts;
    curve.patient = CurvePagePatient{"DU\tPONT", QString("Zo\u00e9\u0001Anne"), {}, {}};
    RecordingPage curvePage(QSizeF(200, 287));
    drawCurvePage(curvePage, curve);
    for (const PrintedLine& line : printedLines(curvePage))
        printed << line.text;

    // The patient's line on the report and the curve page, the picture's title; the decision
    // on the report and the picture; the letterhead.
    for (const auto& [wanted, times] : {std::pair{"DU PONT Zo\u00e9 Anne", 3},
                                        {"DU PONT Zo\u00e9 Anne 03", 1},
                                        {"- ains 10 jours", 2},
                                        {"Dr Lambert", 1}})
        EXPECT_EQ(printed.filter(QString(wanted)).size(), times)
            << wanted << "\n"
            << printed.join("\n").toStdString();
    for (const QString& line : printed)
        EXPECT_FALSE(line.contains(u'\t') || line.contains(QChar(1))) << line.toStdString();
}

TEST_F(PrintedReportTest, AColumnTheRowLacksStopsThePageUnended) {
    c.input.row = ExamRow();
    c.input.row.set("Docteur_Patient", "Dr Martin");
    try {
        print(ReportWindow::Sinus);
        ADD_FAILURE() << "the patient's name is not in the row";
    } catch (const corvanta::Error& error) {
        EXPECT_EQ(error.number(), 3265);
    }
    EXPECT_FALSE(page->ended());
    EXPECT_EQ(printedLines(*page).back().text, "4.65 Dr Martin");
}

}  // namespace
