#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/error.h"
#include "platform/verbatim_ini.h"

namespace {

using corvanta::platform::SettingsError;
using corvanta::platform::SettingsStore;

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        qputenv("XDG_CONFIG_HOME", home_.path().toUtf8());
    }
    QString storePath() const { return home_.path() + "/Corvanta/Corvanta.ini"; }
    QByteArray fileBytes() const {
        QFile file(storePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const QByteArray& bytes) const {
        ASSERT_TRUE(QDir().mkpath(home_.path() + "/Corvanta"));
        QFile file(storePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir home_;
};

TEST_F(SettingsStoreTest, LivesInTheUsersConfigFolder) {
    EXPECT_EQ(SettingsStore::defaultFilePath(), storePath());
    SettingsStore store;
    EXPECT_EQ(store.filePath(), storePath());
}

TEST_F(SettingsStoreTest, EveryKeyAndValueFormSurvivesANewStore) {
    const QList<std::tuple<QString, QString, QString>> entries = {
        {"GENERAL", "Langue", "Francais"},
        {"GENERAL", "Date MES", "01/01/99"},
        {"GENERAL", "Nom(1)", "Docteur X"},
        {"GENERAL", "Adresse1(3)", "  both ends blank  "},
        {"GENERAL", "Export", ""},
        {"GENERAL", "Tel(2)", QString::fromUtf8("Hôpital Saint-Étienne, 2° étage")},
        {"GENERAL", "Fax(2)", "a=b;c#d[e]f"},
        {"GENERAL", "Inscription(2)", R"(C:\data\new "quoted" 'single' \\ end\)"},
        {"GENERAL", "Adresse2(1)", "line one\r\nline two\nthree\rfour"},
        {"FILTRAGE", "moyenneur", " 3"},
        {"ZONES0", "xmin0", " 7"},
        {"ZONES3", "actif5", "-1"},
        {"General", "Langue", "other case is another section"},
    };
    {
        SettingsStore store;
        for (const auto& [section, key, value] : entries) {
            store.write(section, key, value);
        }
        store.sync();
    }
    const QByteArray bytes = fileBytes();
    EXPECT_TRUE(bytes.contains("[GENERAL]\n"));
    EXPECT_TRUE(bytes.contains("Date MES=01/01/99\n"));
    EXPECT_TRUE(bytes.contains("xmin0= 7\n"));
    EXPECT_FALSE(bytes.contains("%General"));

    SettingsStore reread;
    for (const auto& [section, key, value] : entries) {
        EXPECT_EQ(reread.read(section, key, "missing"), value)
            << section.toStdString() << "/" << key.toStdString();
    }
}

TEST_F(SettingsStoreTest, AHandWrittenFileReadsAsWritten) {
    writeFile(
        "\xEF\xBB\xBF; written by hand\r\n"
        "# another comment\r\n"
        "[GENERAL]\r\n"
        "Langue=English\r\n"
        "Date MES=12/03/04 \r\n"
        "  Nom(1) = Docteur Y\r\n"
        "PortCom=2\r\n"
        "\r\n"
        "[ZONES1]\n"
        "xmin0= 9\n"
        "seuil0=\n"
        "Export=C:\\data\\new\n");
    SettingsStore store;
    EXPECT_EQ(store.read("GENERAL", "Langue"), "English");
    EXPECT_EQ(store.read("GENERAL", "Date MES"), "12/03/04 ");
    EXPECT_EQ(store.read("GENERAL", "Nom(1)"), " Docteur Y");
    EXPECT_EQ(store.readInt16("GENERAL", "PortCom", 1), 2);
    EXPECT_EQ(store.read("ZONES1", "xmin0"), " 9");
    EXPECT_EQ(store.readInt32("ZONES1", "xmin0", 0), 9);
    EXPECT_EQ(store.read("ZONES1", "seuil0", "default"), "");
    // "\n" is the escape of a line break; any other backslash stays.
    EXPECT_EQ(store.read("ZONES1", "Export"), "C:\\data\new");
}

TEST_F(SettingsStoreTest, MissingKeysAndUnreadableNumbersGiveTheDefault) {
    writeFile("[GENERAL]\nPortCom=abc\nImages=40000\nMedecin= 2 \n");
    SettingsStore store;
    EXPECT_EQ(store.read("GENERAL", "Nom(1)", "Docteur X"), "Docteur X");
    EXPECT_EQ(store.read("NOSECTION", "Langue", "Francais"), "Francais");
    EXPECT_TRUE(store.read("GENERAL", "Missing").isNull());
    EXPECT_EQ(store.readInt16("GENERAL", "PortCom", 1), 1);
    EXPECT_EQ(store.readInt16("GENERAL", "Images", 0), 0);
    EXPECT_EQ(store.readInt32("GENERAL", "Images", 0), 40000);
    EXPECT_EQ(store.readInt16("GENERAL", "Medecin", 1), 2);
    EXPECT_EQ(store.readInt32("GENERAL", "Def_Type", 4), 4);
}

TEST_F(SettingsStoreTest, ChangesKeepTheOtherKeysOfTheFile) {
    writeFile("[GENERAL]\nLangue=English\n[ZONES2]\ngel1= 1\n");
    {
        SettingsStore store;
        store.write("GENERAL", "Langue", "Francais");
        store.write("GENERAL", "Def_Type", "3");
        store.sync();
    }
    SettingsStore reread;
    EXPECT_EQ(reread.read("GENERAL", "Langue"), "Francais");
    EXPECT_EQ(reread.read("GENERAL", "Def_Type"), "3");
    EXPECT_EQ(reread.read("ZONES2", "gel1"), " 1");
}

TEST_F(SettingsStoreTest, ADamagedFileNeitherCrashesNorHidesTheKeysItStillHolds) {
    const char damaged[] = "[GENERAL\nno equals sign\n=no key\n[]\n\xFF\xFE\x00\x01 binary\n";
    QByteArray garbage(damaged, sizeof damaged - 1);
    garbage += "[FILTRAGE]\npassebas= 4\n[unterminated";
    writeFile(garbage);
    SettingsStore store;
    EXPECT_EQ(store.readInt32("FILTRAGE", "passebas", 0), 4);
    EXPECT_EQ(store.read("GENERAL", "Langue", "Francais"), "Francais");
    store.write("GENERAL", "Langue", "English");
    store.sync();
    SettingsStore reread;
    EXPECT_EQ(reread.read("GENERAL", "Langue"), "English");
    EXPECT_EQ(reread.read("FILTRAGE", "passebas"), " 4");
}

TEST_F(SettingsStoreTest, NamesTheFileCannotHoldAreRefused) {
    SettingsStore store;
    for (const char* bad : {"", "a/b", "a=b", "[x]", "a\nb", " lead", "back\\slash"}) {
        EXPECT_THROW(store.write(bad, "Langue", "x"), corvanta::Error) << bad;
        EXPECT_THROW(store.write("GENERAL", bad, "x"), corvanta::Error) << bad;
    }
}

TEST_F(SettingsStoreTest, AFailedWriteIsReported) {
    // A folder where the file should be: the file cannot be replaced.
    ASSERT_TRUE(QDir().mkpath(storePath()));
    SettingsStore store;
    store.write("GENERAL", "Langue", "English");
    try {
        store.sync();
        FAIL() << "sync reported success";
    } catch (const corvanta::Error& error) {
        EXPECT_EQ(error.source(), "Settings store");
        EXPECT_NE(error.description().find("Corvanta.ini"), std::string::npos);
    }
}

// A link in place of the settings file is followed to a settings file (one kept under version
// control, say), never into anything else: that file is neither read nor written.
TEST_F(SettingsStoreTest, ALinkIsFollowedOnlyToASettingsFile) {
    const QString database = home_.filePath("Sinus.mdb");
    ASSERT_TRUE(
        QFile::copy(qEnvironmentVariable("CORVANTA_BUILD_DIR") + "/data/Sinus.mdb", database));
    const QByteArray databaseBytes = bytesOf(database);
    const QString versioned = home_.filePath("versioned.ini");
    writeFile("[GENERAL]\nLangue=English\n");
    ASSERT_TRUE(QFile::rename(storePath(), versioned));
    auto linkTo = [&](const QString& target) {
        QFile::remove(storePath());
        ASSERT_TRUE(QFile::link(target, storePath()));
    };

    // Text that is not settings, and a small picture whose only line holds a "=".
    const QString script = home_.filePath("start.sh");
    const QString picture = home_.filePath("logo.jpg");
    for (const auto& [path, bytes] : {std::pair{script, QByteArray("cd /srv\nexport A=1\n")},
                                      std::pair{picture, QByteArray("\xFF\xD8\xFF\xE0=JFIF")}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    for (const QString& target : {database, script, picture, versioned}) {
        SCOPED_TRACE(target.toStdString());
        const bool settings = target == versioned;
        const QByteArray before = bytesOf(target);
        linkTo(target);
        {
            SettingsStore store;
            EXPECT_EQ(store.read("GENERAL", "Langue", "none"), settings ? "English" : "none");
            store.write("GENERAL", "PortCom", "3");
            EXPECT_EQ(store.read("GENERAL", "PortCom"), "3");
            EXPECT_NO_THROW(store.sync());
            EXPECT_EQ(store.refusedFile(),
                      settings ? QString() : storePath() + QStringLiteral(" → ") + target);
        }
        EXPECT_TRUE(QFileInfo(storePath()).isSymLink());
        if (!settings) {
            EXPECT_EQ(bytesOf(target), before);
        }
    }
    EXPECT_EQ(bytesOf(versioned), "[GENERAL]\nLangue=English\nPortCom=3\n");

    // Turned to the database while the program runs: said once, and the database kept.
    linkTo(versioned);
    SettingsStore store;
    store.write("GENERAL", "PortCom", "4");
    linkTo(database);
    try {
        store.sync();
        ADD_FAILURE() << "the settings were not kept, in silence";
    } catch (const SettingsError& error) {
        EXPECT_TRUE(error.notSettings());
        EXPECT_EQ(error.path(), storePath() + QStringLiteral(" → ") + database);
    }
    store.write("GENERAL", "PortCom", "5");
    EXPECT_NO_THROW(store.sync());
    EXPECT_EQ(bytesOf(database), databaseBytes);
    EXPECT_EQ(
        QDir(home_.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList({"logo.jpg", "Sinus.mdb", "start.sh", "versioned.ini"}));  // no temporary left
}

}  // namespace
