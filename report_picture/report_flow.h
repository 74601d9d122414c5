#pragma once

#include <QString>
#include <span>
#include <vector>

#include "platform/page.h"

namespace corvanta::report {

// Prints `text` as a line centred on the span of `width` from `left`, at the current y, in
// the current font; a text wider than the span runs past both of its ends.
void printCentred(platform::Page& page, double left, double width, const QString& text);

// The title line of a report picture: bold 12 points, an empty line, then the title
// centred on the page width and the line ended.
void drawTitleLine(platform::Page& page, const QString& title, double pageWidth);

// One findings line: written as "- " and the text (on one line) when ticked, else nothing.
struct Finding {
    bool ticked;
    QString text;
};

struct FindingsColumn {
    double x;
    std::vector<Finding> findings;
};

// The ticked findings at x, one line each, with no gap for the others. The current font is
// kept.
void writeFindings(platform::Page& page, double x, std::span<const Finding> findings);

// Columns of findings side by side in regular 6 points, each from the same top; then the
// position goes under the longest column and one empty line follows.
void drawFindingsColumns(platform::Page& page, std::span<const FindingsColumn> columns);

}  // namespace corvanta::report
