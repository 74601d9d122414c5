#pragma once

#include <QImage>

#include "curve_library/quorel32.h"

namespace corvanta {

// The curve library's view of a picture: the image's own pixels, drawn in place.
// The image must be Format_RGB32 and outlive the window description.
inline QuorelWindow quorelWindow(QImage& image) {
    return QuorelWindow{image.width(), image.height(),
                        static_cast<int32_t>(image.bytesPerLine() / 4),
                        reinterpret_cast<uint32_t*>(image.bits())};
}

}  // namespace corvanta
