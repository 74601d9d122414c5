#include "tests/support/pdf_words.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include "tests/support/captures.h"

namespace corvanta::test {

namespace {
constexpr double kPointsPerMillimetre = 72 / 25.4;
constexpr int kToolMilliseconds = 20000;
}  // namespace

std::vector<PdfWord> pdfWords(const QString& pdf) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(kToolMilliseconds) || tool.exitCode() != 0) {
        return {};
    }
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
    std::vector<PdfWord> words;
    for (auto it = word.globalMatch(QString::fromUtf8(tool.readAllStandardOutput()));
         it.hasNext();) {
        const auto m = it.next();
        // pdftotext writes XML: the five entities stand for their characters.
        QString text = m.captured(4);
        text.replace(QStringLiteral("&apos;"), QStringLiteral("'"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.push_back({text, m.captured(1).toDouble() / kPointsPerMillimetre,
                         m.captured(2).toDouble() / kPointsPerMillimetre,
                         m.captured(3).toDouble() / kPointsPerMillimetre});
    }
    return words;
}

PdfWord pdfWord(const std::vector<PdfWord>& words, const QString& text) {
    for (const PdfWord& word : words) {
        if (word.text == text) {
            return word;
        }
    }
    return {};
}

bool renderPdf(const QString& pdf, const QString& name) {
    const QString copy = Dossier_Captures() + u'/' + name + QStringLiteral(".pdf");
    if (QFileInfo(pdf) != QFileInfo(copy)) {
        QFile::remove(copy);
        if (!QFile::copy(pdf, copy)) {
            return false;
        }
    }
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, Dossier_Captures() + u'/' + name});
    return render.waitForFinished(kToolMilliseconds) && render.exitCode() == 0;
}

}  // namespace corvanta::test
