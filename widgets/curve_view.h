#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace corvanta {

// A picture box the curve library draws into: a fixed-size widget that owns a
// Format_RGB32 image of exactly its own size and paints it. Black until drawn.
class CurveView : public QWidget {
  public:
    CurveView(QSize size, QWidget* parent);

    // The picture the library draws into; its size never changes.
    QImage& image() { return image_; }

    // Called at the start of every repaint so the owner can draw the picture afresh
    // into image(); it must only draw, not ask for another repaint.
    std::function<void()> paintRequested;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};

}  // namespace corvanta
