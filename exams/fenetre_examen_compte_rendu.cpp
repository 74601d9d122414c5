// What the exam windows hand to their reports, the printed report and the export of the
// report picture.
#include <QComboBox>
#include <QSlider>

#include "exams/fenetre_examen.h"
#include "main_window/echo.h"
#include "platform/recordset.h"
#include "report_print/print_exam_report.h"
#include "widgets/message_boxes.h"

namespace corvanta {

namespace {

constexpr int kTitre_Export = 110;
constexpr int kRefus_Nouvel_Examen = 111;
constexpr int kRefus_Sans_Examen = 112;
constexpr int kRefus_Sans_Dossier = 113;
constexpr int kRefus_Dossier_Programme = 114;
constexpr int kRefus_Impression_Sans_Examen = 115;
constexpr int kRefus_Impression_Nouvel_Examen = 116;
constexpr int kFichier_Impression = 117;
constexpr int kTitre_Impression = 118;

}  // namespace

report::ExamReportInput Fenetre_Examen::Donnees_Compte_Rendu() {
    if (!Revenir_Examen_Affiche())
        throw Error(3021, "Recordset", "No current record.");
    const platform::Recordset& examen = *etat_.Table_Examens;

    report::ExamReportInput entree;
    for (int i = 0; i < examen.fieldCount(); ++i)
        entree.row.set(examen.fieldName(i), examen.field(i));
    entree.examType = etat_.Type_Examen;
    if (etat_.Type_Examen >= 0 && etat_.Type_Examen < kNombre_Types_Zones) {
        const Zones_Type& zones =
            etat_.Zones_Sensibles[static_cast<std::size_t>(etat_.Type_Examen)];
        std::copy_n(zones.begin(), kZones_Utilisees, entree.zones.begin());
    }
    entree.pointCount = Nombre_Points_Examen != 0 ? Nombre_Points_Examen : etat_.Nombre_Points;
    entree.commissioningDate = etat_.Date_Mise_En_Service;
    entree.doctor = report::currentDoctor(etat_);
    entree.texts = &etat_.Libelle;
    entree.filter = report::libraryFilter(*etat_.Bibliotheque, echo_.Slider1[0]->value(),
                                          echo_.Slider1[1]->value(), entree.pointCount);
    return entree;
}

bool Fenetre_Examen::Refuser_Compte_Rendu(int titre, int refus_nouvel_examen,
                                          int refus_sans_examen) {
    int refus = 0;
    if (Nouvel_Examen_En_Cours())
        refus = refus_nouvel_examen;
    else if (!examen_affiche_)
        refus = refus_sans_examen;
    if (refus != 0)
        Avertir_Compte_Rendu(titre, refus);
    return refus != 0;
}

void Fenetre_Examen::Avertir_Compte_Rendu(int titre, int texte) {
    Message_Attention(this, libelle()(4, titre), libelle()(4, texte));
}

void Fenetre_Examen::Exporter_Image(report::PictureDrawer dessin) {
    if (Refuser_Compte_Rendu(kTitre_Export, kRefus_Nouvel_Examen, kRefus_Sans_Examen))
        return;
    const auto refuser = [this](int texte) { Avertir_Compte_Rendu(kTitre_Export, texte); };
    try {
        const report::ExportOutcome issue = report::exportPicture(
            Donnees_Compte_Rendu(), dessin, etat_.Repertoire_Export, etat_.Repertoire_Programme,
            echo_.Combo_Format_Image->currentIndex());
        if (issue.kind == report::ExportOutcome::Kind::NoFolder)
            refuser(kRefus_Sans_Dossier);
        else if (issue.kind == report::ExportOutcome::Kind::ProgramFolder)
            refuser(kRefus_Dossier_Programme);
    } catch (const Error& erreur) {
        Afficher_Erreur(this, libelle(), erreur, form());
    }
}

void Fenetre_Examen::Imprimer_Page(report::ReportWindow page) {
    if (Refuser_Compte_Rendu(kTitre_Impression, kRefus_Impression_Nouvel_Examen,
                             kRefus_Impression_Sans_Examen))
        return;
    try {
        const QString pdf =
            report::printExamReport(Donnees_Compte_Rendu(), page, etat_.Repertoire_Export);
        if (!pdf.isEmpty()) {
            Message_Information(this, libelle()(4, kTitre_Impression),
                                libelle()(4, kFichier_Impression) + QStringLiteral("\n") + pdf);
        }
    } catch (const Error& erreur) {
        Afficher_Erreur(this, libelle(), erreur, form());
    }
}

}  // namespace corvanta
