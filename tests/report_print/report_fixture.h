#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/libelle.h"
#include "platform/recording_page.h"
#include "platform/recordset.h"
#include "report/exam_report.h"

namespace corvanta::test {

// Texts "form.number" for every number of forms 1, 4, 6 and 7, so that a page shows which
// text it printed.
Libelles numberedTexts();

// A conclusion of the 199 characters the window takes, in accented capitals and words, as
// many practices type it.
QString capitalConclusion();

// Every column of the current row of `rows`.
report::ExamRow rowOf(const platform::Recordset& rows);

// An exam row as the exam queries give it (the exam's columns, its patient's and its two
// curves'), every column Null.
report::ExamRow blankExamRow();

// The program's side of a report: exam type 0 with its two default zones, 400 points,
// commissioning date "01/01/99", doctor "Dr Lambert".
void setProgramValues(report::ExamReportInput& input);

// The curve library's filter as the main window's sliders at 2 and 1 set it, 400 points.
std::function<std::vector<std::uint8_t>(const QByteArray&)> libraryFilter();

// What a recording test prints: a blank row with numbered texts, the program values
// above and the raw samples as the filter.
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
