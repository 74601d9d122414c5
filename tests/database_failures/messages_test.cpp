// What the user reads when the database file fails or is not what the program needs,
// through the real windows, in both languages.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

#include "app/boite_erreur.h"
#include "platform/recordset.h"
#include "platform/settings_store.h"
#include "tests/support/file_faults.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/sqlite_shell.h"
#include "tests/support/workstation.h"

namespace corvanta::test {
namespace {

const QString G = QStringLiteral("GENERAL");

// Text `numero` of form 1 in the file's column for `langue`.
QString Texte(Workstation& poste, int numero, const char* langue) {
    return poste.base
        ->queryValue(QStringLiteral("SELECT %1 FROM Langues WHERE Form = 1 AND Label = ?")
                         .arg(QLatin1String(langue) == "English" ? "Anglais" : "Francais"),
                     {numero})
        .toText();
}

void Choisir(Echo& echo, std::int64_t patient) {
    echo.Liste_Nom->setCurrentIndex(echo.Liste_Nom->findData(static_cast<qlonglong>(patient)));
}

TEST(DatabaseMessages, TheErrorBoxSaysWhatHappenedToTheFileAndWhatToDo) {
    struct Cas {
        const char* quoi;
        int texte;
        // Makes the failure happen; it lasts while what it returns lives (null: this machine
        // cannot make it).
        std::function<std::shared_ptr<void>(Workstation&)> provoquer;
    };
    const std::vector<Cas> cas = {
        {"another copy writing", 150,
         [](Workstation& poste) {
             poste.etat->Base_Donnees->execute(QStringLiteral("PRAGMA busy_timeout = 50"));
             poste.base->execute(QStringLiteral("BEGIN IMMEDIATE"));
             return std::shared_ptr<void>(poste.base.get(), [&poste](void*) {
                 poste.base->execute(QStringLiteral("ROLLBACK"));
             });
         }},
        {"a file-size limit", 151,
         [](Workstation&) { return std::make_shared<FileSizeLimit>(8192); }},
        {"the folder turned read-only", 152,
         [](Workstation& poste) {
             auto vue = std::make_shared<ReadOnlyView>(poste.dossier.chemin());
             return vue->ok() ? std::shared_ptr<void>(vue) : nullptr;
         }},
        {"the file moved", 153,
         [](Workstation& poste) {
             EXPECT_TRUE(QFile::rename(poste.dossier.base(), poste.dossier.fichier("x.mdb")));
             return std::make_shared<int>(0);
         }},
    };
    for (const char* langue : {"Francais", "English"}) {
        for (const Cas& c : cas) {
            SCOPED_TRACE(std::string(langue) + ", " + c.quoi);
            Workstation poste;
            poste.dossier.ecrire_reglage(G, QStringLiteral("Langue"), QString::fromLatin1(langue));
            const QString attendu =
                Texte(poste, c.texte, langue).arg(QDir::toNativeSeparators(poste.dossier.base()));
            const std::int64_t patient =
                poste.patient(QStringLiteral("MARTIN"), QStringLiteral("Élise"));
            Echo& echo = poste.demarrer();
            Choisir(echo, patient);
            echo.Courbe_Acquise = true;
            {
                const auto panne = c.provoquer(poste);
                if (!panne) {
                    std::printf("skipped (no mount here): %s\n", c.quoi);
                    continue;
                }
                echo.Toolbar2_Boutons[1]->trigger();
            }
            ASSERT_EQ(poste.messages.boites.size(), 1u);
            const QString texte = poste.messages.boites[0].texte;
            EXPECT_TRUE(texte.contains(u'\n' + attendu + QStringLiteral("\n(")))
                << texte.toStdString();
            EXPECT_EQ(echo.List1->count(), 0);
        }
    }
}

// Flipped bytes in the pages of the curves: the file opens without a word, and the first
// read that meets them says the file is damaged.
TEST(DatabaseMessages, DamagedCurvePagesAreNamedAtTheFirstFailingRead) {
    for (const char* langue : {"Francais", "English"}) {
        SCOPED_TRACE(langue);
        Workstation poste;
        poste.dossier.ecrire_reglage(G, QStringLiteral("Langue"), QString::fromLatin1(langue));
        const std::int64_t patient =
            poste.patient(QStringLiteral("MARTIN"), QStringLiteral("Élise"));
        for (int i = 0; i < 40; ++i)
            poste.courbe(patient, 0, QStringLiteral("c%1").arg(i));
        const QString attendu = Texte(poste, 155, langue).arg(poste.dossier.base());
        damageLeafPages(poste.dossier.base(), QStringLiteral("Courbes"));
        Echo& echo = poste.demarrer();
        EXPECT_TRUE(poste.messages.boites.empty());

        Choisir(echo, patient);
        ASSERT_EQ(poste.messages.boites.size(), 1u);
        EXPECT_TRUE(
            poste.messages.boites[0].texte.contains(u'\n' + attendu + QStringLiteral("\n(")))
            << poste.messages.boites[0].texte.toStdString();
    }
}

// A row another copy deleted, met by any error box, is said as such in the user's words.
TEST(DatabaseMessages, ARowDeletedElsewhereIsSaidAsSuch) {
    for (const char* langue : {"Francais", "English"}) {
        SCOPED_TRACE(langue);
        Workstation poste;
        poste.dossier.ecrire_reglage(G, QStringLiteral("Langue"), QString::fromLatin1(langue));
        poste.patient(QStringLiteral("MARTIN"), QStringLiteral("Élise"));
        poste.demarrer();
        const auto patients = poste.etat->Base_Donnees->openRecordset(QStringLiteral("Patients"));
        patients->moveFirst();
        Shell(poste.dossier.base(), QStringLiteral("DELETE FROM Patients;"));
        try {
            patients->field(QStringLiteral("Nom_Patient"));
            ADD_FAILURE() << "a deleted row was read";
        } catch (const Error& erreur) {
            EXPECT_EQ(erreur.number(), 3167);
            EXPECT_EQ(Composer_Erreur(poste.etat->Libelle, erreur).message.section(u'\n', 1),
                      Texte(poste, 163, langue));
        }
    }
}

// A colleague's file with damaged curve pages: the import is refused naming both files, and
// the transaction it began ends, so that what the user stores next is stored.
TEST(DatabaseMessages, AnImportOfADamagedFileIsRefusedAndLeavesNoTransactionOpen) {
    Workstation poste;
    const QString abime = poste.dossier.fichier(QStringLiteral("collegue/sinus_abime.mdb"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(abime).path()));
    ASSERT_TRUE(QFile::copy(Base_Construite(), abime));
    {
        platform::Database autre(abime);
        autre.execute(
            QStringLiteral("INSERT INTO Patients (Code_Patient, Nom_Patient) VALUES (7, 'B')"));
        for (int i = 0; i < 40; ++i) {
            autre.execute(QStringLiteral("INSERT INTO Courbes (Code_Type, Code_Patient, COURBE) "
                                         "VALUES (0, 7, ?)"),
                          {Echantillons(i)});
        }
    }
    damageLeafPages(abime, QStringLiteral("Courbes"));
    const std::int64_t patient = poste.patient(QStringLiteral("MARTIN"), QStringLiteral("Élise"));
    Echo& echo = poste.demarrer();
    const Libelles& l = poste.etat->Libelle;

    echo.Choisir_Fichier_Import = [&abime](const QString&) { return abime; };
    echo.Bouton_Import->click();
    ASSERT_EQ(poste.messages.boites.size(), 1u);
    const QString texte = poste.messages.boites[0].texte;
    EXPECT_TRUE(texte.startsWith(l(1, 97) + u'\n' + abime + QStringLiteral("\n\n") +
                                 l(1, 128).arg(QStringLiteral("Courbes")) + u'\n' +
                                 l(1, 155).arg(poste.dossier.base()) + u'\n' +
                                 l(1, 162).arg(abime)))
        << texte.toStdString();

    Choisir(echo, patient);
    echo.Courbe_Acquise = true;
    echo.Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(poste.base->queryValue(QStringLiteral("SELECT count(*) FROM Courbes")).toInt64(), 1);
}

// What the program says as its start-up fails (a start that goes on fails the test).
QString Arret_Demarrage(Workstation& poste) {
    try {
        poste.fenetre().Form_Load();
    } catch (const Error& erreur) {
        return Texte_Arret_Demarrage(poste.etat->Libelle, erreur);
    }
    ADD_FAILURE() << "the start went on";
    return {};
}

// Files stripped with the stock shell of what the program uses: the start stops, naming the
// file and everything it lacks, though the texts of the file itself may be gone.
TEST(DatabaseMessages, AFileLackingWhatTheProgramUsesStopsTheStartNamingIt) {
    struct Manque {
        int texte;  // 159 a table, 160 a view, 161 a column; 0 the mark of a list cut short
        QStringList noms;
    };
    std::vector<Manque> colonnes_vue;
    for (const char* colonne :
         {"Code_ Patient", "Code_Type", "Num_Examen", "Date_Examen", "Docteur_Patient",
          "Imagerie_Face_Standard", "Imagerie_Echo_B", "Imagerie_Scanner"})
        colonnes_vue.push_back({161, {"Req_Examens_3", colonne}});
    colonnes_vue.push_back({0, {QStringLiteral("…")}});
    const std::vector<std::pair<const char*, std::vector<Manque>>> cas = {
        {"DROP VIEW Req_Examens_2;", {{160, {"Req_Examens_2"}}}},
        {"ALTER TABLE Patients DROP COLUMN Commentaire_Patient; "
         "ALTER TABLE Examens DROP COLUMN Decision_Lavage;",
         {{161, {"Patients", "Commentaire_Patient"}}, {161, {"Examens", "Decision_Lavage"}}}},
        // The views on it, kept as they were made, are not read again.
        {"DROP TABLE Courbes;", {{159, {"Courbes"}}}},
        {"DROP TABLE Langues;", {{159, {"Langues"}}}},
        {"ALTER TABLE Patients RENAME TO Anciens; CREATE VIEW Patients AS SELECT * FROM Anciens;",
         {{159, {"Patients"}}}},
        {"DROP VIEW Req_Examens_3; CREATE VIEW Req_Examens_3 AS SELECT Code_Examen FROM Examens;",
         colonnes_vue},
        {"DROP VIEW Req_Examens_4; CREATE TABLE T (a); "
         "CREATE VIEW Req_Examens_4 AS SELECT a FROM T; DROP TABLE T;",
         {{160, {"Req_Examens_4"}}}},
    };
    platform::Database construite(Base_Construite());
    for (const char* langue : {"Francais", "English"}) {
        const QString colonne = QLatin1String(langue) == "English" ? "Anglais" : "Francais";
        auto texte = [&](int numero) {
            return construite
                .queryValue("SELECT " + colonne + " FROM Langues WHERE Form = 1 AND Label = ?",
                            {numero})
                .toText();
        };
        for (const auto& [sql, manques] : cas) {
            SCOPED_TRACE(std::string(langue) + ": " + sql);
            Workstation poste(Workstation::withoutDatabase());
            ASSERT_TRUE(QFile::copy(Base_Construite(), poste.dossier.base()));
            Shell(poste.dossier.base(), QString::fromLatin1(sql));
            poste.dossier.ecrire_reglage(G, QStringLiteral("Langue"), QString::fromLatin1(langue));
            QStringList noms;
            for (const Manque& m : manques) {
                noms << (m.texte == 0         ? m.noms[0]
                         : m.noms.size() == 1 ? texte(m.texte).arg(m.noms[0])
                                              : texte(m.texte).arg(m.noms[0], m.noms[1]));
            }

            EXPECT_EQ(Arret_Demarrage(poste),
                      texte(164) + QStringLiteral("\n\n") +
                          texte(158).arg(poste.dossier.base(), noms.join(QStringLiteral(", "))));
        }
    }
}

QByteArray Octets(const QString& fichier) {
    QFile f(fichier);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The settings file a link to a database: after a start and an exit the database is as it
// was, and the program said once that it cannot keep its settings.
TEST(SettingsLink, ADatabaseLinkedAsTheSettingsIsLeftWhole) {
    Workstation poste;
    const QString autre = poste.dossier.fichier(QStringLiteral("Autre.mdb"));
    ASSERT_TRUE(QFile::copy(Base_Construite(), autre));
    const QByteArray avant = Octets(autre);
    const QString reglages = poste.dossier.fichier_reglages();
    ASSERT_TRUE(QFile::remove(reglages));
    ASSERT_TRUE(QFile::link(autre, reglages));

    Echo& echo = poste.fenetre();
    // What the run keeps instead: no device.
    poste.etat->Registre->write(QStringLiteral("PORTS"), QStringLiteral("COM1"),
                                poste.dossier.fichier(QStringLiteral("aucun-appareil")));
    echo.Form_Load();
    echo.Texte_Tel_Medecin->setText(QStringLiteral("01 23 45 67 89"));
    echo.Sortie();
    EXPECT_EQ(poste.fin, 0);

    const Libelles& l = poste.etat->Libelle;
    int dits = 0;
    for (const auto& boite : poste.messages.boites) {
        if (boite.titre == l(1, 165)) {
            ++dits;
            EXPECT_EQ(boite.texte, l(1, 166).arg(reglages + QStringLiteral(" → ") + autre));
        }
    }
    EXPECT_EQ(dits, 1);
    EXPECT_EQ(Octets(autre), avant);
    EXPECT_TRUE(QFileInfo(reglages).isSymLink());
}

// A link to a real settings file (kept under version control, say) keeps working.
TEST(SettingsLink, ALinkToASettingsFileKeepsWorking) {
    Workstation poste;
    poste.dossier.ecrire_reglage(G, QStringLiteral("Langue"), QStringLiteral("English"));
    const QString reglages = poste.dossier.fichier_reglages();
    const QString suivi = poste.dossier.fichier(QStringLiteral("suivi.ini"));
    ASSERT_TRUE(QFile::rename(reglages, suivi));
    ASSERT_TRUE(QFile::link(suivi, reglages));

    Echo& echo = poste.fenetre();
    echo.Form_Load();
    EXPECT_EQ(echo.Bouton_Quitter->text(), QStringLiteral("&Quit"));
    echo.Texte_Tel_Medecin->setText(QStringLiteral("01 23 45 67 89"));
    echo.Sortie();
    EXPECT_TRUE(QFileInfo(reglages).isSymLink());
    EXPECT_TRUE(Octets(suivi).contains("Tel(1)=01 23 45 67 89\n"));
    EXPECT_EQ(poste.messages.boites.size(), 1u);  // no device, nothing more
}

}  // namespace
}  // namespace corvanta::test
