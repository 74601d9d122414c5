#include "bench/examens/programme_examens.h"

#include <QCoreApplication>
#include <iostream>

#include "exams/examen_plevre.h"
#include "exams/examen_tumeur.h"

namespace corvanta::bench {

Programme_Examens::Programme_Examens(QAction* Echo::*menu, bool noms_realistes)
    : LargeDatabaseWorkstation(noms_realistes) {
    (echo.get()->*menu)->trigger();
    echo->Menu_Gestion_Examens->trigger();
    QCoreApplication::processEvents();
}

void Programme_Examens::Fermer_Fenetre(QAction* Echo::*menu) {
    (echo.get()->*menu)->trigger();
    for (Fenetre_Examen* fenetre : {static_cast<Fenetre_Examen*>(examen_ouvert<Examen_Sinus>()),
                                    static_cast<Fenetre_Examen*>(examen_ouvert<Examen_Plevre>()),
                                    static_cast<Fenetre_Examen*>(examen_ouvert<Examen_Tumeur>())}) {
        if (fenetre != nullptr && fenetre->isVisible())
            fenetre->close();
    }
    // A window that closing destroys goes.
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
