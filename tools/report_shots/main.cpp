// Runs the program as it starts, without a screen, and presses one print or export button.
// Usage, in a folder holding "Sinus.mdb":
//   report_shots --type T --exam K --press B
//   report_shots [--type T] --curve ID --press-print
//   report_shots [--type T] --press-print-live
// Switches to exam type T as the type menu does. The first form opens the exam window
// through the exam menu, shows the exam whose Code_Examen is K through its list line and
// presses toolbar button B (8 print, 9 export). The second chooses the curve's patient in
// the main window's name list, selects the stored curve ID among his curves of the type
// and presses the stored curves' print button; the third presses the print button of the
// live view. Every message box is answered with its default button and printed as
// "BOX: <title> | <text>"; the program then leaves through its own exit (settings
// written). Exit status 0 unless the start-up failed.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <iostream>

#include "exams/fenetre_examen.h"
#include "exams/fenetres_examen_corvanta.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/error.h"
#include "platform/recordset.h"

namespace {

using corvanta::Fenetre_Examen;

// Presses the default button of every message box, as a user pressing Return would.
void answerBoxes() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr)
        return;
    std::printf("BOX: %s | %s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
    std::fflush(stdout);
    QAbstractButton* button = box->defaultButton();
    for (QAbstractButton* b : box->buttons()) {
        if (button == nullptr && box->buttonRole(b) == QMessageBox::AcceptRole)
            button = b;
    }
    if (button != nullptr)
        button->click();
    else
        box->accept();
}

void letEventsRun(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    } while (clock.elapsed() < milliseconds);
}

Fenetre_Examen* shownExamWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* exam = dynamic_cast<Fenetre_Examen*>(window);
        if (exam != nullptr && exam->isVisible())
            return exam;
    }
    return nullptr;
}

// Chooses the list line of exam `key`: lines follow the rows of the exams recordset.
void showExam(corvanta::Etat_Application& etat, Fenetre_Examen& window, std::int64_t key) {
    corvanta::platform::Recordset& exams = *etat.Table_Examens;
    if (!exams.moveToKey(key)) {
        std::cerr << "report_shots: exam " << key << " is not in the list\n";
        return;
    }
    window.Liste_Examens->setCurrentRow(exams.absolutePosition());
}

// Makes the curve's patient current through the name list, then selects the curve's line.
bool selectCurve(corvanta::Etat_Application& etat, corvanta::Echo& echo, std::int64_t curve) {
    const auto owner = etat.Base_Donnees->openRecordset(
        QStringLiteral("SELECT Code_Patient FROM Courbes WHERE ID = ?"), {curve});
    if (owner->recordCount() == 0) {
        std::cerr << "report_shots: there is no curve " << curve << '\n';
        return false;
    }
    owner->moveFirst();
    echo.Liste_Nom->setCurrentIndex(
        echo.Liste_Nom->findData(static_cast<qlonglong>(owner->field(0).toInt64())));
    letEventsRun(20);
    for (int line = 0; line < echo.List1->count(); ++line) {
        if (echo.List1->item(line)->data(Qt::UserRole).toLongLong() == curve) {
            echo.List1->setCurrentRow(line);
            letEventsRun(20);
            return true;
        }
    }
    std::cerr << "report_shots: curve " << curve << " is not listed for this exam type\n";
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    corvanta::Installer_Fenetres_Examen();
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Corvanta"));
    application.setFont(QFont(QStringLiteral("Liberation Sans"), 8));

    QCommandLineParser options;
    options.addHelpOption();
    for (const char* name : {"type", "exam", "press", "curve"})
        options.addOption(
            {QString::fromLatin1(name), QString::fromLatin1(name), QStringLiteral("n")});
    options.addOption({QStringLiteral("press-print"), QStringLiteral("print the stored curve")});
    options.addOption({QStringLiteral("press-print-live"), QStringLiteral("print the live view")});
    options.process(application);
    const int type = options.value(QStringLiteral("type")).toInt();
    const std::int64_t exam = options.value(QStringLiteral("exam")).toLongLong();
    const int press = options.value(QStringLiteral("press")).toInt();

    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, &answerBoxes);
    boxes.start(5);

    corvanta::Etat_Application etat;
    corvanta::Echo echo(etat);
    try {
        echo.Form_Load();
    } catch (const corvanta::Error& error) {
        std::cerr << "report_shots: Corvanta cannot start: " << error.what() << '\n';
        return 1;
    }
    echo.show();
    letEventsRun(20);

    const std::array<QAction*, 5> menus{echo.Menu_Sinus_Maxillaires, echo.Menu_Sinus_Frontaux,
                                        echo.Menu_Plevre, echo.Menu_Tumeur, echo.Menu_Cellules};
    if (options.isSet(QStringLiteral("type")) && type >= 0 && type < 5)
        menus[static_cast<std::size_t>(type)]->trigger();
    letEventsRun(20);
    if (options.isSet(QStringLiteral("press-print-live"))) {
        echo.Bouton_Imprimer_Courbe_Acquisition->click();
        letEventsRun(20);
        echo.Sortie();
        return 0;
    }
    if (options.isSet(QStringLiteral("press-print"))) {
        if (selectCurve(etat, echo, options.value(QStringLiteral("curve")).toLongLong()))
            echo.Toolbar2_Boutons[3]->trigger();
        letEventsRun(20);
        echo.Sortie();
        return 0;
    }
    echo.Menu_Gestion_Examens->trigger();
    letEventsRun(50);  // the window's start timer shows its first exam
    Fenetre_Examen* window = shownExamWindow();
    if (window == nullptr) {
        std::cerr << "report_shots: no exam window serves type " << type << '\n';
    } else {
        showExam(etat, *window, exam);
        letEventsRun(20);
        if (press >= 1 && press <= Fenetre_Examen::kNombre_Boutons)
            window->Toolbar1_Boutons[static_cast<std::size_t>(press - 1)]->trigger();
        letEventsRun(20);
    }
    echo.Sortie();
    return 0;
}
