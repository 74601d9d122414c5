#pragma once

#include <QFile>
#include <cstdlib>
#include <iostream>

#include "tests/support/workstation.h"
#include "tools/make_big_database/big_database.h"

namespace corvanta::bench {

// The started workstation of the tests (no device, the program's exam windows) on a copy
// of the benchmarks' large database, with its usual or its realistic names, for the
// benchmarks that drive its windows.
struct LargeDatabaseWorkstation : test::Workstation {
    explicit LargeDatabaseWorkstation(bool realisticNames = false)
        : test::Workstation(withoutDatabase()) {
        const QString database =
            tools::benchmarkDatabase(tools::BigDatabaseSize{}.patients, realisticNames);
        if (!QFile::copy(database, dossier.base())) {
            std::cerr << "cannot copy the large database\n";
            std::exit(1);
        }
        demarrer();
    }
};

}  // namespace corvanta::bench
