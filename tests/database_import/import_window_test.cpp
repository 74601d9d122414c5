// The import as the main window runs it: which chosen files it takes, the lists it brings
// up to date (its own and an open exam window's) and the refusals it reports.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/recordset.h"
#include "tests/examens/cabinet.h"

namespace corvanta::test {
namespace {

struct Poste_Import : Cabinet {
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
        Poste_Import p;
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
        EXPECT_TRUE(p.messages.boites.empty());
        EXPECT_EQ(QDir::currentPath(), dossier);
    }
}

TEST(ImportWindow, TheListsFollowAndAnOpenExamWindowKeepsWhatItShowsAndWhatIsTyped) {
    Poste_Import p;
    const auto durand = p.patient(QStringLiteral("DURAND"), QStringLiteral("Alice"));
    const auto d1 = p.courbe(durand, 0, QStringLiteral("d1"));
    const auto e1 = p.examen(durand, 0, QStringLiteral("01"), d1, d1);
    p.remplir(*p.fichier(QStringLiteral("sinus1.mdb")), QStringLiteral("LEROY"));
    p.remplir(*p.fichier(QStringLiteral("sinus2.mdb")), QStringLiteral("PETIT"));
    p.demarrer();
    p.echo->Liste_Nom->setCurrentIndex(0);
    Examen_Sinus& s = p.ouvrir();

    p.importer(p.dossier.fichier(QStringLiteral("sinus1.mdb")));

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
    EXPECT_TRUE(p.messages.boites.empty());
}

TEST(ImportWindow, ARefusedOrFailedImportIsSaidOnceNamingTheFileAndChangesNothing) {
    Poste_Import p;
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
    p.demarrer();

    const struct {
        QString chemin;
        int texte;
    } cas[] = {{texte, 96},
               {p.dossier.fichier(QStringLiteral("sinus sans marque.mdb")), 96},
               {incomplete->path(), 97},
               {p.dossier.fichier(QStringLiteral("sinus absent.mdb")), 97}};
    for (const auto& c : cas) {
        p.messages.boites.clear();
        p.importer(c.chemin);
        ASSERT_EQ(p.messages.boites.size(), 1u);
        const Repondeur::Boite& boite = p.messages.boites.front();
        EXPECT_EQ(boite.titre, p.etat->Libelle(1, 83));
        EXPECT_TRUE(boite.texte.startsWith(p.etat->Libelle(1, c.texte) + u'\n' + c.chemin))
            << boite.texte.toStdString();
        EXPECT_EQ(boite.icone, QMessageBox::Warning);
        EXPECT_EQ(p.patients(), 1);
        EXPECT_EQ(p.base->queryValue(QStringLiteral("SELECT count(*) FROM Courbes")).toInt32(), 0);
        EXPECT_EQ(p.echo->Liste_Nom->count(), 1);
    }
}

}  // namespace
}  // namespace corvanta::test
