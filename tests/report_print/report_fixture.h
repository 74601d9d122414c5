#pragma once

#include <QString>
#include <vector>

#include "app/libelle.h"
#include "platform/recording_page.h"
#include "platform/recordset.h"
#include "report_picture/exam_report.h"

namespace corvanta::test {

// Texts "form.number" for every number of forms 1, 4, 6 and 7, so that a page shows which
// text it printed.
Libelles numberedTexts();

// Every column of the current row of `rows`.
report::ExamRow rowOf(const platform::Recordset& rows);

// An exam row as the exam queries give it (the exam's columns, its patient's and its two
// curves'), every column Null.
report::ExamRow blankExamRow();

// What a recording test prints: a blank row with numbered texts, exam type 0 with its two
// default zones, 400 points, raw samples as the filter, "01/01/99" and doctor "Dr Lambert".
struct ReportCase {
    ReportCase();
    ReportCase(const ReportCase&) = delete;
    Libelles texts;
    report::ExamReportInput input;
};

// A line printed on a recording page: its text and the position and settings it was
// printed with.
struct PrintedLine {
    QString text;
    double x;
    double y;
    platform::PageState state;
};
std::vector<PrintedLine> printedLines(const platform::RecordingPage& page);
// The lines printed from the first one whose text is `from` on (all of them when empty).
std::vector<PrintedLine> linesFrom(const platform::RecordingPage& page, const QString& from,
                                   std::size_t count);

}  // namespace corvanta::test
