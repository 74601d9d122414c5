#pragma once

#include <QString>
#include <array>
#include <vector>

#include "platform/page.h"
#include "report/exam_report.h"
#include "report/report_items.h"

namespace corvanta::report {

// The pleura's examination conditions: the position (its third choice adds the free
// text), a remark, the patient's build.
struct ExaminationConditions {
    Label title{0, 0};
    std::array<Label, 3> positions{};
    Label remarkTitle{0, 0};
    Label buildTitle{0, 0};
    std::array<Label, 3> builds{};
};

// What one exam window's printed report is made of; the three windows differ only here.
struct PrintedReport {
    // Chosen by the main window's current exam type.
    ChosenLabel title;
    Label subtitle;
    Label commissioningLabel;
    // One graph per side (right curve, then left), or one across the page.
    int graphs;

    Label referringDoctor;
    Label socialSecurity;
    Label birthDate;

    enum class Band { IndicationAndImaging, ExaminationConditions };
    Band band;
    Label indicationTitle{0, 0};
    std::vector<ReportItem> indication{};
    Label imagingTitle{0, 0};
    std::vector<ReportItem> imaging{};
    ExaminationConditions conditions;

    // Chosen by the row's own exam type.
    ChosenLabel resultsTitle;
    // One head and one findings column per graph.
    std::vector<Label> heads;
    bool gapUnderHeads;
    std::vector<std::vector<ReportItem>> results;

    Label conclusionHeading;
    Label decisionTitle;
    std::vector<ReportItem> decisions;
    std::array<Label, 2> letterheadCaptions;
};

enum class ReportWindow { Sinus, Plevre, Tumeur };

const PrintedReport& printedReport(ReportWindow window);

// The exam report of `input` on one page, top to bottom, in millimetres of the page's
// printable area: title, referring doctor and patient, indication and recent imaging (or
// the examination conditions), the echogram graphs with zones, scales, curves, dates and
// comments, results, conclusion, decision and the doctor's letterhead; then the document
// is ended. Null values print as empty texts and never stop the page; a column the row
// lacks, or a failure of the page, is a corvanta::Error and leaves the document unended.
void Imprimer_Compte_Rendu(platform::Page& page, const ExamReportInput& input,
                           const PrintedReport& report);

}  // namespace corvanta::report
