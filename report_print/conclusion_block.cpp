#include "report_picture/report_texts.h"
#include "report_print/report_blocks.h"

namespace corvanta::report::blocks {

namespace {

constexpr qsizetype kConclusionLine = 100;

// Where character `n` begins, characters counted whole (a surrogate pair is one).
qsizetype offsetOf(const QString& text, qsizetype n) {
    qsizetype i = 0;
    for (; i < text.size() && n > 0; --n) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        i += pair ? 2 : 1;
    }
    return i;
}

// Characters `from` .. `from` + count - 1 of `text`, never cut inside one.
QString characters(const QString& text, qsizetype from, qsizetype count) {
    const qsizetype start = offsetOf(text, from);
    return text.mid(start, offsetOf(text, from + count) - start);
}

}  // namespace

// The conclusion in two lines of 100 characters, both always printed.
void printConclusion(const Report& r) {
    platform::Page& page = r.page;
    const double left = r.g.Colonne[0];
    page.setBold(true);
    page.setFontSize(12);
    page.setCurrentX(left);
    page.setCurrentY(Haut_Conclusion);
    page.printLine(r.text(r.table.conclusionHeading));
    page.setBold(false);
    page.setFontSize(8);
    page.emptyLine();
    page.setFontSize(10);
    const QString conclusion = r.input.row.text("Examen_Compatible");
    for (int line = 0; line < 2; ++line) {
        page.setCurrentX(left);
        page.printLine(singleLine(characters(conclusion, line * kConclusionLine, kConclusionLine)));
    }
    page.emptyLine();
    page.setBold(false);
    page.setFontSize(10);
    page.setCurrentX(left);
    page.emptyLine();
}

}  // namespace corvanta::report::blocks
