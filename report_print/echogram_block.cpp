#include <QByteArray>
#include <array>

#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

namespace {

constexpr int kCurvePen = 7;
// The right-side curve goes in the first graph, the left-side one in the second.
constexpr std::array<const char*, 2> kCurves = {"Courbes_Droites", "Courbes_Gauches"};

QString field(std::size_t graph, const char* name) {
    return QString::fromLatin1(kCurves[graph]) + u'.' + QString::fromLatin1(name);
}

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
        // A graph without a curve stays empty; the page goes on.
        if (const std::optional<QByteArray> raw = r.input.row.curve(field(g, "Courbe"))) {
            const std::vector<std::uint8_t> samples = filtered(r.input, *raw);
            plotCurve(r.page, graphs[g], samples, static_cast<int>(samples.size()), kCurvePen);
        }
        captions.push_back({r.input.row.optionalText(field(g, "DATE")),
                            r.input.row.optionalText(field(g, "Commentaire_Courbe"))});
    }
    return drawCaptions(r.page, graphs, captions, hautDates, CaptionFlow::StayAfterLastLine,
                        commentsBottom);
}

}  // namespace corvanta::report::blocks
