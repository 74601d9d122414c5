#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/page.h"
#include "report/echogram_graph.h"
#include "report/exam_report.h"
#include "report/report_flow.h"
#include "report_print/printed_report.h"

// The blocks of the printed report, in page order. Each sets its own font size and bold
// and, where it has a top of its own, its start position, whatever the block before it
// left; positions are millimetres of the printable area.
namespace corvanta::report::blocks {

inline constexpr double Haut_Titre = 3;
inline constexpr double Haut_Patient = 41;
inline constexpr double Haut_Indication = 75;
inline constexpr double Haut_Remarque = 95;
inline constexpr double Haut_Graphes = 120;
inline constexpr double Haut_Resultats = 187;
inline constexpr double Haut_Conclusion = 222;
inline constexpr double Haut_Decision = 242;
inline constexpr double Haut_Medecin = 242;
// The letterhead box ends this far above the page's bottom.
inline constexpr double Marge_Bas_Medecin = 8;

// The page's layout, fixed from its printable area before anything is printed.
struct Geometrie_Page {
    double Largeur_Page;
    double Hauteur_Page;
    // The left and right columns, whole millimetres; the graphs' left edges.
    std::array<double, 2> Colonne;
    double Marge;
    // One of two graphs side by side, or the single graph across both columns.
    double Largeur_Graphe;
    double Hauteur_Graphe;
    // The width of one of two graphs side by side, whatever the report.
    double Largeur_Deux_Graphes;
    std::vector<GraphPlace> graphes;
};

Geometrie_Page pageGeometry(double largeurPage, double hauteurPage, int graphs);

// One report being printed: its page, layout, values and window table.
struct Report {
    platform::Page& page;
    const Geometrie_Page& g;
    const ExamReportInput& input;
    const PrintedReport& table;

    QString text(Label label) const;
    // Empty for a type the label does not name.
    QString text(const ChosenLabel& label, std::optional<std::int64_t> type) const;
    // The label a list column picks by its value 0, 1, 2...; none for Null or any other value.
    std::optional<QString> chosen(const QString& column, std::span<const Label> labels) const;
    // The lines of a list block: a flag read first, its choice or detail only when ticked.
    std::vector<Finding> lines(std::span<const ReportItem> items) const;
};

// Font "Arial", then the title, subtitle and commissioning date, centred.
void printTitle(const Report& r);
void printPatient(const Report& r);
// The left column of the band; returns where it ends (`Bas_Indication`).
double printIndication(const Report& r);
// The right column, then the band is closed two lines under the lower column.
void printImaging(const Report& r, double basIndication);
void printConditions(const Report& r);
// Frames, zones, grid and scales, then each graph's curve, date and comment, the comments
// stopping above `commentsBottom`. Returns the lowest y the comments reach.
double printEchograms(const Report& r, double commentsBottom);

// Where the blocks under the echograms stand. Each keeps its fixed top unless the block
// above reaches it, then follows one 8-point line under that block's last text; the
// letterhead stands beside the decisions, lower when its captions would meet the
// conclusion, and its box reaches lower than usual when its lines need it.
struct Bas_De_Page {
    double Haut_Resultats;
    double Haut_Conclusion;
    double Haut_Decision;
    double Haut_Medecin;
    double Bas_Medecin;
};

// The heights, from their tops to the bottom of their last text, of the blocks of `r`, and
// the conclusion's lines.
struct Hauteurs_Blocs {
    double resultats;
    double conclusion;
    double decision;
    double medecin;
    // The space between a block's last text and the next block, and the letterhead
    // captions' room above its box.
    double ecart;
    double legendes;
    // The conclusion as printed: the lines it needs within the page (conclusionLines()).
    QStringList lignesConclusion;
};
Hauteurs_Blocs blockHeights(const Report& r);
// The tops of the blocks for results starting at `hautResultats`, and the letterhead box's
// bottom: 8 mm above the page's bottom, lower (never past the page) when its lines need it.
Bas_De_Page pageBottom(const Report& r, const Hauteurs_Blocs& h, double hautResultats);
// The lowest the comments may reach for every block under them to stay on the page, its
// letterhead inside its usual box (never above `Haut_Resultats`).
double commentsLimit(const Report& r, const Hauteurs_Blocs& h);

// A title centred on the page, a head centred over each graph, then each graph's ticked
// findings in its column, every column from the same top.
void printResults(const Report& r, double top);
void printConclusion(const Report& r, double top, const QStringList& lines);
// The conclusion in the lines it needs (two at least, at most `mostLines`), broken between
// words where that takes no more lines (wrapLines()).
QStringList conclusionLines(const Report& r, int mostLines);
void printDecision(const Report& r, double top);
void printLetterhead(const Report& r, double top, double bottom);
// The letterhead box's left edge: the right edge of the left graph of a two-graph page.
double letterheadLeft(const Geometrie_Page& g);
// The right edge texts of the page's columns stop at: the left column's ends short of the
// right one, the right one's (or one across the page) at the right margin.
double columnRight(const Report& r, std::size_t column);

}  // namespace corvanta::report::blocks
