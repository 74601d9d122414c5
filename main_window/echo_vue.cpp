// The live view, the filter sliders and their saving, and the emptying of the slots.
#include <QCheckBox>
#include <QLabel>
#include <QSlider>

#include "app/reglages.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/settings_store.h"
#include "widgets/curve_view.h"
#include "widgets/quorel_window.h"

namespace corvanta {

namespace {

const QString kCourbes_Marquees = QStringLiteral("IMPRIMER <> 0 OR COULEUR <> 0");

}  // namespace

int Echo::Dessiner_Vue(Zone_Sensible* zones) {
    QuorelWindow fenetre = quorelWindow(Picture1->image());
    const int resultat = etat_.Bibliotheque->view_samples()(
        &fenetre, Courbe_Filtree.data(), etat_.Nombre_Points, Courbes_Affichees[0].data(),
        Courbes_Affichees[1].data(), Courbes_Affichees[2].data(), Courbes_Affichees[3].data(),
        Courbes_Affichees[4].data(), Selection_Courbes.data(), zones);
    Picture1->update();
    return resultat;
}

void Echo::Picture1_Paint() {
    for (int z = 0; z < kZones_Utilisees; ++z) {
        etat_.Zones_Courantes[z] = etat_.Zones_Sensibles[etat_.Type_Examen][z];
    }
    Dessiner_Vue(etat_.Zones_Courantes.data());
}

void Echo::Slider1_Scroll(int index) {
    const int v = Slider1[index]->value();
    const Libelles& l = etat_.Libelle;
    if (index == 0) {
        Label_Nbre_Points[0]->setText(
            v != 0 ? QString::number(2 * v) + QStringLiteral(" ") + l(1, 32) : l(1, 30));
    } else {
        Label_Nbre_Points[1]->setText(
            v != 0 ? QString::number((7 - v) * 200) + QStringLiteral(" kHz") : l(1, 31));
    }
}

void Echo::Bouton_Sauvegarder_Click() {
    platform::SettingsStore& registre = *etat_.Registre;
    registre.write(kSection_Filtrage, kCle_Moyenneur,
                   platform::formatWithLeadingBlank(Slider1[0]->value()));
    registre.write(kSection_Filtrage, kCle_Passe_Bas,
                   platform::formatWithLeadingBlank(Slider1[1]->value()));
    registre.sync();
}

void Echo::ResetCheck() {
    for (int i = 0; i < 5; ++i) {
        if (Check1[i]->isChecked())
            Check1[i]->setChecked(false);
        Selection_Courbes[i] = 0;
        Dessiner_Vue(etat_.Zones_Sensibles[etat_.Type_Examen].data());
    }
    // The curves of the type are opened after the first frame request, which does not
    // need them (Ouvrir_Recordsets_Differes).
    type_courbes_differe_ = etat_.Type_Examen;
    etat_.Table_Courbes.reset();
    platform::Database& base = *etat_.Base_Donnees;
    // No curve sits in a slot when the program starts: clear the flags of every curve,
    // whatever its exam type, in one statement. Only a file that holds flagged curves is
    // written: looking takes no write lock, so a copy starting while another one writes
    // starts all the same.
    if (base.queryValue(QStringLiteral("SELECT EXISTS (SELECT 1 FROM Courbes WHERE ") +
                        kCourbes_Marquees + QStringLiteral(")"))
            .toInt64() == 0)
        return;
    platform::Database::Transaction transaction(base);
    base.execute(QStringLiteral("UPDATE Courbes SET IMPRIMER = 0, COULEUR = 0 WHERE ") +
                 kCourbes_Marquees);
    transaction.commit();
}

void Echo::Effacer_Selection_Couleur() {
    for (int i = 0; i < 5; ++i) {
        if (Check1[i]->isChecked())
            Check1[i]->setChecked(false);
        Selection_Courbes[i] = 0;
    }
    Dessiner_Vue(etat_.Zones_Courantes.data());
}

}  // namespace corvanta
