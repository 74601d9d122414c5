#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <filesystem>
#include <map>

#include "app/chargement_libelles.h"
#include "platform/recordset.h"
#include "report_picture/canvas_page.h"
#include "report_picture/export_pages.h"
#include "report_print/printer_page.h"
#include "tests/exam_windows/expected_preview.h"
#include "tests/support/file_size_limit.h"

namespace corvanta::test {
namespace {

// Two exams of Martin (numbers 3 and 12) exported into "images" beside the database.
struct SinusExport : Workstation {
    SinusExport() {
        QDir(dossier.chemin()).mkdir(QStringLiteral("images"));
        dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Export"),
                               dossier.fichier(QStringLiteral("images/")));
        const auto martin = patient(QStringLiteral("Martin"), QStringLiteral("Anne"));
        const auto droite =
            courbe(martin, 0, QStringLiteral("12/03/2024 10:15 D"), Echantillons(40, 1));
        const auto gauche =
            courbe(martin, 0, QStringLiteral("12/03/2024 10:17 G"), Echantillons(200, -1));
        trois = examen(martin, 0, QStringLiteral("3"), droite, gauche,
                       {{QStringLiteral("Examen_Compatible"), QStringLiteral("Sinusite")}});
        douze = examen(martin, 0, QStringLiteral("12"), gauche, droite);
        demarrer();
        fenetre = &ouvrir();
        QCoreApplication::processEvents();
    }
    QStringList images() const {
        return QDir(dossier.fichier(QStringLiteral("images"))).entryList(QDir::Files);
    }
    void exporter() {
        fenetre->Toolbar1_Boutons[8]->trigger();
        QCoreApplication::processEvents();
    }
    std::int64_t trois = 0;
    std::int64_t douze = 0;
    Examen_Sinus* fenetre = nullptr;
};

TEST(ExamExport, TheButtonWritesThePictureOfTheExamOnScreen) {
    SinusExport c;
    Examen_Sinus& s = *c.fenetre;
    ASSERT_TRUE(s.Toolbar1_Boutons[8]->isEnabled());
    s.Liste_Examens->setCurrentRow(0);
    // Another window moving the shared recordset does not change the exam exported.
    c.etat->Table_Examens->moveLast();
    c.exporter();
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.images(), QStringList{"Martin Anne 03.jpg"});
    EXPECT_EQ(c.etat->Repertoire_Export, c.dossier.fichier(QStringLiteral("images")));

    report::CanvasPage attendu;
    const report::ExamReportInput entree = s.Donnees_Compte_Rendu().value();
    report::drawSinusPicture(entree, attendu);
    EXPECT_EQ(entree.row.text(QStringLiteral("Examen_Compatible")), QStringLiteral("Sinusite"));
    EXPECT_EQ(entree.pointCount, s.Nombre_Points_Examen);
    EXPECT_EQ(entree.zones[0].xmin, c.etat->Zones_Sensibles[0][0].xmin);
    c.echo->Combo_Format_Image->setCurrentIndex(1);
    c.exporter();
    const QString bmp = c.dossier.fichier(QStringLiteral("images/Martin Anne 03.bmp"));
    EXPECT_EQ(QImage(bmp).convertToFormat(QImage::Format_RGB32), attendu.image());

    // Before any preview the main window's number of points is used.
    s.Nombre_Points_Examen = 0;
    EXPECT_EQ(s.Donnees_Compte_Rendu().value().pointCount, c.etat->Nombre_Points);
}

// A report stops at the points of the window's own last preview, which differ from the
// program's while no port is open, and filters with the sliders as they are when it runs.
TEST(ExamExport, TheReportTakesThePointsOfTheLastPreviewAndTheSlidersAsTheyAre) {
    SinusExport c;
    Examen_Sinus& s = *c.fenetre;
    c.echo->Combo1->setCurrentIndex(1);  // 100 points
    s.Liste_Examens->setCurrentRow(1);
    ASSERT_EQ(s.Nombre_Points_Examen, 100);
    ASSERT_EQ(c.etat->Nombre_Points, 400);
    c.echo->Combo1->setCurrentIndex(2);  // no preview since
    c.echo->Slider1[0]->setValue(3);
    c.echo->Slider1[1]->setValue(1);

    const report::ExamReportInput entree = s.Donnees_Compte_Rendu().value();
    EXPECT_EQ(entree.pointCount, 100);
    QByteArray brute(400, '\x0a');
    for (int i = 0; i < 400; i += 2)
        brute[i] = '\x28';
    const auto filtree = [&](int moyenne, int passe_bas) {
        std::vector<std::uint8_t> sortie(400);
        c.etat->Bibliotheque->smooth_filter()(reinterpret_cast<const std::uint8_t*>(brute.data()),
                                              sortie.data(), moyenne, passe_bas, 100);
        sortie.resize(100);
        return sortie;
    };
    ASSERT_NE(filtree(3, 1), filtree(1, 3));
    EXPECT_EQ(entree.filter(brute), filtree(3, 1));
}

// Each refusal says why, and nothing is written.
TEST(ExamExport, RefusalsSayWhyAndWriteNothing) {
    SinusExport c;
    Examen_Sinus& s = *c.fenetre;
    const Libelles& t = c.etat->Libelle;
    const std::function<void()> situations[] = {
        [&] { s.Toolbar1_Boutons[4]->trigger(); },  // a new exam
        [&] { c.etat->Repertoire_Export.clear(); },
        [&] { c.etat->Repertoire_Export = c.dossier.chemin() + QStringLiteral("/images/.."); },
    };
    for (int i = 0; i < 3; ++i) {
        situations[i]();
        c.messages.boites.clear();
        s.Toolbar1_ButtonClick(9);
        ASSERT_EQ(c.messages.boites.size(), 1u) << i;
        EXPECT_EQ(c.messages.boites[0].titre, t(4, 110));
        EXPECT_EQ(c.messages.boites[0].texte, t(4, i == 0 ? 111 : 112 + i)) << i;
        EXPECT_EQ(c.messages.boites[0].icone, QMessageBox::Warning);
        if (i == 0)
            s.Toolbar1_ButtonClick(7);  // leaves the new exam
    }
    EXPECT_TRUE(c.images().isEmpty());

    // The program folder at set-up disables the button.
    s.close();
    c.ouvrir();
    EXPECT_FALSE(s.Toolbar1_Boutons[8]->isEnabled());
}

// Button 8 on a machine without a printer: the report of the exam on screen becomes a PDF in
// the export folder, which one message names; during a new exam nothing is printed.
TEST(ExamExport, ThePrintButtonWritesTheReportOfTheExamOnScreenWhereThereIsNoPrinter) {
    SinusExport c;
    Examen_Sinus& s = *c.fenetre;
    const Libelles& t = c.etat->Libelle;
    auto precedente = report::replacePrinterFactory(report::openPdfDocument);
    ASSERT_TRUE(s.Toolbar1_Boutons[7]->isEnabled());
    s.Liste_Examens->setCurrentRow(1);
    c.etat->Table_Examens->moveFirst();
    s.Toolbar1_ButtonClick(8);
    const QString pdf = c.dossier.fichier(QStringLiteral("images/Martin Anne 12.pdf"));
    ASSERT_EQ(c.messages.boites.size(), 1u);
    EXPECT_EQ(c.messages.boites[0].titre, t(4, 118));
    EXPECT_EQ(c.messages.boites[0].texte, t(4, 117) + u'\n' + pdf);
    EXPECT_EQ(c.images(), QStringList{"Martin Anne 12.pdf"});

    s.Toolbar1_Boutons[4]->trigger();
    c.messages.boites.clear();
    s.Toolbar1_ButtonClick(8);
    ASSERT_EQ(c.messages.boites.size(), 1u);
    EXPECT_EQ(c.messages.boites[0].texte, t(4, 116));
    EXPECT_EQ(c.images(), QStringList{"Martin Anne 12.pdf"});
    report::replacePrinterFactory(std::move(precedente));
}

QByteArray Contenu(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

// Buttons 8 and 9 when the file cannot be made, the exam has gone or no picture format is
// chosen: one box in the interface's words, the older file whole, nothing else written. The
// box speaks of an older file only where one stands (for exam 12 no PDF was ever written).
TEST(ExamExport, FailuresSayWhyInTheInterfacesWordsAndKeepTheOlderFile) {
    SinusExport c;
    Examen_Sinus& s = *c.fenetre;
    const Libelles& t = c.etat->Libelle;
    auto precedente = report::replacePrinterFactory(report::openPdfDocument);
    s.Liste_Examens->setCurrentRow(0);
    c.echo->Combo_Format_Image->setCurrentIndex(1);
    s.Toolbar1_ButtonClick(8);
    c.exporter();
    const QString dossier = c.dossier.fichier(QStringLiteral("images/"));
    const QByteArray pdf = Contenu(dossier + QStringLiteral("Martin Anne 03.pdf"));
    const QByteArray bmp = Contenu(dossier + QStringLiteral("Martin Anne 03.bmp"));
    ASSERT_GT(pdf.size(), 16384);
    ASSERT_EQ(bmp.size(), 941738);
    QFile::remove(dossier + QStringLiteral("Martin Anne 12.bmp"));
    const QString dehors = c.dossier.fichier(QStringLiteral("dehors.txt"));
    QFile texte(dehors);
    ASSERT_TRUE(texte.open(QIODevice::WriteOnly) && texte.write("dehors") == 6);
    texte.close();
    ASSERT_TRUE(QFile::link(dehors, dossier + QStringLiteral("Martin Anne 12.bmp")));

    struct Cas {
        std::function<void()> presser;
        int titre;
        int texte;
        bool ancien = true;
    };
    const auto plein = [&](int bouton, int ligne = 0) {
        return [&, bouton, ligne] {
            s.Liste_Examens->setCurrentRow(ligne);
            FileSizeLimit limite(16384);
            ASSERT_TRUE(limite.ok());
            s.Toolbar1_ButtonClick(bouton);
        };
    };
    const auto sans_dossier = [&](int bouton) {
        return [&, bouton] {
            const QString images = c.etat->Repertoire_Export;
            c.etat->Repertoire_Export = c.dossier.fichier(QStringLiteral("parti"));
            s.Toolbar1_ButtonClick(bouton);
            c.etat->Repertoire_Export = images;
        };
    };
    const auto supprime = [&](int bouton) {
        return [&, bouton] {
            s.Liste_Examens->setCurrentRow(1);
            // Another copy of the program deletes the exam shown.
            ASSERT_EQ(
                QProcess::execute(
                    QStringLiteral("sqlite3"),
                    {c.dossier.base(),
                     QStringLiteral("DELETE FROM Examens WHERE Code_Examen = %1").arg(c.douze)}),
                0);
            s.Toolbar1_ButtonClick(bouton);
        };
    };
    const Cas cas[] = {
        {plein(8), 118, 126},
        {plein(9), 110, 126},
        {[&] {
             s.Liste_Examens->setCurrentRow(1);
             s.Toolbar1_ButtonClick(9);
         },
         110, 127},
        {plein(8, 1), 118, 126, false},
        {sans_dossier(8), 118, 124, false},
        {sans_dossier(9), 110, 124, false},
        {supprime(8), 118, 135},
        {supprime(9), 110, 135},
    };
    for (std::size_t i = 0; i < std::size(cas); ++i) {
        c.messages.boites.clear();
        cas[i].presser();
        QCoreApplication::processEvents();
        ASSERT_EQ(c.messages.boites.size(), 1u) << i;
        const auto& boite = c.messages.boites[0];
        if (cas[i].texte == 135) {
            EXPECT_EQ(boite.titre, t(4, cas[i].titre)) << i;
            EXPECT_EQ(boite.texte, t(4, 135)) << i;
        } else {
            EXPECT_EQ(boite.icone, QMessageBox::NoIcon) << i;  // the standard error box
            EXPECT_TRUE(boite.texte.contains(t(4, cas[i].texte))) << i << boite.texte.toStdString();
            EXPECT_TRUE(boite.texte.endsWith(u'\n' + t(4, cas[i].ancien ? 133 : 170))) << i;
            EXPECT_EQ(boite.texte.contains(t(4, 133)), cas[i].ancien) << i;
            EXPECT_FALSE(boite.texte.contains(QStringLiteral("cannot"))) << i;
        }
    }
    EXPECT_EQ(Contenu(dossier + QStringLiteral("Martin Anne 03.pdf")), pdf);
    EXPECT_EQ(Contenu(dossier + QStringLiteral("Martin Anne 03.bmp")), bmp);
    EXPECT_EQ(Contenu(dehors), "dehors") << "nothing written through the link";
    EXPECT_EQ(c.images(),
              (QStringList{"Martin Anne 03.bmp", "Martin Anne 03.pdf", "Martin Anne 12.bmp"}));

    // A format typed over the list's choice is no format: the clipboard only, and a word.
    s.Liste_Examens->setCurrentRow(0);
    c.echo->Combo_Format_Image->setEditText(QStringLiteral("Tiff"));
    c.messages.boites.clear();
    c.exporter();
    ASSERT_EQ(c.messages.boites.size(), 1u);
    EXPECT_EQ(c.messages.boites[0].texte, t(4, 134));
    EXPECT_EQ(report::pictureOnClipboard().size(), QSize(529, 593));
    EXPECT_EQ(c.images().size(), 3);
    report::replacePrinterFactory(std::move(precedente));
}

// Files take the exam number as the window shows it, and the export button follows the
// export folder while the window is open.
TEST(ExamExport, NumbersNameFilesAsShownAndTheButtonFollowsTheFolder) {
    SinusExport c;
    Examen_Sinus& s = *c.fenetre;
    c.base->execute(QStringLiteral("UPDATE Examens SET Num_Examen = '7.5' WHERE Code_Examen = ?"),
                    {c.trois});
    c.base->execute(QStringLiteral("UPDATE Examens SET Num_Examen = '8' WHERE Code_Examen = ?"),
                    {c.douze});
    for (int ligne : {0, 1}) {
        s.Liste_Examens->setCurrentRow(ligne);
        c.exporter();
    }
    EXPECT_EQ(c.images(), (QStringList{"Martin Anne 08.jpg", "Martin Anne 7.5.jpg"}));
    EXPECT_TRUE(c.messages.boites.empty());

    const QString dossier = c.etat->Repertoire_Export;
    c.echo->Chemin->setText(c.etat->Repertoire_Programme);
    EXPECT_FALSE(s.Toolbar1_Boutons[8]->isEnabled());
    c.echo->Chemin->setText(dossier);
    EXPECT_TRUE(s.Toolbar1_Boutons[8]->isEnabled());
}

// Exams whose files would take one name as the file system gets it (forbidden characters
// replaced, shortened to 255 bytes, names joined by a blank) each take their key, so that no
// report replaces another: namesakes numbered "1" and "01", one patient's number in two types
// (a row the window would refuse, written by the sqlite3 shell), long names that shorten
// alike, "A/B:C*D" and "A_B_C_D", numbers "7/5" and "7_5", names split at another blank, two
// exams whose patients the shell deleted. An exam that shares its name with no other, a
// namesake's among them, keeps the plain name.
TEST(ExamExport, ExamsThatWouldShareAFileNameEachKeepTheirOwn) {
    auto precedente = report::replacePrinterFactory(report::openPdfDocument);
    Workstation c;
    QDir(c.dossier.chemin()).mkdir(QStringLiteral("images"));
    c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Export"),
                             c.dossier.fichier(QStringLiteral("images")));
    const auto courbe = c.courbe(c.patient("Courbe", "Seule"), 0, QStringLiteral("02/05/2024 D"));
    const QString longs = QString(130, u'\u00c9');
    struct Examen {
        QString nom, prenom, numero;
        bool partage;
    };
    const Examen examens[] = {
        {"DUPONT", "\u00c9lodie", "1", true},
        {"DUPONT", "\u00c9lodie", "01", true},
        {"DUPONT", "\u00c9lo\u00efse", "1", false},
        {"Martin", "Anne", "3", true},
        {"Martin", "Anne", "12", false},
        {longs + "ALPHA", "Zo\u00e9", "1", true},
        {longs + "BETA", "Zo\u00e9", "1", true},
        {"A/B:C*D", "L\u00e9a", "2", true},
        {"A_B_C_D", "L\u00e9a", "2", true},
        {"Roche", "Paul", "7/5", true},
        {"Roche", "Paul", "7_5", true},
        {"JEAN PIERRE", "MARIE", "4", true},
        {"JEAN", "PIERRE MARIE", "4", true},
        {"Parti", "Un", "5", true},
        {"Partie", "Deux", "5", true},
    };
    std::map<std::int64_t, bool> partages;
    std::int64_t martin = 0;
    QStringList partis;
    for (const Examen& e : examens) {
        const auto patient = c.patient(e.nom, e.prenom);
        partages[c.examen(patient, 0, e.numero, courbe, courbe)] = e.partage;
        if (e.nom == "Martin")
            martin = patient;
        if (e.nom.startsWith("Parti"))
            partis << QString::number(patient);
    }
    const QString shell =
        QStringLiteral(
            "INSERT INTO Examens (\"Code_ Patient\", Code_Type, Num_Examen) "
            "VALUES (%1, 2, '03'); DELETE FROM Patients WHERE Code_Patient IN (%2);")
            .arg(martin)
            .arg(partis.join(u','));
    ASSERT_EQ(QProcess::execute(QStringLiteral("sqlite3"), {c.dossier.base(), shell}), 0);
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    QCoreApplication::processEvents();
    ASSERT_EQ(s.Liste_Examens->count(), static_cast<int>(std::size(examens)));
    QStringList attendus;
    for (int ligne = 0; ligne < s.Liste_Examens->count(); ++ligne) {
        s.Liste_Examens->setCurrentRow(ligne);
        const report::ExamRow row = s.Donnees_Compte_Rendu().value().row;
        const QString cle = row.text(QStringLiteral("Code_Examen"));
        for (const char* extension : {".jpg", ".pdf"})
            attendus << report::examFileName(
                row.text("Nom_Patient"), row.text("Prenom_Patient"), row.text("Num_Examen"),
                partages.at(cle.toLongLong()) ? cle : QString(), extension);
        s.Toolbar1_ButtonClick(9);
        s.Toolbar1_ButtonClick(8);
        EXPECT_EQ(c.messages.boites.size(), 1u) << "the PDF's message only";
        c.messages.boites.clear();
    }
    QStringList ecrits = QDir(c.dossier.fichier(QStringLiteral("images"))).entryList(QDir::Files);
    ecrits.sort();
    attendus.sort();
    EXPECT_EQ(ecrits, attendus);
    EXPECT_EQ(ecrits.size(), 2 * static_cast<int>(std::size(examens))) << "none replaced";
    EXPECT_TRUE(ecrits.contains(QStringLiteral("Martin Anne 12.jpg")));
    EXPECT_TRUE(ecrits.contains(QStringLiteral("DUPONT \u00c9lo\u00efse 01.pdf")));
    report::replacePrinterFactory(std::move(precedente));
}

TEST(ExamExport, WithoutAnExamShownNothingIsExported) {
    Workstation c;
    QDir(c.dossier.chemin()).mkdir(QStringLiteral("images"));
    c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Export"),
                             c.dossier.fichier(QStringLiteral("images")));
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    QCoreApplication::processEvents();
    s.Toolbar1_ButtonClick(9);
    s.Toolbar1_ButtonClick(8);
    ASSERT_EQ(c.messages.boites.size(), 2u);
    EXPECT_EQ(c.messages.boites[0].texte, c.etat->Libelle(4, 112));
    EXPECT_EQ(c.messages.boites[1].texte, c.etat->Libelle(4, 115));
    EXPECT_TRUE(QDir(c.dossier.fichier(QStringLiteral("images"))).isEmpty());
}

// report_shots runs the program from outside on the cabinet's database and settings: the
// export writes the BMP, a refusal comes out as its box's title and text.
TEST(ExamExport, ReportShotsPressesTheButtonOfTheRealProgram) {
    Workstation c;
    QDir(c.dossier.chemin()).mkdir(QStringLiteral("images"));
    c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Images"),
                             QStringLiteral("1"));
    const auto roche = c.patient(QStringLiteral("Roche"), QStringLiteral("Paul"));
    const auto courbe = c.courbe(roche, 0, QStringLiteral("02/05/2024 D"));
    const auto examen = c.examen(roche, 0, QStringLiteral("4"), courbe, courbe);
    const QString shots = QString::fromStdString(
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "report_shots").string());
    const auto exporter = [&](const QString& dossier, const char* bouton = "9") {
        c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Export"), dossier);
        QProcess programme;
        programme.setWorkingDirectory(c.dossier.chemin());
        programme.start(shots,
                        {"--type", "0", "--exam", QString::number(examen), "--press", bouton});
        EXPECT_TRUE(programme.waitForFinished(60000));
        EXPECT_EQ(programme.exitCode(), 0);
        return QString::fromUtf8(programme.readAllStandardOutput());
    };
    Libelles textes;
    Charger_Libelles(*c.base, QStringLiteral("Francais"), textes);
    // The start-up box about the missing device comes first.
    EXPECT_FALSE(exporter(c.dossier.fichier(QStringLiteral("images"))).contains(textes(4, 110)));
    EXPECT_EQ(QFileInfo(c.dossier.fichier(QStringLiteral("images/Roche Paul 04.bmp"))).size(),
              941738);

    EXPECT_TRUE(exporter(QString()).endsWith(
        QStringLiteral("\nBOX: %1 | %2\n").arg(textes(4, 110), textes(4, 113))));

    // Without a printer, button 8 writes the report as a PDF and says where.
    const QString pdf = c.dossier.fichier(QStringLiteral("images/Roche Paul 04.pdf"));
    EXPECT_TRUE(
        exporter(c.dossier.fichier(QStringLiteral("images")), "8")
            .endsWith(
                QStringLiteral("\nBOX: %1 | %2\n%3\n").arg(textes(4, 118), textes(4, 117), pdf)));
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
}

QString Report_Shots() {
    return QString::fromStdString(
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "report_shots").string());
}

void Vieillir(const QString& fichier, int secondes) {
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-secondes),
                              QFileDevice::FileModificationTime));
}

// A writer killed half-way (here by the file-size limit, as by a power cut) leaves its
// temporary file, named after its process and machine. The next write in the folder removes
// it, and the program's temporary files over an hour old, and nothing else: not a running
// writer's, not another machine's of the last hour, not a file of another name. The folder is
// flushed after the rename, so that the picture announced outlives a power cut.
TEST(ExamExport, TheNextWriteRemovesWhatAWriterThatIsGoneLeftBehind) {
    Workstation c;
    const QDir images(c.dossier.fichier(QStringLiteral("images")));
    ASSERT_TRUE(images.mkpath(QStringLiteral(".")));
    c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Export"), images.path());
    c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Images"),
                             QStringLiteral("1"));
    const auto roche = c.patient(QStringLiteral("Roche"), QStringLiteral("Paul"));
    const auto courbe = c.courbe(roche, 0, QStringLiteral("02/05/2024 D"));
    const auto examen = c.examen(roche, 0, QStringLiteral("4"), courbe, courbe);
    const QStringList exporter = {Report_Shots(),          "--type",  "0", "--exam",
                                  QString::number(examen), "--press", "9"};
    const auto cachees = [&] {
        return images.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    };

    QProcess tue;
    tue.setWorkingDirectory(c.dossier.chemin());
    tue.start(QStringLiteral("bash"),
              QStringList{"-c", "ulimit -f 64; exec \"$0\" \"$@\""} + exporter);
    ASSERT_TRUE(tue.waitForStarted());
    const qint64 processus = tue.processId();
    ASSERT_TRUE(tue.waitForFinished(60000));
    EXPECT_EQ(tue.exitStatus(), QProcess::CrashExit);
    ASSERT_EQ(cachees().size(), 1) << cachees().join(", ").toStdString();
    const QString reste = cachees().front();
    const QRegularExpression forme(
        QStringLiteral("^\\.corvanta-%1-(.+)-[A-Za-z0-9]{6}$").arg(processus));
    const QRegularExpressionMatch nomme = forme.match(reste);
    ASSERT_TRUE(nomme.hasMatch()) << reste.toStdString();
    EXPECT_EQ(QFileInfo(images.filePath(reste)).size(), 64 * 1024);
    EXPECT_EQ(QFileInfo(images.filePath(reste)).permissions() & 0x0077, 0) << "owner only";

    const QString poste = nomme.captured(1);
    const QString vivant =
        QStringLiteral(".corvanta-%1-%2-Vif123").arg(QCoreApplication::applicationPid()).arg(poste);
    const std::pair<QString, int> plantes[] = {
        {vivant, 0},                               // a writer still running: stays
        {".corvanta-1-autre-poste-Abc123", 600},   // another machine's, recent: stays
        {".corvanta-1-autre-poste-Def456", 7200},  // another machine's, two hours old
        {".corvanta-Gh78Ij", 600},                 // an older build's, recent: stays
        {".corvanta-Kl90Mn", 7200},                // an older build's, two hours old
        {".corvanta-notes", 7200},                 // not one of the program's names
        {".autre", 7200},                          // somebody else's
    };
    for (const auto& [nom, age] : plantes) {
        QFile f(images.filePath(nom));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
        f.close();
        Vieillir(images.filePath(nom), age);
    }

    QProcess ecrit;
    ecrit.setWorkingDirectory(c.dossier.chemin());
    ecrit.start(exporter.front(), exporter.mid(1));
    ASSERT_TRUE(ecrit.waitForFinished(60000));
    EXPECT_EQ(ecrit.exitCode(), 0);
    QStringList attendus = {vivant,
                            ".corvanta-1-autre-poste-Abc123",
                            ".corvanta-Gh78Ij",
                            ".corvanta-notes",
                            ".autre",
                            "Roche Paul 04.bmp"};
    attendus.sort();
    EXPECT_EQ(cachees(), attendus);
    EXPECT_EQ(QFileInfo(images.filePath("Roche Paul 04.bmp")).size(), 941738);

    // The rename into place, then the folder flushed.
    QTemporaryDir journal;
    QProcess trace;
    trace.setWorkingDirectory(c.dossier.chemin());
    trace.start(QStringLiteral("strace"),
                QStringList{"-f", "-qq", "-e", "trace=rename,renameat,renameat2,openat,fsync", "-o",
                            journal.filePath("log")} +
                    exporter);
    if (!trace.waitForFinished(60000) || trace.exitCode() != 0)
        GTEST_SKIP() << "strace cannot follow the program here";
    QFile log(journal.filePath("log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString appels = QString::fromUtf8(log.readAll());
    const qsizetype renomme = appels.indexOf(QStringLiteral("/Roche Paul 04.bmp\")"));
    ASSERT_GE(renomme, 0) << appels.toStdString();
    const QRegularExpressionMatch ouvert =
        QRegularExpression(QStringLiteral("openat\\(AT_FDCWD, \"%1\", O_RDONLY\\|O_CLOEXEC\\|"
                                          "O_DIRECTORY\\) = (\\d+)")
                               .arg(QRegularExpression::escape(images.path())))
            .match(appels, renomme);
    ASSERT_TRUE(ouvert.hasMatch()) << appels.mid(renomme).toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("fsync\\(%1\\) +\\= 0").arg(ouvert.captured(1)))
                    .match(appels, ouvert.capturedEnd())
                    .hasMatch())
        << appels.mid(renomme).toStdString();
}

// The curve print pages through report_shots: without a printer each is a PDF in the export
// folder, named in one message.
TEST(ExamExport, ReportShotsPrintsTheStoredAndTheLiveCurvePages) {
    Workstation c;
    QDir(c.dossier.chemin()).mkdir(QStringLiteral("images"));
    c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Export"),
                             c.dossier.fichier(QStringLiteral("images")));
    c.patient(QStringLiteral("Abel"), QStringLiteral("Jean"));
    const auto roche = c.patient(QStringLiteral("Roche"), QStringLiteral("Paul"));
    const auto courbe = c.courbe(roche, 1, QStringLiteral("02/05/2024 D"));
    const QString shots = QString::fromStdString(
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "report_shots").string());
    Libelles textes;
    Charger_Libelles(*c.base, QStringLiteral("Francais"), textes);
    const auto imprimer = [&](const QStringList& arguments) {
        QProcess programme;
        programme.setWorkingDirectory(c.dossier.chemin());
        programme.start(shots, arguments);
        EXPECT_TRUE(programme.waitForFinished(60000));
        EXPECT_EQ(programme.exitCode(), 0);
        const QString sortie = QString::fromUtf8(programme.readAllStandardOutput());
        const QString message = QStringLiteral("BOX: %1 | %2\n").arg(textes(1, 91), textes(1, 92));
        const qsizetype debut = sortie.lastIndexOf(message);
        EXPECT_GE(debut, 0) << sortie.toStdString();
        return QFileInfo(sortie.mid(debut + message.size()).trimmed());
    };
    const QFileInfo stockee =
        imprimer({"--type", "1", "--curve", QString::number(courbe), "--press-print"});
    EXPECT_TRUE(stockee.fileName().startsWith(QStringLiteral("Courbe Roche Paul ")));
    EXPECT_GT(stockee.size(), 1000);
    const QFileInfo directe = imprimer({"--press-print-live"});
    EXPECT_TRUE(directe.fileName().startsWith(QStringLiteral("Courbe ")));
    EXPECT_GT(directe.size(), 1000);
}

}  // namespace
}  // namespace corvanta::test
