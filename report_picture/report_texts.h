#pragma once

#include <QString>
#include <QStringList>

namespace corvanta::report {

// The lines of a stored comment. Only a CR LF pair breaks a line; a comment ending with a
// break has no empty last line, two breaks in a row give an empty line. A lone CR or LF
// stays in its line and prints as a blank. An empty comment has no line.
QStringList commentLines(const QString& comment);

// A text on one line: every line break (CR LF, CR or LF) becomes one blank.
QString singleLine(const QString& text);

// An exam number as reports and file names show it: at least two digits (3 gives "03"); a
// text that is not a number comes back unchanged.
QString examNumberText(const QString& number);

// "<surname> <given name> <number>", the number as examNumberText gives it.
QString reportTitle(const QString& surname, const QString& givenName, const QString& number);

}  // namespace corvanta::report
