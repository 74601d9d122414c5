#include "report_picture/export_pages.h"

#include <optional>
#include <vector>

#include "report/echogram_graph.h"
#include "report/report_flow.h"
#include "report/report_texts.h"

namespace corvanta::report {

namespace {

using platform::Page;

struct TextId {
    int form;
    int number;
};

// A findings or decision line: written when `tested` holds 1, with a text of the table or,
// for a line that carries a detail, the detail column's text.
struct LineSpec {
    QString tested;
    std::optional<TextId> text;
    QString detail;
};

// One echogram of the page: its graph, the columns it shows and the head of its findings.
struct SideSpec {
    GraphPlace graph;
    QString curve;
    QString date;
    QString comment;
    TextId head;
};

struct ColumnSpec {
    double x;
    std::vector<LineSpec> lines;
};

// What sets one report picture apart from the others: everything else is shared.
struct PictureSpec {
    std::vector<SideSpec> sides;
    std::optional<TextId> resultsTitle;
    std::vector<ColumnSpec> findings;
    TextId conclusionHeading;
    TextId decisionHeading;
    std::vector<LineSpec> decisions;
};

constexpr double kTop = 20;
constexpr double kHeight = 40;
constexpr double kBlockX = 10;
constexpr double kBlockRight = kPicturePageWidth - kBlockX;
constexpr double kColumnGap = 2;
constexpr int kConclusionLine = 80;
constexpr int kConclusionLines = 3;

SideSpec side(const char* curves, double left, double width, TextId head) {
    const QString prefix = QString::fromLatin1(curves);
    return {{left, kTop, width, kHeight},
            prefix + QStringLiteral(".Courbe"),
            prefix + QStringLiteral(".DATE"),
            prefix + QStringLiteral(".Commentaire_Courbe"),
            head};
}

LineSpec fixed(const char* tested, TextId text) {
    return {QString::fromLatin1(tested), text, QString()};
}

LineSpec withDetail(const char* tested, const char* detail) {
    return {QString::fromLatin1(tested), std::nullopt, QString::fromLatin1(detail)};
}

// The findings of one side of a two-echogram page: normal, occupied, suggestive of a
// fluid collection, then the other findings with their detail.
ColumnSpec sideFindings(double x, const QString& side, int form, int normal) {
    const auto column = [&side](const char* finding) {
        return QStringLiteral("Echogramme_%1_%2").arg(side, QString::fromLatin1(finding));
    };
    return {x,
            {{column("Normal"), TextId{form, normal}, {}},
             {column("Occupe"), TextId{form, normal + 1}, {}},
             {column("Evocateur"), TextId{form, normal + 2}, {}},
             {column("Autres"), std::nullopt, column("Autres_Detail")}}};
}

std::vector<SideSpec> twoSides(int form, int rightHead) {
    return {side("Courbes_Droites", 10, 50, {form, rightHead}),
            side("Courbes_Gauches", 80, 50, {form, rightHead + 1})};
}

std::optional<TextId> sinusResultsTitle(int examType) {
    switch (examType) {
        case 0:
            return TextId{4, 83};
        case 1:
            return TextId{4, 84};
        case 4:
            return TextId{4, 85};
        default:
            return std::nullopt;
    }
}

PictureSpec sinusSpec(int examType) {
    return {
        twoSides(4, 86),
        sinusResultsTitle(examType),
        {sideFindings(10, QStringLiteral("Droit"), 4, 45),
         sideFindings(80, QStringLiteral("Gauche"), 4, 45)},
        {4, 48},
        {4, 49},
        {fixed("Decision_Lavage", {4, 98}), fixed("Decision_Scanner", {4, 50}),
         withDetail("Decision_Traitement_Medical", "Decision_Traitement_Medical_Detail"),
         fixed("Decision_Traitement_Endoscopie", {4, 51}),
         withDetail("Decision_Traitement_Chirurgical", "Decision_Traitement_Chirurgical_Detail")}};
}

PictureSpec pleuraSpec() {
    return {
        twoSides(6, 50),
        TextId{6, 49},
        {sideFindings(10, QStringLiteral("Droit"), 6, 23),
         sideFindings(80, QStringLiteral("Gauche"), 6, 23)},
        {4, 48},
        {4, 49},
        {fixed("Decision_Scanner", {6, 29}), fixed("Decision_Drainage", {6, 30}),
         fixed("Decision_Ponction", {6, 31}),
         withDetail("Decision_Traitement_Chirurgical", "Decision_Traitement_Chirurgical_Detail")}};
}

PictureSpec tumourSpec() {
    return {
        {side("Courbes_Droites", 10, 120, {7, 86})},
        TextId{7, 83},
        {{kBlockX,
          {fixed("Echogramme_Tumeur_Normal", {7, 45}), fixed("Echogramme_Tumeur_Liquide", {7, 46}),
           fixed("Echogramme_Tumeur_Homogene", {7, 47}),
           fixed("Echogramme_Tumeur_Heterogene", {7, 48}),
           withDetail("Echogramme_Tumeur_Autres", "Echogramme_Tumeur_Autres_Detail")}}},
        {7, 49},
        {7, 50},
        {fixed("Decision_Scanner", {7, 90}),
         withDetail("Decision_Traitement_Medical", "Decision_Traitement_Medical_Detail"),
         fixed("Decision_Traitement_Cervicotomie", {7, 91}),
         withDetail("Decision_Traitement_Chirurgical", "Decision_Traitement_Chirurgical_Detail")}};
}

const QString& textOf(const ExamReportInput& input, TextId id) {
    return input.text(id.form, id.number);
}

std::vector<Finding> findingsOf(const ExamReportInput& input, const std::vector<LineSpec>& lines) {
    std::vector<Finding> findings;
    findings.reserve(lines.size());
    for (const LineSpec& line : lines) {
        findings.push_back({input.row.ticked(line.tested),
                            line.text ? textOf(input, *line.text) : input.row.text(line.detail)});
    }
    return findings;
}

void drawCurves(const ExamReportInput& input, Page& page, const std::vector<SideSpec>& sides) {
    for (const SideSpec& s : sides) {
        const std::optional<QByteArray> raw = input.row.curve(s.curve);
        if (!raw || !input.filter) {
            continue;
        }
        plotCurve(page, s.graph, input.filter(*raw), input.pointCount, 1);
    }
}

void drawResultsHeads(const ExamReportInput& input, Page& page, const PictureSpec& spec) {
    page.setBold(true);
    page.setFontSize(10);
    page.emptyLine();
    if (spec.resultsTitle) {
        printCentredWithin(page, 0, kPicturePageWidth, kBlockRight - kBlockX,
                           textOf(input, *spec.resultsTitle));
    }
    page.setFontSize(8);
    page.emptyLine();
    const double headsTop = page.currentY();
    for (const SideSpec& s : spec.sides) {
        page.setCurrentY(headsTop);
        printCentredWithin(page, s.graph.left, s.graph.width, s.graph.width, textOf(input, s.head));
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

// The conclusion in at most three lines of 80 characters, broken between words where the
// whole text then fits; the third line only when it holds something.
QStringList conclusionLines(const ExamReportInput& input, Page& page) {
    page.setBold(false);
    page.setFontSize(6);
    QStringList lines = wrapLines(
        input.row.text(QStringLiteral("Examen_Compatible")), kConclusionLine, kConclusionLines,
        [&page](const QString& line) { return page.textWidth(line) <= kBlockRight - kBlockX; });
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

void drawConclusion(Page& page, const QString& heading, const QStringList& lines) {
    writeHeading(page, heading);
    for (const QString& line : lines) {
        printFrom(page, kBlockX, kBlockRight, line);
    }
    page.emptyLine();
}

std::vector<FindingsColumn> findingsColumns(const ExamReportInput& input, const PictureSpec& spec) {
    std::vector<FindingsColumn> columns;
    for (std::size_t c = 0; c < spec.findings.size(); ++c) {
        const double right =
            c + 1 < spec.findings.size() ? spec.findings[c + 1].x - kColumnGap : kBlockRight;
        columns.push_back({spec.findings[c].x, right, findingsOf(input, spec.findings[c].lines)});
    }
    return columns;
}

// How much of the page the blocks under the comments take, line by line as they are
// written below.
double heightUnderComments(Page& page, const PictureSpec& spec,
                           std::span<const FindingsColumn> columns, qsizetype conclusionLines,
                           int decisions) {
    const double small = lineHeightAt(page, 6);
    const double heading = lineHeightAt(page, 8, true);
    const double big = lineHeightAt(page, 10, true);
    int findings = 0;
    for (const FindingsColumn& column : columns) {
        findings = std::max(findings, tickedCount(column.findings));
    }
    const double results = big + (spec.resultsTitle ? big : 0) + 2 * heading + small;
    return results + (findings + 1) * small + heading +
           (static_cast<double>(conclusionLines) + 2) * small + heading + (decisions + 1) * small;
}

void drawPicture(const ExamReportInput& input, Page& page, const PictureSpec& spec) {
    const ExamRow& row = input.row;
    page.setScaleUnit(platform::ScaleUnit::Millimetre);
    drawTitleLine(page, singleLine(examTitle(row)), kPicturePageWidth);

    std::vector<GraphPlace> graphs;
    std::vector<GraphCaption> captions;
    for (const SideSpec& s : spec.sides) {
        graphs.push_back(s.graph);
        captions.push_back({row.optionalText(s.date), row.optionalText(s.comment)});
    }
    const double scaleBottom = drawGraphs(page, kExportGraphs, graphs, input.zones);
    drawCurves(input, page, spec.sides);

    // Comments give way to the blocks under them, which all stay on the canvas.
    const std::vector<FindingsColumn> columns = findingsColumns(input, spec);
    const QStringList conclusion = conclusionLines(input, page);
    const std::vector<Finding> decisions = findingsOf(input, spec.decisions);
    const double under =
        heightUnderComments(page, spec, columns, conclusion.size(), tickedCount(decisions));
    drawCaptions(page, graphs, captions, scaleBottom, CaptionFlow::BelowLowestColumn,
                 page.scaleHeight() - under);

    drawResultsHeads(input, page, spec);
    drawFindingsColumns(page, columns);
    drawConclusion(page, textOf(input, spec.conclusionHeading), conclusion);

    writeHeading(page, textOf(input, spec.decisionHeading));
    writeFindings(page, kBlockX, kBlockRight, decisions);
    page.setItalic(false);
}

}  // namespace

void drawSinusPicture(const ExamReportInput& input, Page& page) {
    drawPicture(input, page, sinusSpec(input.examType));
}

void drawPleuraPicture(const ExamReportInput& input, Page& page) {
    drawPicture(input, page, pleuraSpec());
}

void drawTumourPicture(const ExamReportInput& input, Page& page) {
    drawPicture(input, page, tumourSpec());
}

}  // namespace corvanta::report
