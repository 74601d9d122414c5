#pragma once

#include <QString>
#include <optional>

class QPlainTextEdit;

namespace corvanta {

// Stored texts break their lines with CR LF; the text boxes with a bare line feed.
inline QString toBoxText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

inline QString toStoredText(QString text) {
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

// A multi-line box shows a stored text with its own line breaks (and its own spaces), and
// gives the stored text back byte for byte while the user leaves the box as it was shown;
// an edited box gives its text with CR LF line breaks.
void showStoredText(QPlainTextEdit* box, const QString& stored);
QString textToStore(const QPlainTextEdit* box);
// The stored text while the box is as it was shown, else nothing.
std::optional<QString> untouchedStoredText(const QPlainTextEdit* box);

}  // namespace corvanta
