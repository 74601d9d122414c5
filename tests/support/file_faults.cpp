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
}

SmallVolume::~SmallVolume() {
    readOnly_.reset();
    if (mounted_)
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), folder_.path()});
}

bool SmallVolume::makeReadOnly() {
    // A volume with a file open for writing cannot be remounted read-only: a read-only view
    // of it goes on top.
    readOnly_ = std::make_unique<ReadOnlyView>(folder_.path());
    return readOnly_->ok();
}

ReadOnlyView::ReadOnlyView(const QString& folder) : folder_(folder) {
    bound_ =
        QProcess::execute(QStringLiteral("mount"), {QStringLiteral("--bind"), folder, folder}) == 0;
    readOnly_ = bound_ && QProcess::execute(QStringLiteral("mount"),
                                            {QStringLiteral("-o"),
                                             QStringLiteral("remount,bind,ro"), folder}) == 0;
}

ReadOnlyView::~ReadOnlyView() {
    if (bound_)
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), folder_});
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
