#include "report_print/print_exam_report.h"

#include "platform/error.h"
#include "report/exam_report.h"
#include "report/report_texts.h"
#include "report_print/printer_page.h"

namespace corvanta::report {

QString reportPdfFile(const ExamRow& row, const QString& exportFolder, bool withKey) {
    if (exportFolder.isEmpty()) {
        return QString();
    }
    return examFile(exportFolder, row, QStringLiteral(".pdf"), withKey);
}

QString printExamReport(const ExamReportInput& input, ReportWindow window,
                        const QString& exportFolder) {
    OpenedPrinter printer =
        openPrinter(reportPdfFile(input.row, exportFolder, input.fileNameShared));
    Imprimer_Compte_Rendu(*printer.page, input, printedReport(window));
    return printer.pdfFile;
}

}  // namespace corvanta::report
