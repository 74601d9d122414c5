// The texts of the main window: what the translation step puts on which control, what it
// leaves alone, the interface-text file, and whether every text fits its control in
// both languages.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include "main_window/echo.h"
#include "tests/support/application_test.h"
#include "tools/echo_shots/langues_tsv.h"

namespace corvanta {
namespace {

enum class Shown { Caption, Tooltip, Tab };

struct Entry {
    const char* name;  // object name
    Shown shown;
    int number;
    int tab = -1;  // the page, for a tab caption
};

// The translated texts, in the order the window puts them on.
const Entry kTranslated[] = {
    {"Menu_Gestion_Patients", Shown::Caption, 1},
    {"Menu_Gestion_Examens", Shown::Caption, 2},
    {"Menu_Quitter", Shown::Caption, 3},
    {"Menu_Sinus_Maxillaires", Shown::Caption, 72},
    {"Menu_Sinus_Frontaux", Shown::Caption, 73},
    {"Menu_Plevre", Shown::Caption, 74},
    {"Menu_Tumeur", Shown::Caption, 75},
    {"Menu_Cellules", Shown::Caption, 76},
    {"SSTab1", Shown::Tab, 4, 0},
    {"SSTab1", Shown::Tab, 5, 1},
    {"SSTab1", Shown::Tab, 6, 2},
    {"SSTab1", Shown::Tab, 7, 3},
    {"Bouton_Imprimer_Courbe_Acquisition", Shown::Caption, 8},
    {"Bouton_Relancer", Shown::Caption, 9},
    {"Bouton_Quitter", Shown::Caption, 10},
    {"Frame_Patient", Shown::Caption, 6},
    {"Frame_Courbes", Shown::Caption, 11},
    {"Label_Zones_Sensibles", Shown::Caption, 4},
    {"Label_Abscisse_Debut", Shown::Caption, 12},
    {"Label_Abscisse_Fin", Shown::Caption, 13},
    {"Label_Seuil_Detection", Shown::Caption, 14},
    {"Check_Action_0", Shown::Caption, 15},
    {"Check_Action_1", Shown::Caption, 16},
    {"Label_Filtre_Moyenneur", Shown::Caption, 17},
    {"Label_Filtre_PasseBas", Shown::Caption, 18},
    {"Bouton_Sauvegarder", Shown::Caption, 19},
    {"Label_Nombre_Points", Shown::Caption, 20},
    {"Label_Port", Shown::Caption, 21},
    {"Label_Date_Mes", Shown::Caption, 22},
    {"Label_Medecin_No", Shown::Caption, 23},
    {"Label_Nom", Shown::Caption, 24},
    {"Label_Adresse", Shown::Caption, 25},
    {"Label_Tel", Shown::Caption, 26},
    {"Label_Fax", Shown::Caption, 27},
    {"Label_Num_Ordre", Shown::Caption, 28},
    {"Label_Repertoire", Shown::Caption, 29},
    {"Toolbar1_Bouton1", Shown::Tooltip, 57},
    {"Toolbar1_Bouton2", Shown::Tooltip, 58},
    {"Toolbar2_Bouton1", Shown::Tooltip, 59},
    {"Toolbar2_Bouton2", Shown::Tooltip, 60},
    {"Toolbar2_Bouton3", Shown::Tooltip, 61},
    {"Toolbar2_Bouton4", Shown::Tooltip, 62},
    {"Label_Langue", Shown::Caption, 67},
    {"Bouton_Geler", Shown::Tooltip, 63},
    {"Bouton_Relancer", Shown::Tooltip, 64},
    {"Bouton_Imprimer_Courbe_Acquisition", Shown::Tooltip, 65},
    {"Bouton_Quitter", Shown::Tooltip, 66},
};

QString shownText(const Echo& echo, const Entry& entry) {
    QObject* object = echo.findChild<QObject*>(QLatin1String(entry.name));
    if (!object) {
        ADD_FAILURE() << "no control named " << entry.name;
        return QStringLiteral("<missing>");
    }
    if (entry.shown == Shown::Tab)
        return qobject_cast<QTabWidget*>(object)->tabText(entry.tab);
    if (auto* action = qobject_cast<QAction*>(object))
        return entry.shown == Shown::Tooltip ? action->toolTip() : action->text();
    auto* widget = qobject_cast<QWidget*>(object);
    if (entry.shown == Shown::Tooltip)
        return widget->toolTip();
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* frame = qobject_cast<QGroupBox*>(object))
        return frame->title();
    ADD_FAILURE() << entry.name << " has no caption";
    return {};
}

QString describe(const Entry& entry) {
    return QStringLiteral("%1 (text %2)").arg(QLatin1String(entry.name)).arg(entry.number);
}

LanguesFile languesFile() {
    return readLanguesFile(QStringLiteral(CORVANTA_LANGUES_TSV));
}

// The texts the program's start-up puts into the lists before the window is translated.
void fillStartupLists(Echo& echo) {
    for (const char* points : {"50 points", "100 points", "200 points", "400 points"})
        echo.Combo1->addItem(QLatin1String(points));
    for (int port = 1; port <= 5; ++port)
        echo.Combo2->addItem(QStringLiteral("COM %1").arg(port));
}

// Every text of form 1 reads "T" and its number.
Libelles numberedTexts() {
    Libelles numbered;
    for (int n = 0; n < Libelles::kTexts; ++n)
        numbered.set(1, n, QStringLiteral("T%1").arg(n));
    return numbered;
}

TEST(EchoTexts, EveryTranslatedControlGetsItsTextEvenWhenEmpty) {
    test::Application();
    Etat_Application etat;
    Echo echo(etat);
    Libelles numbered = numberedTexts();
    numbered.set(4, 42, QStringLiteral("not for this window"));
    echo.Appliquer_Libelles(numbered);
    for (const Entry& entry : kTranslated)
        EXPECT_EQ(shownText(echo, entry), QStringLiteral("T%1").arg(entry.number))
            << describe(entry).toStdString();

    echo.Appliquer_Libelles(Libelles());
    for (const Entry& entry : kTranslated)
        EXPECT_EQ(shownText(echo, entry), QString()) << describe(entry).toStdString();
}

TEST(EchoTexts, UntranslatedControlsKeepTheirDesignTexts) {
    test::Application();
    Etat_Application etat;
    Echo echo(etat);
    echo.Appliquer_Libelles(numberedTexts());

    EXPECT_EQ(echo.Menu_Type_Examens->title(), QStringLiteral("Type"));
    EXPECT_EQ(echo.Bouton_Import->text(), QStringLiteral("Import"));
    EXPECT_EQ(echo.Label4[0]->text(), QStringLiteral("mm"));
    EXPECT_EQ(echo.Label4[1]->text(), QStringLiteral("%"));
    EXPECT_EQ(echo.Label4[2]->text(), QStringLiteral("mm"));
    ASSERT_EQ(echo.Combo3->count(), 2);
    EXPECT_EQ(echo.Combo3->itemText(0), QStringLiteral("Francais"));
    EXPECT_EQ(echo.Combo3->itemText(1), QStringLiteral("English"));
    ASSERT_EQ(echo.Combo_Format_Image->count(), 2);
    EXPECT_EQ(echo.Combo_Format_Image->itemText(0), QStringLiteral("Jpeg"));
    EXPECT_EQ(echo.Combo_Format_Image->itemText(1), QStringLiteral("Bmp"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(echo.Toolbar3_Boutons[i]->text(), QString::number(i + 1));
    EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta"));
}

TEST(LanguageFile, IsWellFormedAndHoldsEveryTextOfTheMainWindowInBothLanguages) {
    const LanguesFile file = languesFile();
    EXPECT_TRUE(file.errors.isEmpty()) << file.errors.join(u'\n').toStdString();

    QSet<int> seen;
    QMap<int, const LangueRow*> form1;
    for (const LangueRow& row : file.rows) {
        const int key = row.form * 1000 + row.label;
        EXPECT_FALSE(seen.contains(key))
            << "text " << row.form << "," << row.label << " twice (line " << row.line << ")";
        seen.insert(key);
        if (row.form == 1)
            form1.insert(row.label, &row);
    }
    QList<int> needed;
    for (int n = 1; n <= 52; ++n)
        needed << n;
    for (int n = 55; n <= 76; ++n)
        needed << n;
    needed << 80 << 81 << 83;
    for (int n : needed) {
        ASSERT_TRUE(form1.contains(n)) << "text 1," << n << " missing";
        EXPECT_FALSE(form1[n]->francais.isEmpty()) << "French text 1," << n << " empty";
        EXPECT_FALSE(form1[n]->anglais.isEmpty()) << "English text 1," << n << " empty";
    }
    for (int n : {42, 43, 44})
        EXPECT_TRUE(seen.contains(4000 + n)) << "text 4," << n << " missing";
}

// The French texts are the window's own design captions: a typo in either shows here.
TEST(LanguageFile, FrenchTextsMatchTheDesignCaptions) {
    test::Application();
    Etat_Application etat;
    const Echo design(etat);
    Libelles french;
    fillLibelles(languesFile(), QStringLiteral("Francais"), french);
    // These two share their text with a tab whose design caption differs from theirs.
    const QSet<QString> sharing = {QStringLiteral("Label_Zones_Sensibles"),
                                   QStringLiteral("Frame_Patient")};
    for (const Entry& entry : kTranslated) {
        if (entry.shown == Shown::Tooltip || sharing.contains(QLatin1String(entry.name)))
            continue;
        EXPECT_EQ(french(1, entry.number), shownText(design, entry))
            << describe(entry).toStdString();
    }
}

void expectFits(const QWidget& widget, QSize needed, const QString& what) {
    EXPECT_LE(needed.width(), widget.width())
        << widget.objectName().toStdString() << ": " << what.toStdString() << " is clipped";
    EXPECT_LE(needed.height(), widget.height())
        << widget.objectName().toStdString() << ": " << what.toStdString() << " is clipped";
}

void expectLineFits(const QListWidget& list, const QString& line) {
    const int needed = list.fontMetrics().horizontalAdvance(line) + 8;
    EXPECT_LE(needed, list.contentsRect().width())
        << list.objectName().toStdString() << ": \"" << line.toStdString() << "\" is clipped";
}

class EchoTextsFit : public ::testing::TestWithParam<const char*> {};

TEST_P(EchoTextsFit, NoTextIsClipped) {
    test::Application();
    Libelles libelle;
    fillLibelles(languesFile(), QLatin1String(GetParam()), libelle);
    Etat_Application etat;
    Echo echo(etat);
    fillStartupLists(echo);
    echo.Appliquer_Libelles(libelle);
    echo.Label_Nbre_Points[0]->setText(libelle(1, 30));
    echo.Label_Nbre_Points[1]->setText(libelle(1, 31));
    echo.show();
    QApplication::processEvents();

    for (QLabel* label : echo.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&echo) || label->text().isEmpty())
            continue;
        expectFits(*label, label->sizeHint(), label->text());
    }
    for (QAbstractButton* button : echo.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&echo) || button->text().isEmpty())
            continue;
        if (qobject_cast<QToolBar*>(button->parentWidget()))
            continue;
        expectFits(*button, button->sizeHint(), button->text());
    }
    for (QGroupBox* frame : echo.findChildren<QGroupBox*>())
        expectFits(*frame, QSize(frame->fontMetrics().horizontalAdvance(frame->title()) + 20, 0),
                   frame->title());
    for (QComboBox* combo : {echo.Combo1, echo.Combo2, echo.Combo3, echo.Combo_Format_Image})
        expectFits(*combo, combo->sizeHint(), combo->itemText(0));
    EXPECT_LE(echo.SSTab1->tabBar()->sizeHint().width(), echo.SSTab1->width()) << "tabs";
    EXPECT_LE(echo.menuBar()->sizeHint().width(), echo.width()) << "menu bar";

    // The longest zone lines, in both their forms, and a stored curve's label.
    const QString endings =
        QStringLiteral(" ") + libelle(1, 55) + QStringLiteral(" ") + libelle(1, 56);
    expectLineFits(*echo.List2, QStringLiteral("Zone 4 : de 35 à 50 mm - 100 %") + endings);
    expectLineFits(*echo.List2, libelle(1, 33) + QStringLiteral(" 4 : ") + libelle(1, 34) +
                                    QStringLiteral(" 35 ") + libelle(1, 35) +
                                    QStringLiteral(" 50 mm - 100 %") + endings);
    for (int side : {80, 81})
        expectLineFits(*echo.List1, QStringLiteral("28/12/2004 à 14:32:05 ") + libelle(1, side));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, EchoTextsFit, ::testing::Values("Francais", "English"));

}  // namespace
}  // namespace corvanta
