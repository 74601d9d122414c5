#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

namespace {

// The decisions stand left of the letterhead box.
double decisionRight(const Report& r) {
    constexpr double kGap = 2;
    return letterheadLeft(r.g) - kGap;
}

}  // namespace

void printDecision(const Report& r, double top) {
    platform::Page& page = r.page;
    page.setBold(true);
    page.setFontSize(12);
    page.setCurrentY(top);
    printFrom(page, r.g.Colonne[0], decisionRight(r), r.text(r.table.decisionTitle));
    page.setBold(false);
    page.setFontSize(8);
    page.emptyLine();
    page.setFontSize(10);
    writeFindings(page, r.g.Colonne[0], decisionRight(r), r.lines(r.table.decisions));
}

}  // namespace corvanta::report::blocks
