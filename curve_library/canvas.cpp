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
// excluded whichever the direction, as a range [from, to) clipped to 0..limit.
std::pair<int64_t, int64_t> clipped_run(int64_t start, int64_t end, int64_t limit) {
    const int64_t low = start <= end ? start : end + 1;
    const int64_t high = start <= end ? end : start + 1;
    return {std::max<int64_t>(low, 0), std::min<int64_t>(high, limit)};
}

}  // namespace

Canvas::Canvas(int32_t width, int32_t height)
    : width_(non_negative(width)),
      height_(non_negative(height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kBlack) {}

void Canvas::fill_rect(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t colour) {
    const int64_t x0 = std::max<int64_t>(left, 0);
    const int64_t y0 = std::max<int64_t>(top, 0);
    const int64_t x1 = std::min<int64_t>(right, width_);
    const int64_t y1 = std::min<int64_t>(bottom, height_);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    for (int64_t y = y0; y < y1; ++y) {
        std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(offset(x0, y)), x1 - x0, colour);
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
        if (y0 >= 0 && y0 < height_) {
            const auto [from, to] = clipped_run(x0, x, width_);
            for (int64_t px = from; px < to; ++px) {
                plot(px, y0);
            }
        }
        return;
    }
    if (x0 == x) {
        if (x0 >= 0 && x0 < width_) {
            const auto [from, to] = clipped_run(y0, y, height_);
            for (int64_t py = from; py < to; ++py) {
                plot(x0, py);
            }
        }
        return;
    }
    const int64_t dx = std::llabs(x - x0);
    const int64_t dy = -std::llabs(y - y0);
    const int64_t sx = x0 < x ? 1 : -1;
    const int64_t sy = y0 < y ? 1 : -1;
    int64_t err = dx + dy;
    int64_t px = x0;
    int64_t py = y0;
    while (px != x || py != y) {
        plot(px, py);
        const int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            px += sx;
        }
        if (e2 <= dx) {
            err += dx;
            py += sy;
        }
    }
}

void Canvas::or_block(const uint32_t* block, int32_t width, int32_t height, int64_t left,
                      int64_t top) {
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t col = 0; col < width; ++col) {
            const int64_t x = left + col;
            const int64_t y = top + row;
            if (inside(x, y)) {
                pixels_[offset(x, y)] |= block[row * width + col];
            }
        }
    }
}

void Canvas::copy_to(QuorelWindow& window) const {
    for (int32_t y = 0; y < height_; ++y) {
        std::memcpy(
            window.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(window.stride),
            pixels_.data() + offset(0, y), static_cast<std::size_t>(width_) * sizeof(uint32_t));
    }
}

}  // namespace quorel
