#include "bench/examens/programme_examens.h"

#include <QCoreApplication>
#include <iostream>

namespace corvanta::bench {

Programme_Examens::Programme_Examens(QAction* Echo::*menu) {
    (echo.get()->*menu)->trigger();
    echo->Menu_Gestion_Examens->trigger();
    QCoreApplication::processEvents();
}

void Programme_Examens::Sans_Message(benchmark::State& state, std::size_t avant) const {
    if (messages.boites.size() == avant)
        return;
    const auto& boite = messages.boites.back();
    std::cerr << (boite.titre + QStringLiteral(": ") + boite.texte).toStdString() << '\n';
    state.SkipWithError("a message box was shown");
}

}  // namespace corvanta::bench
