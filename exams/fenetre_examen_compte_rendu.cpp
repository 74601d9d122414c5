// What the exam windows hand to their reports, the printed report and the export of the
// report picture.
#include <QComboBox>

#include "exams/fenetre_examen.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "report/report_texts.h"
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
constexpr int kSans_Format_Image = 134;
constexpr int kExamen_Supprime = 135;

// Whether another exam of the database would take the same report file as `row`: an exam of
// a patient with the same surname and given name (the same patient or a namesake), of any
// type, whose number the window shows the same way.
bool Nom_Fichier_Partage(platform::Database& base, const report::ExamRow& row) {
    const auto autres = base.openRecordset(
        // Written so that the patients' name index finds the namesakes (a Null name is an
        // empty one in a file name): on a large practice a scan of every exam would be felt.
        QStringLiteral("SELECT e.Num_Examen FROM Examens AS e JOIN Patients AS p"
                       " ON p.Code_Patient = e.\"Code_ Patient\""
                       " WHERE (p.Nom_Patient = ?1 OR (?1 = '' AND p.Nom_Patient IS NULL))"
                       " AND (p.Prenom_Patient = ?2 OR (?2 = '' AND p.Prenom_Patient IS NULL))"
                       " AND e.Code_Examen <> ?3"),
        {row.text(QStringLiteral("Nom_Patient")), row.text(QStringLiteral("Prenom_Patient")),
         row.value(QStringLiteral("Code_Examen"))});
    const QString numero = report::examNumberText(row.text(QStringLiteral("Num_Examen")));
    if (autres->recordCount() == 0)
        return false;
    for (autres->moveFirst(); !autres->eof(); autres->moveNext()) {
        if (report::examNumberText(autres->field(0).toTextOrEmpty()) == numero)
            return true;
    }
    return false;
}

}  // namespace

std::optional<report::ExamReportInput> Fenetre_Examen::Donnees_Compte_Rendu() {
    if (!examen_affiche_)
        throw Error(platform::db_error::kNoCurrentRecord, "Recordset", "No current record.");
    // Read now, by key: another copy of the program may have deleted the exam since it was
    // shown, whatever the shared recordset still holds of it.
    const auto examen = etat_.Base_Donnees->openRecordset(
        QStringLiteral("SELECT * FROM Req_Examens_%1 WHERE Code_Examen = ?").arg(etat_.Type_Examen),
        {*examen_affiche_});
    if (examen->recordCount() == 0)
        return std::nullopt;
    examen->moveFirst();

    report::ExamReportInput entree;
    for (int i = 0; i < examen->fieldCount(); ++i)
        entree.row.set(examen->fieldName(i), examen->field(i));
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
    entree.fileNameShared = Nom_Fichier_Partage(*etat_.Base_Donnees, entree.row);
    const Reglages_Filtre filtre = principale_.Filtre_Choisi();
    entree.filter = report::libraryFilter(*etat_.Bibliotheque, filtre.moyenne, filtre.passe_bas,
                                          entree.pointCount);
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
    showWarning(this, libelle()(4, titre), libelle()(4, texte));
}

void Fenetre_Examen::Exporter_Image(report::PictureDrawer dessin) {
    if (Refuser_Compte_Rendu(kTitre_Export, kRefus_Nouvel_Examen, kRefus_Sans_Examen))
        return;
    const auto refuser = [this](int texte) { Avertir_Compte_Rendu(kTitre_Export, texte); };
    try {
        const std::optional<report::ExamReportInput> entree = Donnees_Compte_Rendu();
        if (!entree) {
            refuser(kExamen_Supprime);
            return;
        }
        const report::ExportOutcome issue =
            report::exportPicture(*entree, dessin, etat_.Repertoire_Export,
                                  etat_.Repertoire_Programme, principale_.Format_Image_Choisi());
        if (issue.kind == report::ExportOutcome::Kind::NoFolder)
            refuser(kRefus_Sans_Dossier);
        else if (issue.kind == report::ExportOutcome::Kind::ProgramFolder)
            refuser(kRefus_Dossier_Programme);
        else if (issue.kind == report::ExportOutcome::Kind::ClipboardOnly)
            refuser(kSans_Format_Image);
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
    }
}

void Fenetre_Examen::Imprimer_Page(report::ReportWindow page) {
    if (Refuser_Compte_Rendu(kTitre_Impression, kRefus_Impression_Nouvel_Examen,
                             kRefus_Impression_Sans_Examen))
        return;
    try {
        const std::optional<report::ExamReportInput> entree = Donnees_Compte_Rendu();
        if (!entree) {
            Avertir_Compte_Rendu(kTitre_Impression, kExamen_Supprime);
            return;
        }
        const QString pdf = report::printExamReport(*entree, page, etat_.Repertoire_Export);
        if (!pdf.isEmpty()) {
            showInformation(this, libelle()(4, kTitre_Impression),
                            libelle()(4, kFichier_Impression) + QStringLiteral("\n") + pdf);
        }
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
    }
}

}  // namespace corvanta
