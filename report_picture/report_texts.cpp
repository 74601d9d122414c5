#include "report_picture/report_texts.h"

namespace corvanta::report {

namespace {

const QString kBreak = QStringLiteral("\r\n");

QString blankControls(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

}  // namespace

QStringList commentLines(const QString& comment) {
    if (comment.isEmpty()) {
        return {};
    }
    QStringList lines = comment.split(kBreak);
    if (comment.endsWith(kBreak)) {
        lines.removeLast();
    }
    for (QString& line : lines) {
        line = blankControls(line);
    }
    return lines;
}

QString singleLine(const QString& text) {
    QString line = text;
    line.replace(kBreak, QStringLiteral(" "));
    return blankControls(line);
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
