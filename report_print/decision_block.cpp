#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

void printDecision(const Report& r) {
    platform::Page& page = r.page;
    page.setBold(true);
    page.setFontSize(12);
    page.setCurrentX(r.g.Colonne[0]);
    page.setCurrentY(Haut_Decision);
    page.printLine(r.text(r.table.decisionTitle));
    page.setBold(false);
    page.setFontSize(8);
    page.emptyLine();
    page.setFontSize(10);
    writeFindings(page, r.g.Colonne[0], r.lines(r.table.decisions));
}

}  // namespace corvanta::report::blocks
