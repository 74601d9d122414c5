#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "app/reglages.h"
#include "exams/examen_plevre.h"
#include "exams/examen_tumeur.h"
#include "platform/recordset.h"
#include "platform/settings_store.h"
#include "tests/exam_windows/expected_preview.h"

namespace corvanta::test {
namespace {

bool Memes_Zones(const Zone_Sensible& a, const Zone_Sensible& b) {
    return a.xmin == b.xmin && a.xmax == b.xmax && a.seuil == b.seuil && a.gel == b.gel &&
           a.actif == b.actif;
}

TEST(ExamTypes, SwitchingTheTypeChangesCaptionMarksExamsZonesAndCurves) {
    Workstation c;
    const auto p = c.patient(QStringLiteral("LEROY"), QStringLiteral("Marc"));
    c.courbe(p, 0, QStringLiteral("sinus"));
    c.courbe(p, 2, QStringLiteral("plèvre 1"));
    c.courbe(p, 2, QStringLiteral("plèvre 2"));
    c.examen(p, 2, "01", 0, 0);
    c.examen(p, 0, "02", 0, 0);
    c.dossier.ecrire_reglage(QStringLiteral("ZONES2"), QStringLiteral("seuil1"),
                             QStringLiteral("77"));
    c.demarrer();
    Echo& e = *c.echo;
    Etat_Application& etat = *c.etat;

    e.Menu_Plevre->trigger();  // no patient chosen yet
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Corvanta - ") + etat.Libelle(1, 74));
    e.Liste_Nom->setCurrentIndex(0);
    e.Menu_Plevre->trigger();
    EXPECT_EQ(etat.Type_Examen, 2);
    EXPECT_EQ(etat.Nom_Type_Examen, etat.Libelle(1, 74));
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Corvanta - ") + etat.Libelle(1, 74) +
                                   QStringLiteral(" - LEROY Marc"));
    for (QAction* menu :
         {e.Menu_Sinus_Maxillaires, e.Menu_Sinus_Frontaux, e.Menu_Tumeur, e.Menu_Cellules})
        EXPECT_FALSE(menu->isChecked());
    EXPECT_TRUE(e.Menu_Plevre->isChecked());
    ASSERT_EQ(etat.Table_Examens->recordCount(), 1);
    etat.Table_Examens->moveFirst();
    EXPECT_EQ(etat.Table_Examens->field(QStringLiteral("Code_Type")), platform::Value(2));
    ASSERT_EQ(e.List1->count(), 2);
    for (int z = 0; z < kZones_Utilisees; ++z)
        EXPECT_TRUE(Memes_Zones(etat.Zones_Courantes[z], etat.Zones_Sensibles[2][z])) << z;
    EXPECT_EQ(etat.Zones_Sensibles[2][1].seuil, 77);

    e.Menu_Cellules->trigger();
    EXPECT_EQ(etat.Table_Examens->recordCount(), 0);
    EXPECT_EQ(e.List1->count(), 0);
    EXPECT_TRUE(e.Menu_Cellules->isChecked());
    EXPECT_FALSE(e.Menu_Plevre->isChecked());
}

TEST(ExamTypes, AWindowFollowsATypeSwitchItServesOrClosesForAnotherWindowsType) {
    Workstation c;
    const auto p = c.patient(QStringLiteral("LEROY"), QStringLiteral("Marc"));
    c.examen(p, 0, "01", 0, 0);
    c.examen(p, 1, "02", 0, 0);
    c.examen(p, 1, "03", 0, 0);
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    EXPECT_TRUE(s.Est_Charge());
    EXPECT_EQ(s.Liste_Examens->count(), 1);
    // Asking again only brings it forward: no new set-up.
    c.examen(p, 0, "04", 0, 0);
    c.ouvrir();
    EXPECT_EQ(s.Liste_Examens->count(), 1);

    c.echo->Menu_Sinus_Frontaux->trigger();
    EXPECT_TRUE(s.Est_Charge());
    EXPECT_EQ(s.windowTitle(), c.etat->Libelle(4, 1));
    EXPECT_EQ(s.Liste_Examens->count(), 2);
    s.Toolbar1_Boutons[4]->trigger();  // a new exam...
    c.echo->Menu_Plevre->trigger();    // ...is abandoned when the window closes
    EXPECT_FALSE(s.Est_Charge());
    EXPECT_EQ(s.Mode_Nouvel_Examen, 0);
    c.ouvrir();  // the pleura window opens, not this one
    EXPECT_FALSE(s.Est_Charge());
    EXPECT_NE(c.examen_ouvert<Examen_Plevre>(), nullptr);
    // The pleura and tumour windows are let go when another type's window takes over.
    c.echo->Menu_Tumeur->trigger();
    EXPECT_EQ(c.examen_ouvert<Examen_Plevre>(), nullptr);
    c.ouvrir<Examen_Tumeur>();
    EXPECT_FALSE(s.Est_Charge());
    c.echo->Menu_Cellules->trigger();
    EXPECT_EQ(c.examen_ouvert<Examen_Tumeur>(), nullptr);
    c.ouvrir();
    EXPECT_TRUE(s.Est_Charge());
    EXPECT_EQ(s.windowTitle(), c.etat->Libelle(4, 101));
    EXPECT_TRUE(c.messages.boites.empty());
}

TEST(ExamTypes, ChoosingTheCurrentTypeAgainKeepsTheExamBeingTyped) {
    Workstation c;
    const auto p = c.patient(QStringLiteral("LEROY"), QStringLiteral("Marc"));
    c.courbe(p, 0, QStringLiteral("droite"));
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    s.Toolbar1_Boutons[4]->trigger();
    s.Combo_Nom_Patient->setCurrentIndex(0);
    s.Combo_Echogramme_Droit->setCurrentIndex(0);
    s.Combo_Echogramme_Gauche->setCurrentIndex(0);
    s.Texte_Examen_Compatible->setText(QStringLiteral("Sinusite"));

    c.echo->Menu_Sinus_Maxillaires->trigger();
    EXPECT_TRUE(c.echo->Menu_Sinus_Maxillaires->isChecked());
    EXPECT_EQ(s.Mode_Nouvel_Examen, 1);
    EXPECT_EQ(s.Texte_Examen_Compatible->text(), QStringLiteral("Sinusite"));
    EXPECT_EQ(s.Combo_Echogramme_Droit->currentIndex(), 0);
    s.Toolbar1_Boutons[5]->trigger();
    EXPECT_EQ(c.base->queryValue("SELECT Examen_Compatible FROM Examens"),
              platform::Value("Sinusite"));
    EXPECT_EQ(s.Liste_Examens->count(), 1);
    EXPECT_TRUE(c.messages.boites.empty());
}

// A started workstation whose sinus window has a new exam with something entered.
Examen_Sinus& Nouvel_Examen_Commence(Workstation& c) {
    c.patient(QStringLiteral("LEROY"), QStringLiteral("Marc"));
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    s.Toolbar1_Boutons[4]->trigger();
    s.Combo_Nom_Patient->setCurrentIndex(0);
    s.Check_Fievre->setChecked(true);
    return s;
}

TEST(ExamTypes, ATypeSwitchAsksBeforeLosingANewExamAndCancelKeepsTheTypeAndTheExam) {
    for (const auto& [menu, type] : std::vector<std::pair<QAction * Echo::*, int>>{
             {&Echo::Menu_Sinus_Frontaux, 1}, {&Echo::Menu_Plevre, 2}}) {
        SCOPED_TRACE(type);
        Workstation c;
        Examen_Sinus& s = Nouvel_Examen_Commence(c);
        const QString titre = c.echo->windowTitle();
        QAction* entree = c.echo.get()->*menu;
        for (const auto reponse :
             {std::optional<QMessageBox::StandardButton>{}, std::optional{QMessageBox::Cancel}}) {
            c.messages.reponse = reponse;
            entree->trigger();
            ASSERT_EQ(c.messages.boites.size(), 1u);
            EXPECT_EQ(c.messages.boites[0].texte, c.etat->Libelle(4, 156));
            EXPECT_EQ(c.messages.boites[0].defaut, QMessageBox::Cancel);
            EXPECT_EQ(c.etat->Type_Examen, 0);
            EXPECT_TRUE(c.echo->Menu_Sinus_Maxillaires->isChecked());
            EXPECT_FALSE(entree->isChecked());
            EXPECT_EQ(c.echo->windowTitle(), titre);
            EXPECT_TRUE(s.Est_Charge());
            EXPECT_EQ(s.Mode_Nouvel_Examen, 1);
            EXPECT_TRUE(s.Check_Fievre->isChecked());
            c.messages.boites.clear();
        }
        c.messages.reponse = QMessageBox::Ok;
        entree->trigger();
        EXPECT_EQ(c.messages.boites.size(), 1u) << "asked once, not again by the closing";
        EXPECT_EQ(c.etat->Type_Examen, type);
        EXPECT_TRUE(entree->isChecked());
        EXPECT_EQ(s.Mode_Nouvel_Examen, 0);
        EXPECT_EQ(s.Est_Charge(), type == 1);
    }
}

// Quitting by the button, the menu or the close box asks the same question; Cancel keeps
// the program running with the exam, OK ends it.
TEST(ExamTypes, QuittingAsksBeforeLosingANewExamAndCancelKeepsTheProgramRunning) {
    const std::vector<std::function<void(Echo&)>> quitter{
        [](Echo& e) { e.Bouton_Quitter->click(); }, [](Echo& e) { e.Menu_Quitter->trigger(); },
        [](Echo& e) { e.close(); }};
    for (std::size_t i = 0; i < quitter.size(); ++i) {
        SCOPED_TRACE(i);
        Workstation c;
        Examen_Sinus& s = Nouvel_Examen_Commence(c);
        c.messages.reponse = QMessageBox::Cancel;
        quitter[i](*c.echo);
        ASSERT_EQ(c.messages.boites.size(), 1u);
        EXPECT_EQ(c.messages.boites[0].texte, c.etat->Libelle(4, 156));
        EXPECT_EQ(c.fin, -1);
        EXPECT_EQ(s.Mode_Nouvel_Examen, 1);
        EXPECT_TRUE(s.Check_Fievre->isChecked());
        c.messages.reponse = QMessageBox::Ok;
        quitter[i](*c.echo);
        EXPECT_EQ(c.messages.boites.size(), 2u);
        EXPECT_EQ(c.fin, 0);
    }
}

TEST(ExamTypes, TheSinusQueriesGiveEveryColumnTheWindowsAndReportsUse) {
    Workstation c;
    const auto p = c.patient(QStringLiteral("LEROY"), QStringLiteral("Marc"));
    c.base->execute(
        "UPDATE Patients SET Ville_Patient = 'Lyon', NumeroSS_Patient = '1' "
        "WHERE Code_Patient = ?",
        {p});
    const auto d = c.courbe(p, 0, QStringLiteral("droite"), Echantillons(1, 1));
    const auto g = c.courbe(p, 0, QStringLiteral("gauche"), Echantillons(2, 1));
    for (int type : {0, 1, 4})
        c.examen(p, type, "01", d, g);
    c.examen(p, 2, "02", d, g);
    for (int type : {0, 1, 4}) {
        SCOPED_TRACE(type);
        auto examens = c.base->openRecordset(QStringLiteral("Req_Examens_%1").arg(type));
        ASSERT_EQ(examens->recordCount(), 1);
        examens->moveFirst();
        EXPECT_EQ(examens->fieldName(1), QStringLiteral("Code_ Patient"));
        EXPECT_EQ(examens->field(1), platform::Value(p));
        EXPECT_EQ(examens->field("Code_Type"), platform::Value(type));
        EXPECT_EQ(examens->field("Nom_Patient"), platform::Value("LEROY"));
        EXPECT_EQ(examens->field("Prenom_Patient"), platform::Value("Marc"));
        EXPECT_EQ(examens->field("Ville_Patient"), platform::Value("Lyon"));
        EXPECT_EQ(examens->field("Courbes_Droites.Courbe"), platform::Value(Echantillons(1, 1)));
        EXPECT_EQ(examens->field("Courbes_Gauches.Courbe"), platform::Value(Echantillons(2, 1)));
        EXPECT_EQ(examens->field("Courbes_Droites.DATE"), platform::Value("droite"));
        EXPECT_EQ(examens->field("Courbes_Gauches.DATE"), platform::Value("gauche"));
        EXPECT_TRUE(examens->field("Courbes_Gauches.Commentaire_Courbe").isNull());
        for (const char* colonne :
             {"Num_Examen", "Date_Examen", "Docteur_Patient", "Imagerie_Face_Standard_Status",
              "Origine_Examen_Globules_Detail", "Echogramme_Gauche_Autres_Detail",
              "Examen_Compatible", "Decision_Traitement_Endoscopie", "Adresse1_Patient",
              "Adresse2_Patient", "CodePostal_Patient", "Date_Naissance_Patient",
              "NumeroSS_Patient", "Telephone1_Patient", "Telephone2_Patient"})
            EXPECT_NO_THROW(examens->field(colonne)) << colonne;
        // A row added through the query is one exam row; deleting it leaves the rest.
        examens->addNew();
        examens->setField(1, p);
        examens->setField("Code_Type", type);
        const auto cle = examens->update();
        examens->requery();
        EXPECT_TRUE(examens->moveToKey(cle));
        examens->deleteCurrent();
        EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Patients"), platform::Value(1));
        EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Courbes"), platform::Value(2));
        EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens"), platform::Value(4));
    }
}

TEST(Doctors, LeavingABoxOrSwitchingDoctorsStoresTheTypedDetails) {
    Workstation c;
    c.dossier.ecrire_reglage("GENERAL", "Nom(2)", "Dr Second");
    c.dossier.ecrire_reglage("GENERAL", "Tel(3)", "0102");
    c.demarrer();
    Echo& e = *c.echo;
    Etat_Application& etat = *c.etat;
    e.show();
    e.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&e));
    e.SSTab1->setCurrentIndex(3);

    e.Texte_Adresse1_Medecin->setFocus();
    e.Texte_Adresse1_Medecin->setText(QStringLiteral("1 rue Haute"));
    e.Texte_Tel_Medecin->setFocus();  // leaving the box stores it
    EXPECT_EQ(etat.Adresse1_Medecin[1], QStringLiteral("1 rue Haute"));
    etat.Registre->sync();
    EXPECT_EQ(c.dossier.reglage("GENERAL", "Adresse1(1)"), QStringLiteral("1 rue Haute"));

    e.Texte_Nom_Medecin->setText(QStringLiteral("Dr Premier"));  // not left yet
    e.Toolbar3_Boutons[1]->trigger();
    EXPECT_EQ(etat.Nom_Medecin[1], QStringLiteral("Dr Premier"));
    etat.Registre->sync();
    EXPECT_EQ(c.dossier.reglage("GENERAL", "Nom(1)"), QStringLiteral("Dr Premier"));
    EXPECT_EQ(etat.Medecin_Courant, 2);
    EXPECT_EQ(e.Texte_Nom_Medecin->text(), QStringLiteral("Dr Second"));
    EXPECT_EQ(c.dossier.reglage("GENERAL", "Medecin"), QStringLiteral("<absent>"));

    // The exam window's choice: a detail being typed is kept for the slot it belongs to.
    Examen_Sinus& s = c.ouvrir();
    EXPECT_TRUE(s.Toolbar2_Boutons[1]->isChecked());
    e.Texte_Fax_Medecin->setText(QStringLiteral("0999"));
    s.Toolbar2_Boutons[2]->trigger();
    EXPECT_EQ(etat.Fax_Medecin[2], QStringLiteral("0999"));
    EXPECT_EQ(etat.Medecin_Courant, 3);
    EXPECT_TRUE(e.Toolbar3_Boutons[2]->isChecked());
    EXPECT_EQ(e.Texte_Nom_Medecin->text(), QStringLiteral("Docteur X"));
    EXPECT_EQ(e.Texte_Tel_Medecin->text(), QStringLiteral("0102"));

    e.Fermer_Application();
    EXPECT_EQ(c.dossier.reglage("GENERAL", "Medecin"), QStringLiteral("3"));
    EXPECT_EQ(c.dossier.reglage("GENERAL", "Fax(2)"), QStringLiteral("0999"));
}

}  // namespace
}  // namespace corvanta::test
