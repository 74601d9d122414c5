#include "tests/support/captures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

namespace corvanta::test {

void Pause_Capture() {
    const int pause = qEnvironmentVariableIntValue("CORVANTA_CAPTURE_PAUSE");
    QElapsedTimer minuterie;
    minuterie.start();
    do {
        QCoreApplication::processEvents();
    } while (minuterie.elapsed() < pause * 1000);
}

QString Dossier_Captures() {
    const QString dossier =
        QString::fromLocal8Bit(qgetenv("CORVANTA_BUILD_DIR")) + QStringLiteral("/captures");
    QDir().mkpath(dossier);
    return dossier;
}

}  // namespace corvanta::test
