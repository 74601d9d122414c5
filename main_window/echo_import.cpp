// The import of another database file into the program's own.
#include <QDir>
#include <QFileDialog>

#include "app/boite_erreur.h"
#include "app/importation_base.h"
#include "main_window/echo.h"
#include "main_window/progression_import.h"
#include "platform/database.h"
#include "platform/database_error.h"
#include "platform/recordset.h"
#include "platform/sqlite_statement.h"
#include "widgets/message_boxes.h"

namespace corvanta {
namespace {

QString Designation_Ligne(const Libelles& l, const Refus_Import& refus) {
    if (refus.cle.isNull())
        return l(1, 121).arg(refus.table).arg(refus.rang).arg(refus.colonne);
    const QString cle =
        refus.cle.kind() == platform::Value::Kind::Blob
            ? QStringLiteral("x'%1'").arg(QString::fromLatin1(refus.cle.toBlob().left(16).toHex()))
            : refus.cle.toText();
    return l(1, 120).arg(refus.table, cle, refus.colonne);
}

// What is wrong, in the interface's language; the engine's own text follows its line.
QString Motif_Refus(const Libelles& l, const Refus_Import& refus) {
    using R = Refus_Import::Raison;
    switch (refus.raison) {
        case R::Annulee:
            return l(1, 112);
        case R::Vue:
            return l(1, 117).arg(refus.table);
        case R::Table_Absente:
            return l(1, 118).arg(refus.table);
        case R::Colonne_Absente:
            return l(1, 119).arg(refus.table, refus.colonne);
        case R::Cle:
            return Designation_Ligne(l, refus) + u' ' + l(1, 122);
        case R::Entier:
            return Designation_Ligne(l, refus) + u' ' +
                   l(1, 123).arg(refus.minimum).arg(refus.maximum);
        case R::Valeur_Absente:
            return Designation_Ligne(l, refus) + u' ' + l(1, 124);
        case R::Texte:
            return Designation_Ligne(l, refus) + u' ' + l(1, 125);
        case R::Utf8:
            return Designation_Ligne(l, refus) + u' ' + l(1, 140);
        case R::Courbe:
            return Designation_Ligne(l, refus) + u' ' + l(1, 126);
        case R::Plus_De_Cle:
            return l(1, 127).arg(refus.table);
        case R::Moteur:
            return (refus.table.isEmpty() ? QString() : l(1, 128).arg(refus.table) + u'\n') +
                   (refus.panne ? Description_Erreur(l, *refus.panne)
                                : QString::fromStdString(refus.moteur));
    }
    return {};
}

QString Bilan_Texte(const Libelles& l, const Bilan_Import& bilan) {
    QString texte = l(1, 113) + u'\n' +
                    l(1, 114).arg(bilan.patients).arg(bilan.courbes).arg(bilan.examens) + u'\n' +
                    l(1, 115)
                        .arg(bilan.patients_presents)
                        .arg(bilan.courbes_presentes)
                        .arg(bilan.examens_presentes);
    if (bilan.references_ambigues != 0)
        texte += QStringLiteral("\n\n") + l(1, 116).arg(bilan.references_ambigues);
    return texte;
}

}  // namespace

QString Echo::Dialogue_Ouvrir_Base(const QString& titre) {
    QFileDialog dialogue(this, titre, etat_.Repertoire_Programme,
                         QStringLiteral("Fichiers MDB(*.mdb)"));
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return {};
    return dialogue.selectedFiles().constFirst();
}

void Echo::Bouton_Import_Click() {
    Importer_Base();
}

void Echo::Importer_Base() {
    const QString chemin = Choisir_Fichier_Import(etat_.Libelle(1, 83));
    if (chemin.isEmpty())
        return;
    // Only the program's own databases, named after it, are taken.
    if (!chemin.contains(QStringLiteral("sinus"), Qt::CaseInsensitive))
        return;
    const Libelles& l = etat_.Libelle;
    platform::Database& base = *etat_.Base_Donnees;
    std::optional<Bilan_Import> bilan;
    try {
        Progression_Import progression(this, l, Delai_Progression_Import);
        bilan = progression.Executer(
            base, [&](const Suivi_Import& suivi) { return Importer_Fichier(base, chemin, suivi); });
        // The recordsets and the name list's lines are read on the import's thread, the
        // lists filled here.
        std::optional<Lignes_Patients> lignes;
        progression.Mettre_A_Jour(
            base,
            [&] {
                etat_.Table_Patients->requery();
                if (etat_.Table_Courbes)
                    etat_.Table_Courbes->requery();
                etat_.Table_Examens->requery();
                lignes = Lire_Lignes_Patients(*etat_.Table_Patients);
            },
            [&] {
                Remplir_Liste_Nom(std::move(lignes));
                if (fenetres_examen_)
                    fenetres_examen_->Donnees_Importees();
            });
    } catch (const Refus_Import& refus) {
        if (refus.raison == Refus_Import::Raison::Annulee) {
            showInformation(this, l(1, 83), l(1, 112));
        } else {
            showWarning(this, l(1, 83),
                        l(1, 97) + u'\n' + QDir::toNativeSeparators(chemin) +
                            QStringLiteral("\n\n") + Motif_Refus(l, refus));
        }
        return;
    } catch (const Error& erreur) {
        if (bilan) {
            // Imported, but the lists could not be brought up to date.
            showErrorBox(this, l, erreur);
            return;
        }
        QString texte = erreur.number() == platform::db_error::kNotADatabase ? l(1, 96) : l(1, 97);
        texte += QStringLiteral("\n") + QDir::toNativeSeparators(chemin);
        if (erreur.number() != platform::db_error::kNotADatabase)
            texte += QStringLiteral("\n\n") + Description_Erreur(l, erreur);
        showWarning(this, l(1, 83), texte);
        return;
    }
    showInformation(this, l(1, 83), Bilan_Texte(l, *bilan));
}

}  // namespace corvanta
