#include "tests/report_print/report_fixture.h"

#include "app/quorel_binding.h"
#include "platform/database.h"
#include "tests/support/dossier_travail.h"

namespace corvanta::test {

using platform::PageOperation;

Libelles numberedTexts() {
    Libelles texts;
    for (const int form : {1, 4, 6, 7}) {
        for (int number = 0; number < Libelles::kTexts; ++number) {
            texts.set(form, number, QStringLiteral("%1.%2").arg(form).arg(number));
        }
    }
    return texts;
}

QString capitalConclusion() {
    return QStringLiteral(
               "ASPECT \u00c9CHOGRAPHIQUE COMPATIBLE AVEC UNE SINUSITE MAXILLAIRE DROITE "
               "AIGU\u00cb AVEC NIVEAU LIQUIDE ; CONTR\u00d4LE CONSEILL\u00c9 APR\u00c8S "
               "HUIT JOURS DE TRAITEMENT M\u00c9DICAL, PUIS AVIS SP\u00c9CIALIS\u00c9 "
               "EN CAS D'\u00c9CHEC OU DE R\u00c9CIDIVE PR\u00c9COCE.")
        .left(199);
}

report::ExamRow rowOf(const platform::Recordset& rows) {
    report::ExamRow row;
    for (int i = 0; i < rows.fieldCount(); ++i) {
        row.set(rows.fieldName(i), rows.field(i));
    }
    return row;
}

report::ExamRow blankExamRow() {
    static const report::ExamRow blank = [] {
        platform::Database base(Base_Construite());
        const auto rows = base.openRecordset(QStringLiteral("Examens_Complets"));
        report::ExamRow row;
        for (int i = 0; i < rows->fieldCount(); ++i) {
            row.set(rows->fieldName(i), platform::Value());
        }
        return row;
    }();
    return blank;
}

void setProgramValues(report::ExamReportInput& input) {
    input.examType = 0;
    input.zones[0] = Zone_Sensible{7, 15, 68, 0, 0, 0, 1};
    input.zones[1] = Zone_Sensible{35, 50, 30, 0, 0, 0, 1};
    input.pointCount = 400;
    input.commissioningDate = QStringLiteral("01/01/99");
    input.doctor.name = QStringLiteral("Dr Lambert");
}

std::function<std::vector<std::uint8_t>(const QByteArray&)> libraryFilter() {
    return [](const QByteArray& raw) {
        std::vector<std::uint8_t> out(400);
        quorel::SmoothFilter(reinterpret_cast<const std::uint8_t*>(raw.constData()), out.data(), 2,
                             1, 400);
        return out;
    };
}

ReportCase::ReportCase() : texts(numberedTexts()) {
    input.row = blankExamRow();
    setProgramValues(input);
    input.texts = &texts;
}

std::vector<PrintedLine> printedLines(const platform::RecordingPage& page) {
    std::vector<PrintedLine> lines;
    const auto& all = page.entries();
    for (std::size_t i = 1; i < all.size(); ++i) {
        const PageOperation::Kind kind = all[i].operation.kind;
        if (kind == PageOperation::Kind::PrintLine || kind == PageOperation::Kind::PrintOnLine) {
            const platform::PageState& before = all[i - 1].after;
            lines.push_back({all[i].operation.text, before.x, before.y, before});
        }
    }
    return lines;
}

std::vector<PrintedLine> linesFrom(const platform::RecordingPage& page, const QString& from,
                                   std::size_t count) {
    const std::vector<PrintedLine> all = printedLines(page);
    auto first = all.begin();
    while (first != all.end() && !from.isEmpty() && first->text != from) {
        ++first;
    }
    const auto last =
        first + static_cast<std::ptrdiff_t>(std::min<std::size_t>(count, all.end() - first));
    return {first, last};
}

}  // namespace corvanta::test
