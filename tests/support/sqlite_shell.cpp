#include "tests/support/sqlite_shell.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

namespace corvanta::test {

QStringList Shell(const QString& fichier, const QString& sql) {
    if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty()) {
        ADD_FAILURE() << "the sqlite3 shell is missing (scripts/install-deps installs it)";
        return {};
    }
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"),
                {QStringLiteral("-batch"), QStringLiteral("-bail"), fichier});
    shell.write(sql.toUtf8());
    shell.closeWriteChannel();
    EXPECT_TRUE(shell.waitForFinished(30000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    return QString::fromUtf8(shell.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace corvanta::test
