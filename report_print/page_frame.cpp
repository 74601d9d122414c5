#include <algorithm>
#include <cmath>

#include "report_print/report_blocks.h"

namespace corvanta::report {

namespace blocks {

namespace {

// Halfway goes to the even neighbour: 10.5 gives 10, 115.5 gives 116.
double roundHalfEven(double value) {
    if (std::abs(value - std::trunc(value)) == 0.5) {
        return 2 * std::round(value / 2);
    }
    return std::round(value);
}

}  // namespace

Geometrie_Page pageGeometry(double largeurPage, double hauteurPage, int graphs) {
    Geometrie_Page g{};
    g.Largeur_Page = largeurPage;
    g.Hauteur_Page = hauteurPage;
    g.Colonne = {roundHalfEven(largeurPage / 20), roundHalfEven(11 * largeurPage / 20)};
    g.Marge = largeurPage / 20;
    g.Largeur_Deux_Graphes = (largeurPage - 2 * g.Colonne[0]) / 2 - g.Marge;
    g.Largeur_Graphe = graphs == 1 ? largeurPage - 2 * g.Colonne[0] : g.Largeur_Deux_Graphes;
    g.Hauteur_Graphe = (hauteurPage / 2 - hauteurPage / 8) / 2;
    for (int i = 0; i < graphs; ++i) {
        g.graphes.push_back(GraphPlace{g.Colonne[static_cast<std::size_t>(i)], Haut_Graphes,
                                       g.Largeur_Graphe, g.Hauteur_Graphe});
    }
    return g;
}

QString Report::text(Label label) const {
    return labelText(input, label);
}

QString Report::text(const ChosenLabel& label, std::optional<std::int64_t> type) const {
    const std::optional<Label> picked = label.pick(type);
    return picked ? text(*picked) : QString();
}

std::optional<QString> Report::chosen(const QString& column, std::span<const Label> labels) const {
    return chosenText(input, column, labels);
}

std::vector<Finding> Report::lines(std::span<const ReportItem> items) const {
    return itemLines(input, items);
}

// Each line below the title stands one line of its own font lower than the line before
// it ends, leaving that much blank.
void printTitle(const Report& r) {
    platform::Page& page = r.page;
    const double width = r.g.Largeur_Page;
    page.setFontName(QStringLiteral("Arial"));
    page.setFontSize(16);
    page.setBold(true);
    page.setCurrentY(Haut_Titre);
    printCentred(page, 0, width, r.text(r.table.title, r.input.examType));

    page.setFontSize(14);
    page.setItalic(true);
    const QString subtitle = r.text(r.table.subtitle);
    page.setCurrentY(page.currentY() + page.textHeight(subtitle));
    printCentred(page, 0, width, subtitle);
    page.setItalic(false);
    page.emptyLine();

    page.setFontSize(8);
    page.setItalic(true);
    const QString date = r.text(r.table.commissioningLabel) + u' ' + r.input.commissioningDate;
    page.setCurrentY(page.currentY() + page.textHeight(date));
    printCentred(page, 0, width, date);
    page.setItalic(false);
    page.emptyLine();
}

double columnRight(const Report& r, std::size_t column) {
    constexpr double kColumnGap = 2;
    return column == 0 ? r.g.Colonne[1] - kColumnGap : r.g.Largeur_Page - r.g.Colonne[0];
}

namespace {

// The letterhead's last line keeps clear of its box's bottom edge, the box of the page's.
constexpr double kInsideBox = 1;
constexpr double kPageFoot = 1;

}  // namespace

Hauteurs_Blocs blockHeights(const Report& r) {
    platform::Page& page = r.page;
    const double heading = lineHeightAt(page, 12, true);
    const double small = lineHeightAt(page, 8);
    const double text = lineHeightAt(page, 10);
    const double captionLine = lineHeightAt(page, 8, false, true);
    int findings = 0;
    for (const std::vector<ReportItem>& column : r.table.results) {
        findings = std::max(findings, tickedCount(r.lines(column)));
    }
    Hauteurs_Blocs h{
        .resultats = heading + lineHeightAt(page, 8, true) + lineHeightAt(page, 10, true) +
                     (r.table.gapUnderHeads ? text : 0) + findings * text,
        .conclusion = 0,
        .decision = heading + small + tickedCount(r.lines(r.table.decisions)) * text,
        .medecin = 2 * lineHeightAt(page, 8, true, true) + 7 * captionLine,
        .ecart = small,
        .legendes = 1.5 * captionLine,
        .lignesConclusion = {},
    };
    // The conclusion takes the lines it needs down to where the decisions, and the
    // letterhead in a box reaching the page's foot, still fit under it.
    const double hauteur = r.g.Hauteur_Page;
    const double top = std::max(Haut_Conclusion, Haut_Resultats + h.resultats + h.ecart);
    const double lowest = std::min(hauteur - h.decision - h.ecart,
                                   hauteur - kPageFoot - kInsideBox - h.medecin - h.legendes);
    const int room = static_cast<int>(std::floor((lowest - top - heading - small) / text + 1e-6));
    // Never fewer than the two lines the block always had.
    h.lignesConclusion = conclusionLines(r, std::max(room, 2));
    qsizetype written = h.lignesConclusion.size();
    while (written > 0 && h.lignesConclusion[written - 1].isEmpty()) {
        --written;
    }
    h.conclusion = heading + small + static_cast<double>(written) * text;
    return h;
}

Bas_De_Page pageBottom(const Report& r, const Hauteurs_Blocs& h, double hautResultats) {
    Bas_De_Page b{};
    b.Haut_Resultats = hautResultats;
    b.Haut_Conclusion = std::max(Haut_Conclusion, hautResultats + h.resultats + h.ecart);
    const double basConclusion = b.Haut_Conclusion + h.conclusion;
    b.Haut_Decision = std::max(Haut_Decision, basConclusion + h.ecart);
    b.Haut_Medecin = std::max({Haut_Medecin, b.Haut_Decision, basConclusion + h.legendes});
    const double page = r.g.Hauteur_Page;
    b.Bas_Medecin = std::clamp(b.Haut_Medecin + h.medecin + kInsideBox, page - Marge_Bas_Medecin,
                               page - kPageFoot);
    return b;
}

double commentsLimit(const Report& r, const Hauteurs_Blocs& h) {
    const double page = r.g.Hauteur_Page;
    const double box = page - Marge_Bas_Medecin - kInsideBox - h.medecin;
    const double lowestConclusion =
        std::min({page - h.decision - h.ecart, box - h.ecart, box - h.legendes});
    return std::max(Haut_Resultats, lowestConclusion - h.conclusion - h.ecart - h.resultats);
}

}  // namespace blocks

void Imprimer_Compte_Rendu(platform::Page& page, const ExamReportInput& input,
                           const PrintedReport& table) {
    using namespace blocks;
    page.setScaleUnit(platform::ScaleUnit::Millimetre);
    const Geometrie_Page g = pageGeometry(page.scaleWidth(), page.scaleHeight(), table.graphs);
    const Report r{page, g, input, table};
    printTitle(r);
    printPatient(r);
    if (table.band == PrintedReport::Band::IndicationAndImaging) {
        printImaging(r, printIndication(r));
    } else {
        printConditions(r);
    }
    // Comments reaching below the results' top push the blocks under them down rather than
    // being printed over, and stop where those blocks would leave the page.
    const Hauteurs_Blocs heights = blockHeights(r);
    const double comments = printEchograms(r, commentsLimit(r, heights));
    const Bas_De_Page bottom = pageBottom(r, heights, std::max(Haut_Resultats, comments));
    printResults(r, bottom.Haut_Resultats);
    printConclusion(r, bottom.Haut_Conclusion, heights.lignesConclusion);
    printDecision(r, bottom.Haut_Decision);
    printLetterhead(r, bottom.Haut_Medecin, bottom.Bas_Medecin);
    page.endDocument();
}

}  // namespace corvanta::report
