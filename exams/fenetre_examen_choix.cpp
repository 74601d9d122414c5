// The patient and echogram choice of an exam window and the echogram previews.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <limits>
#include <optional>

#include "exams/fenetre_examen.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "widgets/curve_view.h"
#include "widgets/quorel_window.h"

namespace corvanta {

void Fenetre_Examen::Selectionner_Patient(int index) {
    {
        const QSignalBlocker bloque(Combo_Nom_Patient);
        Combo_Nom_Patient->setCurrentIndex(index);
    }
    Combo_Nom_Patient_Click();
}

void Fenetre_Examen::Selectionner_Echogramme(int cote, int index) {
    QComboBox* combo = echogrammes_[cote].combo;
    {
        const QSignalBlocker bloque(combo);
        combo->setCurrentIndex(index);
    }
    Combo_Echogramme_Click(cote);
}

void Fenetre_Examen::Combo_Nom_Patient_Click() {
    const int index = Combo_Nom_Patient->currentIndex();
    if (index < 0)
        return;
    const std::int64_t patient = Combo_Nom_Patient->itemData(index).toLongLong();
    etat_.Table_Courbes = etat_.Base_Donnees->openRecordset(
        QStringLiteral("SELECT * FROM Courbes WHERE Code_Type = ? AND Code_Patient = ?"),
        {etat_.Type_Examen, patient});
    platform::Recordset& courbes = *etat_.Table_Courbes;
    for (Echogramme& e : echogrammes_) {
        const QSignalBlocker bloque(e.combo);
        e.combo->clear();
        e.combo->setEditText(QString());  // typed text outlives clear()
    }
    if (courbes.recordCount() != 0) {
        const int date = courbes.fieldIndex(QStringLiteral("DATE"));
        const int cle = courbes.fieldIndex(QStringLiteral("ID"));
        const int courbe = courbes.fieldIndex(QStringLiteral("COURBE"));
        for (courbes.moveFirst(); !courbes.eof(); courbes.moveNext()) {
            for (Echogramme& e : echogrammes_) {
                const QSignalBlocker bloque(e.combo);
                e.combo->addItem(courbes.field(date).toTextOrEmpty(),
                                 static_cast<qlonglong>(courbes.field(cle).toInt64()));
                const platform::Value samples = courbes.field(courbe);
                if (!samples.isNull())
                    e.tag = samples.toBlob();
            }
        }
        courbes.movePrevious();
        // Filling chooses no entry.
        for (Echogramme& e : echogrammes_) {
            const QSignalBlocker bloque(e.combo);
            e.combo->setCurrentIndex(-1);
        }
    }
    if (Mode_Nouvel_Examen == 1)
        Proposer_Numero(patient);
}

void Fenetre_Examen::Proposer_Numero(std::int64_t patient) {
    // The numeric maximum over the patient's exams of every type ("10" follows "9"), among
    // the numbers that are plain integers and have a successor.
    const auto numeros = etat_.Base_Donnees->openRecordset(
        QStringLiteral("SELECT Num_Examen FROM Examens WHERE \"Code_ Patient\" = ?"), {patient});
    std::optional<std::int64_t> maximum;
    if (numeros->recordCount() != 0) {
        for (numeros->moveFirst(); !numeros->eof(); numeros->moveNext()) {
            const std::optional<std::int64_t> valeur =
                Valeur_Numero(numeros->field(0).toTextOrEmpty());
            if (valeur && *valeur < std::numeric_limits<std::int64_t>::max() &&
                (!maximum || *valeur > *maximum))
                maximum = valeur;
        }
    }
    Texte_Num_Examen->setText(Format_Numero(QString::number(maximum ? *maximum + 1 : 1)));
    Texte_Num_Examen->setSelection(0, 2);
}

void Fenetre_Examen::Apercu(int cote, const QByteArray& courbe) {
    Nombre_Points_Examen = principale_.Nombre_Points_Liste();
    const int points = std::clamp(Nombre_Points_Examen, 0, kTaille_Courbe);
    if (courbe.size() < points) {
        Effacer_Apercu(cote);
        return;
    }
    const Reglages_Filtre filtre = principale_.Filtre_Choisi();
    etat_.Bibliotheque->smooth_filter()(reinterpret_cast<const uint8_t*>(courbe.constData()),
                                        Echantillons_Apercu.data(), filtre.moyenne,
                                        filtre.passe_bas, points);
    CurveView* vue = echogrammes_[cote].apercu;
    QuorelWindow fenetre = quorelWindow(vue->image());
    etat_.Bibliotheque->preview_samples()(&fenetre, Echantillons_Apercu.data(), points);
    vue->update();
}

void Fenetre_Examen::Effacer_Apercu(int cote) {
    CurveView* vue = echogrammes_[cote].apercu;
    vue->image().fill(Qt::black);
    vue->update();
}

void Fenetre_Examen::Combo_Echogramme_Click(int cote) {
    QComboBox* combo = echogrammes_[cote].combo;
    if (combo->currentIndex() < 0)
        return;
    Effacer_Apercu(cote);
    // The curve is looked up by its own key, whatever row the shared curves stand on.
    const platform::Value courbe = etat_.Base_Donnees->queryValue(
        QStringLiteral("SELECT COURBE FROM Courbes WHERE ID = ?"),
        {static_cast<std::int64_t>(combo->currentData().toLongLong())});
    if (courbe.isNull())
        return;
    Apercu(cote, courbe.toBlob());
}

void Fenetre_Examen::Combo_Echogramme_Change(int cote) {
    if (Mode_Nouvel_Examen != 1 || !echogrammes_[cote].apercu_saisie)
        return;
    // No patient with curves chosen yet: nothing to draw.
    if (echogrammes_[cote].tag.isEmpty())
        return;
    Apercu(cote, echogrammes_[cote].tag);
}

}  // namespace corvanta
