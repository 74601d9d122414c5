// The patients tab: the patient list and the current patient with his stored curves.
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "main_window/echo.h"
#include "patients/patients.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/sqlite_statement.h"
#include "widgets/keyed_lines.h"
#include "widgets/message_boxes.h"
#include "widgets/patient_choice.h"
#include "widgets/text_lines.h"

namespace corvanta {

namespace {

QString Nom_Affiche(const platform::Recordset& patients) {
    return patients.field(QStringLiteral("Nom_Patient")).toTextOrEmpty() + QStringLiteral(" ") +
           patients.field(QStringLiteral("Prenom_Patient")).toTextOrEmpty();
}

}  // namespace

void Echo::Remplir_Liste_Nom() {
    Remplir_Liste_Nom(etat_.Nom_Patient_Courant.isEmpty()
                          ? std::nullopt
                          : std::optional<std::int64_t>(etat_.Code_Patient_Courant));
}

void Echo::Remplir_Liste_Nom(std::optional<std::int64_t> patient) {
    platform::Recordset& patients = *etat_.Table_Patients;
    // One line a patient still in the file (another copy of the program may have deleted
    // some since the recordset was opened); each line keeps its patient's key, so that
    // homonyms stay apart.
    const KeyedLines& lignes = fillPatientChoice(*Liste_Nom, patients);
    const int ligne_courante = patient ? std::max(lignes.rowOfKey(*patient), 0) : 0;
    if (patients.recordCount() != 0) {
        // Where walking every record leaves it.
        patients.moveLast();
        patients.moveNext();
    }
    if (!patient) {
        if (patients.recordCount() != 0)
            patients.moveFirst();
        return;
    }
    if (Liste_Nom->count() == 0) {
        // Every patient is gone, the current one with them.
        if (etat_.Code_Patient_Courant != 0)
            Oublier_Patient();
        return;
    }
    Selectionner(Liste_Nom, ligne_courante, [this] { Liste_Nom_Click(); });
}

void Echo::Liste_Nom_Click() {
    etat_.Nom_Patient_Courant = Liste_Nom->currentText();
    if (etat_.Nom_Patient_Courant.isEmpty())
        return;
    try {
        const platform::Value cle = Liste_Nom->currentData().toLongLong();
        if (etat_.Table_Patients->findFirst(QStringLiteral("Code_Patient = ?"), {cle})) {
            Choisir_Patient(*etat_.Table_Patients);
            return;
        }
        // A search of the patient window may hold fewer patients than this list shows:
        // the patient is then read from the table itself, by his key.
        const auto seul = etat_.Base_Donnees->openRecordset(
            QStringLiteral("SELECT * FROM Patients WHERE Code_Patient = ?"), {cle});
        if (seul->recordCount() == 0) {
            Oublier_Patient();
            showWarning(this, etat_.Libelle(1, 44), etat_.Libelle(1, 85));
            return;
        }
        seul->moveFirst();
        Choisir_Patient(*seul);
    } catch (const Error& erreur) {
        showErrorBox(this, etat_.Libelle, erreur);
    }
}

void Echo::Choisir_Patient(const platform::Recordset& patients) {
    Text1->setPlainText(
        toBoxText(patients.field(QStringLiteral("Commentaire_Patient")).toTextOrEmpty()));
    Charger_Patient(patients);
}

void Echo::ChargePatient() {
    Charger_Patient(*etat_.Table_Patients);
}

void Echo::Charger_Patient(const platform::Recordset& patients) {
    const QString nom = Nom_Affiche(patients);
    const std::int64_t cle = patients.field(QStringLiteral("Code_Patient")).toInt64();
    etat_.Nom_Patient_Courant = nom;
    etat_.Code_Patient_Courant = cle;
    patient_enregistre_ = 0;
    setWindowTitle(QStringLiteral("Corvanta - ") + etat_.Nom_Type_Examen + QStringLiteral(" - ") +
                   nom);
    Charger_Courbes_Patient();
}

void Echo::Charger_Courbes_Patient() {
    etat_.Table_Courbes = etat_.Base_Donnees->openRecordset(
        QStringLiteral("SELECT * FROM Courbes WHERE Code_Type = ? AND Code_Patient = ? "
                       "ORDER BY ID DESC"),
        {etat_.Type_Examen, etat_.Code_Patient_Courant});
    platform::Recordset& courbes = *etat_.Table_Courbes;
    const QSignalBlocker bloque(List1);
    List1->clear();
    Vider_Commentaire_Courbe();
    if (courbes.recordCount() == 0)
        return;
    const int date = courbes.fieldIndex(QStringLiteral("DATE"));
    for (courbes.moveFirst(); !courbes.eof(); courbes.moveNext()) {
        auto* ligne = new QListWidgetItem(courbes.field(date).toTextOrEmpty(), List1);
        ligne->setData(Qt::UserRole, static_cast<qlonglong>(courbes.currentKey()));
    }
    courbes.movePrevious();
    List1->setCurrentRow(-1);
}

// The chosen line names a patient who is gone: nobody is current, so nothing can be
// stored for the wrong patient.
void Echo::Oublier_Patient() {
    etat_.Nom_Patient_Courant.clear();
    etat_.Code_Patient_Courant = 0;
    setWindowTitle(Titre_Type(etat_.Type_Examen));
    {
        const QSignalBlocker bloque(Liste_Nom);
        Liste_Nom->setCurrentIndex(-1);
    }
    Text1->clear();
    {
        const QSignalBlocker bloque(List1);
        List1->clear();
    }
    Vider_Commentaire_Courbe();
}

void Echo::Menu_Gestion_Patients_Click() {
    if (!fenetre_patients_) {
        fenetre_patients_ = std::make_unique<Patients>(etat_, this);
        fenetre_patients_->Apres_Enregistrement = [this](std::int64_t cle) {
            patient_enregistre_ = cle;
        };
        fenetre_patients_->Apres_Fermeture = [this] {
            // The refill chooses the patient's line and loads him.
            if (patient_enregistre_ != 0)
                Remplir_Liste_Nom(patient_enregistre_);
            else
                Remplir_Liste_Nom();
        };
    }
    fenetre_patients_->Ouvrir();
}

}  // namespace corvanta
