#include "report_picture/report_texts.h"

#include <cmath>

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

QString examNumberText(const QString& number) {
    bool isNumber = false;
    const double value = number.trimmed().toDouble(&isNumber);
    if (!isNumber || !std::isfinite(value) || std::abs(value) >= 1e15) {
        return number;
    }
    const long long rounded = std::llround(value);
    const QString digits = QStringLiteral("%1").arg(std::llabs(rounded), 2, 10, QChar(u'0'));
    return rounded < 0 ? u'-' + digits : digits;
}

QString reportTitle(const QString& surname, const QString& givenName, const QString& number) {
    return surname + u' ' + givenName + u' ' + examNumberText(number);
}

}  // namespace corvanta::report
