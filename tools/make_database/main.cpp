// make_database OUT.mdb SCHEMA.sql LANGUES.tsv: writes a fresh Corvanta database.
#include <QFile>
#include <cstdio>

#include "platform/error.h"
#include "tools/make_database/database_maker.h"

namespace {

QByteArray readAll(const char* path) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        throw corvanta::Error(
            0, "make_database",
            std::string("cannot read ") + path + ": " + file.errorString().toStdString());
    }
    return file.readAll();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_database OUT.mdb SCHEMA.sql LANGUES.tsv\n");
        return 2;
    }
    try {
        const QString schema = QString::fromUtf8(readAll(argv[2]));
        const auto texts =
            corvanta::tools::parseInterfaceTexts(readAll(argv[3]), QString::fromLocal8Bit(argv[3]));
        corvanta::tools::makeDatabase(QString::fromLocal8Bit(argv[1]), schema, texts);
    } catch (const corvanta::Error& e) {
        std::fprintf(stderr, "make_database: %s\n", e.what());
        return 1;
    }
    return 0;
}
