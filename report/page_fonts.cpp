#include "report/page_fonts.h"

namespace corvanta::report {

QString faceFor(const QString& fontName) {
    if (fontName.compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("Liberation Sans");
    }
    return fontName;
}

QFont pageFont(const platform::PageState& state) {
    QFont font(faceFor(state.fontName));
    font.setBold(state.bold);
    font.setItalic(state.italic);
    font.setKerning(true);
    if (state.fontStretch != 100)
        font.setStretch(state.fontStretch);
    return font;
}

}  // namespace corvanta::report
