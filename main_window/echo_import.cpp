// The import of another database file into the program's own.
#include <QDir>
#include <QFileDialog>

#include "app/importation_base.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/sqlite_statement.h"
#include "widgets/message_boxes.h"

namespace corvanta {

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
    try {
        Importer_Base_Externe(*etat_.Base_Donnees, chemin);
    } catch (const Error& erreur) {
        QString texte = erreur.number() == platform::db_error::kNotADatabase ? l(1, 96) : l(1, 97);
        texte += QStringLiteral("\n") + QDir::toNativeSeparators(chemin);
        if (erreur.number() != platform::db_error::kNotADatabase)
            texte += QStringLiteral("\n\n") + QString::fromStdString(erreur.description());
        Message_Attention(this, l(1, 83), texte);
        return;
    }
    try {
        etat_.Table_Patients->requery();
        if (etat_.Table_Courbes)
            etat_.Table_Courbes->requery();
        etat_.Table_Examens->requery();
        Remplir_Liste_Nom();
        if (fenetres_examen_)
            fenetres_examen_->Donnees_Importees();
    } catch (const Error& erreur) {
        Afficher_Erreur(this, l, erreur);
    }
}

}  // namespace corvanta
