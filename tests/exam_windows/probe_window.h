#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "exams/fenetre_examen.h"
#include "widgets/curve_view.h"

namespace corvanta::test {

// A small exam window of type 2 that declares what the sinus window does not: texts of
// form 7, no `Date_Examen`, destroyed on closing, option groups (position with its
// "other" detail, build without one), a free-text status and one echogram whose choice
// writes both curve keys and whose typed text previews nothing. It exports the pleura
// picture.
class ProbeWindow : public Fenetre_Examen {
  public:
    ProbeWindow(Fenetre_Principale& principale, Etat_Application& etat);
    static Profil_Examen Profil_Fenetre();

    CurveView* Picture1 = nullptr;
    QComboBox* Combo_Echogramme = nullptr;
    QCheckBox* Check_Echo_B = nullptr;
    QComboBox* Combo_Status_Echo_B = nullptr;
    std::array<QRadioButton*, 3> Option_Position{};
    QLineEdit* Texte_Autre_Position = nullptr;
    std::array<QRadioButton*, 3> Option_Corpulence{};
    QLineEdit* Texte_Imagerie_Autres = nullptr;

  protected:
    void Appliquer_Libelles() override;
};

}  // namespace corvanta::test
