// The benchmarks' database maker as a person runs it, in a folder of its own: asked for
// help, or given what it does not understand, it prints its usage and writes nothing; asked
// for realistic names, it writes many distinct, accented and hyphenated ones.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/database.h"

namespace corvanta {
namespace {

struct Result {
    int code = -1;
    QString out, err;
};

Result run(const QStringList& arguments, const QString& folder) {
    QProcess maker;
    maker.setWorkingDirectory(folder);
    maker.start(qEnvironmentVariable("CORVANTA_BUILD_DIR") + "/bin/make_big_database", arguments);
    EXPECT_TRUE(maker.waitForFinished(120000));
    return {maker.exitStatus() == QProcess::NormalExit ? maker.exitCode() : -1,
            QString::fromUtf8(maker.readAllStandardOutput()),
            QString::fromUtf8(maker.readAllStandardError())};
}

TEST(BigDatabaseTool, HelpAndWhatItDoesNotUnderstandPrintTheUsageAndWriteNothing) {
    const struct {
        QStringList arguments;
        int code;  // 0: the usage on standard output; 2: on standard error
    } cases[] = {
        {{"--help"}, 0},
        {{"-h"}, 0},
        {{"out.mdb", "--help"}, 0},
        {{"--bogus", "out.mdb"}, 2},
        {{"-x", "out.mdb"}, 2},
        {{"--patients", "0", "out.mdb"}, 2},
        {{"--patients", "ten", "out.mdb"}, 2},
        {{"out.mdb", "--patients"}, 2},
        {{}, 2},
        {{"a.mdb", "b.mdb", "c.mdb"}, 2},
    };
    for (const auto& c : cases) {
        const QString asked = c.arguments.join(u' ');
        QTemporaryDir folder;
        const Result result = run(c.arguments, folder.path());
        EXPECT_EQ(result.code, c.code) << asked.toStdString();
        const QString& usage = c.code == 0 ? result.out : result.err;
        EXPECT_TRUE(usage.contains("usage: make_big_database")) << asked.toStdString();
        EXPECT_TRUE(
            QDir(folder.path())
                .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            << asked.toStdString();
    }
}

int count(platform::Database& db, const char* sql) {
    return db.queryValue(QString::fromUtf8(sql)).toInt32();
}

TEST(BigDatabaseTool, RealisticNamesAreManyDistinctAccentedAndHyphenated) {
    QTemporaryDir folder;
    ASSERT_EQ(run({"--patients", "3000", "--realistic-names", "big.mdb"}, folder.path()).code, 0);
    platform::Database db(folder.filePath("big.mdb"));
    EXPECT_EQ(count(db, "SELECT count(*) FROM Patients"), 3000);
    EXPECT_GE(count(db, "SELECT count(DISTINCT Nom_Patient) FROM Patients"), 1500);
    EXPECT_GE(count(db, "SELECT count(*) FROM Patients WHERE Nom_Patient LIKE '%-%'"), 300);
    EXPECT_GE(count(db, "SELECT count(*) FROM Patients WHERE Nom_Patient GLOB '*[^ -~]*'"), 600);
    EXPECT_GE(count(db, "SELECT count(*) FROM Patients WHERE Nom_Patient GLOB '*[a-z]*'"), 300);
    EXPECT_GE(count(db, "SELECT count(DISTINCT Prenom_Patient) FROM Patients"), 300);
    EXPECT_GE(count(db, "SELECT count(*) FROM Patients WHERE Prenom_Patient LIKE '%-%'"), 100);
    EXPECT_GE(count(db,
                    "SELECT count(DISTINCT Ville_Patient) FROM Patients "
                    "WHERE Ville_Patient LIKE '%-%' OR Ville_Patient GLOB '*[^ -~]*'"),
              20);
    // What the patient window accepts.
    EXPECT_EQ(count(db,
                    "SELECT count(*) FROM Patients WHERE length(Nom_Patient) > 30 "
                    "OR length(Prenom_Patient) > 30 OR length(CodePostal_Patient) <> 5"),
              0);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Examens"), 3000);

    // The usual names stay those every earlier benchmark ran on.
    ASSERT_EQ(run({"--patients", "3", "usual.mdb"}, folder.path()).code, 0);
    platform::Database usual(folder.filePath("usual.mdb"));
    EXPECT_EQ(usual
                  .queryValue("SELECT group_concat(Nom_Patient || ' ' || Prenom_Patient || ' ' "
                              "|| Ville_Patient, ', ') FROM Patients")
                  .toText(),
              QString::fromUtf8("ANDRÉ Monique Marseille, ANDRÉ Léa Nice, DUBOIS Anne Toulon"));
}

}  // namespace
}  // namespace corvanta
