#include "report/report_flow.h"

#include <algorithm>

#include "report/report_texts.h"

namespace corvanta::report {

namespace {

const QString kEllipsis = QStringLiteral("…");

}  // namespace

QString fitted(const platform::Page& page, const QString& text, double width) {
    if (page.textWidth(text) <= width) {
        return text;
    }
    // The longest head of whole characters that still fits with the ellipsis.
    qsizetype fits = 0;
    qsizetype tooLong = characterCount(text);
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        if (page.textWidth(characters(text, 0, middle) + kEllipsis) <= width) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    return characters(text, 0, fits) + kEllipsis;
}

QStringList keptLines(const platform::Page& page, const QStringList& lines, int count,
                      double width) {
    if (count <= 0) {
        return {};
    }
    if (lines.size() <= count) {
        return lines;
    }
    QStringList kept = lines.first(count);
    QString& last = kept.last();
    const QString closed = last + kEllipsis;
    last = page.textWidth(closed) <= width ? closed : fitted(page, last + u' ' + kEllipsis, width);
    return kept;
}

double lineHeightAt(platform::Page& page, double points, bool bold, bool italic) {
    const platform::PageState before = page.state();
    page.setFontSize(points);
    page.setBold(bold);
    page.setItalic(italic);
    const double height = page.textHeight(QString());
    page.setFontSize(before.fontSize);
    page.setBold(before.bold);
    page.setItalic(before.italic);
    return height;
}

void printCentred(platform::Page& page, double left, double width, const QString& text) {
    page.setCurrentX(left + (width - page.textWidth(text)) / 2);
    page.printLine(text);
}

void printCentredWithin(platform::Page& page, double left, double width, double widest,
                        const QString& text) {
    printCentred(page, left, width, fitted(page, text, widest));
}

void printFrom(platform::Page& page, double x, double right, const QString& text) {
    page.setCurrentX(x);
    page.printLine(fitted(page, text, right - x));
}

void drawTitleLine(platform::Page& page, const QString& title, double pageWidth) {
    page.setBold(true);
    page.setFontSize(12);
    page.emptyLine();
    for (const double points : {10.0, 8.0}) {
        if (page.textWidth(title) <= pageWidth) {
            break;
        }
        page.setFontSize(points);
    }
    // Names and number are never cut: a title still too wide at 8 points, the smallest the
    // canvas draws, has its letters narrowed until it fits.
    const double width = page.textWidth(title);
    const bool narrowed = width > pageWidth;
    if (narrowed) {
        int stretch = static_cast<int>(100 * pageWidth / width);
        page.setFontStretch(stretch);
        while (stretch > 1 && page.textWidth(title) > pageWidth)
            page.setFontStretch(--stretch);
    }
    printCentred(page, 0, pageWidth, title);
    if (narrowed)
        page.setFontStretch(100);
}

void writeFindings(platform::Page& page, double x, double right,
                   std::span<const Finding> findings) {
    for (const Finding& finding : findings) {
        page.setCurrentX(x);
        if (finding.ticked) {
            printFrom(page, x, right, QStringLiteral("- ") + singleLine(finding.text));
        }
    }
}

int tickedCount(std::span<const Finding> findings) {
    return static_cast<int>(
        std::count_if(findings.begin(), findings.end(), [](const Finding& f) { return f.ticked; }));
}

void drawFindingsColumns(platform::Page& page, std::span<const FindingsColumn> columns) {
    page.setBold(false);
    page.setFontSize(6);
    const double top = page.currentY();
    double lowest = top;
    for (const FindingsColumn& column : columns) {
        page.setCurrentY(top);
        writeFindings(page, column.x, column.right, column.findings);
        lowest = std::max(lowest, page.currentY());
    }
    page.setCurrentY(lowest);
    page.emptyLine();
}

}  // namespace corvanta::report
