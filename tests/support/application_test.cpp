#include "tests/support/application_test.h"

#include <QFont>

namespace corvanta::test {

QApplication& Application() {
    static int argc = 1;
    static char nom[] = "corvanta_test";
    static char* argv[] = {nom, nullptr};
    // Never destroyed: Qt's own statics (test input devices among them) outlive it.
    static QApplication& application = *new QApplication(argc, argv);
    static const bool police = [] {
        QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
        return true;
    }();
    (void)police;
    return application;
}

}  // namespace corvanta::test
