#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "platform/page.h"

namespace corvanta::report {

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

// Opens a document on the default printer, or, without one, as the PDF `pdfFileIfNoPrinter`:
// A4 portrait, 5 mm margins (a printable area of 200 x 287 mm), printer pixels of a 600 dpi
// device. The PDF is drawn into memory and written at the end of the document by
// platform::writeFileWhole: whole or not at all, never through a link, replacing a file of
// that name only once every byte is on the disk. Failures are platform::OutputErrors: a
// printer that cannot start or stops (PrinterStart, PrinterStopped), a PDF needed without a
// name (NoFolder), the file not written (its cause).
OpenedPrinter openPrinter(const QString& pdfFileIfNoPrinter);

// The PDF document alone, whatever printers the machine has. An empty file name (no export
// folder chosen) is a platform::OutputError (NoFolder).
std::unique_ptr<platform::Page> openPdfPrinter(const QString& pdfFile);

// One document drawn by `draw` and ended, on the printer openPrinter() gives. Returns the
// PDF written when there is no printer, empty otherwise. A failure is a corvanta::Error and
// leaves no document behind.
QString printDocument(const QString& pdfFileIfNoPrinter,
                      const std::function<void(platform::Page&)>& draw);

// Tests put their own printer in place (a recording page); an empty factory puts the system
// printer back. Returns the factory in place before.
using PrinterFactory = std::function<OpenedPrinter(const QString& pdfFileIfNoPrinter)>;
PrinterFactory replacePrinterFactory(PrinterFactory factory);

}  // namespace corvanta::report
