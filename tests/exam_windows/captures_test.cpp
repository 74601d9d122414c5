// The exam windows with an exam shown, in both languages: no caption may be cut. With
// CORVANTA_CAPTURES naming a folder, the window is also saved there as a picture, and
// under a real display (run under xvfb-run with QT_QPA_PLATFORM=xcb) the whole screen.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include "exams/examen_plevre.h"
#include "exams/examen_tumeur.h"
#include "tests/exam_windows/expected_preview.h"

namespace corvanta::test {
namespace {

void Montrer_Un_Examen(Workstation& c) {
    const auto p = c.patient(QStringLiteral("LEFÈVRE"), QStringLiteral("Jean-Baptiste"));
    c.patient(QStringLiteral("MOREAU"), QStringLiteral("Claire"));
    const auto d = c.courbe(p, 0, QStringLiteral("12/03/2026 10:41 Droit"), Echantillons(20, 1));
    const auto g = c.courbe(p, 0, QStringLiteral("12/03/2026 10:44 Gauche"), Echantillons(180, -1));
    c.examen(p, 0, "3", d, g,
             {{"Docteur_Patient", "Dr Vidal"},
              {"Imagerie_Face_Standard", 1},
              {"Imagerie_Face_Standard_Status", 1},
              {"Imagerie_Scanner", 1},
              {"Origine_Examen_Douleur", 1},
              {"Origine_Examen_Douleur_Type", 0},
              {"Origine_Examen_Ecoulement", 1},
              {"Origine_Examen_Autres_CLI", 1},
              {"Origine_Examen_Autres_CLI_Detail", "Céphalées"},
              {"Origine_Examen_Globules", 1},
              {"Origine_Examen_Globules_Detail", "11 500"},
              {"Echogramme_Droit_Evocateur", 1},
              {"Echogramme_Droit_Autres", 1},
              {"Echogramme_Droit_Autres_Detail", "Paroi épaissie"},
              {"Echogramme_Gauche_Normal", 1},
              {"Examen_Compatible", "Sinusite maxillaire droite collectée"},
              {"Decision_Traitement_Medical", 1},
              {"Decision_Traitement_Medical_Detail", "Amoxicilline 1 g, 8 jours"},
              {"Decision_Lavage", 1}});
    c.examen(p, 0, "4", d, g, {{"Examen_Compatible", "Contrôle"}});
}

// The doctor label on the middle line of its buttons, where the window lays it so.
void Verifier_Textes_Entiers(QWidget& fenetre, bool etiquette_centree = true) {
    for (QLabel* etiquette : fenetre.findChildren<QLabel*>()) {
        if (etiquette->text().isEmpty() || !etiquette->isVisibleTo(&fenetre))
            continue;
        EXPECT_LE(etiquette->fontMetrics().horizontalAdvance(etiquette->text()), etiquette->width())
            << etiquette->objectName().toStdString() << ": " << etiquette->text().toStdString();
    }
    for (QGroupBox* cadre : fenetre.findChildren<QGroupBox*>()) {
        EXPECT_LE(cadre->fontMetrics().horizontalAdvance(cadre->title()) + 16, cadre->width())
            << cadre->objectName().toStdString();
    }
    for (QComboBox* liste : fenetre.findChildren<QComboBox*>()) {
        for (int i = 0; i < liste->count(); ++i) {
            EXPECT_LE(liste->fontMetrics().horizontalAdvance(liste->itemText(i)) + 28,
                      liste->width())
                << liste->objectName().toStdString() << ": " << liste->itemText(i).toStdString();
        }
    }
    // A text of several lines reads whole, from its first line to its last.
    for (QPlainTextEdit* boite : fenetre.findChildren<QPlainTextEdit*>()) {
        if (boite->toPlainText().isEmpty())
            continue;
        QTextCursor fin = boite->textCursor();
        fin.movePosition(QTextCursor::End);
        EXPECT_GT(boite->document()->lineCount(), 1) << boite->objectName().toStdString();
        EXPECT_LE(boite->cursorRect(fin).bottom(), boite->viewport()->height())
            << boite->objectName().toStdString();
        EXPECT_EQ(boite->verticalScrollBar()->value(), 0) << boite->objectName().toStdString();
    }
    const auto milieu = [&fenetre](const QWidget* controle) {
        return controle->mapTo(&fenetre, controle->rect().center()).y();
    };
    if (etiquette_centree) {
        const auto* etiquette = fenetre.findChild<QLabel*>(QStringLiteral("Label_Medecin"));
        const auto* boutons = fenetre.findChild<QToolBar*>(QStringLiteral("Toolbar2"));
        ASSERT_NE(etiquette, nullptr);
        ASSERT_NE(boutons, nullptr);
        EXPECT_EQ(milieu(etiquette), milieu(boutons));
    }
    auto* liste = fenetre.findChild<QListWidget*>(QStringLiteral("Liste_Examens"));
    ASSERT_NE(liste, nullptr);
    for (int i = 0; i < liste->count(); ++i)
        EXPECT_LE(liste->fontMetrics().horizontalAdvance(liste->item(i)->text()) + 8,
                  liste->viewport()->width());
}

// With CORVANTA_CAPTURES set, the window is saved as `nom`.png, and the screen too under
// a real display.
void Capturer(QWidget& fenetre, const QString& nom) {
    const QString dossier = QString::fromLocal8Bit(qgetenv("CORVANTA_CAPTURES"));
    if (dossier.isEmpty())
        return;
    QDir().mkpath(dossier);
    const QString chemin = QDir(dossier).filePath(nom);
    EXPECT_TRUE(fenetre.grab().save(chemin + QStringLiteral(".png")));
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        runEvents(300);
        EXPECT_EQ(QProcess::execute(QStringLiteral("import"),
                                    {QStringLiteral("-window"), QStringLiteral("root"),
                                     chemin + QStringLiteral("-ecran.png")}),
                  0);
    }
}

TEST(Captures, TheSinusWindowShowsEveryCaptionWholeInBothLanguages) {
    for (const QString& langue : {QStringLiteral("Francais"), QStringLiteral("English")}) {
        SCOPED_TRACE(langue.toStdString());
        Workstation c;
        c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Langue"), langue);
        Montrer_Un_Examen(c);
        c.demarrer();
        c.echo->Liste_Nom->setCurrentIndex(0);
        Examen_Sinus& s = c.ouvrir();
        s.move(100, 80);
        runEvents(50);
        EXPECT_EQ(s.Texte_Nom_Patient->text(), QStringLiteral("LEFÈVRE Jean-Baptiste"));
        Verifier_Textes_Entiers(s, false);

        Capturer(s, QStringLiteral("sinus-") + langue);
        EXPECT_TRUE(c.messages.boites.empty());
    }
}

TEST(Captures, ThePleuraWindowShowsEveryCaptionWholeInBothLanguages) {
    for (const QString& langue : {QStringLiteral("Francais"), QStringLiteral("English")}) {
        SCOPED_TRACE(langue.toStdString());
        Workstation c;
        c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Langue"), langue);
        const auto p = c.patient(QStringLiteral("LEFÈVRE"), QStringLiteral("Jean-Baptiste"));
        const auto d =
            c.courbe(p, 2, QStringLiteral("12/03/2026 10:41 Droit"), Echantillons(20, 1));
        const auto g =
            c.courbe(p, 2, QStringLiteral("12/03/2026 10:44 Gauche"), Echantillons(180, -1));
        c.examen(p, 2, "3", d, g,
                 {{"Docteur_Patient", "Dr Vidal"},
                  {"Imagerie_Face_Standard", 1},
                  {"Imagerie_Echo_B", 1},
                  {"Imagerie_Echo_B_Status", 1},
                  {"Imagerie_Scanner", 1},
                  {"Imagerie_Scanner_Status", 2},
                  {"Condition_Position", 2},
                  {"Condition_Position_Detail", "Penché en avant, bras levés"},
                  {"Condition_Corpulence", 1},
                  {"Condition_Remarque", "Dyspnée d'effort"},
                  {"Echogramme_Droit_Evocateur", 1},
                  {"Echogramme_Droit_Autres", 1},
                  {"Echogramme_Droit_Autres_Detail", "Cloisons fines"},
                  {"Echogramme_Gauche_Normal", 1},
                  {"Echogramme_Gauche_Autres", 1},
                  {"Echogramme_Gauche_Autres_Detail", "Plèvre épaissie"},
                  {"Examen_Compatible", "Epanchement pleural droit de moyenne abondance"},
                  {"Decision_Drainage", 1},
                  {"Decision_Ponction", 1},
                  {"Decision_Traitement_Chirurgical", 1},
                  {"Decision_Traitement_Chirurgical_Detail",
                   "Thoracoscopie si récidive après drainage"}});
        c.demarrer();
        c.echo->Menu_Plevre->trigger();
        Examen_Plevre& w = c.ouvrir<Examen_Plevre>();
        w.move(100, 80);
        runEvents(50);
        EXPECT_EQ(w.Texte_Nom_Patient->text(), QStringLiteral("LEFÈVRE Jean-Baptiste"));
        for (QRadioButton* option : w.findChildren<QRadioButton*>()) {
            EXPECT_LE(option->fontMetrics().horizontalAdvance(option->text()) + 20, option->width())
                << option->objectName().toStdString();
        }
        Verifier_Textes_Entiers(w);
        Capturer(w, QStringLiteral("plevre-") + langue);
        EXPECT_TRUE(c.messages.boites.empty());
    }
}

TEST(Captures, TheTumourWindowShowsEveryCaptionWholeInBothLanguages) {
    for (const QString& langue : {QStringLiteral("Francais"), QStringLiteral("English")}) {
        SCOPED_TRACE(langue.toStdString());
        Workstation c;
        c.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Langue"), langue);
        const auto p = c.patient(QStringLiteral("LEFÈVRE"), QStringLiteral("Jean-Baptiste"));
        const auto k =
            c.courbe(p, 3, QStringLiteral("12/03/2026 10:41 Cou droit"), Echantillons(20, 1));
        c.examen(
            p, 3, "3", k, k,
            {{"Docteur_Patient", "Dr Vidal"},
             {"Imagerie_Echo_B", 1},
             {"Imagerie_Echo_B_Status", 1},
             {"Imagerie_Scanner", 1},
             {"Imagerie_Scanner_Status", 2},
             {"Imagerie_Autres", 1},
             {"Imagerie_Autres_Status", "IRM cervicale"},
             {"Origine_Examen_Douleur", 1},
             {"Origine_Examen_Douleur_Type", 1},
             {"Origine_Examen_Dysphagie", 1},
             {"Origine_Examen_ORL", 1},
             {"Origine_Examen_ORL_Detail", "Nasofibroscopie normale"},
             {"Origine_Examen_Bio", 1},
             {"Origine_Examen_Bio_Detail", "CRP 35 mg/l"},
             {"Echogramme_Tumeur_Heterogene", 1},
             {"Echogramme_Tumeur_Autres", 1},
             {"Echogramme_Tumeur_Autres_Detail", "Microcalcifications"},
             {"Examen_Compatible", "Nodule thyroïdien hétérogène"},
             {"Decision_Scanner", 1},
             {"Decision_Traitement_Medical", 1},
             {"Decision_Traitement_Medical_Detail", "Antalgiques palier 2, réévaluation à 48 h"},
             {"Decision_Traitement_Chirurgical", 1},
             {"Decision_Traitement_Chirurgical_Detail", "Lobectomie droite après cytoponction"}});
        c.demarrer();
        c.echo->Liste_Nom->setCurrentIndex(0);
        c.echo->Menu_Tumeur->trigger();
        auto& t = c.ouvrir<Examen_Tumeur>();
        t.move(100, 80);
        runEvents(50);
        EXPECT_EQ(t.Texte_Nom_Patient->text(), QStringLiteral("LEFÈVRE Jean-Baptiste"));
        Verifier_Textes_Entiers(t);
        Capturer(t, QStringLiteral("tumeur-") + langue);
        EXPECT_TRUE(c.messages.boites.empty());
    }
}

}  // namespace
}  // namespace corvanta::test
