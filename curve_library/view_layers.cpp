#include "curve_library/view_layers.h"

#include <algorithm>
#include <array>

#include "curve_library/markers.h"
#include "curve_library/sample_count.h"

namespace quorel {

namespace {

constexpr int64_t kSpanMillimetres = 80;
constexpr int64_t kSamplesPerMillimetre = 5;

void draw_vertical(Canvas& canvas, int64_t x) {
    canvas.move_to(x, canvas.height());
    canvas.line_to(x, 0);
}

}  // namespace

bool window_drawable(const QuorelWindow& window) {
    return window.pixels != nullptr && window.width > 0 && window.height > 0 &&
           window.stride >= window.width;
}

bool window_valid(const QuorelWindow* window) {
    if (window == nullptr) {
        return false;
    }
    const bool empty = window->width <= 0 || window->height <= 0;
    return empty || window_drawable(*window);
}

void draw_grid(Canvas& canvas) {
    const int64_t w = canvas.width();
    const int64_t h = canvas.height();
    canvas.set_pen(kGrid);
    const int64_t column_step = w / 8;
    for (int64_t x = 0; x < w; x += column_step) {
        draw_vertical(canvas, x);
        if (column_step == 0) {
            break;
        }
    }
    const int64_t row_step = h / 6;
    for (int64_t y = 0; y < h; y += row_step) {
        canvas.move_to(0, y);
        canvas.line_to(w, y);
        if (row_step == 0) {
            break;
        }
    }
}

int64_t sample_y(int64_t value, int64_t height) {
    return ((255 - value) * height) / 256;
}

int64_t millimetre_x(int64_t millimetres, int64_t width) {
    return millimetres * width / kSpanMillimetres;
}

void draw_curve(Canvas& canvas, const uint8_t* samples, int32_t count, uint32_t colour) {
    draw_curves(canvas, std::array{CurveLayer{samples, colour}}.data(), 1, count);
}

void draw_curves(Canvas& canvas, const CurveLayer* curves, std::size_t curve_count, int32_t count) {
    count = clamp_count(count);
    if (count <= 2) {
        return;
    }
    const int64_t w = canvas.width();
    const int64_t h = canvas.height();
    // Sample i lies at column i * w / count; the curve runs from sample 0 to sample count - 2.
    const auto points = static_cast<std::size_t>(count - 1);
    std::array<int64_t, kMaxSamples> x;
    std::array<int64_t, kMaxSamples> y;
    for (std::size_t i = 0; i < points; ++i) {
        x[i] = static_cast<int64_t>(i) * w / count;
    }
    for (std::size_t c = 0; c < curve_count; ++c) {
        const uint8_t* samples = curves[c].samples;
        if (samples == nullptr) {
            continue;
        }
        for (std::size_t i = 0; i < points; ++i) {
            y[i] = sample_y(samples[i], h);
        }
        canvas.set_pen(curves[c].colour);
        canvas.polyline(x.data(), y.data(), points);
    }
}

Canvas::Band zone_band(const Zone_Sensible& zone, int64_t width) {
    return {millimetre_x(zone.xmin, width), millimetre_x(zone.xmax, width)};
}

void draw_zone_lines(Canvas& canvas, const Zone_Sensible& zone) {
    const int64_t x1 = millimetre_x(zone.xmin, canvas.width());
    const int64_t x2 = millimetre_x(zone.xmax, canvas.width());
    const int64_t threshold_y = (100 - int64_t{zone.seuil}) * canvas.height() / 100;
    canvas.set_pen(kZoneLine);
    draw_vertical(canvas, x1);
    draw_vertical(canvas, x2);
    canvas.move_to(x1, threshold_y);
    canvas.line_to(x2, threshold_y);
}

Peak find_peak(const uint8_t* live, int32_t count, const Zone_Sensible& zone) {
    const int64_t first = std::max<int64_t>(kSamplesPerMillimetre * zone.xmin, 0);
    const int64_t end = std::min<int64_t>(kSamplesPerMillimetre * zone.xmax, count);
    Peak peak;
    for (int64_t k = first; k < end; ++k) {
        if (live[k] > peak.value) {
            peak.found = true;
            peak.index = static_cast<int32_t>(k);
            peak.value = live[k];
        }
    }
    const double threshold = zone.seuil * 2.55;
    if (!peak.found || !(peak.value > threshold)) {
        return Peak{};
    }
    return peak;
}

void draw_marker(Canvas& canvas, int32_t zone_number, const Peak& peak, int32_t count) {
    const MarkerPicture* picture = marker_picture(zone_marker_number(zone_number));
    if (picture == nullptr || count <= 0) {
        return;
    }
    const int64_t depth_from_top = 255 - peak.value;
    const int64_t left = int64_t{peak.index} * canvas.width() / count;
    const int64_t top = canvas.height() * depth_from_top / 256 - MarkerPicture::kHeight;
    canvas.or_block(picture->pixels.data(), MarkerPicture::kWidth, MarkerPicture::kHeight, left,
                    top);
}

}  // namespace quorel
