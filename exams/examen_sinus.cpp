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
#include "main_window/curve_view.h"
#include "report_picture/export_pages.h"
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

Examen_Sinus::Examen_Sinus(Echo& echo, Etat_Application& etat)
    : Fenetre_Examen(echo, etat, Profil_Fenetre()) {
    setObjectName(QStringLiteral("Examen_Sinus"));
    setWindowTitle(QStringLiteral("Compte Rendu d'Examen des Sinus"));
    setFixedSize(kLargeur, kHauteur);
    Placer_Commun();
    Construire_Imagerie();
    Construire_Indication();
    Construire_Resultats();
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

void Examen_Sinus::Construire_Imagerie() {
    Frame_Imagerie = Cadre(this, "Frame_Imagerie", QRect(210, 60, 292, 96));
    QGroupBox* f = Frame_Imagerie;
    auto ligne = [f](const char* coche, const char* etiquette, const char* liste, int y,
                     QCheckBox*& c, QLabel*& e, QComboBox*& l) {
        c = Coche(f, coche, 8, y);
        e = Etiquette(f, etiquette, 28, y, 134);
        l = Placer<QComboBox>(f, liste, QRect(164, y - 3, 120, 22));
    };
    ligne("Check_Face_Standard", "Label_Blondeau", "Combo_Status_Face_Standard", 22,
          Check_Face_Standard, Label_Blondeau, Combo_Status_Face_Standard);
    ligne("Check_Echo_B", "Label_EchoB", "Combo_Status_Echo_B", 46, Check_Echo_B, Label_EchoB,
          Combo_Status_Echo_B);
    ligne("Check_Scanner", "Label_Scanner", "Combo_Status_Scanner", 70, Check_Scanner,
          Label_Scanner, Combo_Status_Scanner);
    Cadre_Gras(f);
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

void Examen_Sinus::Construire_Resultats() {
    Frame_Resultats = Cadre(this, "Frame_Resultats", QRect(8, 280, 496, 186));
    QGroupBox* f = Frame_Resultats;
    Label_Echogramme_Droit = Etiquette(f, "Label_Echogramme_Droit", 8, 20, 228);
    Label_Echogramme_Gauche = Etiquette(f, "Label_Echogramme_Gauche", 252, 20, 228);
    Combo_Echogramme_Droit = Placer<QComboBox>(f, "Combo_Echogramme_Droit", QRect(8, 38, 228, 22));
    Combo_Echogramme_Gauche =
        Placer<QComboBox>(f, "Combo_Echogramme_Gauche", QRect(252, 38, 228, 22));
    std::array<std::array<QCheckBox**, 4>, 2> coches{
        {{&Check_Droit_Normal, &Check_Droit_Occupe, &Check_Droit_Evocateur, &Check_Droit_Autres},
         {&Check_Gauche_Normal, &Check_Gauche_Occupe, &Check_Gauche_Evocateur,
          &Check_Gauche_Autres}}};
    const std::array<std::array<const char*, 4>, 2> noms{
        {{"Check_Droit_Normal", "Check_Droit_Occupe", "Check_Droit_Evocateur",
          "Check_Droit_Autres"},
         {"Check_Gauche_Normal", "Check_Gauche_Occupe", "Check_Gauche_Evocateur",
          "Check_Gauche_Autres"}}};
    const std::array<std::array<QLabel*, 2>*, 4> etiquettes{&Label_Normal, &Label_Occupe,
                                                            &Label_Evocateur, &Label_Autres};
    const std::array<const char*, 4> noms_etiquettes{"Label_Normal", "Label_Occupe",
                                                     "Label_Evocateur", "Label_Autres"};
    for (int cote = 0; cote < 2; ++cote) {
        const int x = cote == 0 ? 8 : 252;
        for (int i = 0; i < 4; ++i) {
            const int y = 68 + 22 * i;
            *coches[cote][i] = Coche(f, noms[cote][i], x, y);
            QLabel* e = Etiquette(f, noms_etiquettes[i], x + 20, y, 214);
            e->setObjectName(
                QStringLiteral("%1_%2").arg(QLatin1String(noms_etiquettes[i])).arg(cote));
            (*etiquettes[i])[cote] = e;
        }
    }
    Texte_Droit_Autres = Boite(f, "Texte_Droit_Autres", QRect(28, 154, 208, 22));
    Texte_Gauche_Autres = Boite(f, "Texte_Gauche_Autres", QRect(272, 154, 208, 22));
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
    Declarer_Colonnes({
        Colonne_Coche("Imagerie_Face_Standard", Check_Face_Standard, Combo_Status_Face_Standard),
        Colonne_Coche("Imagerie_Echo_B", Check_Echo_B, Combo_Status_Echo_B),
        Colonne_Coche("Imagerie_Scanner", Check_Scanner, Combo_Status_Scanner),
        Colonne_Liste("Imagerie_Face_Standard_Status", Combo_Status_Face_Standard),
        Colonne_Liste("Imagerie_Echo_B_Status", Combo_Status_Echo_B),
        Colonne_Liste("Imagerie_Scanner_Status", Combo_Status_Scanner),
        Colonne_Coche("Origine_Examen_Douleur", Check_Douleur, Combo_Type_Douleur),
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
        Colonne_Texte("Origine_Examen_Globules_Detail", Texte_Globules),
        Colonne_Coche("Echogramme_Droit_Normal", Check_Droit_Normal),
        Colonne_Coche("Echogramme_Droit_Occupe", Check_Droit_Occupe),
        Colonne_Coche("Echogramme_Droit_Evocateur", Check_Droit_Evocateur),
        Colonne_Coche("Echogramme_Droit_Autres", Check_Droit_Autres, Texte_Droit_Autres),
        Colonne_Texte("Echogramme_Droit_Autres_Detail", Texte_Droit_Autres),
        Colonne_Coche("Echogramme_Gauche_Normal", Check_Gauche_Normal),
        Colonne_Coche("Echogramme_Gauche_Occupe", Check_Gauche_Occupe),
        Colonne_Coche("Echogramme_Gauche_Evocateur", Check_Gauche_Evocateur),
        Colonne_Coche("Echogramme_Gauche_Autres", Check_Gauche_Autres, Texte_Gauche_Autres),
        Colonne_Texte("Echogramme_Gauche_Autres_Detail", Texte_Gauche_Autres),
        Colonne_Coche("Decision_Lavage", Check_Decision_Lavage),
        Colonne_Coche("Decision_Scanner", Check_Decision_Scanner),
        Colonne_Coche("Decision_Traitement_Medical", Check_Decision_Traitement_Medical),
        Colonne_Texte("Decision_Traitement_Medical_Detail", Texte_Traitement_Medical),
        Colonne_Coche("Decision_Traitement_Chirurgical", Check_Decision_Traitement_Chirurgical),
        Colonne_Texte("Decision_Traitement_Chirurgical_Detail", Texte_Traitement_Chirurgical),
        Colonne_Coche("Decision_Traitement_Endoscopie", Check_Decision_Traitement_Endoscopie),
    });
    Declarer_Echogramme({.combo = Combo_Echogramme_Droit,
                         .apercu = Picture1,
                         .colonnes_cles = {QStringLiteral("Echogramme_Droit_Num_Courbe")},
                         .colonne_courbe = QStringLiteral("Courbes_Droites.Courbe"),
                         .refus = 93});
    Declarer_Echogramme({.combo = Combo_Echogramme_Gauche,
                         .apercu = Picture2,
                         .colonnes_cles = {QStringLiteral("Echogramme_Gauche_Num_Courbe")},
                         .colonne_courbe = QStringLiteral("Courbes_Gauches.Courbe"),
                         .refus = 94});
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
                  {Frame_Imagerie, 4},
                  {Label_Blondeau, 5},
                  {Label_EchoB, 6},
                  {Label_Scanner, 7},
                  {Frame_Indication, 15},
                  {Label_Douleur, 8},
                  {Label_Obstruction, 9},
                  {Label_Ecoulement, 10},
                  {Label_Fievre, 11},
                  {Label_AS_ORL, 12},
                  {Label_AS_CLI, 13},
                  {Label_Examens, 14},
                  {Label_Globules, 17},
                  {Frame_Resultats, 16},
                  {Label_Echogramme_Droit, 18},
                  {Label_Echogramme_Gauche, 19}});
    for (int cote = 0; cote < 2; ++cote) {
        Poser_Textes(l, 4,
                     {{Label_Normal[cote], 20},
                      {Label_Occupe[cote], 21},
                      {Label_Evocateur[cote], 22},
                      {Label_Autres[cote], 23}});
    }
    Poser_Textes(l, 4,
                 {{Frame_Decision, 24},
                  {Label_Lavage, 98},
                  {Label_Scanner2, 25},
                  {Label_Traitement_M, 26},
                  {Label_Endoscopie, 27},
                  {Label_Traitement_C, 28},
                  {Label_Conclusions, 29},
                  {Label_Medecin, 30}});
    Remplir(Combo_Status_Face_Standard, l, 4, 31, 33);
    Remplir(Combo_Status_Echo_B, l, 4, 31, 33);
    Remplir(Combo_Status_Scanner, l, 4, 31, 33);
    Remplir(Combo_Type_Douleur, l, 4, 34, 36);
    Remplir(Combo_Type_Ecoulement, l, 4, 37, 38);
}

}  // namespace corvanta
