#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include "platform/error.h"
#include "report_picture/canvas_page.h"
#include "tests/report_picture/picture_fixture.h"
#include "tests/support/application_test.h"

namespace {

using namespace corvanta::report;
using corvanta::platform::Value;
using corvanta::test::sampleExam;
using Outcome = ExportOutcome::Kind;

// A root folder holding the program folder and the export folder.
class ExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        corvanta::test::Application();
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkdir("programme") && QDir(root.path()).mkdir("images"));
    }
    QString in(const QString& name) const { return root.filePath(name); }
    QStringList files(const QString& folder) const {
        return QDir(in(folder)).entryList(QDir::Files | QDir::Hidden);
    }
    QImage drawn(const ExamReportInput& input) const {
        CanvasPage canvas;
        drawSinusPicture(input, canvas);
        return canvas.image();
    }

    QTemporaryDir root;
};

TEST_F(ExportTest, ThePictureGoesToTheClipboardAndIntoTheExportFolder) {
    auto first = sampleExam(0);
    auto second = sampleExam(0, 200);
    second.row.set("Num_Examen", Value(12));
    QFile older(in("images/Martin Anne 12.bmp"));
    ASSERT_TRUE(older.open(QIODevice::WriteOnly) && older.write("older") == 5);
    older.close();

    QString folder = in("images/");
    auto outcome = exportPicture(first, drawSinusPicture, folder, in("programme"), 0);
    EXPECT_EQ(outcome.kind, Outcome::Written);
    EXPECT_EQ(outcome.file, in("images/Martin Anne 03.jpg"));
    EXPECT_EQ(folder, in("images")) << "the trailing separator is dropped and kept so";
    QImageReader jpeg(outcome.file);
    EXPECT_EQ(jpeg.format(), "jpeg");
    EXPECT_EQ(jpeg.read().size(), QSize(529, 593));

    // The second export starts on a blank canvas and replaces the older file.
    outcome = exportPicture(second, drawSinusPicture, folder, in("programme"), 1);
    EXPECT_EQ(outcome.file, in("images/Martin Anne 12.bmp"));
    EXPECT_EQ(QFileInfo(outcome.file).size(), 941738);
    EXPECT_EQ(QImage(outcome.file).convertToFormat(QImage::Format_RGB32), drawn(second));
    EXPECT_EQ(pictureOnClipboard().convertToFormat(QImage::Format_RGB32), drawn(second));

    // Nothing chosen in the format list: the clipboard only.
    outcome = exportPicture(first, drawSinusPicture, folder, in("programme"), -1);
    EXPECT_EQ(outcome.kind, Outcome::ClipboardOnly);
    EXPECT_EQ(pictureOnClipboard().convertToFormat(QImage::Format_RGB32), drawn(first));
    EXPECT_EQ(files("images"), (QStringList{"Martin Anne 03.jpg", "Martin Anne 12.bmp"}));
}

TEST_F(ExportTest, HostileNamesStayInsideTheExportFolder) {
    auto input = sampleExam(0);
    input.row.set("Nom_Patient", Value("../../etc"));
    input.row.set("Prenom_Patient", Value("a\\b:c*?\"<>|\t"));
    input.row.set("Num_Examen", Value("7/"));
    QString folder = in("images");
    const auto outcome = exportPicture(input, drawSinusPicture, folder, in("programme"), 1);
    EXPECT_EQ(outcome.file, in("images/.._.._etc a_b_c_______ 7_.bmp"));
    EXPECT_EQ(files("images"), QStringList{".._.._etc a_b_c_______ 7_.bmp"});
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"images", "programme"}));
}

// Refused before anything is drawn: the clipboard keeps what it held.
TEST_F(ExportTest, NoFolderOrTheProgramFolderIsRefusedUntouched) {
    QImage held(3, 3, QImage::Format_RGB32);
    held.fill(Qt::red);
    putPictureOnClipboard(held);
    const QString working = QDir::currentPath();
    QDir::setCurrent(in("programme"));
    struct Refused {
        QString folder;
        QString program;
        Outcome outcome;
    };
    const Refused refused[] = {
        {"", in("programme"), Outcome::NoFolder},
        {"  ", in("programme"), Outcome::NoFolder},
        {in("programme"), in("programme"), Outcome::ProgramFolder},
        {in("programme/"), in("programme"), Outcome::ProgramFolder},
        {in("images/../programme"), in("programme"), Outcome::ProgramFolder},
        {".", in("programme"), Outcome::ProgramFolder},
        {in("programme"), in("images/../programme/"), Outcome::ProgramFolder},
    };
    for (const auto& [given, program, outcome] : refused) {
        QString folder = given;
        EXPECT_EQ(exportPicture(sampleExam(0), drawSinusPicture, folder, program, 0).kind, outcome)
            << given.toStdString();
        EXPECT_EQ(folder, given);
    }
    QDir::setCurrent(working);
    EXPECT_EQ(pictureOnClipboard().convertToFormat(QImage::Format_RGB32), held);
    EXPECT_FALSE(isProgramFolder(in("Programme"), in("programme"))) << "letter case counts";
    EXPECT_TRUE(files("programme").isEmpty());
}

TEST_F(ExportTest, AFailedWriteOrClipboardIsAnErrorAndLeavesNoFile) {
    QFile notAFolder(in("fichier"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    for (const QString& given : {in("fichier"), in("absent")}) {
        QString folder = given;
        try {
            exportPicture(sampleExam(0), drawSinusPicture, folder, in("programme"), 1);
            ADD_FAILURE() << given.toStdString();
        } catch (const corvanta::Error& error) {
            EXPECT_EQ(error.number(), 76) << error.what();
        }
    }
    PictureOutlet refusing;
    refusing.clipboard = [](const QImage&) { throw corvanta::Error(521, "Export", "busy"); };
    QString folder = in("images");
    EXPECT_THROW(
        exportPicture(sampleExam(0), drawSinusPicture, folder, in("programme"), 1, refusing),
        corvanta::Error);
    EXPECT_TRUE(files("images").isEmpty());
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"fichier", "images", "programme"}));
}

}  // namespace
