#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>
#include <tuple>

#include "platform/recordset.h"
#include "tests/exam_windows/expected_preview.h"
#include "widgets/curve_view.h"

namespace corvanta::test {
namespace {

// Three patients; Martin has two exams of type 0 (numbers 7 and 12), Durand one (123)
// and one of type 1; Petit one whose number is no number.
struct ThreePatients : Workstation {
    ThreePatients() {
        durand = patient(QStringLiteral("DURAND"), QStringLiteral("Alice"));
        martin = patient(QStringLiteral("MARTIN"), QStringLiteral("Paul"));
        petit = patient(QStringLiteral("PETIT"), QStringLiteral("Léa"));
        m1 = courbe(martin, 0, QStringLiteral("01/02/2026 10:00 D"), Echantillons(10, 1));
        m2 = courbe(martin, 0, QStringLiteral("01/02/2026 10:05 G"), Echantillons(200, -1));
        m_autre = courbe(martin, 2, QStringLiteral("01/02/2026 11:00 D"));
        d1 = courbe(durand, 0, QStringLiteral("03/02/2026 09:00 D"), Echantillons(50, 0));
        p1 = courbe(petit, 0, QStringLiteral("04/02/2026 09:00 D"), Echantillons(30, 2));
        e_martin7 = examen(martin, 0, QStringLiteral("7"), m1, m2,
                           {{QStringLiteral("Examen_Compatible"), QStringLiteral("Sinusite")}});
        e_martin12 = examen(martin, 0, QStringLiteral("12"), m2, m1);
        e_durand = examen(durand, 0, QStringLiteral("123"), d1, d1);
        examen(durand, 1, QStringLiteral("4"), d1, d1);
        e_petit = examen(petit, 0, QStringLiteral("bis"), p1, p1);
    }
    std::int64_t durand, martin, petit, m1, m2, m_autre, d1, p1;
    std::int64_t e_martin7, e_martin12, e_durand, e_petit;
};

TEST(Sinus, SetUpListsExamsAndOpensOnTheCurrentPatientsFirstExam) {
    ThreePatients c;
    c.demarrer();
    c.echo->Liste_Nom->setCurrentIndex(1);  // MARTIN Paul becomes current
    ASSERT_EQ(c.etat->Nom_Patient_Courant, QStringLiteral("MARTIN Paul"));
    Examen_Sinus& s = c.ouvrir();

    EXPECT_EQ(Lignes(s.Liste_Examens), (QStringList{"DURAND Alice 123", "MARTIN Paul 07",
                                                    "MARTIN Paul 12", "PETIT Léa bis"}));
    EXPECT_EQ(s.Nombre_Examens, 4);
    EXPECT_EQ(s.Liste_Examens->currentRow(), 1);
    EXPECT_EQ(c.etat->Table_Examens->currentKey(), c.e_martin7);
    EXPECT_EQ(s.Texte_Nom_Patient->text(), QStringLiteral("MARTIN Paul"));
    EXPECT_EQ(s.Texte_Num_Examen->text(), QStringLiteral("07"));
    EXPECT_EQ(s.windowTitle(), c.etat->Libelle(4, 100));
    EXPECT_EQ(s.Label_Patient->text(), c.etat->Libelle(4, 2));
    EXPECT_EQ(s.Frame_Decision->title(), c.etat->Libelle(4, 24));
    EXPECT_EQ(s.Label_Lavage->text(), c.etat->Libelle(4, 98));
    EXPECT_EQ(s.Label_Evocateur[1]->text(), c.etat->Libelle(4, 22));
    EXPECT_EQ(s.Combo_Type_Ecoulement->count(), 2);
    EXPECT_EQ(s.Combo_Status_Scanner->itemText(2), c.etat->Libelle(4, 33));
    EXPECT_EQ(s.Toolbar1_Boutons[5]->toolTip(), c.etat->Libelle(4, 57));
    EXPECT_EQ(s.Combo_Nom_Patient->count(), 3);
    EXPECT_EQ(s.Combo_Nom_Patient->itemData(2).toLongLong(), c.petit);
    // The shared patients recordset is given back where the main window left it.
    EXPECT_EQ(c.etat->Table_Patients->currentKey(), c.martin);
    // The export folder is by default the program folder: the export is disabled.
    EXPECT_TRUE(s.Toolbar1_Boutons[7]->isEnabled());
    EXPECT_FALSE(s.Toolbar1_Boutons[8]->isEnabled());
    EXPECT_TRUE(s.Toolbar2_Boutons[0]->isChecked());
    EXPECT_TRUE(s.Affichage_Complet());

    // The start timer shows the selected line's exam again.
    runEvents(40);
    EXPECT_EQ(c.etat->Table_Examens->currentKey(), c.e_martin7);
    EXPECT_TRUE(c.messages.boites.empty());
}

TEST(Sinus, NavigationButtonsMoveWithinTheListAndStopAtItsEnds) {
    ThreePatients c;
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    platform::Recordset& examens = *c.etat->Table_Examens;
    ASSERT_EQ(examens.currentKey(), c.e_durand);

    s.Toolbar1_Boutons[0]->trigger();  // previous on the first: nothing
    EXPECT_EQ(examens.currentKey(), c.e_durand);
    s.Toolbar1_Boutons[1]->trigger();
    EXPECT_EQ(examens.currentKey(), c.e_martin7);
    EXPECT_EQ(s.Liste_Examens->currentRow(), 1);
    EXPECT_EQ(s.Texte_Examen_Compatible->text(), QStringLiteral("Sinusite"));
    s.Toolbar1_Boutons[3]->trigger();  // last
    EXPECT_EQ(examens.currentKey(), c.e_petit);
    EXPECT_EQ(s.Texte_Num_Examen->text(), QStringLiteral("bis"));
    s.Toolbar1_Boutons[1]->trigger();  // next on the last: nothing
    EXPECT_EQ(examens.currentKey(), c.e_petit);
    s.Toolbar1_Boutons[0]->trigger();
    EXPECT_EQ(examens.currentKey(), c.e_martin12);
    EXPECT_EQ(s.Liste_Examens->currentRow(), 2);
    s.Toolbar1_Boutons[2]->trigger();  // first
    EXPECT_EQ(examens.currentKey(), c.e_durand);

    s.Liste_Examens->setCurrentRow(3);  // a click on a line
    EXPECT_EQ(examens.currentKey(), c.e_petit);
    EXPECT_EQ(s.Texte_Nom_Patient->text(), QStringLiteral("PETIT Léa"));
    EXPECT_TRUE(c.messages.boites.empty());
}

TEST(Sinus, ALineChoosesItsOwnExamAfterAnotherWindowRequeriedTheSharedSet) {
    ThreePatients c;
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    runEvents(30);
    s.Liste_Examens->setCurrentRow(1);  // MARTIN 07
    // Another window's write and requery move the rows under the lines (the patient
    // window's deletion does): DURAND's exam goes, so MARTIN 12 stands at position 1.
    c.base->execute(QStringLiteral("DELETE FROM Examens WHERE Code_Examen = ?"), {c.e_durand});
    c.etat->Table_Examens->requery();

    s.Liste_Examens->setCurrentRow(2);  // "MARTIN Paul 12", now at position 1
    EXPECT_EQ(c.etat->Table_Examens->currentKey(), c.e_martin12);
    EXPECT_EQ(s.Texte_Num_Examen->text(), QStringLiteral("12"));
    EXPECT_TRUE(c.messages.boites.empty());

    s.Liste_Examens->setCurrentRow(0);  // DURAND's line: its exam is gone
    ASSERT_EQ(c.messages.boites.size(), 1u);
    EXPECT_EQ(c.messages.boites[0].titre, c.etat->Libelle(4, 165));
    EXPECT_EQ(c.messages.boites[0].texte, c.etat->Libelle(4, 164));
    // The list read again without DURAND's line, MARTIN 12 still shown.
    EXPECT_EQ(Lignes(s.Liste_Examens),
              (QStringList{"MARTIN Paul 07", "MARTIN Paul 12", "PETIT Léa bis"}));
    EXPECT_EQ(s.Texte_Num_Examen->text(), QStringLiteral("12"));
    EXPECT_EQ(s.Liste_Examens->currentRow(), 1);
    s.Toolbar1_Boutons[0]->trigger();  // previous: MARTIN 07, on its own line
    EXPECT_EQ(s.Liste_Examens->currentRow(), 0);
    s.Toolbar1_Boutons[1]->trigger();
    EXPECT_EQ(s.Liste_Examens->currentRow(), 1);
    c.messages.reponse = QMessageBox::Ok;
    s.Toolbar1_Boutons[6]->trigger();
    EXPECT_TRUE(c.colonne(c.e_martin12, "Code_Examen").isNull());
    EXPECT_FALSE(c.colonne(c.e_petit, "Code_Examen").isNull());
    EXPECT_EQ(Lignes(s.Liste_Examens), (QStringList{"MARTIN Paul 07", "PETIT Léa bis"}));
}

TEST(Sinus, AnEmptyTypeOpensWithNothingShownAndEveryMoveIsHarmless) {
    ThreePatients c;
    c.demarrer();
    c.echo->Menu_Cellules->trigger();  // type 4 has no exam
    Examen_Sinus& s = c.ouvrir();
    EXPECT_EQ(s.windowTitle(), c.etat->Libelle(4, 101));
    EXPECT_EQ(s.Liste_Examens->count(), 0);
    EXPECT_EQ(s.Nombre_Examens, 0);
    for (int bouton : {1, 2, 3, 4, 7})
        s.Toolbar1_Boutons[bouton - 1]->trigger();
    s.Liste_Examens_Click();
    runEvents(30);
    EXPECT_EQ(c.etat->Table_Examens->recordCount(), 0);
    EXPECT_TRUE(s.Liste_Examens->isVisible());
    EXPECT_TRUE(c.messages.boites.empty());  // no error, no question
}

TEST(Sinus, EachFindingShowsItsDetailExactlyWhileTicked) {
    ThreePatients c;
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    const std::vector<std::pair<QCheckBox*, QWidget*>> paires{
        {s.Check_Face_Standard, s.Combo_Status_Face_Standard},
        {s.Check_Echo_B, s.Combo_Status_Echo_B},
        {s.Check_Scanner, s.Combo_Status_Scanner},
        {s.Check_Douleur, s.Combo_Type_Douleur},
        {s.Check_Ecoulement, s.Combo_Type_Ecoulement},
        {s.Check_Autres_ORL, s.Texte_Autres_ORL},
        {s.Check_Autres_CLI, s.Texte_Autres_CLI},
        {s.Check_Examens_Biologiques, s.Texte_Examens_Biologiques},
        {s.Check_Globules, s.Texte_Globules},
        {s.Check_Droit_Autres, s.Texte_Droit_Autres},
        {s.Check_Gauche_Autres, s.Texte_Gauche_Autres}};
    for (const auto& [coche, detail] : paires) {
        SCOPED_TRACE(coche->objectName().toStdString());
        coche->setChecked(false);
        EXPECT_FALSE(detail->isVisible());
        coche->click();
        EXPECT_TRUE(detail->isVisible());
        coche->click();
        EXPECT_FALSE(detail->isVisible());
    }
    // A hidden list keeps its entry.
    s.Check_Douleur->setChecked(true);
    s.Combo_Type_Douleur->setCurrentIndex(2);
    s.Check_Douleur->setChecked(false);
    EXPECT_EQ(s.Combo_Type_Douleur->currentIndex(), 2);
    EXPECT_TRUE(s.Texte_Traitement_Medical->isVisible());
}

TEST(Sinus, EchogramChoiceListsThePatientsCurvesAndPreviewsWithTheMainWindowsFilters) {
    ThreePatients c;
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    s.Toolbar1_Boutons[4]->trigger();  // new exam: no current patient, nothing chosen
    EXPECT_EQ(s.Combo_Nom_Patient->currentIndex(), -1);
    s.Combo_Nom_Patient->setCurrentIndex(1);  // MARTIN: his type-0 curves only
    ASSERT_EQ(s.Combo_Echogramme_Droit->count(), 2);
    EXPECT_EQ(s.Combo_Echogramme_Gauche->count(), 2);
    EXPECT_EQ(s.Combo_Echogramme_Droit->itemText(1), QStringLiteral("01/02/2026 10:05 G"));
    EXPECT_EQ(s.Combo_Echogramme_Droit->itemData(1).toLongLong(), c.m2);
    EXPECT_EQ(s.Combo_Echogramme_Droit->currentIndex(), -1);

    c.echo->Combo1->setCurrentIndex(1);  // 100 points
    c.echo->Slider1[0]->setValue(2);
    s.Combo_Echogramme_Droit->setCurrentIndex(1);
    EXPECT_EQ(s.Nombre_Points_Examen, 100);
    EXPECT_EQ(s.Picture1->image(), Apercu_Attendu(c, Echantillons(200, -1)));
    const QImage avant = s.Picture1->image();
    c.echo->Slider1[1]->setValue(3);
    emit s.Combo_Echogramme_Droit->activated(1);  // the same entry chosen again
    EXPECT_NE(s.Picture1->image(), avant);
    EXPECT_EQ(s.Picture1->image(), Apercu_Attendu(c, Echantillons(200, -1)));

    // Typing during a new exam previews the last curve listed, on its own side.
    QTest::keyClicks(s.Combo_Echogramme_Gauche->lineEdit(), "x");
    EXPECT_EQ(s.Combo_Echogramme_Gauche->currentIndex(), -1);
    EXPECT_EQ(s.Picture2->image(), Apercu_Attendu(c, Echantillons(200, -1)));
}

TEST(Sinus, APreviewFindsItsCurveByKeyEvenAfterTheMainWindowReopenedTheCurves) {
    ThreePatients c;
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    s.Liste_Examens->setCurrentRow(1);              // MARTIN 07
    c.echo->Liste_Nom->setCurrentIndex(0);          // the main window loads DURAND's curves
    s.Combo_Echogramme_Gauche->setCurrentIndex(0);  // MARTIN's curve m1
    EXPECT_EQ(s.Picture2->image(), Apercu_Attendu(c, Echantillons(10, 1)));
    // A curve gone from the database clears the preview.
    c.base->execute(QStringLiteral("UPDATE Courbes SET ID = 999 WHERE ID = ?"), {c.m1});
    s.Combo_Echogramme_Gauche->setCurrentIndex(-1);
    s.Combo_Echogramme_Gauche->setCurrentIndex(0);
    QImage noire(137, 129, QImage::Format_RGB32);
    noire.fill(Qt::black);
    EXPECT_EQ(s.Picture2->image(), noire);
}

TEST(Sinus, DisplayPutsEveryColumnIntoItsControl) {
    ThreePatients c;
    std::vector<std::pair<QString, platform::Value>> colonnes{
        {"Docteur_Patient", "Dr Lenoir"}, {"Examen_Compatible", "Sinusite maxillaire droite"}};
    for (const char* coche :
         {"Imagerie_Face_Standard", "Imagerie_Scanner", "Origine_Examen_Douleur",
          "Origine_Examen_Obstruction", "Origine_Examen_Fievre", "Origine_Examen_Autres_CLI",
          "Origine_Examen_Globules", "Echogramme_Droit_Occupe", "Echogramme_Droit_Autres",
          "Echogramme_Gauche_Normal", "Echogramme_Gauche_Evocateur", "Decision_Lavage",
          "Decision_Traitement_Medical", "Decision_Traitement_Endoscopie"})
        colonnes.emplace_back(coche, 1);
    for (const char* zero :
         {"Imagerie_Echo_B", "Origine_Examen_Ecoulement", "Origine_Examen_Autres_ORL",
          "Origine_Examen_Biologiques", "Echogramme_Droit_Normal", "Echogramme_Gauche_Autres",
          "Decision_Scanner", "Decision_Traitement_Chirurgical"})
        colonnes.emplace_back(zero, 0);
    colonnes.insert(colonnes.end(),
                    {{"Imagerie_Face_Standard_Status", 1},
                     {"Imagerie_Echo_B_Status", 2},
                     {"Imagerie_Scanner_Status", 0},
                     {"Origine_Examen_Douleur_Type", 2},
                     {"Origine_Examen_Ecoulement_Type", 1},
                     {"Origine_Examen_Autres_CLI_Detail", "Toux"},
                     {"Origine_Examen_Globules_Detail", "12000"},
                     {"Echogramme_Droit_Autres_Detail", "Niveau"},
                     {"Echogramme_Gauche_Autres_Detail", "caché"},
                     {"Decision_Traitement_Medical_Detail", "Antibiotiques\r\n10 jours"}});
    const auto e = c.examen(c.martin, 0, "3", c.m2, c.m1, colonnes);
    c.demarrer();
    c.echo->Liste_Nom->setCurrentIndex(1);
    Examen_Sinus& s = c.ouvrir();
    c.echo->Combo1->setCurrentIndex(2);  // 200 points
    ASSERT_TRUE(c.etat->Table_Examens->findFirst(QStringLiteral("Code_Examen = ?"), {e}));
    s.Afficher_Examen();

    EXPECT_EQ(s.Liste_Examens->currentItem()->text(), QStringLiteral("MARTIN Paul 03"));
    EXPECT_EQ(s.Texte_Nom_Patient->text(), QStringLiteral("MARTIN Paul"));
    EXPECT_EQ(s.Combo_Nom_Patient->currentData().toLongLong(), c.martin);
    EXPECT_FALSE(s.Combo_Nom_Patient->isVisible());
    EXPECT_EQ(s.Texte_Docteur_Patient->text(), QStringLiteral("Dr Lenoir"));
    EXPECT_EQ(s.Texte_Examen_Compatible->text(), QStringLiteral("Sinusite maxillaire droite"));
    for (QCheckBox* coche :
         {s.Check_Face_Standard, s.Check_Scanner, s.Check_Douleur, s.Check_Obstruction_Nasale,
          s.Check_Fievre, s.Check_Autres_CLI, s.Check_Globules, s.Check_Droit_Occupe,
          s.Check_Droit_Autres, s.Check_Gauche_Normal, s.Check_Gauche_Evocateur,
          s.Check_Decision_Lavage, s.Check_Decision_Traitement_Medical,
          s.Check_Decision_Traitement_Endoscopie})
        EXPECT_TRUE(coche->isChecked()) << coche->objectName().toStdString();
    for (QCheckBox* coche :
         {s.Check_Echo_B, s.Check_Ecoulement, s.Check_Autres_ORL, s.Check_Examens_Biologiques,
          s.Check_Droit_Normal, s.Check_Droit_Evocateur, s.Check_Gauche_Occupe,
          s.Check_Gauche_Autres, s.Check_Decision_Scanner, s.Check_Decision_Traitement_Chirurgical})
        EXPECT_FALSE(coche->isChecked()) << coche->objectName().toStdString();
    EXPECT_EQ(s.Combo_Status_Face_Standard->currentIndex(), 1);
    EXPECT_EQ(s.Combo_Status_Echo_B->currentIndex(), 2);
    EXPECT_FALSE(s.Combo_Status_Echo_B->isVisible());  // hidden, keeping its entry
    EXPECT_TRUE(s.Combo_Status_Face_Standard->isVisible());
    EXPECT_EQ(s.Combo_Type_Douleur->currentIndex(), 2);
    EXPECT_EQ(s.Combo_Type_Ecoulement->currentIndex(), 1);
    EXPECT_EQ(s.Texte_Autres_CLI->text(), QStringLiteral("Toux"));
    EXPECT_TRUE(s.Texte_Autres_CLI->isVisible());
    EXPECT_EQ(s.Texte_Globules->text(), QStringLiteral("12000"));
    EXPECT_EQ(s.Texte_Droit_Autres->text(), QStringLiteral("Niveau"));
    EXPECT_EQ(s.Texte_Gauche_Autres->text(), QStringLiteral("caché"));
    EXPECT_FALSE(s.Texte_Gauche_Autres->isVisible());
    EXPECT_EQ(s.Texte_Traitement_Medical->toPlainText(), QStringLiteral("Antibiotiques\n10 jours"));
    EXPECT_EQ(s.Combo_Echogramme_Droit->currentData().toLongLong(), c.m2);
    EXPECT_EQ(s.Combo_Echogramme_Gauche->currentData().toLongLong(), c.m1);
    EXPECT_EQ(s.Nombre_Points_Examen, 200);
    EXPECT_EQ(s.Picture1->image(), Apercu_Attendu(c, Echantillons(200, -1)));
    EXPECT_EQ(s.Picture2->image(), Apercu_Attendu(c, Echantillons(10, 1)));
    EXPECT_TRUE(s.Affichage_Complet());

    // Clearing blanks every control and hides the details.
    s.Effacer_Examen();
    EXPECT_TRUE(s.Texte_Num_Examen->text().isEmpty());
    EXPECT_TRUE(s.Texte_Docteur_Patient->text().isEmpty());
    EXPECT_TRUE(s.Texte_Examen_Compatible->text().isEmpty());
    EXPECT_TRUE(s.Texte_Traitement_Medical->toPlainText().isEmpty());
    EXPECT_FALSE(s.Check_Face_Standard->isChecked());
    EXPECT_FALSE(s.Combo_Status_Face_Standard->isVisible());
    EXPECT_EQ(s.Combo_Status_Echo_B->currentIndex(), 0);
    EXPECT_FALSE(s.Texte_Autres_CLI->isVisible());
    EXPECT_TRUE(s.Combo_Echogramme_Droit->currentText().isEmpty());
    EXPECT_EQ(s.Combo_Nom_Patient->currentIndex(), 0);
    EXPECT_TRUE(c.messages.boites.empty());
}

TEST(Sinus, NullNamesShowAsEmptyAndAnUnreadableRowIsNeverRewritten) {
    ThreePatients c;
    const auto anonyme = c.patient(QStringLiteral("ANONYME"), QString());
    c.base->execute(
        QStringLiteral("UPDATE Patients SET Prenom_Patient = NULL WHERE Code_Patient = ?"),
        {anonyme});
    const auto e = c.examen(anonyme, 0, "1", c.p1, c.p1,
                            {{"Examen_Compatible", "x"}, {"Origine_Examen_Douleur_Type", 9}});
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    EXPECT_TRUE(
        s.Liste_Examens->findItems(QStringLiteral("ANONYME  01"), Qt::MatchExactly).size() == 1);
    runEvents(30);  // the set-up and the start timer showed it already
    c.messages.boites.clear();
    ASSERT_TRUE(c.etat->Table_Examens->findFirst(QStringLiteral("Code_Examen = ?"), {e}));
    s.Afficher_Examen();  // the pain type 9 is no entry of its list
    EXPECT_EQ(s.Texte_Nom_Patient->text(), QStringLiteral("ANONYME "));
    EXPECT_FALSE(s.Affichage_Complet());
    ASSERT_EQ(c.messages.boites.size(), 1u);  // the error box
    s.Toolbar1_Boutons[5]->trigger();
    ASSERT_EQ(c.messages.boites.size(), 2u);
    // Its own text, apart from the report's labels.
    EXPECT_EQ(c.messages.boites[1].texte, c.etat->Libelle(4, 105));
    EXPECT_FALSE(c.messages.boites[1].texte.isEmpty());
    EXPECT_NE(c.etat->Libelle(4, 96), c.messages.boites[1].texte);
    EXPECT_EQ(c.colonne(e, "Origine_Examen_Douleur_Type"), platform::Value(9));
}

TEST(Sinus, DeletionAsksFirstAndThenShowsTheFirstExam) {
    ThreePatients c;
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    s.Liste_Examens->setCurrentRow(2);  // MARTIN 12
    // The question names the exam; Return (the default button) and Cancel keep it.
    for (const auto reponse :
         {std::optional<QMessageBox::StandardButton>{}, std::optional{QMessageBox::Cancel}}) {
        c.messages.boites.clear();
        c.messages.reponse = reponse;
        s.Toolbar1_Boutons[6]->trigger();
        ASSERT_EQ(c.messages.boites.size(), 1u);
        EXPECT_EQ(c.messages.boites[0].texte,
                  QStringLiteral("Attention vous allez supprimer une fiche\nMARTIN Paul 12"));
        EXPECT_EQ(c.messages.boites[0].titre, QStringLiteral("Suppression d'Examen"));
        EXPECT_EQ(c.messages.boites[0].icone, QMessageBox::Warning);
        EXPECT_EQ(c.messages.boites[0].defaut, QMessageBox::Cancel);
        EXPECT_EQ(s.Liste_Examens->count(), 4);
        EXPECT_EQ(s.Liste_Examens->currentRow(), 2);
        EXPECT_FALSE(c.colonne(c.e_martin12, "Code_Examen").isNull());
    }

    c.messages.reponse = QMessageBox::Ok;
    s.Toolbar1_Boutons[6]->trigger();
    EXPECT_TRUE(c.colonne(c.e_martin12, "Code_Examen").isNull());
    EXPECT_EQ(Lignes(s.Liste_Examens),
              (QStringList{"DURAND Alice 123", "MARTIN Paul 07", "PETIT Léa bis"}));
    EXPECT_EQ(s.Nombre_Examens, 3);
    EXPECT_EQ(s.Liste_Examens->currentRow(), 0);
    EXPECT_EQ(c.etat->Table_Examens->currentKey(), c.e_durand);
    // The patient and the curves stay.
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Courbes WHERE ID IN (?, ?)", {c.m1, c.m2}),
              platform::Value(2));
}

TEST(Sinus, TheDeletionQuestionsButtonsSpeakTheInterfaceLanguage) {
    // English after French: the French buttons leave with the run that chose them.
    for (const auto& [langue, annuler, ailleurs] : {std::tuple{"Francais", "Annuler", "Cancel"},
                                                    std::tuple{"English", "Cancel", "Annuler"}}) {
        SCOPED_TRACE(langue);
        ThreePatients c;
        c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Langue"),
                                 QString::fromLatin1(langue));
        c.demarrer();
        Examen_Sinus& s = c.ouvrir();
        c.messages.reponse = QMessageBox::Cancel;
        s.Toolbar1_Boutons[6]->trigger();
        ASSERT_EQ(c.messages.boites.size(), 1u);
        const QStringList& boutons = c.messages.boites[0].boutons;
        EXPECT_TRUE(boutons.contains(QString::fromUtf8(annuler)))
            << boutons.join(u'|').toStdString();
        EXPECT_FALSE(boutons.contains(QString::fromUtf8(ailleurs)));
        EXPECT_EQ(s.Liste_Examens->count(), 4);
    }
}

TEST(Sinus, WithoutAnyPatientTheWindowOpensAndANewExamIsRefusedCleanly) {
    Workstation c;
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    runEvents(30);
    EXPECT_EQ(s.Combo_Nom_Patient->count(), 0);
    EXPECT_EQ(s.windowTitle(), c.etat->Libelle(4, 100));  // the set-up went through
    s.Toolbar1_Boutons[4]->trigger();
    EXPECT_EQ(s.Mode_Nouvel_Examen, 1);
    s.Toolbar1_Boutons[5]->trigger();
    ASSERT_EQ(c.messages.boites.size(), 1u);
    EXPECT_EQ(c.messages.boites[0].texte, c.etat->Libelle(4, 91));
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens"), platform::Value(0));
}

}  // namespace
}  // namespace corvanta::test

namespace corvanta::test {
namespace {

TEST(Sinus, APatientWithoutCurvesLeavesNoTypedTextInTheEchogramBoxes) {
    Workstation c;
    const auto avec = c.patient(QStringLiteral("AUBERT"), QStringLiteral("Marc"));
    c.patient(QStringLiteral("BLANC"), QStringLiteral("Eve"));
    c.courbe(avec, 0, QStringLiteral("05/02/2026 09:00 D"));
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    s.Toolbar1_Boutons[4]->trigger();
    s.Combo_Nom_Patient->setCurrentIndex(s.Combo_Nom_Patient->findText("AUBERT Marc"));
    ASSERT_EQ(s.Combo_Echogramme_Gauche->count(), 1);
    QTest::keyClicks(s.Combo_Echogramme_Gauche->lineEdit(), "abc");
    s.Combo_Nom_Patient->setCurrentIndex(s.Combo_Nom_Patient->findText("BLANC Eve"));
    EXPECT_EQ(s.Combo_Echogramme_Gauche->count(), 0);
    EXPECT_EQ(s.Combo_Echogramme_Gauche->currentText(), QString());
    EXPECT_EQ(s.Combo_Echogramme_Droit->currentText(), QString());
}

}  // namespace
}  // namespace corvanta::test
