// The pleura exam window: its layout, captions and columns.
#include "exams/examen_plevre.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolBar>

#include "exams/disposition_examen.h"
#include "report_picture/export_pages.h"
#include "widgets/curve_view.h"
#include "widgets/named_widgets.h"
#include "widgets/twips.h"

namespace corvanta {

namespace {

constexpr int kForm = 6;
constexpr QSize kApercu = twipsSize(2055, 1935);

// Three option buttons side by side at `haut` in their frame, `pas` pixels apart.
std::array<QRadioButton*, 3> Options(QGroupBox* cadre, const char* nom, int gauche, int haut,
                                     int pas) {
    std::array<QRadioButton*, 3> options{};
    for (int i = 0; i < 3; ++i) {
        options[i] = placeNamed<QRadioButton>(cadre, QStringLiteral("%1_%2").arg(nom).arg(i),
                                              QRect(gauche + pas * i, haut, pas - 2, 18));
    }
    return options;
}

}  // namespace

Profil_Examen Examen_Plevre::Profil_Fenetre() {
    Profil_Examen profil;
    profil.types = {Type_Plevre};
    profil.ecrit_date = false;
    profil.detruite_a_la_fermeture = true;
    profil.page_export = report::drawPleuraPicture;
    profil.page_imprimee = report::ReportWindow::Plevre;
    return profil;
}

Examen_Plevre::Examen_Plevre(Fenetre_Principale& principale, Etat_Application& etat)
    : Fenetre_Examen(principale, etat, Profil_Fenetre()) {
    setObjectName(QStringLiteral("Examen_Plevre"));
    setWindowTitle(QStringLiteral("Compte Rendu d'Examen de la Plèvre"));
    setFixedSize(kLargeur, kHauteur);
    Placer_Commun();
    // Rows 20 pixels apart, so that the three status lists never overlap.
    Construire_Imagerie(this, twipsRect(2880, 1080, 4575, 1215),
                        {.hauts = {18, 38, 58},
                         .gauche_coches = twipsToPixels(240),
                         .gauche_etiquettes = twipsToPixels(600),
                         .largeur_etiquettes = twipsToPixels(2640 - 600) - 2,
                         .liste = QRect(twipsToPixels(2640), 16, twipsToPixels(1815), 20)});
    Construire_Conditions();
    Construire_Resultats(
        this, twipsRect(240, 4440, 8895, 3135),
        {.gauches = {twipsToPixels(225), twipsToPixels(4545)},
         .largeurs_listes = {twipsToPixels(3855), twipsToPixels(4215)},
         .haut_titres = 26,
         .haut_listes = twipsToPixels(720),
         .hauteur_listes = 21,
         .haut_constats = twipsToPixels(1260),
         .pas_constats = twipsToPixels(240),
         .decalage_etiquettes = twipsToPixels(360),
         .largeurs_etiquettes = {twipsToPixels(3855 - 360), twipsToPixels(4215 - 360)},
         .details = {twipsRect(225, 2340, 3975, 285), twipsRect(4545, 2340, 4215, 285)}});
    Gras(Label_Echogramme_Droit);
    Gras(Label_Echogramme_Gauche);
    Construire_Decision();
    Declarer_Profil();
}

void Examen_Plevre::Placer_Commun() {
    Liste_Examens->setGeometry(twipsRect(240, 240, 2415, 3960));
    Label_Patient->setGeometry(twipsRect(2880, 240, 1035, 270));
    Gras(Label_Patient);
    Combo_Nom_Patient->setGeometry(twipsRect(3960, 120, 3015, 315));
    Texte_Nom_Patient->setGeometry(twipsRect(3975, 120, 2970, 330));
    Texte_Num_Examen->setGeometry(twipsRect(7080, 120, 375, 315));
    Label_Envoye->setGeometry(twipsRect(2880, 600, 1035, 270));
    Texte_Docteur_Patient->setGeometry(twipsRect(3960, 600, 3495, 285));
    Picture1 = createNamed<CurveView>(this, QStringLiteral("Picture1"), kApercu);
    Picture1->move(twipsToPixels(7560), twipsToPixels(120));
    Picture2 = createNamed<CurveView>(this, QStringLiteral("Picture2"), kApercu);
    Picture2->move(twipsToPixels(9720), twipsToPixels(120));

    Label_Conclusions->setGeometry(twipsRect(480, 7680, 1395, 270));
    Gras(Label_Conclusions);
    Texte_Examen_Compatible->setGeometry(twipsRect(1920, 7680, 9855, 285));
    // The doctor buttons and their label stand on the middle line of the main toolbar.
    Barre_Medecin(Label_Medecin, Toolbar2, Toolbar1, 240, 1440, 5880 + 5895, 8040);
}

void Examen_Plevre::Construire_Conditions() {
    Frame_Conditions_Examen =
        Cadre(this, "Frame_Conditions_Examen", twipsRect(2880, 2400, 8895, 1950));
    QGroupBox* f = Frame_Conditions_Examen;
    Frame_Position = Cadre(f, "Frame_Position", twipsRect(180, 285, 8565, 660));
    Option_Position = Options(Frame_Position, "Option_Position", 12, 18, 70);
    Texte_Autre_Position =
        Boite(Frame_Position, "Texte_Autre_Position", twipsRect(3390, 270, 5055, 285));
    Frame_Corpulence = Cadre(f, "Frame_Corpulence", twipsRect(195, 1050, 3255, 660));
    Option_Corpulence = Options(Frame_Corpulence, "Option_Corpulence", 10, 18, 68);
    Label_Remarque = Etiquette(f, "Label_Remarque", twipsToPixels(3585), 73, 200);
    Texte_Remarque = Boite(f, "Texte_Remarque", twipsRect(3585, 1350, 5055, 285));
    Cadre_Gras(f);  // the inner frames' captions stay regular
}

void Examen_Plevre::Construire_Decision() {
    Frame_Decision = Cadre(this, "Frame_Decision", twipsRect(9120, 4440, 2655, 3135));
    QGroupBox* f = Frame_Decision;
    const int x = twipsToPixels(240);
    const int largeur = twipsToPixels(2655 - 600) - 8;
    auto ligne = [f, x, largeur](const char* coche, const char* etiquette, int haut, QCheckBox*& c,
                                 QLabel*& e) {
        c = Coche(f, coche, x, twipsToPixels(haut));
        e = Etiquette(f, etiquette, twipsToPixels(600), twipsToPixels(haut), largeur);
    };
    ligne("Check_Decision_Scanner", "Label_Scanner2", 360, Check_Decision_Scanner, Label_Scanner2);
    ligne("Check_Decision_Drainage", "Label_Drainage", 630, Check_Decision_Drainage,
          Label_Drainage);
    ligne("Check_Decision_Ponction", "Label_Ponction", 900, Check_Decision_Ponction,
          Label_Ponction);
    ligne("Check_Decision_Traitement_Chirurgical", "Label_Traitement_C", 1920,
          Check_Decision_Traitement_Chirurgical, Label_Traitement_C);
    Texte_Traitement_Chirurgical =
        Boite_Lignes(f, "Texte_Traitement_Chirurgical", twipsRect(240, 2280, 2115, 645));
    Cadre_Gras(f);
}

void Examen_Plevre::Declarer_Profil() {
    std::vector<Colonne_Examen> colonnes = Colonnes_Imagerie();
    auto ajouter = [&colonnes](const std::vector<Colonne_Examen>& suite) {
        colonnes.insert(colonnes.end(), suite.begin(), suite.end());
    };
    ajouter({Colonne_Options("Condition_Position",
                             {Option_Position[0], Option_Position[1], Option_Position[2]},
                             Texte_Autre_Position, 2),
             // Written and shown whatever the position, so a rewrite never loses it.
             Colonne_Texte("Condition_Position_Detail", Texte_Autre_Position),
             Colonne_Options("Condition_Corpulence",
                             {Option_Corpulence[0], Option_Corpulence[1], Option_Corpulence[2]}),
             Colonne_Texte("Condition_Remarque", Texte_Remarque)});
    ajouter(Colonnes_Resultats());
    ajouter({
        Colonne_Coche("Decision_Scanner", Check_Decision_Scanner),
        Colonne_Coche("Decision_Drainage", Check_Decision_Drainage),
        Colonne_Coche("Decision_Ponction", Check_Decision_Ponction),
        Colonne_Coche("Decision_Traitement_Chirurgical", Check_Decision_Traitement_Chirurgical),
        Colonne_Texte("Decision_Traitement_Chirurgical_Detail", Texte_Traitement_Chirurgical),
    });
    Declarer_Colonnes(std::move(colonnes));
    for (Echogramme_Examen& echogramme : Echogrammes(Picture1, Picture2))
        Declarer_Echogramme(std::move(echogramme));
}

void Examen_Plevre::Appliquer_Libelles() {
    const Libelles& l = libelle();
    setWindowTitle(l(kForm, 1));
    Poser_Textes(l, kForm,
                 {{Label_Patient, 2},
                  {Frame_Conditions_Examen, 10},
                  {Frame_Position, 11},
                  {Option_Position[0], 12},
                  {Option_Position[1], 13},
                  {Option_Position[2], 14},
                  {Frame_Corpulence, 15},
                  {Option_Corpulence[0], 16},
                  {Option_Corpulence[1], 17},
                  {Option_Corpulence[2], 18},
                  {Label_Remarque, 19}});
    Poser_Textes(l, 4, {{Label_Envoye, 3}});
    Poser_Textes_Resultats(l, kForm, 20, 21, 23);
    Poser_Textes(l, kForm,
                 {{Frame_Decision, 28},
                  {Label_Scanner2, 29},
                  {Label_Drainage, 30},
                  {Label_Ponction, 31},
                  {Label_Traitement_C, 32},
                  {Label_Conclusions, 33},
                  {Label_Medecin, 34}});
    Poser_Textes_Imagerie(l, kForm, 3, 4, 7);
}

}  // namespace corvanta
