#pragma once

#include <QFile>
#include <cstdlib>
#include <iostream>

#include "tests/support/workstation.h"
#include "tools/make_big_database/big_database.h"

namespace corvanta::bench {

// The started workstation of the tests (no device, the program's exam windows) on a copy
// of the benchmarks' large database, for the benchmarks that drive its windows.
struct LargeDatabaseWorkstation : test::Workstation {
    LargeDatabaseWorkstation() : test::Workstation(withoutDatabase()) {
        if (!QFile::copy(tools::benchmarkDatabase(), dossier.base())) {
            std::cerr << "cannot copy the large database\n";
            std::exit(1);
        }
        demarrer();
    }
};

}  // namespace corvanta::bench
