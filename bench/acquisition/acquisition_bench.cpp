// Acquisition speed through the whole receive path: the real main window on a
// pseudo-terminal served by the device simulator (a process of its own, so that the
// program's CPU time is its alone). Two runs: the device at full speed (frames of 400
// points received, checked, filtered and drawn each second), and at the pace of its
// 115200 baud line (share of one core the program uses).
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <cstdio>

#include "platform/serial_port.h"
#include "tests/support/workstation.h"

namespace {

double Temps_Processeur_S() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Mesure {
    double trames_par_s = 0;
    double part_coeur = 0;
};

Mesure Mesurer(const QString& simulateur, const QStringList& options, int duree_ms) {
    QProcess appareil;
    appareil.start(simulateur, options);
    if (!appareil.waitForReadyRead(5000)) {
        std::fprintf(stderr, "the device simulator did not start\n");
        std::exit(1);
    }
    const QString chemin = QString::fromLocal8Bit(appareil.readLine()).trimmed();

    corvanta::test::Workstation poste;
    poste.dossier.ecrire_reglage(QStringLiteral("PORTS"), QStringLiteral("COM1"), chemin);
    corvanta::Echo& echo = poste.fenetre();
    echo.Form_Load();
    echo.show();
    long trames = 0;
    QObject::connect(&echo.PDQComm1(), &corvanta::platform::SerialPort::communicationEvent,
                     [&] { trames += echo.Trame.startsWith("HSE") ? 1 : 0; });

    // Settle, then measure.
    QEventLoop boucle;
    QTimer::singleShot(300, &boucle, &QEventLoop::quit);
    boucle.exec();
    trames = 0;
    QElapsedTimer chrono;
    chrono.start();
    const double processeur = Temps_Processeur_S();
    QTimer::singleShot(duree_ms, &boucle, &QEventLoop::quit);
    boucle.exec();
    const double ecoule = static_cast<double>(chrono.elapsed()) / 1000.0;
    Mesure mesure{static_cast<double>(trames) / ecoule,
                  (Temps_Processeur_S() - processeur) / ecoule};

    echo.Fermer_Application();
    appareil.terminate();
    appareil.waitForFinished(2000);
    return mesure;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    corvanta::test::Application();
    // The working folder copies the database the build made, one level above bin/.
    if (qEnvironmentVariableIsEmpty("CORVANTA_BUILD_DIR"))
        qputenv("CORVANTA_BUILD_DIR",
                (QCoreApplication::applicationDirPath() + "/..").toLocal8Bit());
    const QString simulateur =
        QCoreApplication::applicationDirPath() + QStringLiteral("/device_simulator");
    const int duree_ms = argc > 1 ? std::atoi(argv[1]) : 5000;

    const Mesure rapide = Mesurer(simulateur, {}, duree_ms);
    std::printf("full speed:  %.0f frames of 400 points a second (target: at least 1000)\n",
                rapide.trames_par_s);
    const Mesure cadence = Mesurer(simulateur, {QStringLiteral("--real-pace")}, duree_ms);
    std::printf("line's pace: %.1f frames a second, %.2f %% of one core (target: under 5 %%)\n",
                cadence.trames_par_s, 100.0 * cadence.part_coeur);
    return 0;
}
