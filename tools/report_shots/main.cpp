// Runs the program as it starts, without a screen, and presses one toolbar button of one
// exam window on one exam. Usage, in a folder holding "Sinus.mdb":
//   report_shots --type T --exam K --press B
// Switches to exam type T as the type menu does, opens the exam window through the exam
// menu, shows the exam whose Code_Examen is K through its list line, presses toolbar
// button B (8 print, 9 export), answers every message box with its default button and
// prints "BOX: <title> | <text>" for each, then leaves through the program's own exit
// (settings written). Exit status 0 unless the start-up failed.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
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
    for (const char* name : {"type", "exam", "press"})
        options.addOption(
            {QString::fromLatin1(name), QString::fromLatin1(name), QStringLiteral("n")});
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
    if (type >= 0 && type < 5)
        menus[static_cast<std::size_t>(type)]->trigger();
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
