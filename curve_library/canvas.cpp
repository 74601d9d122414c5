#include "curve_library/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace quorel {

namespace {

constexpr uint32_t kBlack = 0xFF000000u;

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

}  // namespace

Canvas::Canvas(int32_t width, int32_t height, std::span<const Band> bands, uint32_t band_colour)
    : width_(non_negative(width)),
      height_(non_negative(height)),
      stride_(width_),
      owned_(std::make_unique_for_overwrite<uint32_t[]>(static_cast<std::size_t>(width_) *
                                                        static_cast<std::size_t>(height_))),
      pixels_(owned_.get()) {
    start(bands, band_colour);
}

void Canvas::start(std::span<const Band> bands, uint32_t band_colour) {
    if (width_ == 0 || height_ == 0) {
        return;
    }
    fill_rect(0, 0, width_, 1, kBlack);
    for (const Band& band : bands) {
        fill_rect(band.left, 0, band.right, 1, band_colour);
    }
    const auto bytes = static_cast<std::size_t>(width_) * sizeof(uint32_t);
    for (int64_t y = 1; y < height_; ++y) {
        std::memcpy(at(0, y), pixels_, bytes);
    }
}

void Canvas::clip_columns(int64_t left, int64_t right) {
    left_ = std::max<int64_t>(left, 0);
    right_ = std::min<int64_t>(right, width_);
}

void Canvas::fill_rect(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t colour) {
    const int64_t x0 = std::max(left, left_);
    const int64_t y0 = std::max<int64_t>(top, 0);
    const int64_t x1 = std::min(right, right_);
    const int64_t y1 = std::min<int64_t>(bottom, height_);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    // One row filled pixel by pixel, the others copied from it: the copy moves whole
    // blocks at a time.
    const uint32_t* first = at(x0, y0);
    std::fill_n(at(x0, y0), x1 - x0, colour);
    const auto bytes = static_cast<std::size_t>(x1 - x0) * sizeof(uint32_t);
    for (int64_t y = y0 + 1; y < y1; ++y) {
        std::memcpy(at(x0, y), first, bytes);
    }
}

void Canvas::move_to(int64_t x, int64_t y) {
    x_ = x;
    y_ = y;
}

void Canvas::line_to(int64_t x, int64_t y) {
    const int64_t x0 = x_;
    const int64_t y0 = y_;
    move_to(x, y);
    if (y0 == y) {
        const auto [from, to] = clipped_run(x0, x, left_, right_);
        row_run(y0, from, to);
    } else if (x0 == x) {
        const auto [from, to] = clipped_run(y0, y, 0, height_);
        column_run(x0, from, to);
    } else {
        slanted_line(x0, y0, x, y);
    }
}

void Canvas::row_run(int64_t y, int64_t from, int64_t to) {
    if (y >= 0 && y < height_ && from < to) {
        std::fill_n(at(from, y), to - from, pen_);
    }
}

void Canvas::column_run(int64_t x, int64_t from, int64_t to) {
    if (x >= left_ && x < right_ && from < to) {
        run(from * stride_ + x, to - from, stride_);
    }
}

int64_t Canvas::run(int64_t offset, int64_t count, int64_t step) {
    // Locals: a store through the pixel pointer could otherwise be taken to change them.
    uint32_t* const pixels = pixels_;
    const uint32_t pen = pen_;
    for (; count >= 4; count -= 4, offset += 4 * step) {
        pixels[offset] = pen;
        pixels[offset + step] = pen;
        pixels[offset + 2 * step] = pen;
        pixels[offset + 3 * step] = pen;
    }
    for (; count > 0; --count, offset += step) {
        pixels[offset] = pen;
    }
    return offset;
}

namespace {

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

}  // namespace

void Canvas::slanted_line(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const bool x_major = std::llabs(x1 - x0) >= std::llabs(y1 - y0);
    const int64_t a1 = x_major ? x1 : y1;
    const int64_t b1 = x_major ? y1 : x1;
    int64_t a = x_major ? x0 : y0;
    int64_t b = x_major ? y0 : x0;
    const int64_t major = std::llabs(a1 - a);
    const int64_t minor = std::llabs(b1 - b);
    const int64_t step_a = a < a1 ? 1 : -1;
    const int64_t step_b = b < b1 ? 1 : -1;
    const auto inside = [this](int64_t x, int64_t y) {
        return x >= left_ && y >= 0 && x < right_ && y < height_;
    };
    if (inside(x0, y0) && inside(x1, y1)) {
        // Every pixel lies in the box of the two ends: no clipping at all.
        const int64_t along = x_major ? step_a : step_a * stride_;
        const int64_t across = x_major ? step_b * stride_ : step_b;
        int64_t offset = y0 * stride_ + x0;
        for_each_run(major, minor, [&](int64_t length) {
            offset = run(offset, length, along) + across;
            return true;
        });
        return;
    }
    const int64_t low_a = x_major ? left_ : 0;
    const int64_t high_a = x_major ? right_ : height_;
    const int64_t low_b = x_major ? 0 : left_;
    const int64_t high_b = x_major ? height_ : right_;
    for_each_run(major, minor, [&](int64_t length) {
        const auto [from, to] = clipped_run(a, a + step_a * length, low_a, high_a);
        if (x_major) {
            row_run(b, from, to);
        } else {
            column_run(b, from, to);
        }
        a += step_a * length;
        b += step_b;
        return !walked_out(a, step_a, low_a, high_a) && !walked_out(b, step_b, low_b, high_b);
    });
}

void Canvas::or_block(const uint32_t* block, int32_t width, int32_t height, int64_t left,
                      int64_t top) {
    const int64_t col0 = std::max<int64_t>(0, left_ - left);
    const int64_t col1 = std::min<int64_t>(width, right_ - left);
    const int64_t row0 = std::max<int64_t>(0, -top);
    const int64_t row1 = std::min<int64_t>(height, height_ - top);
    for (int64_t row = row0; row < row1; ++row) {
        const uint32_t* source = block + row * width + col0;
        uint32_t* target = at(left + col0, top + row);
        for (int64_t col = col0; col < col1; ++col) {
            *target++ |= *source++;
        }
    }
}

void Canvas::copy_to(QuorelWindow& window) const {
    for (int32_t y = 0; y < height_; ++y) {
        std::memcpy(
            window.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(window.stride),
            at(0, y), static_cast<std::size_t>(width_) * sizeof(uint32_t));
    }
}

}  // namespace quorel
