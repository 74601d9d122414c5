#pragma once

#include <QIODevice>
#include <QSettings>

namespace corvanta::platform {

// An INI format for QSettings that keeps section names, key names and values exactly
// as they are (Qt's own INI format renames a section "GENERAL" and drops blanks).
// Values are written after "=" with nothing trimmed; only "\" and line breaks are
// escaped ("\\", "\n", "\r") so that every value fits on its line. Reading skips
// comment lines (";" or "#") and lines it cannot parse, so a damaged file never
// stops the program: it reads as the keys it still holds.
QSettings::Format verbatimIniFormat();

bool readVerbatimIni(QIODevice& device, QSettings::SettingsMap& map);
bool writeVerbatimIni(QIODevice& device, const QSettings::SettingsMap& map);

}  // namespace corvanta::platform
