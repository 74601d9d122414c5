#include "report/echogram_graph.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "report/report_flow.h"
#include "report/report_texts.h"

namespace corvanta::report {

namespace {

// A graph spans 80 mm of depth across and 60 dB down from its top edge.
constexpr double kDepthMillimetres = 80;
constexpr int kDecibels = 60;

using platform::Page;

constexpr int kDepthColumns = 8;
constexpr int kDecibelRows = 6;
constexpr double kShortTick = 1;
constexpr double kLongTick = 2;
constexpr double kDateGap = 2;
// Captions keep this far from their column's edges.
constexpr double kCaptionGap = 2;

double right(const GraphPlace& g) {
    return g.left + g.width;
}

double bottom(const GraphPlace& g) {
    return g.top + g.height;
}

double depthX(const GraphPlace& g, double millimetres) {
    return g.left + millimetres * g.width / kDepthMillimetres;
}

void drawFrames(Page& page, const GraphStyle& style, std::span<const GraphPlace> graphs) {
    page.setLineWidth(style.framePen);
    page.setFillStyle(platform::FillStyle::Transparent);
    for (const GraphPlace& g : graphs) {
        page.box(g.left, g.top, right(g), bottom(g));
    }
}

void drawZones(Page& page, const GraphStyle& style, std::span<const GraphPlace> graphs,
               std::span<const Zone_Sensible> zones) {
    const bool outlined = style.zoneBands == GraphStyle::ZoneBands::OutlinedOverFrames;
    page.setLineWidth(style.zonePen);
    if (outlined) {
        page.setFillColor(QColor(kZoneGrey));
        page.setFillStyle(platform::FillStyle::Solid);
    }
    const auto shown = zones.first(std::min<std::size_t>(zones.size(), kZonesOnPage));
    for (const GraphPlace& g : graphs) {
        for (const Zone_Sensible& zone : shown) {
            if (zone.actif == 0) {
                continue;
            }
            const double x1 = depthX(g, zone.xmin);
            const double x2 = depthX(g, zone.xmax);
            const double threshold = g.top + g.height * (1 - zone.seuil / 100.0);
            if (outlined) {
                page.box(x1, g.top, x2, bottom(g));
            } else {
                page.filledBox(x1, g.top, x2, bottom(g), QColor(kZoneGrey));
            }
            page.line(x1, threshold, x2, threshold);
        }
    }
}

void drawGrid(Page& page, const GraphStyle& style, std::span<const GraphPlace> graphs) {
    page.setLineWidth(style.gridPen);
    for (const GraphPlace& g : graphs) {
        for (int k = 0; k <= kDepthColumns; ++k) {
            const double x = g.left + k * g.width / kDepthColumns;
            page.line(x, g.top, x, bottom(g));
        }
        for (int k = 0; k <= kDecibelRows; ++k) {
            const double y = g.top + k * g.height / kDecibelRows;
            page.line(g.left, y, right(g), y);
        }
    }
}

// Each label is written from the end of its long tick, moved by text extents so that the
// number (printed between blanks) stands centred under or beside the tick.
void drawDepthScale(Page& page, const GraphPlace& g) {
    for (int k = 0; k <= kDepthColumns; ++k) {
        const double x = g.left + k * g.width / kDepthColumns;
        page.line(x, bottom(g), x, bottom(g) + kLongTick);
        page.setCurrentX(page.currentX() - page.textWidth(QStringLiteral("10")));
        page.setCurrentY(page.currentY() + page.textHeight(QStringLiteral("0")) / 2);
        page.printNumber(10 * k);
    }
    page.printLine(QStringLiteral(" mm"));
}

void drawDecibelScale(Page& page, const GraphStyle& style, const GraphPlace& g) {
    for (int k = 0; k <= kDecibelRows; ++k) {
        const double y = g.top + k * g.height / kDecibelRows;
        page.line(g.left, y, g.left - kLongTick, y);
        page.setCurrentX(page.currentX() - 2 * page.textWidth(QStringLiteral("10")));
        page.setCurrentY(page.currentY() - page.textHeight(QStringLiteral("0")) / 2);
        page.printNumber(10 * k);
    }
    page.setCurrentX(style.decibelUnit == GraphStyle::UnitPlace::PageLeftEdge ? 0 : g.left);
    page.setCurrentY(g.top - 2 * page.textHeight(QStringLiteral("dB")));
    page.printLine(QStringLiteral("dB"));
}

}  // namespace

double drawGraphs(Page& page, const GraphStyle& style, std::span<const GraphPlace> graphs,
                  std::span<const Zone_Sensible> zones) {
    page.setLineStyle(platform::LineStyle::Solid);
    if (style.zoneBands == GraphStyle::ZoneBands::FilledUnderFrames) {
        drawZones(page, style, graphs, zones);
        drawFrames(page, style, graphs);
    } else {
        drawFrames(page, style, graphs);
        drawZones(page, style, graphs, zones);
    }
    drawGrid(page, style, graphs);

    page.setLineWidth(style.tickPen);
    page.setBold(false);
    page.setFontSize(style.labelPoints);
    for (const GraphPlace& g : graphs) {
        for (int k = 0; k <= static_cast<int>(kDepthMillimetres); ++k) {
            const double x = depthX(g, k);
            page.line(x, bottom(g), x, bottom(g) + kShortTick);
        }
    }
    for (const GraphPlace& g : graphs) {
        drawDepthScale(page, g);
    }
    const double scaleBottom = page.currentY();
    for (const GraphPlace& g : graphs) {
        for (int j = 0; j <= kDecibels; ++j) {
            const double y = g.top + j * g.height / kDecibels;
            page.line(g.left - kShortTick, y, g.left, y);
        }
    }
    for (const GraphPlace& g : graphs) {
        drawDecibelScale(page, style, g);
    }
    return scaleBottom;
}

void plotCurve(Page& page, const GraphPlace& graph, std::span<const std::uint8_t> samples,
               int count, int pen, const std::optional<QColor>& colour) {
    const int n = std::clamp(
        count, 0, static_cast<int>(std::min<std::size_t>(samples.size(), kCurvePositions)));
    if (n == 0) {
        return;
    }
    const auto level = [&graph](std::uint8_t sample) {
        return graph.top + graph.height * (255 - sample) / 256;
    };
    page.setLineWidth(pen);
    if (colour) {
        page.point(graph.left, level(samples[0]), *colour);
    } else {
        page.point(graph.left, level(samples[0]));
    }
    for (int i = 1; i <= n; ++i) {
        const double x = graph.left + graph.width * i / kCurvePositions;
        if (colour) {
            page.lineTo(x, level(samples[i - 1]), *colour);
        } else {
            page.lineTo(x, level(samples[i - 1]));
        }
    }
}

double commentTop(Page& page, double scaleBottom) {
    return scaleBottom + kDateGap + lineHeightAt(page, 8, true);
}

double commentLineHeight(Page& page) {
    return lineHeightAt(page, 8, false, true);
}

double drawCaptions(Page& page, std::span<const GraphPlace> graphs,
                    std::span<const GraphCaption> captions, double scaleBottom, CaptionFlow flow,
                    double commentsBottom) {
    const std::size_t shown = std::min(graphs.size(), captions.size());
    // Each graph's column reaches halfway to its neighbours, and to the page's edges, less a
    // gap on each side.
    std::vector<double> widest(shown);
    for (std::size_t g = 0; g < shown; ++g) {
        const double middle = graphs[g].left + graphs[g].width / 2;
        const double from = g == 0 ? 0 : (right(graphs[g - 1]) + graphs[g].left) / 2;
        const double to =
            g + 1 == shown ? page.scaleWidth() : (right(graphs[g]) + graphs[g + 1].left) / 2;
        widest[g] = 2 * (std::min(middle - from, to - middle) - kCaptionGap);
    }
    page.setFontSize(8);
    page.setBold(true);
    for (std::size_t g = 0; g < shown; ++g) {
        const QString date = captions[g].date.value_or(QString());
        page.setCurrentY(scaleBottom + kDateGap);
        printCentredWithin(page, graphs[g].left, graphs[g].width, widest[g], date);
    }
    page.setBold(false);
    const double top = page.currentY();
    const double lineHeight = commentLineHeight(page);
    // A small tolerance keeps a line that ends exactly on the limit.
    const double fit = std::floor((commentsBottom - top) / lineHeight + 1e-6);
    const int room = static_cast<int>(std::clamp(fit, 0.0, 1e6));
    double lowest = top;
    for (std::size_t g = 0; g < shown; ++g) {
        QStringList lines = commentLines(captions[g].comment.value_or(QString()));
        if (lines.isEmpty()) {
            continue;
        }
        page.setItalic(true);
        lines = keptLines(page, lines, room, widest[g]);
        page.setCurrentY(top);
        for (const QString& line : lines) {
            page.setItalic(true);
            page.setBold(false);
            printCentredWithin(page, graphs[g].left, graphs[g].width, widest[g], line);
        }
        lowest = std::max(lowest, page.currentY());
    }
    page.setItalic(false);
    page.setBold(false);
    if (flow == CaptionFlow::BelowLowestColumn) {
        page.setCurrentY(lowest);
    }
    return lowest;
}

}  // namespace corvanta::report
