#pragma once

#include "platform/page.h"
#include "report/exam_report.h"

namespace corvanta::report {

// The report pictures of the three exam windows, drawn on a 140 mm wide page in
// millimetres (the export canvas, or a recording page in tests). Each draws, in this order:
// the title line (name, given name, exam number); the echogram graphs at top 20, 40 high
// (sinus and pleura: right echogram at x 10 and left echogram at x 80, 50 wide; tumour: one
// curve at x 10, 120 wide) with the zones of the input's type, each curve filtered by the
// input and plotted up to its point count; dates and comments under the graphs; the results
// title, the column heads, the ticked findings in columns; the conclusion in lines of 80
// characters (the second line even when empty, nothing past the 240th character); the
// ticked decisions. The next block always starts under the longer findings column. A Null
// curve draws no curve, a Null date or conclusion prints empty, line breaks inside a
// detail text print as a blank. The page ends in regular 6 points, not italic.
//
// The results title follows the input's exam type: maxillary sinuses, frontal sinuses or
// ethmoid cells; any other type leaves that line out.
void drawSinusPicture(const ExamReportInput& input, platform::Page& page);
void drawPleuraPicture(const ExamReportInput& input, platform::Page& page);
void drawTumourPicture(const ExamReportInput& input, platform::Page& page);

// The page width the pictures are centred on, in millimetres.
inline constexpr double kPicturePageWidth = 140;

}  // namespace corvanta::report
