#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

// The referring doctor on the block's top line, then the identity on the left and the
// address and telephones on the right, each column stacking only the values present.
void printPatient(const Report& r) {
    platform::Page& page = r.page;
    const ExamRow& row = r.input.row;
    const double left = r.g.Colonne[0];
    const double right = r.g.Colonne[1];
    // A line for a value that is not Null, at the current position.
    const auto present = [&page, &row](const QString& prefix, const QString& column) {
        if (const std::optional<QString> value = row.optionalText(column)) {
            page.printLine(prefix + *value);
        }
    };

    page.setBold(true);
    page.setFontSize(12);
    page.setCurrentX(left);
    page.setCurrentY(Haut_Patient);
    page.printLine(r.text(r.table.referringDoctor) + u' ' + row.text("Docteur_Patient"));
    page.emptyLine();
    page.setBold(false);
    page.setFontSize(10);
    const double columnTop = page.currentY();

    page.setCurrentX(left);
    page.printLine(row.text("Nom_Patient") + u' ' + row.text("Prenom_Patient"));
    page.setCurrentX(left);
    present(r.text(r.table.socialSecurity) + u' ', "NumeroSS_Patient");
    page.setCurrentX(left);
    present(r.text(r.table.birthDate) + u' ', "Date_Naissance_Patient");

    page.setCurrentX(right);
    page.setCurrentY(columnTop);
    present(QString(), "Adresse1_Patient");
    page.setCurrentX(right);
    present(QString(), "Adresse2_Patient");
    page.setCurrentX(right);
    const double postcodeY = page.currentY();
    present(QString(), "CodePostal_Patient");
    // The town follows the postcode on its line, after one blank and its own three.
    const double townX = right + page.textWidth(row.text("CodePostal_Patient") + u' ');
    if (const std::optional<QString> town = row.optionalText("Ville_Patient")) {
        page.setCurrentX(townX);
        page.setCurrentY(postcodeY);
        page.printLine(QStringLiteral("   ") + *town);
    }
    page.setCurrentX(right);
    present(QStringLiteral("Tel Personnel : "), "Telephone1_Patient");
    page.setCurrentX(right);
    present(QStringLiteral("Tel Bureau : "), "Telephone2_Patient");
    page.emptyLine();
}

}  // namespace corvanta::report::blocks
