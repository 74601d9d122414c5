#include "tools/make_database/database_maker.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <cstdio>

#include "platform/database.h"
#include "platform/error.h"
#include "platform/sqlite_statement.h"

namespace corvanta::tools {
namespace {

const std::string kSource = "make_database";

class LineError {
  public:
    LineError(const QString& fileName, int line)
        : prefix_(fileName + ':' + QString::number(line)) {}
    [[noreturn]] void operator()(const QString& message) const {
        throw Error(0, kSource, (prefix_ + ": " + message).toStdString());
    }

  private:
    QString prefix_;
};

QString unescape(const QString& field, const LineError& error) {
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size())
            error(QStringLiteral("a backslash ends the text"));
        if (field[i] == u't') {
            out += u'\t';
        } else if (field[i] == u'n') {
            out += QStringLiteral("\r\n");
        } else if (field[i] == u'\\') {
            out += u'\\';
        } else {
            error(QStringLiteral("unknown escape \\") + field[i]);
        }
    }
    return out;
}

int number(const QString& field, int highest, const char* what, const LineError& error) {
    bool ok = false;
    const int value = field.toInt(&ok);
    if (!ok || field.trimmed() != field || value < 0 || value > highest) {
        error(QStringLiteral("%1 must be a number from 0 to %2, not \"%3\"")
                  .arg(QLatin1String(what))
                  .arg(highest)
                  .arg(field));
    }
    return value;
}

void check(sqlite3* db, int rc, const QString& what) {
    if (rc != SQLITE_OK) {
        throw Error(rc, kSource, (what + ": ").toStdString() + sqlite3_errmsg(db));
    }
}

void fillDatabase(sqlite3* db, const QString& schemaSql, const std::vector<InterfaceText>& texts) {
    sqlite3_extended_result_codes(db, 1);
    // A bare connection, as the standard tools have: the schema must need nothing more.
    check(db, sqlite3_exec(db, schemaSql.toUtf8().constData(), nullptr, nullptr, nullptr),
          QStringLiteral("schema"));
    check(db, sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), QStringLiteral("texts"));
    {
        platform::Statement insert(
            db,
            QStringLiteral("INSERT INTO Langues (Form, Label, Francais, Anglais) VALUES (?,?,?,?)"),
            kSource);
        for (const InterfaceText& t : texts) {
            insert.reset();
            insert.bindAll({t.form, t.label, t.francais, t.anglais});
            insert.step();
        }
    }
    check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), QStringLiteral("texts"));
}

}  // namespace

std::vector<InterfaceText> parseInterfaceTexts(const QByteArray& content, const QString& fileName) {
    std::vector<InterfaceText> texts;
    QSet<int> seen;
    bool headerSeen = false;
    const QList<QByteArray> lines = content.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const LineError error(fileName, static_cast<int>(n) + 1);
        QByteArray raw = lines[n];
        if (raw.endsWith('\r'))
            raw.chop(1);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = decoder.decode(raw);
        if (decoder.hasError())
            error(QStringLiteral("the line is not valid UTF-8"));
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        if (!headerSeen) {
            if (line != QStringLiteral("Form\tLabel\tFrancais\tAnglais")) {
                error(QStringLiteral(
                    "the first line must be Form<TAB>Label<TAB>Francais<TAB>Anglais"));
            }
            headerSeen = true;
            continue;
        }
        if (fields.size() != 4) {
            error(QStringLiteral("expected 4 tab-separated fields, found %1").arg(fields.size()));
        }
        InterfaceText t;
        t.form = number(fields[0], 10, "Form", error);
        t.label = number(fields[1], 200, "Label", error);
        t.francais = unescape(fields[2], error);
        t.anglais = unescape(fields[3], error);
        if (seen.contains(t.form * 1000 + t.label)) {
            error(QStringLiteral("text %1,%2 is given twice").arg(t.form).arg(t.label));
        }
        seen.insert(t.form * 1000 + t.label);
        texts.push_back(std::move(t));
    }
    if (!headerSeen)
        LineError(fileName, 1)(QStringLiteral("the header line is missing"));
    return texts;
}

void writeAtomically(const QString& path, const std::function<void(const QString&)>& build) {
    const QFileInfo target(path);
    QTemporaryFile temporary(target.absolutePath() + "/." + target.fileName() + ".XXXXXX");
    if (!temporary.open()) {
        throw Error(0, kSource,
                    ("cannot write in " + target.absolutePath() + ": " + temporary.errorString())
                        .toStdString());
    }
    temporary.close();
    const QString building = temporary.fileName();
    // A temporary file is private to its owner; the database gets the usual rights.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(QFile::encodeName(building).constData(), 0666 & ~mask);
    build(building);
    // Checks the mark the schema set, as the program will.
    platform::Database(building).close();
    if (std::rename(QFile::encodeName(building).constData(), QFile::encodeName(path).constData()) !=
        0) {
        throw Error(0, kSource,
                    "cannot rename " + building.toStdString() + " to " + path.toStdString());
    }
    temporary.setAutoRemove(false);
}

void makeDatabase(const QString& path, const QString& schemaSql,
                  const std::vector<InterfaceText>& texts) {
    writeAtomically(path, [&](const QString& building) {
        sqlite3* db = nullptr;
        const int rc =
            sqlite3_open_v2(building.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        try {
            check(db, rc, building);
            fillDatabase(db, schemaSql, texts);
        } catch (...) {
            sqlite3_close(db);
            throw;
        }
        if (sqlite3_close(db) != SQLITE_OK) {
            throw Error(0, kSource, "cannot close " + building.toStdString());
        }
    });
}

}  // namespace corvanta::tools
