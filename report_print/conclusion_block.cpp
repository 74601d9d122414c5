#include <algorithm>

#include "report/report_texts.h"
#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

namespace {

constexpr qsizetype kConclusionLine = 100;
constexpr int kFewestConclusionLines = 2;

}  // namespace

QStringList conclusionLines(const Report& r, int mostLines) {
    platform::Page& page = r.page;
    const double width = columnRight(r, 1) - r.g.Colonne[0];
    const platform::PageState before = page.state();
    page.setBold(false);
    page.setFontSize(10);
    QStringList lines =
        wrapLines(r.input.row.text("Examen_Compatible"),
                  {kConclusionLine, kFewestConclusionLines, std::max(mostLines, 1),
                   [&page, width](const QString& line) { return page.textWidth(line) <= width; }});
    page.setFontSize(before.fontSize);
    page.setBold(before.bold);
    return lines;
}

// The conclusion in the lines it needs, two at least, always printed.
void printConclusion(const Report& r, double top, const QStringList& lines) {
    platform::Page& page = r.page;
    const double left = r.g.Colonne[0];
    const double right = columnRight(r, 1);
    page.setBold(true);
    page.setFontSize(12);
    page.setCurrentY(top);
    printFrom(page, left, right, r.text(r.table.conclusionHeading));
    page.setBold(false);
    page.setFontSize(8);
    page.emptyLine();
    page.setFontSize(10);
    for (const QString& line : lines) {
        printFrom(page, left, right, line);
    }
    page.emptyLine();
    page.setBold(false);
    page.setFontSize(10);
    page.setCurrentX(left);
    page.emptyLine();
}

}  // namespace corvanta::report::blocks
