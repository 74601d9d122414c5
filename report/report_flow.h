#pragma once

#include <QString>
#include <QStringList>
#include <span>
#include <vector>

#include "platform/page.h"

namespace corvanta::report {

// `text` as it fits `width` in the current font: whole, or cut at the last character that
// leaves room for a closing "…".
QString fitted(const platform::Page& page, const QString& text, double width);

// At most `count` of `lines`; when some are left out, the last one kept ends with "…"
// within `width`. No line at all for a count of 0 or less.
QStringList keptLines(const platform::Page& page, const QStringList& lines, int count,
                      double width);

// The line height of the page at `points`, regular or bold, upright or italic; the font is
// left as it was.
double lineHeightAt(platform::Page& page, double points, bool bold = false, bool italic = false);

// Prints `text` as a line centred on the span of `width` from `left`, at the current y, in
// the current font; a text wider than the span runs past both of its ends.
void printCentred(platform::Page& page, double left, double width, const QString& text);

// The same, a text wider than `widest` being cut to it first (see fitted()).
void printCentredWithin(platform::Page& page, double left, double width, double widest,
                        const QString& text);

// Prints `text` as a line from x, cut at `right` (see fitted()).
void printFrom(platform::Page& page, double x, double right, const QString& text);

// The title line of a report picture: bold, an empty line at 12 points, then the title
// centred on the page width and the line ended, at 12 points or, for a title wider than
// the page, at the largest of 10 and 8 points that fits; a title too wide even at 8 points
// is drawn at 8 with its letters narrowed until it fits, never cut.
void drawTitleLine(platform::Page& page, const QString& title, double pageWidth);

// One findings line: written as "- " and the text (on one line) when ticked, else nothing.
struct Finding {
    bool ticked;
    QString text;
};

// A column of findings from x; its texts are cut at `right`.
struct FindingsColumn {
    double x;
    double right;
    std::vector<Finding> findings;
};

// The ticked findings at x, one line each, with no gap for the others, cut at `right`. The
// current font is kept.
void writeFindings(platform::Page& page, double x, double right, std::span<const Finding> findings);

// How many findings of the list are written.
int tickedCount(std::span<const Finding> findings);

// Columns of findings side by side in regular 6 points, each from the same top; then the
// position goes under the longest column and one empty line follows.
void drawFindingsColumns(platform::Page& page, std::span<const FindingsColumn> columns);

}  // namespace corvanta::report
