#pragma once

#include <QWidget>

namespace corvanta {

// A fixed graduated scale drawn beside a curve view: numbered every 10 units, a tick
// every 2. Major ticks fall on the view's grid lines (the library spaces them by the
// integer step length / (maximum / 10)), so the numbers line up with the grid.
class ScalePicture : public QWidget {
  public:
    enum class Axis { Horizontal, Vertical };

    // `viewLength`: the view's width (horizontal) or height (vertical) in pixels;
    // `viewOffset`: where the view's 0 lies inside this widget along the axis.
    ScalePicture(Axis axis, int maximum, int viewLength, int viewOffset, QSize size,
                 QWidget* parent);

    // Position along the axis, inside this widget, of the tick for `value`.
    int tickPosition(int value) const;

    static constexpr int kTickStep = 2;
    static constexpr int kLabelStep = 10;
    static constexpr int kMajorTick = 6;
    static constexpr int kMinorTick = 3;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Axis axis_;
    int maximum_;
    int gridStep_;
    int viewOffset_;
};

}  // namespace corvanta
