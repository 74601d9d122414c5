// The check that a file holds the tables, views and columns the program uses.
#include <QDir>
#include <QSet>

#include "platform/connection.h"
#include "platform/database.h"
#include "platform/database_error.h"
#include "platform/sqlite_statement.h"

namespace corvanta::platform {
namespace {

const std::string kSource = "Database";
constexpr int kMissingObject = 3078;

// The columns of `name` in lower case, or nothing for a view that no longer reads.
std::optional<QSet<QString>> columnsOf(Statement& columns, const QString& name) {
    QSet<QString> found;
    columns.reset();
    columns.bind(1, Value(name));
    try {
        while (columns.step())
            found.insert(columns.column(0).toText().toLower());
    } catch (const DatabaseError&) {
        throw;
    } catch (const Error&) {
        return std::nullopt;  // it names a table or column that is gone
    }
    return found;
}

}  // namespace

void Database::requireObjects(std::span<const RequiredObject> objects) {
    sqlite3* db = connection_->handle(kSource);
    Statement kind(
        db, QStringLiteral("SELECT type FROM main.sqlite_schema WHERE name = ? COLLATE NOCASE"),
        kSource);
    Statement columns(db, QStringLiteral("SELECT name FROM pragma_table_info(?, 'main')"), kSource);
    std::vector<MissingObject> missing;
    QSet<QString> tableColumnsMissing;
    for (const RequiredObject& object : objects) {
        const QString name = QString::fromUtf8(object.name);
        kind.reset();
        kind.bind(1, Value(name));
        const QString expected = object.view ? QStringLiteral("view") : QStringLiteral("table");
        std::optional<QSet<QString>> present;
        if (kind.step() && kind.column(0).toText() == expected)
            present = columnsOf(columns, name);
        if (!present) {
            missing.push_back({name, {}, object.view});
            continue;
        }
        for (const char* column : object.columns) {
            const QString wanted = QString::fromUtf8(column);
            if (present->contains(wanted.toLower()))
                continue;
            if (!object.view)
                tableColumnsMissing.insert(wanted.toLower());
            else if (tableColumnsMissing.contains(wanted.toLower()))
                continue;
            missing.push_back({name, wanted, object.view});
        }
    }
    if (missing.empty())
        return;
    QStringList names;
    for (const MissingObject& m : missing)
        names << (m.column.isEmpty() ? m.object : m.object + u'.' + m.column);
    throw DatabaseError(
        kMissingObject, kSource,
        ("'" + path() + "' lacks " + names.join(QStringLiteral(", "))).toStdString(),
        DatabaseFailure::Incomplete, {QDir::toNativeSeparators(path())}, {}, std::move(missing));
}

}  // namespace corvanta::platform
