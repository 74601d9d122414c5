#include <algorithm>

#include "report/report_texts.h"
#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

namespace {

void printHeading(platform::Page& page, double x, double right, double y, const QString& heading) {
    page.setBold(true);
    page.setFontSize(12);
    page.setCurrentY(y);
    printFrom(page, x, right, heading);
    page.setBold(false);
    page.setFontSize(10);
    page.emptyLine();
}

void printChoice(const Report& r, double x, double right, const QString& column,
                 std::span<const Label> labels) {
    if (const std::optional<QString> label = r.chosen(column, labels)) {
        printFrom(r.page, x, right, QStringLiteral("- ") + *label);
    }
}

}  // namespace

double printIndication(const Report& r) {
    const double right = columnRight(r, 0);
    printHeading(r.page, r.g.Colonne[0], right, Haut_Indication, r.text(r.table.indicationTitle));
    writeFindings(r.page, r.g.Colonne[0], right, r.lines(r.table.indication));
    const double basIndication = r.page.currentY();
    r.page.emptyLine();
    return basIndication;
}

void printImaging(const Report& r, double basIndication) {
    platform::Page& page = r.page;
    const double right = columnRight(r, 1);
    printHeading(page, r.g.Colonne[1], right, Haut_Indication, r.text(r.table.imagingTitle));
    writeFindings(page, r.g.Colonne[1], right, r.lines(r.table.imaging));
    page.setCurrentY(std::max(basIndication, page.currentY()));
    page.emptyLine();
    page.emptyLine();
}

// Position and remark on the left, from the band's top and from a fixed top below it; the
// build on the right. The band closes two lines under the build.
void printConditions(const Report& r) {
    platform::Page& page = r.page;
    const ExaminationConditions& c = r.table.conditions;
    const double left = r.g.Colonne[0];
    const ExamRow& row = r.input.row;

    const double leftEnd = columnRight(r, 0);
    const double rightEnd = columnRight(r, 1);

    printHeading(page, left, leftEnd, Haut_Indication, r.text(c.title));
    page.setCurrentX(left);
    printChoice(r, left, leftEnd, "Condition_Position", c.positions);
    if (row.choice("Condition_Position") == std::int64_t{2}) {
        printFrom(page, left, leftEnd,
                  QStringLiteral("- ") + singleLine(row.text("Condition_Position_Detail")));
    }
    page.emptyLine();

    printHeading(page, left, leftEnd, Haut_Remarque, r.text(c.remarkTitle));
    printFrom(page, left, leftEnd,
              QStringLiteral("- ") + singleLine(row.text("Condition_Remarque")));
    page.emptyLine();

    printHeading(page, r.g.Colonne[1], rightEnd, Haut_Indication,
                 QStringLiteral("- ") + r.text(c.buildTitle));
    page.setCurrentX(r.g.Colonne[1]);
    printChoice(r, r.g.Colonne[1], rightEnd, "Condition_Corpulence", c.builds);
    page.emptyLine();
    page.emptyLine();
}

}  // namespace corvanta::report::blocks
