#include "exams/disposition_examen.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>

#include "widgets/text_limits.h"
#include "widgets/twips.h"

namespace corvanta {

namespace {

constexpr int kLongueur_Lignes = 49;

}  // namespace

QCheckBox* Coche(QWidget* parent, const char* nom, int x, int y) {
    return Placer<QCheckBox>(parent, nom, QRect(x, y, 16, 16));
}

QLabel* Etiquette(QWidget* parent, const char* nom, int x, int y, int largeur) {
    return Placer<QLabel>(parent, nom, QRect(x, y - 1, largeur, 18));
}

QGroupBox* Cadre(QWidget* parent, const char* nom, const QRect& zone) {
    return Placer<QGroupBox>(parent, nom, zone);
}

void Cadre_Gras(QGroupBox* cadre) {
    QFont normale = cadre->font();
    normale.setBold(false);  // explicit, or the children would inherit the bold caption
    QFont grasse = normale;
    grasse.setBold(true);
    cadre->setFont(grasse);
    for (QWidget* enfant : cadre->findChildren<QWidget*>())
        enfant->setFont(normale);
}

void Gras(QLabel* etiquette) {
    QFont police = etiquette->font();
    police.setBold(true);
    etiquette->setFont(police);
}

QLineEdit* Boite(QWidget* parent, const char* nom, const QRect& zone, int longueur) {
    auto* boite = Placer<QLineEdit>(parent, nom, zone);
    limitTyping(boite, longueur);
    return boite;
}

QPlainTextEdit* Boite_Lignes(QWidget* parent, const char* nom, const QRect& zone) {
    auto* boite = placeNamed<LimitedTextEdit>(parent, QLatin1String(nom), zone, kLongueur_Lignes);
    boite->setTabChangesFocus(true);
    return boite;
}

void Barre_Medecin(QLabel* etiquette, QToolBar* medecins, QToolBar* outils, int gauche_etiquette,
                   int gauche_medecins, int droite, int haut) {
    outils->adjustSize();
    outils->move(twipsToPixels(droite) - outils->width(), twipsToPixels(haut));
    const int milieu = outils->geometry().center().y();
    medecins->adjustSize();
    medecins->move(twipsToPixels(gauche_medecins), milieu - medecins->height() / 2);
    const int gauche = twipsToPixels(gauche_etiquette);
    etiquette->setGeometry(gauche, milieu - 9, twipsToPixels(gauche_medecins) - 4 - gauche, 18);
}

void Remplir(QComboBox* liste, const Libelles& libelle, int form, int premier, int dernier) {
    liste->clear();
    for (int n = premier; n <= dernier; ++n)
        liste->addItem(libelle(form, n));
}

void Poser_Textes(const Libelles& libelle, int form,
                  std::initializer_list<std::pair<QWidget*, int>> textes) {
    for (const auto& [controle, numero] : textes) {
        if (auto* etiquette = qobject_cast<QLabel*>(controle))
            etiquette->setText(libelle(form, numero));
        else if (auto* cadre = qobject_cast<QGroupBox*>(controle))
            cadre->setTitle(libelle(form, numero));
        else if (auto* bouton = qobject_cast<QAbstractButton*>(controle))
            bouton->setText(libelle(form, numero));
    }
}

}  // namespace corvanta
