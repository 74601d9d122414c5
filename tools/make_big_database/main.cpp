// make_big_database [--patients N] OUT.mdb [FRESH.mdb]: a database of N patients (100,000
// unless told), five curves and one exam each, for the benchmarks, made from the fresh
// database the build writes.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "platform/error.h"
#include "tools/make_big_database/big_database.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: make_big_database [--patients N] OUT.mdb [FRESH.mdb]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    corvanta::tools::BigDatabaseSize size;
    if (!arguments.isEmpty() && arguments.front() == QStringLiteral("--patients")) {
        bool number = false;
        size.patients = arguments.value(1).toInt(&number);
        if (!number || size.patients < 1)
            return usage();
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 1 && arguments.size() != 2)
        return usage();
    const QString fresh = arguments.size() == 2
                              ? arguments[1]
                              : QCoreApplication::applicationDirPath() + "/../data/Sinus.mdb";
    try {
        corvanta::tools::makeBigDatabase(fresh, arguments[0], size);
    } catch (const corvanta::Error& e) {
        std::fprintf(stderr, "make_big_database: %s\n", e.what());
        return 1;
    }
    return 0;
}
