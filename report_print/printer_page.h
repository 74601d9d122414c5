#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "platform/page.h"

namespace corvanta::report {

// Where a document goes as a PDF where the machine has no printer: `file`, replacing a
// file of that name (an exam's report); or, with `numbered` set, a new file that never
// replaces one, the first of numbered(1), numbered(2)... that no file takes (a curve page),
// `file` being numbered(1). An empty `file`: no export folder is chosen.
struct PdfTarget {
    PdfTarget() = default;
    PdfTarget(QString replaced) : file(std::move(replaced)) {}
    explicit PdfTarget(std::function<QString(int number)> names)
        : file(names(1)), numbered(std::move(names)) {}
    QString file;
    std::function<QString(int number)> numbered;
};

// A document on the printer: the system's default printer, or a PDF file where the machine
// has none. It starts from fresh printer settings (platform::freshPrinterState()), A4
// portrait. Text heights and widths come from the font's design (ascent + descent), so
// positions do not depend on the device's resolution. A document not ended when its page is
// destroyed (a failure half-way) is cancelled: the print job is aborted, no PDF is written.
struct OpenedPrinter {
    std::unique_ptr<platform::Page> page;
    // The PDF the document is written to when there is no printer; empty on a printer.
    QString pdfFile;
};

// Opens a document on the default printer, or, without one, as the PDF `pdfIfNoPrinter`:
// A4 portrait, 5 mm margins (a printable area of 200 x 287 mm), printer pixels of a 600 dpi
// device. The PDF is drawn into memory and written at the end of the document by
// platform::writeFileWhole (or platform::writeNewFile for a numbered target): whole or not
// at all, never through a link, replacing a file of that name only once every byte is on
// the disk. Failures are platform::OutputErrors: a printer that cannot start or stops
// (PrinterStart, PrinterStopped), a PDF needed without a name (NoFolder), the file not
// written (its cause).
OpenedPrinter openPrinter(const PdfTarget& pdfIfNoPrinter);

// The PDF document alone, whatever printers the machine has. An empty file name (no export
// folder chosen) is a platform::OutputError (NoFolder).
std::unique_ptr<platform::Page> openPdfPrinter(const PdfTarget& pdf);
// The same as a factory's printer: the PDF always, named in pdfFile.
OpenedPrinter openPdfDocument(const PdfTarget& pdf);

// The file a PDF document of openPdfPrinter() was written to once it ended; empty for any
// other page and before the end.
QString writtenPdf(const platform::Page& page);

// One document drawn by `draw` and ended, on the printer openPrinter() gives. Returns the
// PDF written when there is no printer, empty otherwise. A failure is a corvanta::Error and
// leaves no document behind.
QString printDocument(const PdfTarget& pdfIfNoPrinter,
                      const std::function<void(platform::Page&)>& draw);

// Tests put their own printer in place (a recording page); an empty factory puts the system
// printer back. Returns the factory in place before.
using PrinterFactory = std::function<OpenedPrinter(const PdfTarget& pdfIfNoPrinter)>;
PrinterFactory replacePrinterFactory(PrinterFactory factory);

}  // namespace corvanta::report
