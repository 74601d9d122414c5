#include "tests/database_import/database_snapshot.h"

#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/sqlite_statement.h"

namespace corvanta::test {
namespace {

QStringList Lignes(platform::Database& base, const QString& sql) {
    QStringList lignes;
    const auto rs = base.openRecordset(sql);
    if (rs->recordCount() == 0)
        return lignes;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        lignes << rs->field(0).toText();
    return lignes;
}

}  // namespace

QStringList Instantane_Base(platform::Database& base) {
    QStringList instantane = Lignes(base, QStringLiteral("PRAGMA main.integrity_check"));
    for (const QString& table :
         Lignes(base, QStringLiteral("SELECT name FROM main.sqlite_master "
                                     "WHERE type = 'table' ORDER BY name"))) {
        const QString t = QStringLiteral("main.") + platform::quoteIdentifier(table);
        QStringList colonnes;
        for (const QString& c :
             Lignes(base, QStringLiteral("SELECT name FROM pragma_table_info('%1', 'main')")
                              .arg(QString(table).replace(u'\'', QStringLiteral("''")))))
            colonnes << QStringLiteral("quote(%1)").arg(platform::quoteIdentifier(c));
        instantane << table + QStringLiteral(": ") +
                          base.queryValue(QStringLiteral("SELECT count(*) FROM ") + t).toText();
        instantane << Lignes(base, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                                       .arg(colonnes.join(QStringLiteral(" || '|' || ")), t));
    }
    return instantane;
}

}  // namespace corvanta::test
