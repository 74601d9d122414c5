#pragma once

#include <QFont>
#include <QPainter>
#include <QPointF>

#include "platform/page.h"

namespace corvanta::report {

// The part of a page that paints with a QPainter on a device (the export canvas, the
// printer): texts placed by their top left corner, lines, boxes and points with the
// page's pen, fill and colours, pictures. What differs between devices (resolution,
// font sizes and metrics, pixel snapping, how a document starts and ends) is left to the
// device's own class.
class PainterPage : public platform::Page {
  public:
    ~PainterPage() override;

  protected:
    PainterPage(const platform::PageState& fresh, bool snapToPixels);

    // The painter, active on the device; reopenPainter() is asked when it is not.
    QPainter& painter();
    QPainter& rawPainter() { return painter_; }
    virtual void reopenPainter() = 0;

    // The font of state() as the device draws it, made again only when the state's font
    // changed; fontFor() gives it its size.
    const QFont& currentFont() const;
    virtual QFont fontFor(const platform::PageState& state) const = 0;
    // Distance from a text's top to its baseline, in device pixels.
    virtual double ascentDots() const = 0;

    void drawText(double x, double y, const QString& text) override;
    void drawLine(double x1, double y1, double x2, double y2, const QColor& colour) override;
    void drawBox(double x1, double y1, double x2, double y2, const QColor& outline,
                 const std::optional<QColor>& fill) override;
    void drawPoint(double x, double y, const QColor& colour) override;
    void drawPicture(double x, double y, double width, double height, const QImage& image) override;

  private:
    QPointF place(double x, double y) const;
    QPen pen(const QColor& colour) const;

    QPainter painter_;
    bool snap_;
    mutable QFont font_;
    mutable platform::PageState fontOf_;
    mutable bool fontMade_ = false;
};

}  // namespace corvanta::report
