// Creating, saving and deleting a patient.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include "app/boite_erreur.h"
#include "patients/fiche_patient.h"
#include "patients/patients.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "widgets/message_boxes.h"
#include "widgets/text_lines.h"

namespace corvanta {

void Patients::Nouveau_Patient() {
    Effacer_Champs();
    setWindowTitle(etat_.Libelle(5, 15));
    Mode_Ajout = 1;
    Nom->setFocus();
}

void Patients::Enregistrer_Patient() {
    const Libelles& libelle = etat_.Libelle;
    if (Mode_Ajout != 1 && Code_Patient_Affiche == 0)
        return;
    if (Nom->text().isEmpty()) {
        showWarning(this, libelle(5, 12), libelle(5, 11));
        Nom->setFocus();
        return;
    }
    if (Date_Naissance->text().isEmpty()) {
        showWarning(this, libelle(5, 12), libelle(5, 13));
        Date_Naissance->setFocus();
        return;
    }
    // A date that is not a real date is refused before anything is written; the boxes
    // keep what was typed so that it can be corrected.
    const auto date_naissance = Date_Naissance_Stockee(Date_Naissance->text());
    if (!date_naissance) {
        showStop(this, libelle(5, 12), libelle(5, 14));
        Date_Naissance->setFocus();
        return;
    }

    platform::Recordset* table = nullptr;
    try {
        table = &Table();
        if (Mode_Ajout == 1) {
            table->addNew();
        } else {
            if (!table->moveToKey(Code_Patient_Affiche)) {
                throw Error(3167, "Recordset", "Record is deleted.");
            }
            table->edit();
        }
    } catch (const Error& erreur) {
        Erreur(erreur);
        return;
    }

    std::int64_t cle = 0;
    try {
        Ecrire_Fiche(*table, *date_naissance);
        cle = table->update();
    } catch (const Error& erreur) {
        // Nothing half-written: the row keeps its old values and the boxes what was typed.
        table->cancelUpdate();
        showStop(this, libelle(5, 15),
                 QStringLiteral("   ") + libelle(4, 44) + QStringLiteral(" : ") +
                     Description_Erreur(libelle, erreur));
        return;
    }
    // The main window keeps showing its current patient, and storing curves for him,
    // until this window closes: only a new name of that same patient shows at once.
    QWidget* principale = parentWidget();
    if (principale != nullptr && cle == etat_.Code_Patient_Courant) {
        principale->setWindowTitle(QStringLiteral("Corvanta - ") + Nom->text() + QLatin1Char(' ') +
                                   Prenom->text());
    }
    if (Apres_Enregistrement)
        Apres_Enregistrement(cle);
    Rafraichir_Apres_Enregistrement(cle);
}

void Patients::Ecrire_Fiche(platform::Recordset& table, const QString& date_naissance) {
    for (const Champ& champ : Champs()) {
        QString valeur = champ.boite->text();
        if (champ.boite == Date_Naissance)
            valeur = date_naissance;
        if (champ.boite == Numero_SS)
            valeur = Numero_SS_Stocke(valeur);
        table.setField(QString::fromLatin1(champ.colonne), valeur);
    }
    table.setField(
        QStringLiteral("Commentaire_Patient"),
        untouchedStoredText(Commentaire).value_or(Commentaire_Stocke(Commentaire->toPlainText())));
}

// The list shows the recordset again (the search again, when it holds a search result)
// and the saved patient is shown, or the first one when the search leaves him out.
void Patients::Rafraichir_Apres_Enregistrement(std::int64_t cle) {
    try {
        platform::Recordset& table = Table();
        table.requery();
        Mode_Ajout = 0;
        Remplir_Lignes();
        if (!table.moveToKey(cle))
            Aller_Premiere_Ligne();
        Afficher_Patient();
    } catch (const Error& erreur) {
        Erreur(erreur);
    }
    setWindowTitle(etat_.Libelle(5, 15));
}

void Patients::Supprimer_Patient() {
    if (Code_Patient_Affiche == 0)
        return;
    const std::int64_t cle = Code_Patient_Affiche;
    QString question = etat_.Libelle(5, 17);
    try {
        platform::Database& base = Base();
        const auto compter = [&](const QString& sql) {
            return base.queryValue(sql, {cle}).toInt64();
        };
        const std::int64_t examens =
            compter(QStringLiteral("SELECT COUNT(*) FROM Examens WHERE \"Code_ Patient\" = ?"));
        const std::int64_t courbes =
            compter(QStringLiteral("SELECT COUNT(*) FROM Courbes WHERE Code_Patient = ?"));
        // Named as stored, whatever the boxes show now: the user sees whom one OK removes
        // with all his records.
        const QString nom =
            base.queryValue(QStringLiteral("SELECT COALESCE(Nom_Patient, '') || ' ' || "
                                           "COALESCE(Prenom_Patient, '') FROM Patients "
                                           "WHERE Code_Patient = ?"),
                            {cle})
                .toTextOrEmpty();
        question += QLatin1Char('\n') + etat_.Libelle(5, 22).arg(nom);
        question += QLatin1Char('\n') + etat_.Libelle(5, 21).arg(examens).arg(courbes);
    } catch (const Error& erreur) {
        Erreur(erreur);
        return;
    }
    if (!confirm(this, etat_.Libelle(5, 15), question))
        return;
    try {
        platform::Recordset& table = Table();
        if (!table.moveToKey(cle)) {
            throw Error(3167, "Recordset", "Record is deleted.");
        }
        Supprimer_Dossier(table, cle);
        Code_Patient_Affiche = 0;
        Remplir_Lignes();
        Aller_Premiere_Ligne();
        if (etat_.Table_Examens)
            etat_.Table_Examens->requery();
        if (etat_.Table_Courbes)
            etat_.Table_Courbes->requery();
    } catch (const Error& erreur) {
        Erreur(erreur);
    }
    Afficher_Patient();
}

void Patients::Supprimer_Dossier(platform::Recordset& table, std::int64_t cle) {
    platform::Database& base = Base();
    bool retire = false;
    try {
        platform::Database::Transaction transaction(base);
        // The exams first: the database keeps a curve as long as an exam shows it.
        base.execute(QStringLiteral("DELETE FROM Examens WHERE \"Code_ Patient\" = ?"), {cle});
        base.execute(QStringLiteral("DELETE FROM Courbes WHERE Code_Patient = ?"), {cle});
        table.deleteCurrent();
        retire = true;
        transaction.commit();
    } catch (const Error&) {
        // Rolled back: the patient is still there, and a member of the list again.
        if (retire) {
            table.requery();
            table.moveToKey(cle);
        }
        throw;
    }
}

}  // namespace corvanta
