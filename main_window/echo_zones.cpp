// The zone list of the current exam type and the zone editor.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "main_window/echo.h"

namespace corvanta {

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

}  // namespace corvanta
