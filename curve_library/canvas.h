#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "curve_library/quorel32.h"

namespace quorel {

// Off-screen picture of one drawing call, pixels 0xFFRRGGBB, starting black. Coordinates are 64-bit
// so that products of absurd caller values cannot wrap; every pixel is clipped to the picture, and
// to the columns that clip_columns keeps.
class Canvas {
  public:
    // The columns [left, right) of every row, in one colour from the start.
    struct Band {
        int64_t left;
        int64_t right;
    };

    // Off-screen; throws std::bad_alloc when there is no memory for it. The bands are
    // filled over the black, each row written once.
    Canvas(int32_t width, int32_t height, std::span<const Band> bands = {},
           uint32_t band_colour = 0);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

    // Until the next call, draws only in the columns [left, right) of the picture; the
    // whole width at the start.
    void clip_columns(int64_t left, int64_t right);

    // Right and bottom edges excluded; an empty or inverted rectangle fills nothing.
    void fill_rect(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t colour);

    void set_pen(uint32_t colour) { pen_ = colour; }
    void move_to(int64_t x, int64_t y);
    // Draws from the current position with the pen, end point excluded, and moves there.
    // The pixels are those of a Bresenham walk that steps both axes when its doubled error
    // allows each. Axis-aligned lines are clipped before they are drawn, so any length is
    // cheap; a slanted line is drawn run by run (the pixels it keeps on one row or column)
    // and stops where it leaves the picture, but one that starts far outside it walks its
    // runs up to the picture.
    void line_to(int64_t x, int64_t y);

    // Bitwise OR of a width x height block (rows of `width` pixels) into the picture with
    // its top-left corner at (left, top).
    void or_block(const uint32_t* block, int32_t width, int32_t height, int64_t left, int64_t top);

    // Plain copy of the whole picture to the window's top-left corner.
    void copy_to(QuorelWindow& window) const;

  private:
    uint32_t* at(int64_t x, int64_t y) const {
        return pixels_ + static_cast<std::ptrdiff_t>(y * stride_ + x);
    }
    void start(std::span<const Band> bands, uint32_t band_colour);
    // The pixels [from, to) of one row or one column, clipped.
    void row_run(int64_t y, int64_t from, int64_t to);
    void column_run(int64_t x, int64_t from, int64_t to);
    // Sets count pixels from the one at offset on, step apart; returns the offset after them.
    int64_t run(int64_t offset, int64_t count, int64_t step);
    void slanted_line(int64_t x0, int64_t y0, int64_t x1, int64_t y1);

    int32_t width_;
    int32_t height_;
    int64_t stride_;
    std::unique_ptr<uint32_t[]> owned_;
    uint32_t* pixels_;
    int64_t left_ = 0;
    int64_t right_ = width_;
    uint32_t pen_ = 0xFF000000u;
    int64_t x_ = 0;
    int64_t y_ = 0;
};

}  // namespace quorel
