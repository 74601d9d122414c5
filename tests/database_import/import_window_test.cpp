// The import as the main window runs it: which chosen files it takes, the lists it brings
// up to date (its own and an open exam window's) and the refusals it reports.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>

#include "patients/patients.h"
#include "platform/recordset.h"
#include "tests/database_import/database_snapshot.h"
#include "tests/exam_windows/expected_preview.h"
#include "tests/support/sqlite_shell.h"

namespace corvanta::test {
namespace {

struct ImportWorkstation : Workstation {
    // Another database of the program at `nom` inside the working folder.
    std::unique_ptr<platform::Database> fichier(const QString& nom) {
        const QString chemin = dossier.fichier(nom);
        QDir().mkpath(QFileInfo(chemin).path());
        EXPECT_TRUE(QFile::copy(Base_Construite(), chemin));
        QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
        return std::make_unique<platform::Database>(chemin);
    }
    // A patient with two curves and an exam of type 0, with keys that clash with the first
    // rows of the workstation.
    void remplir(platform::Database& autre, const QString& nom) {
        autre.execute(QStringLiteral("INSERT INTO Patients (Code_Patient, Nom_Patient, "
                                     "Prenom_Patient) VALUES (1, ?, 'Anne')"),
                      {nom});
        for (int id : {1, 2}) {
            autre.execute(QStringLiteral("INSERT INTO Courbes (ID, Code_Type, Code_Patient, "
                                         "DATE, COURBE, MOYENNE, PASSEBAS) "
                                         "VALUES (?, 0, 1, ?, ?, 0, 0)"),
                          {id, nom + QString::number(id), Echantillons(id, 1)});
        }
        autre.execute(
            QStringLiteral("INSERT INTO Examens (Code_Examen, \"Code_ Patient\", "
                           "Code_Type, Num_Examen, Echogramme_Droit_Num_Courbe, "
                           "Echogramme_Gauche_Num_Courbe) VALUES (1, 1, 0, '01', 1, 2)"));
    }
    // Presses the import button, the dialog answering `chemin`.
    void importer(const QString& chemin) {
        echo->Choisir_Fichier_Import = [this, chemin](const QString& titre) {
            titre_dialogue = titre;
            return chemin;
        };
        echo->Bouton_Import->click();
    }
    int patients() {
        return base->queryValue(QStringLiteral("SELECT count(*) FROM Patients")).toInt32();
    }
    // The one message the last import showed; the boxes are then forgotten.
    MessageBoxAnswerer::Boite boite() {
        EXPECT_EQ(messages.boites.size(), 1u);
        const MessageBoxAnswerer::Boite b =
            messages.boites.empty() ? MessageBoxAnswerer::Boite{} : messages.boites.back();
        messages.boites.clear();
        return b;
    }
    // The closing summary of an import that added and found these rows.
    QString bilan(int patients, int courbes, int examens, int p_la, int c_la, int e_la) {
        const Libelles& l = etat->Libelle;
        return l(1, 113) + u'\n' + l(1, 114).arg(patients).arg(courbes).arg(examens) + u'\n' +
               l(1, 115).arg(p_la).arg(c_la).arg(e_la);
    }
    QString titre_dialogue;
};

TEST(ImportWindow, OnlyAChosenFileWithSinusInItsPathIsImported) {
    const struct {
        const char* chemin;
        bool importe;
    } cas[] = {{"", false},
               {"data/old.mdb", false},
               {"SINUS/old.mdb", true},
               {"data/sinus2.mdb", true},
               {"data/Sinus.mdb", true}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.chemin);
        ImportWorkstation p;
        QString chemin;
        if (*c.chemin != '\0') {
            chemin = p.dossier.fichier(QLatin1String(c.chemin));
            p.remplir(*p.fichier(QLatin1String(c.chemin)), QStringLiteral("LEROY"));
        }
        p.demarrer();
        const QString dossier = QDir::currentPath();
        p.importer(chemin);
        EXPECT_EQ(p.titre_dialogue, p.etat->Libelle(1, 83));
        EXPECT_EQ(p.patients(), c.importe ? 1 : 0);
        EXPECT_EQ(p.echo->Liste_Nom->count(), c.importe ? 1 : 0);
        if (c.importe) {
            const MessageBoxAnswerer::Boite boite = p.boite();
            EXPECT_EQ(boite.titre, p.etat->Libelle(1, 83));
            EXPECT_EQ(boite.texte, p.bilan(1, 2, 1, 0, 0, 0));
            EXPECT_EQ(boite.icone, QMessageBox::Information);
        }
        EXPECT_TRUE(p.messages.boites.empty());
        EXPECT_EQ(QDir::currentPath(), dossier);
    }
}

TEST(ImportWindow, TheListsFollowAndAnOpenExamWindowKeepsWhatItShowsAndWhatIsTyped) {
    ImportWorkstation p;
    const auto durand = p.patient(QStringLiteral("DURAND"), QStringLiteral("Alice"));
    const auto d1 = p.courbe(durand, 0, QStringLiteral("d1"));
    const auto e1 = p.examen(durand, 0, QStringLiteral("01"), d1, d1);
    p.remplir(*p.fichier(QStringLiteral("sinus1.mdb")), QStringLiteral("LEROY"));
    p.remplir(*p.fichier(QStringLiteral("sinus2.mdb")), QStringLiteral("PETIT"));
    p.demarrer();
    p.echo->Liste_Nom->setCurrentIndex(0);
    Examen_Sinus& s = p.ouvrir();

    p.importer(p.dossier.fichier(QStringLiteral("sinus1.mdb")));

    EXPECT_EQ(p.boite().texte, p.bilan(1, 2, 1, 0, 0, 0));
    EXPECT_EQ(Lignes(p.echo->Liste_Nom), (QStringList{"DURAND Alice", "LEROY Anne"}));
    EXPECT_EQ(p.echo->Liste_Nom->currentIndex(), 0);
    EXPECT_EQ(p.etat->Code_Patient_Courant, durand);
    EXPECT_EQ(p.echo->List1->count(), 1);
    ASSERT_EQ(s.Liste_Examens->count(), 2);
    EXPECT_EQ(s.Liste_Examens->item(1)->text(), QStringLiteral("LEROY Anne 01"));
    EXPECT_EQ(s.Liste_Examens->currentRow(), 0);
    EXPECT_EQ(p.etat->Table_Examens->currentKey(), e1);
    EXPECT_EQ(Lignes(s.Combo_Nom_Patient), (QStringList{"DURAND Alice", "LEROY Anne"}));

    s.Toolbar1_Boutons[4]->trigger();  // a new exam, for the current patient
    s.Texte_Examen_Compatible->setText(QStringLiteral("en cours"));
    p.importer(p.dossier.fichier(QStringLiteral("sinus2.mdb")));

    EXPECT_EQ(s.Mode_Nouvel_Examen, 1);
    EXPECT_EQ(s.Texte_Examen_Compatible->text(), QStringLiteral("en cours"));
    EXPECT_EQ(s.Combo_Nom_Patient->currentText(), QStringLiteral("DURAND Alice"));
    EXPECT_EQ(s.Combo_Nom_Patient->count(), 3);
    EXPECT_EQ(s.Liste_Examens->count(), 3);
    EXPECT_EQ(p.boite().texte, p.bilan(1, 2, 1, 0, 0, 0));
}

TEST(ImportWindow, ARefusedOrFailedImportIsSaidOnceNamingTheFileAndChangesNothing) {
    ImportWorkstation p;
    p.patient(QStringLiteral("DURAND"), QStringLiteral("Alice"));
    const QString texte = p.dossier.fichier(QStringLiteral("sinus.mdb"));
    QFile fichier(texte);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write("pas une base");
    fichier.close();
    p.fichier(QStringLiteral("sinus sans marque.mdb"))
        ->execute(QStringLiteral("PRAGMA application_id = 0"));
    // Its patients and curves would go in before its exams are found missing.
    auto incomplete = p.fichier(QStringLiteral("sinus incomplete.mdb"));
    p.remplir(*incomplete, QStringLiteral("LEROY"));
    incomplete->execute(QStringLiteral("DROP TABLE Examens"));
    // A hand repair: a view where a table was, a word in a number column.
    auto vue = p.fichier(QStringLiteral("sinus vue.mdb"));
    Shell(vue->path(), QStringLiteral("ALTER TABLE Courbes RENAME TO C; CREATE VIEW Courbes AS "
                                      "SELECT * FROM C;"));
    auto mot = p.fichier(QStringLiteral("sinus mot.mdb"));
    p.remplir(*mot, QStringLiteral("LEROY"));
    Shell(mot->path(), QStringLiteral("UPDATE Courbes SET MOYENNE = 'un' WHERE ID = 2;"));
    // A patients table without a key column, its second row without a key and its name a
    // blob.
    auto sans_cle = p.fichier(QStringLiteral("sinus sans cle.mdb"));
    Shell(sans_cle->path(),
          QStringLiteral("PRAGMA legacy_alter_table = ON; CREATE TABLE P AS SELECT * FROM "
                         "Patients; DROP TABLE Patients; ALTER TABLE P RENAME TO Patients; "
                         "INSERT INTO Patients (Code_Patient, Nom_Patient) VALUES (4, 'LEROY'), "
                         "(NULL, x'00');"));
    p.demarrer();
    const Libelles& l = p.etat->Libelle;

    const struct {
        QString chemin;
        int texte;
        QString detail;
    } cas[] = {
        {texte, 96, {}},
        {p.dossier.fichier(QStringLiteral("sinus sans marque.mdb")), 96, {}},
        {incomplete->path(), 97, l(1, 118).arg(QStringLiteral("Examens"))},
        {p.dossier.fichier(QStringLiteral("sinus absent.mdb")), 97, {}},
        {vue->path(), 97, l(1, 117).arg(QStringLiteral("Courbes"))},
        {mot->path(), 97,
         l(1, 120).arg(QStringLiteral("Courbes"), QStringLiteral("2"), QStringLiteral("MOYENNE")) +
             u' ' + l(1, 123).arg(-2147483648LL).arg(2147483647)}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.chemin.toStdString());
        const QStringList avant = Instantane_Base(*p.base);
        p.importer(c.chemin);
        const MessageBoxAnswerer::Boite boite = p.boite();
        EXPECT_EQ(boite.titre, l(1, 83));
        QString attendu = l(1, c.texte) + u'\n' + c.chemin;
        if (!c.detail.isEmpty())
            attendu += QStringLiteral("\n\n") + c.detail;
        EXPECT_TRUE(boite.texte.startsWith(attendu)) << boite.texte.toStdString();
        if (!c.detail.isEmpty()) {
            EXPECT_EQ(boite.texte, attendu);
        }
        EXPECT_EQ(boite.icone, QMessageBox::Warning);
        EXPECT_EQ(Instantane_Base(*p.base), avant);
        EXPECT_EQ(p.echo->Liste_Nom->count(), 1);
    }
}

// What the program itself rewrites in rows it imported (the slot flags at every start and
// slot change, a Null comment shown and written back empty, a patient saved unchanged in
// the patient window) does not make them new rows at the next import of the same file;
// a comment the user really changed does.
TEST(ImportWindow, AReimportAfterTheProgramRewroteImportedRowsAddsNothingButAChangedRowComesIn) {
    ImportWorkstation p;
    const QString chemin = p.dossier.fichier(QStringLiteral("sinus cabinet voisin.mdb"));
    {
        auto autre = p.fichier(QStringLiteral("sinus cabinet voisin.mdb"));
        p.remplir(*autre, QStringLiteral("LEROY"));
        // As the other workstation left them: the birth date typed, both curves in slots,
        // the first one commented, the second not.
        autre->execute(
            QStringLiteral("UPDATE Patients SET Date_Naissance_Patient = "
                           "'02/03/1950', NumeroSS_Patient = '2500375123456'"));
        autre->execute(
            QStringLiteral("UPDATE Courbes SET IMPRIMER = 1, COULEUR = 255 * ID, "
                           "Commentaire_Courbe = CASE ID WHEN 1 THEN 'droite' END"));
    }
    p.demarrer();
    p.importer(chemin);
    EXPECT_EQ(p.boite().texte, p.bilan(1, 2, 1, 0, 0, 0));
    auto valeur = [&](const char* sql) { return p.base->queryValue(QLatin1String(sql)); };

    // A restart: the slot reset clears the flags.
    p.echo.reset();
    p.etat.reset();
    p.demarrer();
    EXPECT_EQ(valeur("SELECT sum(IMPRIMER) FROM Courbes").toInt32(), 0);
    p.importer(chemin);
    EXPECT_EQ(p.boite().texte, p.bilan(0, 0, 0, 1, 2, 1));

    // A curve put into a comparison slot, then the uncommented one selected.
    p.echo->Liste_Nom->setCurrentIndex(0);
    ASSERT_EQ(p.echo->List1->count(), 2);
    p.echo->List1->setCurrentRow(1);  // curve 1, listed last
    p.echo->Check1[2]->setChecked(true);
    p.echo->List1->setCurrentRow(0);
    EXPECT_EQ(valeur("SELECT IMPRIMER FROM Courbes WHERE ID = 1").toInt32(), 1);
    EXPECT_EQ(valeur("SELECT typeof(Commentaire_Courbe) FROM Courbes WHERE ID = 2").toText(),
              QStringLiteral("text"));
    p.importer(chemin);
    EXPECT_EQ(p.boite().texte, p.bilan(0, 0, 0, 1, 2, 1));

    // The patient saved unchanged in the patient window: his empty columns become ''.
    p.echo->Menu_Gestion_Patients->trigger();
    Patients* fiche = p.echo->Fenetre_Patients();
    ASSERT_NE(fiche, nullptr);
    fiche->Boutons[5]->trigger();
    fiche->close();
    EXPECT_EQ(valeur("SELECT typeof(Adresse1_Patient) FROM Patients").toText(),
              QStringLiteral("text"));
    p.importer(chemin);
    EXPECT_EQ(p.boite().texte, p.bilan(0, 0, 0, 1, 2, 1));

    // A comment the user corrects: the file's curve is another curve now, and so is the
    // exam that shows it.
    p.echo->List1->setCurrentRow(1);
    p.echo->Commentaire_Courbe->setPlainText(QStringLiteral("droite, revue"));
    p.importer(chemin);
    EXPECT_EQ(p.boite().texte, p.bilan(0, 1, 1, 1, 1, 0));
    EXPECT_EQ(valeur("SELECT count(*) FROM Courbes").toInt32(), 3);
}

// An import that lasts: the wait cursor, then the progress window, whose Cancel button
// stops it with everything rolled back, and says so.
TEST(ImportWindow, TheProgressWindowsCancelRollsEverythingBackAndSaysSo) {
    ImportWorkstation p;
    p.patient(QStringLiteral("DURAND"), QStringLiteral("Alice"));
    const QString chemin = p.dossier.fichier(QStringLiteral("sinus grand.mdb"));
    p.fichier(QStringLiteral("sinus grand.mdb"));
    Shell(chemin, QStringLiteral(R"(
WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 3000)
INSERT INTO Patients (Nom_Patient, Prenom_Patient) SELECT 'P' || k, 'Zoé' FROM n;
INSERT INTO Courbes (Code_Type, Code_Patient, COURBE, MOYENNE, PASSEBAS)
    SELECT 0, Code_Patient, zeroblob(400), 1, 2 FROM Patients;
)"));
    p.demarrer();
    p.echo->Delai_Progression_Import = std::chrono::milliseconds(0);
    const Libelles& l = p.etat->Libelle;
    const QStringList avant = Instantane_Base(*p.base);

    struct {
        bool attente = false;
        QString titre, texte, bouton;
    } vu;
    QTimer annuler;
    annuler.setInterval(0);
    QObject::connect(&annuler, &QTimer::timeout, [&] {
        auto* progression = p.echo->findChild<QProgressDialog*>();
        if (progression == nullptr || !progression->isVisible())
            return;
        vu.attente = QApplication::overrideCursor() != nullptr &&
                     QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        vu.titre = progression->windowTitle();
        const auto* etiquette = progression->findChild<QLabel*>();
        auto* bouton = progression->findChild<QPushButton*>();
        ASSERT_NE(etiquette, nullptr);
        ASSERT_NE(bouton, nullptr);
        vu.texte = etiquette->text();
        vu.bouton = bouton->text();
        bouton->click();
    });
    annuler.start();
    p.importer(chemin);
    annuler.stop();

    EXPECT_TRUE(vu.attente);
    EXPECT_EQ(vu.titre, l(1, 83));
    EXPECT_EQ(vu.texte, l(1, 110));
    EXPECT_EQ(vu.bouton, l(1, 111));
    const MessageBoxAnswerer::Boite boite = p.boite();
    EXPECT_EQ(boite.texte, l(1, 112));
    EXPECT_EQ(boite.icone, QMessageBox::Information);
    EXPECT_EQ(Instantane_Base(*p.base), avant);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(p.echo->findChild<QProgressDialog*>(), nullptr);
    EXPECT_EQ(p.echo->Liste_Nom->count(), 1);

    // Left to run, the same import goes through.
    p.importer(chemin);
    EXPECT_EQ(p.boite().texte, p.bilan(3000, 3000, 0, 0, 0, 0));
    EXPECT_EQ(p.echo->Liste_Nom->count(), 3001);
}

}  // namespace
}  // namespace corvanta::test
