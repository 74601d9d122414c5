// The exam types: menus, caption and the exams recordset of the current type.
#include <QAction>

#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/recordset.h"

namespace corvanta {

QString Echo::Titre_Type(int type) const {
    return QStringLiteral("Corvanta - ") + etat_.Libelle(1, 72 + type);
}

void Echo::Ouvrir_Type_Examen(int type) {
    if (type < 0 || type > 4)
        return;
    etat_.Table_Examens =
        etat_.Base_Donnees->openRecordset(QStringLiteral("Req_Examens_") + QString::number(type));
    etat_.Nom_Type_Examen = etat_.Libelle(1, 72 + type);
    const std::array<QAction*, 5> menus{Menu_Sinus_Maxillaires, Menu_Sinus_Frontaux, Menu_Plevre,
                                        Menu_Tumeur, Menu_Cellules};
    for (int t = 0; t < 5; ++t)
        menus[t]->setChecked(t == type);
    setWindowTitle(Titre_Type(type));
}

}  // namespace corvanta
