#include "curve_library/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "curve_library/column_copy.h"

namespace quorel {

namespace {

constexpr uint32_t kBlack = 0xFF000000u;

// Four and eight pixels in one vector: a processor without 256-bit vectors sets the eight
// as two fours. Eight are never passed by value: a function built without AVX would expect
// them elsewhere than one built with it.
using Quad = uint32_t __attribute__((vector_size(4 * sizeof(uint32_t))));
using Octet = uint32_t __attribute__((vector_size(8 * sizeof(uint32_t))));

[[gnu::always_inline]] inline void set_four(uint32_t* to, uint32_t colour) {
    const Quad quad = {colour, colour, colour, colour};
    std::memcpy(to, &quad, sizeof quad);
}

[[gnu::always_inline]] inline void set_eight(uint32_t* to, uint32_t colour) {
    const Octet octet = {colour, colour, colour, colour, colour, colour, colour, colour};
    std::memcpy(to, &octet, sizeof octet);
}

// Sets count contiguous pixels, eight at a time; the last stores may overlap the ones
// before them, so that no run ends pixel by pixel.
[[gnu::always_inline]] inline void fill(uint32_t* pixels, int64_t count, uint32_t colour) {
    if (count >= 32) {
        uint32_t* const last = pixels + count - 32;
        for (; pixels < last; pixels += 32) {
            set_eight(pixels, colour);
            set_eight(pixels + 8, colour);
            set_eight(pixels + 16, colour);
            set_eight(pixels + 24, colour);
        }
        set_eight(last, colour);
        set_eight(last + 8, colour);
        set_eight(last + 16, colour);
        set_eight(last + 24, colour);
    } else if (count >= 16) {
        set_eight(pixels, colour);
        set_eight(pixels + 8, colour);
        set_eight(pixels + count - 16, colour);
        set_eight(pixels + count - 8, colour);
    } else if (count >= 8) {
        set_eight(pixels, colour);
        set_eight(pixels + count - 8, colour);
    } else if (count >= 4) {
        set_four(pixels, colour);
        set_four(pixels + count - 4, colour);
    } else {
        for (int64_t i = 0; i < count; ++i) {
            pixels[i] = colour;
        }
    }
}

// Sets count pixels step apart from the first on; returns the pixel after them.
inline uint32_t* strided_run(uint32_t* pixel, int64_t count, int64_t step, uint32_t colour) {
    for (; count >= 4; count -= 4, pixel += 4 * step) {
        pixel[0] = colour;
        pixel[step] = colour;
        pixel[2 * step] = colour;
        pixel[3 * step] = colour;
    }
    for (; count > 0; --count, pixel += step) {
        *pixel = colour;
    }
    return pixel;
}

int32_t non_negative(int32_t v) {
    return v > 0 ? v : 0;
}

// The pixels of a run along one axis from start towards end, start included and end
// excluded whichever the direction, as a range [from, to) clipped to [low, high).
std::pair<int64_t, int64_t> clipped_run(int64_t start, int64_t end, int64_t low, int64_t high) {
    const int64_t first = start <= end ? start : end + 1;
    const int64_t last = start <= end ? end : start + 1;
    return {std::max(first, low), std::min(last, high)};
}

// A position walked by steps of +1 or -1 that has left [low, high) on the side it walks
// to never comes back into it.
bool walked_out(int64_t position, int64_t step, int64_t low, int64_t high) {
    return step > 0 ? position >= high : position < low;
}

// The walk steps its major axis (the longer one, x on a tie) at every pixel and its minor
// axis after the pixels whose doubled error is at most the major length; the error starts
// at major - minor, loses minor at each major step and gains major at each minor step. A
// run of pixels on one minor coordinate therefore ends at the first pixel whose error has
// fallen to half the major length, which a division finds at once. Calls each(length) for
// the runs in order while it returns true.
template <typename Each>
void for_each_run(int64_t major, int64_t minor, Each each) {
    const int64_t half = major / 2;
    int64_t err = major - minor;
    for (int64_t left = major; left > 0;) {
        const int64_t before_step = err <= half ? 0 : (err - half + minor - 1) / minor;
        const int64_t length = std::min(before_step + 1, left);
        if (!each(length)) {
            return;
        }
        left -= length;
        err += major - length * minor;
    }
}

// What a walk writes with, held in registers for the whole walk.
struct Pen {
    uint32_t* pixels;
    int64_t column;
    int64_t width;
    uint32_t colour;
};

// A line with more rows than columns whose rows all lie in the picture: one run down or up
// each column it crosses, kept where the column is. Each direction has a loop of its own:
// the runs are short and many.
template <bool kDown, bool kLeftward>
void walk_columns(const Pen& pen, int64_t x, int64_t y, int64_t rows, int64_t columns) {
    for_each_run(rows, columns, [&](int64_t length) {
        if (x >= 0 && x < pen.width) {
            fill(pen.pixels + x * pen.column + (kDown ? y : y - length + 1), length, pen.colour);
        }
        y += kDown ? length : -length;
        x += kLeftward ? -1 : 1;
        return kLeftward ? x >= 0 : x < pen.width;
    });
}

void vertical_runs(const Pen& pen, int64_t x0, int64_t y0, int64_t dx, int64_t dy) {
    const int64_t rows = std::llabs(dy);
    const int64_t columns = std::llabs(dx);
    if (dy > 0) {
        dx > 0 ? walk_columns<true, false>(pen, x0, y0, rows, columns)
               : walk_columns<true, true>(pen, x0, y0, rows, columns);
    } else {
        dx > 0 ? walk_columns<false, false>(pen, x0, y0, rows, columns)
               : walk_columns<false, true>(pen, x0, y0, rows, columns);
    }
}

// A line with at least as many columns as rows, its rows all in the picture: one run along
// each row it crosses, clipped to the kept columns.
void horizontal_runs(const Pen& pen, int64_t x0, int64_t y0, int64_t dx, int64_t dy) {
    const int64_t step_x = dx > 0 ? 1 : -1;
    const int64_t step_y = dy > 0 ? 1 : -1;
    int64_t x = x0;
    int64_t y = y0;
    for_each_run(std::llabs(dx), std::llabs(dy), [&](int64_t length) {
        const auto [from, to] = clipped_run(x, x + step_x * length, 0, pen.width);
        if (from < to) {
            strided_run(pen.pixels + from * pen.column + y, to - from, pen.column, pen.colour);
        }
        x += step_x * length;
        y += step_y;
        return !walked_out(x, step_x, 0, pen.width);
    });
}

}  // namespace

Canvas::Canvas(int32_t width, int32_t height, std::span<const Band> bands, uint32_t band_colour)
    : width_(non_negative(width)),
      height_(non_negative(height)),
      column_((int64_t{height_} + 3) / 4 * 4),
      owned_(std::make_unique_for_overwrite<uint32_t[]>(static_cast<std::size_t>(width_) *
                                                        static_cast<std::size_t>(column_))),
      pixels_(owned_.get()) {
    start(bands, band_colour);
}

__attribute__((target_clones("avx2", "default"))) void Canvas::start(std::span<const Band> bands,
                                                                     uint32_t band_colour) {
    if (width_ == 0 || height_ == 0) {
        return;
    }
    // Columns are contiguous: each stretch of columns of one colour is one fill.
    int64_t x = 0;
    while (x < width_) {
        const auto in_band = [&](int64_t column) {
            return std::any_of(bands.begin(), bands.end(), [column](const Band& band) {
                return column >= band.left && column < band.right;
            });
        };
        const bool banded = in_band(x);
        int64_t end = x + 1;
        while (end < width_ && in_band(end) == banded) {
            ++end;
        }
        fill(at(x, 0), (end - x) * column_, banded ? band_colour : kBlack);
        x = end;
    }
}

void Canvas::fill_rect(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t colour) {
    const int64_t x0 = std::max<int64_t>(left, 0);
    const int64_t y0 = std::max<int64_t>(top, 0);
    const int64_t x1 = std::min<int64_t>(right, width_);
    const int64_t y1 = std::min<int64_t>(bottom, height_);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    for (int64_t x = x0; x < x1; ++x) {
        fill(at(x, y0), y1 - y0, colour);
    }
}

void Canvas::move_to(int64_t x, int64_t y) {
    x_ = x;
    y_ = y;
}

void Canvas::line_to(int64_t x, int64_t y) {
    line(x_, y_, x, y);
    move_to(x, y);
}

void Canvas::polyline(const int64_t* x, const int64_t* y, std::size_t count) {
    if (count == 0) {
        return;
    }
    const Pen pen{pixels_, column_, width_, pen_};
    const auto height = static_cast<uint64_t>(height_);
    for (std::size_t i = 1; i < count; ++i) {
        const int64_t dx = x[i] - x[i - 1];
        const int64_t dy = y[i] - y[i - 1];
        // A curve's usual segment, steep and within the rows, walked at once.
        if (dx != 0 && std::llabs(dy) > std::llabs(dx) &&
            static_cast<uint64_t>(y[i - 1]) < height && static_cast<uint64_t>(y[i]) < height) {
            vertical_runs(pen, x[i - 1], y[i - 1], dx, dy);
        } else {
            line(x[i - 1], y[i - 1], x[i], y[i]);
        }
    }
    move_to(x[count - 1], y[count - 1]);
}

void Canvas::line(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    if (y0 == y1) {
        const auto [from, to] = clipped_run(x0, x1, 0, width_);
        row_run(y0, from, to);
    } else if (x0 == x1) {
        const auto [from, to] = clipped_run(y0, y1, 0, height_);
        column_run(x0, from, to);
    } else {
        slanted_line(x0, y0, x1, y1);
    }
}

void Canvas::row_run(int64_t y, int64_t from, int64_t to) {
    if (y >= 0 && y < height_ && from < to) {
        strided_run(at(from, y), to - from, column_, pen_);
    }
}

void Canvas::column_run(int64_t x, int64_t from, int64_t to) {
    if (x >= 0 && x < width_ && from < to) {
        fill(at(x, from), to - from, pen_);
    }
}

void Canvas::slanted_line(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const int64_t dx = x1 - x0;
    const int64_t dy = y1 - y0;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const auto height = static_cast<uint64_t>(height_);
    if (static_cast<uint64_t>(y0) < height && static_cast<uint64_t>(y1) < height) {
        // Every row lies between the two ends, inside the picture: only columns are clipped,
        // run by run.
        const Pen pen{pixels_, column_, width_, pen_};
        if (x_major) {
            horizontal_runs(pen, x0, y0, dx, dy);
        } else {
            vertical_runs(pen, x0, y0, dx, dy);
        }
        return;
    }
    const int64_t a1 = x_major ? x1 : y1;
    const int64_t b1 = x_major ? y1 : x1;
    int64_t a = x_major ? x0 : y0;
    int64_t b = x_major ? y0 : x0;
    const int64_t major = std::llabs(a1 - a);
    const int64_t minor = std::llabs(b1 - b);
    const int64_t step_a = a < a1 ? 1 : -1;
    const int64_t step_b = b < b1 ? 1 : -1;
    const int64_t high_a = x_major ? width_ : height_;
    const int64_t high_b = x_major ? height_ : width_;
    for_each_run(major, minor, [&](int64_t length) {
        const auto [from, to] = clipped_run(a, a + step_a * length, 0, high_a);
        if (x_major) {
            row_run(b, from, to);
        } else {
            column_run(b, from, to);
        }
        a += step_a * length;
        b += step_b;
        return !walked_out(a, step_a, 0, high_a) && !walked_out(b, step_b, 0, high_b);
    });
}

void Canvas::or_block(const uint32_t* block, int32_t width, int32_t height, int64_t left,
                      int64_t top) {
    const int64_t col0 = std::max<int64_t>(0, -left);
    const int64_t col1 = std::min<int64_t>(width, width_ - left);
    const int64_t row0 = std::max<int64_t>(0, -top);
    const int64_t row1 = std::min<int64_t>(height, height_ - top);
    for (int64_t col = col0; col < col1; ++col) {
        uint32_t* target = at(left + col, top + row0);
        for (int64_t row = row0; row < row1; ++row) {
            *target++ |= block[row * width + col];
        }
    }
}

void Canvas::copy_to(QuorelWindow& window) const {
    copy_columns_to_rows(pixels_, column_, width_, height_, window.pixels, window.stride);
}

}  // namespace quorel
