// The curve print page: the live view or a stored curve, with the patient and the settings.
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <algorithm>

#include "main_window/couleur_stockee.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "report/picture_files.h"
#include "report_print/curve_page.h"
#include "widgets/message_boxes.h"

namespace corvanta {

namespace {

constexpr int kCourbe_Supprimee = 100;

std::optional<QString> Texte_Facultatif(const platform::Value& valeur) {
    if (valeur.isNull())
        return std::nullopt;
    return valeur.toText();
}

// The curves of the patient that sit in a comparison slot, whatever their exam type.
std::vector<report::CurvePageLegendEntry> Legende(platform::Database& base, std::int64_t patient) {
    const auto courbes =
        base.openRecordset(QStringLiteral("SELECT COULEUR, DATE, Commentaire_Courbe FROM Courbes "
                                          "WHERE Code_Patient = ? AND IMPRIMER <> 0 ORDER BY ID"),
                           {patient});
    std::vector<report::CurvePageLegendEntry> legende;
    if (courbes->recordCount() == 0)
        return legende;
    for (courbes->moveFirst(); !courbes->eof(); courbes->moveNext()) {
        legende.push_back({Couleur_De_Stockee(courbes->field(0).toInt32()),
                           courbes->field(1).toTextOrEmpty(), Texte_Facultatif(courbes->field(2))});
    }
    return legende;
}

}  // namespace

std::optional<report::CurvePagePatient> Echo::Patient_Imprime() const {
    if (etat_.Code_Patient_Courant == 0)
        return std::nullopt;
    const auto patient = etat_.Base_Donnees->openRecordset(
        QStringLiteral("SELECT Nom_Patient, Prenom_Patient, NumeroSS_Patient, "
                       "Date_Naissance_Patient FROM Patients WHERE Code_Patient = ?"),
        {etat_.Code_Patient_Courant});
    if (patient->recordCount() == 0)
        return std::nullopt;
    patient->moveFirst();
    return report::CurvePagePatient{
        patient->field(0).toTextOrEmpty(), patient->field(1).toTextOrEmpty(),
        Texte_Facultatif(patient->field(2)), Texte_Facultatif(patient->field(3))};
}

bool Echo::Remplir_Page_Courbe(report::CurvePageInput& page) const {
    page.texts = &etat_.Libelle;
    page.commissioningDate = etat_.Date_Mise_En_Service;
    const Zones_Type& zones = etat_.Zones_Sensibles.at(static_cast<std::size_t>(etat_.Type_Examen));
    std::copy_n(zones.begin(), page.zones.size(), page.zones.begin());
    page.pointCount = etat_.Nombre_Points;
    page.averageSlider = Slider1[0]->value();
    page.lowPassSlider = Slider1[1]->value();
    page.patient = Patient_Imprime();

    if (page.mode == report::kCurvePageAcquisition) {
        page.liveCurve = Courbe_Filtree;
        for (std::size_t i = 0; i < Courbes_Affichees.size(); ++i) {
            if (Selection_Courbes[i] == 255)
                page.comparisons.push_back(
                    {Courbes_Affichees[i], Shape1[i]->palette().color(QPalette::Window)});
        }
        std::copy_n(etat_.Zones_Courantes.begin(), page.peaks.size(), page.peaks.begin());
        for (std::size_t z = 0; z < page.pins.size(); ++z)
            page.pins[z] = Picture5[z]->pixmap().toImage();
        page.legendTextColour = LabelTag->palette().color(QPalette::WindowText);
        page.legend = Legende(*etat_.Base_Donnees, etat_.Code_Patient_Courant);
    } else if (page.mode == report::kCurvePageStoredCurve) {
        const auto courbe = etat_.Base_Donnees->openRecordset(
            QStringLiteral("SELECT DATE, Commentaire_Courbe, COURBE FROM Courbes WHERE ID = ?"),
            {Cle_Courbe_Selectionnee()});
        if (courbe->recordCount() == 0)
            return false;
        courbe->moveFirst();
        page.storedDate = courbe->field(0).toTextOrEmpty();
        page.storedComment = Texte_Facultatif(courbe->field(1));
        if (!courbe->field(2).isNull())
            page.storedCurve = courbe->field(2).toBlob();
    }
    return true;
}

void Echo::Imprimer_Courbe(int Mode_Impression) {
    const Libelles& l = etat_.Libelle;
    try {
        report::CurvePageInput page;
        page.mode = Mode_Impression;
        page.printedAt = QDateTime::currentDateTime();
        if (!Remplir_Page_Courbe(page)) {
            // The curves are read again, without the one that is gone.
            Courbe_Supprimee_Ailleurs(0, std::nullopt);
            showWarning(this, l(1, 91), l(1, kCourbe_Supprimee));
            return;
        }
        const QString ecrit = report::printCurvePage(page, etat_.Repertoire_Export);
        if (!ecrit.isEmpty())
            showInformation(this, l(1, 91), l(1, 92) + QStringLiteral("\n") + ecrit);
    } catch (const Error& erreur) {
        showErrorBox(this, l, erreur);
    }
}

void Echo::Bouton_Imprimer_Courbe_Acquisition_Click() {
    Imprimer_Courbe(report::kCurvePageAcquisition);
}

}  // namespace corvanta
