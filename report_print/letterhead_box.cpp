#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

namespace {
constexpr int kBoxPen = 5;
constexpr double kBottomGap = 8;
}  // namespace

// Two equal halves beside the decisions, from the right edge of the left graph of a
// two-graph page to the right edge of its right graph, in every report: a caption over
// each half, the left half left blank for the hand, the doctor's letterhead in the right.
void printLetterhead(const Report& r) {
    platform::Page& page = r.page;
    const Geometrie_Page& g = r.g;
    const DoctorDetails& doctor = r.input.doctor;
    const double Gauche_Medecin = g.Colonne[0] + g.Largeur_Deux_Graphes;
    const double Milieu_Medecin = Gauche_Medecin + (g.Colonne[1] - g.Colonne[0]) / 2;
    const double Demi_Largeur_Medecin = Milieu_Medecin - Gauche_Medecin;
    const double bottom = g.Hauteur_Page - kBottomGap;
    const double textColumn = Milieu_Medecin + Demi_Largeur_Medecin / 15;

    page.setLineWidth(kBoxPen);
    page.setLineStyle(platform::LineStyle::Solid);
    page.setFillStyle(platform::FillStyle::Transparent);
    page.box(Gauche_Medecin, Haut_Medecin, g.Colonne[1] + g.Largeur_Deux_Graphes, bottom);
    page.box(Gauche_Medecin, Haut_Medecin, Milieu_Medecin, bottom);

    page.setFontSize(8);
    page.setItalic(true);
    for (const auto& [half, caption] : {std::pair{Gauche_Medecin, r.table.letterheadCaptions[0]},
                                        std::pair{Milieu_Medecin, r.table.letterheadCaptions[1]}}) {
        const QString text = r.text(caption);
        page.setCurrentY(Haut_Medecin - 1.5 * page.textHeight(text));
        printCentred(page, half, Demi_Largeur_Medecin, text);
    }

    page.setBold(true);
    page.setCurrentY(Haut_Medecin + page.textHeight(doctor.name));
    page.setCurrentX(textColumn);
    page.printLine(doctor.name);
    page.setBold(false);
    page.emptyLine();
    for (const QString& line :
         {doctor.address1, doctor.address2, QStringLiteral("Tel : ") + doctor.telephone,
          QStringLiteral("Fax : ") + doctor.fax, r.text(Label{1, 28}) + QStringLiteral("  : "),
          doctor.registration}) {
        page.setCurrentX(textColumn);
        page.printLine(line);
    }
}

}  // namespace corvanta::report::blocks
