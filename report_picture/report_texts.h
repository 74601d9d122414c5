#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace corvanta::report {

// The lines of a stored comment. Only a CR LF pair breaks a line; a comment ending with a
// break has no empty last line, two breaks in a row give an empty line. A lone CR or LF
// stays in its line and prints as a blank. An empty comment has no line.
QStringList commentLines(const QString& comment);

// A text on one line: every line break (CR LF, CR or LF) becomes one blank.
QString singleLine(const QString& text);

// The value of an exam number whose text is a plain integer (an optional sign and decimal
// digits, blanks around) that fits 64 bits; none for any other text.
std::optional<std::int64_t> plainExamNumber(const QString& number);

// An exam number as the exam window, its reports and their file names show it: a plain
// integer gets at least two digits ("7" is "07"); any other text ("7.5", "1e2", "inf")
// comes back as typed, so that two exams the window tells apart never share a file.
QString examNumberText(const QString& number);

// "<surname> <given name> <number>", the number as examNumberText gives it.
QString reportTitle(const QString& surname, const QString& givenName, const QString& number);

}  // namespace corvanta::report
