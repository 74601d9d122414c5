#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <span>

#include "curve_library/canvas.h"
#include "curve_library/quorel32.h"
#include "curve_library/sample_count.h"
#include "curve_library/view_layers.h"

namespace {

constexpr int32_t kZones = 4;
constexpr std::array<uint32_t, 5> kComparisonColours = {
    0xFFFF0000u, 0xFFFFC080u, 0xFFFFFF00u, 0xFF0000FFu, 0xFFFF00FFu,
};

template <typename Layer>
void for_active_zones(Zone_Sensible* zones, Layer layer) {
    if (zones == nullptr) {
        return;
    }
    for (int32_t z = 0; z < kZones; ++z) {
        if (zones[z].actif != 0) {
            layer(z, zones[z]);
        }
    }
}

// Searches every active zone, writes its result, marks its peak; returns 1 when a zone
// that freezes found one.
int32_t detect_peaks(quorel::Canvas& canvas, const uint8_t* live, int32_t count,
                     Zone_Sensible* zones) {
    int32_t freeze = 0;
    for_active_zones(zones, [&](int32_t z, Zone_Sensible& zone) {
        const quorel::Peak peak = quorel::find_peak(live, count, zone);
        zone.xpic = peak.index;
        zone.ypic = peak.found ? 255 - peak.value : 0;
        if (peak.found) {
            quorel::draw_marker(canvas, z, peak, count);
            if (zone.gel != 0) {
                freeze = 1;
            }
        }
    });
    return freeze;
}

// Draws the picture off-screen, then copies it to a valid window in one step, so that the
// window never holds half a picture and buffers lying among its pixels are read as they
// were at the call. A window without pixels gets nothing.
template <typename Draw>
int32_t draw_into(QuorelWindow& window, std::span<const quorel::Canvas::Band> bands, Draw draw) {
    try {
        quorel::Canvas canvas(window.width, window.height, bands, quorel::kZoneBand);
        const int32_t result = draw(canvas);
        if (quorel::window_drawable(window)) {
            canvas.copy_to(window);
        }
        return result;
    } catch (const std::bad_alloc&) {
        // No memory for the off-screen picture: the window keeps its last picture.
        return 0;
    }
}

}  // namespace

extern "C" int32_t ViewSamples(QuorelWindow* Window, const uint8_t* Live, int32_t Count,
                               const uint8_t* Memory0, const uint8_t* Memory1,
                               const uint8_t* Memory2, const uint8_t* Memory3,
                               const uint8_t* Memory4, const uint8_t* Shown, Zone_Sensible* Zones) {
    if (!quorel::window_valid(Window) || Live == nullptr) {
        return 0;
    }
    const int32_t n = quorel::clamp_count(Count);
    const std::array<const uint8_t*, 5> memories = {Memory0, Memory1, Memory2, Memory3, Memory4};
    std::array<quorel::Canvas::Band, kZones> bands{};
    std::size_t band_count = 0;
    const int32_t width = Window->width > 0 ? Window->width : 0;
    for_active_zones(Zones, [&](int32_t, const Zone_Sensible& zone) {
        bands[band_count++] = quorel::zone_band(zone, width);
    });
    const std::span<const quorel::Canvas::Band> shown_bands(bands.data(), band_count);
    return draw_into(*Window, shown_bands, [&](quorel::Canvas& canvas) {
        quorel::draw_grid(canvas);
        for_active_zones(Zones, [&](int32_t, const Zone_Sensible& zone) {
            quorel::draw_zone_lines(canvas, zone);
        });
        std::array<quorel::CurveLayer, 6> curves{};
        std::size_t shown = 0;
        for (std::size_t i = 0; i < memories.size(); ++i) {
            if (Shown != nullptr && Shown[i] != 0) {
                curves[shown++] = {memories[i], kComparisonColours[i]};
            }
        }
        curves[shown++] = {Live, quorel::kLiveCurve};
        quorel::draw_curves(canvas, curves.data(), shown, n);
        return detect_peaks(canvas, Live, n, Zones);
    });
}

extern "C" int32_t PreviewSamples(QuorelWindow* Window, const uint8_t* Samples, int32_t Count) {
    if (!quorel::window_valid(Window)) {
        return 0;
    }
    const int32_t n = quorel::clamp_count(Count);
    draw_into(*Window, {}, [&](quorel::Canvas& canvas) {
        quorel::draw_grid(canvas);
        quorel::draw_curve(canvas, Samples, n, quorel::kLiveCurve);
        return 0;
    });
    return 0;
}
