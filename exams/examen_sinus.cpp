// The sinus exam window: its layout, captions and columns.
#include "exams/examen_sinus.h"

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

constexpr QSize kApercu = twipsSize(2055, 1935);

}  // namespace

Profil_Examen Examen_Sinus::Profil_Fenetre() {
    Profil_Examen profil;
    profil.types = {Type_Sinus_Maxillaires, Type_Sinus_Frontaux, Type_Cellules};
    profil.page_export = report::drawSinusPicture;
    profil.page_imprimee = report::ReportWindow::Sinus;
    return profil;
}

Examen_Sinus::Examen_Sinus(Fenetre_Principale& principale, Etat_Application& etat)
    : Fenetre_Examen(principale, etat, Profil_Fenetre()) {
    setObjectName(QStringLiteral("Examen_Sinus"));
    setWindowTitle(QStringLiteral("Compte Rendu d'Examen des Sinus"));
    setFixedSize(kLargeur, kHauteur);
    Placer_Commun();
    Construire_Imagerie(this, QRect(210, 60, 292, 96),
                        {.hauts = {22, 46, 70},
                         .gauche_coches = 8,
                         .gauche_etiquettes = 28,
                         .largeur_etiquettes = 134,
                         .liste = QRect(164, 19, 120, 22)});
    Construire_Indication();
    Construire_Resultats(this, QRect(8, 280, 496, 186),
                         {.gauches = {8, 252},
                          .largeurs_listes = {228, 228},
                          .haut_titres = 20,
                          .haut_listes = 38,
                          .hauteur_listes = 22,
                          .haut_constats = 68,
                          .pas_constats = 22,
                          .decalage_etiquettes = 20,
                          .largeurs_etiquettes = {214, 214},
                          .details = {QRect(28, 154, 208, 22), QRect(272, 154, 208, 22)}});
    Construire_Decision();
    Declarer_Profil();
}

void Examen_Sinus::Placer_Commun() {
    Liste_Examens->setGeometry(8, 8, 196, 148);
    Label_Patient->setGeometry(212, 11, 56, 18);
    Gras(Label_Patient);
    Texte_Nom_Patient->setGeometry(270, 9, 172, 22);
    Combo_Nom_Patient->setGeometry(270, 9, 172, 22);
    Texte_Num_Examen->setGeometry(446, 9, 56, 22);
    Label_Envoye->setGeometry(212, 37, 72, 18);
    Texte_Docteur_Patient->setGeometry(286, 35, 216, 22);
    Picture1 = createNamed<CurveView>(this, QStringLiteral("Picture1"), kApercu);
    Picture1->move(510, 8);
    Picture2 = createNamed<CurveView>(this, QStringLiteral("Picture2"), kApercu);
    Picture2->move(651, 8);

    Label_Conclusions->setGeometry(8, 475, 90, 18);
    Gras(Label_Conclusions);
    Texte_Examen_Compatible->setGeometry(100, 473, 688, 22);
    Label_Medecin->setGeometry(8, 516, 84, 18);
    Toolbar2->adjustSize();
    Toolbar2->move(96, 508);
    Toolbar1->adjustSize();
    Toolbar1->move(kLargeur - 8 - Toolbar1->width(), 502);
}

void Examen_Sinus::Construire_Indication() {
    Frame_Indication = Cadre(this, "Frame_Indication", QRect(8, 160, 780, 116));
    QGroupBox* f = Frame_Indication;
    Check_Douleur = Coche(f, "Check_Douleur", 8, 22);
    Label_Douleur = Etiquette(f, "Label_Douleur", 28, 22, 160);
    Combo_Type_Douleur = Placer<QComboBox>(f, "Combo_Type_Douleur", QRect(196, 19, 150, 22));
    Check_Obstruction_Nasale = Coche(f, "Check_Obstruction_Nasale", 8, 46);
    Label_Obstruction = Etiquette(f, "Label_Obstruction", 28, 46, 160);
    Check_Ecoulement = Coche(f, "Check_Ecoulement", 8, 70);
    Label_Ecoulement = Etiquette(f, "Label_Ecoulement", 28, 70, 160);
    Combo_Type_Ecoulement = Placer<QComboBox>(f, "Combo_Type_Ecoulement", QRect(196, 67, 150, 22));
    Check_Fievre = Coche(f, "Check_Fievre", 8, 94);
    Label_Fievre = Etiquette(f, "Label_Fievre", 28, 94, 160);

    auto ligne = [f](const char* coche, const char* etiquette, const char* texte, int y,
                     QCheckBox*& c, QLabel*& e, QLineEdit*& t) {
        c = Coche(f, coche, 380, y);
        e = Etiquette(f, etiquette, 400, y, 170);
        t = Boite(f, texte, QRect(574, y - 3, 196, 22));
    };
    ligne("Check_Autres_ORL", "Label_AS_ORL", "Texte_Autres_ORL", 22, Check_Autres_ORL,
          Label_AS_ORL, Texte_Autres_ORL);
    ligne("Check_Autres_CLI", "Label_AS_CLI", "Texte_Autres_CLI", 46, Check_Autres_CLI,
          Label_AS_CLI, Texte_Autres_CLI);
    ligne("Check_Examens_Biologiques", "Label_Examens", "Texte_Examens_Biologiques", 70,
          Check_Examens_Biologiques, Label_Examens, Texte_Examens_Biologiques);
    ligne("Check_Globules", "Label_Globules", "Texte_Globules", 94, Check_Globules, Label_Globules,
          Texte_Globules);
    Cadre_Gras(f);
}

void Examen_Sinus::Construire_Decision() {
    Frame_Decision = Cadre(this, "Frame_Decision", QRect(510, 280, 278, 186));
    QGroupBox* f = Frame_Decision;
    Check_Decision_Lavage = Coche(f, "Check_Decision_Lavage", 8, 22);
    Label_Lavage = Etiquette(f, "Label_Lavage", 28, 22, 240);
    Check_Decision_Scanner = Coche(f, "Check_Decision_Scanner", 8, 44);
    Label_Scanner2 = Etiquette(f, "Label_Scanner2", 28, 44, 240);
    Check_Decision_Traitement_Medical = Coche(f, "Check_Decision_Traitement_Medical", 8, 66);
    Label_Traitement_M = Etiquette(f, "Label_Traitement_M", 28, 66, 120);
    Texte_Traitement_Medical = Boite_Lignes(f, "Texte_Traitement_Medical", QRect(150, 62, 120, 40));
    Check_Decision_Traitement_Endoscopie = Coche(f, "Check_Decision_Traitement_Endoscopie", 8, 110);
    Label_Endoscopie = Etiquette(f, "Label_Endoscopie", 28, 110, 240);
    Check_Decision_Traitement_Chirurgical =
        Coche(f, "Check_Decision_Traitement_Chirurgical", 8, 134);
    Label_Traitement_C = Etiquette(f, "Label_Traitement_C", 28, 134, 120);
    Texte_Traitement_Chirurgical =
        Boite_Lignes(f, "Texte_Traitement_Chirurgical", QRect(150, 130, 120, 40));
    Cadre_Gras(f);
}

void Examen_Sinus::Declarer_Profil() {
    std::vector<Colonne_Examen> colonnes = Colonnes_Imagerie();
    auto ajouter = [&colonnes](const std::vector<Colonne_Examen>& suite) {
        colonnes.insert(colonnes.end(), suite.begin(), suite.end());
    };
    ajouter({Colonne_Coche("Origine_Examen_Douleur", Check_Douleur, Combo_Type_Douleur),
             Colonne_Liste("Origine_Examen_Douleur_Type", Combo_Type_Douleur),
             Colonne_Coche("Origine_Examen_Obstruction", Check_Obstruction_Nasale),
             Colonne_Coche("Origine_Examen_Ecoulement", Check_Ecoulement, Combo_Type_Ecoulement),
             Colonne_Liste("Origine_Examen_Ecoulement_Type", Combo_Type_Ecoulement),
             Colonne_Coche("Origine_Examen_Fievre", Check_Fievre),
             Colonne_Coche("Origine_Examen_Autres_ORL", Check_Autres_ORL, Texte_Autres_ORL),
             Colonne_Texte("Origine_Examen_Autres_ORL_Detail", Texte_Autres_ORL),
             Colonne_Coche("Origine_Examen_Autres_CLI", Check_Autres_CLI, Texte_Autres_CLI),
             Colonne_Texte("Origine_Examen_Autres_CLI_Detail", Texte_Autres_CLI),
             Colonne_Coche("Origine_Examen_Biologiques", Check_Examens_Biologiques,
                           Texte_Examens_Biologiques),
             Colonne_Texte("Origine_Examen_Biologiques_Detail", Texte_Examens_Biologiques),
             Colonne_Coche("Origine_Examen_Globules", Check_Globules, Texte_Globules),
             Colonne_Texte("Origine_Examen_Globules_Detail", Texte_Globules)});
    ajouter(Colonnes_Resultats());
    ajouter({
        Colonne_Coche("Decision_Lavage", Check_Decision_Lavage),
        Colonne_Coche("Decision_Scanner", Check_Decision_Scanner),
        Colonne_Coche("Decision_Traitement_Medical", Check_Decision_Traitement_Medical),
        Colonne_Texte("Decision_Traitement_Medical_Detail", Texte_Traitement_Medical),
        Colonne_Coche("Decision_Traitement_Chirurgical", Check_Decision_Traitement_Chirurgical),
        Colonne_Texte("Decision_Traitement_Chirurgical_Detail", Texte_Traitement_Chirurgical),
        Colonne_Coche("Decision_Traitement_Endoscopie", Check_Decision_Traitement_Endoscopie),
    });
    Declarer_Colonnes(std::move(colonnes));
    for (Echogramme_Examen& echogramme : Echogrammes(Picture1, Picture2))
        Declarer_Echogramme(std::move(echogramme));
}

void Examen_Sinus::Appliquer_Libelles() {
    const Libelles& l = libelle();
    switch (etat().Type_Examen) {
        case Type_Sinus_Frontaux:
            setWindowTitle(l(4, 1));
            break;
        case Type_Sinus_Maxillaires:
            setWindowTitle(l(4, 100));
            break;
        case Type_Cellules:
            setWindowTitle(l(4, 101));
            break;
        default:
            break;
    }
    Poser_Textes(l, 4,
                 {{Label_Patient, 2},
                  {Label_Envoye, 3},
                  {Frame_Indication, 15},
                  {Label_Douleur, 8},
                  {Label_Obstruction, 9},
                  {Label_Ecoulement, 10},
                  {Label_Fievre, 11},
                  {Label_AS_ORL, 12},
                  {Label_AS_CLI, 13},
                  {Label_Examens, 14},
                  {Label_Globules, 17}});
    Poser_Textes_Resultats(l, 4, 16, 18, 20);
    Poser_Textes(l, 4,
                 {{Frame_Decision, 24},
                  {Label_Lavage, 98},
                  {Label_Scanner2, 25},
                  {Label_Traitement_M, 26},
                  {Label_Endoscopie, 27},
                  {Label_Traitement_C, 28},
                  {Label_Conclusions, 29},
                  {Label_Medecin, 30}});
    Poser_Textes_Imagerie(l, 4, 4, 5, 31);
    Remplir(Combo_Type_Douleur, l, 4, 34, 36);
    Remplir(Combo_Type_Ecoulement, l, 4, 37, 38);
}

}  // namespace corvanta
