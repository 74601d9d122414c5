#pragma once

#include <QString>

#include "report/exam_report.h"
#include "report_print/printed_report.h"

namespace corvanta::report {

// The PDF a report is written to where the machine has no printer:
// "<Nom> <Prenom> <NN>.pdf" in `exportFolder`, made safe as the report picture's name.
// Empty when the folder is empty.
QString reportPdfFile(const ExamRow& row, const QString& exportFolder, bool withKey = false);

// Prints the exam report of `input` with the table of `window` on the printer that
// openPrinter() gives: the default printer, or, without one, the PDF reportPdfFile()
// names (an existing file of that name is replaced). Returns that PDF's path, or an empty
// text when the page went to a printer. Any failure cancels the job (no file is left
// behind) and is a corvanta::Error.
QString printExamReport(const ExamReportInput& input, ReportWindow window,
                        const QString& exportFolder);

}  // namespace corvanta::report
