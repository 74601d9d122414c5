// The patient list of the main window and the current patient, on a real database.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <algorithm>
#include <set>

#include "patients/patients.h"
#include "platform/recordset.h"
#include "tests/support/workstation.h"
#include "widgets/keyed_list.h"

namespace corvanta::test {
namespace {

struct Patient_Attendu {
    Patient_Attendu(const QString& n, const QString& p) : nom(n), prenom(p) {}
    QString nom, prenom;
    std::int64_t cle = 0;
    QString courbe;  // label of his one type-0 curve
};

// Homonyms and hostile texts, each patient with a curve of his own.
std::vector<Patient_Attendu> Peupler(Workstation& poste) {
    std::vector<Patient_Attendu> patients{
        {QStringLiteral("Durand"), QStringLiteral("Paul")},
        {QStringLiteral("Martin"), QStringLiteral("Éloïse")},
        {QStringLiteral("Durand"), QStringLiteral("Paul")},
        {QStringLiteral("O'Brien"), QStringLiteral("Seán \"Jr\"")},
        {QStringLiteral("Zed%_[x]*?#"), QStringLiteral("100%")},
        {QString(300, QLatin1Char('L')), QStringLiteral("Long")},
        {QStringLiteral("Robert'); DROP TABLE Patients;--"), QStringLiteral("x")},
    };
    for (std::size_t i = 0; i < patients.size(); ++i) {
        Patient_Attendu& p = patients[i];
        p.cle = poste.patient(p.nom, p.prenom, QStringLiteral("Note %1\r\nseconde ligne").arg(i));
        p.courbe = QStringLiteral("courbe du patient %1").arg(p.cle);
        poste.courbe(p.cle, 0, p.courbe);
        poste.courbe(p.cle, 1, p.courbe + QStringLiteral(" type 1"));
    }
    return patients;
}

TEST(NameList, EachLineLoadsItsOwnPatientByKey) {
    Workstation poste;
    const std::vector<Patient_Attendu> attendus = Peupler(poste);
    Echo& echo = poste.demarrer();
    Etat_Application& etat = *poste.etat;

    // After start-up: everyone listed, nobody chosen, the recordset on its first record.
    ASSERT_EQ(echo.Liste_Nom->count(), static_cast<int>(attendus.size()));
    EXPECT_EQ(echo.Liste_Nom->currentIndex(), -1);
    EXPECT_EQ(etat.Nom_Patient_Courant, QString());
    EXPECT_EQ(etat.Code_Patient_Courant, 0);
    EXPECT_EQ(echo.List1->count(), 0);
    EXPECT_EQ(etat.Table_Patients->absolutePosition(), 0);
    EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - Sinus Maxillaires"));

    std::set<std::int64_t> cles;
    for (int ligne = 0; ligne < echo.Liste_Nom->count(); ++ligne) {
        echo.Liste_Nom->setCurrentIndex(ligne);
        const std::int64_t cle = echo.Liste_Nom->itemData(ligne).toLongLong();
        cles.insert(cle);
        const auto p = std::find_if(attendus.begin(), attendus.end(),
                                    [cle](const Patient_Attendu& a) { return a.cle == cle; });
        ASSERT_NE(p, attendus.end());
        const QString nom = p->nom + QStringLiteral(" ") + p->prenom;
        EXPECT_EQ(echo.Liste_Nom->itemText(ligne), nom);
        EXPECT_EQ(etat.Code_Patient_Courant, cle);
        EXPECT_EQ(etat.Nom_Patient_Courant, nom);
        EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - Sinus Maxillaires - ") + nom);
        EXPECT_EQ(echo.Text1->toPlainText(),
                  QStringLiteral("Note %1\nseconde ligne").arg(p - attendus.begin()));
        ASSERT_EQ(echo.List1->count(), 1);
        EXPECT_EQ(Texte_Ligne(echo.List1, 0), p->courbe);
        EXPECT_EQ(echo.List1->currentRow(), -1);
        EXPECT_EQ(etat.Table_Courbes->field(QStringLiteral("Code_Patient")).toInt64(), cle);
    }
    // The two homonyms are two lines with two keys.
    EXPECT_EQ(cles.size(), attendus.size());

    // The exam-type switch reloads the same patient for the new type.
    etat.Type_Examen = 1;
    etat.Nom_Type_Examen = etat.Libelle(1, 73);
    const std::int64_t courant = etat.Code_Patient_Courant;
    echo.Liste_Nom_Click();
    EXPECT_EQ(etat.Code_Patient_Courant, courant);
    ASSERT_EQ(echo.List1->count(), 1);
    EXPECT_TRUE(Texte_Ligne(echo.List1, 0).endsWith(QStringLiteral(" type 1")));
    EXPECT_TRUE(echo.windowTitle().startsWith(QStringLiteral("Corvanta - Sinus Frontaux - ")));
    EXPECT_TRUE(poste.messages.boites.empty());
}

TEST(NameList, FillingFindsTheCurrentPatientByKey) {
    Workstation poste;
    const std::vector<Patient_Attendu> attendus = Peupler(poste);
    Echo& echo = poste.demarrer();
    Etat_Application& etat = *poste.etat;

    // The later homonym stays current through a refill, the earlier one too.
    for (const std::int64_t cle : {attendus[2].cle, attendus[0].cle}) {
        const int ligne = echo.Liste_Nom->findData(static_cast<qlonglong>(cle));
        echo.Liste_Nom->setCurrentIndex(ligne);
        etat.Table_Patients->moveLast();
        etat.Table_Patients->moveNext();  // after the last record: everyone is listed all the same
        echo.Remplir_Liste_Nom();
        EXPECT_EQ(echo.Liste_Nom->count(), static_cast<int>(attendus.size()));
        EXPECT_EQ(echo.Liste_Nom->currentIndex(), ligne);
        EXPECT_EQ(etat.Code_Patient_Courant, cle);
        EXPECT_EQ(etat.Table_Patients->currentKey(), cle);
        ASSERT_EQ(echo.List1->count(), 1);
        EXPECT_EQ(Texte_Ligne(echo.List1, 0), QStringLiteral("courbe du patient %1").arg(cle));
    }

    // The current patient was deleted in the patient window, which requeried the list:
    // the first line is chosen and its patient becomes current.
    poste.etat->Base_Donnees->execute(QStringLiteral("DELETE FROM Patients WHERE Code_Patient = ?"),
                                      {attendus[0].cle});
    etat.Table_Patients->requery();
    echo.Remplir_Liste_Nom();
    EXPECT_EQ(echo.Liste_Nom->count(), static_cast<int>(attendus.size()) - 1);
    EXPECT_EQ(echo.Liste_Nom->currentIndex(), 0);
    EXPECT_EQ(etat.Code_Patient_Courant, echo.Liste_Nom->itemData(0).toLongLong());
    EXPECT_TRUE(poste.messages.boites.empty());
}

// Stores the live curve, taken as a frame would have left it; returns the patient it was
// stored for.
std::int64_t Stocker(Workstation& poste, Echo& echo) {
    echo.Courbe_Acquise = true;
    echo.Toolbar2_Boutons[1]->trigger();
    return poste
        .valeur(QStringLiteral("SELECT Code_Patient FROM Courbes WHERE ID = ?"),
                {Cle_Ligne(echo.List1, 0)})
        .toInt64();
}

// Another copy of the program on the same folder deletes patients while this one runs.
TEST(NameList, APatientDeletedByAnotherCopyIsSkippedAndEachLineKeepsItsKey) {
    Workstation poste;
    const std::vector<Patient_Attendu> attendus = Peupler(poste);
    Echo& echo = poste.demarrer();
    Etat_Application& etat = *poste.etat;
    platform::Database autre_copie(poste.dossier.base());
    const auto nom_de = [&](std::int64_t cle) {
        for (const Patient_Attendu& p : attendus)
            if (p.cle == cle)
                return p.nom + QStringLiteral(" ") + p.prenom;
        return QString();
    };
    const auto cle_ligne = [&](int ligne) -> std::int64_t {
        return echo.Liste_Nom->itemData(ligne).toLongLong();
    };
    std::set<std::int64_t> restants;
    for (const Patient_Attendu& p : attendus)
        restants.insert(p.cle);
    const std::int64_t choisi = cle_ligne(4);
    echo.Liste_Nom->setCurrentIndex(4);
    // This copy writes (a stored curve) before each refill, so that every row is read
    // afresh rather than from what the recordset read earlier.
    Stocker(poste, echo);

    // Deleted elsewhere: the first line, one before the current patient, the last line,
    // then the current patient himself.
    for (const std::int64_t parti :
         {cle_ligne(0), cle_ligne(2), cle_ligne(echo.Liste_Nom->count() - 1), choisi}) {
        autre_copie.execute(QStringLiteral("DELETE FROM Patients WHERE Code_Patient = ?"), {parti});
        restants.erase(parti);
        echo.Remplir_Liste_Nom();

        std::set<std::int64_t> listes;
        for (int ligne = 0; ligne < echo.Liste_Nom->count(); ++ligne) {
            listes.insert(cle_ligne(ligne));
            EXPECT_EQ(echo.Liste_Nom->itemText(ligne), nom_de(cle_ligne(ligne)));
        }
        EXPECT_EQ(listes, restants);
        // The patient in the box is the current one, his curves are listed, and the next
        // curve is stored for him; once he is gone, the first line takes his place.
        const std::int64_t attendu = parti == choisi ? cle_ligne(0) : choisi;
        ASSERT_EQ(echo.Liste_Nom->currentIndex(),
                  echo.Liste_Nom->findData(static_cast<int>(attendu)));
        EXPECT_EQ(etat.Code_Patient_Courant, attendu);
        EXPECT_EQ(etat.Nom_Patient_Courant, nom_de(attendu));
        ASSERT_GE(echo.List1->count(), 1);
        EXPECT_EQ(Texte_Ligne(echo.List1, echo.List1->count() - 1),
                  QStringLiteral("courbe du patient %1").arg(attendu));
        EXPECT_EQ(Stocker(poste, echo), attendu);
    }
    EXPECT_TRUE(poste.messages.boites.empty()) << poste.messages.boites.front().texte.toStdString();
}

// While the patient window is open, the main window keeps its patient: the name it shows,
// the curves it lists and the patient a stored curve goes to stay one and the same.
TEST(NameList, ASavedPatientBecomesCurrentOnlyWhenThePatientsWindowCloses) {
    Workstation poste;
    const std::int64_t anne = poste.patient(QStringLiteral("Reste"), QStringLiteral("Anne"));
    poste.courbe(anne, 0, QStringLiteral("courbe d'Anne"));
    Echo& echo = poste.demarrer();
    Etat_Application& etat = *poste.etat;
    echo.Liste_Nom->setCurrentIndex(0);
    ASSERT_EQ(etat.Code_Patient_Courant, anne);
    echo.Menu_Gestion_Patients_Click();
    Patients& fenetre = Ouverte(echo.Fenetre_Patients());
    const auto enregistrer = [&](const char* nom, const char* prenom) {
        fenetre.Nom->setText(QString::fromUtf8(nom));
        fenetre.Prenom->setText(QString::fromUtf8(prenom));
        fenetre.Date_Naissance->setText(QStringLiteral("01/02/1970"));
        fenetre.Toolbar1_ButtonClick(6);
    };

    // Her own new name shows at once: she is the patient shown.
    enregistrer("Reste", "Annie");
    EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - Reste Annie"));
    // Another patient saved: nothing changes here until the window closes.
    fenetre.Toolbar1_ButtonClick(5);
    enregistrer("Neuf", "Paul");
    const std::int64_t paul = etat.Base_Donnees->lastInsertKey();
    EXPECT_EQ(etat.Code_Patient_Courant, anne);
    EXPECT_EQ(etat.Nom_Patient_Courant, QStringLiteral("Reste Anne"));
    EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - Reste Annie"));
    EXPECT_EQ(Stocker(poste, echo), anne);
    EXPECT_EQ(echo.List1->count(), 2);

    // Closing the window loads the patient saved last...
    fenetre.Toolbar1_ButtonClick(9);
    EXPECT_EQ(echo.Liste_Nom->currentText(), QStringLiteral("Neuf Paul"));
    EXPECT_EQ(etat.Code_Patient_Courant, paul);
    EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - Sinus Maxillaires - Neuf Paul"));
    EXPECT_EQ(echo.List1->count(), 0);
    EXPECT_EQ(Stocker(poste, echo), paul);

    // ... unless a patient was chosen here after that save.
    echo.Menu_Gestion_Patients_Click();
    fenetre.Toolbar1_ButtonClick(5);
    enregistrer("Autre", "Zoé");
    echo.Liste_Nom->setCurrentIndex(echo.Liste_Nom->findText(QStringLiteral("Reste Annie")));
    fenetre.Toolbar1_ButtonClick(9);
    EXPECT_EQ(echo.Liste_Nom->currentText(), QStringLiteral("Reste Annie"));
    EXPECT_EQ(etat.Code_Patient_Courant, anne);
    EXPECT_EQ(Stocker(poste, echo), anne);
    EXPECT_TRUE(poste.messages.boites.empty()) << poste.messages.boites.front().texte.toStdString();
}

TEST(NameList, APatientNotFoundLoadsNobodyAndSaysSo) {
    Workstation poste;
    const std::int64_t parti = poste.patient(QStringLiteral("Parti"), QStringLiteral("Jean"));
    const std::int64_t reste = poste.patient(QStringLiteral("Reste"), QStringLiteral("Anne"));
    poste.courbe(reste, 0, QStringLiteral("courbe d'Anne"));
    Echo& echo = poste.demarrer();
    Etat_Application& etat = *poste.etat;

    echo.Liste_Nom->setCurrentIndex(echo.Liste_Nom->findData(static_cast<qlonglong>(reste)));
    ASSERT_EQ(echo.List1->count(), 1);
    // Deleted elsewhere after the list was filled.
    etat.Base_Donnees->execute(QStringLiteral("DELETE FROM Patients WHERE Code_Patient = ?"),
                               {parti});
    echo.Liste_Nom->setCurrentIndex(echo.Liste_Nom->findData(static_cast<qlonglong>(parti)));

    ASSERT_EQ(poste.messages.boites.size(), 1u);
    EXPECT_EQ(poste.messages.boites[0].titre, etat.Libelle(1, 44));
    EXPECT_EQ(poste.messages.boites[0].texte, etat.Libelle(1, 85));
    EXPECT_FALSE(etat.Libelle(1, 85).isEmpty());
    EXPECT_EQ(etat.Code_Patient_Courant, 0);
    EXPECT_EQ(etat.Nom_Patient_Courant, QString());
    EXPECT_EQ(echo.Liste_Nom->currentIndex(), -1);
    EXPECT_EQ(echo.List1->count(), 0);
    EXPECT_EQ(echo.Text1->toPlainText(), QString());
    EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - Sinus Maxillaires"));

    // Nothing can then be stored for Anne, who was current before.
    const int avant = poste.nombre_courbes();
    echo.Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(poste.nombre_courbes(), avant);
    ASSERT_EQ(poste.messages.boites.size(), 2u);
    EXPECT_EQ(poste.messages.boites[1].texte, etat.Libelle(1, 84));
}

// Rows written by the stock sqlite3 shell, as another tool would: accents, a hyphen, Null
// parts, two equal names and a key beyond 32 bits.
TEST(NameList, OrderSearchAndReselectionHoldForNamesWrittenElsewhere) {
    Workstation poste;
    const QByteArray lignes_sql =
        "INSERT INTO Patients (Nom_Patient, Prenom_Patient, Date_Naissance_Patient) VALUES "
        "('Martin', 'Léa', '02/03/1950'), (NULL, 'Sans nom', '01/01/2001'), "
        "('Éluard', 'Paul', '14/12/1995'), ('dupont-aignan', 'Marc', '05/05/1960'), "
        "('Dupont', 'Marc', '05/05/1961'), ('Martin', 'Léa', '02/03/1950'), "
        "('ELUARD', 'paul', '30/06/1970'), ('Zoé', NULL, NULL); "
        "INSERT INTO Patients (Code_Patient, Nom_Patient, Prenom_Patient) "
        "VALUES (5000000000, 'Grand', 'Clé');";
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"), {poste.dossier.base(), QString::fromUtf8(lignes_sql)});
    ASSERT_TRUE(shell.waitForFinished()) << "no sqlite3 shell";
    ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    Echo& echo = poste.demarrer();
    Etat_Application& etat = *poste.etat;

    const QStringList ordre{QStringLiteral(" Sans nom"),
                            QStringLiteral("Dupont Marc"),
                            QStringLiteral("dupont-aignan Marc"),
                            QStringLiteral("ELUARD paul"),
                            QStringLiteral("Éluard Paul"),
                            QStringLiteral("Grand Clé"),
                            QStringLiteral("Martin Léa"),
                            QStringLiteral("Martin Léa"),
                            QStringLiteral("Zoé ")};
    // Each line read back from the row its key names.
    const auto lignes = [&] {
        QStringList textes;
        for (int ligne = 0; ligne < echo.Liste_Nom->count(); ++ligne) {
            const platform::Value cle = echo.Liste_Nom->itemData(ligne).toLongLong();
            const QString nom =
                poste
                    .valeur(QStringLiteral("SELECT COALESCE(Nom_Patient, '') || ' ' || "
                                           "COALESCE(Prenom_Patient, '') FROM Patients "
                                           "WHERE Code_Patient = ?"),
                            {cle})
                    .toText();
            EXPECT_EQ(echo.Liste_Nom->itemText(ligne), nom) << ligne;
            textes << nom;
        }
        return textes;
    };
    EXPECT_EQ(lignes(), ordre);
    EXPECT_EQ(echo.Liste_Nom->currentIndex(), -1);

    // The later homonym stays chosen through refills, and every line shows its row as it
    // now is once this copy or another one has renamed a patient (another copy first: nothing this
    // copy did tells it).
    EXPECT_EQ(echo.Liste_Nom->itemData(5).toLongLong(), 5000000000);
    echo.Liste_Nom->setCurrentIndex(7);
    const std::int64_t choisi = etat.Code_Patient_Courant;
    platform::Database autre_copie(poste.dossier.base());
    const std::vector<std::pair<platform::Database*, QString>> ecritures{
        {nullptr, QStringLiteral("Zoé ")},
        {&autre_copie, QStringLiteral("Zoé Ève")},
        {etat.Base_Donnees.get(), QStringLiteral("Zoé Anne")}};
    for (const auto& [ecrivain, zoe] : ecritures) {
        if (ecrivain != nullptr) {
            ecrivain->execute(QStringLiteral("UPDATE Patients SET Prenom_Patient = ? WHERE "
                                             "Nom_Patient = 'Zoé'"),
                              {zoe.mid(4)});
        }
        echo.Remplir_Liste_Nom();
        QStringList attendu = ordre;
        attendu.back() = zoe;
        EXPECT_EQ(lignes(), attendu);
        EXPECT_EQ(echo.Liste_Nom->currentIndex(), 7);
        EXPECT_EQ(etat.Code_Patient_Courant, choisi);
    }

    // A search in the patient window lists the found patients in the same order, and the
    // main window follows it once the window closes.
    echo.Menu_Gestion_Patients_Click();
    Patients& fenetre = Ouverte(echo.Fenetre_Patients());
    const auto chercher = [&](const char* nom, const char* date) {
        fenetre.Toolbar1_ButtonClick(8);
        fenetre.Nom->setText(QString::fromUtf8(nom));
        fenetre.Date_Naissance->setText(QString::fromUtf8(date));
        fenetre.Toolbar1_ButtonClick(8);
        const QStringList trouves = test::Lignes(fenetre.Liste_Patients);
        fenetre.Toolbar1_ButtonClick(8);
        return trouves;
    };
    EXPECT_EQ(chercher("dupont", ""),
              QStringList({QStringLiteral("Dupont Marc"), QStringLiteral("dupont-aignan Marc")}));
    EXPECT_EQ(chercher("é", ""), QStringList({QStringLiteral("Éluard Paul")}));
    EXPECT_EQ(chercher("", ">=1/1/1970"),
              QStringList({QStringLiteral(" Sans nom"), QStringLiteral("ELUARD paul"),
                           QStringLiteral("Éluard Paul")}));
    EXPECT_EQ(chercher("Martin", "02/03/50"),
              QStringList({QStringLiteral("Martin Léa"), QStringLiteral("Martin Léa")}));
    fenetre.Toolbar1_ButtonClick(8);
    fenetre.Nom->setText(QStringLiteral("martin"));
    fenetre.Toolbar1_ButtonClick(8);
    fenetre.Toolbar1_ButtonClick(9);
    EXPECT_EQ(lignes(), QStringList({QStringLiteral("Martin Léa"), QStringLiteral("Martin Léa")}));
    EXPECT_EQ(echo.Liste_Nom->itemData(echo.Liste_Nom->currentIndex()).toLongLong(), choisi);
    EXPECT_TRUE(poste.messages.boites.empty()) << poste.messages.boites.front().texte.toStdString();
}

TEST(NameList, ATableWithoutPatientsGivesAnEmptyList) {
    Workstation poste;
    Echo& echo = poste.demarrer();
    EXPECT_EQ(echo.Liste_Nom->count(), 0);
    EXPECT_EQ(echo.Liste_Nom->currentIndex(), -1);
    poste.etat->Nom_Patient_Courant = QStringLiteral("Quelqu'un");
    echo.Remplir_Liste_Nom();
    EXPECT_EQ(echo.Liste_Nom->count(), 0);
    EXPECT_EQ(poste.etat->Code_Patient_Courant, 0);
    EXPECT_EQ(echo.List1->count(), 0);
    EXPECT_TRUE(poste.messages.boites.empty());
}

}  // namespace
}  // namespace corvanta::test
