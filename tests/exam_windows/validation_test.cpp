#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>

#include "platform/recordset.h"
#include "tests/exam_windows/expected_preview.h"

namespace corvanta::test {
namespace {

struct TwoPatients : Workstation {
    TwoPatients() {
        bernard = patient(QStringLiteral("BERNARD"), QStringLiteral("Luc"));
        roux = patient(QStringLiteral("ROUX"), QStringLiteral("Anne"));
        for (int type : {0, 1, 4}) {
            droite[type] = courbe(roux, type, QStringLiteral("D%1").arg(type), Echantillons(20, 1));
            gauche[type] = courbe(roux, type, QStringLiteral("G%1").arg(type), Echantillons(90, 0));
        }
        b0 = courbe(bernard, 0, QStringLiteral("B0"));
        examen(bernard, 0, QStringLiteral("02"), b0, b0, {{"Examen_Compatible", "a"}});
    }
    // A new exam for ROUX (the main window's current patient) with every finding set.
    Examen_Sinus& nouvel_examen_rempli() {
        echo->Liste_Nom->setCurrentIndex(1);
        Examen_Sinus& s = ouvrir();
        s.Toolbar1_Boutons[4]->trigger();
        s.Texte_Docteur_Patient->setText(QStringLiteral("Dr Blanc"));
        for (QCheckBox* coche :
             {s.Check_Face_Standard, s.Check_Scanner, s.Check_Douleur, s.Check_Fievre,
              s.Check_Autres_ORL, s.Check_Examens_Biologiques, s.Check_Droit_Normal,
              s.Check_Droit_Evocateur, s.Check_Gauche_Occupe, s.Check_Gauche_Autres,
              s.Check_Decision_Scanner, s.Check_Decision_Traitement_Chirurgical})
            coche->setChecked(true);
        s.Combo_Status_Face_Standard->setCurrentIndex(2);
        s.Combo_Status_Scanner->setCurrentIndex(1);
        s.Combo_Type_Douleur->setCurrentIndex(1);
        s.Texte_Autres_ORL->setText(QStringLiteral("Rhinorrhée"));
        s.Texte_Examens_Biologiques->setText(QStringLiteral("CRP 40"));
        s.Texte_Globules->setText(QStringLiteral("caché mais gardé"));
        s.Texte_Gauche_Autres->setText(QStringLiteral("Épaississement"));
        s.Texte_Traitement_Chirurgical->setPlainText(QStringLiteral("Méatotomie\nJ+8"));
        s.Combo_Echogramme_Droit->setCurrentIndex(0);
        s.Combo_Echogramme_Gauche->setCurrentIndex(1);
        s.Texte_Examen_Compatible->setText(QStringLiteral("Sinusite droite"));
        return s;
    }
    std::int64_t bernard, roux, b0;
    std::map<int, std::int64_t> droite, gauche;
};

std::int64_t Dernier_Examen(Workstation& c) {
    return c.base->queryValue(QStringLiteral("SELECT MAX(Code_Examen) FROM Examens")).toInt64();
}

TEST(Validation, ANewExamIsStoredColumnByColumnForEachSinusType) {
    for (const auto& [type, menu] :
         std::vector<std::pair<int, QAction * Echo::*>>{{0, &Echo::Menu_Sinus_Maxillaires},
                                                        {1, &Echo::Menu_Sinus_Frontaux},
                                                        {4, &Echo::Menu_Cellules}}) {
        SCOPED_TRACE(type);
        TwoPatients c;
        c.demarrer();
        (c.echo.get()->*menu)->trigger();
        Examen_Sinus& s = c.nouvel_examen_rempli();
        EXPECT_EQ(s.Combo_Nom_Patient->currentText(), QStringLiteral("ROUX Anne"));
        EXPECT_EQ(s.Texte_Num_Examen->text(), QStringLiteral("01"));
        s.Toolbar1_Boutons[5]->trigger();
        EXPECT_TRUE(c.messages.boites.empty());

        const auto e = Dernier_Examen(c);
        const std::map<QString, platform::Value> attendu{
            {"Code_ Patient", c.roux},
            {"Code_Type", type},
            {"Num_Examen", "01"},
            {"Date_Examen", QDate::currentDate().toString("dd/MM/yyyy")},
            {"Docteur_Patient", "Dr Blanc"},
            {"Imagerie_Face_Standard", 1},
            {"Imagerie_Echo_B", 0},
            {"Imagerie_Scanner", 1},
            {"Imagerie_Face_Standard_Status", 2},
            {"Imagerie_Echo_B_Status", 0},
            {"Imagerie_Scanner_Status", 1},
            {"Origine_Examen_Douleur", 1},
            {"Origine_Examen_Douleur_Type", 1},
            {"Origine_Examen_Ecoulement", 0},
            {"Origine_Examen_Ecoulement_Type", 0},
            {"Origine_Examen_Fievre", 1},
            {"Origine_Examen_Obstruction", 0},
            {"Origine_Examen_Autres_ORL", 1},
            {"Origine_Examen_Autres_ORL_Detail", "Rhinorrhée"},
            {"Origine_Examen_Autres_CLI", 0},
            {"Origine_Examen_Autres_CLI_Detail", ""},
            {"Origine_Examen_Biologiques", 1},
            {"Origine_Examen_Biologiques_Detail", "CRP 40"},
            {"Origine_Examen_Globules", 0},
            {"Origine_Examen_Globules_Detail", "caché mais gardé"},
            {"Echogramme_Droit_Num_Courbe", c.droite[type]},
            {"Echogramme_Gauche_Num_Courbe", c.gauche[type]},
            {"Echogramme_Droit_Normal", 1},
            {"Echogramme_Droit_Occupe", 0},
            {"Echogramme_Droit_Evocateur", 1},
            {"Echogramme_Droit_Autres", 0},
            {"Echogramme_Droit_Autres_Detail", ""},
            {"Echogramme_Gauche_Normal", 0},
            {"Echogramme_Gauche_Occupe", 1},
            {"Echogramme_Gauche_Evocateur", 0},
            {"Echogramme_Gauche_Autres", 1},
            {"Echogramme_Gauche_Autres_Detail", "Épaississement"},
            {"Examen_Compatible", "Sinusite droite"},
            {"Decision_Lavage", 0},
            {"Decision_Scanner", 1},
            {"Decision_Traitement_Medical", 0},
            {"Decision_Traitement_Medical_Detail", ""},
            {"Decision_Traitement_Chirurgical", 1},
            {"Decision_Traitement_Chirurgical_Detail", "Méatotomie\r\nJ+8"},
            {"Decision_Traitement_Endoscopie", 0},
            // Columns of the other windows stay as the database makes them.
            {"Imagerie_Autres", nullptr},
            {"Condition_Position", nullptr},
            {"Echogramme_Tumeur_Normal", nullptr}};
        for (const auto& [colonne, valeur] : attendu)
            EXPECT_EQ(c.colonne(e, "\"" + colonne + "\""), valeur) << colonne.toStdString();
        // The curves keep their labels.
        EXPECT_EQ(c.base->queryValue("SELECT DATE FROM Courbes WHERE ID = ?", {c.droite[type]}),
                  platform::Value(QStringLiteral("D%1").arg(type)));

        // Back to browsing, on the stored exam.
        EXPECT_EQ(s.Mode_Nouvel_Examen, 0);
        EXPECT_EQ(c.etat->Table_Examens->currentKey(), e);
        EXPECT_TRUE(s.Liste_Examens->isVisible());
        EXPECT_FALSE(s.Combo_Nom_Patient->isVisible());
        EXPECT_EQ(s.Liste_Examens->currentItem()->text(), QStringLiteral("ROUX Anne 01"));
        EXPECT_EQ(s.Texte_Nom_Patient->text(), QStringLiteral("ROUX Anne"));
    }
}

TEST(Validation, EachRefusalNamesWhatIsMissingAndFocusesIt) {
    TwoPatients c;
    c.demarrer();
    Examen_Sinus& s = c.nouvel_examen_rempli();
    const auto avant = Dernier_Examen(c);
    auto refuse = [&](int texte, QWidget* focus) {
        c.messages.boites.clear();
        s.Toolbar1_Boutons[5]->trigger();
        ASSERT_EQ(c.messages.boites.size(), 1u);
        EXPECT_EQ(c.messages.boites[0].titre, c.etat->Libelle(4, 90));
        EXPECT_EQ(c.messages.boites[0].texte, c.etat->Libelle(4, texte));
        EXPECT_EQ(c.messages.boites[0].icone, QMessageBox::Warning);
        if (focus != nullptr) {
            EXPECT_EQ(s.focusWidget(), focus) << texte;
        }
        EXPECT_EQ(Dernier_Examen(c), avant);
        EXPECT_EQ(s.Mode_Nouvel_Examen, 1);
    };
    s.Texte_Examen_Compatible->clear();
    refuse(95, s.Texte_Examen_Compatible);
    s.Combo_Echogramme_Gauche->setCurrentIndex(-1);
    refuse(94, s.Combo_Echogramme_Gauche);
    s.Combo_Echogramme_Droit->setCurrentIndex(-1);
    refuse(93, s.Combo_Echogramme_Droit);
    s.Texte_Num_Examen->clear();
    refuse(92, s.Texte_Num_Examen);
    s.Combo_Nom_Patient->setCurrentIndex(-1);
    refuse(91, s.Combo_Nom_Patient);  // open, so that the patient can be chosen
    EXPECT_TRUE(s.Combo_Nom_Patient->isEnabled());
    EXPECT_TRUE(s.Check_Fievre->isChecked()) << "the exam being typed stays";

    // Corrected in place, the same new exam is added once.
    s.Combo_Nom_Patient->setCurrentIndex(1);
    EXPECT_EQ(s.Texte_Num_Examen->text(), QStringLiteral("01"));
    s.Combo_Echogramme_Droit->setCurrentIndex(0);
    s.Combo_Echogramme_Gauche->setCurrentIndex(0);
    s.Texte_Examen_Compatible->setText(QStringLiteral("ok"));
    c.messages.boites.clear();
    s.Toolbar1_Boutons[5]->trigger();
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens"), platform::Value(2));
    EXPECT_EQ(c.colonne(Dernier_Examen(c), "Origine_Examen_Fievre"), platform::Value(1));
}

TEST(Validation, ANumberThePatientHasAlreadyIsRefusedThoughAnotherCopyStoredItMeanwhile) {
    TwoPatients c;
    c.demarrer();
    Examen_Sinus& s = c.nouvel_examen_rempli();
    ASSERT_EQ(s.Texte_Num_Examen->text(), QStringLiteral("01"));
    auto nombre = [&] { return c.base->queryValue("SELECT COUNT(*) FROM Examens").toInt64(); };
    auto refuse = [&](const char* pourquoi) {
        SCOPED_TRACE(pourquoi);
        const auto avant = nombre();
        c.messages.boites.clear();
        s.Toolbar1_Boutons[5]->trigger();
        ASSERT_EQ(c.messages.boites.size(), 1u);
        EXPECT_EQ(c.messages.boites[0].titre, c.etat->Libelle(4, 90));
        EXPECT_EQ(c.messages.boites[0].texte, c.etat->Libelle(4, 157));
        EXPECT_EQ(c.messages.boites[0].icone, QMessageBox::Warning);
        EXPECT_EQ(s.focusWidget(), s.Texte_Num_Examen);
        EXPECT_EQ(nombre(), avant);
        c.messages.boites.clear();
    };
    // Another copy of the program, on its own connection to the file, stores ROUX's exam
    // "1" of another type while this one proposes "01".
    c.examen(c.roux, 2, QStringLiteral("1"), 0, 0);
    refuse("new exam");
    EXPECT_EQ(s.Mode_Nouvel_Examen, 1);
    EXPECT_TRUE(s.Combo_Nom_Patient->isEnabled());
    s.Texte_Num_Examen->setText(QStringLiteral(" +2 "));
    s.Toolbar1_Boutons[5]->trigger();
    EXPECT_TRUE(c.messages.boites.empty());
    const auto e = Dernier_Examen(c);
    EXPECT_EQ(c.colonne(e, "Num_Examen"), platform::Value(" +2 "));

    // A rewrite may keep its own number, but not take another exam's.
    s.Texte_Num_Examen->setText(QStringLiteral("001"));
    refuse("rewrite");
    EXPECT_EQ(c.colonne(e, "Num_Examen"), platform::Value(" +2 "));
    s.Texte_Num_Examen->setText(QStringLiteral("02"));  // BERNARD's "02" is his own
    s.Toolbar1_Boutons[5]->trigger();
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.colonne(e, "Num_Examen"), platform::Value("02"));
}

TEST(Validation, RewritingAnExamKeepsItsRowAndWhatTheListsCouldNotShow) {
    TwoPatients c;
    c.demarrer();
    Examen_Sinus& s = c.nouvel_examen_rempli();
    s.Toolbar1_Boutons[5]->trigger();
    const auto e = Dernier_Examen(c);
    s.Texte_Examen_Compatible->setText(QStringLiteral("Revu"));
    s.Check_Fievre->setChecked(false);
    s.Toolbar1_Boutons[5]->trigger();
    EXPECT_EQ(Dernier_Examen(c), e);
    EXPECT_EQ(c.colonne(e, "Examen_Compatible"), platform::Value("Revu"));
    EXPECT_EQ(c.colonne(e, "Origine_Examen_Fievre"), platform::Value(0));
    EXPECT_EQ(c.etat->Table_Examens->currentKey(), e);

    // The exam's patient and curves outside the window's lists are kept as stored.
    c.etat->Base_Donnees->execute(
        "UPDATE Examens SET Echogramme_Droit_Num_Courbe = ? WHERE Code_Examen = ?",
        {c.droite[1], e});
    c.etat->Table_Patients =
        c.etat->Base_Donnees->openRecordset("SELECT * FROM Patients WHERE Nom_Patient = 'BERNARD'");
    s.close();
    c.ouvrir();
    ASSERT_TRUE(c.etat->Table_Examens->findFirst("Code_Examen = ?", {e}));
    s.Afficher_Examen();
    EXPECT_EQ(s.Texte_Nom_Patient->text(), QStringLiteral("ROUX Anne"));
    EXPECT_EQ(s.Combo_Nom_Patient->currentIndex(), -1);
    s.Texte_Examen_Compatible->setText(QStringLiteral("Revu 2"));
    s.Toolbar1_Boutons[5]->trigger();
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.colonne(e, "\"Code_ Patient\""), platform::Value(c.roux));
    EXPECT_EQ(c.colonne(e, "Echogramme_Droit_Num_Courbe"), platform::Value(c.droite[1]));
    EXPECT_EQ(c.colonne(e, "Examen_Compatible"), platform::Value("Revu 2"));
}

TEST(Validation, NavigatingOrClosingEndsANewExamSoNothingIsAddedTwice) {
    TwoPatients c;
    c.demarrer();
    Examen_Sinus& s = c.nouvel_examen_rempli();
    s.Toolbar1_Boutons[2]->trigger();  // first exam: the new one is abandoned
    EXPECT_EQ(s.Mode_Nouvel_Examen, 0);
    EXPECT_TRUE(s.Liste_Examens->isVisible());
    s.Toolbar1_Boutons[4]->trigger();
    s.close();
    EXPECT_EQ(s.Mode_Nouvel_Examen, 0);
    c.ouvrir();
    s.Toolbar1_Boutons[5]->trigger();  // rewrites the exam shown
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens"), platform::Value(1));

    // Cancel: button 7 during a new exam shows the former exam and stores nothing.
    s.Toolbar1_Boutons[4]->trigger();
    s.Toolbar1_Boutons[6]->trigger();
    EXPECT_EQ(s.Mode_Nouvel_Examen, 0);
    EXPECT_EQ(s.Texte_Nom_Patient->text(), QStringLiteral("BERNARD Luc"));
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens"), platform::Value(1));
    EXPECT_TRUE(c.messages.boites.empty());
}

TEST(Validation, TheNextNumberIsTheNumericMaximumOverEveryTypePlusOne) {
    TwoPatients c;
    const auto p = c.patient(QStringLiteral("ZOLA"), QStringLiteral("Emile"));
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    auto proposition = [&] {
        s.Toolbar1_Boutons[4]->trigger();
        s.Combo_Nom_Patient->setCurrentIndex(2);
        return s.Texte_Num_Examen->text();
    };
    EXPECT_EQ(proposition(), QStringLiteral("01"));
    EXPECT_EQ(s.Texte_Num_Examen->selectedText(), QStringLiteral("01"));
    c.examen(p, 3, "9", 0, 0);
    EXPECT_EQ(proposition(), QStringLiteral("10"));  // a tumour exam counts too
    c.examen(p, 2, "10", 0, 0);
    c.examen(p, 0, "abc", 0, 0);
    EXPECT_EQ(proposition(), QStringLiteral("11"));
    c.examen(p, 1, "100", 0, 0);
    EXPECT_EQ(proposition(), QStringLiteral("101"));
    // Another patient's choice replaces a typed number.
    s.Texte_Num_Examen->setText(QStringLiteral("55"));
    s.Combo_Nom_Patient->setCurrentIndex(0);
    EXPECT_EQ(s.Texte_Num_Examen->text(), QStringLiteral("03"));
}

TEST(Validation, ANumberThatIsNoPlainIntegerWithinRangeIsKeptAsTypedAndNeverProposedFrom) {
    // Each text with how the list shows it.
    const std::vector<std::pair<QString, QString>> formes{
        {"7", "07"},
        {" +7 ", "07"},
        {"-3", "-03"},
        {"123", "123"},
        {"-9223372036854775808", "-9223372036854775808"},
        {"9223372036854775808", "9223372036854775808"},
        {"inf", "inf"},
        {"nan", "nan"},
        {"7.5", "7.5"},
        {"1e2", "1e2"},
        {"-", "-"},
        {"", ""}};
    for (const auto& [texte, montre] : formes)
        EXPECT_EQ(Examen_Sinus::Format_Numero(texte), montre) << texte.toStdString();

    TwoPatients c;
    const auto grand = c.examen(c.roux, 0, QStringLiteral("99999999999999999999"), c.droite[0],
                                c.gauche[0], {{"Examen_Compatible", "x"}});
    for (const char* numero : {"12", "inf", "7.5e3", "9223372036854775807"})
        c.examen(c.roux, 1, numero, c.droite[1], c.gauche[1]);
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    runEvents(30);
    s.Liste_Examens->setCurrentRow(1);
    ASSERT_EQ(s.Liste_Examens->currentItem()->text(),
              QStringLiteral("ROUX Anne 99999999999999999999"));
    s.Toolbar1_Boutons[5]->trigger();  // a rewrite keeps the number as typed
    EXPECT_EQ(c.colonne(grand, "Num_Examen"), platform::Value("99999999999999999999"));
    s.Toolbar1_Boutons[4]->trigger();
    s.Combo_Nom_Patient->setCurrentIndex(1);
    EXPECT_EQ(s.Texte_Num_Examen->text(), QStringLiteral("13"));
    EXPECT_TRUE(c.messages.boites.empty());
}

TEST(Validation, NewExamPreselectsTheCurrentPatientByKeyOnly) {
    TwoPatients c;
    c.patient(QStringLiteral("ROUX"), QStringLiteral("Anne"));  // a namesake
    c.demarrer();
    c.echo->Liste_Nom->setCurrentIndex(2);  // the second ROUX Anne
    Examen_Sinus& s = c.ouvrir();
    s.Toolbar1_Boutons[4]->trigger();
    EXPECT_EQ(s.Combo_Nom_Patient->currentIndex(), 2);
    EXPECT_EQ(s.Combo_Echogramme_Droit->count(), 0);  // he has no curve
    // A current patient missing from the list: nobody is chosen.
    c.etat->Code_Patient_Courant = 999;
    s.Toolbar1_Boutons[4]->trigger();
    EXPECT_EQ(s.Combo_Nom_Patient->currentIndex(), -1);
    EXPECT_TRUE(s.Texte_Num_Examen->text().isEmpty());
}

TEST(Validation, ANewNumberMovesTheExamToItsPlaceInTheList) {
    TwoPatients c;
    c.examen(c.bernard, 0, QStringLiteral("05"), c.b0, c.b0, {{"Examen_Compatible", "b"}});
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();
    ASSERT_EQ(Texte_Ligne(s.Liste_Examens, 0), QStringLiteral("BERNARD Luc 02"));
    s.Texte_Num_Examen->setText(QStringLiteral("9"));
    s.Toolbar1_Boutons[5]->trigger();
    EXPECT_EQ(Texte_Ligne(s.Liste_Examens, 0), QStringLiteral("BERNARD Luc 05"));
    EXPECT_EQ(Texte_Ligne(s.Liste_Examens, 1), QStringLiteral("BERNARD Luc 09"));
    EXPECT_EQ(s.Liste_Examens->currentRow(), 1);
    EXPECT_EQ(c.etat->Table_Examens->absolutePosition(), 1);
    // Every line still names the row at its position.
    s.Liste_Examens->setCurrentRow(0);
    EXPECT_EQ(s.Texte_Num_Examen->text(), QStringLiteral("05"));
    EXPECT_TRUE(c.messages.boites.empty());
}

TEST(Validation, ClosingANewExamWithSomethingEnteredAsksFirstAndEscapeNeverCloses) {
    TwoPatients c;
    c.demarrer();
    const std::vector<std::pair<const char*, std::function<void(Examen_Sinus&)>>> facons{
        {"close box", [](Examen_Sinus& s) { s.close(); }},
        {"button 10", [](Examen_Sinus& s) { s.Toolbar1_Boutons[9]->trigger(); }}};
    for (const auto& [facon, fermer] : facons) {
        SCOPED_TRACE(facon);
        Examen_Sinus& s = c.nouvel_examen_rempli();
        QTest::keyClick(s.Texte_Examen_Compatible, Qt::Key_Escape);
        EXPECT_TRUE(s.isVisible());
        EXPECT_TRUE(c.messages.boites.empty());
        // Return (the default button) and Cancel keep the window and the exam.
        for (const auto reponse :
             {std::optional<QMessageBox::StandardButton>{}, std::optional{QMessageBox::Cancel}}) {
            c.messages.reponse = reponse;
            fermer(s);
            ASSERT_EQ(c.messages.boites.size(), 1u);
            EXPECT_EQ(c.messages.boites[0].titre, c.etat->Libelle(4, 155));
            EXPECT_EQ(c.messages.boites[0].texte, c.etat->Libelle(4, 156));
            EXPECT_EQ(c.messages.boites[0].icone, QMessageBox::Warning);
            EXPECT_EQ(c.messages.boites[0].defaut, QMessageBox::Cancel);
            EXPECT_TRUE(s.isVisible());
            EXPECT_TRUE(s.Est_Charge());
            EXPECT_EQ(s.Mode_Nouvel_Examen, 1);
            EXPECT_EQ(s.Texte_Examen_Compatible->text(), QStringLiteral("Sinusite droite"));
            c.messages.boites.clear();
        }
        c.messages.reponse = QMessageBox::Ok;
        fermer(s);
        c.messages.reponse.reset();
        EXPECT_EQ(c.messages.boites.size(), 1u);
        EXPECT_FALSE(s.Est_Charge());
        EXPECT_EQ(s.Mode_Nouvel_Examen, 0);
        c.messages.boites.clear();
    }
    // Nothing entered, or no new exam: closing asks nothing, Escape still does nothing.
    Examen_Sinus& s = c.ouvrir();
    QTest::keyClick(s.Liste_Examens, Qt::Key_Escape);
    EXPECT_TRUE(s.Est_Charge());
    s.Toolbar1_Boutons[4]->trigger();
    s.close();
    EXPECT_FALSE(s.Est_Charge());
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens"), platform::Value(1));
}

TEST(Validation, OutsideANewExamWithNoExamShownTheRewriteIsRefusedWithTheErrorBox) {
    TwoPatients c;
    c.demarrer();
    c.echo->Menu_Cellules->trigger();
    Examen_Sinus& s = c.ouvrir();
    s.Toolbar1_Boutons[5]->trigger();
    ASSERT_EQ(c.messages.boites.size(), 1u);
    EXPECT_EQ(c.messages.boites[0].titre, c.etat->Libelle(4, 44));
    EXPECT_EQ(c.messages.boites[0].icone, QMessageBox::NoIcon);
    EXPECT_EQ(c.messages.boites[0].boutons, QStringList{"OK"});
    EXPECT_TRUE(s.Combo_Nom_Patient->isHidden());
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens"), platform::Value(1));
}

}  // namespace
}  // namespace corvanta::test

namespace corvanta::test {
namespace {

TEST(Validation, RewriteAndDeletionActOnTheExamShownWhereverOthersLeftTheSharedSet) {
    TwoPatients c;
    c.demarrer();
    Examen_Sinus& s = c.nouvel_examen_rempli();
    s.Toolbar1_Boutons[5]->trigger();
    const auto e = Dernier_Examen(c);

    // Another window (the patient window's delete, say) requeries the shared exams:
    // the set now stands on BERNARD's exam while ROUX's stays on screen.
    c.etat->Table_Examens->moveFirst();
    ASSERT_NE(c.etat->Table_Examens->currentKey(), e);
    s.Texte_Examen_Compatible->setText(QStringLiteral("Revu"));
    s.Toolbar1_Boutons[5]->trigger();
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.colonne(e, "Examen_Compatible"), platform::Value("Revu"));
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens WHERE Examen_Compatible = 'a'"),
              platform::Value(1));

    c.etat->Table_Examens->moveFirst();
    c.messages.reponse = QMessageBox::Ok;
    s.Toolbar1_Boutons[6]->trigger();
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens WHERE Code_Examen = ?", {e}),
              platform::Value(0));
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens WHERE Examen_Compatible = 'a'"),
              platform::Value(1));
}

}  // namespace
}  // namespace corvanta::test
