#pragma once

#include <QString>

namespace corvanta::test {

// Lets window events run for CORVANTA_CAPTURE_PAUSE seconds (one pass when unset), so that
// a window looked at under a real display has time to be painted before it is grabbed.
void Pause_Capture();

// The folder where window tests leave their pictures: <build>/captures, made when missing.
QString Dossier_Captures();

}  // namespace corvanta::test
