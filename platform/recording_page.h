#pragma once

#include <QSizeF>
#include <vector>

#include "platform/page.h"

namespace corvanta::platform {

// A page for tests: draws nothing and keeps every operation with the state after it.
// Its printable area is given in millimetres; its text metrics are fixed whatever the
// face, bold or italic: each character is 0.2 x size millimetres wide and a line is
// 0.5 x size millimetres high (4 mm at 8 points). Its device pixel is one millimetre.
class RecordingPage : public Page {
  public:
    struct Entry {
        PageOperation operation;
        PageState after;
    };

    explicit RecordingPage(QSizeF printableMillimetres,
                           const PageState& fresh = freshPrinterState());

    const std::vector<Entry>& entries() const { return entries_; }
    // The entries of one kind, in order.
    std::vector<Entry> entries(PageOperation::Kind kind) const;
    void clear() { entries_.clear(); }

  protected:
    double dotsPerInch() const override { return 25.4; }
    QSizeF printableMillimetres() const override { return size_; }
    double textWidthDots(const QString& text) const override;
    double lineHeightDots() const override;
    void drawText(double, double, const QString&) override {}
    void drawLine(double, double, double, double, const QColor&) override {}
    void drawBox(double, double, double, double, const QColor&,
                 const std::optional<QColor>&) override {}
    void drawPoint(double, double, const QColor&) override {}
    void drawPicture(double, double, double, double, const QImage&) override {}
    void finish() override {}
    void note(const PageOperation& operation) override;

  private:
    QSizeF size_;
    std::vector<Entry> entries_;
};

}  // namespace corvanta::platform
