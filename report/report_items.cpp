#include "report/report_items.h"

#include <array>

namespace corvanta::report {

std::optional<Label> ChosenLabel::pick(std::optional<std::int64_t> type) const {
    if (byType.empty()) {
        return fixed;
    }
    for (const auto& [code, label] : byType) {
        if (type == code) {
            return label;
        }
    }
    return std::nullopt;
}

ReportItem labelled(const char* flag, Label label) {
    return {QString::fromLatin1(flag), {label}, QString(), QString()};
}

ReportItem chosen(const char* flag, const char* choice, std::vector<Label> labels) {
    return {QString::fromLatin1(flag), std::move(labels), QString::fromLatin1(choice), QString()};
}

ReportItem detailed(const char* flag, const char* detail) {
    return {QString::fromLatin1(flag), {}, QString(), QString::fromLatin1(detail)};
}

std::vector<ReportItem> sideFindings(const QString& side, int form, int normal) {
    const QString prefix = QStringLiteral("Echogramme_") + side + u'_';
    return {{prefix + "Normal", {{form, normal}}, {}, {}},
            {prefix + "Occupe", {{form, normal + 1}}, {}, {}},
            {prefix + "Evocateur", {{form, normal + 2}}, {}, {}},
            {prefix + "Autres", {}, {}, prefix + "Autres_Detail"}};
}

CurveColumns curveColumns(std::size_t graph) {
    static constexpr std::array<const char*, 2> kCurves = {"Courbes_Droites", "Courbes_Gauches"};
    const QString prefix = QString::fromLatin1(kCurves.at(graph)) + u'.';
    return {prefix + QStringLiteral("Courbe"), prefix + QStringLiteral("DATE"),
            prefix + QStringLiteral("Commentaire_Courbe")};
}

QString labelText(const ExamReportInput& input, Label label) {
    return input.text(label.form, label.number);
}

std::optional<QString> chosenText(const ExamReportInput& input, const QString& column,
                                  std::span<const Label> labels) {
    const std::optional<std::int64_t> v = input.row.choice(column);
    if (v && *v >= 0 && *v < static_cast<std::int64_t>(labels.size())) {
        return labelText(input, labels[static_cast<std::size_t>(*v)]);
    }
    return std::nullopt;
}

std::vector<Finding> itemLines(const ExamReportInput& input, std::span<const ReportItem> items) {
    std::vector<Finding> found;
    found.reserve(items.size());
    for (const ReportItem& item : items) {
        Finding line{false, QString()};
        if (input.row.ticked(item.flag)) {
            if (!item.detail.isEmpty()) {
                line = {true, input.row.text(item.detail)};
            } else if (!item.choice.isEmpty()) {
                if (const std::optional<QString> label =
                        chosenText(input, item.choice, item.labels)) {
                    line = {true, *label};
                }
            } else {
                line = {true, labelText(input, item.labels.front())};
            }
        }
        found.push_back(line);
    }
    return found;
}

}  // namespace corvanta::report
