#pragma once

#include <cstddef>
#include <cstdint>

#include "curve_library/canvas.h"
#include "curve_library/quorel32.h"

namespace quorel {

inline constexpr uint32_t kBackground = 0xFF000000u;
inline constexpr uint32_t kZoneBand = 0xFF404040u;
inline constexpr uint32_t kGrid = 0xFF006000u;
inline constexpr uint32_t kZoneLine = 0xFF0000FFu;
inline constexpr uint32_t kLiveCurve = 0xFF40FF40u;

// The window can be drawn into: it has pixels for every row and column it claims.
bool window_drawable(const QuorelWindow& window);
// The window is usable at all: drawable, or empty (nothing to draw, nothing to overrun).
bool window_valid(const QuorelWindow* window);

// Eight columns and six rows at integer steps from the top-left corner; a step of 0
// (a window narrower than 8 or lower than 6 pixels) draws only the line at 0.
void draw_grid(Canvas& canvas);

// The curve from the left edge, sample i at i * W / count, 255 on the top edge; the last
// sample is not reached and a count of 2 or less draws no segment; a count past the
// working arrays is taken within them.
void draw_curve(Canvas& canvas, const uint8_t* samples, int32_t count, uint32_t colour);

struct CurveLayer {
    const uint8_t* samples;
    uint32_t colour;
};

// draw_curve for each curve in turn; a curve without samples is skipped.
void draw_curves(Canvas& canvas, const CurveLayer* curves, std::size_t curve_count, int32_t count);

// Vertical position of a sample value on a canvas of that height.
int64_t sample_y(int64_t value, int64_t height);
// Horizontal position of a depth in millimetres of the 80 mm span.
int64_t millimetre_x(int64_t millimetres, int64_t width);

// The zone's band, from its near limit up to its far one, on a canvas of that width.
Canvas::Band zone_band(const Zone_Sensible& zone, int64_t width);
void draw_zone_lines(Canvas& canvas, const Zone_Sensible& zone);

struct Peak {
    bool found = false;
    int32_t index = 0;
    int32_t value = 0;
};

// The first highest live sample of the zone's range (5 samples per millimetre) that lies
// above the threshold; only indices from 0 to count - 1 are searched.
Peak find_peak(const uint8_t* live, int32_t count, const Zone_Sensible& zone);

// The zone's marker, combined by OR, with its needle tip just above the peak's point.
void draw_marker(Canvas& canvas, int32_t zone_number, const Peak& peak, int32_t count);

}  // namespace quorel
