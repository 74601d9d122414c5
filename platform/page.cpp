#include "platform/page.h"

#include <algorithm>
#include <cmath>

#include "platform/error.h"

namespace corvanta::platform {

namespace {

constexpr int kPrinterError = 482;
constexpr double kMillimetresPerInch = 25.4;

double unitsPerInch(ScaleUnit unit) {
    return unit == ScaleUnit::Twip ? 1440.0 : kMillimetresPerInch;
}

double fromMillimetres(double millimetres, ScaleUnit unit) {
    return unit == ScaleUnit::Millimetre ? millimetres
                                         : millimetres * unitsPerInch(unit) / kMillimetresPerInch;
}

}  // namespace

PageState freshPrinterState() {
    PageState fresh;
    fresh.fontName = QStringLiteral("Arial");
    fresh.fontSize = 10;
    return fresh;
}

Page::Page(const PageState& fresh) : state_(fresh) {}

Page::~Page() = default;

void Page::note(const PageOperation&) {}

QString Page::numberText(int value) {
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) +
           QString::number(std::abs(static_cast<long long>(value))) + u' ';
}

double Page::dots(double units) const {
    return units * dotsPerInch() / unitsPerInch(state_.unit);
}

double Page::units(double dots) const {
    return dots * unitsPerInch(state_.unit) / dotsPerInch();
}

void Page::ensureOpen() const {
    if (ended_) {
        throw Error(kPrinterError, "Page", "The document is already ended.");
    }
}

void Page::done(PageOperation::Kind kind, std::array<double, 4> numbers, const QString& text,
                std::optional<QColor> colour) {
    note(PageOperation{kind, numbers, text, std::move(colour)});
}

void Page::setScaleUnit(ScaleUnit unit) {
    ensureOpen();
    const double scale = unitsPerInch(unit) / unitsPerInch(state_.unit);
    state_.x *= scale;
    state_.y *= scale;
    state_.unit = unit;
    done(PageOperation::Kind::ScaleUnit, {unit == ScaleUnit::Twip ? 0.0 : 1.0});
}

double Page::scaleWidth() const {
    return fromMillimetres(printableMillimetres().width(), state_.unit);
}

double Page::scaleHeight() const {
    return fromMillimetres(printableMillimetres().height(), state_.unit);
}

void Page::setCurrentX(double x) {
    ensureOpen();
    state_.x = x;
    done(PageOperation::Kind::CurrentX, {x});
}

void Page::setCurrentY(double y) {
    ensureOpen();
    state_.y = y;
    done(PageOperation::Kind::CurrentY, {y});
}

void Page::setFontName(const QString& name) {
    ensureOpen();
    state_.fontName = name;
    done(PageOperation::Kind::FontName, {}, name);
}

void Page::setFontSize(double points) {
    ensureOpen();
    state_.fontSize = points;
    done(PageOperation::Kind::FontSize, {points});
}

void Page::setBold(bool bold) {
    ensureOpen();
    state_.bold = bold;
    done(PageOperation::Kind::Bold, {bold ? 1.0 : 0.0});
}

void Page::setItalic(bool italic) {
    ensureOpen();
    state_.italic = italic;
    done(PageOperation::Kind::Italic, {italic ? 1.0 : 0.0});
}

void Page::setFontStretch(int percent) {
    ensureOpen();
    state_.fontStretch = std::clamp(percent, 1, 400);
    done(PageOperation::Kind::FontStretch, {static_cast<double>(state_.fontStretch)});
}

void Page::setForeColor(const QColor& colour) {
    ensureOpen();
    state_.foreColor = colour;
    done(PageOperation::Kind::ForeColor, {}, QString(), colour);
}

void Page::setLineWidth(int pixels) {
    ensureOpen();
    state_.lineWidth = std::max(1, pixels);
    done(PageOperation::Kind::LineWidth, {static_cast<double>(state_.lineWidth)});
}

void Page::setLineStyle(LineStyle style) {
    ensureOpen();
    state_.lineStyle = style;
    done(PageOperation::Kind::LineStyle, {static_cast<double>(style)});
}

void Page::setFillStyle(FillStyle style) {
    ensureOpen();
    state_.fillStyle = style;
    done(PageOperation::Kind::FillStyle, {static_cast<double>(style)});
}

void Page::setFillColor(const QColor& colour) {
    ensureOpen();
    state_.fillColor = colour;
    done(PageOperation::Kind::FillColor, {}, QString(), colour);
}

double Page::textWidth(const QString& text) const {
    return units(textWidthDots(text));
}

double Page::textHeight(const QString&) const {
    return units(lineHeightDots());
}

void Page::printText(const QString& text, bool endLine) {
    ensureOpen();
    drawText(dots(state_.x), dots(state_.y), text);
    if (endLine) {
        state_.x = 0;
        state_.y += textHeight(text);
    } else {
        state_.x += textWidth(text);
    }
    done(endLine ? PageOperation::Kind::PrintLine : PageOperation::Kind::PrintOnLine, {}, text);
}

void Page::printLine(const QString& text) {
    printText(text, true);
}

void Page::printOnLine(const QString& text) {
    printText(text, false);
}

void Page::printNumber(int value) {
    printText(numberText(value), false);
}

void Page::emptyLine() {
    ensureOpen();
    state_.x = 0;
    state_.y += units(lineHeightDots());
    done(PageOperation::Kind::EmptyLine);
}

void Page::drawSegment(double x1, double y1, double x2, double y2, const QColor& colour,
                       PageOperation::Kind kind, std::optional<QColor> given) {
    ensureOpen();
    drawLine(dots(x1), dots(y1), dots(x2), dots(y2), colour);
    state_.x = x2;
    state_.y = y2;
    done(kind, {x1, y1, x2, y2}, QString(), std::move(given));
}

void Page::line(double x1, double y1, double x2, double y2) {
    drawSegment(x1, y1, x2, y2, state_.foreColor, PageOperation::Kind::Line, std::nullopt);
}

void Page::line(double x1, double y1, double x2, double y2, const QColor& colour) {
    drawSegment(x1, y1, x2, y2, colour, PageOperation::Kind::Line, colour);
}

void Page::lineTo(double x2, double y2) {
    drawSegment(state_.x, state_.y, x2, y2, state_.foreColor, PageOperation::Kind::LineTo,
                std::nullopt);
}

void Page::lineTo(double x2, double y2, const QColor& colour) {
    drawSegment(state_.x, state_.y, x2, y2, colour, PageOperation::Kind::LineTo, colour);
}

void Page::box(double x1, double y1, double x2, double y2) {
    ensureOpen();
    std::optional<QColor> fill;
    if (state_.fillStyle == FillStyle::Solid) {
        fill = state_.fillColor;
    }
    drawBox(dots(x1), dots(y1), dots(x2), dots(y2), state_.foreColor, fill);
    state_.x = x2;
    state_.y = y2;
    done(PageOperation::Kind::Box, {x1, y1, x2, y2});
}

void Page::filledBox(double x1, double y1, double x2, double y2, const QColor& colour) {
    ensureOpen();
    drawBox(dots(x1), dots(y1), dots(x2), dots(y2), colour, colour);
    state_.x = x2;
    state_.y = y2;
    done(PageOperation::Kind::FilledBox, {x1, y1, x2, y2}, QString(), colour);
}

void Page::dot(double x, double y, const QColor& colour, std::optional<QColor> given) {
    ensureOpen();
    drawPoint(dots(x), dots(y), colour);
    state_.x = x;
    state_.y = y;
    done(PageOperation::Kind::Point, {x, y}, QString(), std::move(given));
}

void Page::point(double x, double y) {
    dot(x, y, state_.foreColor, std::nullopt);
}

void Page::point(double x, double y, const QColor& colour) {
    dot(x, y, colour, colour);
}

void Page::picture(const QImage& image, double x, double y) {
    ensureOpen();
    const double metres = 0.0254;
    const double ownDpi =
        image.dotsPerMeterX() > 0 ? std::round(image.dotsPerMeterX() * metres) : 96.0;
    const double scale = dotsPerInch() / ownDpi;
    drawPicture(dots(x), dots(y), image.width() * scale, image.height() * scale, image);
    done(PageOperation::Kind::Picture,
         {x, y, static_cast<double>(image.width()), static_cast<double>(image.height())});
}

void Page::endDocument() {
    ensureOpen();
    finish();
    ended_ = true;
    done(PageOperation::Kind::EndDocument);
}

}  // namespace corvanta::platform
