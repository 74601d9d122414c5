#include "tests/support/wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace corvanta::test {

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void runEvents(int ms) {
    waitUntil([] { return false; }, ms);
}

}  // namespace corvanta::test
