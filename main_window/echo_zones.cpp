// The zone list of the current exam type and the zone editor.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <limits>

#include "main_window/echo.h"

namespace corvanta {

namespace {

// The leading decimal number of a text, a point as separator, blanks ignored anywhere;
// 0 when the text does not start with a number ("12 mm" gives 12, "7,5" gives 7).
double Lire_Nombre(const QString& texte) {
    QString nombre;
    for (const QChar c : texte) {
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n')
            nombre += c;
    }
    qsizetype i = 0;
    auto chiffres = [&] {
        const qsizetype debut = i;
        while (i < nombre.size() && nombre[i].isDigit() && nombre[i].unicode() < 128)
            ++i;
        return i - debut;
    };
    if (i < nombre.size() && (nombre[i] == u'-' || nombre[i] == u'+'))
        ++i;
    qsizetype lus = chiffres();
    if (i < nombre.size() && nombre[i] == u'.') {
        ++i;
        lus += chiffres();
    }
    if (lus == 0)
        return 0;
    qsizetype fin = i;
    if (i < nombre.size() && (nombre[i] == u'e' || nombre[i] == u'E')) {
        ++i;
        if (i < nombre.size() && (nombre[i] == u'-' || nombre[i] == u'+'))
            ++i;
        if (chiffres() > 0)
            fin = i;
    }
    return nombre.left(fin).toDouble();
}

// Rounded to the nearest integer, halves to the even one, held within 32 bits.
std::int32_t Arrondir(double valeur) {
    constexpr double bas = std::numeric_limits<std::int32_t>::min();
    constexpr double haut = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::nearbyint(valeur), bas, haut));
}

}  // namespace

QString Echo::Fin_Ligne_Zone(const Zone_Sensible& zone) const {
    QString fin = QString::number(zone.xmax) + QStringLiteral(" mm - ") +
                  QString::number(zone.seuil) + QStringLiteral(" %");
    if (zone.gel != 0)
        fin += QStringLiteral(" ") + etat_.Libelle(1, 55);
    if (zone.actif != 0)
        fin += QStringLiteral(" ") + etat_.Libelle(1, 56);
    return fin;
}

QString Echo::Ligne_Zone_Fixe(int z) const {
    const Zone_Sensible& zone = etat_.Zones_Sensibles[etat_.Type_Examen][z];
    return QStringLiteral("Zone %1 : de %2 à ").arg(z + 1).arg(zone.xmin) + Fin_Ligne_Zone(zone);
}

QString Echo::Ligne_Zone_Traduite(int z) const {
    const Zone_Sensible& zone = etat_.Zones_Sensibles[etat_.Type_Examen][z];
    const Libelles& l = etat_.Libelle;
    return l(1, 33) + QStringLiteral(" %1 : ").arg(z + 1) + l(1, 34) + QStringLiteral(" ") +
           QString::number(zone.xmin) + QStringLiteral(" ") + l(1, 35) + QStringLiteral(" ") +
           Fin_Ligne_Zone(zone);
}

void Echo::Remplir_Zones_Sensibles() {
    {
        const QSignalBlocker bloque(List2);
        List2->clear();
        for (int z = 0; z < kZones_Utilisees; ++z) {
            Zone_Sensible& zone = etat_.Zones_Sensibles[etat_.Type_Examen][z];
            zone.xpic = 0;
            zone.ypic = 0;
            List2->addItem(Ligne_Zone_Fixe(z));
        }
        List2->setCurrentRow(0);
    }
    List2_Click();
}

void Echo::List2_Click() {
    const int z = List2->currentRow();
    if (z < 0 || z >= kZones_Utilisees)
        return;
    Zone_Selectionnee = z;
    const Zone_Sensible& zone = etat_.Zones_Sensibles[etat_.Type_Examen][z];
    Texte_Seuils[0]->setText(QString::number(zone.xmin));
    Texte_Seuils[1]->setText(QString::number(zone.xmax));
    Texte_Seuils[2]->setText(QString::number(zone.seuil));
    Check_Action[0]->setChecked(zone.actif != 0);
    Check_Action[1]->setChecked(zone.gel != 0);
    Picture1_Paint();
}

void Echo::Texte_Seuils_KeyPress(int, int touche) {
    if (touche == '\r')
        Stocker_Zone();
}

void Echo::Texte_Seuils_LostFocus(int) {
    Stocker_Zone();
}

void Echo::Stocker_Zone() {
    const int z = Zone_Selectionnee;
    if (z < 0 || z >= kZones_Utilisees)
        return;
    const double debut = Lire_Nombre(Texte_Seuils[0]->text());
    if (Lire_Nombre(Texte_Seuils[1]->text()) < debut)
        Texte_Seuils[1]->setText(QString::number(debut + 1, 'g', 15));
    Zone_Sensible& zone = etat_.Zones_Sensibles[etat_.Type_Examen][z];
    zone.xmin = Arrondir(debut);
    zone.xmax = Arrondir(Lire_Nombre(Texte_Seuils[1]->text()));
    zone.seuil = Arrondir(Lire_Nombre(Texte_Seuils[2]->text()));
    Remplacer_Ligne_Zone(z);
    Picture1_Paint();
}

void Echo::Check_Action_Click(int index) {
    const int z = List2->currentRow();
    if (z < 0 || z >= kZones_Utilisees)
        return;
    Zone_Sensible& zone = etat_.Zones_Sensibles[etat_.Type_Examen][z];
    if (index == 0) {
        zone.actif = Check_Action[0]->isChecked() ? 1 : 0;
    } else {
        zone.gel = Check_Action[1]->isChecked() ? 1 : 0;
        Gel_Courbe = 0;
    }
    Remplacer_Ligne_Zone(z);
}

void Echo::Remplacer_Ligne_Zone(int z) {
    {
        // Removing the current line would move the selection and run the handler early.
        const QSignalBlocker bloque(List2);
        delete List2->takeItem(z);
        List2->insertItem(z, Ligne_Zone_Traduite(z));
        List2->setCurrentRow(z);
    }
    List2_Click();
}

}  // namespace corvanta
