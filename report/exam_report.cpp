#include "report/exam_report.h"

#include <algorithm>

#include "app/etat_application.h"
#include "platform/error.h"
#include "platform/sqlite_statement.h"
#include "report/picture_files.h"
#include "report/report_texts.h"

namespace corvanta::report {

void ExamRow::set(const QString& column, const platform::Value& value) {
    values_.insert(column.toLower(), value);
}

bool ExamRow::has(const QString& column) const {
    return values_.contains(column.toLower());
}

const platform::Value& ExamRow::value(const QString& column) const {
    const auto found = values_.constFind(column.toLower());
    if (found == values_.cend())
        throw Error(platform::db_error::kItemNotFound, "Recordset",
                    "Item not found in this collection: " + column.toStdString());
    return *found;
}

QString ExamRow::text(const QString& column) const {
    return value(column).toTextOrEmpty();
}

std::optional<QString> ExamRow::optionalText(const QString& column) const {
    const platform::Value& v = value(column);
    if (v.isNull())
        return std::nullopt;
    return v.kind() == platform::Value::Kind::Blob ? QString::fromLatin1(v.toBlob()) : v.toText();
}

bool ExamRow::ticked(const QString& column) const {
    const std::optional<std::int64_t> v = choice(column);
    return v && *v == 1;
}

std::optional<std::int64_t> ExamRow::choice(const QString& column) const {
    const platform::Value& v = value(column);
    switch (v.kind()) {
        case platform::Value::Kind::Integer:
            return v.toInt64();
        case platform::Value::Kind::Real: {
            const double d = v.toDouble();
            if (d != static_cast<double>(static_cast<std::int64_t>(d)))
                return std::nullopt;
            return static_cast<std::int64_t>(d);
        }
        case platform::Value::Kind::Text: {
            bool ok = false;
            const std::int64_t n = v.toText().trimmed().toLongLong(&ok);
            return ok ? std::optional<std::int64_t>(n) : std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

std::optional<QByteArray> ExamRow::curve(const QString& column) const {
    const platform::Value& v = value(column);
    if (v.isNull())
        return std::nullopt;
    if (v.kind() == platform::Value::Kind::Blob)
        return v.toBlob();
    return v.toText().toLatin1();
}

QString examTitle(const ExamRow& row) {
    return reportTitle(row.text(QStringLiteral("Nom_Patient")),
                       row.text(QStringLiteral("Prenom_Patient")),
                       row.text(QStringLiteral("Num_Examen")));
}

namespace {

QString keptPart(const QString& number, const QString& key, const QString& extension) {
    return u' ' + examNumberText(number) +
           (key.isEmpty() ? QString() : QStringLiteral(" #") + key) + extension;
}

}  // namespace

QString examFile(const QString& folder, const ExamRow& row, const QString& extension,
                 bool withKey) {
    const QString key = withKey ? row.text(QStringLiteral("Code_Examen")) : QString();
    return fileInFolder(
        folder,
        row.text(QStringLiteral("Nom_Patient")) + u' ' + row.text(QStringLiteral("Prenom_Patient")),
        keptPart(row.text(QStringLiteral("Num_Examen")), key, extension));
}

QString examFileName(const QString& surname, const QString& givenName, const QString& number,
                     const QString& key, const QString& extension) {
    return fileName(surname + u' ' + givenName, keptPart(number, key, extension));
}

QString examFileNames(const QString& surname, const QString& givenName, const QString& number,
                      const QString& extension) {
    const QString kept = safeFileName(keptPart(number, QString(), extension));
    return examFileName(surname, givenName, number, QString(), extension).chopped(kept.size());
}

DoctorDetails currentDoctor(const Etat_Application& etat) {
    const std::size_t slot = etat.Medecin_Courant >= 1 && etat.Medecin_Courant <= 3
                                 ? static_cast<std::size_t>(etat.Medecin_Courant)
                                 : 1;
    return {etat.Nom_Medecin[slot], etat.Adresse1_Medecin[slot], etat.Adresse2_Medecin[slot],
            etat.Tel_Medecin[slot], etat.Fax_Medecin[slot],      etat.Inscription_Medecin[slot]};
}

const QString& ExamReportInput::text(int form, int number) const {
    static const QString empty;
    return texts ? (*texts)(form, number) : empty;
}

std::function<std::vector<std::uint8_t>(const QByteArray&)> libraryFilter(
    quorel::LibraryBinding& library, int average, int lowPass, int count) {
    const int n = std::clamp(count, 0, kTaille_Courbe);
    return [&library, average, lowPass, n](const QByteArray& raw) {
        std::array<std::uint8_t, kTaille_Courbe> source{};
        std::copy_n(raw.constData(), std::min<qsizetype>(raw.size(), kTaille_Courbe),
                    source.begin());
        std::vector<std::uint8_t> filtered(kTaille_Courbe, 0);
        if (n > 0)
            library.smooth_filter()(source.data(), filtered.data(), average, lowPass, n);
        filtered.resize(static_cast<std::size_t>(n));
        return filtered;
    };
}

}  // namespace corvanta::report
