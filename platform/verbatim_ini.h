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
// Its writer never replaces a file that foreignLinkTarget() finds.
QSettings::Format verbatimIniFormat();

// When `path` is a symbolic link (or a chain of them) to a file that is not a settings
// file, that file; else empty. A settings file is text (UTF-8, at most 1 MiB)
// made of sections, "key=value" lines, comments and blank lines; a folder or a device is
// none. A link to nothing yet is no refusal: its target is made. A file that is no link is
// the program's own, read and rewritten even when damaged.
QString foreignLinkTarget(const QString& path);

bool readVerbatimIni(QIODevice& device, QSettings::SettingsMap& map);
bool writeVerbatimIni(QIODevice& device, const QSettings::SettingsMap& map);

}  // namespace corvanta::platform
