#pragma once

#include <QString>
#include <QStringList>

namespace corvanta::test {

// What the stock sqlite3 shell prints for `sql` on `fichier`, one line per row. The
// shell stops at the first failing statement, which fails the test with its message.
QStringList Shell(const QString& fichier, const QString& sql);

}  // namespace corvanta::test
