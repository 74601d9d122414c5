#include "report_picture/canvas_page.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "platform/error.h"
#include "report/page_fonts.h"

namespace corvanta::report {

namespace {

constexpr double kSmallestPoints = 8;

platform::PageState freshCanvasState() {
    platform::PageState fresh;
    fresh.fontName = QStringLiteral("Liberation Sans");
    fresh.fontSize = 8;
    return fresh;
}

double drawnPoints(double points) {
    return std::max(points, kSmallestPoints);
}

}  // namespace

CanvasPage::CanvasPage()
    : PainterPage(freshCanvasState(), true), image_(kWidth, kHeight, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(std::lround(kDotsPerInch / 0.0254));
    image_.setDotsPerMeterX(dotsPerMetre);
    image_.setDotsPerMeterY(dotsPerMetre);
}

CanvasPage::~CanvasPage() {
    endPainting();
}

// Reading the picture ends the painting, so that the caller gets the finished pixels and
// copies of them stay apart from later drawing; the next operation paints on again.
const QImage& CanvasPage::image() {
    endPainting();
    return image_;
}

void CanvasPage::reopenPainter() {
    if (!rawPainter().begin(&image_)) {
        throw Error(482, "Page", "The export picture cannot be drawn on.");
    }
    rawPainter().setRenderHint(QPainter::Antialiasing, false);
    rawPainter().setRenderHint(QPainter::TextAntialiasing, true);
}

void CanvasPage::finish() {
    endPainting();
}

void CanvasPage::endPainting() {
    if (rawPainter().isActive()) {
        rawPainter().end();
    }
}

QSizeF CanvasPage::printableMillimetres() const {
    return {kWidth * 25.4 / kDotsPerInch, kHeight * 25.4 / kDotsPerInch};
}

QFont CanvasPage::fontFor(const platform::PageState& state) const {
    QFont font = pageFont(state);
    font.setPixelSize(static_cast<int>(std::lround(drawnPoints(state.fontSize) * 96 / 72)));
    return font;
}

double CanvasPage::textWidthDots(const QString& text) const {
    return QFontMetricsF(currentFont()).horizontalAdvance(text);
}

double CanvasPage::lineHeightDots() const {
    const double points = drawnPoints(state().fontSize);
    if (points == 8) {
        return 13;
    }
    if (points == 10) {
        return 16;
    }
    if (points == 12) {
        return 20;
    }
    return std::ceil(QFontMetricsF(currentFont()).height());
}

double CanvasPage::ascentDots() const {
    return QFontMetricsF(currentFont()).ascent();
}

}  // namespace corvanta::report
