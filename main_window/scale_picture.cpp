#include "main_window/scale_picture.h"

#include <QPainter>

namespace corvanta {

ScalePicture::ScalePicture(Axis axis, int maximum, int viewLength, int viewOffset, QSize size,
                           QWidget* parent)
    : QWidget(parent),
      axis_(axis),
      maximum_(maximum),
      gridStep_(viewLength / (maximum / kLabelStep)),
      viewOffset_(viewOffset) {
    setFixedSize(size);
}

int ScalePicture::tickPosition(int value) const {
    return viewOffset_ + value * gridStep_ / kLabelStep;
}

void ScalePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(7);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font);
    for (int value = 0; value <= maximum_; value += kTickStep) {
        const bool major = value % kLabelStep == 0;
        const int length = major ? kMajorTick : kMinorTick;
        const int p = tickPosition(value);
        const QString number = QString::number(value);
        if (axis_ == Axis::Horizontal) {
            painter.drawLine(p, 0, p, length - 1);
            if (!major)
                continue;
            const QRect box(p - 20, length, 40, metrics.height());
            painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, number);
        } else {
            const int right = width() - 1;
            painter.drawLine(right - length + 1, p, right, p);
            if (!major)
                continue;
            const QRect box(0, p - metrics.height() / 2, right - length - 1, metrics.height());
            painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, number);
        }
    }
}

}  // namespace corvanta
