#include "report_picture/report_flow.h"

#include <algorithm>

#include "report_picture/report_texts.h"

namespace corvanta::report {

void printCentred(platform::Page& page, double left, double width, const QString& text) {
    page.setCurrentX(left + (width - page.textWidth(text)) / 2);
    page.printLine(text);
}

void drawTitleLine(platform::Page& page, const QString& title, double pageWidth) {
    page.setBold(true);
    page.setFontSize(12);
    page.emptyLine();
    printCentred(page, 0, pageWidth, title);
}

void writeFindings(platform::Page& page, double x, std::span<const Finding> findings) {
    for (const Finding& finding : findings) {
        page.setCurrentX(x);
        if (finding.ticked) {
            page.printLine(QStringLiteral("- ") + singleLine(finding.text));
        }
    }
}

void drawFindingsColumns(platform::Page& page, std::span<const FindingsColumn> columns) {
    page.setBold(false);
    page.setFontSize(6);
    const double top = page.currentY();
    double lowest = top;
    for (const FindingsColumn& column : columns) {
        page.setCurrentY(top);
        writeFindings(page, column.x, column.findings);
        lowest = std::max(lowest, page.currentY());
    }
    page.setCurrentY(lowest);
    page.emptyLine();
}

}  // namespace corvanta::report
