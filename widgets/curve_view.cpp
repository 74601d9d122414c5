#include "widgets/curve_view.h"

#include <QPainter>

namespace corvanta {

CurveView::CurveView(QSize size, QWidget* parent)
    : QWidget(parent), image_(size, QImage::Format_RGB32) {
    image_.fill(Qt::black);
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CurveView::paintEvent(QPaintEvent*) {
    if (paintRequested)
        paintRequested();
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

}  // namespace corvanta
