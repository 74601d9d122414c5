// make_big_database OUT.mdb [FRESH.mdb]: a database of 100,000 patients, 500,000 curves and
// 100,000 exams for the benchmarks, made from the fresh database the build writes.
#include <QCoreApplication>
#include <cstdio>

#include "platform/error.h"
#include "tools/make_big_database/big_database.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_big_database OUT.mdb [FRESH.mdb]\n");
        return 2;
    }
    QCoreApplication application(argc, argv);
    const QString fresh = argc == 3 ? QString::fromLocal8Bit(argv[2])
                                    : QCoreApplication::applicationDirPath() + "/../data/Sinus.mdb";
    try {
        corvanta::tools::makeBigDatabase(fresh, QString::fromLocal8Bit(argv[1]));
    } catch (const corvanta::Error& e) {
        std::fprintf(stderr, "make_big_database: %s\n", e.what());
        return 1;
    }
    return 0;
}
