#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "curve_library/quorel32.h"

namespace quorel {

// Off-screen picture of one drawing call, pixels 0xFFRRGGBB, starting black. Coordinates are 64-bit
// so that products of absurd caller values cannot wrap; every pixel is clipped to the picture. The
// picture is held column by column: most pixels of a curve lie in vertical runs, which are then
// contiguous; the copy to the window turns it.
class Canvas {
  public:
    // The columns [left, right) of every row, in one colour from the start.
    struct Band {
        int64_t left;
        int64_t right;
    };

    // Off-screen; throws std::bad_alloc when there is no memory for it. Each column is
    // written once, in the colour of the bands if one holds it, else black.
    Canvas(int32_t width, int32_t height, std::span<const Band> bands = {},
           uint32_t band_colour = 0);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

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
    // move_to the first point, then line_to each of the others in turn.
    void polyline(const int64_t* x, const int64_t* y, std::size_t count);

    // Bitwise OR of a width x height block (rows of `width` pixels) into the picture with
    // its top-left corner at (left, top).
    void or_block(const uint32_t* block, int32_t width, int32_t height, int64_t left, int64_t top);

    // The whole picture to the window's top-left corner, row by row.
    void copy_to(QuorelWindow& window) const;

  private:
    uint32_t* at(int64_t x, int64_t y) const {
        return pixels_ + static_cast<std::ptrdiff_t>(x * column_ + y);
    }
    void start(std::span<const Band> bands, uint32_t band_colour);
    // The pixels [from, to) of one row or one column, clipped.
    void row_run(int64_t y, int64_t from, int64_t to);
    void column_run(int64_t x, int64_t from, int64_t to);
    void line(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
    void slanted_line(int64_t x0, int64_t y0, int64_t x1, int64_t y1);

    int32_t width_;
    int32_t height_;
    // Pixels from one column to the next: the height rounded up to whole groups of four,
    // so that every column starts on a group.
    int64_t column_;
    std::unique_ptr<uint32_t[]> owned_;
    uint32_t* pixels_;
    uint32_t pen_ = 0xFF000000u;
    int64_t x_ = 0;
    int64_t y_ = 0;
};

}  // namespace quorel
