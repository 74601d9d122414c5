#include "report/report_texts.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace corvanta::report {

namespace {

// A control character (a line break, a tab, U+0001 written by the shell or an import)
// would print as a wide gap or a missing-glyph box: it prints as one blank.
QString blankControls(QString text) {
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control) {
            c = u' ';
        }
    }
    return text;
}

bool pairAt(const QString& text, qsizetype i) {
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
}

// The words of a text and the blanks between them kept apart, so that a line may end at
// any blank.
QStringList wordsOf(const QString& text) {
    return text.split(u' ', Qt::KeepEmptyParts);
}

}  // namespace

QStringList commentLines(const QString& comment) {
    if (comment.isEmpty()) {
        return {};
    }
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = comment.split(lineBreak);
    if (lines.size() > 1 && lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QString& line : lines) {
        line = blankControls(line);
    }
    return lines;
}

QString singleLine(const QString& text) {
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    return blankControls(line);
}

qsizetype characterOffset(const QString& text, qsizetype n) {
    qsizetype i = 0;
    for (; i < text.size() && n > 0; --n) {
        i += pairAt(text, i) ? 2 : 1;
    }
    return i;
}

qsizetype characterCount(const QString& text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++n) {
        i += pairAt(text, i) ? 2 : 1;
    }
    return n;
}

QString characters(const QString& text, qsizetype from, qsizetype count) {
    const qsizetype start = characterOffset(text, from);
    return text.mid(start, characterOffset(text, from + count) - start);
}

QStringList wrapLines(const QString& text, const LineRule& rule) {
    const QString whole = singleLine(text);
    const auto fits = [&rule](const QString& line) {
        return characterCount(line) <= rule.lineCharacters && rule.fits(line);
    };
    // Cut by characters, as many on a line as the rule allows, at least one.
    QStringList cut;
    const qsizetype total = characterCount(whole);
    for (qsizetype from = 0; from < total;) {
        // The longest head that fits, found by halving: a longer head is never narrower.
        qsizetype count = 1;
        qsizetype tooLong = std::min(rule.lineCharacters, total - from) + 1;
        while (tooLong - count > 1) {
            const qsizetype middle = (count + tooLong) / 2;
            (fits(characters(whole, from, middle)) ? count : tooLong) = middle;
        }
        cut.append(characters(whole, from, count));
        from += count;
    }
    // Broken at blanks, unless a word is wider than a line.
    QStringList words;
    QString line;
    bool started = false;
    bool placed = true;
    for (const QString& word : wordsOf(whole)) {
        const QString longer = started ? line + u' ' + word : word;
        if (fits(longer)) {
            line = longer;
            started = true;
        } else if (started && fits(word)) {
            words.append(line);
            line = word;
        } else {
            placed = false;
            break;
        }
    }
    if (started) {
        words.append(line);
    }
    QStringList lines = placed && words.size() <= cut.size() ? words : cut;
    if (lines.size() > rule.mostLines && rule.mostLines > 0) {
        lines = cut.first(rule.mostLines);
        QString& last = lines.last();
        while (!last.isEmpty() && !fits(last + QStringLiteral("…"))) {
            last = characters(last, 0, characterCount(last) - 1);
        }
        last += QStringLiteral("…");
    }
    while (lines.size() < rule.fewestLines) {
        lines.append(QString());
    }
    return lines;
}

std::optional<std::int64_t> plainExamNumber(const QString& number) {
    const QString text = number.trimmed();
    const qsizetype start = text.startsWith(u'+') || text.startsWith(u'-');
    if (text.size() == start)
        return std::nullopt;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
    }
    bool inRange = false;
    const qlonglong value = text.toLongLong(&inRange);
    if (!inRange)
        return std::nullopt;
    return value;
}

QString examNumberText(const QString& number) {
    const std::optional<std::int64_t> value = plainExamNumber(number);
    if (!value)
        return number;
    // Unsigned, so that the most negative number has a magnitude too.
    const std::uint64_t magnitude =
        *value < 0 ? 0 - static_cast<std::uint64_t>(*value) : static_cast<std::uint64_t>(*value);
    const QString digits = QString::number(magnitude).rightJustified(2, u'0');
    return *value < 0 ? u'-' + digits : digits;
}

QString reportTitle(const QString& surname, const QString& givenName, const QString& number) {
    return surname + u' ' + givenName + u' ' + examNumberText(number);
}

}  // namespace corvanta::report
