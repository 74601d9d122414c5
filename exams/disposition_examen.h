#pragma once

#include <QRect>
#include <initializer_list>
#include <utility>

#include "app/libelle.h"
#include "widgets/named_widgets.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolBar;
class QWidget;

namespace corvanta {

// The pieces the exam windows are laid out from, in pixels of their parent (a window
// designed in twips converts with widgets/twips.h). Each control is named.

template <typename T>
T* Placer(QWidget* parent, const char* nom, const QRect& zone) {
    return placeNamed<T>(parent, QLatin1String(nom), zone);
}

// A bare check box, 16 x 16: its caption is the label at its right.
QCheckBox* Coche(QWidget* parent, const char* nom, int x, int y);
// The label of a check box row whose box stands at top `y`: 18 high, one pixel higher.
QLabel* Etiquette(QWidget* parent, const char* nom, int x, int y, int largeur);
QGroupBox* Cadre(QWidget* parent, const char* nom, const QRect& zone);
// The frame's caption in bold, its contents not: call once its contents are made.
void Cadre_Gras(QGroupBox* cadre);
void Gras(QLabel* etiquette);
// A one-line text box in which at most `longueur` characters are typed.
QLineEdit* Boite(QWidget* parent, const char* nom, const QRect& zone, int longueur = 49);
// A text box of several lines in which at most 49 characters are typed; Tab leaves it.
QPlainTextEdit* Boite_Lignes(QWidget* parent, const char* nom, const QRect& zone);

// The bottom bar: the main toolbar `outils` ends at `droite` with its top at `haut`; the
// doctor buttons `medecins` from `gauche_medecins`, and their label from `gauche_etiquette`
// up to them, stand on its middle line. In twips.
void Barre_Medecin(QLabel* etiquette, QToolBar* medecins, QToolBar* outils, int gauche_etiquette,
                   int gauche_medecins, int droite, int haut);

// The list's entries become texts `premier` to `dernier` of `form`.
void Remplir(QComboBox* liste, const Libelles& libelle, int form, int premier, int dernier);
// Each control takes text `numero` of `form` as its caption: a label's text, a frame's
// title, a button's text. An empty text replaces the caption too.
void Poser_Textes(const Libelles& libelle, int form,
                  std::initializer_list<std::pair<QWidget*, int>> textes);

}  // namespace corvanta
