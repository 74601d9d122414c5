#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "report/exam_report.h"
#include "report/report_flow.h"

// What the per-type tables of every report medium are written in: the texts they print
// by form and number, and the lines of their list blocks by the exam's columns.
namespace corvanta::report {

// An interface text, by form and number.
struct Label {
    int form;
    int number;
};

// A label fixed for the window, or chosen by an exam type.
struct ChosenLabel {
    Label fixed{0, 0};
    std::vector<std::pair<int, Label>> byType{};

    // The fixed label, or the one `type` picks; none for a type the list does not name.
    std::optional<Label> pick(std::optional<std::int64_t> type) const;
};

// One line of a list block (indication, imaging, findings, decisions), written as "- " and
// its text only when `flag` holds 1. The text is the `detail` column when there is one,
// else the label that the `choice` column picks by its value 0, 1, 2 (no line for any
// other value), else the one label.
struct ReportItem {
    QString flag;
    std::vector<Label> labels;
    QString choice;
    QString detail;
};

// A line with one label.
ReportItem labelled(const char* flag, Label label);
// A line whose label the `choice` column picks.
ReportItem chosen(const char* flag, const char* choice, std::vector<Label> labels);
// A line that writes the `detail` column.
ReportItem detailed(const char* flag, const char* detail);

// The findings of one side's echogram (`side` "Droit" or "Gauche"): normal, occupied and
// suggestive of a fluid collection, labelled `normal` and the two numbers after it, then
// the other findings with their detail.
std::vector<ReportItem> sideFindings(const QString& side, int form, int normal);

// The columns of the curve a report's echogram `graph` shows: the right side's curve in
// the first graph, the left side's in the second.
struct CurveColumns {
    QString curve;
    QString date;
    QString comment;
};
CurveColumns curveColumns(std::size_t graph);

QString labelText(const ExamReportInput& input, Label label);
// The label the list column `column` picks by its value 0, 1, 2...; none for Null or any
// other value.
std::optional<QString> chosenText(const ExamReportInput& input, const QString& column,
                                  std::span<const Label> labels);
// The lines of a list block: each flag read first, its choice or detail only when ticked.
std::vector<Finding> itemLines(const ExamReportInput& input, std::span<const ReportItem> items);

}  // namespace corvanta::report
