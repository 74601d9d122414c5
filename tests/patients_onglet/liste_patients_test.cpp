// The patient list of the main window and the current patient, on a real database.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <algorithm>
#include <set>

#include "platform/recordset.h"
#include "tests/patients_onglet/poste_patients.h"

namespace corvanta::test {
namespace {

QString Texte_Ligne(const QListWidget* liste, int ligne) {
    return liste->item(ligne)->text();
}

struct Patient_Attendu {
    Patient_Attendu(const QString& n, const QString& p) : nom(n), prenom(p) {}
    QString nom, prenom;
    std::int64_t cle = 0;
    QString courbe;  // label of his one type-0 curve
};

// Homonyms and hostile texts, each patient with a curve of his own.
std::vector<Patient_Attendu> Peupler(Poste_Patients& poste) {
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

TEST(ListeNom, ChaqueLigneChargeSonProprePatientParSaCle) {
    Poste_Patients poste;
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
    EXPECT_TRUE(poste.boites().empty());
}

TEST(ListeNom, LeRemplissageRetrouveLePatientCourantParSaCle) {
    Poste_Patients poste;
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
    EXPECT_TRUE(poste.boites().empty());
}

TEST(ListeNom, UnPatientIntrouvableNeChargePersonneEtLeDit) {
    Poste_Patients poste;
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

    ASSERT_EQ(poste.boites().size(), 1u);
    EXPECT_EQ(poste.boites()[0].titre, etat.Libelle(1, 44));
    EXPECT_EQ(poste.boites()[0].texte, etat.Libelle(1, 85));
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
    ASSERT_EQ(poste.boites().size(), 2u);
    EXPECT_EQ(poste.boites()[1].texte, etat.Libelle(1, 84));
}

TEST(ListeNom, UneTableSansPatientDonneUneListeVide) {
    Poste_Patients poste;
    Echo& echo = poste.demarrer();
    EXPECT_EQ(echo.Liste_Nom->count(), 0);
    EXPECT_EQ(echo.Liste_Nom->currentIndex(), -1);
    poste.etat->Nom_Patient_Courant = QStringLiteral("Quelqu'un");
    echo.Remplir_Liste_Nom();
    EXPECT_EQ(echo.Liste_Nom->count(), 0);
    EXPECT_EQ(poste.etat->Code_Patient_Courant, 0);
    EXPECT_EQ(echo.List1->count(), 0);
    EXPECT_TRUE(poste.boites().empty());
}

}  // namespace
}  // namespace corvanta::test
