#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "curve_library/quorel32.h"

namespace quorel {

// Off-screen picture of one drawing call, pixels 0xFFRRGGBB, starting black. Coordinates
// are 64-bit so that products of absurd caller values cannot wrap; every pixel is clipped
// to the picture.
class Canvas {
  public:
    Canvas(int32_t width, int32_t height);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

    // Right and bottom edges excluded; an empty or inverted rectangle fills nothing.
    void fill_rect(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t colour);

    void set_pen(uint32_t colour) { pen_ = colour; }
    void move_to(int64_t x, int64_t y);
    // Draws from the current position with the pen, end point excluded, and moves there.
    // Axis-aligned lines are clipped before they are walked, so any length is cheap;
    // slanted lines are walked pixel by pixel and should stay near the picture.
    void line_to(int64_t x, int64_t y);

    // Bitwise OR of a width x height block (rows of `width` pixels) into the picture with
    // its top-left corner at (left, top).
    void or_block(const uint32_t* block, int32_t width, int32_t height, int64_t left, int64_t top);

    // Plain copy of the whole picture to the window's top-left corner.
    void copy_to(QuorelWindow& window) const;

  private:
    std::size_t offset(int64_t x, int64_t y) const {
        return static_cast<std::size_t>(y * width_ + x);
    }
    bool inside(int64_t x, int64_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }
    void plot(int64_t x, int64_t y) {
        if (inside(x, y)) {
            pixels_[offset(x, y)] = pen_;
        }
    }

    int32_t width_;
    int32_t height_;
    std::vector<uint32_t> pixels_;
    uint32_t pen_ = 0xFF000000u;
    int64_t x_ = 0;
    int64_t y_ = 0;
};

}  // namespace quorel
