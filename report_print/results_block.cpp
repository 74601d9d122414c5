#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

void printResults(const Report& r, double top) {
    platform::Page& page = r.page;
    const PrintedReport& t = r.table;
    const std::vector<GraphPlace>& graphs = r.g.graphes;

    page.setCurrentY(top);
    page.setBold(true);
    page.setFontSize(12);
    // Only a title chosen by type reads the row's type, before anything else of the row.
    std::optional<std::int64_t> type;
    if (!t.resultsTitle.byType.empty()) {
        type = r.input.row.choice("Code_Type");
    }
    printCentredWithin(page, 0, r.g.Largeur_Page, columnRight(r, 1) - r.g.Colonne[0],
                       r.text(t.resultsTitle, type));
    page.setFontSize(8);
    page.emptyLine();

    page.setBold(true);
    page.setFontSize(10);
    const double headsY = page.currentY();
    for (std::size_t g = 0; g < graphs.size(); ++g) {
        if (g > 0) {
            page.setCurrentY(headsY);
        }
        printCentredWithin(page, graphs[g].left, graphs[g].width, graphs[g].width,
                           r.text(t.heads[g]));
    }
    if (t.gapUnderHeads) {
        page.setBold(false);
        page.emptyLine();
    } else {
        // Back on the heads' line, so that the findings start right under the head.
        page.setCurrentY(headsY);
        page.emptyLine();
        page.setBold(false);
    }

    const double findingsTop = page.currentY();
    for (std::size_t g = 0; g < graphs.size(); ++g) {
        if (g > 0) {
            page.setCurrentY(findingsTop);
        }
        writeFindings(page, graphs[g].left, columnRight(r, graphs.size() == 1 ? 1 : g),
                      r.lines(t.results[g]));
    }
    page.emptyLine();
}

}  // namespace corvanta::report::blocks
