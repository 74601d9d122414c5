#include "app/requetes.h"

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

}  // namespace corvanta
