#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/chargement_libelles.h"
#include "app/etat_application.h"
#include "platform/database.h"
#include "platform/error.h"
#include "report_print/print_exam_report.h"
#include "report_print/printer_page.h"
#include "tests/report_print/report_fixture.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"
#include "tests/support/pdf_words.h"
#include "tools/device_simulator/echo_curve.h"

namespace {

using namespace corvanta::report;
using corvanta::platform::Value;
using corvanta::test::pdfWord;

constexpr double kPointsPerMillimetre = 72 / 25.4;
// Liberation Sans: (ascent 1854 + descent 434) / 2048 of the em.
constexpr double kLineOfEm = (1854 + 434) / 2048.0;
constexpr double kMargin = 5;

double lineHeight(double points) {
    return points * kLineOfEm / kPointsPerMillimetre;
}

// The pleura and tumour windows' report texts ("form|number|text;"), until those
// windows bring theirs.
const char* const kOtherForms = R"(
6|19|Remarque;6|23|Normal;6|24|Epanchement;6|25|Evocateur de collection liquidienne;
6|27|Conclusion;6|28|Décision;6|29|Scanner thoracique;6|30|Drainage;
6|31|Ponction exploratrice;6|35|Compte rendu d'échographie pleurale;
6|37|Examen demandé par le Docteur;6|39|Assis;6|40|Couché;6|41|Autre position;
6|42|Corpulence;6|43|Mince;6|44|Moyenne;6|45|Forte;6|46|N° de Sécurité Sociale :;
6|47|Né(e) le;6|48|Conditions de l'examen;6|49|Résultats de l'échographie pleurale;
6|50|Plèvre droite;6|51|Plèvre gauche;6|52|Signature;6|53|Cachet du médecin;
7|4| Imagerie Récente ;7|45|Normal;7|46|Tumeur à contenu liquidien;
7|47|Tumeur solide homogène;7|48|Tumeur solide hétérogène;7|49|Conclusion;7|50|Décision;
7|65|Examen demandé par le Docteur;7|66|Indication;7|67|Douleur cervicale;
7|68|Douleur à la déglutition;7|69|Douleur irradiant à l'oreille;7|70|Dysphagie;
7|73|Fièvre;7|77|Echographie B normale;7|78|Echographie B pathologique;
7|79|Echographie B douteuse;7|80|Scanner normal;7|81|Scanner pathologique;
7|82|Scanner douteux;7|83|Résultats de l'échographie cervicale;7|86|Echogramme;
7|88|Signature;7|89|Cachet du médecin;7|90|Scanner cervical;7|91|Cervicotomie;
7|96|N° de Sécurité Sociale :;7|97|Né(e) le;7|100|Compte rendu d'échographie cervicale;
7|101|Echographie en mode A;7|102|Appareil mis en service le;)";

// Real exams in a real database, printed as PDFs into an export folder; the printer is
// always the PDF, whatever printers the machine has.
class PdfReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        corvanta::test::Application();
        previous_ = replacePrinterFactory(openPdfDocument);
        base = std::make_unique<corvanta::platform::Database>(dossier.base());
        corvanta::Charger_Libelles(*base, QStringLiteral("Francais"), texts);
        for (const QString& entry : QString::fromUtf8(kOtherForms).split(u';')) {
            const QStringList field = entry.trimmed().split(u'|');
            if (field.size() == 3 && texts(field[0].toInt(), field[1].toInt()).isEmpty()) {
                texts.set(field[0].toInt(), field[1].toInt(), field[2]);
            }
        }
        ASSERT_TRUE(QDir().mkpath(folder()));
    }
    void TearDown() override { replacePrinterFactory(std::move(previous_)); }

    QString folder() const { return dossier.fichier(QStringLiteral("export")); }

    std::int64_t curve(std::int64_t patient, int type, unsigned seed, const QString& date,
                       const QString& comment) {
        const std::vector<std::uint8_t> samples = corvanta::simulator::EchoCurve(seed).next(400);
        base->execute(
            "INSERT INTO Courbes (Code_Type, Code_Patient, DATE, Commentaire_Courbe, COURBE) "
            "VALUES (?, ?, ?, ?, ?)",
            {type, patient, date, comment,
             QByteArray(reinterpret_cast<const char*>(samples.data()), 400)});
        return base->lastInsertKey();
    }

    // A patient with every detail, his exam of `type` numbered 3 with two curves and the
    // given findings, read back by key as the window reads the exam it shows.
    ExamReportInput exam(int type, const std::vector<std::pair<QString, Value>>& findings) {
        base->execute(
            "INSERT INTO Patients (Nom_Patient, Prenom_Patient, Adresse1_Patient, "
            "Adresse2_Patient, CodePostal_Patient, Ville_Patient, Telephone1_Patient, "
            "Telephone2_Patient, Date_Naissance_Patient, NumeroSS_Patient) "
            "VALUES ('Durand', 'Marie', '12 rue des Lilas', 'Bâtiment B', '69003', 'Lyon', "
            "'04 78 12 34 56', '04 72 98 76 54', '14/02/1961', '2 61 02 69 123 456')");
        const std::int64_t patient = base->lastInsertKey();
        const std::int64_t right =
            curve(patient, type, 1, "12/03/2024 10:02", "Echo de paroi\r\nà 12 mm");
        const std::int64_t left = curve(patient, type, 2, "12/03/2024 10:05", "");
        QStringList names = {"\"Code_ Patient\"",
                             "Code_Type",
                             "Num_Examen",
                             "Docteur_Patient",
                             "Echogramme_Droit_Num_Courbe",
                             "Echogramme_Gauche_Num_Courbe",
                             "Examen_Compatible"};
        std::vector<Value> values = {patient,
                                     type,
                                     "3",
                                     "Dr Bernard",
                                     right,
                                     left,
                                     "Aspect compatible avec une sinusite maxillaire droite "
                                     "aiguë ; contrôle à distance après traitement."};
        for (const auto& [name, value] : findings) {
            names << name;
            values.push_back(value);
        }
        base->execute(QStringLiteral("INSERT INTO Examens (%1) VALUES (%2)")
                          .arg(names.join(", "), QStringList(names.size(), "?").join(", ")),
                      values);
        const auto rows = base->openRecordset(
            "SELECT * FROM Examens_Complets WHERE Code_Examen = ?", {base->lastInsertKey()});

        ExamReportInput input;
        input.row = corvanta::test::rowOf(*rows);
        corvanta::test::setProgramValues(input);
        input.examType = type;
        input.commissioningDate = QStringLiteral("15/09/21");
        input.doctor = {"Anne Lambert",   "3 place Bellecour", "69002 Lyon",
                        "04 78 00 11 22", "04 78 00 11 23",    "69/12345"};
        input.texts = &texts;
        input.filter = corvanta::test::libraryFilter();
        return input;
    }

    corvanta::test::Dossier_Travail dossier;
    std::unique_ptr<corvanta::platform::Database> base;
    corvanta::Libelles texts;

  private:
    PrinterFactory previous_;
};

TEST_F(PdfReportTest, EachWindowsReportLandsAsAPdfWithItsBlocksInPlace) {
    struct Case {
        ReportWindow window;
        int type;
        std::vector<std::pair<QString, Value>> findings;
        const char* shot;
    };
    const Case cases[] = {
        {ReportWindow::Sinus,
         0,
         {{"Origine_Examen_Douleur", 1},
          {"Origine_Examen_Douleur_Type", 0},
          {"Origine_Examen_Obstruction", 1},
          {"Origine_Examen_Fievre", 1},
          {"Imagerie_Face_Standard", 1},
          {"Imagerie_Face_Standard_Status", 1},
          {"Echogramme_Droit_Occupe", 1},
          {"Echogramme_Gauche_Normal", 1},
          {"Decision_Traitement_Medical", 1},
          {"Decision_Traitement_Medical_Detail", "Amoxicilline 8 jours"}},
         "report_print_sinus"},
        {ReportWindow::Plevre,
         2,
         {{"Condition_Position", 0},
          {"Condition_Corpulence", 1},
          {"Condition_Remarque", "Patient dyspnéique"},
          {"Echogramme_Droit_Evocateur", 1},
          {"Echogramme_Gauche_Normal", 1},
          {"Decision_Ponction", 1}},
         "report_print_plevre"},
        {ReportWindow::Tumeur,
         3,
         {{"Origine_Examen_Dysphagie", 1},
          {"Imagerie_Echo_B", 1},
          {"Imagerie_Echo_B_Status", 1},
          {"Echogramme_Tumeur_Liquide", 1},
          {"Decision_Traitement_Cervicotomie", 1}},
         "report_print_tumeur"},
    };
    for (const Case& k : cases) {
        const ExamReportInput input = exam(k.type, k.findings);
        const QString pdf = printExamReport(input, k.window, folder());
        EXPECT_EQ(pdf, folder() + "/Durand Marie 03.pdf");
        EXPECT_TRUE(corvanta::test::renderPdf(pdf, k.shot));
        const auto words = corvanta::test::pdfWords(pdf);
        ASSERT_FALSE(words.empty()) << k.shot;

        // The title's line is centred on the printable width, its top at 3 mm.
        const auto& title = words.front();
        EXPECT_EQ(title.text, "Compte") << k.shot;
        EXPECT_NEAR(title.top, kMargin + 3, 0.3) << k.shot;
        double right = title.right;
        for (const auto& word : words) {
            if (std::abs(word.top - title.top) < 0.1) {
                right = std::max(right, word.right);
            }
        }
        EXPECT_NEAR((title.left + right) / 2, kMargin + 100, 0.3) << k.shot;

        // The patient block from 41 mm: the doctor's line, an empty one, then two columns.
        const Label referring = printedReport(k.window).referringDoctor;
        const auto doctor =
            pdfWord(words, texts(referring.form, referring.number).section(u' ', 0, 0));
        EXPECT_NEAR(doctor.left, kMargin + 10, 0.3) << k.shot;
        EXPECT_NEAR(doctor.top, kMargin + 41, 0.3) << k.shot;
        const double columnTop = kMargin + 41 + 2 * lineHeight(12);
        EXPECT_NEAR(pdfWord(words, "Durand").top, columnTop, 0.3) << k.shot;
        EXPECT_NEAR(pdfWord(words, "Durand").left, kMargin + 10, 0.3) << k.shot;
        EXPECT_NEAR(pdfWord(words, "Lilas").top, columnTop, 0.3) << k.shot;
        EXPECT_NEAR(pdfWord(words, "12").left, kMargin + 110, 0.3) << k.shot;

        // The letterhead: the doctor's name one of its own lines under the box's top, from
        // a fifteenth of a half past the dividing line.
        const auto name = pdfWord(words, "Anne");
        EXPECT_NEAR(name.left, kMargin + 140 + 50 / 15.0, 0.3) << k.shot;
        EXPECT_NEAR(name.top, kMargin + 242 + lineHeight(8), 0.3) << k.shot;
        EXPECT_NEAR(pdfWord(words, "69/12345").top, kMargin + 242 + 8 * lineHeight(8), 0.3);
    }
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Durand Marie 03.pdf"});
}

// A 199-character conclusion in capitals, as many practices type it, prints whole on each
// window's report: every word is on the page, the last ones too. A tab and U+0001 in the
// names print as blanks.
TEST_F(PdfReportTest, ACapitalConclusionPrintsWholeAndControlCharactersAsBlanks) {
    const QString conclusion = corvanta::test::capitalConclusion();
    ASSERT_EQ(conclusion.size(), 199);
    for (const auto& [window, type] : {std::pair{ReportWindow::Sinus, 0},
                                       {ReportWindow::Plevre, 2},
                                       {ReportWindow::Tumeur, 3}}) {
        ExamReportInput input = exam(type, {});
        input.row.set("Examen_Compatible", conclusion);
        input.row.set("Nom_Patient", "DU\tPONT");
        input.row.set("Prenom_Patient", QString("Marie\u0001Anne"));
        const QString pdf = printExamReport(input, window, folder());
        const auto words = corvanta::test::pdfWords(pdf);
        QStringList printed;
        for (const auto& word : words) {
            printed << word.text;
            EXPECT_FALSE(word.text.contains(u'\t') || word.text.contains(QChar(1)));
        }
        for (const QString& word : conclusion.split(u' ', Qt::SkipEmptyParts))
            EXPECT_TRUE(printed.contains(word)) << word.toStdString() << " " << type;
        for (const char* name : {"DU", "PONT", "Marie", "Anne"})
            EXPECT_TRUE(printed.contains(name)) << name;
    }
}

TEST_F(PdfReportTest, AFailedPageLeavesNoFileAndHostileNamesStayInTheFolder) {
    ExamReportInput input = exam(0, {});
    input.row.set("Nom_Patient", "../../Dupont");
    input.row.set("Num_Examen", "7");
    const QString pdf = printExamReport(input, ReportWindow::Sinus, folder());
    EXPECT_EQ(pdf, folder() + "/.._.._Dupont Marie 07.pdf");
    ASSERT_TRUE(QFile::exists(pdf));

    // The row read half-way lacks the conclusion: the job is cancelled, the older report
    // of that name stays whole.
    const QByteArray older = [&pdf] {
        QFile file(pdf);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ExamRow partial;
    for (const QString column :
         {"Docteur_Patient", "Nom_Patient", "Prenom_Patient", "Num_Examen", "Code_Type"}) {
        partial.set(column, input.row.value(column));
    }
    input.row = partial;
    EXPECT_THROW(printExamReport(input, ReportWindow::Sinus, folder()), corvanta::Error);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{".._.._Dupont Marie 07.pdf"});
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), older);

    try {
        printExamReport(input, ReportWindow::Sinus, QString());
        ADD_FAILURE() << "no export folder";
    } catch (const corvanta::Error& error) {
        EXPECT_EQ(error.number(), 76);
    }
}

TEST_F(PdfReportTest, ADoctorSlotOutsideOneToThreeIsTakenAsSlotOne) {
    corvanta::Etat_Application etat;
    for (std::size_t slot = 1; slot <= 3; ++slot) {
        etat.Nom_Medecin[slot] = QStringLiteral("Dr %1").arg(slot);
        etat.Inscription_Medecin[slot] = QStringLiteral("69/%1").arg(slot);
    }
    for (const auto& [slot, expected] :
         {std::pair{1, 1}, {2, 2}, {3, 3}, {0, 1}, {4, 1}, {-3, 1}, {1000, 1}}) {
        etat.Medecin_Courant = slot;
        const DoctorDetails doctor = currentDoctor(etat);
        EXPECT_EQ(doctor.name, QStringLiteral("Dr %1").arg(expected)) << slot;
        EXPECT_EQ(doctor.registration, QStringLiteral("69/%1").arg(expected)) << slot;
    }
}

}  // namespace
