#include <array>
#include <new>

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

void show(const quorel::Canvas& canvas, QuorelWindow& window) {
    if (quorel::window_drawable(window)) {
        canvas.copy_to(window);
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
    try {
        quorel::Canvas canvas(Window->width, Window->height);
        for_active_zones(Zones, [&](int32_t, const Zone_Sensible& zone) {
            quorel::draw_zone_band(canvas, zone);
        });
        quorel::draw_grid(canvas);
        for_active_zones(Zones, [&](int32_t, const Zone_Sensible& zone) {
            quorel::draw_zone_lines(canvas, zone);
        });
        for (std::size_t i = 0; i < memories.size(); ++i) {
            if (Shown != nullptr && Shown[i] != 0) {
                quorel::draw_curve(canvas, memories[i], n, kComparisonColours[i]);
            }
        }
        quorel::draw_curve(canvas, Live, n, quorel::kLiveCurve);
        const int32_t freeze = detect_peaks(canvas, Live, n, Zones);
        show(canvas, *Window);
        return freeze;
    } catch (const std::bad_alloc&) {
        // No memory for the off-screen picture: the window keeps its last picture.
        return 0;
    }
}

extern "C" int32_t PreviewSamples(QuorelWindow* Window, const uint8_t* Samples, int32_t Count) {
    if (!quorel::window_valid(Window)) {
        return 0;
    }
    try {
        quorel::Canvas canvas(Window->width, Window->height);
        quorel::draw_grid(canvas);
        quorel::draw_curve(canvas, Samples, quorel::clamp_count(Count), quorel::kLiveCurve);
        show(canvas, *Window);
    } catch (const std::bad_alloc&) {
        // No memory for the off-screen picture: the window keeps its last picture.
    }
    return 0;
}
