#include "widgets/patient_choice.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "app/lignes_patients.h"
#include "widgets/keyed_lines.h"

namespace corvanta {

KeyedLines& fillPatientChoice(QComboBox& combo, const platform::Recordset& patients) {
    Lignes_Patients lines = Lire_Lignes_Patients(patients);
    auto* model = new KeyedLines(std::move(lines.noms), std::move(lines.prenoms),
                                 std::move(lines.cles), &combo);
    const QSignalBlocker blocker(&combo);
    // The combo box deletes its previous model, which it owns.
    combo.setModel(model);
    combo.setCurrentIndex(-1);
    return *model;
}

}  // namespace corvanta
