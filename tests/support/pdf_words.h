#pragma once

#include <QString>
#include <vector>

namespace corvanta::test {

// A word of a PDF's first page as pdftotext reads it, in millimetres from the sheet's top
// left corner.
struct PdfWord {
    QString text;
    double left;
    double top;
    double right;
};

std::vector<PdfWord> pdfWords(const QString& pdf);

// The first word `text` (an empty word when there is none).
PdfWord pdfWord(const std::vector<PdfWord>& words, const QString& text);

// Keeps the PDF as <captures>/<name>.pdf and renders its first page as <name>.png beside
// it, for looking at; false on failure.
bool renderPdf(const QString& pdf, const QString& name);

}  // namespace corvanta::test
