#include "report_print/curve_page.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "report/echogram_graph.h"
#include "report/picture_files.h"
#include "report/report_flow.h"
#include "report/report_texts.h"
#include "report_print/printer_page.h"

namespace corvanta::report {

namespace {

using platform::Page;

constexpr int kCurvePen = 7;
constexpr int kComparisonPen = 2;
// A pin stands a little right of its peak and its needle a little above it.
constexpr double kPinRight = 10;
constexpr double kPinDown = 20;
const QString kIndent(8, u' ');

void drawPins(Page& page, const GraphPlace& g, const CurvePageInput& in) {
    for (std::size_t z = 0; z < in.peaks.size(); ++z) {
        const Zone_Sensible& peak = in.peaks[z];
        if (peak.actif == 0 || peak.xpic == 0 || peak.ypic == 0) {
            continue;
        }
        // The peak's position and level as fractions of the graph's width and height.
        page.picture(in.pins[z], g.left + g.width * peak.xpic / kCurvePositions + kPinRight,
                     g.top + g.height * peak.ypic / 256 - kPinBoxTwips + kPinDown);
    }
}

void drawCurves(Page& page, const GraphPlace& g, const CurvePageInput& in) {
    if (in.mode == kCurvePageAcquisition) {
        plotCurve(page, g, in.liveCurve, in.pointCount, kCurvePen);
        for (const CurvePageComparison& comparison : in.comparisons) {
            plotCurve(page, g, comparison.samples, in.pointCount, kComparisonPen,
                      comparison.colour);
        }
        drawPins(page, g, in);
    } else if (in.mode == kCurvePageStoredCurve) {
        const auto* samples = reinterpret_cast<const std::uint8_t*>(in.storedCurve.constData());
        plotCurve(page, g, std::span(samples, static_cast<std::size_t>(in.storedCurve.size())),
                  in.pointCount, kCurvePen);
    }
}

// Title, subtitle and commissioning date, centred and bold; returns the top of the graph,
// two 8-point lines under the commissioning line's top.
double drawTitle(Page& page, const CurvePageInput& in) {
    page.setCurrentY(10);
    page.setFontName(QStringLiteral("Arial"));
    page.setFontSize(20);
    page.setBold(true);
    const double w = page.scaleWidth();
    const auto centred = [&page, w](const QString& line) { printCentred(page, 0, w, line); };
    centred(in.text(36));

    page.setFontSize(16);
    page.setItalic(true);
    const QString subtitle = in.text(37);
    page.setCurrentY(page.currentY() + page.textHeight(subtitle));
    centred(subtitle);
    page.setItalic(false);
    page.emptyLine();

    page.setFontSize(8);
    page.setItalic(true);
    const QString commissioning = in.text(38) + in.commissioningDate;
    const double top = page.currentY() + page.textHeight(commissioning);
    page.setCurrentY(top);
    centred(commissioning);
    page.setItalic(false);
    page.emptyLine();
    return top + 2 * page.textHeight(commissioning);
}

// How many lines each comment may take for the whole page to stay above its bottom edge:
// every comment keeps at least one line, the earlier ones keep more while room is left.
std::vector<int> commentRoom(Page& page, const CurvePageInput& in, double top) {
    std::vector<std::optional<QString>> comments;
    if (in.mode == kCurvePageAcquisition) {
        for (const CurvePageLegendEntry& entry : in.legend) {
            comments.push_back(entry.comment);
        }
    } else if (in.mode == kCurvePageStoredCurve) {
        comments.push_back(in.storedComment);
    }
    const double line = std::max({lineHeightAt(page, 10), lineHeightAt(page, 10, true),
                                  lineHeightAt(page, 10, false, true)});
    // The block's header and the line after the block, each legend entry's date line and
    // the line after it, the patient block and the settings block.
    int fixed = 2 + (in.mode == kCurvePageAcquisition ? 2 * static_cast<int>(comments.size()) : 0);
    if (in.patient) {
        fixed += 4 + (in.patient->socialSecurityNumber.value_or(QString()).isEmpty() ? 0 : 1) +
                 (in.patient->birthDate ? 1 : 0);
    }
    fixed += 5;
    const int lines = static_cast<int>(std::floor((page.scaleHeight() - top) / line + 1e-6));
    int spare = lines - fixed - static_cast<int>(comments.size());
    std::vector<int> room;
    for (const std::optional<QString>& comment : comments) {
        const int wanted = std::max<int>(1, commentLines(comment.value_or(QString())).size());
        const int more = std::clamp(wanted - 1, 0, std::max(spare, 0));
        spare -= more;
        room.push_back(1 + more);
    }
    return room;
}

// A comment line by line behind the indentation, at most `room` lines, each cut at
// `right`; "(no comment)" at the margin for an empty one. Lines start at the margin, or
// where the previous line left the position.
void printComment(Page& page, const CurvePageInput& in, const std::optional<QString>& comment,
                  const QString& indent, double margin, bool linesAtMargin, int room,
                  double right) {
    const QStringList lines = commentLines(comment.value_or(QString()));
    if (lines.isEmpty()) {
        printFrom(page, margin, right, indent + in.text(42));
        return;
    }
    const double from = linesAtMargin ? margin : 0;
    for (const QString& line :
         keptLines(page, lines, room, right - from - page.textWidth(indent))) {
        if (linesAtMargin) {
            page.setCurrentX(margin);
        }
        page.printLine(fitted(page, indent + line, right - page.currentX()));
    }
}

void drawAcquisitionBlock(Page& page, const CurvePageInput& in, double margin,
                          const std::vector<int>& room) {
    const double right = page.scaleWidth() - margin;
    page.setCurrentX(margin);
    page.printOnLine(in.text(39));
    page.setBold(false);
    page.printLine(u' ' + in.text(40) + in.printedAt.toString(QStringLiteral("dd/MM/yy")) + u' ' +
                   in.text(35) + u' ' + in.printedAt.toString(QStringLiteral("H:mm:ss")));
    for (std::size_t i = 0; i < in.legend.size(); ++i) {
        const CurvePageLegendEntry& entry = in.legend[i];
        page.setForeColor(entry.colour);
        printFrom(page, margin, right, in.text(41) + QStringLiteral(" du ") + entry.date);
        page.setForeColor(in.legendTextColour);
        page.setItalic(true);
        printComment(page, in, entry.comment, kIndent.repeated(3), margin, false, room[i], right);
        page.setItalic(false);
        page.emptyLine();
    }
}

void drawStoredCurveBlock(Page& page, const CurvePageInput& in, double margin,
                          const std::vector<int>& room) {
    page.setCurrentX(margin);
    page.printOnLine(in.text(43) + QStringLiteral(" : "));
    page.setBold(false);
    page.printLine(QStringLiteral(" du ") + in.storedDate);
    page.setItalic(true);
    printComment(page, in, in.storedComment, kIndent.repeated(2), margin, true, room.front(),
                 page.scaleWidth() - margin);
    page.setItalic(false);
}

// One line, line breaks of stored values printed as blanks, cut at the right margin.
void printAtMargin(Page& page, double margin, const QString& line) {
    printFrom(page, margin, page.scaleWidth() - margin, kIndent + singleLine(line));
}

void drawPatient(Page& page, const CurvePagePatient& patient, const CurvePageInput& in,
                 double margin) {
    page.setBold(true);
    page.setCurrentX(margin);
    page.printLine(in.text(44));
    page.setBold(false);
    page.emptyLine();
    printAtMargin(page, margin, patient.surname + u' ' + patient.givenName);
    if (!patient.socialSecurityNumber.value_or(QString()).isEmpty()) {
        printAtMargin(page, margin, in.text(45) + u' ' + *patient.socialSecurityNumber);
    }
    if (patient.birthDate) {
        printAtMargin(page, margin, in.text(46) + u' ' + *patient.birthDate);
    }
    page.emptyLine();
}

void drawSettings(Page& page, const CurvePageInput& in, double margin) {
    page.setBold(true);
    page.setCurrentX(margin);
    page.printLine(in.text(47));
    page.setBold(false);
    page.emptyLine();

    page.setCurrentX(margin);
    page.printOnLine(kIndent + in.text(48));
    const int average = in.averageSlider;
    page.printLine(average == 0 ? in.text(49) : QString::number(2 * average) + u' ' + in.text(32));
    page.setCurrentX(margin);
    page.printOnLine(kIndent + in.text(50) + u' ');
    const int lowPass = in.lowPassSlider;
    page.printLine(lowPass == 0 ? in.text(51)
                                : QString::number((7 - lowPass) * 200) + QStringLiteral(" kHz"));
    printAtMargin(page, margin,
                  in.text(52) + u' ' + QString::number(in.pointCount) + u' ' + in.text(32));
}

}  // namespace

const QString& CurvePageInput::text(int number) const {
    static const QString none;
    return texts != nullptr ? (*texts)(1, number) : none;
}

void drawCurvePage(Page& page, const CurvePageInput& in) {
    page.setScaleUnit(platform::ScaleUnit::Twip);
    const double top = drawTitle(page, in);

    const double w = page.scaleWidth();
    const double h = page.scaleHeight();
    const double margin = w / 10;
    const GraphPlace graph{margin, top, w - 2 * margin, h / 2 - h / 8};
    page.setCurrentY(top);
    drawGraphs(page, kCurvePageGraph, std::span(&graph, 1), in.zones);
    drawCurves(page, graph, in);

    page.setCurrentX(0);
    page.setCurrentY(graph.top + graph.height + graph.height / 6);
    page.setFontSize(10);
    page.setBold(true);
    const std::vector<int> room = commentRoom(page, in, page.currentY());
    if (in.mode == kCurvePageAcquisition) {
        drawAcquisitionBlock(page, in, margin, room);
    } else if (in.mode == kCurvePageStoredCurve) {
        drawStoredCurveBlock(page, in, margin, room);
    }
    // The blocks stay one line apart, with or without a patient between them.
    page.emptyLine();
    if (in.patient) {
        drawPatient(page, *in.patient, in, margin);
    }
    drawSettings(page, in, margin);
}

QString curvePageFile(const QString& folder, const std::optional<CurvePagePatient>& patient,
                      const QDateTime& at, int number) {
    const QString kept = u' ' + at.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                         (number > 1 ? u'-' + QString::number(number) : QString()) +
                         QStringLiteral(".pdf");
    if (!patient) {
        return fileInFolder(folder, QStringLiteral("Courbe"), kept);
    }
    return fileInFolder(
        folder, QStringLiteral("Courbe ") + patient->surname + u' ' + patient->givenName, kept);
}

QString printCurvePage(const CurvePageInput& input, const QString& exportFolder) {
    // Without an export folder only a real printer can take the page.
    const PdfTarget pdf =
        exportFolder.trimmed().isEmpty() ? PdfTarget() : PdfTarget([&](int number) {
            return curvePageFile(exportFolder, input.patient, input.printedAt, number);
        });
    return printDocument(pdf, [&input](platform::Page& page) { drawCurvePage(page, input); });
}

}  // namespace corvanta::report
