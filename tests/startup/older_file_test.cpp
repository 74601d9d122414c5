#include <gtest/gtest.h>

#include <optional>

#include "app/index_base.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/sqlite_shell.h"
#include "tests/support/workstation.h"

namespace corvanta::test {
namespace {

// A file as an earlier build made it: without the newer indexes and the texts that speak
// of them, and with the name-order index's name taken by another definition.
void Vieillir(const QString& base) {
    Shell(base,
          QStringLiteral("DROP INDEX Patients_Naissance; DROP INDEX Courbes_Marquees; "
                         "DROP INDEX Patients_Ordre_Noms; "
                         "CREATE INDEX Patients_Ordre_Noms ON Patients (Nom_Patient); "
                         "DELETE FROM Langues WHERE Form = 1 AND Label BETWEEN 190 AND 192;"));
}

// A text of the interface in `langue` (a column of the texts) as a file made by this build
// holds it.
QString Texte_Actuel(int label, const QString& langue) {
    platform::Database fraiche(qEnvironmentVariable("CORVANTA_BUILD_DIR") +
                               QStringLiteral("/data/Sinus.mdb"));
    return fraiche
        .queryValue(
            QStringLiteral("SELECT %1 FROM Langues WHERE Form = 1 AND Label = ?").arg(langue),
            {label})
        .toText();
}

QStringList Index_Manquants(platform::Database& base) {
    QStringList noms;
    for (const Index_Base& index : Index_A_Completer(base))
        noms << index.nom;
    return noms;
}

const QStringList kTous = {"Patients_Naissance", "Courbes_Marquees", "Patients_Ordre_Noms"};
const QStringList kNoms_En_Ordre = {"Durand Jean", "ÉLUARD Zoé", "Éluard Paul", "Ewing Anne",
                                    "Łukasz Piotr"};

// Another copy reading or writing the file at start-up: the start goes on without the new
// indexes and says nothing; the next start makes them. Nobody else: the first start does.
TEST(OlderFile, GetsTheNewIndexesOnceAndNeverWhileAnotherCopyReadsOrWrites) {
    enum class Autre { Personne, Ecrit, Lit };
    for (const Autre autre : {Autre::Personne, Autre::Ecrit, Autre::Lit}) {
        SCOPED_TRACE(static_cast<int>(autre));
        Workstation poste(Workstation::withDevice());
        for (const auto& [nom, prenom] :
             std::vector<std::pair<QString, QString>>{{"Éluard", "Paul"},
                                                      {"Łukasz", "Piotr"},
                                                      {"ÉLUARD", "Zoé"},
                                                      {"Ewing", "Anne"},
                                                      {"Durand", "Jean"}})
            poste.patient(nom, prenom);
        Vieillir(poste.dossier.base());
        std::optional<platform::Database> copie;
        if (autre != Autre::Personne) {
            copie.emplace(poste.dossier.base());
            if (autre == Autre::Ecrit) {
                copie->execute(QStringLiteral("BEGIN IMMEDIATE"));
                copie->execute(QStringLiteral("INSERT INTO Patients (Nom_Patient) VALUES ('X')"));
                copie->execute(QStringLiteral("DELETE FROM Patients WHERE Nom_Patient = 'X'"));
            } else {
                copie->execute(QStringLiteral("BEGIN"));
                copie->queryValue(QStringLiteral("SELECT count(*) FROM Patients"));
            }
        }

        poste.demarrer();
        EXPECT_TRUE(poste.messages.boites.empty())
            << poste.messages.boites.front().texte.toStdString();
        EXPECT_EQ(Lignes(poste.echo->Liste_Nom), kNoms_En_Ordre);
        EXPECT_EQ(Index_Manquants(*poste.etat->Base_Donnees),
                  autre == Autre::Personne ? QStringList() : kTous);

        if (copie)
            copie->execute(QStringLiteral("COMMIT"));
        copie.reset();
        poste.demarrer();
        EXPECT_TRUE(poste.messages.boites.empty());
        EXPECT_EQ(Index_Manquants(*poste.etat->Base_Donnees), QStringList());
        EXPECT_EQ(Lignes(poste.echo->Liste_Nom), kNoms_En_Ordre);
        EXPECT_EQ(Shell(poste.dossier.base(), QStringLiteral("PRAGMA integrity_check;")),
                  QStringList{"ok"});
    }
}

// An update that fails for another reason (here the disk is full) is said in the
// interface's words, the file is left as it was, and the start goes on.
TEST(OlderFile, AnUpdateThatFailsIsSaidAndTheStartGoesOn) {
    for (const char* langue : {"Francais", "Anglais"}) {
        SCOPED_TRACE(langue);
        Workstation poste(Workstation::withDevice());
        poste.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Langue"),
                                     QString::fromLatin1(langue));
        poste.base->execute(QStringLiteral("BEGIN"));
        for (int i = 0; i < 2000; ++i)
            poste.patient(QStringLiteral("Patient %1").arg(i), QStringLiteral("Éloïse"));
        poste.base->execute(QStringLiteral("COMMIT"));
        Vieillir(poste.dossier.base());
        // No free page left: the indexes need the file to grow.
        Shell(poste.dossier.base(), QStringLiteral("VACUUM;"));
        {
            const FileSizeLimit plein(QFileInfo(poste.dossier.base()).size());
            ASSERT_TRUE(plein.ok());
            poste.demarrer();
        }
        // The file lacks the texts: the program has them.
        ASSERT_EQ(poste.messages.boites.size(), 1u);
        EXPECT_EQ(poste.messages.boites[0].titre, Texte_Actuel(190, QString::fromLatin1(langue)));
        EXPECT_TRUE(poste.messages.boites[0].texte.startsWith(
            Texte_Actuel(192, QString::fromLatin1(langue)) + "\n\n"))
            << poste.messages.boites[0].texte.toStdString();
        EXPECT_EQ(Index_Manquants(*poste.etat->Base_Donnees), kTous);
        EXPECT_EQ(poste.echo->Liste_Nom->count(), 2000);
    }
}

}  // namespace
}  // namespace corvanta::test
