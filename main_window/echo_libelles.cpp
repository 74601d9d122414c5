#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "main_window/echo.h"

namespace corvanta {

void Echo::Appliquer_Libelles(const Libelles& libelle) {
    auto texte = [&libelle](int numero) { return libelle(1, numero); };
    Menu_Gestion_Patients->setText(texte(1));
    Menu_Gestion_Examens->setText(texte(2));
    Menu_Quitter->setText(texte(3));
    Menu_Sinus_Maxillaires->setText(texte(72));
    Menu_Sinus_Frontaux->setText(texte(73));
    Menu_Plevre->setText(texte(74));
    Menu_Tumeur->setText(texte(75));
    Menu_Cellules->setText(texte(76));
    for (int onglet = 0; onglet < 4; ++onglet)
        SSTab1->setTabText(onglet, texte(4 + onglet));
    Bouton_Imprimer_Courbe_Acquisition->setText(texte(8));
    Bouton_Relancer->setText(texte(9));
    Bouton_Quitter->setText(texte(10));
    Frame_Patient->setTitle(texte(6));
    Frame_Courbes->setTitle(texte(11));
    Label_Zones_Sensibles->setText(texte(4));
    Label_Abscisse_Debut->setText(texte(12));
    Label_Abscisse_Fin->setText(texte(13));
    Label_Seuil_Detection->setText(texte(14));
    Check_Action[0]->setText(texte(15));
    Check_Action[1]->setText(texte(16));
    Label_Filtre_Moyenneur->setText(texte(17));
    Label_Filtre_PasseBas->setText(texte(18));
    Bouton_Sauvegarder->setText(texte(19));
    Label_Nombre_Points->setText(texte(20));
    Label_Port->setText(texte(21));
    Label_Date_Mes->setText(texte(22));
    Label_Medecin_No->setText(texte(23));
    Label_Nom->setText(texte(24));
    Label_Adresse->setText(texte(25));
    Label_Tel->setText(texte(26));
    Label_Fax->setText(texte(27));
    Label_Num_Ordre->setText(texte(28));
    Label_Repertoire->setText(texte(29));
    Toolbar1_Boutons[0]->setToolTip(texte(57));
    Toolbar1_Boutons[1]->setToolTip(texte(58));
    for (int bouton = 0; bouton < 4; ++bouton)
        Toolbar2_Boutons[bouton]->setToolTip(texte(59 + bouton));
    Label_Langue->setText(texte(67));
    Bouton_Geler->setToolTip(texte(63));
    Bouton_Relancer->setToolTip(texte(64));
    Bouton_Imprimer_Courbe_Acquisition->setToolTip(texte(65));
    Bouton_Quitter->setToolTip(texte(66));
}

}  // namespace corvanta
