#pragma once

#include <benchmark/benchmark.h>

#include <QAction>

#include "bench/support/large_database_workstation.h"
#include "exams/fenetres_examen_corvanta.h"

namespace corvanta::bench {

// One started program on a copy of the large clinic database (100,000 patients, 500,000
// curves, 100,000 exams, 20,000 of each type; its usual or its realistic names), switched
// to the exam type of `menu` with that type's exam window open.
struct Programme_Examens : LargeDatabaseWorkstation {
    explicit Programme_Examens(QAction* Echo::*menu, bool noms_realistes = false);

    template <class F>
    F& fenetre() const {
        return *examen_ouvert<F>();
    }
    // Switches to the exam type of `menu` (which closes the exam windows that do not serve
    // it) and closes the exam window left open, so that the next opening makes it anew.
    void Fermer_Fenetre(QAction* Echo::*menu);
    // Fails `state` when a message box came up since `avant` boxes had been shown.
    void Sans_Message(benchmark::State& state, std::size_t avant) const;
};

}  // namespace corvanta::bench
