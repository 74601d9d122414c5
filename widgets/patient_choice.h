#pragma once

class QComboBox;

namespace corvanta {

namespace platform {
class Recordset;
}

class KeyedLines;

// Fills `combo` with one line a patient of `patients`, in the recordset's order (see
// Lire_Lignes_Patients: patients deleted elsewhere are left out), as one model that replaces
// the combo's previous one. No entry is chosen afterwards, no signal is sent, and the
// recordset does not move. Returns the lines, which find a patient's entry by his key.
KeyedLines& fillPatientChoice(QComboBox& combo, const platform::Recordset& patients);

}  // namespace corvanta
