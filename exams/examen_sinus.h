#pragma once

#include <array>

#include "exams/fenetre_examen.h"
#include "exams/imagerie_recente.h"
#include "exams/resultats_echogrammes.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace corvanta {

// The exam window of the sinus types: maxillary sinuses (0), frontal sinuses (1) and
// ethmoid cells (4). Its texts are those of form 4. A fixed window of 794 x 584 pixels:
// exam list upper left, patient, number and referring doctor beside it, the right and
// left echogram previews upper right, then the imaging, indication, results and
// decision frames, the conclusion, and the doctor and main toolbars at the bottom.
class Examen_Sinus : public Fenetre_Examen, public Imagerie_Recente, public Resultats_Echogrammes {
  public:
    Examen_Sinus(Fenetre_Principale& principale, Etat_Application& etat);

    static constexpr int kLargeur = 794;
    static constexpr int kHauteur = 584;

    // Types 0, 1 and 4; texts of form 4; kept for the run once opened.
    static Profil_Examen Profil_Fenetre();

    CurveView* Picture1 = nullptr;  // right echogram
    CurveView* Picture2 = nullptr;  // left echogram

    QGroupBox* Frame_Indication = nullptr;
    QCheckBox* Check_Douleur = nullptr;
    QLabel* Label_Douleur = nullptr;
    QComboBox* Combo_Type_Douleur = nullptr;
    QCheckBox* Check_Obstruction_Nasale = nullptr;
    QLabel* Label_Obstruction = nullptr;
    QCheckBox* Check_Ecoulement = nullptr;
    QLabel* Label_Ecoulement = nullptr;
    QComboBox* Combo_Type_Ecoulement = nullptr;
    QCheckBox* Check_Fievre = nullptr;
    QLabel* Label_Fievre = nullptr;
    QCheckBox* Check_Autres_ORL = nullptr;
    QLabel* Label_AS_ORL = nullptr;
    QLineEdit* Texte_Autres_ORL = nullptr;
    QCheckBox* Check_Autres_CLI = nullptr;
    QLabel* Label_AS_CLI = nullptr;
    QLineEdit* Texte_Autres_CLI = nullptr;
    QCheckBox* Check_Examens_Biologiques = nullptr;
    QLabel* Label_Examens = nullptr;
    QLineEdit* Texte_Examens_Biologiques = nullptr;
    QCheckBox* Check_Globules = nullptr;
    QLabel* Label_Globules = nullptr;
    QLineEdit* Texte_Globules = nullptr;

    QGroupBox* Frame_Decision = nullptr;
    QCheckBox* Check_Decision_Lavage = nullptr;
    QLabel* Label_Lavage = nullptr;
    QCheckBox* Check_Decision_Scanner = nullptr;
    QLabel* Label_Scanner2 = nullptr;
    QCheckBox* Check_Decision_Traitement_Medical = nullptr;
    QLabel* Label_Traitement_M = nullptr;
    QPlainTextEdit* Texte_Traitement_Medical = nullptr;
    QCheckBox* Check_Decision_Traitement_Endoscopie = nullptr;
    QLabel* Label_Endoscopie = nullptr;
    QCheckBox* Check_Decision_Traitement_Chirurgical = nullptr;
    QLabel* Label_Traitement_C = nullptr;
    QPlainTextEdit* Texte_Traitement_Chirurgical = nullptr;

  protected:
    void Appliquer_Libelles() override;

  private:
    void Placer_Commun();
    void Construire_Indication();
    void Construire_Decision();
    void Declarer_Profil();
};

}  // namespace corvanta
