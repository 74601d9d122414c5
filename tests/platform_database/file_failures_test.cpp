// Failures of the database file itself, made for real, and what the layer says of them.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <functional>
#include <optional>

#include "platform/database.h"
#include "platform/database_error.h"
#include "tests/support/file_faults.h"
#include "tests/support/file_size_limit.h"

namespace corvanta::platform::testing {
namespace {

using test::SmallVolume;

// A fresh database copied into `folder`, or onto a small volume of its own.
QString freshCopy(const QString& folder) {
    const QString path = QDir(folder).filePath(QStringLiteral("Sinus.mdb"));
    QFile::copy(qEnvironmentVariable("CORVANTA_BUILD_DIR") + "/data/Sinus.mdb", path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

void writeAPatient(Database& db) {
    db.execute(QStringLiteral("INSERT INTO Patients (Nom_Patient) VALUES ('MARTIN')"));
}

struct Case {
    const char* what;
    bool onAVolume;  // the file lies on a small tmpfs of its own
    DatabaseFailure expected;
    int number;
    // Makes the failure happen to the database at `path`.
    std::function<void(const QString& path, SmallVolume* volume)> fail;
};

TEST(DatabaseFileFailures, EachIsNamedForWhatTheUserCanDoWithTheFile) {
    const std::vector<Case> cases = {
        {"another connection holds the write lock", false, DatabaseFailure::Busy, 3260,
         [](const QString& path, SmallVolume*) {
             Database other(path);
             other.execute(QStringLiteral("BEGIN IMMEDIATE"));
             Database db(path);
             db.execute(QStringLiteral("PRAGMA busy_timeout = 50"));
             writeAPatient(db);
         }},
        {"the file-size limit", false, DatabaseFailure::Full, SQLITE_IOERR_WRITE,
         [](const QString& path, SmallVolume*) {
             Database db(path);
             test::FileSizeLimit limit(8192);
             writeAPatient(db);
         }},
        {"a full volume", true, DatabaseFailure::Full, SQLITE_FULL,
         [](const QString& path, SmallVolume*) {
             Database db(path);
             for (int i = 0; i < 1000; ++i)
                 db.execute(
                     QStringLiteral("INSERT INTO Courbes (COURBE) VALUES (randomblob(400))"));
         }},
        {"a volume made read-only while open", true, DatabaseFailure::ReadOnly, SQLITE_CANTOPEN,
         [](const QString& path, SmallVolume* volume) {
             Database db(path);
             ASSERT_TRUE(volume->makeReadOnly());
             writeAPatient(db);
         }},
        {"a read-only volume", true, DatabaseFailure::ReadOnly, 3051,
         [](const QString& path, SmallVolume* volume) {
             ASSERT_TRUE(volume->makeReadOnly());
             Database db(path);
         }},
        {"the file moved while open", false, DatabaseFailure::Moved, 3027,
         [](const QString& path, SmallVolume*) {
             Database db(path);
             ASSERT_TRUE(QFile::rename(path, path + ".moved"));
             writeAPatient(db);
         }},
        {"the file deleted while open", false, DatabaseFailure::Moved, 3027,
         [](const QString& path, SmallVolume*) {
             Database db(path);
             ASSERT_TRUE(QFile::remove(path));
             writeAPatient(db);
         }},
        {"flipped bytes in curve pages", false, DatabaseFailure::Damaged, SQLITE_CORRUPT,
         [](const QString& path, SmallVolume*) {
             {
                 Database db(path);
                 for (int i = 0; i < 40; ++i)
                     db.execute(
                         QStringLiteral("INSERT INTO Courbes (COURBE) VALUES (zeroblob(400))"));
             }
             test::damageLeafPages(path, QStringLiteral("Courbes"));
             Database db(path);  // opened without a word
             db.queryValue(QStringLiteral("SELECT sum(length(COURBE)) FROM Courbes"));
         }},
        {"flipped bytes in the schema page", false, DatabaseFailure::Damaged, SQLITE_CORRUPT,
         [](const QString& path, SmallVolume*) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(103));
             file.write("\xFF\xFF", 2);
             file.close();
             Database db(path);
             db.requireObjects({});
         }},
        {"no file", false, DatabaseFailure::Missing, 3024,
         [](const QString& path, SmallVolume*) {
             QFile::remove(path);
             Database db(path);
         }},
        {"a text file", false, DatabaseFailure::NotCorvanta, 3343,
         [](const QString& path, SmallVolume*) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
             file.write("not a database at all");
             file.close();
             Database db(path);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        std::optional<SmallVolume> volume;
        if (c.onAVolume && !volume.emplace("160k").ok()) {
            std::printf("skipped (no tmpfs can be mounted here): %s\n", c.what);
            continue;
        }
        const QString path = freshCopy(volume ? volume->path() : folder.path());
        try {
            c.fail(path, volume ? &*volume : nullptr);
            ADD_FAILURE() << "no failure";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.failure(), c.expected) << e.what();
            EXPECT_EQ(e.number(), c.number) << e.what();
            EXPECT_EQ(e.files(), QStringList{path});
        }
    }
}

// A transaction begun by a savepoint ends even when the engine refuses to end it: a file
// attached with damaged pages must not leave it open, holding the run's later writes.
TEST(DatabaseFileFailures, ADamagedAttachedFileLeavesNoTransactionOpen) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("autre"));
    const QString path = freshCopy(folder.path());
    const QString damaged = freshCopy(folder.filePath("autre"));
    {
        Database other(damaged);
        for (int i = 0; i < 40; ++i)
            other.execute(QStringLiteral("INSERT INTO Courbes (COURBE) VALUES (zeroblob(400))"));
    }
    test::damageLeafPages(damaged, QStringLiteral("Courbes"));
    Database db(path);
    db.attach(damaged, QStringLiteral("autre"));
    try {
        Database::Transaction transaction(db);
        db.execute(QStringLiteral("CREATE TEMP TABLE copie AS SELECT * FROM autre.Courbes"));
        ADD_FAILURE() << "the damaged pages were read";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.failure(), DatabaseFailure::Damaged);
        EXPECT_EQ(e.files(), QStringList({path, damaged}));
    }
    db.detach(QStringLiteral("autre"));
    writeAPatient(db);
    Database reader(path);
    EXPECT_EQ(reader.queryValue(QStringLiteral("SELECT count(*) FROM Patients")).toInt64(), 1);
}

}  // namespace
}  // namespace corvanta::platform::testing
