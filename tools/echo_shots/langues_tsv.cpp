#include "tools/echo_shots/langues_tsv.h"

#include <QFile>

#include "app/libelle.h"

namespace corvanta {
namespace {

bool unescape(const QString& field, QString& text) {
    text.clear();
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\') {
            text += field[i];
            continue;
        }
        if (++i == field.size())
            return false;
        switch (field[i].unicode()) {
            case u't':
                text += u'\t';
                break;
            case u'n':
                text += QStringLiteral("\r\n");
                break;
            case u'\\':
                text += u'\\';
                break;
            default:
                return false;
        }
    }
    return true;
}

bool readNumber(const QString& field, int& value) {
    bool ok = false;
    value = field.toInt(&ok);
    return ok && field == QString::number(value);
}

}  // namespace

LanguesFile readLanguesFile(const QString& path) {
    LanguesFile result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.errors << QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return result;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    int number = 0;
    bool headerSeen = false;
    for (QString line : lines) {
        ++number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString where = QStringLiteral("line %1: ").arg(number);
        const QStringList fields = line.split(u'\t');
        if (!headerSeen) {
            headerSeen = true;
            if (line != QStringLiteral("Form\tLabel\tFrancais\tAnglais"))
                result.errors << where + QStringLiteral("header expected");
            continue;
        }
        if (fields.size() != 4) {
            result.errors << where + QStringLiteral("%1 fields instead of 4").arg(fields.size());
            continue;
        }
        LangueRow row;
        row.line = number;
        if (!readNumber(fields[0], row.form) || !readNumber(fields[1], row.label) ||
            !Libelles::inRange(row.form, row.label)) {
            result.errors << where +
                                 QStringLiteral("form and text numbers must be 0..10 and 0..200");
            continue;
        }
        if (!unescape(fields[2], row.francais) || !unescape(fields[3], row.anglais)) {
            result.errors << where + QStringLiteral("unknown escape");
            continue;
        }
        result.rows.push_back(row);
    }
    if (!headerSeen)
        result.errors << QStringLiteral("no header line");
    return result;
}

void fillLibelles(const LanguesFile& file, const QString& language, Libelles& libelle) {
    const bool french = language == QStringLiteral("Francais");
    for (const LangueRow& row : file.rows)
        libelle.set(row.form, row.label, french ? row.francais : row.anglais);
}

}  // namespace corvanta
