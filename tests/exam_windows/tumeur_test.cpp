// The cervical-tumour exam window on a real database file, opened by the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <functional>
#include <tuple>

#include "exams/examen_tumeur.h"
#include "platform/recordset.h"
#include "tests/exam_windows/expected_preview.h"
#include "tests/support/captures.h"
#include "widgets/curve_view.h"

namespace corvanta::test {
namespace {

// BERNARD has two tumour curves, one sinus curve, tumour exam 04 and sinus exam 07;
// COLIN has tumour exam 02 whose curve is of another type; DUPONT has no exam.
struct TumeurRows : Workstation {
    TumeurRows() {
        bernard = patient(QStringLiteral("BERNARD"), QStringLiteral("Anne"));
        colin = patient(QStringLiteral("COLIN"), QStringLiteral("Jean"));
        dupont = patient(QStringLiteral("DUPONT"), QStringLiteral("Luc"));
        t1 = courbe(bernard, 3, QStringLiteral("10/03/2026 09:00"), Echantillons(10, 1));
        t2 = courbe(bernard, 3, QStringLiteral("10/03/2026 09:05"), Echantillons(100, 2));
        courbe(bernard, 0, QStringLiteral("sinus"));
        c0 = courbe(colin, 0, QStringLiteral("colin"), Echantillons(200, -1));
        e_bernard = examen(bernard, 3, QStringLiteral("4"), t1, t1,
                           {{"Examen_Compatible", "Kyste"},
                            {"Imagerie_Echo_B", 1},
                            {"Imagerie_Echo_B_Status", 2},
                            {"Origine_Examen_Douleur", 1},
                            {"Origine_Examen_Douleur_Type", 1},
                            {"Imagerie_Autres_Status", "IRM"}});
        examen(bernard, 0, QStringLiteral("07"), 0, 0);
        e_colin = examen(colin, 3, QStringLiteral("02"), c0, c0);
    }
    Examen_Tumeur& ouvrir_tumeur(int courant = -1) {
        demarrer();
        if (courant >= 0)
            echo->Liste_Nom->setCurrentIndex(courant);
        echo->Menu_Tumeur->trigger();
        return ouvrir<Examen_Tumeur>();
    }
    std::int64_t bernard, colin, dupont, t1, t2, c0, e_bernard, e_colin;
};

constexpr QSize kApercu(278, 129);  // the preview box

// What a control holds, as the column it is kept in would.
platform::Value Contenu(const QWidget* controle) {
    if (auto* coche = qobject_cast<const QCheckBox*>(controle))
        return coche->isChecked() ? 1 : 0;
    if (auto* liste = qobject_cast<const QComboBox*>(controle))
        return liste->currentIndex();
    if (auto* ligne = qobject_cast<const QLineEdit*>(controle))
        return ligne->text();
    return static_cast<const QPlainTextEdit*>(controle)->toPlainText();
}

void Saisir(QWidget* controle, const platform::Value& valeur) {
    if (auto* coche = qobject_cast<QCheckBox*>(controle))
        coche->setChecked(valeur.toInt32() != 0);
    else if (auto* liste = qobject_cast<QComboBox*>(controle))
        liste->setCurrentIndex(valeur.toInt32());
    else if (auto* ligne = qobject_cast<QLineEdit*>(controle))
        ligne->setText(valeur.toText());
    else
        static_cast<QPlainTextEdit*>(controle)->setPlainText(valeur.toText());
}

TEST(Tumeur, TheExamMenuOpensItForType3WithEveryCaptionFromItsOwnTexts) {
    TumeurRows c;
    // Two labels reading "Scanner" each take their own text.
    c.base->execute("UPDATE Langues SET Francais = 'Scanner décidé' WHERE Form = 7 AND Label = 24");
    Examen_Tumeur& t = c.ouvrir_tumeur(1);  // COLIN current
    const Libelles& l = c.etat->Libelle;
    EXPECT_EQ(t.size(), QSize(795, 575));
    EXPECT_EQ(t.windowTitle(), l(7, 1));
    const std::vector<std::pair<QWidget*, int>> textes{{t.Label_Patient, 2},
                                                       {t.Label_Envoye, 3},
                                                       {t.Frame_Imagerie, 4},
                                                       {t.Label_Echo_B, 6},
                                                       {t.Label_Scanner, 7},
                                                       {t.Label_Autres, 5},
                                                       {t.Frame_Indication, 10},
                                                       {t.Label_Douleur, 8},
                                                       {t.Label_Dysphagie, 9},
                                                       {t.Label_Fievre, 11},
                                                       {t.Label_Examens_ORL, 12},
                                                       {t.Label_Examens_Bio, 14},
                                                       {t.Frame_Resultats, 13},
                                                       {t.Label_Echogramme, 17},
                                                       {t.Label_Normal, 18},
                                                       {t.Label_Tumeur_Liquide, 19},
                                                       {t.Label_Tumeur_Homogene, 20},
                                                       {t.Label_Tumeur_Heterogene, 21},
                                                       {t.Label_Autres_Constatations, 22},
                                                       {t.Frame_Decision, 23},
                                                       {t.Label_Scanner2, 24},
                                                       {t.Label_Traitement_M, 25},
                                                       {t.Label_Cervicotomie, 26},
                                                       {t.Label_Traitement_C, 27},
                                                       {t.Label_Conclusions, 28},
                                                       {t.Label_Medecin, 29}};
    for (const auto& [controle, n] : textes) {
        const auto* cadre = qobject_cast<QGroupBox*>(controle);
        const QString texte = cadre ? cadre->title() : static_cast<QLabel*>(controle)->text();
        EXPECT_EQ(texte, l(7, n)) << n;
        EXPECT_FALSE(texte.isEmpty()) << n;
    }
    EXPECT_EQ(Lignes(t.Combo_Status_Scanner), (QStringList{l(7, 31), l(7, 32), l(7, 33)}));
    EXPECT_EQ(Lignes(t.Combo_Type_Douleur), (QStringList{l(7, 34), l(7, 35), l(7, 36)}));
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(t.Toolbar1_Boutons[n - 1]->toolTip(), l(7, 51 + n)) << n;
    EXPECT_TRUE(t.Toolbar1_Boutons[7]->isEnabled());  // the printed report

    // COLIN's exam is shown: his curve is of another type, so the echogram list is empty
    // while the preview draws the stored curve.
    EXPECT_EQ(Lignes(t.Liste_Examens), (QStringList{"BERNARD Anne 04", "COLIN Jean 02"}));
    EXPECT_EQ(t.Liste_Examens->currentRow(), 1);
    EXPECT_EQ(t.Combo_Echogramme->count(), 0);
    EXPECT_EQ(t.Picture1->image(), Apercu_Attendu(c, Echantillons(200, -1), kApercu));
    for (QWidget* detail : std::initializer_list<QWidget*>{
             t.Combo_Status_Echo_B, t.Combo_Type_Douleur, t.Texte_Imagerie_Autres,
             t.Texte_Examens_ORL, t.Texte_Tumeur_Autres})
        EXPECT_FALSE(detail->isVisible()) << detail->objectName().toStdString();
    EXPECT_TRUE(c.messages.boites.empty());
}

TEST(Tumeur, ACurrentPatientWithoutATumourExamOpensOnTheFirstExam) {
    TumeurRows c;
    Examen_Tumeur& t = c.ouvrir_tumeur(2);  // DUPONT
    EXPECT_EQ(c.etat->Table_Examens->currentKey(), c.e_bernard);
    EXPECT_EQ(t.Liste_Examens->currentRow(), 0);
    EXPECT_EQ(t.Texte_Num_Examen->text(), QStringLiteral("04"));
    t.Toolbar1_Boutons[1]->trigger();  // next
    EXPECT_EQ(t.Texte_Nom_Patient->text(), QStringLiteral("COLIN Jean"));
    t.Toolbar1_Boutons[1]->trigger();  // next on the last: nothing
    EXPECT_EQ(c.etat->Table_Examens->currentKey(), c.e_colin);
    t.Toolbar1_Boutons[2]->trigger();  // first
    EXPECT_EQ(t.Texte_Nom_Patient->text(), QStringLiteral("BERNARD Anne"));
    EXPECT_TRUE(c.messages.boites.empty());
}

TEST(Tumeur, ANewExamStoresEveryColumnFromItsControlAndShowsItBack) {
    TumeurRows c;
    Examen_Tumeur& t = c.ouvrir_tumeur(0);  // BERNARD
    t.Toolbar1_Boutons[4]->trigger();
    // Numbers run per patient across the exam types; only tumour curves are offered.
    EXPECT_EQ(t.Texte_Num_Examen->text(), QStringLiteral("08"));
    EXPECT_EQ(Lignes(t.Combo_Echogramme), (QStringList{"10/03/2026 09:00", "10/03/2026 09:05"}));
    t.Combo_Echogramme->setCurrentIndex(1);
    EXPECT_EQ(t.Picture1->image(), Apercu_Attendu(c, Echantillons(100, 2), kApercu));

    const std::vector<std::pair<const char*, std::pair<QWidget*, platform::Value>>> colonnes{
        {"Docteur_Patient", {t.Texte_Docteur_Patient, "Dr Lenoir"}},
        {"Imagerie_Echo_B", {t.Check_Echo_B, 1}},
        {"Imagerie_Scanner", {t.Check_Scanner, 0}},
        {"Imagerie_Autres", {t.Check_Autres, 0}},
        {"Imagerie_Echo_B_Status", {t.Combo_Status_Echo_B, 2}},
        {"Imagerie_Scanner_Status", {t.Combo_Status_Scanner, 1}},  // hidden, still stored
        {"Imagerie_Autres_Status", {t.Texte_Imagerie_Autres, "Scintigraphie"}},
        {"Origine_Examen_Douleur", {t.Check_Douleur, 1}},
        {"Origine_Examen_Douleur_Type", {t.Combo_Type_Douleur, 1}},
        {"Origine_Examen_Dysphagie", {t.Check_Dysphagie, 1}},
        {"Origine_Examen_Fievre", {t.Check_Fievre, 0}},
        {"Origine_Examen_ORL", {t.Check_Examens_ORL, 1}},
        {"Origine_Examen_ORL_Detail", {t.Texte_Examens_ORL, "Nasofibroscopie"}},
        {"Origine_Examen_Bio", {t.Check_Examens_Bio, 0}},
        {"Origine_Examen_Bio_Detail", {t.Texte_Examens_Bio, "CRP 12"}},
        {"Echogramme_Tumeur_Normal", {t.Check_Tumeur_Normal, 0}},
        {"Echogramme_Tumeur_Liquide", {t.Check_Tumeur_Liquide, 1}},
        {"Echogramme_Tumeur_Homogene", {t.Check_Tumeur_Homogene, 0}},
        {"Echogramme_Tumeur_Heterogene", {t.Check_Tumeur_Heterogene, 1}},
        {"Echogramme_Tumeur_Autres", {t.Check_Tumeur_Autres, 1}},
        {"Echogramme_Tumeur_Autres_Detail", {t.Texte_Tumeur_Autres, "Calcifications"}},
        {"Examen_Compatible", {t.Texte_Examen_Compatible, "Adénopathie"}},
        {"Decision_Scanner", {t.Check_Decision_Scanner, 1}},
        {"Decision_Traitement_Medical", {t.Check_Decision_Traitement_Medical, 0}},
        {"Decision_Traitement_Medical_Detail", {t.Texte_Traitement_Medical, "Anti\n10 j"}},
        {"Decision_Traitement_Cervicotomie", {t.Check_Decision_Cervicotomie, 1}},
        {"Decision_Traitement_Chirurgical", {t.Check_Decision_Traitement_Chirurgical, 1}},
        {"Decision_Traitement_Chirurgical_Detail", {t.Texte_Traitement_Chirurgical, "Exérèse"}}};
    for (const auto& [nom, saisie] : colonnes)
        Saisir(saisie.first, saisie.second);
    t.Toolbar1_Boutons[5]->trigger();
    ASSERT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(t.Mode_Nouvel_Examen, 0);

    const auto e = c.base->queryValue("SELECT MAX(Code_Examen) FROM Examens").toInt64();
    EXPECT_EQ(c.colonne(e, "\"Code_ Patient\""), platform::Value(c.bernard));
    EXPECT_EQ(c.colonne(e, "Code_Type"), platform::Value(3));
    EXPECT_EQ(c.colonne(e, "Num_Examen"), platform::Value("08"));
    EXPECT_EQ(c.colonne(e, "Date_Examen"),
              platform::Value(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))));
    EXPECT_EQ(c.colonne(e, "Echogramme_Droit_Num_Courbe"), platform::Value(c.t2));
    EXPECT_EQ(c.colonne(e, "Echogramme_Gauche_Num_Courbe"), platform::Value(c.t2));
    for (const auto& [nom, saisie] : colonnes) {
        const platform::Value attendu = QString::fromLatin1(nom).endsWith("Medical_Detail")
                                            ? platform::Value("Anti\r\n10 j")
                                            : saisie.second;
        EXPECT_EQ(c.colonne(e, nom), attendu) << nom;
    }
    for (const char* autre : {"Imagerie_Face_Standard", "Decision_Lavage", "Condition_Position"})
        EXPECT_TRUE(c.colonne(e, autre).isNull()) << autre;
    EXPECT_EQ(c.base->queryValue("SELECT DATE FROM Courbes WHERE ID = ?", {c.t2}),
              platform::Value("10/03/2026 09:05"));

    // Shown again after another exam, every control holds what was stored.
    EXPECT_EQ(Lignes(t.Liste_Examens),
              (QStringList{"BERNARD Anne 04", "BERNARD Anne 08", "COLIN Jean 02"}));
    EXPECT_EQ(t.Liste_Examens->currentRow(), 1);
    t.Liste_Examens->setCurrentRow(2);
    t.Liste_Examens->setCurrentRow(1);
    for (const auto& [nom, saisie] : colonnes)
        EXPECT_EQ(Contenu(saisie.first), saisie.second) << nom;
    EXPECT_EQ(t.Combo_Echogramme->currentData().toLongLong(), c.t2);
    EXPECT_FALSE(t.Texte_Imagerie_Autres->isVisible());
    EXPECT_TRUE(t.Combo_Type_Douleur->isVisible());
    EXPECT_TRUE(t.Texte_Tumeur_Autres->isVisible());
    EXPECT_EQ(t.Picture1->image(), Apercu_Attendu(c, Echantillons(100, 2), kApercu));
}

TEST(Tumeur, RefusalsComeOneAtATimeWithTheirTextAndFocus) {
    TumeurRows c;
    Examen_Tumeur& t = c.ouvrir_tumeur();
    t.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&t));
    t.Toolbar1_Boutons[4]->trigger();  // no current patient: none chosen
    const std::vector<std::tuple<std::function<void()>, int, QWidget*>> etapes{
        {[] {}, 111, nullptr},  // the chooser is locked while validating
        {[&] {
             t.Combo_Nom_Patient->setCurrentIndex(0);  // proposes his next number
             t.Texte_Num_Examen->clear();
         },
         112, t.Texte_Num_Examen},
        {[&] { t.Texte_Num_Examen->setText("9"); }, 93, t.Combo_Echogramme},
        {[&] { t.Combo_Echogramme->setCurrentIndex(0); }, 115, t.Texte_Examen_Compatible}};
    for (const auto& [saisie, texte, focus] : etapes) {
        saisie();
        c.messages.boites.clear();
        t.Toolbar1_Boutons[5]->trigger();
        ASSERT_EQ(c.messages.boites.size(), 1u) << texte;
        EXPECT_EQ(c.messages.boites[0].titre, c.etat->Libelle(7, 110));
        EXPECT_EQ(c.messages.boites[0].texte, c.etat->Libelle(7, texte));
        EXPECT_EQ(c.messages.boites[0].icone, QMessageBox::Warning);
        if (focus != nullptr) {
            EXPECT_EQ(t.focusWidget(), focus) << texte;
        }
    }
    EXPECT_EQ(c.base->queryValue("SELECT COUNT(*) FROM Examens"), platform::Value(3));
    EXPECT_EQ(t.Mode_Nouvel_Examen, 1);
}

TEST(Tumeur, EachBoxShowsItsDetailWhileTickedAndANewExamStartsBlank) {
    TumeurRows c;
    Examen_Tumeur& t = c.ouvrir_tumeur(0);
    const std::vector<std::pair<QCheckBox*, QWidget*>> paires{
        {t.Check_Echo_B, t.Combo_Status_Echo_B},       {t.Check_Scanner, t.Combo_Status_Scanner},
        {t.Check_Autres, t.Texte_Imagerie_Autres},     {t.Check_Douleur, t.Combo_Type_Douleur},
        {t.Check_Examens_ORL, t.Texte_Examens_ORL},    {t.Check_Examens_Bio, t.Texte_Examens_Bio},
        {t.Check_Tumeur_Autres, t.Texte_Tumeur_Autres}};
    auto visibles = [&] {
        std::vector<bool> v;
        for (const auto& paire : paires)
            v.push_back(paire.second->isVisible());
        return v;
    };
    for (const auto& [coche, detail] : paires) {
        SCOPED_TRACE(coche->objectName().toStdString());
        coche->setChecked(false);
        EXPECT_FALSE(detail->isVisible());
        coche->click();
        EXPECT_TRUE(detail->isVisible());
        coche->click();
        EXPECT_FALSE(detail->isVisible());
    }
    const std::vector<bool> avant = visibles();
    t.Check_Dysphagie->click();
    t.Check_Fievre->click();
    EXPECT_EQ(visibles(), avant);

    // BERNARD's exam holds Echo B status 2, pain type 1 and other imaging "IRM": a new
    // exam carries none of them, hidden or not.
    t.Afficher_Examen();
    ASSERT_EQ(t.Combo_Status_Echo_B->currentIndex(), 2);
    ASSERT_EQ(t.Texte_Imagerie_Autres->text(), QStringLiteral("IRM"));
    t.Toolbar1_Boutons[4]->trigger();
    EXPECT_EQ(t.Combo_Status_Echo_B->currentIndex(), 0);
    EXPECT_EQ(t.Combo_Type_Douleur->currentIndex(), 0);
    EXPECT_TRUE(t.Texte_Imagerie_Autres->text().isEmpty());
    EXPECT_FALSE(t.Check_Echo_B->isChecked());
    EXPECT_TRUE(t.Combo_Echogramme->currentText().isEmpty());
    EXPECT_TRUE(t.Texte_Examen_Compatible->text().isEmpty());
}

TEST(Tumeur, TheEchogramPreviewsTheChosenCurveInAnyModeAndTypedTextPreviewsNothing) {
    TumeurRows c;
    Examen_Tumeur& t = c.ouvrir_tumeur(0);
    c.echo->Combo1->setCurrentIndex(1);  // 100 points
    c.echo->Slider1[0]->setValue(2);
    ASSERT_EQ(t.Combo_Echogramme->currentData().toLongLong(), c.t1);
    t.Combo_Echogramme->setCurrentIndex(1);  // outside a new exam too
    EXPECT_EQ(t.Nombre_Points_Examen, 100);
    EXPECT_EQ(t.Picture1->image(), Apercu_Attendu(c, Echantillons(100, 2), kApercu));
    t.Toolbar1_Boutons[4]->trigger();  // a new exam blanks the preview
    const QImage avant = t.Picture1->image();
    QTest::keyClicks(t.Combo_Echogramme->lineEdit(), "x");
    EXPECT_EQ(t.Combo_Echogramme->currentIndex(), -1);
    EXPECT_EQ(t.Picture1->image(), avant);
    t.Combo_Echogramme->setCurrentIndex(0);  // the chosen curve, not the last listed
    EXPECT_EQ(t.Picture1->image(), Apercu_Attendu(c, Echantillons(10, 1), kApercu));
}

TEST(Tumeur, DeletionAsksAndTheDoctorChoiceReachesTheMainWindow) {
    TumeurRows c;
    c.dossier.ecrire_reglage("GENERAL", "Nom(2)", "Dr Second");
    c.dossier.ecrire_reglage("GENERAL", "Inscription(2)", "75-1234");
    Examen_Tumeur& t = c.ouvrir_tumeur(0);
    c.messages.reponse = QMessageBox::Ok;
    t.Toolbar1_Boutons[6]->trigger();
    ASSERT_EQ(c.messages.boites.size(), 1u);
    EXPECT_TRUE(c.colonne(c.e_bernard, "Code_Examen").isNull());
    EXPECT_EQ(Lignes(t.Liste_Examens), (QStringList{"COLIN Jean 02"}));
    EXPECT_EQ(t.Nombre_Examens, 1);
    EXPECT_EQ(t.Texte_Nom_Patient->text(), QStringLiteral("COLIN Jean"));

    t.Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(c.etat->Medecin_Courant, 2);
    EXPECT_TRUE(c.echo->Toolbar3_Boutons[1]->isChecked());
    EXPECT_FALSE(c.echo->Toolbar3_Boutons[0]->isChecked());
    EXPECT_EQ(c.echo->Texte_Nom_Medecin->text(), QStringLiteral("Dr Second"));
    EXPECT_EQ(c.echo->Texte_Inscription_Medecin->text(), QStringLiteral("75-1234"));
}

TEST(Tumeur, ThePrintAndExportButtonsWriteTheTumourReportsOfTheExamShown) {
    TumeurRows c;
    QDir(c.dossier.chemin()).mkdir(QStringLiteral("images"));
    c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Export"),
                             c.dossier.fichier(QStringLiteral("images/")));
    Examen_Tumeur& t = c.ouvrir_tumeur(0);
    ASSERT_TRUE(t.Toolbar1_Boutons[8]->isEnabled());
    t.Toolbar1_Boutons[8]->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(c.messages.boites.empty());
    const QImage image(c.dossier.fichier(QStringLiteral("images/BERNARD Anne 04.jpg")));
    EXPECT_EQ(image.size(), QSize(529, 593));
    // Without a printer the printed report goes into the same folder as a PDF.
    t.Toolbar1_Boutons[7]->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(QDir(c.dossier.fichier(QStringLiteral("images")))
                  .entryList({QStringLiteral("*.pdf")}, QDir::Files)
                  .size(),
              1);
}

// The two-line treatment boxes show a text of two lines whole, without a scroll bar, and
// give one to a longer text rather than cut its last line.
TEST(Tumeur, ATreatmentTextLongerThanItsBoxGetsAScrollBar) {
    for (const QString& langue : {QStringLiteral("Francais"), QStringLiteral("English")}) {
        TumeurRows c;
        c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Langue"), langue);
        Examen_Tumeur& t = c.ouvrir_tumeur();
        t.show();
        const QString deux = QStringLiteral("Drainage pleural\nJ+2");
        const QString trois = QStringLiteral("Thoracoscopie\nDrainage pleural\nJ+2");
        for (QPlainTextEdit* boite : {t.Texte_Traitement_Medical, t.Texte_Traitement_Chirurgical}) {
            for (const QString& texte : {deux, trois}) {
                boite->setPlainText(texte);
                QCoreApplication::processEvents();
                EXPECT_EQ(boite->verticalScrollBar()->isVisible(), texte == trois)
                    << boite->objectName().toStdString() << ", " << langue.toStdString();
            }
        }
        // For looking at: two lines above, three below.
        t.Texte_Traitement_Medical->setPlainText(deux);
        QCoreApplication::processEvents();
        t.grab().save(Dossier_Captures() + QStringLiteral("/tumour_treatments_%1.png").arg(langue));
    }
}

TEST(Tumeur, TheTypeSwitchAndClosingDestroyTheWindowAndAReopeningStartsAfresh) {
    TumeurRows c;
    c.demarrer();
    Examen_Sinus& s = c.ouvrir();  // type 0
    c.echo->Menu_Tumeur->trigger();
    EXPECT_FALSE(s.Est_Charge());
    Examen_Tumeur* t = &c.ouvrir<Examen_Tumeur>();
    EXPECT_EQ(t->Liste_Examens->count(), 2);
    t->Toolbar1_Boutons[4]->trigger();
    c.echo->Menu_Tumeur->trigger();  // its own type again: the new exam goes on
    EXPECT_EQ(t->Mode_Nouvel_Examen, 1);

    QPointer<Examen_Tumeur> ancienne(t);
    t->close();
    EXPECT_EQ(c.examen_ouvert<Examen_Tumeur>(), nullptr);
    runEvents(10);
    EXPECT_TRUE(ancienne.isNull());
    t = &c.ouvrir<Examen_Tumeur>();
    EXPECT_EQ(t->Mode_Nouvel_Examen, 0);
    EXPECT_EQ(t->windowTitle(), c.etat->Libelle(7, 1));

    ancienne = t;
    c.echo->Menu_Sinus_Frontaux->trigger();
    EXPECT_EQ(c.examen_ouvert<Examen_Tumeur>(), nullptr);
    runEvents(10);
    EXPECT_TRUE(ancienne.isNull());
    c.ouvrir();
    EXPECT_TRUE(s.Est_Charge());
    EXPECT_TRUE(c.messages.boites.empty());
}

}  // namespace
}  // namespace corvanta::test
