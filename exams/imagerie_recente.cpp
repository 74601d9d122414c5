#include "exams/imagerie_recente.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "exams/disposition_examen.h"

namespace corvanta {

void Imagerie_Recente::Construire_Imagerie(QWidget* fenetre, const QRect& zone,
                                           const Disposition_Imagerie& d) {
    Frame_Imagerie = Cadre(fenetre, "Frame_Imagerie", zone);
    QGroupBox* f = Frame_Imagerie;
    auto ligne = [f, &d](int rang, const char* coche, const char* etiquette, const char* liste,
                         QCheckBox*& c, QLabel*& e, QComboBox*& l) {
        const int y = d.hauts[rang];
        c = Coche(f, coche, d.gauche_coches, y);
        e = Etiquette(f, etiquette, d.gauche_etiquettes, y, d.largeur_etiquettes);
        l = Placer<QComboBox>(f, liste, d.liste.translated(0, y - d.hauts[0]));
    };
    ligne(0, "Check_Face_Standard", "Label_Blondeau", "Combo_Status_Face_Standard",
          Check_Face_Standard, Label_Blondeau, Combo_Status_Face_Standard);
    ligne(1, "Check_Echo_B", "Label_EchoB", "Combo_Status_Echo_B", Check_Echo_B, Label_EchoB,
          Combo_Status_Echo_B);
    ligne(2, "Check_Scanner", "Label_Scanner", "Combo_Status_Scanner", Check_Scanner, Label_Scanner,
          Combo_Status_Scanner);
    Cadre_Gras(f);
}

std::vector<Colonne_Examen> Imagerie_Recente::Colonnes_Imagerie() const {
    return {
        Colonne_Coche("Imagerie_Face_Standard", Check_Face_Standard, Combo_Status_Face_Standard),
        Colonne_Coche("Imagerie_Echo_B", Check_Echo_B, Combo_Status_Echo_B),
        Colonne_Coche("Imagerie_Scanner", Check_Scanner, Combo_Status_Scanner),
        Colonne_Liste("Imagerie_Face_Standard_Status", Combo_Status_Face_Standard),
        Colonne_Liste("Imagerie_Echo_B_Status", Combo_Status_Echo_B),
        Colonne_Liste("Imagerie_Scanner_Status", Combo_Status_Scanner),
    };
}

void Imagerie_Recente::Poser_Textes_Imagerie(const Libelles& libelle, int form, int cadre,
                                             int etiquettes, int statuts) {
    Poser_Textes(libelle, form,
                 {{Frame_Imagerie, cadre},
                  {Label_Blondeau, etiquettes},
                  {Label_EchoB, etiquettes + 1},
                  {Label_Scanner, etiquettes + 2}});
    for (QComboBox* statut :
         {Combo_Status_Face_Standard, Combo_Status_Echo_B, Combo_Status_Scanner})
        Remplir(statut, libelle, form, statuts, statuts + 2);
}

}  // namespace corvanta
