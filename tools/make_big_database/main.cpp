// make_big_database [--patients N] [--realistic-names] OUT.mdb [FRESH.mdb]: a database for
// the benchmarks, made from the fresh database the build writes. --help, and any option it
// does not know, print the usage and write nothing.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "platform/error.h"
#include "tools/make_big_database/big_database.h"

namespace {

const char kUsage[] =
    "usage: make_big_database [--patients N] [--realistic-names] OUT.mdb [FRESH.mdb]\n"
    "Writes OUT.mdb, a copy of FRESH.mdb (the build's data/Sinus.mdb unless given) holding\n"
    "N patients (100,000 unless told), each with five curves and one exam.\n"
    "  --patients N        the number of patients (at least 1)\n"
    "  --realistic-names   tens of thousands of distinct surnames, accented and\n"
    "                      hyphenated, with realistic given names and towns\n"
    "  -h, --help          prints this text and writes nothing\n";

int usage(const char* problem = nullptr, const QString& argument = {}) {
    if (problem != nullptr)
        std::fprintf(stderr, "make_big_database: %s%s\n", problem, qPrintable(argument));
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    corvanta::tools::BigDatabaseSize size;
    QStringList files;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == QStringLiteral("--patients")) {
            bool number = false;
            size.patients = arguments.value(++i).toInt(&number);
            if (!number || size.patients < 1)
                return usage("--patients needs a number of at least 1");
        } else if (argument == QStringLiteral("--realistic-names")) {
            size.realisticNames = true;
        } else if (argument.startsWith(u'-')) {
            return usage("unknown option ", argument);
        } else {
            files << argument;
        }
    }
    if (files.size() != 1 && files.size() != 2)
        return usage("give the database to write, and optionally the fresh one to copy");
    const QString fresh = files.size() == 2
                              ? files[1]
                              : QCoreApplication::applicationDirPath() + "/../data/Sinus.mdb";
    try {
        corvanta::tools::makeBigDatabase(fresh, files[0], size);
    } catch (const corvanta::Error& e) {
        std::fprintf(stderr, "make_big_database: %s\n", e.what());
        return 1;
    }
    return 0;
}
