#include "app/traduction_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <iostream>

namespace corvanta {

std::unique_ptr<QTranslator> Traduire_Qt(const QString& colonne) {
    if (colonne != QStringLiteral("Francais"))
        return nullptr;
    auto traduction = std::make_unique<QTranslator>();
    const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!traduction->load(QStringLiteral("qtbase_fr"), dossier)) {
        std::cerr << "Corvanta: Qt's French texts (qtbase_fr.qm) are missing from "
                  << dossier.toStdString() << "; standard buttons stay in English.\n";
        return nullptr;
    }
    QCoreApplication::installTranslator(traduction.get());
    return traduction;
}

}  // namespace corvanta
