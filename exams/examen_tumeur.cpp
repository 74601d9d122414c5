// The cervical-tumour exam window: its layout, captions and columns.
#include "exams/examen_tumeur.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolBar>

#include "exams/disposition_examen.h"
#include "report_picture/export_pages.h"
#include "widgets/curve_view.h"
#include "widgets/named_widgets.h"
#include "widgets/twips.h"

namespace corvanta {

namespace {

constexpr int px(int twips) {
    return twipsToPixels(twips);
}

// A check-box row of a frame: the box at `gauche`, its label from `gauche_etiquette` to `fin`,
// all in twips from the frame's corner.
void Ligne_Coche(QWidget* cadre, const char* coche, const char* etiquette, int gauche,
                 int gauche_etiquette, int haut, int fin, QCheckBox*& c, QLabel*& e) {
    c = Coche(cadre, coche, px(gauche), px(haut));
    e = Etiquette(cadre, etiquette, px(gauche_etiquette), px(haut), px(fin) - px(gauche_etiquette));
}

}  // namespace

Profil_Examen Examen_Tumeur::Profil_Fenetre() {
    return {.types = {Type_Tumeur},
            .form = 7,
            .titre_refus = 110,
            .refus_patient = 111,
            .refus_numero = 112,
            .refus_conclusion = 115,
            .refus_numero_pris = 130,
            .refus_modifie_ailleurs = 131,
            .refus_examen_supprime = 132,
            .refus_patient_supprime = 133,
            .refus_courbe_supprimee = 134,
            .examen_demande_supprime = 135,
            .titre_examen_supprime = 136,
            .ecrit_date = true,
            .detruite_a_la_fermeture = true,
            .page_export = report::drawTumourPicture,
            .page_imprimee = report::ReportWindow::Tumeur};
}

Examen_Tumeur::Examen_Tumeur(Fenetre_Principale& principale, Etat_Application& etat)
    : Fenetre_Examen(principale, etat, Profil_Fenetre()) {
    setObjectName(QStringLiteral("Examen_Tumeur"));
    setFixedSize(kLargeur, kHauteur);
    Placer_Commun();
    Construire_Imagerie();
    Construire_Indication();
    Construire_Resultats();
    Construire_Decision();
    Declarer_Profil();
}

void Examen_Tumeur::Placer_Commun() {
    Liste_Examens->setGeometry(twipsRect(240, 240, 2415, 3765));
    Label_Patient->setGeometry(px(2880), px(240) - 1, px(3960) - px(2880), 18);
    Gras(Label_Patient);
    Combo_Nom_Patient->setGeometry(twipsRect(3960, 120, 3015, 315));
    Texte_Nom_Patient->setGeometry(twipsRect(3975, 120, 2970, 330));
    Texte_Num_Examen->setGeometry(twipsRect(7080, 120, 375, 315));
    Label_Envoye->setGeometry(px(2880), px(480) - 1, px(3960) - px(2880), 18);
    Texte_Docteur_Patient->setGeometry(twipsRect(3960, 480, 3495, 285));
    Picture1 = createNamed<CurveView>(this, QStringLiteral("Picture1"), twipsSize(4170, 1935));
    Picture1->move(px(7560), px(120));

    Label_Conclusions->setGeometry(px(435), px(7410) - 1, px(1875) - px(435), 18);
    Gras(Label_Conclusions);
    Texte_Examen_Compatible->setGeometry(twipsRect(1875, 7410, 9855, 285));
    // The doctor buttons and their label stand on the middle line of the main toolbar.
    Barre_Medecin(Label_Medecin, Toolbar2, Toolbar1, 240, 1455, 5835 + 5895, 7860);
}

void Examen_Tumeur::Construire_Imagerie() {
    Frame_Imagerie = Cadre(this, "Frame_Imagerie", twipsRect(2880, 840, 4575, 1215));
    QGroupBox* f = Frame_Imagerie;
    Ligne_Coche(f, "Check_Echo_B", "Label_Echo_B", 240, 600, 360, 2625, Check_Echo_B, Label_Echo_B);
    Combo_Status_Echo_B =
        Placer<QComboBox>(f, "Combo_Status_Echo_B", twipsRect(2625, 255, 1725, 315));
    Ligne_Coche(f, "Check_Scanner", "Label_Scanner", 240, 600, 600, 2625, Check_Scanner,
                Label_Scanner);
    Combo_Status_Scanner =
        Placer<QComboBox>(f, "Combo_Status_Scanner", twipsRect(2625, 540, 1725, 315));
    Ligne_Coche(f, "Check_Autres", "Label_Autres", 240, 600, 825, 2145, Check_Autres, Label_Autres);
    Texte_Imagerie_Autres = Boite(f, "Texte_Imagerie_Autres", twipsRect(2145, 825, 2205, 285));
    Cadre_Gras(f);
}

void Examen_Tumeur::Construire_Indication() {
    Frame_Indication = Cadre(this, "Frame_Indication", twipsRect(2895, 2160, 8895, 1890));
    QGroupBox* f = Frame_Indication;
    Ligne_Coche(f, "Check_Douleur", "Label_Douleur", 225, 600, 360, 3180, Check_Douleur,
                Label_Douleur);
    Combo_Type_Douleur =
        Placer<QComboBox>(f, "Combo_Type_Douleur", twipsRect(3180, 315, 1815, 315));
    Ligne_Coche(f, "Check_Dysphagie", "Label_Dysphagie", 225, 600, 608, 3180, Check_Dysphagie,
                Label_Dysphagie);
    Ligne_Coche(f, "Check_Fievre", "Label_Fievre", 225, 600, 856, 3180, Check_Fievre, Label_Fievre);
    Ligne_Coche(f, "Check_Examens_ORL", "Label_Examens_ORL", 225, 600, 1104, 3195,
                Check_Examens_ORL, Label_Examens_ORL);
    Texte_Examens_ORL = Boite(f, "Texte_Examens_ORL", twipsRect(3195, 1050, 5055, 285));
    Ligne_Coche(f, "Check_Examens_Bio", "Label_Examens_Bio", 225, 600, 1350, 3195,
                Check_Examens_Bio, Label_Examens_Bio);
    Texte_Examens_Bio = Boite(f, "Texte_Examens_Bio", twipsRect(3195, 1335, 5055, 285));
    Cadre_Gras(f);
}

void Examen_Tumeur::Construire_Resultats() {
    Frame_Resultats = Cadre(this, "Frame_Resultats", twipsRect(240, 4275, 8895, 2940));
    QGroupBox* f = Frame_Resultats;
    Label_Echogramme = Etiquette(f, "Label_Echogramme", px(240), px(330), px(7410));
    Combo_Echogramme = Placer<QComboBox>(f, "Combo_Echogramme", twipsRect(240, 600, 7410, 315));
    Ligne_Coche(f, "Check_Tumeur_Normal", "Label_Normal", 240, 615, 1065, 7650, Check_Tumeur_Normal,
                Label_Normal);
    Ligne_Coche(f, "Check_Tumeur_Liquide", "Label_Tumeur_Liquide", 240, 615, 1320, 7650,
                Check_Tumeur_Liquide, Label_Tumeur_Liquide);
    Ligne_Coche(f, "Check_Tumeur_Homogene", "Label_Tumeur_Homogene", 240, 615, 1590, 7650,
                Check_Tumeur_Homogene, Label_Tumeur_Homogene);
    Ligne_Coche(f, "Check_Tumeur_Heterogene", "Label_Tumeur_Heterogene", 240, 615, 1845, 7650,
                Check_Tumeur_Heterogene, Label_Tumeur_Heterogene);
    Ligne_Coche(f, "Check_Tumeur_Autres", "Label_Autres_Constatations", 240, 615, 2085, 7650,
                Check_Tumeur_Autres, Label_Autres_Constatations);
    Texte_Tumeur_Autres = Boite(f, "Texte_Tumeur_Autres", twipsRect(240, 2445, 7410, 285));
    Cadre_Gras(f);
    Gras(Label_Echogramme);
}

void Examen_Tumeur::Construire_Decision() {
    Frame_Decision = Cadre(this, "Frame_Decision", twipsRect(9120, 4275, 2655, 2940));
    QGroupBox* f = Frame_Decision;
    const int fin = 2655 - 120;
    Ligne_Coche(f, "Check_Decision_Scanner", "Label_Scanner2", 240, 600, 600, fin,
                Check_Decision_Scanner, Label_Scanner2);
    Ligne_Coche(f, "Check_Decision_Traitement_Medical", "Label_Traitement_M", 240, 600, 840, fin,
                Check_Decision_Traitement_Medical, Label_Traitement_M);
    // Both treatment boxes are two lines high, room the rows below give by moving down.
    Texte_Traitement_Medical =
        Boite_Lignes(f, "Texte_Traitement_Medical", twipsRect(240, 1140, 2115, 540));
    Ligne_Coche(f, "Check_Decision_Cervicotomie", "Label_Cervicotomie", 240, 600, 1740, fin,
                Check_Decision_Cervicotomie, Label_Cervicotomie);
    Ligne_Coche(f, "Check_Decision_Traitement_Chirurgical", "Label_Traitement_C", 240, 600, 1980,
                fin, Check_Decision_Traitement_Chirurgical, Label_Traitement_C);
    Texte_Traitement_Chirurgical =
        Boite_Lignes(f, "Texte_Traitement_Chirurgical", twipsRect(240, 2250, 2115, 570));
    // A narrower margin lets two lines show whole in the shorter, upper box; a longer text
    // gets a scroll bar rather than lose its last line.
    for (QPlainTextEdit* boite : {Texte_Traitement_Medical, Texte_Traitement_Chirurgical})
        boite->document()->setDocumentMargin(2);
    Cadre_Gras(f);
}

void Examen_Tumeur::Declarer_Profil() {
    Declarer_Colonnes({
        Colonne_Coche("Imagerie_Echo_B", Check_Echo_B, Combo_Status_Echo_B),
        Colonne_Coche("Imagerie_Scanner", Check_Scanner, Combo_Status_Scanner),
        Colonne_Coche("Imagerie_Autres", Check_Autres, Texte_Imagerie_Autres),
        Colonne_Texte("Imagerie_Autres_Status", Texte_Imagerie_Autres),
        Colonne_Liste("Imagerie_Echo_B_Status", Combo_Status_Echo_B),
        Colonne_Liste("Imagerie_Scanner_Status", Combo_Status_Scanner),
        Colonne_Coche("Origine_Examen_Douleur", Check_Douleur, Combo_Type_Douleur),
        Colonne_Liste("Origine_Examen_Douleur_Type", Combo_Type_Douleur),
        Colonne_Coche("Origine_Examen_Dysphagie", Check_Dysphagie),
        Colonne_Coche("Origine_Examen_Fievre", Check_Fievre),
        Colonne_Coche("Origine_Examen_ORL", Check_Examens_ORL, Texte_Examens_ORL),
        Colonne_Coche("Origine_Examen_Bio", Check_Examens_Bio, Texte_Examens_Bio),
        Colonne_Texte("Origine_Examen_Bio_Detail", Texte_Examens_Bio),
        Colonne_Texte("Origine_Examen_ORL_Detail", Texte_Examens_ORL),
        Colonne_Coche("Echogramme_Tumeur_Normal", Check_Tumeur_Normal),
        Colonne_Coche("Echogramme_Tumeur_Liquide", Check_Tumeur_Liquide),
        Colonne_Coche("Echogramme_Tumeur_Homogene", Check_Tumeur_Homogene),
        Colonne_Coche("Echogramme_Tumeur_Heterogene", Check_Tumeur_Heterogene),
        Colonne_Coche("Echogramme_Tumeur_Autres", Check_Tumeur_Autres, Texte_Tumeur_Autres),
        Colonne_Texte("Echogramme_Tumeur_Autres_Detail", Texte_Tumeur_Autres),
        Colonne_Coche("Decision_Scanner", Check_Decision_Scanner),
        Colonne_Coche("Decision_Traitement_Cervicotomie", Check_Decision_Cervicotomie),
        Colonne_Coche("Decision_Traitement_Medical", Check_Decision_Traitement_Medical),
        Colonne_Texte("Decision_Traitement_Medical_Detail", Texte_Traitement_Medical),
        Colonne_Coche("Decision_Traitement_Chirurgical", Check_Decision_Traitement_Chirurgical),
        Colonne_Texte("Decision_Traitement_Chirurgical_Detail", Texte_Traitement_Chirurgical),
    });
    // The one curve is kept in both key columns; the display reads the right-hand side.
    Declarer_Echogramme({.combo = Combo_Echogramme,
                         .apercu = Picture1,
                         .colonnes_cles = {QStringLiteral("Echogramme_Droit_Num_Courbe"),
                                           QStringLiteral("Echogramme_Gauche_Num_Courbe")},
                         .colonne_courbe = QStringLiteral("Courbes_Droites.Courbe"),
                         .refus = 93,
                         .apercu_saisie = false});
}

void Examen_Tumeur::Appliquer_Libelles() {
    const Libelles& l = libelle();
    if (etat().Type_Examen == Type_Tumeur)
        setWindowTitle(l(7, 1));
    Poser_Textes(l, 7,
                 {{Label_Patient, 2},
                  {Label_Envoye, 3},
                  {Frame_Imagerie, 4},
                  {Label_Echo_B, 6},
                  {Label_Scanner, 7},
                  {Label_Autres, 5},
                  {Frame_Indication, 10},
                  {Label_Douleur, 8},
                  {Label_Dysphagie, 9},
                  {Label_Fievre, 11},
                  {Label_Examens_ORL, 12},
                  {Label_Examens_Bio, 14},
                  {Frame_Resultats, 13},
                  {Label_Echogramme, 17},
                  {Label_Normal, 18},
                  {Label_Tumeur_Liquide, 19},
                  {Label_Tumeur_Homogene, 20},
                  {Label_Tumeur_Heterogene, 21},
                  {Label_Autres_Constatations, 22},
                  {Frame_Decision, 23},
                  {Label_Scanner2, 24},
                  {Label_Traitement_M, 25},
                  {Label_Cervicotomie, 26},
                  {Label_Traitement_C, 27},
                  {Label_Conclusions, 28},
                  {Label_Medecin, 29}});
    Remplir(Combo_Status_Echo_B, l, 7, 31, 33);
    Remplir(Combo_Status_Scanner, l, 7, 31, 33);
    Remplir(Combo_Type_Douleur, l, 7, 34, 36);
}

}  // namespace corvanta
