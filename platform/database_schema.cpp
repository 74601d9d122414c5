// The check that a file holds the tables, views and columns the program uses.
#include <QDir>
#include <QHash>
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
    struct Stored {
        QString type;
        QString sql;
    };
    QHash<QString, Stored> stored;
    Statement schema(db, QStringLiteral("SELECT name, type, sql FROM main.sqlite_schema"), kSource);
    while (schema.step())
        stored.insert(schema.column(0).toText().toLower(),
                      {schema.column(1).toText(), schema.column(2).toTextOrEmpty()});
    std::optional<Statement> columns;
    std::vector<MissingObject> missing;
    for (const RequiredObject& object : objects) {
        const QString name = QString::fromUtf8(object.name);
        const auto found = stored.constFind(name.toLower());
        const QString expected = object.view ? QStringLiteral("view") : QStringLiteral("table");
        if (found == stored.cend() || found->type != expected) {
            missing.push_back({name, {}, object.view});
            continue;
        }
        if (found->sql == QString::fromUtf8(object.sql))
            continue;  // made as the program makes it: nothing more to read
        if (!columns) {
            columns.emplace(db, QStringLiteral("SELECT name FROM pragma_table_info(?, 'main')"),
                            kSource);
        }
        const std::optional<QSet<QString>> present = columnsOf(*columns, name);
        if (!present) {
            missing.push_back({name, {}, object.view});
            continue;
        }
        for (const char* column : object.columns) {
            const QString wanted = QString::fromUtf8(column);
            if (!present->contains(wanted.toLower()))
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
