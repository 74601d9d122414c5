// The stored curves of the current patient: preview, comment, store and delete.
#include <QAction>
#include <QDateTime>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/sqlite_statement.h"
#include "report_print/curve_page.h"
#include "widgets/curve_view.h"
#include "widgets/message_boxes.h"
#include "widgets/quorel_window.h"
#include "widgets/text_lines.h"

namespace corvanta {

namespace {

constexpr int kTexte_Aucune_Courbe = 86;
// A patient or curve deleted elsewhere (another copy of the program, the stock shell).
constexpr int kTexte_Patient_Supprime = 130;
constexpr int kTexte_Courbe_Supprimee = 132;
constexpr int kTexte_Commentaire_Perdu = 133;
constexpr int kTitre_Courbe_Supprimee = 134;

QByteArray Octets(const Echantillons_Courbe& courbe) {
    return QByteArray(reinterpret_cast<const char*>(courbe.data()),
                      static_cast<qsizetype>(courbe.size()));
}

// The label of a stored curve: "08/12/2004 à 14:32:05" then a blank and the side.
QString Etiquette_Courbe(const QDateTime& instant, const QString& cote) {
    return instant.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" à ") +
           instant.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" ") + cote;
}

}  // namespace

std::int64_t Echo::Cle_Courbe_Selectionnee() const {
    const QListWidgetItem* ligne = List1->currentItem();
    return ligne != nullptr ? ligne->data(Qt::UserRole).toLongLong() : 0;
}

int Echo::Ligne_Courbe(std::int64_t cle) const {
    for (int ligne = 0; ligne < List1->count(); ++ligne) {
        if (List1->item(ligne)->data(Qt::UserRole).toLongLong() == cle)
            return ligne;
    }
    return -1;
}

void Echo::Selectionner_Courbe(int ligne) {
    {
        const QSignalBlocker bloque(List1);
        List1->setCurrentRow(ligne);
    }
    List1_Click();
}

void Echo::List1_Click() {
    try {
        Picture2_Paint();
    } catch (const Error& erreur) {
        if (erreur.number() == platform::db_error::kRecordDeleted && !relecture_courbes_) {
            Courbe_Supprimee_Ailleurs(kTexte_Courbe_Supprimee, courbe_affichee_);
            return;
        }
        showErrorBox(this, etat_.Libelle, erreur);
    }
}

void Echo::Courbe_Supprimee_Ailleurs(int texte, std::optional<std::int64_t> garder) {
    relecture_courbes_ = true;
    try {
        Charger_Courbes_Patient();
        const int ligne = garder ? Ligne_Courbe(*garder) : -1;
        if (ligne >= 0 || List1->count() > 0)
            Selectionner_Courbe(std::max(ligne, 0));
    } catch (const Error& erreur) {
        showErrorBox(this, etat_.Libelle, erreur);
    }
    relecture_courbes_ = false;
    if (texte != 0)
        showWarning(this, etat_.Libelle(1, kTitre_Courbe_Supprimee), etat_.Libelle(1, texte));
}

void Echo::Picture2_Paint() {
    const std::int64_t cle = Cle_Courbe_Selectionnee();
    if (cle == 0) {
        Vider_Commentaire_Courbe();
        courbe_affichee_.reset();
        apercu_courbe_ = false;
        Dessiner_Apercu();
        Picture2->update();
        return;
    }
    // The shared recordset may hold another patient's curves (an exam window replaces it):
    // the curve is read by its key, and made current there only when it is a member.
    if (etat_.Table_Courbes && etat_.Table_Courbes->isUpdatable())
        etat_.Table_Courbes->moveToKey(cle);
    const auto courbe = etat_.Base_Donnees->openRecordset(
        QStringLiteral("SELECT * FROM Courbes WHERE ID = ?"), {cle});
    if (courbe->recordCount() == 0) {
        // The box must not keep another curve's comment for the next keystroke to write
        // onto this one.
        Vider_Commentaire_Courbe();
        throw Error(platform::db_error::kRecordDeleted, "Recordset", "Record is deleted.");
    }
    const QByteArray echantillons = courbe->field(QStringLiteral("COURBE")).toBlob();
    const int moyenne = courbe->field(QStringLiteral("MOYENNE")).toInt32();
    const int passebas = courbe->field(QStringLiteral("PASSEBAS")).toInt16();
    const QString commentaire =
        toBoxText(courbe->field(QStringLiteral("Commentaire_Courbe")).toTextOrEmpty());

    apercu_source_.fill(0);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(echantillons.constData()),
                std::min<qsizetype>(echantillons.size(), kTaille_Courbe), apercu_source_.begin());
    apercu_moyenne_ = moyenne;
    apercu_passebas_ = passebas;
    apercu_courbe_ = true;
    Dessiner_Apercu();
    Picture2->update();

    courbe_affichee_ = cle;
    Commentaire_Courbe->setReadOnly(false);
    // Showing another text runs the box's change handling, which writes it back.
    if (Commentaire_Courbe->toPlainText() != commentaire)
        Commentaire_Courbe->setPlainText(commentaire);
}

void Echo::Vider_Commentaire_Courbe() {
    // Typing is refused too: it would be written to no curve and lost.
    Commentaire_Courbe->setReadOnly(true);
    const QSignalBlocker bloque(Commentaire_Courbe);
    Commentaire_Courbe->clear();
}

void Echo::Dessiner_Apercu() {
    if (apercu_courbe_) {
        etat_.Bibliotheque->smooth_filter()(apercu_source_.data(), Courbe_Apercu.data(),
                                            apercu_moyenne_, apercu_passebas_, etat_.Nombre_Points);
    } else {
        Courbe_Apercu.fill(0);
    }
    QuorelWindow fenetre = quorelWindow(Picture2->image());
    etat_.Bibliotheque->preview_samples()(&fenetre, Courbe_Apercu.data(), etat_.Nombre_Points);
}

void Echo::Commentaire_Courbe_Change() {
    const std::int64_t cle = Cle_Courbe_Selectionnee();
    if (cle == 0)
        return;
    int ecrites = 0;
    try {
        ecrites = etat_.Base_Donnees->execute(
            QStringLiteral("UPDATE Courbes SET Commentaire_Courbe = ? WHERE ID = ?"),
            {toStoredText(Commentaire_Courbe->toPlainText()), cle});
    } catch (const Error& erreur) {
        showErrorBox(this, etat_.Libelle, erreur);
        return;
    }
    if (ecrites == 0 && !relecture_courbes_)
        Courbe_Supprimee_Ailleurs(kTexte_Commentaire_Perdu, std::nullopt);
}

void Echo::Toolbar2_ButtonClick(int index) {
    switch (index) {
        case 1:
            Picture2->setVisible(Toolbar2_Boutons[0]->isChecked());
            break;
        case 2:
            Memoriser_Courbe();
            break;
        case 3:
            Supprimer_Courbe();
            break;
        default:
            if (Cle_Courbe_Selectionnee() != 0)
                Imprimer_Courbe(report::kCurvePageStoredCurve);
            break;
    }
}

void Echo::Memoriser_Courbe() {
    const Libelles& l = etat_.Libelle;
    std::int64_t cle = 0;
    QString etiquette;
    bool patient_perdu = false;
    platform::Recordset* courbes = etat_.Table_Courbes.get();
    try {
        if (courbes == nullptr)
            throw Error(91, "Corvanta", "Object variable not set.");
        platform::Database& base = *etat_.Base_Donnees;
        // A curve stored for nobody would show in no list.
        if (etat_.Code_Patient_Courant == 0) {
            showWarning(this, l(1, 60), l(1, 84));
            return;
        }
        // Without a frame the raw curve is the empty start-up one: no acquisition to keep.
        if (!Courbe_Acquise) {
            showWarning(this, l(1, 60), l(1, kTexte_Aucune_Courbe));
            return;
        }
        // The patient is looked for under the file's write lock: no other copy can delete
        // him between the look and the write.
        platform::Database::Transaction transaction(
            base, platform::Database::Transaction::Lock::Immediate);
        patient_perdu =
            base.queryValue(QStringLiteral("SELECT 1 FROM Patients WHERE Code_Patient = ?"),
                            {etat_.Code_Patient_Courant})
                .isNull();
        if (!patient_perdu) {
            const QString cote = l(1, Toolbar1_Boutons[1]->isChecked() ? 80 : 81);
            etiquette = Etiquette_Courbe(QDateTime::currentDateTime(), cote);
            courbes->addNew();
            courbes->setField(QStringLiteral("Code_Type"), etat_.Type_Examen);
            courbes->setField(QStringLiteral("Code_Patient"), etat_.Code_Patient_Courant);
            courbes->setField(QStringLiteral("DATE"), etiquette);
            courbes->setField(QStringLiteral("Commentaire_Courbe"), QString());
            courbes->setField(QStringLiteral("COURBE"), Octets(Courbe_Brute));
            courbes->setField(QStringLiteral("MOYENNE"), Slider1[0]->value());
            courbes->setField(QStringLiteral("PASSEBAS"), Slider1[1]->value());
            cle = courbes->update();
            transaction.commit();
            courbes->moveToKey(cle);
        }
    } catch (const Error& erreur) {
        if (courbes != nullptr && courbes->editMode() != platform::Recordset::EditMode::None)
            courbes->cancelUpdate();
        // Added, then rolled back: the curves are taken from the file again.
        if (cle != 0)
            courbes->requery();
        showErrorBox(this, l, erreur);
        return;
    }
    if (patient_perdu) {
        // Said once the lock is let go.
        Patient_Supprime_Ailleurs(l(1, kTexte_Patient_Supprime).arg(etat_.Nom_Patient_Courant),
                                  std::nullopt);
        return;
    }
    auto* ligne = new QListWidgetItem(etiquette);
    ligne->setData(Qt::UserRole, static_cast<qlonglong>(cle));
    {
        const QSignalBlocker bloque(List1);
        List1->insertItem(0, ligne);
    }
    Selectionner_Courbe(0);
    Commentaire_Courbe->setFocus();
}

void Echo::Supprimer_Courbe() {
    const std::int64_t cle = Cle_Courbe_Selectionnee();
    if (cle == 0)
        return;
    const int ligne = List1->currentRow();
    try {
        etat_.Base_Donnees->execute(QStringLiteral("DELETE FROM Courbes WHERE ID = ?"), {cle});
    } catch (const Error& erreur) {
        if (erreur.number() == platform::db_error::kRelatedRecords) {
            showWarning(this, QStringLiteral("Attention !!!"),
                        QStringLiteral("Vous ne pouvez pas supprimer une courbe\n"
                                       "utilisée dans un examen !"));
        } else {
            showErrorBox(this, etat_.Libelle, erreur);
        }
    }
    try {
        Charger_Courbes_Patient();
    } catch (const Error& erreur) {
        showErrorBox(this, etat_.Libelle, erreur);
        return;
    }
    if (List1->count() == 0)
        return;
    Selectionner_Courbe(std::min(ligne, List1->count() - 1));
}

}  // namespace corvanta
