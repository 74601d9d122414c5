// The main window's two print buttons on a real database: what reaches the printer, the PDF
// written where there is no printer, and failures.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

#include "platform/recordset.h"
#include "platform/settings_store.h"
#include "report_print/printer_page.h"
#include "tests/page_layer/page_fixture.h"
#include "tests/support/captures.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/workstation.h"
#include "tools/device_simulator/echo_curve.h"

namespace corvanta::test {
namespace {

using Entry = platform::RecordingPage::Entry;

// A recording printer that hands its operations over when its document is done with.
class Page_Gardee : public platform::RecordingPage {
  public:
    explicit Page_Gardee(std::vector<std::vector<Entry>>& documents)
        : RecordingPage(QSizeF(200, 287)), documents_(documents) {}
    ~Page_Gardee() override { documents_.push_back(entries()); }

  private:
    std::vector<std::vector<Entry>>& documents_;
};

struct PrintingWorkstation : Workstation {
    PrintingWorkstation() {
        ancienne = report::replacePrinterFactory([this](const report::PdfTarget&) {
            return report::OpenedPrinter{std::make_unique<Page_Gardee>(documents), QString()};
        });
        p = patient(QStringLiteral("O/Brien"), QStringLiteral("Ann"));
        dossier.executer_sql(
            QStringLiteral("UPDATE Patients SET NumeroSS_Patient = '2 60 01', "
                           "Date_Naissance_Patient = '01/02/1960'"));
    }
    ~PrintingWorkstation() { report::replacePrinterFactory(ancienne); }

    std::vector<QString> textes(std::size_t document) const {
        std::vector<QString> t;
        for (const Entry& e : documents.at(document)) {
            if (e.operation.kind == Kind::PrintLine || e.operation.kind == Kind::PrintOnLine)
                t.push_back(e.operation.text);
        }
        return t;
    }
    std::size_t traits(std::size_t document, int pen, const QColor& colour = Qt::black) const {
        return static_cast<std::size_t>(std::count_if(
            documents.at(document).begin(), documents.at(document).end(), [&](const Entry& e) {
                return e.operation.kind == Kind::LineTo && e.after.lineWidth == pen &&
                       e.operation.colour.value_or(e.after.foreColor) == colour;
            }));
    }
    void choisir(Echo& echo, std::int64_t patient) {
        echo.Liste_Nom->setCurrentIndex(echo.Liste_Nom->findData(static_cast<qlonglong>(patient)));
    }

    report::PrinterFactory ancienne;
    std::vector<std::vector<Entry>> documents;
    std::int64_t p = 0;
};

bool contient(const std::vector<QString>& textes, const QString& texte) {
    return std::find(textes.begin(), textes.end(), texte) != textes.end();
}

TEST(CurvePrinting, TheChosenCurvePrintsByItsIdWithThePatientByKey) {
    PrintingWorkstation poste;
    const std::int64_t autre = poste.patient(QStringLiteral("Autre"), QStringLiteral("Bob"));
    poste.courbe(poste.p, 0, QStringLiteral("a"), QByteArray(400, '\x30'), 0, 0,
                 QStringLiteral("premier\r\nsecond"));
    poste.courbe(poste.p, 0, QStringLiteral("b"));
    poste.courbe(autre, 0, QStringLiteral("de Bob"));
    Echo& echo = poste.demarrer();
    Etat_Application& etat = *poste.etat;
    const Libelles& l = etat.Libelle;
    poste.choisir(echo, poste.p);
    etat.Nombre_Points = 50;
    echo.List1->setCurrentRow(1);
    // An exam window moves the shared recordsets to another patient and his curves.
    etat.Table_Courbes = etat.Base_Donnees->openRecordset(
        QStringLiteral("SELECT * FROM Courbes WHERE Code_Patient = ?"), {autre});
    etat.Table_Patients->findFirst(QStringLiteral("Code_Patient = ?"), {autre});

    echo.Toolbar2_Boutons[3]->trigger();
    ASSERT_EQ(poste.documents.size(), 1u);
    const auto textes = poste.textes(0);
    EXPECT_TRUE(contient(textes, QStringLiteral(" du a")));
    EXPECT_TRUE(contient(textes, QString(16, u' ') + QStringLiteral("second")));
    EXPECT_TRUE(contient(textes, QString(8, u' ') + QStringLiteral("O/Brien Ann")));
    EXPECT_TRUE(contient(textes, QString(8, u' ') + l(1, 45) + QStringLiteral(" 2 60 01")));
    EXPECT_EQ(poste.traits(0, 7), 50u) << "the stored curve stops at the point count";
    EXPECT_EQ(poste.documents[0].back().operation.kind, Kind::EndDocument);

    // No line chosen: nothing printed. A curve deleted meanwhile: a word, no page.
    echo.List1->setCurrentRow(-1);
    echo.Toolbar2_Boutons[3]->trigger();
    echo.List1->setCurrentRow(0);
    etat.Base_Donnees->execute(QStringLiteral("DELETE FROM Courbes WHERE DATE = 'b'"));
    echo.Toolbar2_Boutons[3]->trigger();
    EXPECT_EQ(poste.documents.size(), 1u);
    ASSERT_EQ(poste.messages.boites.size(), 1u);
    EXPECT_EQ(poste.messages.boites[0].titre, l(1, 91));
    EXPECT_EQ(poste.messages.boites[0].texte, l(1, 100));
}

TEST(CurvePrinting, TheAcquisitionPageShowsTheSlotsAndThePatientsCaption) {
    PrintingWorkstation poste;
    const std::int64_t autre = poste.patient(QStringLiteral("Autre"), QStringLiteral("Bob"));
    poste.courbe(poste.p, 0, QStringLiteral("hors case"));
    poste.courbe(poste.p, 0, QStringLiteral("dans la case"), QByteArray(400, '\x60'));
    const std::int64_t plevre = poste.courbe(poste.p, 2, QStringLiteral("plèvre"));
    const std::int64_t sienne = poste.courbe(autre, 0, QStringLiteral("de Bob"));
    Echo& echo = poste.demarrer();
    const Libelles& l = poste.etat->Libelle;
    poste.etat->Base_Donnees->execute(
        QStringLiteral("UPDATE Courbes SET IMPRIMER = 1, COULEUR = 255 WHERE ID IN (?, ?)"),
        {plevre, sienne});
    poste.choisir(echo, poste.p);
    echo.List1->setCurrentRow(0);
    echo.Check1[2]->setChecked(true);

    echo.Bouton_Imprimer_Courbe_Acquisition->click();
    ASSERT_EQ(poste.documents.size(), 1u);
    const QColor case2 = echo.Shape1[2]->palette().color(QPalette::Window);
    EXPECT_EQ(poste.traits(0, 2, case2), 400u);
    EXPECT_EQ(poste.traits(0, 7), 400u);
    const auto textes = poste.textes(0);
    const QString du = l(1, 41) + QStringLiteral(" du ");
    EXPECT_TRUE(contient(textes, du + QStringLiteral("dans la case")));
    EXPECT_TRUE(contient(textes, du + QStringLiteral("plèvre"))) << "every exam type";
    EXPECT_FALSE(contient(textes, du + QStringLiteral("de Bob")));
    EXPECT_FALSE(contient(textes, du + QStringLiteral("hors case")));
    EXPECT_TRUE(contient(textes, QString(8, u' ') + QStringLiteral("O/Brien Ann")));
    EXPECT_TRUE(poste.messages.boites.empty());
}

TEST(CurvePrinting, WithoutAPrinterThePageGoesToAPdfInTheExportFolder) {
    PrintingWorkstation poste;
    report::replacePrinterFactory(report::openPdfDocument);
    Echo& echo = poste.demarrer();
    const Libelles& l = poste.etat->Libelle;
    const QDir exports(poste.dossier.fichier(QStringLiteral("exports")));
    ASSERT_TRUE(exports.mkpath(QStringLiteral(".")));
    echo.Chemin->setText(exports.path());

    echo.Bouton_Imprimer_Courbe_Acquisition->click();  // nobody chosen yet
    poste.choisir(echo, poste.p);
    echo.Bouton_Imprimer_Courbe_Acquisition->click();
    const QStringList pdfs = exports.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    ASSERT_EQ(pdfs.size(), 2) << pdfs.join(", ").toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Courbe \\d{8}-\\d{6}\\.pdf$"))
                    .match(pdfs[0])
                    .hasMatch());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Courbe O_Brien Ann \\d{8}-\\d{6}\\.pdf$"))
                    .match(pdfs[1])
                    .hasMatch());
    ASSERT_EQ(poste.messages.boites.size(), 2u);
    EXPECT_EQ(poste.messages.boites[1].titre, l(1, 91));
    EXPECT_EQ(poste.messages.boites[1].texte, l(1, 92) + u'\n' + exports.filePath(pdfs[1]));
    // The page is in twips from the printable area's corner: "Patient" stands at M = 20 mm
    // right of the 5 mm margin.
    const auto mots = wordsOf(exports.filePath(pdfs[1]));
    const auto mot = mots.find(l(1, 44));
    ASSERT_NE(mot, mots.end());
    EXPECT_NEAR(mot->second.x(), 25, 0.3);

    // A full disk, a folder that is gone or none at all: the error box says which, and no
    // file is left anywhere.
    const std::pair<QString, int> echecs[] = {
        {exports.path(), 126}, {poste.dossier.fichier(QStringLiteral("parti")), 124}, {{}, 122}};
    for (const auto& [dossier, cause] : echecs) {
        echo.Chemin->setText(dossier);
        {
            FileSizeLimit limite(cause == 126 ? 16384 : RLIM_INFINITY);
            echo.Bouton_Imprimer_Courbe_Acquisition->click();
        }
        EXPECT_EQ(poste.messages.boites.back().titre, l(4, 44));
        EXPECT_TRUE(poste.messages.boites.back().texte.contains(l(4, cause))) << cause;
    }
    EXPECT_EQ(poste.messages.boites.size(), 5u);
    EXPECT_EQ(exports.entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_FALSE(QDir(poste.dossier.fichier(QStringLiteral("parti"))).exists());
}

// Six prints of two stored curves in quick succession, within a second or two: each leaves
// its own PDF showing its own curve, a page printed in a second whose name is taken taking
// the next number; none replaces another.
TEST(CurvePrinting, EveryPrintOfACurvePageLeavesItsOwnFile) {
    PrintingWorkstation poste;
    report::replacePrinterFactory(report::openPdfDocument);
    poste.courbe(poste.p, 0, QStringLiteral("premiere-courbe"));
    poste.courbe(poste.p, 0, QStringLiteral("seconde-courbe"));
    Echo& echo = poste.demarrer();
    const Libelles& l = poste.etat->Libelle;
    const QDir exports(poste.dossier.fichier(QStringLiteral("exports")));
    ASSERT_TRUE(exports.mkpath(QStringLiteral(".")));
    echo.Chemin->setText(exports.path());
    poste.choisir(echo, poste.p);
    QStringList ecrits, dates;
    for (int impression = 0; impression < 6; ++impression) {
        echo.List1->setCurrentRow(impression % 2);
        dates << echo.List1->currentItem()->text().section(u' ', 0, 0);
        echo.Toolbar2_Boutons[3]->trigger();
        ASSERT_EQ(poste.messages.boites.size(), 1u);
        ecrits << poste.messages.boites[0].texte.section(u'\n', 1);
        EXPECT_EQ(poste.messages.boites[0].texte, l(1, 92) + u'\n' + ecrits.last());
        poste.messages.boites.clear();
    }
    EXPECT_EQ(exports.entryList(QDir::Files | QDir::Hidden).size(), 6);
    const QRegularExpression nom(
        QStringLiteral("^Courbe O_Brien Ann (\\d{8}-\\d{6})(-(\\d))?\\.pdf$"));
    QMap<QString, int> par_seconde;
    for (int impression = 0; impression < 6; ++impression) {
        const QString fichier = QFileInfo(ecrits[impression]).fileName();
        const QRegularExpressionMatch m = nom.match(fichier);
        ASSERT_TRUE(m.hasMatch()) << fichier.toStdString();
        // The pages of one second are numbered in the order they were printed.
        const int numero = ++par_seconde[m.captured(1)];
        EXPECT_EQ(m.captured(3), numero == 1 ? QString() : QString::number(numero));
        const auto mots = wordsOf(ecrits[impression]);
        EXPECT_EQ(mots.count(dates[impression]), 1u) << fichier.toStdString();
        EXPECT_EQ(mots.count(dates[(impression + 1) % 2]), 0u) << fichier.toStdString();
    }
}

// The commissioning date keeps its four-digit year, from an older settings file or typed on
// the general tab, and prints whole; a text that is not a date is refused when the typing
// ends and the date held before it comes back.
TEST(CurvePrinting, TheCommissioningDatePrintsAsTypedAndATextThatIsNotADateIsRefused) {
    PrintingWorkstation poste;
    const QString G = QStringLiteral("GENERAL"), cle = QStringLiteral("Date MES");
    poste.dossier.ecrire_reglage(G, cle, QStringLiteral("15/03/2024"));
    Echo& echo = poste.demarrer();
    const Libelles& l = poste.etat->Libelle;
    const auto imprimee = [&] {
        echo.Bouton_Imprimer_Courbe_Acquisition->click();
        for (const QString& texte : poste.textes(poste.documents.size() - 1)) {
            if (texte.startsWith(l(1, 38)))
                return texte.mid(l(1, 38).size());
        }
        return QString();
    };
    const auto taper = [&](const QString& texte) {
        echo.Date_MES->selectAll();
        QTest::keyClick(echo.Date_MES, Qt::Key_Delete);
        QTest::keyClicks(echo.Date_MES, texte);
        QTest::keyClick(echo.Date_MES, Qt::Key_Return);
        poste.etat->Registre->sync();
    };
    EXPECT_EQ(echo.Date_MES->text(), QStringLiteral("15/03/2024"));
    EXPECT_EQ(imprimee(), QStringLiteral("15/03/2024"));

    taper(QStringLiteral("1/2/25"));
    EXPECT_EQ(poste.dossier.reglage(G, cle), QStringLiteral("1/2/25"));
    EXPECT_EQ(imprimee(), QStringLiteral("1/2/25  "));
    taper(QStringLiteral("28/02/2026"));
    EXPECT_EQ(imprimee(), QStringLiteral("28/02/2026"));
    EXPECT_TRUE(poste.messages.boites.empty());

    // Passing through "15/03/20" on the way does not make it the date to go back to.
    for (const QString refusee : {"29/02/2026", "15/03/202", "mars 2024", "15.03.2024", ""}) {
        poste.messages.boites.clear();
        taper(refusee);
        ASSERT_EQ(poste.messages.boites.size(), 1u) << refusee.toStdString();
        EXPECT_EQ(poste.messages.boites[0].titre, l(1, 170));
        EXPECT_EQ(poste.messages.boites[0].texte, l(1, 171).arg(refusee));
        EXPECT_EQ(poste.messages.boites[0].icone, QMessageBox::Warning);
        EXPECT_EQ(echo.Date_MES->text(), QStringLiteral("28/02/2026"));
        EXPECT_EQ(poste.dossier.reglage(G, cle), QStringLiteral("28/02/2026"));
        EXPECT_EQ(imprimee(), QStringLiteral("28/02/2026"));
    }
}

// Both pages in both languages, written to <build>/captures/page_courbe_<page>_<langue>.pdf
// for a person to render and look at.
class Capture : public ::testing::TestWithParam<const char*> {};

TEST_P(Capture, RealisticCurvePages) {
    PrintingWorkstation poste;
    const QString langue = QString::fromLatin1(GetParam());
    poste.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Langue"), langue);
    simulator::EchoCurve appareil(7);
    const auto brute = [&appareil] {
        const std::vector<std::uint8_t> c = appareil.next(400);
        return QByteArray(reinterpret_cast<const char*>(c.data()), 400);
    };
    poste.courbe(poste.p, 0, QStringLiteral("02/03/2026 à 09:14:07 Droit"), brute(), 1, 2,
                 QStringLiteral("Avant traitement.\r\nNiveau liquide à 12 mm."));
    poste.courbe(poste.p, 0, QStringLiteral("16/03/2026 à 10:02:31 Droit"), brute());
    Echo& echo = poste.demarrer();
    poste.choisir(echo, poste.p);
    for (int slot = 0; slot < 2; ++slot) {
        echo.List1->setCurrentRow(slot);
        echo.Check1[slot]->setChecked(true);
    }
    const QByteArray vivante = brute();
    std::copy(vivante.begin(), vivante.end(), echo.Courbe_Filtree.begin());
    echo.Picture1_Paint();

    const QString dossier = Dossier_Captures();
    for (const auto& [bouton, nom] : {std::pair{0, "acquisition"}, std::pair{1, "memorisee"}}) {
        const QString pdf = dossier + QStringLiteral("/page_courbe_%1_%2.pdf").arg(nom, langue);
        report::replacePrinterFactory([pdf](const report::PdfTarget&) {
            return report::OpenedPrinter{report::openPdfPrinter(pdf), QString()};
        });
        if (bouton == 0)
            echo.Bouton_Imprimer_Courbe_Acquisition->click();
        else
            echo.Toolbar2_Boutons[3]->trigger();
        EXPECT_TRUE(QFile::exists(pdf));
    }
    EXPECT_TRUE(poste.messages.boites.empty());
}

INSTANTIATE_TEST_SUITE_P(Languages, Capture, ::testing::Values("Francais", "English"));

}  // namespace
}  // namespace corvanta::test
