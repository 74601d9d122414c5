#include <QByteArray>

#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

namespace {

constexpr int kCurvePen = 7;

// The curve's samples filtered as the main window filters now, at most the window's count.
std::vector<std::uint8_t> filtered(const ExamReportInput& input, const QByteArray& raw) {
    if (input.filter) {
        return input.filter(raw);
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(raw.constData());
    return {bytes, bytes + std::min<qsizetype>(raw.size(), std::max(input.pointCount, 0))};
}

}  // namespace

double printEchograms(const Report& r, double commentsBottom) {
    const std::vector<GraphPlace>& graphs = r.g.graphes;
    const double hautDates = drawGraphs(r.page, kPrintedGraphs, graphs, r.input.zones);

    std::vector<GraphCaption> captions;
    for (std::size_t g = 0; g < graphs.size(); ++g) {
        const CurveColumns columns = curveColumns(g);
        // A graph without a curve stays empty; the page goes on.
        if (const std::optional<QByteArray> raw = r.input.row.curve(columns.curve)) {
            const std::vector<std::uint8_t> samples = filtered(r.input, *raw);
            plotCurve(r.page, graphs[g], samples, static_cast<int>(samples.size()), kCurvePen);
        }
        captions.push_back(
            {r.input.row.optionalText(columns.date), r.input.row.optionalText(columns.comment)});
    }
    return drawCaptions(r.page, graphs, captions, hautDates, CaptionFlow::StayAfterLastLine,
                        commentsBottom);
}

}  // namespace corvanta::report::blocks
