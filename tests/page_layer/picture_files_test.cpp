#include "report/picture_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include "platform/error.h"
#include "report_picture/canvas_page.h"
#include "tests/support/application_test.h"

namespace {

using namespace corvanta::report;

class PictureFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        corvanta::test::Application();
        ASSERT_TRUE(folder.isValid());
        canvas.setScaleUnit(corvanta::platform::ScaleUnit::Millimetre);
        canvas.box(10, 20, 60, 60);
        canvas.printLine("Martin Anne 03");
    }
    QString path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    CanvasPage canvas;
};

TEST_F(PictureFilesTest, NamesStayInsideTheExportFolder) {
    const std::pair<QString, QString> names[] = {
        {"Martin Anne 03.jpg", "Martin Anne 03.jpg"}, {"Dupont/Jean 03.bmp", "Dupont_Jean 03.bmp"},
        {"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"}, {"tab\there\r\n", "tab_here__"},
        {"../../etc/passwd", ".._.._etc_passwd"},     {"Lefèvre Zoé 12.jpg", "Lefèvre Zoé 12.jpg"},
    };
    for (const auto& [given, safe] : names) {
        EXPECT_EQ(fileInFolder(folder.path(), given), QDir(folder.path()).filePath(safe));
    }
    for (const QString& refused : {QString(".."), QString("."), QString()}) {
        try {
            fileInFolder(folder.path(), refused);
            ADD_FAILURE() << refused.toStdString();
        } catch (const corvanta::Error& error) {
            EXPECT_EQ(error.number(), 76);
        }
    }
    EXPECT_THROW(fileInFolder("  ", "x.jpg"), corvanta::Error) << "no export folder";
}

TEST_F(PictureFilesTest, PicturesAreWrittenWholeAndReplaceAnOlderFile) {
    const QImage& page = canvas.image();
    const QString bmp = path("Martin Anne 03.bmp");
    QFile old(bmp);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older file");
    old.close();

    writePicture(page, bmp, PictureFormat::Bmp);
    EXPECT_EQ(QFileInfo(bmp).size(), 941738);
    EXPECT_EQ(QImage(bmp).convertToFormat(QImage::Format_RGB32), page);

    const QString jpeg = path("Martin Anne 03.jpg");
    writePicture(page, jpeg, PictureFormat::Jpeg);
    QImageReader reader(jpeg);
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.read().size(), QSize(529, 593));

    try {
        writePicture(page, path("missing/x.jpg"), PictureFormat::Jpeg);
        ADD_FAILURE() << "a folder that does not exist";
    } catch (const corvanta::Error& error) {
        EXPECT_EQ(error.number(), 76);
        EXPECT_NE(std::string(error.what()).find("missing/x.jpg"), std::string::npos);
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Martin Anne 03.bmp", "Martin Anne 03.jpg"}));
    EXPECT_EQ(pictureExtension(PictureFormat::Jpeg), ".jpg");
}

TEST_F(PictureFilesTest, TheClipboardGivesThePictureBack) {
    putPictureOnClipboard(canvas.image());
    EXPECT_EQ(pictureOnClipboard().convertToFormat(QImage::Format_RGB32), canvas.image());
}

}  // namespace
