#include "report_picture/export_pages.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "report/echogram_graph.h"
#include "report/report_flow.h"
#include "report/report_items.h"
#include "report/report_texts.h"

namespace corvanta::report {

namespace {

using platform::Page;

// One echogram of the page: its graph, the columns it shows and the head of its findings.
struct SideSpec {
    GraphPlace graph;
    CurveColumns columns;
    Label head;
};

struct ColumnSpec {
    double x;
    std::vector<ReportItem> items;
};

// What sets one report picture apart from the others: everything else is shared.
struct PictureSpec {
    std::vector<SideSpec> sides;
    // Chosen by the input's exam type; a type it does not name leaves the line out.
    ChosenLabel resultsTitle;
    std::vector<ColumnSpec> findings;
    Label conclusionHeading;
    Label decisionHeading;
    std::vector<ReportItem> decisions;
};

constexpr double kTop = 20;
constexpr double kHeight = 40;
constexpr double kBlockX = 10;
constexpr double kBlockRight = kPicturePageWidth - kBlockX;
constexpr double kColumnGap = 2;
constexpr int kConclusionLine = 80;
constexpr int kConclusionLines = 2;

SideSpec side(std::size_t graph, double left, double width, Label head) {
    return {{left, kTop, width, kHeight}, curveColumns(graph), head};
}

// The findings of one side of a two-echogram page.
ColumnSpec sideColumn(double x, const QString& side, int form, int normal) {
    return {x, sideFindings(side, form, normal)};
}

std::vector<SideSpec> twoSides(int form, int rightHead) {
    return {side(0, 10, 50, {form, rightHead}), side(1, 80, 50, {form, rightHead + 1})};
}

PictureSpec sinusSpec() {
    return {
        twoSides(4, 86),
        {.byType = {{0, {4, 83}}, {1, {4, 84}}, {4, {4, 85}}}},
        {sideColumn(10, QStringLiteral("Droit"), 4, 45),
         sideColumn(80, QStringLiteral("Gauche"), 4, 45)},
        {4, 48},
        {4, 49},
        {labelled("Decision_Lavage", {4, 98}), labelled("Decision_Scanner", {4, 50}),
         detailed("Decision_Traitement_Medical", "Decision_Traitement_Medical_Detail"),
         labelled("Decision_Traitement_Endoscopie", {4, 51}),
         detailed("Decision_Traitement_Chirurgical", "Decision_Traitement_Chirurgical_Detail")}};
}

PictureSpec pleuraSpec() {
    return {
        twoSides(6, 50),
        {.fixed = {6, 49}},
        {sideColumn(10, QStringLiteral("Droit"), 6, 23),
         sideColumn(80, QStringLiteral("Gauche"), 6, 23)},
        {4, 48},
        {4, 49},
        {labelled("Decision_Scanner", {6, 29}), labelled("Decision_Drainage", {6, 30}),
         labelled("Decision_Ponction", {6, 31}),
         detailed("Decision_Traitement_Chirurgical", "Decision_Traitement_Chirurgical_Detail")}};
}

PictureSpec tumourSpec() {
    return {
        {side(0, 10, 120, {7, 86})},
        {.fixed = {7, 83}},
        {{kBlockX,
          {labelled("Echogramme_Tumeur_Normal", {7, 45}),
           labelled("Echogramme_Tumeur_Liquide", {7, 46}),
           labelled("Echogramme_Tumeur_Homogene", {7, 47}),
           labelled("Echogramme_Tumeur_Heterogene", {7, 48}),
           detailed("Echogramme_Tumeur_Autres", "Echogramme_Tumeur_Autres_Detail")}}},
        {7, 49},
        {7, 50},
        {labelled("Decision_Scanner", {7, 90}),
         detailed("Decision_Traitement_Medical", "Decision_Traitement_Medical_Detail"),
         labelled("Decision_Traitement_Cervicotomie", {7, 91}),
         detailed("Decision_Traitement_Chirurgical", "Decision_Traitement_Chirurgical_Detail")}};
}

void drawCurves(const ExamReportInput& input, Page& page, const std::vector<SideSpec>& sides) {
    for (const SideSpec& s : sides) {
        const std::optional<QByteArray> raw = input.row.curve(s.columns.curve);
        if (!raw || !input.filter) {
            continue;
        }
        plotCurve(page, s.graph, input.filter(*raw), input.pointCount, 1);
    }
}

void drawResultsHeads(const ExamReportInput& input, Page& page, const PictureSpec& spec,
                      std::optional<Label> resultsTitle) {
    page.setBold(true);
    page.setFontSize(10);
    page.emptyLine();
    if (resultsTitle) {
        printCentredWithin(page, 0, kPicturePageWidth, kBlockRight - kBlockX,
                           labelText(input, *resultsTitle));
    }
    page.setFontSize(8);
    page.emptyLine();
    const double headsTop = page.currentY();
    for (const SideSpec& s : spec.sides) {
        page.setCurrentY(headsTop);
        printCentredWithin(page, s.graph.left, s.graph.width, s.graph.width,
                           labelText(input, s.head));
    }
    page.setBold(false);
    page.setFontSize(6);
    page.emptyLine();
}

void writeHeading(Page& page, const QString& heading) {
    page.setBold(true);
    page.setFontSize(8);
    printFrom(page, kBlockX, kBlockRight, heading);
    page.setBold(false);
    page.setFontSize(6);
    page.emptyLine();
}

// The conclusion as the picture draws it: its lines and the width of its letters.
struct Conclusion {
    QStringList lines;
    int stretch = 100;
};

// The conclusion in lines of 80 characters, two at least, broken between words where that
// takes no more lines. A conclusion that needs more than `room` lines has its letters
// narrowed until it fits them; only a text longer than the window takes (written elsewhere)
// may still not fit, and keeps what the lines hold.
Conclusion conclusionLines(const ExamReportInput& input, Page& page, int room) {
    constexpr int kNarrowest = 50;
    page.setBold(false);
    page.setFontSize(6);
    const QString text = input.row.text(QStringLiteral("Examen_Compatible"));
    const auto wrap = [&](int stretch, int mostLines) {
        page.setFontStretch(stretch);
        QStringList lines = wrapLines(
            text, {kConclusionLine, kConclusionLines, mostLines, [&page](const QString& line) {
                       return page.textWidth(line) <= kBlockRight - kBlockX;
                   }});
        page.setFontStretch(100);
        return lines;
    };
    room = std::max(room, kConclusionLines);
    Conclusion conclusion{wrap(100, 0), 100};
    if (conclusion.lines.size() <= room) {
        return conclusion;
    }
    // The widest letters that still fit the room.
    int fits = kNarrowest;
    int tooWide = 100;
    while (tooWide - fits > 1) {
        const int middle = (fits + tooWide) / 2;
        (wrap(middle, 0).size() <= room ? fits : tooWide) = middle;
    }
    return {wrap(fits, room), fits};
}

void drawConclusion(Page& page, const QString& heading, const Conclusion& conclusion) {
    writeHeading(page, heading);
    page.setFontStretch(conclusion.stretch);
    for (const QString& line : conclusion.lines) {
        printFrom(page, kBlockX, kBlockRight, line);
    }
    page.setFontStretch(100);
    page.emptyLine();
}

std::vector<FindingsColumn> findingsColumns(const ExamReportInput& input, const PictureSpec& spec) {
    std::vector<FindingsColumn> columns;
    for (std::size_t c = 0; c < spec.findings.size(); ++c) {
        const double right =
            c + 1 < spec.findings.size() ? spec.findings[c + 1].x - kColumnGap : kBlockRight;
        columns.push_back({spec.findings[c].x, right, itemLines(input, spec.findings[c].items)});
    }
    return columns;
}

// How much of the page the blocks under the comments take, line by line as they are
// written below.
double heightUnderComments(Page& page, bool resultsTitle, std::span<const FindingsColumn> columns,
                           qsizetype conclusionLines, int decisions) {
    const double small = lineHeightAt(page, 6);
    const double heading = lineHeightAt(page, 8, true);
    const double big = lineHeightAt(page, 10, true);
    int findings = 0;
    for (const FindingsColumn& column : columns) {
        findings = std::max(findings, tickedCount(column.findings));
    }
    const double results = big + (resultsTitle ? big : 0) + 2 * heading + small;
    return results + (findings + 1) * small + heading +
           (static_cast<double>(conclusionLines) + 2) * small + heading + (decisions + 1) * small;
}

void drawPicture(const ExamReportInput& input, Page& page, const PictureSpec& spec) {
    const ExamRow& row = input.row;
    const std::optional<Label> resultsTitle = spec.resultsTitle.pick(input.examType);
    page.setScaleUnit(platform::ScaleUnit::Millimetre);
    drawTitleLine(page, singleLine(examTitle(row)), kPicturePageWidth);

    std::vector<GraphPlace> graphs;
    std::vector<GraphCaption> captions;
    for (const SideSpec& s : spec.sides) {
        graphs.push_back(s.graph);
        captions.push_back({row.optionalText(s.columns.date), row.optionalText(s.columns.comment)});
    }
    const double scaleBottom = drawGraphs(page, kExportGraphs, graphs, input.zones);
    drawCurves(input, page, spec.sides);

    // Comments give way to the blocks under them, which all stay on the canvas; the
    // conclusion takes the lines it needs of what the page has without comments.
    const std::vector<FindingsColumn> columns = findingsColumns(input, spec);
    const std::vector<Finding> decisions = itemLines(input, spec.decisions);
    const auto under = [&](qsizetype conclusionLines) {
        return heightUnderComments(page, resultsTitle.has_value(), columns, conclusionLines,
                                   tickedCount(decisions));
    };
    const double room = page.scaleHeight() - commentTop(page, scaleBottom) - under(0);
    const Conclusion conclusion = conclusionLines(
        input, page, static_cast<int>(std::floor(room / lineHeightAt(page, 6) + 1e-6)));
    drawCaptions(page, graphs, captions, scaleBottom, CaptionFlow::BelowLowestColumn,
                 page.scaleHeight() - under(conclusion.lines.size()));

    drawResultsHeads(input, page, spec, resultsTitle);
    drawFindingsColumns(page, columns);
    drawConclusion(page, labelText(input, spec.conclusionHeading), conclusion);

    writeHeading(page, labelText(input, spec.decisionHeading));
    writeFindings(page, kBlockX, kBlockRight, decisions);
    page.setItalic(false);
}

}  // namespace

void drawSinusPicture(const ExamReportInput& input, Page& page) {
    drawPicture(input, page, sinusSpec());
}

void drawPleuraPicture(const ExamReportInput& input, Page& page) {
    drawPicture(input, page, pleuraSpec());
}

void drawTumourPicture(const ExamReportInput& input, Page& page) {
    drawPicture(input, page, tumourSpec());
}

}  // namespace corvanta::report
