#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>

#include "curve_library/quorel32.h"
#include "platform/page.h"

namespace corvanta::report {

// Where one echogram graph stands on its page, in the page's unit. Its width spans the 80 mm
// of depth of a curve, its height 60 dB from the top edge down.
struct GraphPlace {
    double left;
    double top;
    double width;
    double height;
};

// How a page draws its graphs. Pens are in device pixels, the label size in points.
struct GraphStyle {
    enum class ZoneBands {
        // Over the frames, outlined in the fore colour, after which the grid is drawn.
        OutlinedOverFrames,
        // Before the frames, one filled box in the zone grey, outline included.
        FilledUnderFrames,
    };
    enum class UnitPlace { GraphLeftEdge, PageLeftEdge };

    int framePen;
    int zonePen;
    int gridPen;
    int tickPen;
    double labelPoints;
    ZoneBands zoneBands;
    UnitPlace decibelUnit;
};

// The export picture, the printed report and the curve print page.
inline constexpr GraphStyle kExportGraphs{.framePen = 1,
                                          .zonePen = 1,
                                          .gridPen = 1,
                                          .tickPen = 1,
                                          .labelPoints = 8,
                                          .zoneBands = GraphStyle::ZoneBands::OutlinedOverFrames,
                                          .decibelUnit = GraphStyle::UnitPlace::GraphLeftEdge};
inline constexpr GraphStyle kPrintedGraphs{.framePen = 8,
                                           .zonePen = 8,
                                           .gridPen = 1,
                                           .tickPen = 4,
                                           .labelPoints = 8,
                                           .zoneBands = GraphStyle::ZoneBands::OutlinedOverFrames,
                                           .decibelUnit = GraphStyle::UnitPlace::GraphLeftEdge};
inline constexpr GraphStyle kCurvePageGraph{.framePen = 10,
                                            .zonePen = 10,
                                            .gridPen = 1,
                                            .tickPen = 4,
                                            .labelPoints = 10,
                                            .zoneBands = GraphStyle::ZoneBands::FilledUnderFrames,
                                            .decibelUnit = GraphStyle::UnitPlace::PageLeftEdge};

inline constexpr QRgb kZoneGrey = qRgb(224, 224, 224);
// Zones beyond the fourth of an exam type never appear on a page.
inline constexpr int kZonesOnPage = 4;
inline constexpr int kCurvePositions = 400;

// Draws every graph's frame, the active zones (band and threshold line), the grid of 8
// columns by 6 rows, the millimetre and decibel ticks and the labelled scales ("0" to
// "80" then " mm" under each graph, "0" to "60" down its left edge, "dB" above it), each
// step for all graphs before the next. Zone values are drawn as they stand, never
// clipped. Returns the y of the line under the depth labels, where the dates go. Leaves
// the label font (regular) and the tick pen in force.
double drawGraphs(platform::Page& page, const GraphStyle& style, std::span<const GraphPlace> graphs,
                  std::span<const Zone_Sensible> zones);

// Plots a curve of filtered samples (0..255, larger is higher): a point at the left edge at
// the first sample's level, then a segment to sample i at x = left + width * i / 400 for
// i = 1 .. count. Nothing past the count nor past the samples given is drawn; a count of
// 0 draws nothing. The colour is the fore colour unless one is given.
void plotCurve(platform::Page& page, const GraphPlace& graph, std::span<const std::uint8_t> samples,
               int count, int pen, const std::optional<QColor>& colour = std::nullopt);

// What stands under one graph; a missing date prints as an empty one, a missing or empty
// comment prints nothing.
struct GraphCaption {
    std::optional<QString> date;
    std::optional<QString> comment;
};

enum class CaptionFlow {
    // The position stays after the last caption line written.
    StayAfterLastLine,
    // The position goes down to the lower of the caption columns (the next block follows).
    BelowLowestColumn,
};

// Writes under each graph its date (bold 8 points) on the line 2 units below
// `scaleBottom`, then its comment lines (italic) from the line under the dates, every line
// centred on its graph and cut to the graph's column (the page split halfway between the
// graphs, 2 units kept clear on each side). Comment lines stop above `commentsBottom`: a comment
// with more lines than that leaves room for ends its last kept line with "…". Returns the lowest y
// reached. Bold and italic end off.
double drawCaptions(platform::Page& page, std::span<const GraphPlace> graphs,
                    std::span<const GraphCaption> captions, double scaleBottom, CaptionFlow flow,
                    double commentsBottom = std::numeric_limits<double>::infinity());

// The y where the comments start for scale labels ending at `scaleBottom`, and the height
// of one comment line.
double commentTop(platform::Page& page, double scaleBottom);
double commentLineHeight(platform::Page& page);

}  // namespace corvanta::report
