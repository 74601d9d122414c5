#include "app/requetes.h"

#include <QRegularExpression>

#include "platform/sql_functions.h"

namespace corvanta {

namespace {

// The accented letters the name key folds itself, lower and upper case in one order. At
// most twenty: each is a nested replace(), and the engine's parser takes only so many.
const QString kMinuscules = QStringLiteral("àâäæçéèêëîïôöœùûüÿ");
const QString kMajuscules = QStringLiteral("ÀÂÄÆÇÉÈÊËÎÏÔÖŒÙÛÜŸ");

QString Texte_Sql(const QString& texte) {
    return u'\'' + texte + u'\'';
}

// `expression` with each of `lettres` replaced by its folded letters.
QString Remplacer_Lettres(QString expression, const QString& lettres) {
    for (const QChar lettre : lettres) {
        expression = QStringLiteral("replace(") + expression + u',' + Texte_Sql(lettre) + u',' +
                     Texte_Sql(platform::frenchFolded(lettre)) + u')';
    }
    return expression;
}

// The folded first character of `colonne`, one of kMajuscules.
QString Initiale_Pliee(const QString& colonne) {
    QString cas = QStringLiteral("CASE substr(%1, 1, 1)").arg(colonne);
    for (const QChar lettre : kMajuscules) {
        cas += QStringLiteral(" WHEN ") + Texte_Sql(lettre) + QStringLiteral(" THEN ") +
               Texte_Sql(platform::frenchFolded(lettre));
    }
    return cas + QStringLiteral(" END");
}

QString Cles_Et_Noms() {
    return Cle_Ordre_Nom(QStringLiteral("Nom_Patient")) + QStringLiteral(", Nom_Patient, ") +
           Cle_Ordre_Nom(QStringLiteral("Prenom_Patient")) + QStringLiteral(", Prenom_Patient");
}

}  // namespace

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

QString Cle_Ordre_Nom(const QString& colonne) {
    const QString& x = colonne;
    // Printable ASCII, then with the lower-case accents, then with the capitals, then an
    // accented capital followed by lower-case accents: each tested by GLOB, which stops at
    // a NUL byte, hence the NUL test first.
    return QStringLiteral(
               "CASE WHEN %1 IS NULL THEN NULL"
               " WHEN typeof(%1) <> 'text' OR instr(%1, char(0)) THEN 0"
               " WHEN NOT %1 GLOB '*[^ -~]*' THEN lower(%1)")
               .arg(x) +
           QStringLiteral(" WHEN NOT %1 GLOB '*[^ -~%2]*' THEN lower(").arg(x, kMinuscules) +
           Remplacer_Lettres(x, kMinuscules) +
           QStringLiteral(") WHEN NOT %1 GLOB '*[^ -~%2]*' THEN lower(").arg(x, kMajuscules) +
           Remplacer_Lettres(x, kMajuscules) +
           QStringLiteral(") WHEN %1 GLOB '[%2]*' AND NOT %1 GLOB '?*[^ -~%3]*' THEN ")
               .arg(x, kMajuscules, kMinuscules) +
           Initiale_Pliee(x) + QStringLiteral(" || lower(") +
           Remplacer_Lettres(QStringLiteral("substr(%1, 2)").arg(x), kMinuscules) +
           QStringLiteral(") ELSE 0 END");
}

QString Nom_Index_Ordre_Noms() {
    return QStringLiteral("Patients_Ordre_Noms");
}

QString Creation_Index_Ordre_Noms() {
    return QStringLiteral("CREATE INDEX ") + Nom_Index_Ordre_Noms() +
           QStringLiteral(" ON Patients (") + Cles_Et_Noms() + u')';
}

platform::MembershipPlan Plan_Patients_Ordonnes() {
    const QString nom = Cle_Ordre_Nom(QStringLiteral("Nom_Patient"));
    const QString prenom = Cle_Ordre_Nom(QStringLiteral("Prenom_Patient"));
    return {QStringLiteral("SELECT Code_Patient, Nom_Patient, Prenom_Patient, (") + nom +
                QStringLiteral(") IS 0 OR (") + prenom +
                QStringLiteral(") IS 0 FROM Patients ORDER BY ") + Cles_Et_Noms() +
                QStringLiteral(", Code_Patient"),
            2};
}

platform::MembershipPlan Plan_Patients_Tries(const QString& filtre) {
    return {QStringLiteral("SELECT Code_Patient, Nom_Patient, Prenom_Patient, 1 FROM Patients ") +
                filtre,
            2};
}

}  // namespace corvanta
