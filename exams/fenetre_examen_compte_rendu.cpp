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

// The exams a query gives (surname, given name, number, key) that another exam's report file
// name would be: written plain, or with its own key.
bool Meme_Fichier(platform::Recordset& autres, const QString& nom_fichier,
                  const QString& extension) {
    if (autres.recordCount() == 0)
        return false;
    for (autres.moveFirst(); !autres.eof(); autres.moveNext()) {
        const QString nom = autres.field(0).toTextOrEmpty();
        const QString prenom = autres.field(1).toTextOrEmpty();
        const QString numero = autres.field(2).toTextOrEmpty();
        for (const QString& cle : {QString(), autres.field(3).toTextOrEmpty()}) {
            if (report::examFileName(nom, prenom, numero, cle, extension) == nom_fichier)
                return true;
        }
    }
    return false;
}

// The first text after every text that begins with `debut` (in the engine's binary order of
// UTF-8, which is that of code points); empty when there is none.
QString Apres_Prefixe(const QString& debut) {
    QList<uint> points = debut.toUcs4();
    while (!points.isEmpty()) {
        uint& dernier = points.last();
        if (dernier < 0x10FFFF) {
            dernier = dernier + 1 == 0xD800 ? 0xE000 : dernier + 1;
            return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()),
                                     points.size());
        }
        points.removeLast();
    }
    return QString();
}

// Adds to `sql` that `colonne` begins with `debut`, as a range of the engine's binary order
// that the patients' name index serves; nothing for an empty start (any value, Null too).
void Ajouter_Debut(QString& sql, std::vector<platform::Value>& valeurs, const QString& colonne,
                   const QString& debut) {
    if (debut.isEmpty())
        return;
    valeurs.emplace_back(debut);
    sql += QStringLiteral(" AND %1 >= ?%2").arg(colonne).arg(valeurs.size());
    const QString apres = Apres_Prefixe(debut);
    if (apres.isEmpty())
        return;
    valeurs.emplace_back(apres);
    sql += QStringLiteral(" AND %1 < ?%2").arg(colonne).arg(valeurs.size());
}

// Whether another exam of the database, of any type, would be written under the same report
// file name as `row`: names and number compared as the file system gets them (forbidden
// characters replaced, shortened to 255 bytes), so that two patients whose long names
// shorten alike, "A/B" and "A_B", or numbers "7/5" and "7_5" are told apart from their files.
bool Nom_Fichier_Partage(platform::Database& base, const report::ExamRow& row) {
    // Every extension a report takes is four bytes: the names shorten alike for each.
    const QString extension = QStringLiteral(".pdf");
    const QString nom = row.text(QStringLiteral("Nom_Patient"));
    const QString prenom = row.text(QStringLiteral("Prenom_Patient"));
    const QString numero = row.text(QStringLiteral("Num_Examen"));
    const platform::Value cle = row.value(QStringLiteral("Code_Examen"));
    const QString nom_fichier = report::examFileName(nom, prenom, numero, QString(), extension);
    const QString noms = report::examFileNames(nom, prenom, numero, extension);
    const QString lus = QStringLiteral(
        "SELECT p.Nom_Patient, p.Prenom_Patient, e.Num_Examen, e.Code_Examen"
        " FROM Patients AS p JOIN Examens AS e ON e.\"Code_ Patient\" = p.Code_Patient"
        " WHERE e.Code_Examen <> ?1");
    const auto partage = [&](const QString& sql, const std::vector<platform::Value>& valeurs) {
        return Meme_Fichier(*base.openRecordset(sql, valeurs), nom_fichier, extension);
    };

    // Up to the first "_" (which any forbidden character gives) the written names are the
    // names as stored. A surname that ends within them ends at one of their blanks, its given
    // name then beginning with what follows; a longer one begins with all of them. The
    // patients' name index finds both, so that a large practice is not read whole.
    const qsizetype sur = noms.indexOf(u'_') < 0 ? noms.size() : noms.indexOf(u'_');
    for (qsizetype blanc = noms.indexOf(u' '); blanc >= 0 && blanc < sur;
         blanc = noms.indexOf(u' ', blanc + 1)) {
        std::vector<platform::Value> valeurs{cle};
        QString sql = lus;
        if (blanc == 0) {
            sql += QStringLiteral(" AND (p.Nom_Patient = '' OR p.Nom_Patient IS NULL)");
        } else {
            valeurs.emplace_back(noms.left(blanc));
            sql += QStringLiteral(" AND p.Nom_Patient = ?2");
        }
        Ajouter_Debut(sql, valeurs, QStringLiteral("p.Prenom_Patient"),
                      noms.mid(blanc + 1, sur - blanc - 1));
        if (partage(sql, valeurs))
            return true;
    }
    if (sur > 0) {
        std::vector<platform::Value> valeurs{cle};
        QString sql = lus;
        Ajouter_Debut(sql, valeurs, QStringLiteral("p.Nom_Patient"), noms.left(sur));
        if (partage(sql, valeurs))
            return true;
    }
    // Names that begin with a forbidden character, or none at all (an exam whose patient row
    // is gone is written without names): every exam is read, rare as such names are.
    if (sur > 0 && !noms.startsWith(u' '))
        return false;
    return partage(QStringLiteral("SELECT p.Nom_Patient, p.Prenom_Patient, e.Num_Examen,"
                                  " e.Code_Examen FROM Examens AS e LEFT JOIN Patients AS p"
                                  " ON p.Code_Patient = e.\"Code_ Patient\""
                                  " WHERE e.Code_Examen <> ?1 AND (?2 OR p.Code_Patient IS NULL)"),
                   {cle, sur == 0 ? 1 : 0});
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
