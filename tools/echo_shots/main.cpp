// Shows the main window (or the wait window) with the interface texts of one language and
// saves a picture of it. Usage:
//   echo_shots [--language Francais|English] [--tab 0..3] [--attente] [--out FILE.png]
//              [--wait-ms N]
// --wait-ms keeps the window on screen that long after the picture is taken, so that a
// screen grabber can take the real window too.
#include <QApplication>
#include <QCommandLineParser>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "app/libelle.h"
#include "main_window/attente.h"
#include "main_window/echo.h"
#include "tools/echo_shots/langues_tsv.h"
#include "tools/echo_shots/sample_content.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));

    QCommandLineParser options;
    options.addOption({QStringLiteral("language"), QStringLiteral("Francais or English"),
                       QStringLiteral("language"), QStringLiteral("Francais")});
    options.addOption({QStringLiteral("tab"), QStringLiteral("page shown"), QStringLiteral("tab"),
                       QStringLiteral("0")});
    options.addOption({QStringLiteral("attente"), QStringLiteral("show the wait window")});
    options.addOption({QStringLiteral("out"), QStringLiteral("picture file"),
                       QStringLiteral("file"), QStringLiteral("echo.png")});
    options.addOption({QStringLiteral("wait-ms"), QStringLiteral("time on screen"),
                       QStringLiteral("ms"), QStringLiteral("0")});
    options.process(application);

    const corvanta::LanguesFile texts =
        corvanta::readLanguesFile(QStringLiteral(CORVANTA_LANGUES_TSV));
    for (const QString& error : texts.errors)
        std::fprintf(stderr, "%s\n", qPrintable(error));
    if (!texts.errors.isEmpty())
        return 1;
    corvanta::Libelles libelle;
    corvanta::fillLibelles(texts, options.value(QStringLiteral("language")), libelle);

    std::unique_ptr<QWidget> window;
    if (options.isSet(QStringLiteral("attente"))) {
        window = std::make_unique<corvanta::Attente>();
    } else {
        static corvanta::Etat_Application etat;
        auto echo = std::make_unique<corvanta::Echo>(etat);
        echo->Appliquer_Libelles(libelle);
        corvanta::fillSampleContent(*echo, libelle);
        echo->SSTab1->setCurrentIndex(options.value(QStringLiteral("tab")).toInt());
        window = std::move(echo);
    }
    window->show();
    QTimer::singleShot(300, [&] {
        const QString out = options.value(QStringLiteral("out"));
        if (!window->grab().save(out)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            QApplication::exit(1);
            return;
        }
        QTimer::singleShot(options.value(QStringLiteral("wait-ms")).toInt(), &application,
                           &QApplication::quit);
    });
    return QApplication::exec();
}
