// The patient list, the display of the current record and browsing.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "app/lignes_patients.h"
#include "patients/fiche_patient.h"
#include "patients/patients.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/sqlite_statement.h"
#include "widgets/keyed_list.h"
#include "widgets/text_limits.h"
#include "widgets/text_lines.h"

namespace corvanta {

namespace {

// Runs one step of a handler that passes over failures.
template <typename Etape>
void Passer(Etape&& etape) {
    try {
        etape();
    } catch (const Error&) {
    }
}

}  // namespace

void Patients::Form_Load() {
    Etat_Recherche = 0;
    Appliquer_Libelles();
    try {
        platform::Recordset& table = Table();
        Remplir_Lignes();
        const bool trouve =
            etat_.Code_Patient_Courant != 0 && table.moveToKey(etat_.Code_Patient_Courant);
        if (!trouve)
            Aller_Premiere_Ligne();
    } catch (const Error& erreur) {
        Erreur(erreur);
    }
    Afficher_Patient();
    Filtre_Recherche.clear();
    Parametres_Recherche.clear();
}

void Patients::Remplir_Lignes() {
    const QSignalBlocker bloque(Liste_Patients);
    platform::Recordset& table = Table();
    if (table.recordCount() == 0) {
        Liste_Patients->setLines({}, {}, {});
        return;
    }
    Nombre_Patients = table.recordCount();
    // Patients deleted by another copy of the program since the recordset was opened are
    // left out.
    Lignes_Patients lignes = Lire_Lignes_Patients(table);
    Liste_Patients->setLines(std::move(lignes.noms), std::move(lignes.prenoms),
                             std::move(lignes.cles));
    table.moveLast();
    table.moveNext();
}

void Patients::Aller_Premiere_Ligne() {
    if (Liste_Patients->count() != 0)
        Table().moveToKey(Liste_Patients->key(0));
}

// The line at the record's position, unless rows deleted elsewhere were left out of the
// list: then the line that keeps its key.
int Patients::Ligne_De(int position, std::int64_t cle) const {
    if (position >= 0 && position < Liste_Patients->count() && Liste_Patients->key(position) == cle)
        return position;
    return Liste_Patients->rowOfKey(cle);
}

void Patients::Selectionner_Ligne(int ligne) {
    const QSignalBlocker bloque(Liste_Patients);
    if (ligne >= 0 && ligne < Liste_Patients->count()) {
        Liste_Patients->setCurrentRow(ligne);
    } else {
        Liste_Patients->setCurrentRow(-1);
        Liste_Patients->clearSelection();
    }
}

void Patients::Afficher_Patient() {
    setWindowTitle(etat_.Libelle(5, 15));
    Effacer_Champs();
    // The boxes now show a stored record (or none): a later save must not add it again.
    Mode_Ajout = 0;
    Code_Patient_Affiche = 0;
    try {
        platform::Recordset& table = Table();
        if (table.eof() || table.bof()) {
            Selectionner_Ligne(-1);
            return;
        }
        Code_Patient_Affiche = table.currentKey();
        Selectionner_Ligne(Ligne_De(table.absolutePosition(), Code_Patient_Affiche));
        for (const Champ& champ : Champs()) {
            const platform::Value valeur = table.field(QString::fromLatin1(champ.colonne));
            if (valeur.isNull())
                continue;
            QString texte = valeur.toText();
            if (champ.boite == Date_Naissance)
                texte = Date_Naissance_Affichee(texte);
            // A longer text stored from elsewhere is shown whole, so that a save keeps it.
            champ.boite->setText(texte);
        }
        const platform::Value commentaire = table.field(QStringLiteral("Commentaire_Patient"));
        if (!commentaire.isNull())
            showStoredText(Commentaire, commentaire.toText());
    } catch (const Error& erreur) {
        Erreur(erreur);
    }
}

void Patients::Effacer_Champs() {
    for (const Champ& champ : Champs()) {
        champ.boite->clear();
        limitTyping(champ.boite, champ.limite);
    }
    showStoredText(Commentaire, QString());
}

void Patients::Liste_Patients_Click() {
    const int ligne = Liste_Patients->currentRow();
    if (ligne < 0)
        return;
    try {
        platform::Recordset& table = Table();
        const bool par_cle =
            ligne < Liste_Patients->count() && table.moveToKey(Liste_Patients->key(ligne));
        if (!par_cle)
            table.setAbsolutePosition(ligne);
    } catch (const Error& erreur) {
        Erreur(erreur);
        return;
    }
    Afficher_Patient();
}

void Patients::Toolbar1_ButtonClick(int index) {
    // Moves step from the record the window shows, wherever other windows left the
    // shared recordset; a failing step is passed over and the display still runs.
    const auto depuis_fiche = [this] {
        Passer([this] {
            if (Code_Patient_Affiche != 0)
                Table().moveToKey(Code_Patient_Affiche);
        });
    };
    switch (index) {
        case 1: {
            depuis_fiche();
            bool bouger = false;
            Passer([&] { bouger = Table().absolutePosition() >= 1; });
            if (!bouger)
                return;
            Passer([this] { Table().movePrevious(); });
            Afficher_Patient();
            break;
        }
        case 2: {
            depuis_fiche();
            bool bouger = false;
            Passer([&] { bouger = Table().absolutePosition() + 1 < Nombre_Patients; });
            if (!bouger)
                return;
            Passer([this] { Table().moveNext(); });
            Afficher_Patient();
            break;
        }
        case 3:
            Passer([this] { Table().moveFirst(); });
            Afficher_Patient();
            break;
        case 4:
            Passer([this] { Table().moveLast(); });
            Afficher_Patient();
            break;
        case 5:
            Passer([this] { Nouveau_Patient(); });
            break;
        case 6:
            Passer([this] { Enregistrer_Patient(); });
            break;
        case 7:
            Passer([this] { Supprimer_Patient(); });
            break;
        case 8:
            setWindowTitle(etat_.Libelle(5, 16));
            Passer([this] { Rechercher_Patient(); });
            break;
        case 9:
            close();
            break;
        default:
            break;
    }
}

void Patients::Remplir_Liste_Patients() {
    etat_.Table_Patients =
        Base().openRecordset(kRequete_Tous_Patients, {}, Champs_Lignes_Patients());
    Remplir_Lignes();
    Aller_Premiere_Ligne();
    Afficher_Patient();
}

}  // namespace corvanta
