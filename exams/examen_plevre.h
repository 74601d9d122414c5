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
class QRadioButton;

namespace corvanta {

// The exam window of the pleura type (2). Its own texts are those of form 6; the
// referring-doctor label, the toolbar tips, the refusals and the error box are the
// shared ones of form 4. A fixed window of 794 x 584 pixels: exam list upper left,
// patient, number and referring doctor beside it, the right and left echogram previews
// upper right, the recent imaging and examination conditions frames, then the results
// and decision frames, the conclusion, and the doctor and main toolbars at the bottom.
// Closing destroys it; it never writes `Date_Examen`.
class Examen_Plevre : public Fenetre_Examen, public Imagerie_Recente, public Resultats_Echogrammes {
  public:
    Examen_Plevre(Fenetre_Principale& principale, Etat_Application& etat);

    static constexpr int kLargeur = 794;
    static constexpr int kHauteur = 584;

    static Profil_Examen Profil_Fenetre();

    CurveView* Picture1 = nullptr;  // right echogram
    CurveView* Picture2 = nullptr;  // left echogram

    QGroupBox* Frame_Conditions_Examen = nullptr;
    QGroupBox* Frame_Position = nullptr;
    std::array<QRadioButton*, 3> Option_Position{};  // sitting, lying, other
    QLineEdit* Texte_Autre_Position = nullptr;       // shown while "other" is chosen
    QGroupBox* Frame_Corpulence = nullptr;
    std::array<QRadioButton*, 3> Option_Corpulence{};  // heavy, medium, slight
    QLabel* Label_Remarque = nullptr;
    QLineEdit* Texte_Remarque = nullptr;

    QGroupBox* Frame_Decision = nullptr;
    QCheckBox* Check_Decision_Scanner = nullptr;
    QLabel* Label_Scanner2 = nullptr;
    QCheckBox* Check_Decision_Drainage = nullptr;
    QLabel* Label_Drainage = nullptr;
    QCheckBox* Check_Decision_Ponction = nullptr;
    QLabel* Label_Ponction = nullptr;
    QCheckBox* Check_Decision_Traitement_Chirurgical = nullptr;
    QLabel* Label_Traitement_C = nullptr;
    QPlainTextEdit* Texte_Traitement_Chirurgical = nullptr;  // always shown

  protected:
    void Appliquer_Libelles() override;

  private:
    void Placer_Commun();
    void Construire_Conditions();
    void Construire_Decision();
    void Declarer_Profil();
};

}  // namespace corvanta
