// The exam record in the window: display, blanking, validation, new exam and deletion.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "exams/fenetre_examen.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "widgets/curve_view.h"
#include "widgets/message_boxes.h"
#include "widgets/quorel_window.h"
#include "widgets/text_lines.h"

namespace corvanta {

namespace {

// Chooses option `index` of the group, or none: an exclusive group keeps one option
// chosen unless it is made inclusive for the time of the unticking.
void Choisir_Option(const Colonne_Examen& colonne, int index) {
    if (index >= 0 && index < static_cast<int>(colonne.options.size())) {
        colonne.options[index]->setChecked(true);
        return;
    }
    colonne.groupe->setExclusive(false);
    for (QRadioButton* option : colonne.options)
        option->setChecked(false);
    colonne.groupe->setExclusive(true);
}

// The option a stored value names, or -1.
int Option_Stockee(const Colonne_Examen& colonne, const platform::Value& valeur) {
    try {
        const std::int64_t index = valeur.toInt64();
        return index >= 0 && index < static_cast<std::int64_t>(colonne.options.size())
                   ? static_cast<int>(index)
                   : -1;
    } catch (const Error&) {
        return -1;  // no number
    }
}

constexpr int kErreur_Valeur_Propriete = 380;

// Every window says with the sinus window's text that the exam shown could not be read.
constexpr int kForm_Examen_Illisible = 4;
constexpr int kExamen_Illisible = 105;

// The combo's entry whose item data is `cle`, or -1.
int Entree_De_Cle(const QComboBox* combo, std::int64_t cle) {
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i).toLongLong() == cle)
            return i;
    }
    return -1;
}

}  // namespace

// ---- Blanking and display --------------------------------------------------------------

void Fenetre_Examen::Vider_Colonne(const Colonne_Examen& colonne) {
    switch (colonne.genre) {
        case Colonne_Examen::Genre::Coche:
            static_cast<QCheckBox*>(colonne.controle)->setChecked(false);
            break;
        case Colonne_Examen::Genre::Liste: {
            auto* liste = static_cast<QComboBox*>(colonne.controle);
            liste->setCurrentIndex(liste->count() > 0 ? 0 : -1);
            break;
        }
        case Colonne_Examen::Genre::Texte:
            if (auto* ligne = qobject_cast<QLineEdit*>(colonne.controle))
                ligne->clear();
            else
                showStoredText(static_cast<QPlainTextEdit*>(colonne.controle), QString());
            break;
        case Colonne_Examen::Genre::Options:
            Choisir_Option(colonne, -1);
            break;
    }
}

void Fenetre_Examen::Effacer_Examen() {
    if (Combo_Nom_Patient->count() > 0)
        Selectionner_Patient(0);
    Texte_Num_Examen->clear();
    Texte_Docteur_Patient->clear();
    for (const Colonne_Examen& colonne : colonnes_)
        Vider_Colonne(colonne);
    for (int cote = 0; cote < static_cast<int>(echogrammes_.size()); ++cote) {
        QComboBox* combo = echogrammes_[cote].combo;
        const bool avait_texte = !combo->currentText().isEmpty();
        {
            const QSignalBlocker bloque(combo);
            combo->setCurrentIndex(-1);
            combo->setEditText(QString());
        }
        if (avait_texte)
            Combo_Echogramme_Change(cote);
    }
    Texte_Examen_Compatible->clear();
}

void Fenetre_Examen::Appliquer_Colonne(const Colonne_Examen& colonne,
                                       const platform::Value& valeur) {
    if (!valeur.isNull()) {
        switch (colonne.genre) {
            case Colonne_Examen::Genre::Coche:
                static_cast<QCheckBox*>(colonne.controle)->setChecked(valeur.toInt16() != 0);
                break;
            case Colonne_Examen::Genre::Liste: {
                auto* liste = static_cast<QComboBox*>(colonne.controle);
                const int index = valeur.toInt16();
                if (index < -1 || index >= liste->count())
                    throw Error(kErreur_Valeur_Propriete, "Corvanta",
                                "Invalid property value: " + colonne.nom.toStdString());
                liste->setCurrentIndex(index);
                break;
            }
            case Colonne_Examen::Genre::Texte:
                if (auto* ligne = qobject_cast<QLineEdit*>(colonne.controle))
                    ligne->setText(valeur.toText());
                else
                    showStoredText(static_cast<QPlainTextEdit*>(colonne.controle), valeur.toText());
                break;
            case Colonne_Examen::Genre::Options:
                Choisir_Option(colonne, Option_Stockee(colonne, valeur));
                break;
        }
    }
    Montrer_Detail(colonne);
}

void Fenetre_Examen::Montrer_Ligne() {
    const platform::Recordset& examens = *etat_.Table_Examens;
    const QSignalBlocker bloque(Liste_Examens);
    // The line of the exam shown, which is at its position unless another window has
    // requeried the shared set since the list was made.
    Liste_Examens->setCurrentRow(
        examen_affiche_ ? Ligne_De_Cle(*examen_affiche_, examens.absolutePosition()) : -1);
    Liste_Examens->setEnabled(true);
    Liste_Examens->show();
    Combo_Nom_Patient->setEnabled(false);
    Combo_Nom_Patient->hide();
    Texte_Nom_Patient->show();
}

void Fenetre_Examen::Afficher_Examen() {
    affichage_complet_ = false;
    try {
        Effacer_Examen();
        examen_affiche_.reset();
        Montrer_Ligne();
        platform::Recordset& examens = *etat_.Table_Examens;
        if (examens.eof() || examens.bof())
            return;
        examen_affiche_ = examens.currentKey();
        Montrer_Ligne();
        patient_conserve_.reset();
        const platform::Value patient = examens.field(1);
        const int entree = patient.isNull() ? -1 : Entree_Patient(patient.toInt64());
        if (entree >= 0) {
            Selectionner_Patient(entree);
        } else {
            // Not among the entries: the exam keeps its own patient when rewritten.
            if (!patient.isNull())
                patient_conserve_ = patient.toInt64();
            {
                const QSignalBlocker bloque(Combo_Nom_Patient);
                Combo_Nom_Patient->setCurrentIndex(-1);
            }
            for (Echogramme& e : echogrammes_) {
                const QSignalBlocker bloque(e.combo);
                e.combo->clear();
            }
        }
        Texte_Nom_Patient->setText(
            Nom_Complet(examens.field(QStringLiteral("Nom_Patient")).toTextOrEmpty(),
                        examens.field(QStringLiteral("Prenom_Patient")).toTextOrEmpty()));
        const platform::Value numero = examens.field(QStringLiteral("Num_Examen"));
        if (!numero.isNull())
            Texte_Num_Examen->setText(Format_Numero(numero.toText()));
        const platform::Value docteur = examens.field(QStringLiteral("Docteur_Patient"));
        if (!docteur.isNull())
            Texte_Docteur_Patient->setText(docteur.toText());

        for (int cote = 0; cote < static_cast<int>(echogrammes_.size()); ++cote) {
            Echogramme& e = echogrammes_[cote];
            e.cle_conservee.reset();
            const platform::Value cle = examens.field(e.colonnes_cles.front());
            if (!cle.isNull()) {
                const int index = Entree_De_Cle(e.combo, cle.toInt64());
                if (index >= 0)
                    Selectionner_Echogramme(cote, index);
                else
                    e.cle_conservee = cle.toInt64();
            }
            const platform::Value courbe = examens.field(e.colonne_courbe);
            if (courbe.isNull())
                Effacer_Apercu(cote);
            else
                Apercu(cote, courbe.toBlob());
        }
        for (const Colonne_Examen& colonne : colonnes_)
            Appliquer_Colonne(colonne, examens.field(colonne.nom));
        const platform::Value conclusion = examens.field(QStringLiteral("Examen_Compatible"));
        if (!conclusion.isNull())
            Texte_Examen_Compatible->setText(conclusion.toText());
        affichage_complet_ = true;
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
    }
}

// ---- Validation ------------------------------------------------------------------------

void Fenetre_Examen::Message_Validation(int form, int texte, QWidget* focus) {
    showWarning(this, libelle()(profil_.form, profil_.titre_refus), libelle()(form, texte));
    focus->setFocus(Qt::OtherFocusReason);
}

platform::Value Fenetre_Examen::Valeur_Colonne(const Colonne_Examen& colonne) const {
    switch (colonne.genre) {
        case Colonne_Examen::Genre::Coche:
            return static_cast<QCheckBox*>(colonne.controle)->isChecked() ? 1 : 0;
        case Colonne_Examen::Genre::Liste:
            return static_cast<QComboBox*>(colonne.controle)->currentIndex();
        case Colonne_Examen::Genre::Options: {
            const int choisie = colonne.groupe->checkedId();
            return choisie < 0 ? platform::Value() : platform::Value(choisie);
        }
        case Colonne_Examen::Genre::Texte:
            break;
    }
    if (auto* ligne = qobject_cast<QLineEdit*>(colonne.controle))
        return ligne->text();
    return textToStore(static_cast<QPlainTextEdit*>(colonne.controle));
}

void Fenetre_Examen::Ecrire_Examen(platform::Recordset& examens, std::int64_t patient) {
    examens.setField(1, patient);
    examens.setField(QStringLiteral("Code_Type"), etat_.Type_Examen);
    examens.setField(QStringLiteral("Num_Examen"), Texte_Num_Examen->text());
    if (profil_.ecrit_date)
        examens.setField(QStringLiteral("Date_Examen"),
                         QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    examens.setField(QStringLiteral("Docteur_Patient"), Texte_Docteur_Patient->text());
    for (const Echogramme& e : echogrammes_) {
        const platform::Value cle =
            e.combo->currentIndex() >= 0
                ? platform::Value(static_cast<std::int64_t>(e.combo->currentData().toLongLong()))
                : platform::Value(*e.cle_conservee);
        for (const QString& colonne : e.colonnes_cles)
            examens.setField(colonne, cle);
    }
    for (const Colonne_Examen& colonne : colonnes_) {
        const platform::Value valeur = Valeur_Colonne(colonne);
        // No option chosen writes nothing.
        if (colonne.genre != Colonne_Examen::Genre::Options || !valeur.isNull())
            examens.setField(colonne.nom, valeur);
    }
    examens.setField(QStringLiteral("Examen_Compatible"), Texte_Examen_Compatible->text());
}

void Fenetre_Examen::Valider_Examen() {
    platform::Recordset& examens = *etat_.Table_Examens;
    try {
        const bool ajout = Mode_Nouvel_Examen == 1;
        if (!ajout) {
            if (!Revenir_Examen_Affiche())
                examens.currentKey();  // no exam shown: "no current record"
            if (!affichage_complet_) {
                Message_Validation(kForm_Examen_Illisible, kExamen_Illisible, Liste_Examens);
                return;
            }
        }
        std::optional<std::int64_t> patient;
        if (Combo_Nom_Patient->currentIndex() >= 0)
            patient = Combo_Nom_Patient->currentData().toLongLong();
        else if (!ajout)
            patient = patient_conserve_;
        if (!patient) {
            Message_Validation(form(), profil_.refus_patient, Combo_Nom_Patient);
            return;
        }
        if (!Combo_Nom_Patient->currentText().isEmpty())
            Texte_Nom_Patient->setText(Combo_Nom_Patient->currentText());
        if (Texte_Num_Examen->text().isEmpty()) {
            Message_Validation(form(), profil_.refus_numero, Texte_Num_Examen);
            return;
        }
        for (const Echogramme& e : echogrammes_) {
            if (e.combo->currentIndex() < 0 && (ajout || !e.cle_conservee)) {
                Message_Validation(form(), e.refus, e.combo);
                return;
            }
        }
        if (Texte_Examen_Compatible->text().isEmpty()) {
            Message_Validation(form(), profil_.refus_conclusion, Texte_Examen_Compatible);
            return;
        }

        // A rewrite that keeps the patient and the number keeps the row's place.
        const bool meme_place =
            !ajout && examens.field(1) == platform::Value(*patient) &&
            examens.field(QStringLiteral("Num_Examen")).toTextOrEmpty() == Texte_Num_Examen->text();
        // A rewrite that keeps the patient and the number as the list shows them adds no
        // second exam of that number, even where the file already held one.
        const bool meme_numero =
            !ajout && examens.field(1) == platform::Value(*patient) &&
            Format_Numero(examens.field(QStringLiteral("Num_Examen")).toTextOrEmpty()) ==
                Format_Numero(Texte_Num_Examen->text());
        platform::Recordset::Key cle = 0;
        bool numero_pris = false;
        bool ecrit = false;
        try {
            // The number is checked under the file's write lock, so that another copy of
            // the program cannot store it between the check and the write.
            platform::Database::Transaction transaction(
                *etat_.Base_Donnees, platform::Database::Transaction::Lock::Immediate);
            numero_pris =
                !meme_numero && Numero_Pris(*patient, ajout ? std::nullopt : examen_affiche_);
            if (!numero_pris) {
                if (ajout)
                    examens.addNew();
                else
                    examens.edit();
                try {
                    Ecrire_Examen(examens, *patient);
                    cle = examens.update();
                } catch (const Error&) {
                    examens.cancelUpdate();
                    throw;
                }
                ecrit = true;
                transaction.commit();
            }
        } catch (const Error&) {
            // The row written did not stay: the membership is taken from the file again.
            if (ecrit)
                examens.requery();
            throw;
        }
        if (numero_pris) {
            Message_Validation(form(), profil_.refus_numero_pris, Texte_Num_Examen);
            return;
        }
        // Only once stored: a refusal leaves the patient open to choose.
        Combo_Nom_Patient->setEnabled(false);
        if (!meme_place)
            examens.requeryWritten();
        Mode_Nouvel_Examen = 0;
        Suivre_Liste_Examens(cle);
        if (!examens.moveToKey(cle) && examens.recordCount() != 0)
            examens.moveFirst();
        Afficher_Examen();
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
    }
}

bool Fenetre_Examen::Numero_Pris(std::int64_t patient, std::optional<std::int64_t> examen) const {
    const QString numero = Format_Numero(Texte_Num_Examen->text());
    const auto numeros = etat_.Base_Donnees->openRecordset(
        QStringLiteral(
            "SELECT Code_Examen + 0, Num_Examen FROM Examens WHERE \"Code_ Patient\" = ?"),
        {patient});
    if (numeros->recordCount() == 0)
        return false;
    for (numeros->moveFirst(); !numeros->eof(); numeros->moveNext()) {
        if ((!examen || numeros->field(0).toInt64() != *examen) &&
            Format_Numero(numeros->field(1).toTextOrEmpty()) == numero)
            return true;
    }
    return false;
}

// ---- New exam and deletion ---------------------------------------------------------------

void Fenetre_Examen::Nouvel_Examen() {
    try {
        Effacer_Examen();
        {
            const QSignalBlocker bloque(Combo_Nom_Patient);
            Combo_Nom_Patient->setCurrentIndex(-1);
        }
        patient_conserve_.reset();
        for (Echogramme& e : echogrammes_)
            e.cle_conservee.reset();
        Mode_Nouvel_Examen = 1;
        for (int cote = 0; cote < static_cast<int>(echogrammes_.size()); ++cote)
            Effacer_Apercu(cote);
        Texte_Nom_Patient->hide();
        Liste_Examens->hide();
        if (!etat_.Nom_Patient_Courant.isEmpty()) {
            const int entree = Entree_Patient(etat_.Code_Patient_Courant);
            if (entree >= 0)
                Selectionner_Patient(entree);
        }
        Combo_Nom_Patient->setEnabled(true);
        Combo_Nom_Patient->show();
        Combo_Nom_Patient->setFocus(Qt::OtherFocusReason);
        saisie_initiale_ = Etat_Saisie();
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
    }
}

void Fenetre_Examen::Supprimer_Examen() {
    platform::Recordset& examens = *etat_.Table_Examens;
    try {
        if (!Revenir_Examen_Affiche())
            return;
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
        return;
    }
    // The exam's own line under the question: one OK removes exactly the exam named.
    QString ligne;
    try {
        ligne = Ligne_Examen(examens);
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
        return;
    }
    if (!confirm(this, QStringLiteral("Suppression d'Examen"),
                 QStringLiteral("Attention vous allez supprimer une fiche\n") + ligne))
        return;
    try {
        const platform::Recordset::Key cle = examens.currentKey();
        examens.deleteCurrent();
        Suivre_Liste_Examens(cle);
        Afficher_Examen();
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
    }
}

bool Fenetre_Examen::Revenir_Examen_Affiche() {
    if (!examen_affiche_)
        return false;
    if (!etat_.Table_Examens->moveToKey(*examen_affiche_))
        throw Error(3167, "Recordset", "The exam shown has been deleted or is no longer listed.");
    return true;
}

}  // namespace corvanta
