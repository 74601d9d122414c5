#include "report_print/printer_page.h"

#include <sys/stat.h>

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <filesystem>

#include "platform/error.h"
#include "report_picture/page_fonts.h"
#include "report_picture/painter_page.h"

namespace corvanta::report {

namespace {

constexpr int kPrinterError = 482;
constexpr int kFileAccess = 75;
constexpr int kNoPdfFolder = 76;
constexpr int kPdfDotsPerInch = 600;
constexpr double kPdfMarginMillimetres = 5;
// Design metrics are read at a size where pixel rounding is lost in the fourth decimal.
constexpr double kReferencePixels = 1000;
const char* const kSource = "Printer";

[[noreturn]] void fail(int number, const QString& description) {
    throw Error(number, kSource, description.toStdString());
}

// Gives the written temporary file the rights of the report it replaces, or those of any
// new file (a temporary file is readable by its owner only). False when that fails.
bool giveRightsOf(const QString& temporary, const QString& pdfFile) {
    if (QFileInfo::exists(pdfFile)) {
        return QFile::setPermissions(temporary, QFile::permissions(pdfFile));
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::chmod(QFile::encodeName(temporary).constData(), 0666 & ~mask) == 0;
}

class PrinterPage : public PainterPage {
  public:
    // A started document on `printer`; `pdf` holds the temporary file of a PDF document,
    // renamed to `pdfFile` at its end.
    PrinterPage(std::unique_ptr<QPrinter> printer, std::unique_ptr<QTemporaryFile> pdf,
                QString pdfFile)
        : PainterPage(platform::freshPrinterState(), false),
          printer_(std::move(printer)),
          pdf_(std::move(pdf)),
          pdfFile_(std::move(pdfFile)) {
        if (!rawPainter().begin(printer_.get())) {
            fail(kPrinterError, QStringLiteral("The printer %1 cannot start a document.")
                                    .arg(pdf_ ? pdfFile_ : printer_->printerName()));
        }
        rawPainter().setRenderHint(QPainter::Antialiasing, true);
    }

    ~PrinterPage() override {
        if (rawPainter().isActive()) {
            if (!pdf_ && !ended()) {
                printer_->abort();
            }
            rawPainter().end();
        }
    }

  protected:
    double dotsPerInch() const override { return printer_->resolution(); }

    QSizeF printableMillimetres() const override {
        return printer_->pageLayout().paintRect(QPageLayout::Millimeter).size();
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
        fail(kPrinterError, QStringLiteral("The printer stopped during the document."));
    }

    void finish() override {
        if (!rawPainter().end() || printer_->printerState() == QPrinter::Error) {
            fail(kPrinterError, QStringLiteral("The document could not be completed on %1.")
                                    .arg(pdf_ ? pdfFile_ : printer_->printerName()));
        }
        if (pdf_) {
            if (!giveRightsOf(pdf_->fileName(), pdfFile_)) {
                fail(kFileAccess, QStringLiteral("The file %1 cannot be written.").arg(pdfFile_));
            }
            std::error_code error;
            std::filesystem::rename(pdf_->fileName().toStdString(), pdfFile_.toStdString(), error);
            if (error) {
                fail(kFileAccess, QStringLiteral("The file %1 cannot be written: %2")
                                      .arg(pdfFile_, QString::fromStdString(error.message())));
            }
            pdf_->setAutoRemove(false);
        }
    }

  private:
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
    std::unique_ptr<QTemporaryFile> pdf_;
    QString pdfFile_;
    mutable std::optional<QFontMetricsF> design_;
    mutable QFont designFont_;
};

std::unique_ptr<platform::Page> openSystemPrinter(const QPrinterInfo& info) {
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    return std::make_unique<PrinterPage>(std::move(printer), nullptr, QString());
}

OpenedPrinter openDefault(const QString& pdfFileIfNoPrinter) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        if (pdfFileIfNoPrinter.isEmpty()) {
            fail(kNoPdfFolder, QStringLiteral("No export folder is chosen: there is no printer and "
                                              "the page cannot be written as a PDF."));
        }
        return {openPdfPrinter(pdfFileIfNoPrinter), pdfFileIfNoPrinter};
    }
    return {openSystemPrinter(info), QString()};
}

PrinterFactory& factory() {
    static PrinterFactory current = openDefault;
    return current;
}

}  // namespace

std::unique_ptr<platform::Page> openPdfPrinter(const QString& pdfFile) {
    if (pdfFile.isEmpty()) {
        fail(kNoPdfFolder, QStringLiteral("The PDF has no file name."));
    }
    const QFileInfo target(pdfFile);
    auto temporary =
        std::make_unique<QTemporaryFile>(target.absolutePath() + QStringLiteral("/.") +
                                         target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temporary->open()) {
        fail(kFileAccess, QStringLiteral("The file %1 cannot be written: %2")
                              .arg(pdfFile, temporary->errorString()));
    }
    temporary->close();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(temporary->fileName());
    printer->setResolution(kPdfDotsPerInch);
    printer->setDocName(target.completeBaseName());
    printer->setFullPage(false);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(kPdfMarginMillimetres, kPdfMarginMillimetres,
                                                 kPdfMarginMillimetres, kPdfMarginMillimetres),
                                       QPageLayout::Millimeter));
    return std::make_unique<PrinterPage>(std::move(printer), std::move(temporary),
                                         target.absoluteFilePath());
}

OpenedPrinter openPrinter(const QString& pdfFileIfNoPrinter) {
    return factory()(pdfFileIfNoPrinter);
}

QString printDocument(const QString& pdfFileIfNoPrinter,
                      const std::function<void(platform::Page&)>& draw) {
    OpenedPrinter opened = openPrinter(pdfFileIfNoPrinter);
    draw(*opened.page);
    opened.page->endDocument();
    return opened.pdfFile;
}

PrinterFactory replacePrinterFactory(PrinterFactory replacement) {
    PrinterFactory previous = std::move(factory());
    factory() = replacement ? std::move(replacement) : PrinterFactory(openDefault);
    return previous;
}

}  // namespace corvanta::report
