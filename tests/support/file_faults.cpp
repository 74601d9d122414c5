#include "tests/support/file_faults.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "tests/support/sqlite_shell.h"

namespace corvanta::test {

SmallVolume::SmallVolume(const char* size) {
    mounted_ =
        QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=") + QLatin1String(size), QStringLiteral("tmpfs"),
                           folder_.path()}) == 0;
    mounts_ = mounted_ ? 1 : 0;
}

SmallVolume::~SmallVolume() {
    for (int i = 0; i < mounts_; ++i)
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), folder_.path()});
}

bool SmallVolume::makeReadOnly() {
    // A volume with a file open for writing cannot be remounted read-only: a read-only view
    // of it goes on top, as when a share turns read-only under a running program.
    const QString path = folder_.path();
    if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("--bind"), path, path}) != 0)
        return false;
    ++mounts_;
    return QProcess::execute(QStringLiteral("mount"),
                             {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), path}) == 0;
}

void damageLeafPages(const QString& file, const QString& table) {
    const QStringList pages =
        Shell(file, QStringLiteral("PRAGMA page_size; SELECT pageno FROM dbstat WHERE name = '%1' "
                                   "AND pagetype = 'leaf';")
                        .arg(table));
    ASSERT_GE(pages.size(), 2) << "no leaf page of " << table.toStdString();
    QFile bytes(file);
    ASSERT_TRUE(bytes.open(QIODevice::ReadWrite));
    const qint64 size = pages[0].toLongLong();
    for (qsizetype i = 1; i < pages.size(); ++i) {
        ASSERT_TRUE(bytes.seek((pages[i].toLongLong() - 1) * size + 3));
        ASSERT_EQ(bytes.write("\xFF\xFF", 2), 2);
    }
}

}  // namespace corvanta::test
