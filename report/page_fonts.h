#pragma once

#include <QFont>
#include <QString>

#include "platform/page.h"

namespace corvanta::report {

// The face a page draws a font name with: "Arial" is Liberation Sans (same metrics); other
// names are handed to the font system as they are.
QString faceFor(const QString& fontName);

// The font of a page's state (face, bold, italic), without a size: the caller sets
// the size its device needs.
QFont pageFont(const platform::PageState& state);

}  // namespace corvanta::report
