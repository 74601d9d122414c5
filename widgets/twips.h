#pragma once

#include <QRect>
#include <QSize>

namespace corvanta {

// Window layouts are designed in twips, 15 to a pixel at 96 dots per inch; a length is
// rounded to the nearest pixel.
constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

constexpr QSize twipsSize(int width, int height) {
    return {twipsToPixels(width), twipsToPixels(height)};
}

// A rectangle given as left, top, width and height in twips.
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace corvanta
