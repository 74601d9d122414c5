#include "report/report_texts.h"
#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

namespace {
constexpr int kBoxPen = 5;
}  // namespace

double letterheadLeft(const Geometrie_Page& g) {
    return g.Colonne[0] + g.Largeur_Deux_Graphes;
}

// Two equal halves beside the decisions, from the right edge of the left graph of a
// two-graph page to the right edge of its right graph, in every report: a caption over
// each half, the left half left blank for the hand, the doctor's letterhead in the right.
void printLetterhead(const Report& r, double top, double bottom) {
    platform::Page& page = r.page;
    const Geometrie_Page& g = r.g;
    const DoctorDetails& doctor = r.input.doctor;
    const double Gauche_Medecin = letterheadLeft(g);
    const double Milieu_Medecin = Gauche_Medecin + (g.Colonne[1] - g.Colonne[0]) / 2;
    const double Demi_Largeur_Medecin = Milieu_Medecin - Gauche_Medecin;
    const double textColumn = Milieu_Medecin + Demi_Largeur_Medecin / 15;
    const double Droite_Medecin = g.Colonne[1] + g.Largeur_Deux_Graphes;
    // Texts keep clear of the box's right edge as far as they start from its middle.
    const double textRight = Droite_Medecin - Demi_Largeur_Medecin / 15;

    page.setLineWidth(kBoxPen);
    page.setLineStyle(platform::LineStyle::Solid);
    page.setFillStyle(platform::FillStyle::Transparent);
    page.box(Gauche_Medecin, top, Droite_Medecin, bottom);
    page.box(Gauche_Medecin, top, Milieu_Medecin, bottom);

    page.setFontSize(8);
    page.setItalic(true);
    for (const auto& [half, caption] : {std::pair{Gauche_Medecin, r.table.letterheadCaptions[0]},
                                        std::pair{Milieu_Medecin, r.table.letterheadCaptions[1]}}) {
        const QString text = r.text(caption);
        page.setCurrentY(top - 1.5 * page.textHeight(text));
        printCentredWithin(page, half, Demi_Largeur_Medecin, Demi_Largeur_Medecin, text);
    }

    page.setBold(true);
    page.setCurrentY(top + page.textHeight(doctor.name));
    printFrom(page, textColumn, textRight, singleLine(doctor.name));
    page.setBold(false);
    page.emptyLine();
    for (const QString& line :
         {doctor.address1, doctor.address2, QStringLiteral("Tel : ") + doctor.telephone,
          QStringLiteral("Fax : ") + doctor.fax, r.text(Label{1, 28}) + QStringLiteral("  : "),
          doctor.registration}) {
        printFrom(page, textColumn, textRight, singleLine(line));
    }
}

}  // namespace corvanta::report::blocks
