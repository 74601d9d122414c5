#pragma once

#include "exams/fenetre_examen.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace corvanta {

// The exam window of cervical tumours (type 3). Its texts are those of form 7. A fixed
// window of 795 x 575 pixels laid out in twips: exam list upper left, patient, number and
// referring doctor beside it, the one echogram preview upper right, the recent imaging
// and indication frames, then the results and decision frames, the conclusion, and the
// doctor and main toolbars at the bottom. One echogram: its choice writes both curve
// keys, and text typed into it previews nothing. Closing destroys the window.
class Examen_Tumeur : public Fenetre_Examen {
  public:
    Examen_Tumeur(Fenetre_Principale& principale, Etat_Application& etat);

    static constexpr int kLargeur = 795;
    static constexpr int kHauteur = 575;

    // Type 3; texts of form 7; every store dates the exam; made anew at each opening;
    // prints the tumour report and exports its picture.
    static Profil_Examen Profil_Fenetre();

    CurveView* Picture1 = nullptr;

    QGroupBox* Frame_Imagerie = nullptr;
    QCheckBox* Check_Echo_B = nullptr;
    QLabel* Label_Echo_B = nullptr;
    QComboBox* Combo_Status_Echo_B = nullptr;
    QCheckBox* Check_Scanner = nullptr;
    QLabel* Label_Scanner = nullptr;
    QComboBox* Combo_Status_Scanner = nullptr;
    QCheckBox* Check_Autres = nullptr;
    QLabel* Label_Autres = nullptr;
    QLineEdit* Texte_Imagerie_Autres = nullptr;

    QGroupBox* Frame_Indication = nullptr;
    QCheckBox* Check_Douleur = nullptr;
    QLabel* Label_Douleur = nullptr;
    QComboBox* Combo_Type_Douleur = nullptr;
    QCheckBox* Check_Dysphagie = nullptr;
    QLabel* Label_Dysphagie = nullptr;
    QCheckBox* Check_Fievre = nullptr;
    QLabel* Label_Fievre = nullptr;
    QCheckBox* Check_Examens_ORL = nullptr;
    QLabel* Label_Examens_ORL = nullptr;
    QLineEdit* Texte_Examens_ORL = nullptr;
    QCheckBox* Check_Examens_Bio = nullptr;
    QLabel* Label_Examens_Bio = nullptr;
    QLineEdit* Texte_Examens_Bio = nullptr;

    QGroupBox* Frame_Resultats = nullptr;
    QLabel* Label_Echogramme = nullptr;
    QComboBox* Combo_Echogramme = nullptr;
    QCheckBox* Check_Tumeur_Normal = nullptr;
    QLabel* Label_Normal = nullptr;
    QCheckBox* Check_Tumeur_Liquide = nullptr;
    QLabel* Label_Tumeur_Liquide = nullptr;
    QCheckBox* Check_Tumeur_Homogene = nullptr;
    QLabel* Label_Tumeur_Homogene = nullptr;
    QCheckBox* Check_Tumeur_Heterogene = nullptr;
    QLabel* Label_Tumeur_Heterogene = nullptr;
    QCheckBox* Check_Tumeur_Autres = nullptr;
    QLabel* Label_Autres_Constatations = nullptr;
    QLineEdit* Texte_Tumeur_Autres = nullptr;

    QGroupBox* Frame_Decision = nullptr;
    QCheckBox* Check_Decision_Scanner = nullptr;
    QLabel* Label_Scanner2 = nullptr;
    QCheckBox* Check_Decision_Traitement_Medical = nullptr;
    QLabel* Label_Traitement_M = nullptr;
    QPlainTextEdit* Texte_Traitement_Medical = nullptr;
    QCheckBox* Check_Decision_Cervicotomie = nullptr;
    QLabel* Label_Cervicotomie = nullptr;
    QCheckBox* Check_Decision_Traitement_Chirurgical = nullptr;
    QLabel* Label_Traitement_C = nullptr;
    QPlainTextEdit* Texte_Traitement_Chirurgical = nullptr;

  protected:
    void Appliquer_Libelles() override;

  private:
    void Placer_Commun();
    void Construire_Imagerie();
    void Construire_Indication();
    void Construire_Resultats();
    void Construire_Decision();
    void Declarer_Profil();
};

}  // namespace corvanta
