// Creating, saving and deleting a patient.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <algorithm>

#include "app/boite_erreur.h"
#include "patients/fiche_patient.h"
#include "patients/patients.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/sqlite_statement.h"
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

    const bool ajout = Mode_Ajout == 1;
    // What the user changed in the patient shown: only that is written.
    const std::vector<std::size_t> modifies =
        ajout ? std::vector<std::size_t>{} : affiche_.changed();
    std::vector<std::size_t> contestes;
    platform::Recordset* table = nullptr;
    std::int64_t cle = 0;
    bool ecrit = false;
    try {
        table = &Table();
        // Under the file's write lock: what is read here stays as it is until the write.
        platform::Database::Transaction transaction(
            Base(), platform::Database::Transaction::Lock::Immediate);
        if (ajout) {
            table->addNew();
        } else {
            if (!table->moveToKey(Code_Patient_Affiche))
                throw Error(platform::db_error::kRecordDeleted, "Recordset", "Record is deleted.");
            // The patient as stored now; gone, he reads as deleted.
            contestes = affiche_.changedElsewhere(
                modifies, [table](const QString& colonne) { return table->field(colonne); });
            // Read even when nothing was changed: a patient gone throws here.
            table->field(0);
            if (contestes.empty())
                table->edit();
        }
        if (contestes.empty()) {
            try {
                Ecrire_Fiche(*table, *date_naissance, ajout, modifies);
                cle = table->update();
            } catch (const Error& erreur) {
                // Nothing half-written: the row keeps its old values and the boxes what was
                // typed.
                table->cancelUpdate();
                showStop(this, libelle(5, 15),
                         QStringLiteral("   ") + libelle(4, 44) + QStringLiteral(" : ") +
                             Description_Erreur(libelle, erreur));
                return;
            }
            ecrit = true;
            transaction.commit();
        }
    } catch (const Error& erreur) {
        // A row added and then rolled back: the membership is taken from the file again.
        if (ecrit)
            table->requery();
        if (!ajout && erreur.number() == platform::db_error::kRecordDeleted) {
            Patient_Supprime_Ailleurs(31, std::nullopt);
            return;
        }
        Erreur(erreur);
        return;
    }
    if (!contestes.empty()) {
        Refuser_Modifie_Ailleurs(modifies, contestes);
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

std::vector<ShownRow::Field> Patients::Champs_Fiche() const {
    std::vector<ShownRow::Field> champs;
    for (const Champ& champ : Champs()) {
        QLineEdit* boite = champ.boite;
        champs.push_back(
            {{QString::fromLatin1(champ.colonne)},
             [boite] { return platform::Value(boite->text()); },
             [boite](const platform::Value& texte) { boite->setText(texte.toTextOrEmpty()); },
             boite});
    }
    QPlainTextEdit* commentaire = Commentaire;
    champs.push_back({{QStringLiteral("Commentaire_Patient")},
                      [commentaire] { return platform::Value(commentaire->toPlainText()); },
                      [commentaire](const platform::Value& texte) {
                          commentaire->setPlainText(texte.toTextOrEmpty());
                      },
                      commentaire});
    return champs;
}

void Patients::Ecrire_Fiche(platform::Recordset& table, const QString& date_naissance, bool ajout,
                            const std::vector<std::size_t>& champs) {
    const auto ecrit = [&](std::size_t champ) {
        return ajout || std::find(champs.begin(), champs.end(), champ) != champs.end();
    };
    const auto boites = Champs();
    for (std::size_t i = 0; i < boites.size(); ++i) {
        if (!ecrit(i))
            continue;
        QString valeur = boites[i].boite->text();
        if (boites[i].boite == Date_Naissance)
            valeur = date_naissance;
        if (boites[i].boite == Numero_SS)
            valeur = Numero_SS_Stocke(valeur);
        table.setField(QString::fromLatin1(boites[i].colonne), valeur);
    }
    if (ecrit(boites.size())) {
        table.setField(QStringLiteral("Commentaire_Patient"),
                       untouchedStoredText(Commentaire)
                           .value_or(Commentaire_Stocke(Commentaire->toPlainText())));
    }
}

void Patients::Refuser_Modifie_Ailleurs(const std::vector<std::size_t>& modifies,
                                        const std::vector<std::size_t>& contestes) {
    const std::vector<ShownRow::Kept> gardes = affiche_.keep(without(modifies, contestes));
    QWidget* focus = affiche_.field(contestes.front()).focus;
    showWarning(this, etat_.Libelle(5, 15), etat_.Libelle(5, 30));
    // Once the box is closed: nothing that ran meanwhile can undo what is put back.
    try {
        Table().moveToKey(Code_Patient_Affiche);
    } catch (const Error& erreur) {
        Erreur(erreur);
    }
    Afficher_Patient();
    if (affiche_.isShown())
        affiche_.restore(gardes);
    focus->setFocus(Qt::OtherFocusReason);
}

void Patients::Patient_Supprime_Ailleurs(int texte, std::optional<std::int64_t> garder) {
    relecture_ = true;
    try {
        platform::Recordset& table = Table();
        table.requery();
        Remplir_Lignes();
        if (!(garder && table.moveToKey(*garder)))
            Aller_Premiere_Ligne();
    } catch (const Error& erreur) {
        Erreur(erreur);
    }
    Afficher_Patient();
    relecture_ = false;
    // Said over the window as it is now.
    showWarning(this, etat_.Libelle(5, 33), etat_.Libelle(5, texte));
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
        const platform::Value nom =
            base.queryValue(QStringLiteral("SELECT COALESCE(Nom_Patient, '') || ' ' || "
                                           "COALESCE(Prenom_Patient, '') FROM Patients "
                                           "WHERE Code_Patient = ?"),
                            {cle});
        if (nom.isNull()) {
            // Deleted elsewhere already: nothing to ask.
            Patient_Supprime_Ailleurs(31, std::nullopt);
            return;
        }
        question += QLatin1Char('\n') + etat_.Libelle(5, 22).arg(nom.toText());
        question += QLatin1Char('\n') + etat_.Libelle(5, 21).arg(examens).arg(courbes);
    } catch (const Error& erreur) {
        Erreur(erreur);
        return;
    }
    if (!confirm(this, etat_.Libelle(5, 15), question))
        return;
    bool supprime = false;
    try {
        platform::Recordset& table = Table();
        if (!table.moveToKey(cle)) {
            throw Error(platform::db_error::kRecordDeleted, "Recordset", "Record is deleted.");
        }
        Supprimer_Dossier(table, cle);
        supprime = true;
        Code_Patient_Affiche = 0;
        Remplir_Lignes();
        Aller_Premiere_Ligne();
        if (etat_.Table_Examens)
            etat_.Table_Examens->requery();
        if (etat_.Table_Courbes)
            etat_.Table_Courbes->requery();
    } catch (const Error& erreur) {
        if (!supprime && erreur.number() == platform::db_error::kRecordDeleted) {
            Patient_Supprime_Ailleurs(31, std::nullopt);
            return;
        }
        Erreur(erreur);
    }
    Afficher_Patient();
    // The exam windows offer him no more.
    if (supprime && Apres_Suppression)
        Apres_Suppression();
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
