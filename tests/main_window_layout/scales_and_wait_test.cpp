// The fixed scale pictures beside the live view, and the wait window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>

#include "main_window/attente.h"
#include "main_window/echo.h"
#include "main_window/scale_picture.h"
#include "tests/support/application_test.h"
#include "widgets/curve_view.h"

namespace corvanta {
namespace {

bool isInk(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

// Labelled ticks fall on the library's grid lines: the view width split by an integer
// step into 8 (depth, 10 mm each) and the height into 6 (level, 10 each).
TEST(ScalePictures, TicksEveryTwoAndNumbersOnTheGridLines) {
    test::Application();
    Etat_Application etat;
    Echo echo(etat);
    ScalePicture& depth = *echo.Picture3;
    ScalePicture& level = *echo.Picture4;
    const QPoint view = echo.Picture1->pos();
    for (int k = 0; k <= 8; ++k)
        EXPECT_EQ(depth.mapTo(echo.Frame1, QPoint(depth.tickPosition(10 * k), 0)).x(),
                  view.x() + k * (697 / 8));
    for (int k = 0; k <= 6; ++k)
        EXPECT_EQ(level.mapTo(echo.Frame1, QPoint(0, level.tickPosition(10 * k))).y(),
                  view.y() + k * (337 / 6));
    EXPECT_EQ(depth.mapTo(echo.Frame1, QPoint(0, 0)).y(), view.y() + 337) << "right under the view";
    EXPECT_EQ(level.mapTo(echo.Frame1, QPoint(level.width(), 0)).x(), view.x())
        << "right against the view";

    const QImage across = depth.grab().toImage();
    for (int mm = 0; mm <= 80; mm += 2) {
        const int x = depth.tickPosition(mm);
        EXPECT_TRUE(isInk(across, x, 0)) << mm << " mm";
        EXPECT_EQ(isInk(across, x, ScalePicture::kMinorTick + 1), mm % 10 == 0) << mm << " mm";
        if (mm < 80) {
            EXPECT_FALSE(isInk(across, x + 4, 0)) << "between " << mm << " and " << mm + 2;
        }
    }
    const QImage down = level.grab().toImage();
    const int edge = level.width() - 1;
    for (int value = 0; value <= 60; value += 2) {
        const int y = level.tickPosition(value);
        EXPECT_TRUE(isInk(down, edge, y)) << value;
        EXPECT_EQ(isInk(down, edge - ScalePicture::kMinorTick - 1, y), value % 10 == 0) << value;
        if (value < 60) {
            EXPECT_FALSE(isInk(down, edge, y + 4)) << "between " << value;
        }
    }
}

TEST(WaitWindow, IsAFixedWhiteWindowWithOnePictureAndNoCaption) {
    test::Application();
    Attente attente;
    attente.show();
    EXPECT_EQ(attente.size(), QSize(470, 253));
    EXPECT_EQ(attente.minimumSize(), attente.maximumSize());
    EXPECT_TRUE(attente.windowTitle().isEmpty());
    EXPECT_TRUE(attente.findChildren<QAbstractButton*>().isEmpty());
    EXPECT_EQ(attente.findChildren<QWidget*>().size(), 1);

    const QImage shown = attente.grab().toImage();
    for (QPoint corner : {QPoint(0, 0), QPoint(469, 0), QPoint(0, 252), QPoint(469, 252)})
        EXPECT_EQ(shown.pixel(corner), qRgb(255, 255, 255));
    int drawn = 0;
    for (int y = 0; y < shown.height(); y += 3)
        for (int x = 0; x < shown.width(); x += 3)
            drawn += shown.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(drawn, 500) << "the picture shows";
}

}  // namespace
}  // namespace corvanta
