#include "report_print/printer_page.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/safe_file.h"
#include "report/page_fonts.h"
#include "report/painter_page.h"

namespace corvanta::report {

namespace {

using platform::OutputError;
using platform::OutputFailure;

constexpr int kPdfDotsPerInch = 600;
constexpr double kPdfMarginMillimetres = 5;
// Design metrics are read at a size where pixel rounding is lost in the fourth decimal.
constexpr double kReferencePixels = 1000;
const char* const kSource = "Printer";

// A PDF drawn into memory: its bytes reach the disk only once the document is whole.
struct PdfInMemory {
    PdfTarget target;
    // The file written, once it is.
    QString written;
    QBuffer bytes;
    QPdfWriter writer{&bytes};
};

class PrinterPage : public PainterPage {
  public:
    // A started document on `printer`.
    explicit PrinterPage(std::unique_ptr<QPrinter> printer)
        : PainterPage(platform::freshPrinterState(), false), printer_(std::move(printer)) {
        begin(*printer_, printer_->printerName());
    }
    // A started PDF document, written to its file at its end.
    explicit PrinterPage(std::unique_ptr<PdfInMemory> pdf)
        : PainterPage(platform::freshPrinterState(), false), pdf_(std::move(pdf)) {
        begin(pdf_->writer, pdf_->target.file);
    }

    // The PDF file written once the document ended; empty before and on a printer.
    QString written() const { return pdf_ ? pdf_->written : QString(); }

    ~PrinterPage() override {
        if (rawPainter().isActive()) {
            if (!pdf_ && !ended()) {
                printer_->abort();
            }
            rawPainter().end();
        }
    }

  protected:
    double dotsPerInch() const override {
        return pdf_ ? pdf_->writer.resolution() : printer_->resolution();
    }

    QSizeF printableMillimetres() const override {
        return device().pageLayout().paintRect(QPageLayout::Millimeter).size();
    }

    QFont fontFor(const platform::PageState& state) const override {
        QFont font = pageFont(state);
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setPointSizeF(state.fontSize);
        return font;
    }

    double textWidthDots(const QString& text) const override {
        return design().horizontalAdvance(text) * emScale();
    }

    double lineHeightDots() const override {
        return (design().ascent() + design().descent()) * emScale();
    }

    double ascentDots() const override { return design().ascent() * emScale(); }

    void reopenPainter() override {
        throw OutputError(OutputFailure::PrinterStopped, kSource, target(), {});
    }

    void finish() override {
        if (!rawPainter().end() || (printer_ && printer_->printerState() == QPrinter::Error)) {
            throw OutputError(OutputFailure::PrinterStopped, kSource, target(), {});
        }
        if (pdf_ && pdf_->target.numbered) {
            pdf_->written =
                platform::writeNewFile(pdf_->target.numbered, pdf_->bytes.data(), kSource);
        } else if (pdf_) {
            platform::writeFileWhole(pdf_->target.file, pdf_->bytes.data(), kSource);
            pdf_->written = pdf_->target.file;
        }
    }

  private:
    void begin(QPagedPaintDevice& device, const QString& name) {
        if (!rawPainter().begin(&device)) {
            throw OutputError(OutputFailure::PrinterStart, kSource, name, {});
        }
        rawPainter().setRenderHint(QPainter::Antialiasing, true);
    }

    const QPagedPaintDevice& device() const {
        return pdf_ ? static_cast<const QPagedPaintDevice&>(pdf_->writer) : *printer_;
    }

    QString target() const { return pdf_ ? pdf_->target.file : printer_->printerName(); }

    // The current font at the reference size, unhinted.
    const QFontMetricsF& design() const {
        const QFont& font = currentFont();
        if (!design_ || designFont_ != font) {
            QFont reference = font;
            reference.setPixelSize(static_cast<int>(kReferencePixels));
            design_.emplace(reference);
            designFont_ = font;
        }
        return *design_;
    }

    // Device pixels per reference pixel at the current size.
    double emScale() const { return state().fontSize * dotsPerInch() / 72.0 / kReferencePixels; }

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<PdfInMemory> pdf_;
    mutable std::optional<QFontMetricsF> design_;
    mutable QFont designFont_;
};

std::unique_ptr<platform::Page> openSystemPrinter(const QPrinterInfo& info) {
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    return std::make_unique<PrinterPage>(std::move(printer));
}

OpenedPrinter openDefault(const PdfTarget& pdfIfNoPrinter) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return openPdfDocument(pdfIfNoPrinter);
    }
    return {openSystemPrinter(info), QString()};
}

PrinterFactory& factory() {
    static PrinterFactory current = openDefault;
    return current;
}

}  // namespace

std::unique_ptr<platform::Page> openPdfPrinter(const PdfTarget& target) {
    if (target.file.isEmpty()) {
        throw OutputError(OutputFailure::NoFolder, kSource, {}, {});
    }
    auto pdf = std::make_unique<PdfInMemory>();
    pdf->target = target;
    pdf->target.file = QFileInfo(target.file).absoluteFilePath();
    pdf->bytes.open(QIODevice::WriteOnly);
    pdf->writer.setResolution(kPdfDotsPerInch);
    pdf->writer.setTitle(QFileInfo(target.file).completeBaseName());
    pdf->writer.setCreator(QStringLiteral("Corvanta"));
    pdf->writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(kPdfMarginMillimetres, kPdfMarginMillimetres,
                                                    kPdfMarginMillimetres, kPdfMarginMillimetres),
                                          QPageLayout::Millimeter));
    return std::make_unique<PrinterPage>(std::move(pdf));
}

OpenedPrinter openPdfDocument(const PdfTarget& pdf) {
    return {openPdfPrinter(pdf), pdf.file};
}

QString writtenPdf(const platform::Page& page) {
    const auto* printer = dynamic_cast<const PrinterPage*>(&page);
    return printer != nullptr ? printer->written() : QString();
}

OpenedPrinter openPrinter(const PdfTarget& pdfIfNoPrinter) {
    return factory()(pdfIfNoPrinter);
}

QString printDocument(const PdfTarget& pdfIfNoPrinter,
                      const std::function<void(platform::Page&)>& draw) {
    OpenedPrinter opened = openPrinter(pdfIfNoPrinter);
    draw(*opened.page);
    opened.page->endDocument();
    if (opened.pdfFile.isEmpty()) {
        return QString();
    }
    // A numbered PDF takes its number only once it is written.
    const QString written = writtenPdf(*opened.page);
    return written.isEmpty() ? opened.pdfFile : written;
}

PrinterFactory replacePrinterFactory(PrinterFactory replacement) {
    PrinterFactory previous = std::move(factory());
    factory() = replacement ? std::move(replacement) : PrinterFactory(openDefault);
    return previous;
}

}  // namespace corvanta::report
