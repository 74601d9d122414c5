// The patient list of the patients tab.
#include <QComboBox>
#include <QSignalBlocker>

#include "main_window/echo.h"
#include "platform/recordset.h"

namespace corvanta {

void Echo::Remplir_Liste_Nom() {
    platform::Recordset& patients = *etat_.Table_Patients;
    int ligne_courante = 0;
    {
        const QSignalBlocker bloque(Liste_Nom);
        Liste_Nom->clear();
        if (patients.recordCount() != 0) {
            const int nom = patients.fieldIndex(QStringLiteral("Nom_Patient"));
            const int prenom = patients.fieldIndex(QStringLiteral("Prenom_Patient"));
            const int code = patients.fieldIndex(QStringLiteral("Code_Patient"));
            int i = 0;
            for (patients.moveFirst(); !patients.eof(); patients.moveNext(), ++i) {
                // Each line keeps its patient's key: homonyms stay apart.
                const int cle = patients.field(code).toInt32();
                Liste_Nom->addItem(patients.field(nom).toTextOrEmpty() + QStringLiteral(" ") +
                                       patients.field(prenom).toTextOrEmpty(),
                                   cle);
                if (cle == etat_.Code_Patient_Courant)
                    ligne_courante = i;
            }
        }
        Liste_Nom->setCurrentIndex(-1);
    }
    if (patients.recordCount() == 0)
        return;
    if (etat_.Nom_Patient_Courant.isEmpty()) {
        patients.moveFirst();
        return;
    }
    Liste_Nom->setCurrentIndex(ligne_courante);
}

}  // namespace corvanta
