// The pleura window on a real database file: its set-up, its columns, its refusals, its
// doctor buttons and its place among the other exam windows.
#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

#include "exams/examen_plevre.h"
#include "platform/recordset.h"
#include "tests/exam_windows/expected_preview.h"
#include "widgets/curve_view.h"

namespace corvanta::test {
namespace {

// BERNARD has one pleura curve and pleura exam 1; DUPONT two pleura curves, a sinus
// curve, pleura exam 4 (sitting, with an old "other position" detail) and sinus exam 9.
// The program starts on the pleura type with no current patient.
struct Plevre : Workstation {
    explicit Plevre(int medecin = 1, const QString& langue = QStringLiteral("Francais")) {
        dossier.ecrire_reglage("GENERAL", "Medecin", QString::number(medecin));
        dossier.ecrire_reglage("GENERAL", "Langue", langue);
        dossier.ecrire_reglage("GENERAL", "Nom(2)", "Dr Second");
        dupont = patient(QStringLiteral("DUPONT"), QStringLiteral("Anne"));
        bernard = patient(QStringLiteral("BERNARD"), QStringLiteral("Yves"));
        d1 = courbe(dupont, 2, QStringLiteral("10/03/2026 09:12 Droit"), Echantillons(20, 1));
        d2 = courbe(dupont, 2, QStringLiteral("10/03/2026 09:15 Gauche"), Echantillons(200, -1));
        courbe(dupont, 0, QStringLiteral("sinus"));
        b1 = courbe(bernard, 2, QStringLiteral("11/03/2026 10:00 Droit"), Echantillons(60, 0));
        e_dupont = examen(dupont, 2, "4", d1, d2,
                          {{"Examen_Compatible", "Epanchement"},
                           {"Condition_Position", 0},
                           {"Condition_Position_Detail", "Ancien"}});
        e_bernard = examen(bernard, 2, "1", b1, b1, {{"Examen_Compatible", "Normal"}});
        examen(dupont, 0, "9", d1, d1);
        demarrer();
        echo->Menu_Plevre->trigger();
    }
    const QString& texte(int form, int n) const { return etat->Libelle(form, n); }
    std::int64_t dupont, bernard, d1, d2, b1, e_dupont, e_bernard;
};

// One column of the window: its control (an option group by its first button; an
// echogram combo holds curve keys), a value for a new exam, another for a rewrite, and
// what clearing leaves.
struct Champ {
    const char* colonne;
    QWidget* controle;
    platform::Value nouveau, reecrit, vide;
};

std::vector<Champ> Champs(Examen_Plevre& w, const Plevre& c) {
    return {
        {"Docteur_Patient", w.Texte_Docteur_Patient, "Dr Vidal", "Dr Roux", ""},
        {"Imagerie_Face_Standard", w.Check_Face_Standard, 1, 0, 0},
        {"Imagerie_Echo_B", w.Check_Echo_B, 0, 1, 0},
        {"Imagerie_Scanner", w.Check_Scanner, 1, 1, 0},
        {"Imagerie_Face_Standard_Status", w.Combo_Status_Face_Standard, 2, 1, 0},
        {"Imagerie_Echo_B_Status", w.Combo_Status_Echo_B, 1, 0, 0},
        {"Imagerie_Scanner_Status", w.Combo_Status_Scanner, 0, 2, 0},
        {"Condition_Position", w.Option_Position[0], 2, 1, nullptr},
        {"Condition_Position_Detail", w.Texte_Autre_Position, "Penché", "Latéral", ""},
        {"Condition_Corpulence", w.Option_Corpulence[0], 0, 2, nullptr},
        {"Condition_Remarque", w.Texte_Remarque, "Dyspnée", "", ""},
        {"Echogramme_Droit_Num_Courbe", w.Combo_Echogramme_Droit, c.d2, c.d1, nullptr},
        {"Echogramme_Gauche_Num_Courbe", w.Combo_Echogramme_Gauche, c.d1, c.d2, nullptr},
        {"Echogramme_Droit_Normal", w.Check_Droit_Normal, 1, 0, 0},
        {"Echogramme_Droit_Occupe", w.Check_Droit_Occupe, 0, 1, 0},
        {"Echogramme_Droit_Evocateur", w.Check_Droit_Evocateur, 1, 1, 0},
        {"Echogramme_Droit_Autres", w.Check_Droit_Autres, 1, 0, 0},
        {"Echogramme_Droit_Autres_Detail", w.Texte_Droit_Autres, "Cloisons", "Cloisons", ""},
        {"Echogramme_Gauche_Normal", w.Check_Gauche_Normal, 0, 1, 0},
        {"Echogramme_Gauche_Occupe", w.Check_Gauche_Occupe, 1, 0, 0},
        {"Echogramme_Gauche_Evocateur", w.Check_Gauche_Evocateur, 0, 0, 0},
        {"Echogramme_Gauche_Autres", w.Check_Gauche_Autres, 0, 1, 0},
        {"Echogramme_Gauche_Autres_Detail", w.Texte_Gauche_Autres, "", "Nodule", ""},
        {"Examen_Compatible", w.Texte_Examen_Compatible, "Epanchement droit", "Contrôle", ""},
        {"Decision_Scanner", w.Check_Decision_Scanner, 1, 0, 0},
        {"Decision_Drainage", w.Check_Decision_Drainage, 0, 1, 0},
        {"Decision_Ponction", w.Check_Decision_Ponction, 1, 0, 0},
        {"Decision_Traitement_Chirurgical", w.Check_Decision_Traitement_Chirurgical, 1, 1, 0},
        {"Decision_Traitement_Chirurgical_Detail", w.Texte_Traitement_Chirurgical,
         "Thoracoscopie\r\nJ+3", "", ""},
    };
}

platform::Value Lire(const QWidget* controle) {
    if (auto* coche = qobject_cast<const QCheckBox*>(controle))
        return coche->isChecked() ? 1 : 0;
    if (auto* liste = qobject_cast<const QComboBox*>(controle)) {
        if (!liste->isEditable())
            return liste->currentIndex();
        return liste->currentIndex() < 0
                   ? platform::Value()
                   : platform::Value(static_cast<std::int64_t>(liste->currentData().toLongLong()));
    }
    if (auto* option = qobject_cast<const QRadioButton*>(controle)) {
        const int choisie = option->group()->checkedId();
        return choisie < 0 ? platform::Value() : platform::Value(choisie);
    }
    if (auto* ligne = qobject_cast<const QLineEdit*>(controle))
        return ligne->text();
    return static_cast<const QPlainTextEdit*>(controle)->toPlainText().replace("\n", "\r\n");
}

void Poser(QWidget* controle, const platform::Value& valeur) {
    if (auto* coche = qobject_cast<QCheckBox*>(controle))
        coche->setChecked(valeur.toInt64() != 0);
    else if (auto* liste = qobject_cast<QComboBox*>(controle))
        liste->setCurrentIndex(liste->isEditable()
                                   ? liste->findData(static_cast<qlonglong>(valeur.toInt64()))
                                   : static_cast<int>(valeur.toInt64()));
    else if (auto* option = qobject_cast<QRadioButton*>(controle))
        option->group()->button(static_cast<int>(valeur.toInt64()))->setChecked(true);
    else if (auto* ligne = qobject_cast<QLineEdit*>(controle))
        ligne->setText(valeur.toText());
    else
        static_cast<QPlainTextEdit*>(controle)->setPlainText(valeur.toText().replace("\r\n", "\n"));
}

std::int64_t Dernier_Examen(Workstation& c) {
    return c.base->queryValue("SELECT MAX(Code_Examen) FROM Examens").toInt64();
}

TEST(Plevre, SetUpPlacesAndCaptionsEveryControlAndShowsTheCurrentPatientsExam) {
    for (const QString langue : {"Francais", "English"}) {
        SCOPED_TRACE(langue.toStdString());
        Plevre c(2, langue);
        c.echo->Liste_Nom->setCurrentIndex(1);  // DUPONT
        Examen_Plevre& w = c.ouvrir<Examen_Plevre>();
        EXPECT_EQ(w.size(), QSize(794, 584));
        EXPECT_EQ(w.windowTitle(), c.texte(6, 1));
        EXPECT_EQ(w.Liste_Examens->geometry(), QRect(16, 16, 161, 264));
        EXPECT_EQ(w.Picture2->geometry(), QRect(648, 8, 137, 129));
        EXPECT_EQ(w.Frame_Conditions_Examen->geometry(), QRect(192, 160, 593, 130));
        EXPECT_EQ(w.Frame_Decision->geometry(), QRect(608, 296, 177, 209));
        EXPECT_EQ(w.Texte_Autre_Position->geometry(), QRect(226, 18, 337, 19));
        const std::vector<std::tuple<QWidget*, int, int>> textes{{w.Label_Patient, 6, 2},
                                                                 {w.Label_Envoye, 4, 3},
                                                                 {w.Frame_Imagerie, 6, 3},
                                                                 {w.Label_Blondeau, 6, 4},
                                                                 {w.Label_EchoB, 6, 5},
                                                                 {w.Label_Scanner, 6, 6},
                                                                 {w.Frame_Conditions_Examen, 6, 10},
                                                                 {w.Frame_Position, 6, 11},
                                                                 {w.Option_Position[0], 6, 12},
                                                                 {w.Option_Position[2], 6, 14},
                                                                 {w.Frame_Corpulence, 6, 15},
                                                                 {w.Option_Corpulence[0], 6, 16},
                                                                 {w.Option_Corpulence[2], 6, 18},
                                                                 {w.Label_Remarque, 6, 19},
                                                                 {w.Frame_Resultats, 6, 20},
                                                                 {w.Label_Echogramme_Gauche, 6, 22},
                                                                 {w.Label_Normal[1], 6, 23},
                                                                 {w.Label_Evocateur[0], 6, 25},
                                                                 {w.Label_Autres[1], 6, 26},
                                                                 {w.Frame_Decision, 6, 28},
                                                                 {w.Label_Scanner2, 6, 29},
                                                                 {w.Label_Ponction, 6, 31},
                                                                 {w.Label_Traitement_C, 6, 32},
                                                                 {w.Label_Conclusions, 6, 33},
                                                                 {w.Label_Medecin, 6, 34}};
        for (const auto& [controle, form, n] : textes) {
            QString montre;
            if (auto* e = qobject_cast<QLabel*>(controle))
                montre = e->text();
            else if (auto* f = qobject_cast<QGroupBox*>(controle))
                montre = f->title();
            else
                montre = static_cast<QRadioButton*>(controle)->text();
            EXPECT_EQ(montre, c.texte(form, n)) << controle->objectName().toStdString();
            EXPECT_FALSE(montre.isEmpty()) << controle->objectName().toStdString();
        }
        EXPECT_EQ(Lignes(w.Combo_Status_Echo_B),
                  (QStringList{c.texte(6, 7), c.texte(6, 8), c.texte(6, 9)}));
        EXPECT_EQ(w.Toolbar1_Boutons[9]->toolTip(), c.texte(4, 61));
        EXPECT_TRUE(w.Toolbar2_Boutons[1]->isChecked());
        EXPECT_EQ(Lignes(w.Liste_Examens), (QStringList{"BERNARD Yves 01", "DUPONT Anne 04"}));
        EXPECT_EQ(w.Liste_Examens->currentRow(), 1);
        EXPECT_EQ(c.etat->Table_Examens->currentKey(), c.e_dupont);
        // The previews follow the main window's settings; only the pleura curves are listed.
        EXPECT_EQ(Lignes(w.Combo_Echogramme_Droit).size(), 2);
        EXPECT_EQ(w.Picture1->image(), Apercu_Attendu(c, Echantillons(20, 1)));
        EXPECT_EQ(w.Picture2->image(), Apercu_Attendu(c, Echantillons(200, -1)));
        EXPECT_TRUE(c.messages.boites.empty());
    }
}

TEST(Plevre, ANewExamStoresEveryColumnAndARewriteReplacesThem) {
    Plevre c;
    c.echo->Liste_Nom->setCurrentIndex(1);  // DUPONT: numbers run across the types
    Examen_Plevre& w = c.ouvrir<Examen_Plevre>();
    w.Toolbar1_Boutons[4]->trigger();
    EXPECT_EQ(w.Texte_Num_Examen->text(), QStringLiteral("10"));
    const std::vector<Champ> champs = Champs(w, c);
    for (const Champ& champ : champs)
        Poser(champ.controle, champ.nouveau);
    w.Toolbar1_Boutons[5]->trigger();
    ASSERT_TRUE(c.messages.boites.empty());
    const std::int64_t e = Dernier_Examen(c);
    EXPECT_EQ(c.colonne(e, "\"Code_ Patient\""), platform::Value(c.dupont));
    EXPECT_EQ(c.colonne(e, "Code_Type"), platform::Value(2));
    EXPECT_EQ(c.colonne(e, "Num_Examen"), platform::Value("10"));
    EXPECT_TRUE(c.colonne(e, "Date_Examen").isNull());
    EXPECT_EQ(w.Liste_Examens->currentItem()->text(), QStringLiteral("DUPONT Anne 10"));
    for (const Champ& champ : champs)
        EXPECT_EQ(c.colonne(e, champ.colonne), champ.nouveau) << champ.colonne;

    w.Toolbar1_Boutons[2]->trigger();  // away, then back by the list
    w.Liste_Examens->setCurrentRow(2);
    ASSERT_EQ(c.etat->Table_Examens->currentKey(), e);
    for (const Champ& champ : champs) {
        EXPECT_EQ(Lire(champ.controle), champ.nouveau) << champ.colonne;
        Poser(champ.controle, champ.reecrit);
    }
    w.Toolbar1_Boutons[5]->trigger();
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens"), platform::Value(4));
    for (const Champ& champ : champs)
        EXPECT_EQ(c.colonne(e, champ.colonne), champ.reecrit) << champ.colonne;

    w.Effacer_Examen();
    for (const Champ& champ : champs)
        EXPECT_EQ(Lire(champ.controle), champ.vide) << champ.colonne;
    EXPECT_TRUE(w.Texte_Num_Examen->text().isEmpty());
}

TEST(Plevre, EachFindingAndTheOtherPositionShowTheirDetailExactlyWhileChosen) {
    Plevre c;
    Examen_Plevre& w = c.ouvrir<Examen_Plevre>();
    const std::vector<std::pair<QAbstractButton*, QWidget*>> paires{
        {w.Check_Face_Standard, w.Combo_Status_Face_Standard},
        {w.Check_Echo_B, w.Combo_Status_Echo_B},
        {w.Check_Scanner, w.Combo_Status_Scanner},
        {w.Check_Droit_Autres, w.Texte_Droit_Autres},
        {w.Check_Gauche_Autres, w.Texte_Gauche_Autres}};
    for (const auto& [coche, detail] : paires) {
        SCOPED_TRACE(coche->objectName().toStdString());
        EXPECT_FALSE(detail->isVisible());
        coche->click();
        EXPECT_TRUE(detail->isVisible());
        coche->click();
        EXPECT_FALSE(detail->isVisible());
    }
    w.Texte_Autre_Position->setText(QStringLiteral("Penché"));
    for (int option : {2, 0, 2, 1}) {
        w.Option_Position[option]->click();
        EXPECT_EQ(w.Texte_Autre_Position->isVisible(), option == 2) << option;
    }
    EXPECT_EQ(w.Texte_Autre_Position->text(), QStringLiteral("Penché"));
    EXPECT_TRUE(w.Texte_Traitement_Chirurgical->isVisible());
}

TEST(Plevre, OptionGroupsNamingNoOptionChooseNoneAndARewriteKeepsWhatIsStored) {
    Plevre c;
    Examen_Plevre& w = c.ouvrir<Examen_Plevre>();
    w.Toolbar1_Boutons[3]->trigger();
    // Sitting, with a detail the window hides: shown back, kept on rewrite.
    EXPECT_TRUE(w.Option_Position[0]->isChecked());
    EXPECT_FALSE(w.Texte_Autre_Position->isVisible());
    EXPECT_EQ(w.Texte_Autre_Position->text(), QStringLiteral("Ancien"));
    for (const platform::Value& stockee :
         {platform::Value(), platform::Value(7), platform::Value(-1), platform::Value("Forte")}) {
        SCOPED_TRACE(stockee.toTextOrEmpty().toStdString());
        c.etat->Base_Donnees->execute(
            "UPDATE Examens SET Condition_Corpulence = ? WHERE Code_Examen = ?",
            {stockee, c.e_dupont});
        w.Toolbar1_Boutons[3]->trigger();
        ASSERT_EQ(c.etat->Table_Examens->currentKey(), c.e_dupont);
        EXPECT_EQ(w.Option_Corpulence[0]->group()->checkedId(), -1);
        w.Toolbar1_Boutons[5]->trigger();
        EXPECT_EQ(c.colonne(c.e_dupont, "Condition_Corpulence"), stockee);
        EXPECT_EQ(c.colonne(c.e_dupont, "Condition_Position_Detail"), platform::Value("Ancien"));
    }
    EXPECT_TRUE(c.messages.boites.empty());
}

TEST(Plevre, EachRefusalNamesItsInputFocusesItAndStoresNothing) {
    Plevre c;
    Examen_Plevre& w = c.ouvrir<Examen_Plevre>();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Toolbar1_Boutons[4]->trigger();  // no current patient: none chosen
    auto refuse = [&](int texte, QWidget* focus) {
        c.messages.boites.clear();
        w.Toolbar1_Boutons[5]->trigger();
        ASSERT_EQ(c.messages.boites.size(), 1u);
        EXPECT_EQ(c.messages.boites[0].titre, c.texte(4, 90));
        EXPECT_EQ(c.messages.boites[0].texte, c.texte(4, texte));
        EXPECT_EQ(c.messages.boites[0].icone, QMessageBox::Warning);
        if (focus != nullptr) {
            EXPECT_EQ(w.focusWidget(), focus) << texte;
        }
        EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens"), platform::Value(3));
    };
    refuse(91, nullptr);                      // the patient combo is locked from then on
    w.Combo_Nom_Patient->setCurrentIndex(0);  // BERNARD
    EXPECT_EQ(w.Texte_Num_Examen->text(), QStringLiteral("02"));
    w.Texte_Num_Examen->clear();
    refuse(92, w.Texte_Num_Examen);
    w.Texte_Num_Examen->setText(QStringLiteral("2"));
    // Typed text chooses no curve, and previews the last one the patient choice listed.
    QTest::keyClicks(w.Combo_Echogramme_Gauche->lineEdit(), "x");
    EXPECT_EQ(w.Picture2->image(), Apercu_Attendu(c, Echantillons(60, 0)));
    refuse(93, w.Combo_Echogramme_Droit);
    w.Combo_Echogramme_Droit->setCurrentIndex(0);
    refuse(94, w.Combo_Echogramme_Gauche);
    w.Combo_Echogramme_Gauche->setCurrentIndex(0);
    refuse(95, w.Texte_Examen_Compatible);
    w.Texte_Examen_Compatible->setText(QStringLiteral("Sans anomalie"));
    c.messages.boites.clear();
    w.Toolbar1_Boutons[5]->trigger();
    EXPECT_TRUE(c.messages.boites.empty());
    const std::int64_t e = Dernier_Examen(c);
    EXPECT_EQ(c.colonne(e, "Num_Examen"), platform::Value("2"));
    EXPECT_TRUE(c.colonne(e, "Condition_Position").isNull());  // none chosen
    EXPECT_TRUE(c.colonne(e, "Condition_Corpulence").isNull());
    EXPECT_EQ(Lignes(w.Liste_Examens),
              (QStringList{"BERNARD Yves 01", "BERNARD Yves 02", "DUPONT Anne 04"}));
    EXPECT_EQ(w.Mode_Nouvel_Examen, 0);
}

TEST(Plevre, NavigationAndDeletionWalkTheListAndAskFirst) {
    Plevre c;
    Examen_Plevre& w = c.ouvrir<Examen_Plevre>();
    platform::Recordset& examens = *c.etat->Table_Examens;
    ASSERT_EQ(examens.currentKey(), c.e_bernard);
    const std::vector<std::pair<int, std::int64_t>> pas{
        {1, c.e_bernard}, {2, c.e_dupont}, {2, c.e_dupont}, {3, c.e_bernard}, {4, c.e_dupont}};
    for (const auto& [bouton, attendu] : pas) {
        w.Toolbar1_Boutons[bouton - 1]->trigger();
        EXPECT_EQ(examens.currentKey(), attendu) << bouton;
    }
    EXPECT_EQ(w.Texte_Nom_Patient->text(), QStringLiteral("DUPONT Anne"));
    EXPECT_EQ(w.Picture2->image(), Apercu_Attendu(c, Echantillons(200, -1)));
    c.messages.reponse = QMessageBox::Cancel;
    w.Toolbar1_Boutons[6]->trigger();
    EXPECT_EQ(w.Liste_Examens->count(), 2);
    c.messages.reponse = QMessageBox::Ok;
    w.Toolbar1_Boutons[6]->trigger();
    ASSERT_EQ(c.messages.boites.size(), 2u);
    EXPECT_EQ(c.messages.boites[1].titre, QStringLiteral("Suppression d'Examen"));
    EXPECT_TRUE(c.colonne(c.e_dupont, "Code_Examen").isNull());
    EXPECT_EQ(Lignes(w.Liste_Examens), QStringList{"BERNARD Yves 01"});
    EXPECT_EQ(examens.currentKey(), c.e_bernard);
}

TEST(Plevre, TheDoctorButtonsChooseTheProgramsDoctor) {
    Plevre c;
    Examen_Plevre& w = c.ouvrir<Examen_Plevre>();
    EXPECT_TRUE(w.Toolbar2_Boutons[0]->isChecked());
    w.Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(c.etat->Medecin_Courant, 2);
    EXPECT_TRUE(c.echo->Toolbar3_Boutons[1]->isChecked());
    EXPECT_FALSE(c.echo->Toolbar3_Boutons[0]->isChecked());
    EXPECT_EQ(c.echo->Texte_Nom_Medecin->text(), QStringLiteral("Dr Second"));
}

TEST(Plevre, TheTypeSwitchClosesItAndClosingLetsItGo) {
    Plevre c;
    Examen_Plevre& w = c.ouvrir<Examen_Plevre>();
    w.Toolbar1_Boutons[4]->trigger();
    QPointer<Examen_Plevre> premiere(&w);
    c.echo->Menu_Sinus_Maxillaires->trigger();  // not its type: closed and let go
    EXPECT_EQ(c.examen_ouvert<Examen_Plevre>(), nullptr);
    Examen_Sinus& s = c.ouvrir();
    EXPECT_TRUE(s.Est_Charge());
    c.echo->Menu_Plevre->trigger();
    EXPECT_FALSE(s.Est_Charge());
    runEvents(10);
    EXPECT_TRUE(premiere.isNull());
    Examen_Plevre& seconde = c.ouvrir<Examen_Plevre>();
    EXPECT_EQ(seconde.Mode_Nouvel_Examen, 0);
    EXPECT_TRUE(seconde.Liste_Examens->isVisible());
    EXPECT_EQ(seconde.Liste_Examens->count(), 2);
    seconde.Toolbar1_Boutons[9]->trigger();
    EXPECT_EQ(c.examen_ouvert<Examen_Plevre>(), nullptr);
    EXPECT_TRUE(c.messages.boites.empty());
}

}  // namespace
}  // namespace corvanta::test
