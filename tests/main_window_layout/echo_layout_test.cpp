// The main window's layout: its size, the live view, where the controls sit and the
// state of the controls as designed.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include "main_window/echo.h"
#include "tests/support/application_test.h"
#include "widgets/curve_view.h"

namespace corvanta {
namespace {

std::unique_ptr<Echo> shownEcho() {
    test::Application();
    static Etat_Application etat;
    auto echo = std::make_unique<Echo>(etat);
    echo->show();
    QApplication::processEvents();
    return echo;
}

TEST(EchoLayout, ClientAreaAndLiveViewHaveTheirSizes) {
    const auto echo = shownEcho();
    EXPECT_EQ(echo->centralWidget()->size(), QSize(792, 561));
    EXPECT_NE(echo->minimumSize(), echo->maximumSize()) << "the window is sizable";

    EXPECT_EQ(echo->Picture1->size(), QSize(697, 337));
    EXPECT_EQ(echo->Picture1->image().size(), QSize(697, 337));
    EXPECT_EQ(echo->Picture1->image().format(), QImage::Format_RGB32);
    EXPECT_EQ(echo->Picture1->image().pixel(348, 168), qRgb(0, 0, 0));
    EXPECT_EQ(echo->Picture1->parentWidget(), echo->Frame1);
    EXPECT_TRUE(echo->Picture2->isHidden());
    EXPECT_EQ(echo->Picture2->parentWidget(), echo->Frame1);
    EXPECT_TRUE(echo->Picture1->geometry().contains(echo->Picture2->geometry()))
        << "the preview is an inset over the live view";

    const QRect screen = echo->screen()->availableGeometry();
    // Placed before it shows, when the size of the window frame is not known yet.
    EXPECT_LE((echo->frameGeometry().center() - screen.center()).manhattanLength(), 4);
}

void expectPlacedCleanly(const Echo& echo) {
    for (QWidget* widget : echo.findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_"))
            continue;
        if (widget->isWindow() || !widget->isVisibleTo(&echo))
            continue;
        const QWidget* parent = widget->parentWidget();
        EXPECT_TRUE(parent->rect().contains(widget->geometry()))
            << widget->objectName().toStdString() << " reaches outside "
            << parent->objectName().toStdString();
        if (parent == echo.Frame1)
            continue;  // the scales frame the view by design
        for (QObject* other : parent->children()) {
            auto* sibling = qobject_cast<QWidget*>(other);
            if (!sibling || sibling <= widget || sibling->objectName().isEmpty() ||
                !sibling->isVisibleTo(&echo))
                continue;
            EXPECT_FALSE(widget->geometry().intersects(sibling->geometry()))
                << widget->objectName().toStdString() << " overlaps "
                << sibling->objectName().toStdString();
        }
    }
}

// A control reaching past its container or covering another one is partly hidden.
TEST(EchoLayout, ControlsStayInsideTheirContainersAndDoNotOverlap) {
    const auto echo = shownEcho();
    for (int page = 0; page < echo->SSTab1->count(); ++page) {
        echo->SSTab1->setCurrentIndex(page);
        QApplication::processEvents();
        expectPlacedCleanly(*echo);
    }
}

TEST(EchoLayout, ControlArraysAreNamedByIndex) {
    test::Application();
    Etat_Application etat;
    Echo echo(etat);
    auto named = [&](const QString& name) { return echo.findChild<QObject*>(name); };
    auto same = [](QObject* found, QObject* member) { return found == member; };
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(same(named(QStringLiteral("Check1_%1").arg(i)), echo.Check1[i]));
        EXPECT_TRUE(same(named(QStringLiteral("Shape1_%1").arg(i)), echo.Shape1[i]));
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(same(named(QStringLiteral("Slider1_%1").arg(i)), echo.Slider1[i]));
        EXPECT_TRUE(
            same(named(QStringLiteral("Label_Nbre_Points_%1").arg(i)), echo.Label_Nbre_Points[i]));
        EXPECT_TRUE(same(named(QStringLiteral("Check_Action_%1").arg(i)), echo.Check_Action[i]));
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(same(named(QStringLiteral("Texte_Seuils_%1").arg(i)), echo.Texte_Seuils[i]));
        EXPECT_TRUE(same(named(QStringLiteral("Label4_%1").arg(i)), echo.Label4[i]));
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(same(named(QStringLiteral("Picture5_%1").arg(i)), echo.Picture5[i]));
    for (const char* name : {"Picture1",
                             "Picture2",
                             "Picture3",
                             "Picture4",
                             "Liste_Nom",
                             "Text1",
                             "List1",
                             "List2",
                             "Commentaire_Courbe",
                             "Combo1",
                             "Combo2",
                             "Combo3",
                             "Combo_Format_Image",
                             "Date_MES",
                             "Chemin",
                             "Bouton_Chemin",
                             "Bouton_Import",
                             "Texte_Nom_Medecin",
                             "Texte_Adresse1_Medecin",
                             "Texte_Adresse2_Medecin",
                             "Texte_Tel_Medecin",
                             "Texte_Fax_Medecin",
                             "Texte_Inscription_Medecin",
                             "Toolbar1",
                             "Toolbar2",
                             "Toolbar3",
                             "Menu_Type_Examens",
                             "LabelTag",
                             "Timer1",
                             "Timer2",
                             "Frame1"})
        EXPECT_NE(named(QLatin1String(name)), nullptr) << name;
}

TEST(EchoLayout, ControlsStartInTheirDesignState) {
    test::Application();
    Etat_Application etat;
    Echo echo(etat);
    const QRgb slotColours[] = {qRgb(255, 0, 0), qRgb(255, 192, 255), qRgb(255, 255, 0),
                                qRgb(0, 0, 255), qRgb(255, 0, 255)};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(echo.Shape1[i]->palette().color(QPalette::Window).rgb(), slotColours[i]) << i;
        EXPECT_FALSE(echo.Check1[i]->isChecked());
        EXPECT_TRUE(echo.Check1[i]->text().isEmpty());
    }
    for (QSlider* slider : echo.Slider1) {
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), 5);
        EXPECT_EQ(slider->singleStep(), 1);
        EXPECT_NE(slider->tickPosition(), QSlider::NoTicks);
    }
    EXPECT_TRUE(echo.Combo_Format_Image->isEditable());
    EXPECT_EQ(echo.Combo_Format_Image->insertPolicy(), QComboBox::NoInsert);
    for (QComboBox* list : {echo.Combo1, echo.Combo2, echo.Combo3, echo.Liste_Nom})
        EXPECT_FALSE(list->isEditable()) << list->objectName().toStdString();
    EXPECT_EQ(echo.Combo3->currentIndex(), -1) << "start-up makes the choice";

    EXPECT_TRUE(echo.Toolbar1_Boutons[0]->isChecked());
    echo.Toolbar1_Boutons[1]->trigger();
    EXPECT_FALSE(echo.Toolbar1_Boutons[0]->isChecked()) << "the side buttons form a group";
    EXPECT_TRUE(echo.Toolbar2_Boutons[0]->isCheckable());
    EXPECT_FALSE(echo.Toolbar2_Boutons[0]->isChecked());
    for (int i = 1; i < 4; ++i)
        EXPECT_FALSE(echo.Toolbar2_Boutons[i]->isCheckable());
    echo.Toolbar3_Boutons[2]->trigger();
    EXPECT_FALSE(echo.Toolbar3_Boutons[0]->isChecked()) << "the doctor buttons form a group";

    QStringList menuBar;
    for (QAction* action : echo.menuBar()->actions())
        menuBar << action->text();
    EXPECT_EQ(menuBar, QStringList({"Patients", "Examens", "Type", "Quitter"}));
    const QList<QAction*> types = echo.Menu_Type_Examens->actions();
    const QList<QAction*> expected = {echo.Menu_Sinus_Maxillaires, echo.Menu_Sinus_Frontaux,
                                      echo.Menu_Cellules, echo.Menu_Plevre, echo.Menu_Tumeur};
    EXPECT_EQ(types, expected);
    for (QAction* type : types)
        EXPECT_EQ(type->isChecked(), type == echo.Menu_Sinus_Maxillaires);
    for (QAction* action : echo.findChildren<QAction*>())
        EXPECT_TRUE(action->shortcut().isEmpty());

    EXPECT_EQ(echo.Timer2->interval(), 300);
    EXPECT_FALSE(echo.Timer1->isActive());
    EXPECT_FALSE(echo.Timer2->isActive());
    EXPECT_TRUE(echo.Picture5[0]->isHidden());
    EXPECT_EQ(echo.Picture5[0]->size(), QSize(25, 29));
}

TEST(CurveView, RepaintAsksTheOwnerToDrawFirst) {
    test::Application();
    QWidget parent;
    CurveView view(QSize(40, 20), &parent);
    int requests = 0;
    view.paintRequested = [&] {
        ++requests;
        view.image().fill(qRgb(255, 192, 128));
    };
    const QImage shown = view.grab().toImage();
    EXPECT_GE(requests, 1);
    EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 192, 128));
    EXPECT_EQ(shown.pixel(39, 19), qRgb(255, 192, 128));
}

}  // namespace
}  // namespace corvanta
