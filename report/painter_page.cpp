#include "report/painter_page.h"

#include <QPen>
#include <cmath>

namespace corvanta::report {

namespace {

Qt::PenStyle penStyle(platform::LineStyle style) {
    switch (style) {
        case platform::LineStyle::Dash:
            return Qt::DashLine;
        case platform::LineStyle::Dot:
            return Qt::DotLine;
        case platform::LineStyle::Solid:
            break;
    }
    return Qt::SolidLine;
}

}  // namespace

PainterPage::PainterPage(const platform::PageState& fresh, bool snapToPixels)
    : Page(fresh), snap_(snapToPixels) {}

PainterPage::~PainterPage() = default;

QPainter& PainterPage::painter() {
    if (!painter_.isActive()) {
        reopenPainter();
    }
    return painter_;
}

const QFont& PainterPage::currentFont() const {
    const platform::PageState& s = state();
    if (!fontMade_ || s.fontName != fontOf_.fontName || s.fontSize != fontOf_.fontSize ||
        s.bold != fontOf_.bold || s.italic != fontOf_.italic ||
        s.fontStretch != fontOf_.fontStretch) {
        font_ = fontFor(s);
        fontOf_ = s;
        fontMade_ = true;
    }
    return font_;
}

// A snapping device puts every point on the nearest whole pixel, as a raster canvas
// addresses pixels; a printer keeps the exact position.
QPointF PainterPage::place(double x, double y) const {
    if (!snap_) {
        return {x, y};
    }
    return {std::floor(x + 0.5), std::floor(y + 0.5)};
}

QPen PainterPage::pen(const QColor& colour) const {
    QPen p(colour, state().lineWidth, penStyle(state().lineStyle), Qt::RoundCap, Qt::RoundJoin);
    return p;
}

void PainterPage::drawText(double x, double y, const QString& text) {
    QPainter& p = painter();
    p.setFont(currentFont());
    p.setPen(state().foreColor);
    const QPointF top = place(x, y);
    p.drawText(QPointF(top.x(), top.y() + ascentDots()), text);
}

void PainterPage::drawLine(double x1, double y1, double x2, double y2, const QColor& colour) {
    QPainter& p = painter();
    p.setPen(pen(colour));
    p.drawLine(place(x1, y1), place(x2, y2));
}

void PainterPage::drawBox(double x1, double y1, double x2, double y2, const QColor& outline,
                          const std::optional<QColor>& fill) {
    QPainter& p = painter();
    const QRectF corners = QRectF(place(x1, y1), place(x2, y2)).normalized();
    if (fill) {
        p.fillRect(corners, *fill);
    }
    p.setPen(pen(outline));
    p.setBrush(Qt::NoBrush);
    p.drawRect(corners);
}

void PainterPage::drawPoint(double x, double y, const QColor& colour) {
    QPainter& p = painter();
    p.setPen(pen(colour));
    p.drawPoint(place(x, y));
}

void PainterPage::drawPicture(double x, double y, double width, double height,
                              const QImage& image) {
    painter().drawImage(QRectF(place(x, y), QSizeF(width, height)), image);
}

}  // namespace corvanta::report
