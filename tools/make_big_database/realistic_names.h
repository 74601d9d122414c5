#pragma once

#include <QString>

#include "tools/make_big_database/random.h"

namespace corvanta::tools {

struct PersonAndTown {
    QString surname, givenName, town, postcode;
};

// A patient as a French practice's files hold them: a surname from tens of thousands of
// distinct ones (common ones far more often than rare ones; accented, with particles and
// apostrophes, hyphenated double names; mostly typed in capitals), a given name (compound
// ones too) and a town of the region or elsewhere in France with its postcode. Surnames
// and given names stay within the 30 characters the patient window takes.
PersonAndTown realisticPerson(Random& r);

}  // namespace corvanta::tools
