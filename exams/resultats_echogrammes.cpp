#include "exams/resultats_echogrammes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "exams/disposition_examen.h"

namespace corvanta {

void Resultats_Echogrammes::Construire_Resultats(QWidget* fenetre, const QRect& zone,
                                                 const Disposition_Resultats& d) {
    Frame_Resultats = Cadre(fenetre, "Frame_Resultats", zone);
    QGroupBox* f = Frame_Resultats;
    Label_Echogramme_Droit =
        Etiquette(f, "Label_Echogramme_Droit", d.gauches[0], d.haut_titres, d.largeurs_listes[0]);
    Label_Echogramme_Gauche =
        Etiquette(f, "Label_Echogramme_Gauche", d.gauches[1], d.haut_titres, d.largeurs_listes[1]);
    Combo_Echogramme_Droit = Placer<QComboBox>(
        f, "Combo_Echogramme_Droit",
        QRect(d.gauches[0], d.haut_listes, d.largeurs_listes[0], d.hauteur_listes));
    Combo_Echogramme_Gauche = Placer<QComboBox>(
        f, "Combo_Echogramme_Gauche",
        QRect(d.gauches[1], d.haut_listes, d.largeurs_listes[1], d.hauteur_listes));
    const std::array<std::array<QCheckBox**, 4>, 2> coches{
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
        const int x = d.gauches[cote];
        for (int i = 0; i < 4; ++i) {
            const int y = d.haut_constats + d.pas_constats * i;
            *coches[cote][i] = Coche(f, noms[cote][i], x, y);
            QLabel* e = Etiquette(f, noms_etiquettes[i], x + d.decalage_etiquettes, y,
                                  d.largeurs_etiquettes[cote]);
            e->setObjectName(
                QStringLiteral("%1_%2").arg(QLatin1String(noms_etiquettes[i])).arg(cote));
            (*etiquettes[i])[cote] = e;
        }
    }
    Texte_Droit_Autres = Boite(f, "Texte_Droit_Autres", d.details[0]);
    Texte_Gauche_Autres = Boite(f, "Texte_Gauche_Autres", d.details[1]);
    Cadre_Gras(f);
}

std::vector<Colonne_Examen> Resultats_Echogrammes::Colonnes_Resultats() const {
    return {
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
    };
}

std::array<Echogramme_Examen, 2> Resultats_Echogrammes::Echogrammes(CurveView* droite,
                                                                    CurveView* gauche) const {
    return {Echogramme_Examen{.combo = Combo_Echogramme_Droit,
                              .apercu = droite,
                              .colonnes_cles = {QStringLiteral("Echogramme_Droit_Num_Courbe")},
                              .colonne_courbe = QStringLiteral("Courbes_Droites.Courbe"),
                              .refus = 93},
            Echogramme_Examen{.combo = Combo_Echogramme_Gauche,
                              .apercu = gauche,
                              .colonnes_cles = {QStringLiteral("Echogramme_Gauche_Num_Courbe")},
                              .colonne_courbe = QStringLiteral("Courbes_Gauches.Courbe"),
                              .refus = 94}};
}

void Resultats_Echogrammes::Poser_Textes_Resultats(const Libelles& libelle, int form, int cadre,
                                                   int titres, int constats) {
    Poser_Textes(libelle, form,
                 {{Frame_Resultats, cadre},
                  {Label_Echogramme_Droit, titres},
                  {Label_Echogramme_Gauche, titres + 1}});
    for (int cote = 0; cote < 2; ++cote) {
        Poser_Textes(libelle, form,
                     {{Label_Normal[cote], constats},
                      {Label_Occupe[cote], constats + 1},
                      {Label_Evocateur[cote], constats + 2},
                      {Label_Autres[cote], constats + 3}});
    }
}

}  // namespace corvanta
