#include <algorithm>

#include "report/report_texts.h"
#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

// The referring doctor on the block's top line, then the identity on the left and the
// address and telephones on the right, each column stacking only the values present.
void printPatient(const Report& r) {
    platform::Page& page = r.page;
    const ExamRow& row = r.input.row;
    const double left = r.g.Colonne[0];
    const double right = r.g.Colonne[1];
    const double leftEnd = columnRight(r, 0);
    const double rightEnd = columnRight(r, 1);
    // A value on one line, its line breaks printed as blanks.
    const auto value = [&row](const char* column) { return singleLine(row.text(column)); };
    // A line for a value that is not Null, from x, cut at the column's end.
    const auto present = [&page, &row](double x, double end, const QString& prefix,
                                       const QString& column) {
        if (const std::optional<QString> text = row.optionalText(column)) {
            printFrom(page, x, end, prefix + singleLine(*text));
        }
    };

    page.setBold(true);
    page.setFontSize(12);
    page.setCurrentY(Haut_Patient);
    printFrom(page, left, rightEnd,
              r.text(r.table.referringDoctor) + u' ' + value("Docteur_Patient"));
    page.emptyLine();
    page.setBold(false);
    page.setFontSize(10);
    const double columnTop = page.currentY();

    printFrom(page, left, leftEnd, value("Nom_Patient") + u' ' + value("Prenom_Patient"));
    present(left, leftEnd, r.text(r.table.socialSecurity) + u' ', "NumeroSS_Patient");
    present(left, leftEnd, r.text(r.table.birthDate) + u' ', "Date_Naissance_Patient");

    page.setCurrentX(right);
    page.setCurrentY(columnTop);
    present(right, rightEnd, QString(), "Adresse1_Patient");
    present(right, rightEnd, QString(), "Adresse2_Patient");
    page.setCurrentX(right);
    const double postcodeY = page.currentY();
    present(right, rightEnd, QString(), "CodePostal_Patient");
    // The town follows the postcode on its line, after one blank and its own three.
    const double townX =
        right + page.textWidth(fitted(page, value("CodePostal_Patient"), rightEnd - right) + u' ');
    if (row.optionalText("Ville_Patient")) {
        page.setCurrentY(postcodeY);
        present(std::min(townX, rightEnd), rightEnd, QStringLiteral("   "), "Ville_Patient");
    }
    present(right, rightEnd, QStringLiteral("Tel Personnel : "), "Telephone1_Patient");
    present(right, rightEnd, QStringLiteral("Tel Bureau : "), "Telephone2_Patient");
    page.emptyLine();
}

}  // namespace corvanta::report::blocks
