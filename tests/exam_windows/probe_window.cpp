#include "tests/exam_windows/probe_window.h"

#include <QListWidget>
#include <QToolBar>

#include "exams/disposition_examen.h"
#include "report_picture/export_pages.h"

namespace corvanta::test {

Profil_Examen ProbeWindow::Profil_Fenetre() {
    return {.types = {Type_Plevre},
            .form = 7,
            .titre_refus = 110,
            .refus_patient = 111,
            .refus_numero = 112,
            .refus_conclusion = 115,
            .refus_numero_pris = 130,
            .ecrit_date = false,
            .detruite_a_la_fermeture = true,
            .page_export = report::drawPleuraPicture};
}

ProbeWindow::ProbeWindow(Fenetre_Principale& principale, Etat_Application& etat)
    : Fenetre_Examen(principale, etat, Profil_Fenetre()) {
    setObjectName(QStringLiteral("ProbeWindow"));
    resize(640, 420);
    Liste_Examens->setGeometry(8, 8, 200, 150);
    Texte_Nom_Patient->setGeometry(220, 8, 200, 22);
    Combo_Nom_Patient->setGeometry(220, 8, 200, 22);
    Texte_Num_Examen->setGeometry(430, 8, 50, 22);
    Texte_Docteur_Patient->setGeometry(220, 34, 200, 22);
    Picture1 = createNamed<CurveView>(this, QStringLiteral("Picture1"), QSize(137, 129));
    Picture1->move(490, 8);
    Combo_Echogramme = Placer<QComboBox>(this, "Combo_Echogramme", QRect(220, 60, 200, 22));
    Check_Echo_B = Coche(this, "Check_Echo_B", 220, 90);
    Combo_Status_Echo_B = Placer<QComboBox>(this, "Combo_Status_Echo_B", QRect(240, 88, 120, 22));
    for (int i = 0; i < 3; ++i) {
        Option_Position[i] = placeNamed<QRadioButton>(
            this, QStringLiteral("Option_Position_%1").arg(i), QRect(8 + 60 * i, 170, 56, 20));
        Option_Corpulence[i] = placeNamed<QRadioButton>(
            this, QStringLiteral("Option_Corpulence_%1").arg(i), QRect(8 + 60 * i, 200, 56, 20));
    }
    Texte_Autre_Position = Boite(this, "Texte_Autre_Position", QRect(200, 170, 200, 22));
    Texte_Imagerie_Autres = Boite(this, "Texte_Imagerie_Autres", QRect(200, 230, 200, 22));
    Texte_Examen_Compatible->setGeometry(8, 300, 600, 22);
    Toolbar1->adjustSize();
    Toolbar1->move(8, 340);

    Declarer_Colonnes({
        Colonne_Coche("Imagerie_Echo_B", Check_Echo_B, Combo_Status_Echo_B),
        Colonne_Liste("Imagerie_Echo_B_Status", Combo_Status_Echo_B),
        Colonne_Texte("Imagerie_Autres_Status", Texte_Imagerie_Autres),
        Colonne_Options("Condition_Position",
                        {Option_Position[0], Option_Position[1], Option_Position[2]},
                        Texte_Autre_Position, 2),
        Colonne_Texte("Condition_Position_Detail", Texte_Autre_Position),
        Colonne_Options("Condition_Corpulence",
                        {Option_Corpulence[0], Option_Corpulence[1], Option_Corpulence[2]}),
    });
    Declarer_Echogramme({.combo = Combo_Echogramme,
                         .apercu = Picture1,
                         .colonnes_cles = {QStringLiteral("Echogramme_Droit_Num_Courbe"),
                                           QStringLiteral("Echogramme_Gauche_Num_Courbe")},
                         .colonne_courbe = QStringLiteral("Courbes_Droites.Courbe"),
                         .refus = 93,
                         .apercu_saisie = false});
}

void ProbeWindow::Appliquer_Libelles() {
    setWindowTitle(libelle()(7, 1));
    Remplir(Combo_Status_Echo_B, libelle(), 7, 31, 33);
}

}  // namespace corvanta::test
