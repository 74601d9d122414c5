// The exam types: menus, caption, the exams recordset of the current type, and the
// opening of the exam windows and what they read of this window.
#include <QAction>
#include <QComboBox>
#include <QSlider>

#include "app/requetes.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/recordset.h"

namespace corvanta {

QString Echo::Titre_Type(int type) const {
    return QStringLiteral("Corvanta - ") + etat_.Libelle(1, 72 + type);
}

void Echo::Ouvrir_Type_Examen(int type) {
    if (type < 0 || type > 4)
        return;
    // Opened first: a query the database lacks leaves the former type in force.
    auto examens = etat_.Base_Donnees->openRecordset(Requete_Examens(type));
    etat_.Table_Examens = std::move(examens);
    Marquer_Type_Examen(type);
}

void Echo::Choisir_Type_Examen_Au_Demarrage(int type) {
    if (type < 0 || type > 4)
        return;
    // Its exams are opened after the first frame request, which does not need them; a file
    // without the type's query is refused here all the same, before the port is opened.
    etat_.Base_Donnees->queryValue(
        QStringLiteral("SELECT 1 FROM Req_Examens_%1 WHERE 0").arg(type));
    type_examens_differe_ = type;
    Marquer_Type_Examen(type);
}

void Echo::Ouvrir_Recordsets_Differes() {
    platform::Database& base = *etat_.Base_Donnees;
    if (type_courbes_differe_ && !etat_.Table_Courbes) {
        etat_.Table_Courbes = base.openRecordset(
            QStringLiteral("SELECT * FROM Courbes WHERE Code_Type = ?"), {*type_courbes_differe_});
    }
    type_courbes_differe_.reset();
    if (type_examens_differe_)
        etat_.Table_Examens = base.openRecordset(Requete_Examens(*type_examens_differe_));
    type_examens_differe_.reset();
}

void Echo::Marquer_Type_Examen(int type) {
    etat_.Type_Examen = type;
    etat_.Nom_Type_Examen = etat_.Libelle(1, 72 + type);
    Cocher_Type(type);
    setWindowTitle(Titre_Type(type));
}

void Echo::Cocher_Type(int type) {
    const std::array<QAction*, 5> menus{Menu_Sinus_Maxillaires, Menu_Sinus_Frontaux, Menu_Plevre,
                                        Menu_Tumeur, Menu_Cellules};
    for (int t = 0; t < 5; ++t)
        menus[t]->setChecked(t == type);
}

void Echo::Changer_Type_Examen(int type) {
    if (type < 0 || type > 4)
        return;
    const bool meme_type = type == etat_.Type_Examen;
    // A new exam being typed is never lost unasked: kept, everything stays as it was,
    // the check mark the menu entry put on itself included.
    if (fenetres_examen_ && !meme_type && !fenetres_examen_->Abandon_Accepte()) {
        Cocher_Type(etat_.Type_Examen);
        return;
    }
    Ouvrir_Type_Examen(type);
    for (int z = 0; z < kZones_Utilisees; ++z)
        etat_.Zones_Courantes[z] = etat_.Zones_Sensibles[type][z];
    Remplir_Zones_Sensibles();
    Liste_Nom_Click();
    Effacer_Selection_Couleur();
    Picture1_Paint();
    // An open exam window must never write a row of the type it was set up for into
    // the new type's recordset; the same type chosen again leaves it, and the exam being
    // typed there, as they are.
    if (fenetres_examen_ && !meme_type)
        fenetres_examen_->Type_Change(type);
}

void Echo::Menu_Gestion_Examens_Click() {
    if (!fenetres_examen_) {
        const Fabrique_Fenetres_Examen& fabrique = Fabrique_Enregistree();
        if (!fabrique)
            return;
        fenetres_examen_ = fabrique(*this, etat_);
    }
    fenetres_examen_->Ouvrir(etat_.Type_Examen);
}

Reglages_Filtre Echo::Filtre_Choisi() const {
    return {Slider1[0]->value(), Slider1[1]->value()};
}

int Echo::Nombre_Points_Liste() const {
    return Combo1->currentData().toInt();
}

}  // namespace corvanta
