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
#include "platform/sqlite_statement.h"
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

// Places in Champs_Fiche(): the exam number, then the doctor, then the echograms.
constexpr std::size_t kChamp_Numero = 0;
constexpr std::size_t kPremier_Echogramme = 2;

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
    affiche_.forget();
    const std::optional<std::int64_t> precedent = examen_affiche_;
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
        affiche_.noteShown(Champs_Fiche(),
                           [&examens](const QString& colonne) { return examens.field(colonne); });
        affichage_complet_ = true;
    } catch (const Error& erreur) {
        // Deleted elsewhere since the list was read: back to the exam shown before.
        if (erreur.number() == platform::db_error::kRecordDeleted && !relecture_) {
            Examen_Supprime_Ailleurs(profil_.titre_examen_supprime, profil_.examen_demande_supprime,
                                     precedent);
            return;
        }
        showErrorBox(this, libelle(), erreur, form());
    }
}

std::vector<ShownRow::Field> Fenetre_Examen::Champs_Fiche() {
    auto texte = [](QLineEdit* boite, const char* colonne) -> ShownRow::Field {
        return {{QLatin1String(colonne)},
                [boite] { return platform::Value(boite->text()); },
                [boite](const platform::Value& valeur) { boite->setText(valeur.toTextOrEmpty()); },
                boite};
    };
    // The exam number first: Valider_Examen knows it by its place.
    std::vector<ShownRow::Field> champs{texte(Texte_Num_Examen, "Num_Examen"),
                                        texte(Texte_Docteur_Patient, "Docteur_Patient")};
    for (int cote = 0; cote < static_cast<int>(echogrammes_.size()); ++cote) {
        Echogramme& e = echogrammes_[cote];
        champs.push_back(
            {e.colonnes_cles,
             [&e] {
                 if (e.combo->currentIndex() >= 0)
                     return platform::Value(
                         static_cast<std::int64_t>(e.combo->currentData().toLongLong()));
                 return e.cle_conservee ? platform::Value(*e.cle_conservee) : platform::Value();
             },
             [this, cote](const platform::Value& cle) { Remettre_Echogramme(cote, cle); },
             e.combo});
    }
    for (const Colonne_Examen& colonne : colonnes_) {
        champs.push_back({{colonne.nom},
                          [this, &colonne] { return Valeur_Colonne(colonne); },
                          [this, &colonne](const platform::Value& valeur) {
                              Appliquer_Colonne(colonne, valeur);
                          },
                          colonne.genre == Colonne_Examen::Genre::Options ? colonne.options.front()
                                                                          : colonne.controle});
    }
    champs.push_back(texte(Texte_Examen_Compatible, "Examen_Compatible"));
    return champs;
}

void Fenetre_Examen::Remettre_Echogramme(int cote, const platform::Value& cle) {
    Echogramme& e = echogrammes_[cote];
    e.cle_conservee.reset();
    const int index = cle.isNull() ? -1 : Entree_De_Cle(e.combo, cle.toInt64());
    if (index >= 0) {
        Selectionner_Echogramme(cote, index);
        return;
    }
    const QSignalBlocker bloque(e.combo);
    e.combo->setCurrentIndex(-1);
    if (!cle.isNull())
        e.cle_conservee = cle.toInt64();
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

void Fenetre_Examen::Ecrire_Examen(platform::Recordset& examens, std::int64_t patient, bool ajout,
                                   const std::vector<std::size_t>& champs) {
    const std::vector<ShownRow::Field> fiche = Champs_Fiche();
    if (ajout) {
        examens.setField(1, patient);
        examens.setField(QStringLiteral("Code_Type"), etat_.Type_Examen);
    }
    if (profil_.ecrit_date)
        examens.setField(QStringLiteral("Date_Examen"),
                         QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    for (std::size_t i = 0; i < fiche.size(); ++i) {
        if (!ajout && std::find(champs.begin(), champs.end(), i) == champs.end())
            continue;
        const platform::Value valeur = fiche[i].state();
        // No option chosen writes nothing.
        if (valeur.isNull())
            continue;
        for (const QString& colonne : fiche[i].columns)
            examens.setField(colonne, valeur);
    }
}

std::optional<QString> Fenetre_Examen::Reference_Perdue(std::int64_t patient, bool ajout,
                                                        const std::vector<std::size_t>& champs) {
    platform::Database& base = *etat_.Base_Donnees;
    if (base.queryValue(QStringLiteral("SELECT 1 FROM Patients WHERE Code_Patient = ?"), {patient})
            .isNull())
        return libelle()(form(), profil_.refus_patient_supprime).arg(Texte_Nom_Patient->text());
    const std::vector<ShownRow::Field> fiche = Champs_Fiche();
    for (std::size_t cote = 0; cote < echogrammes_.size(); ++cote) {
        const std::size_t champ = kPremier_Echogramme + cote;
        if (!ajout && std::find(champs.begin(), champs.end(), champ) == champs.end())
            continue;
        const platform::Value cle = fiche[champ].state();
        if (cle.isNull())
            continue;
        if (base.queryValue(
                    QStringLiteral("SELECT 1 FROM Courbes WHERE ID = ? AND Code_Patient = ? "
                                   "AND Code_Type = ?"),
                    {cle, patient, etat_.Type_Examen})
                .isNull())
            return libelle()(form(), profil_.refus_courbe_supprimee)
                .arg(echogrammes_[cote].combo->currentText());
    }
    return std::nullopt;
}

void Fenetre_Examen::Valider_Examen() {
    platform::Recordset& examens = *etat_.Table_Examens;
    const bool ajout = Mode_Nouvel_Examen == 1;
    try {
        if (!ajout) {
            if (!examen_affiche_)
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

        // What the user changed in the exam shown: only that is written.
        const std::vector<std::size_t> modifies =
            ajout ? std::vector<std::size_t>{} : affiche_.changed();
        const bool numero_ecrit =
            ajout || std::find(modifies.begin(), modifies.end(), kChamp_Numero) != modifies.end();
        std::vector<std::size_t> contestes;
        std::optional<QString> perdue;
        bool numero_pris = false;
        platform::Recordset::Key cle = 0;
        bool ecrit = false;
        try {
            // Under the file's write lock: what is read here stays as it is until the
            // write, another copy of the program waiting for the lock meanwhile.
            platform::Database::Transaction transaction(
                *etat_.Base_Donnees, platform::Database::Transaction::Lock::Immediate);
            if (!ajout) {
                // The exam as stored now; gone, it reads as deleted.
                Revenir_Examen_Affiche();
                contestes = affiche_.changedElsewhere(modifies, [&examens](const QString& colonne) {
                    return examens.field(colonne);
                });
                // Read even when nothing was changed: an exam gone throws here.
                examens.field(1);
            }
            if (contestes.empty())
                perdue = Reference_Perdue(*patient, ajout, modifies);
            // A rewrite that keeps the number as the list shows it adds no second exam of
            // that number, even where the file already held one.
            const bool meme_numero =
                !ajout &&
                (!numero_ecrit ||
                 Format_Numero(examens.field(QStringLiteral("Num_Examen")).toTextOrEmpty()) ==
                     Format_Numero(Texte_Num_Examen->text()));
            if (contestes.empty() && !perdue)
                numero_pris =
                    !meme_numero && Numero_Pris(*patient, ajout ? std::nullopt : examen_affiche_);
            if (contestes.empty() && !perdue && !numero_pris) {
                if (ajout)
                    examens.addNew();
                else
                    examens.edit();
                try {
                    Ecrire_Examen(examens, *patient, ajout, modifies);
                    cle = examens.update();
                } catch (const Error&) {
                    examens.cancelUpdate();
                    throw;
                }
                ecrit = true;
                transaction.commit();
            }
        } catch (const Error& erreur) {
            // The row written did not stay: the membership is taken from the file again.
            if (ecrit)
                examens.requery();
            if (!ajout && erreur.number() == platform::db_error::kRecordDeleted) {
                Examen_Supprime_Ailleurs(profil_.titre_refus, profil_.refus_examen_supprime,
                                         std::nullopt);
                return;
            }
            throw;
        }
        if (!contestes.empty()) {
            Refuser_Modifie_Ailleurs(modifies, contestes);
            return;
        }
        if (perdue) {
            showWarning(this, libelle()(form(), profil_.titre_refus), *perdue);
            return;
        }
        if (numero_pris) {
            Message_Validation(form(), profil_.refus_numero_pris, Texte_Num_Examen);
            return;
        }
        // Only once stored: a refusal leaves the patient open to choose.
        Combo_Nom_Patient->setEnabled(false);
        // A rewrite that keeps the number keeps the row's place.
        if (numero_ecrit)
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

void Fenetre_Examen::Refuser_Modifie_Ailleurs(const std::vector<std::size_t>& modifies,
                                              const std::vector<std::size_t>& contestes) {
    const std::vector<ShownRow::Kept> gardes = affiche_.keep(without(modifies, contestes));
    QWidget* focus = affiche_.field(contestes.front()).focus;
    showWarning(this, libelle()(form(), profil_.titre_refus),
                libelle()(form(), profil_.refus_modifie_ailleurs));
    // Once the box is closed: nothing that ran meanwhile can undo what is put back.
    if (Revenir_Examen_Affiche())
        Afficher_Examen();
    if (affiche_.isShown())
        affiche_.restore(gardes);
    focus->setFocus(Qt::OtherFocusReason);
}

void Fenetre_Examen::Examen_Supprime_Ailleurs(int titre, int texte,
                                              std::optional<std::int64_t> garder) {
    platform::Recordset& examens = *etat_.Table_Examens;
    relecture_ = true;
    try {
        examens.requery();
        Remplir_Liste_Examens();
        if (!(garder && examens.moveToKey(*garder)) && examens.recordCount() != 0)
            examens.moveFirst();
        Afficher_Examen();
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
    }
    relecture_ = false;
    // Said over the window as it is now.
    showWarning(this, libelle()(form(), titre), libelle()(form(), texte));
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
    // Deleted elsewhere already: said, and the exams read again.
    const auto supprime_ailleurs = [this](const Error& erreur) {
        if (erreur.number() != platform::db_error::kRecordDeleted)
            return false;
        Examen_Supprime_Ailleurs(profil_.titre_examen_supprime, profil_.refus_examen_supprime,
                                 std::nullopt);
        return true;
    };
    // The exam's own line under the question: one OK removes exactly the exam named.
    QString ligne;
    try {
        if (!Revenir_Examen_Affiche())
            return;
        ligne = Ligne_Examen(examens);
    } catch (const Error& erreur) {
        if (!supprime_ailleurs(erreur))
            showErrorBox(this, libelle(), erreur, form());
        return;
    }
    if (!confirm(this, QStringLiteral("Suppression d'Examen"),
                 QStringLiteral("Attention vous allez supprimer une fiche\n") + ligne))
        return;
    try {
        // The question may have waited: the shared set is put back on the exam named.
        Revenir_Examen_Affiche();
        const platform::Recordset::Key cle = examens.currentKey();
        examens.deleteCurrent();
        Suivre_Liste_Examens(cle);
        Afficher_Examen();
    } catch (const Error& erreur) {
        if (!supprime_ailleurs(erreur))
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
