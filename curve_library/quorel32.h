/* Curve library of Corvanta: smooths echo curves and draws them, with the grid,
 * the sensitive zones and the peak markers, into a window owned by the caller.
 * The library keeps no state between calls and writes only the buffers named below. */
#ifndef QUOREL32_H
#define QUOREL32_H

#include <stdint.h>

#if defined(__GNUC__)
#define QUOREL32_API __attribute__((visibility("default")))
#else
#define QUOREL32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A caller-owned client area: `pixels` holds `height` rows of `stride` pixels, each
 * 0xFFRRGGBB (the layout of a QImage in Format_RGB32). */
typedef struct QuorelWindow {
    int32_t width, height, stride;
    uint32_t* pixels;
} QuorelWindow;

/* One sensitive zone: limits in millimetres of the 80 mm span, threshold in percent
 * of full scale, peak results written by ViewSamples, automatic-freeze and in-use flags. */
typedef struct Zone_Sensible {
    int32_t xmin, xmax, seuil, xpic, ypic, gel, actif;
} Zone_Sensible;

/* Moving average of half-width AverageHalfWidth (1..5, else none), then the 15-tap
 * low-pass table LowPassKind (0 none, 1..4, any other value table 5). Reads
 * Source[0..Count-1], writes Destination[0..Count-1] only; Count is taken within 0..400.
 * Returns 0. */
QUOREL32_API int32_t SmoothFilter(const uint8_t* Source, uint8_t* Destination,
                                  int32_t AverageHalfWidth, int32_t LowPassKind, int32_t Count);

/* Draws the live view (zones 0..3 of Zones, the comparison curves whose byte of Shown is
 * not 0, Live on top, a marker on each detected peak) and writes xpic and ypic of the
 * active zones. Returns 1 when an active zone with gel not 0 detected a peak, else 0.
 * A null Window or Live, or a window whose pixels cannot hold it, draws and writes nothing
 * and returns 0; an empty window (width or height 0) draws nothing but the zones are still
 * searched. Null Shown, Zones or comparison curves are taken as none. */
QUOREL32_API int32_t ViewSamples(QuorelWindow* Window, const uint8_t* Live, int32_t Count,
                                 const uint8_t* Memory0, const uint8_t* Memory1,
                                 const uint8_t* Memory2, const uint8_t* Memory3,
                                 const uint8_t* Memory4, const uint8_t* Shown,
                                 Zone_Sensible* Zones);

/* Draws one curve on the grid; null Samples draws the grid alone. Returns 0. */
QUOREL32_API int32_t PreviewSamples(QuorelWindow* Window, const uint8_t* Samples, int32_t Count);

#ifdef __cplusplus
}
#endif

#endif
