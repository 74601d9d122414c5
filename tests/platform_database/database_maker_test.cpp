#include "tools/make_database/database_maker.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/database.h"
#include "platform/error.h"
#include "platform/recordset.h"

namespace corvanta::tools {
namespace {

const QByteArray kHeader = "Form\tLabel\tFrancais\tAnglais\n";

std::string parseError(const QByteArray& content) {
    try {
        parseInterfaceTexts(content, "t.tsv");
    } catch (const Error& e) {
        return e.what();
    }
    return "accepted";
}

TEST(InterfaceTexts, MalformedLinesAreRefusedWithTheirLineNumber) {
    EXPECT_EQ(parseError(kHeader + "# comment\n\n1\t2\tOnly three\n"),
              "t.tsv:4: expected 4 tab-separated fields, found 3");
    EXPECT_EQ(parseError(kHeader + "1\t2\ta\tb\tc\n"),
              "t.tsv:2: expected 4 tab-separated fields, found 5");
    EXPECT_EQ(parseError(kHeader + "1\t2\tbad \\x escape\tb\n"), "t.tsv:2: unknown escape \\x");
    EXPECT_EQ(parseError(kHeader + "1\t2\tends with \\\tb\n"),
              "t.tsv:2: a backslash ends the text");
    EXPECT_EQ(parseError(kHeader + "11\t2\ta\tb\n"),
              "t.tsv:2: Form must be a number from 0 to 10, not \"11\"");
    EXPECT_EQ(parseError(kHeader + "1\t201\ta\tb\n"),
              "t.tsv:2: Label must be a number from 0 to 200, not \"201\"");
    EXPECT_EQ(parseError(kHeader + "1\t-1\ta\tb\n"),
              "t.tsv:2: Label must be a number from 0 to 200, not \"-1\"");
    EXPECT_EQ(parseError(kHeader + "x1\t1\ta\tb\n"),
              "t.tsv:2: Form must be a number from 0 to 10, not \"x1\"");
    EXPECT_EQ(parseError(kHeader + "1\t1\ta\tb\n1\t1\tc\td\n"), "t.tsv:3: text 1,1 is given twice");
    EXPECT_EQ(parseError(kHeader + "1\t1\t\xC3\tb\n"), "t.tsv:2: the line is not valid UTF-8");
    EXPECT_EQ(parseError("Form\tLabel\tFrench\tEnglish\n"),
              "t.tsv:1: the first line must be Form<TAB>Label<TAB>Francais<TAB>Anglais");
    EXPECT_EQ(parseError(""), "t.tsv:1: the header line is missing");
}

TEST(InterfaceTexts, EscapesAndEmptyFieldsReadAsWritten) {
    const auto texts = parseInterfaceTexts(
        kHeader + "1\t2\tA\\tB\\nC\\\\D\t\r\n# note\n4\t44\t\"Erreur\" l'été\tError\n", "t.tsv");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].francais, "A\tB\r\nC\\D");
    EXPECT_TRUE(texts[0].anglais.isEmpty());
    EXPECT_FALSE(texts[0].anglais.isNull());
    EXPECT_EQ(texts[1].form, 4);
    EXPECT_EQ(texts[1].label, 44);
    EXPECT_EQ(texts[1].francais, QString::fromUtf8("\"Erreur\" l'été"));
}

class MakerProgram : public ::testing::Test {
  protected:
    int run(const QByteArray& tsv, QString* message = nullptr) {
        QFile file(folder.filePath("langues.tsv"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(tsv);
        file.close();
        QProcess maker;
        maker.start(qEnvironmentVariable("CORVANTA_BUILD_DIR") + "/bin/make_database",
                    {out, qEnvironmentVariable("CORVANTA_SOURCE_DIR") + "/data/schema.sql",
                     file.fileName()});
        EXPECT_TRUE(maker.waitForFinished(30000));
        if (message != nullptr)
            *message = QString::fromUtf8(maker.readAllStandardError());
        return maker.exitCode();
    }
    QTemporaryDir folder;
    QString out = folder.filePath("Sinus.mdb");
};

TEST_F(MakerProgram, WritesTextsThatSurviveTheRoundTrip) {
    ASSERT_EQ(run(kHeader + "1\t5\tTab\\there\\nnext \"quoted\" l'œuvre\t\n"), 0);
    platform::Database db(out);
    auto rs = db.openRecordset("SELECT * FROM Langues ");
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->field("Francais").toText(),
              QString::fromUtf8("Tab\there\r\nnext \"quoted\" l'œuvre"));
    EXPECT_FALSE(rs->field("Anglais").isNull());
    EXPECT_EQ(rs->field("Anglais").toText(), "");
    EXPECT_EQ(
        QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase),
        QStringList({"langues.tsv", "Sinus.mdb"}));
}

TEST_F(MakerProgram, RefusesAMalformedFileAndKeepsTheFormerDatabase) {
    ASSERT_EQ(run(kHeader + "1\t1\tUn\tOne\n"), 0);
    QString message;
    EXPECT_NE(run(kHeader + "1\t1\tUn\tOne\n1\t2\tDeux\n", &message), 0);
    EXPECT_TRUE(message.contains("langues.tsv:3:")) << message.toStdString();
    platform::Database db(out);
    EXPECT_EQ(db.queryValue("SELECT count(*) FROM Langues").toInt32(), 1);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(SchemaFile, ABrokenSchemaLeavesNoFile) {
    QTemporaryDir folder;
    const QString out = folder.filePath("Sinus.mdb");
    EXPECT_THROW(makeDatabase(out, "CREATE TABLE (", {}), Error);
    EXPECT_TRUE(QDir(folder.path()).isEmpty(QDir::Files | QDir::Hidden));
}

}  // namespace
}  // namespace corvanta::tools
