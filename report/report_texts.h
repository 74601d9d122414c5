#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

namespace corvanta::report {

// The lines of a stored comment. A CR LF pair, a lone CR and a lone LF each break a line
// (other tools store either); a comment ending with a break has no empty last line, two
// breaks in a row give an empty line. An empty comment has no line. Any other control
// character (a tab, U+0001) is a blank.
QStringList commentLines(const QString& comment);

// A text on one line: every line break (CR LF, CR or LF) and every other control
// character (a tab, U+0001) becomes one blank.
QString singleLine(const QString& text);

// Offset in `text` where character `n` begins, and the number of characters, a surrogate
// pair counting as one character.
qsizetype characterOffset(const QString& text, qsizetype n);
qsizetype characterCount(const QString& text);
// Characters `from` .. `from` + count - 1 of `text`, never cut inside one.
QString characters(const QString& text, qsizetype from, qsizetype count);

// How a text is laid out in lines: at most `lineCharacters` characters a line, each line
// one that `fits`; at least `fewestLines` (empty ones added), at most `mostLines`.
struct LineRule {
    qsizetype lineCharacters;
    int fewestLines;
    int mostLines;
    std::function<bool(const QString&)> fits;
};

// A text (made one line) in as many lines as it needs under `rule`. Lines break at the last
// blank that keeps a line within the rule, where that takes no more lines than cutting the
// text whatever the words; otherwise it is cut by characters, each line taking as many as the
// rule allows. A text that needs more than `mostLines` keeps what they hold, the last line
// ending with "…".
QStringList wrapLines(const QString& text, const LineRule& rule);

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
