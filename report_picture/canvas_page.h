#pragma once

#include <QImage>

#include "report/painter_page.h"

namespace corvanta::report {

// The export canvas: a white 529 x 593 picture at 96 dots per inch (1 mm = 96/25.4
// pixels) that report pages draw on with the page operations. Every point falls on the
// nearest whole pixel and lines are not smoothed, so a line stands on exactly the pixels
// its millimetres give. Fresh settings: twips, Liberation Sans 8 points regular, black,
// pen 1, transparent fill. Sizes under 8 points are drawn as large as 8; the line height
// is 13 pixels up to 8 points, 16 at 10 and 20 at 12 (the font's own height otherwise).
class CanvasPage : public PainterPage {
  public:
    static constexpr int kWidth = 529;
    static constexpr int kHeight = 593;
    static constexpr double kDotsPerInch = 96;

    CanvasPage();
    ~CanvasPage() override;

    // The picture as drawn so far.
    const QImage& image();

  protected:
    double dotsPerInch() const override { return kDotsPerInch; }
    QSizeF printableMillimetres() const override;
    double textWidthDots(const QString& text) const override;
    double lineHeightDots() const override;
    double ascentDots() const override;
    QFont fontFor(const platform::PageState& state) const override;
    void reopenPainter() override;
    void finish() override;

  private:
    void endPainting();

    QImage image_;
};

}  // namespace corvanta::report
