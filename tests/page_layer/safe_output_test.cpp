#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "platform/safe_file.h"
#include "report/exam_report.h"
#include "report/picture_files.h"
#include "report_picture/canvas_page.h"
#include "report_print/printer_page.h"
#include "tests/support/application_test.h"
#include "tests/support/file_size_limit.h"

namespace {

using namespace corvanta::report;
using corvanta::platform::OutputError;
using corvanta::platform::OutputFailure;
using corvanta::test::FileSizeLimit;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
}

// Each writer of the program, each way its file can fail: the older report stays whole,
// nothing else appears anywhere, and the cause is known.
TEST(SafeOutputTest, AFailedWriteKeepsTheOlderFileAndSaysWhy) {
    corvanta::test::Application();
    CanvasPage canvas;
    canvas.printLine("Martin Anne 03");
    const std::pair<const char*, std::function<void(const QString&)>> writers[] = {
        {".bmp", [&](const QString& f) { writePicture(canvas.image(), f, PictureFormat::Bmp); }},
        {".jpg", [&](const QString& f) { writePicture(canvas.image(), f, PictureFormat::Jpeg); }},
        {".pdf",
         [](const QString& f) {
             auto page = openPdfPrinter(f);
             page->printLine("Compte rendu de Martin Anne");
             page->endDocument();
         }},
    };
    enum Situation { SizeLimit, LinkInTheWay, MissingFolder };
    for (const auto& [extension, write] : writers) {
        for (const Situation situation : {SizeLimit, LinkInTheWay, MissingFolder}) {
            SCOPED_TRACE(std::string(extension) + " situation " + std::to_string(situation));
            QTemporaryDir root;
            ASSERT_TRUE(QDir(root.path()).mkdir("export"));
            const QString folder = root.filePath(situation == MissingFolder ? "absent" : "export");
            const QString file = folder + "/Martin Anne 03" + extension;
            const QString outside = root.filePath("outside");
            writeText(outside, "not the export's");
            if (situation == LinkInTheWay)
                ASSERT_TRUE(QFile::link(outside, file));
            else if (situation == SizeLimit)
                writeText(file, "the older report");
            const QStringList before = QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden);
            try {
                std::optional<FileSizeLimit> limit;
                if (situation == SizeLimit) {
                    limit.emplace(512);
                    ASSERT_TRUE(limit->ok());
                }
                write(file);
                ADD_FAILURE() << "no failure";
            } catch (const OutputError& error) {
                const OutputFailure expected[] = {OutputFailure::DiskFull, OutputFailure::Link,
                                                  OutputFailure::FolderMissing};
                EXPECT_EQ(error.cause(), expected[situation]) << error.what();
                EXPECT_EQ(error.path(), file);
            }
            EXPECT_EQ(contents(outside), "not the export's");
            if (situation == SizeLimit) {
                EXPECT_EQ(contents(file), "the older report");
            } else if (situation == LinkInTheWay) {
                EXPECT_EQ(QFileInfo(file).symLinkTarget(), outside);
            }
            EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
            EXPECT_EQ(
                QDir(root.filePath("export")).entryList(QDir::Files | QDir::Hidden | QDir::System),
                situation == MissingFolder ? QStringList{}
                                           : QStringList{QFileInfo(file).fileName()})
                << "no temporary file left";
        }
    }
}

// A new file never replaces one: a name taken by a file or a link is passed over, whatever
// stands there stays as it was, and the rename itself refuses, so that two writers racing
// for one name each keep their own.
TEST(SafeOutputTest, ANewFileTakesTheFirstFreeNumberAndReplacesNothing) {
    QTemporaryDir folder;
    const auto name = [&](int number) {
        return folder.filePath(number == 1 ? "page.pdf" : QString("page-%1.pdf").arg(number));
    };
    writeText(name(1), "the page of this second");
    writeText(folder.filePath("outside"), "not the export's");
    ASSERT_TRUE(QFile::link(folder.filePath("outside"), name(2)));
    EXPECT_EQ(corvanta::platform::writeNewFile(name, "third", "Printer"), name(3));
    EXPECT_EQ(corvanta::platform::writeNewFile(name, "fourth", "Printer"), name(4));
    EXPECT_EQ(contents(name(1)), "the page of this second");
    EXPECT_EQ(QFileInfo(name(2)).symLinkTarget(), folder.filePath("outside"));
    EXPECT_EQ(contents(folder.filePath("outside")), "not the export's");
    EXPECT_EQ(contents(name(3)), "third");
    EXPECT_EQ(contents(name(4)), "fourth");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 5)
        << "no temporary file left";
}

// A volume that is really full (a small tmpfs, where this machine lets the tests mount one):
// the picture fails as on the file-size limit, and the older picture stays whole.
TEST(SafeOutputTest, AFullVolumeKeepsTheOlderPicture) {
    corvanta::test::Application();
    QTemporaryDir volume;
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", volume.path()}) != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    // Unmounted whatever happens below, so that the temporary folder can go.
    const std::unique_ptr<QTemporaryDir, void (*)(QTemporaryDir*)> unmount(
        &volume, [](QTemporaryDir* dir) { QProcess::execute("umount", {dir->path()}); });
    const QString file = volume.filePath("Martin Anne 03.bmp");
    writeText(file, "the older picture");
    CanvasPage canvas;
    try {
        writePicture(canvas.image(), file, PictureFormat::Bmp);
        ADD_FAILURE() << "a 941,738-byte picture on a 64 KB volume";
    } catch (const OutputError& error) {
        EXPECT_EQ(error.cause(), OutputFailure::DiskFull) << error.what();
    }
    EXPECT_EQ(contents(file), "the older picture");
    EXPECT_EQ(QDir(volume.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Martin Anne 03.bmp"});
}

// A name over 255 bytes loses the end of its names, never the number or the extension,
// and never half a character, even one made of a letter and its accent.
TEST(SafeOutputTest, LongNamesAreShortenedBetweenCharacters) {
    QTemporaryDir folder;
    const QString composed = QString(130, QChar(u'É'));
    const QString decomposed = QString("e\u0301").repeated(130);
    for (const QString& surname : {composed, decomposed, QString(300, u'a')}) {
        const QString file = fileInFolder(folder.path(), surname + " Zoé", " 7.5.jpg");
        const QString name = QFileInfo(file).fileName();
        EXPECT_LE(name.toUtf8().size(), 255);
        EXPECT_GE(name.toUtf8().size(), 250);
        EXPECT_TRUE(name.endsWith(" 7.5.jpg"));
        EXPECT_TRUE(surname.startsWith(name.chopped(8))) << name.toStdString();
        EXPECT_EQ(name.count(u'e'), name.count(QChar(0x301)));
        corvanta::platform::writeFileWhole(file, "x", "Export");
        EXPECT_EQ(contents(file), "x");
    }
    EXPECT_EQ(fileInFolder(folder.path(), "Martin Anne", " 03.pdf"),
              QDir(folder.path()).filePath("Martin Anne 03.pdf"));

    // An exam's key, where another exam shares its name, is kept whole with its number.
    ExamRow row;
    row.set("Nom_Patient", corvanta::platform::Value(composed));
    row.set("Prenom_Patient", corvanta::platform::Value(QStringLiteral("Zoé")));
    row.set("Num_Examen", corvanta::platform::Value(QStringLiteral("3")));
    row.set("Code_Examen", corvanta::platform::Value(123));
    const QString keyed = QFileInfo(examFile(folder.path(), row, ".pdf", true)).fileName();
    EXPECT_TRUE(keyed.endsWith(" 03 #123.pdf")) << keyed.toStdString();
    EXPECT_LE(keyed.toUtf8().size(), 255);
}

}  // namespace
