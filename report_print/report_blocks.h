#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/page.h"
#include "report_picture/echogram_graph.h"
#include "report_picture/exam_report.h"
#include "report_picture/report_flow.h"
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
// Frames, zones, grid and scales, then each graph's curve, date and comment. Returns the
// lowest y the comments reach.
double printEchograms(const Report& r);
// From `top`: `Haut_Resultats`, or lower where the comments above reach lower.
void printResults(const Report& r, double top);
void printConclusion(const Report& r);
void printDecision(const Report& r);
void printLetterhead(const Report& r);

}  // namespace corvanta::report::blocks
