#pragma once

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <vector>

#include "app/libelle.h"
#include "platform/recording_page.h"
#include "report_picture/export_pages.h"
#include "report_picture/report_export.h"
#include "tests/page_layer/page_fixture.h"

namespace corvanta::test {

// Every text of forms 4, 6 and 7 reads as its own number: (4,45) is "4.45".
inline const Libelles& numberedTexts() {
    static const Libelles texts = [] {
        Libelles t;
        for (int form : {4, 6, 7}) {
            for (int n = 0; n < Libelles::kTexts; ++n)
                t.set(form, n, QStringLiteral("%1.%2").arg(form).arg(n));
        }
        return t;
    }();
    return texts;
}

// An exam of `type` for "Martin Anne", number 3: both curves at a constant level of
// `level`, dated "12/03/2024 D" and "12/03/2024 G", no comment, nothing ticked, empty
// details, conclusion "Sinusite". The zones are those of fresh settings; the filter
// gives the raw samples back, up to the point count.
inline report::ExamReportInput sampleExam(int type, int level = 64) {
    using platform::Value;
    report::ExamReportInput input;
    input.examType = type;
    const auto zones = defaultZones();
    std::copy_n(zones.begin(), 4, input.zones.begin());
    input.texts = &numberedTexts();
    input.filter = [](const QByteArray& raw) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(raw.constData());
        return std::vector<std::uint8_t>(bytes, bytes + std::min<qsizetype>(raw.size(), 400));
    };
    report::ExamRow& row = input.row;
    row.set("Nom_Patient", Value("Martin"));
    row.set("Prenom_Patient", Value("Anne"));
    row.set("Num_Examen", Value(3));
    for (const char* side : {"Courbes_Droites", "Courbes_Gauches"}) {
        const QString prefix = QString::fromLatin1(side);
        row.set(prefix + ".Courbe", Value(QByteArray(400, static_cast<char>(level))));
        row.set(prefix + ".DATE", Value(QStringLiteral("12/03/2024 ") + prefix[8]));
        row.set(prefix + ".Commentaire_Courbe", Value());
    }
    const QString unticked = QStringLiteral(
        "Echogramme_Droit_Normal Echogramme_Droit_Occupe Echogramme_Droit_Evocateur "
        "Echogramme_Droit_Autres Echogramme_Gauche_Normal Echogramme_Gauche_Occupe "
        "Echogramme_Gauche_Evocateur Echogramme_Gauche_Autres Echogramme_Tumeur_Normal "
        "Echogramme_Tumeur_Liquide Echogramme_Tumeur_Homogene Echogramme_Tumeur_Heterogene "
        "Echogramme_Tumeur_Autres Decision_Lavage Decision_Scanner Decision_Traitement_Medical "
        "Decision_Traitement_Endoscopie Decision_Traitement_Chirurgical Decision_Drainage "
        "Decision_Ponction Decision_Traitement_Cervicotomie");
    for (const QString& column : unticked.split(u' '))
        row.set(column, Value(0));
    for (const char* side : {"Droit", "Gauche", "Tumeur"})
        row.set(QStringLiteral("Echogramme_%1_Autres_Detail").arg(side), Value(""));
    for (const char* decision : {"Medical", "Chirurgical"})
        row.set(QStringLiteral("Decision_Traitement_%1_Detail").arg(decision), Value(""));
    row.set("Examen_Compatible", Value("Sinusite"));
    return input;
}

inline void tick(report::ExamReportInput& input, std::initializer_list<const char*> columns) {
    for (const char* column : columns)
        input.row.set(column, platform::Value(1));
}

// The three pictures, by the exam type that shows each.
inline report::PictureDrawer drawerOf(int type) {
    switch (type) {
        case 2:
            return report::drawPleuraPicture;
        case 3:
            return report::drawTumourPicture;
        default:
            return report::drawSinusPicture;
    }
}

}  // namespace corvanta::test
