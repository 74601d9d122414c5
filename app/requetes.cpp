#include "app/requetes.h"

#include <QRegularExpression>

namespace corvanta {

QString Ordre_Noms() {
    return QStringLiteral("Nom_Patient COLLATE FRENCH, Prenom_Patient COLLATE FRENCH");
}

QString Requete_Patients() {
    return QStringLiteral("SELECT * FROM Patients ORDER BY ") + Ordre_Noms();
}

QString Requete_Examens(int type) {
    return QStringLiteral("SELECT * FROM Req_Examens_%1 ORDER BY ").arg(type) + Ordre_Noms() +
           QStringLiteral(", CAST(Num_Examen AS INTEGER), Num_Examen, Code_Examen");
}

QString Requete_Lignes_Examens(const QString& source) {
    QString lecture = QStringLiteral(
        "SELECT Code_Examen + 0, Nom_Patient, Prenom_Patient, "
        "Num_Examen FROM ");
    for (int type = 0; type <= 4; ++type) {
        // The saved query of a type is this view's rows of that type.
        if (source == Requete_Examens(type))
            return lecture + QStringLiteral("Examens_Complets WHERE Code_Type = %1").arg(type);
    }
    const bool nom = QRegularExpression(QStringLiteral("^\\w+$")).match(source).hasMatch();
    return lecture + (nom ? QStringLiteral("\"") + source + QStringLiteral("\"")
                          : QStringLiteral("(") + source + QStringLiteral(")"));
}

}  // namespace corvanta
