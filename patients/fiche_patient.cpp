#include "patients/fiche_patient.h"

#include "platform/sql_functions.h"

namespace corvanta {

namespace {

QString Ecrire_Date(std::int32_t aaaammjj) {
    const int annee = aaaammjj / 10000;
    const int mois = aaaammjj / 100 % 100;
    const int jour = aaaammjj % 100;
    return QStringLiteral("%1/%2/%3")
        .arg(jour, 2, 10, QLatin1Char('0'))
        .arg(mois, 2, 10, QLatin1Char('0'))
        .arg(annee, 4, 10, QLatin1Char('0'));
}

bool Tout_Chiffres(const QString& texte) {
    if (texte.isEmpty())
        return false;
    for (const QChar c : texte) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

}  // namespace

std::optional<QString> Date_Naissance_Stockee(const QString& saisie) {
    const auto valeur = platform::dateValue(saisie);
    if (!valeur)
        return std::nullopt;
    return Ecrire_Date(*valeur);
}

QString Date_Naissance_Affichee(const QString& stockee) {
    return Date_Naissance_Stockee(stockee).value_or(stockee);
}

QString Numero_SS_Stocke(const QString& saisie) {
    if (!Tout_Chiffres(saisie))
        return saisie;
    qsizetype premier = 0;
    while (premier < saisie.size() && saisie[premier] == u'0')
        ++premier;
    return saisie.mid(premier);
}

QString Commentaire_Stocke(const QString& saisie) {
    QString texte = saisie;
    texte.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    texte.replace(QLatin1Char('\r'), QLatin1Char(' '));
    texte.replace(QLatin1Char('\n'), QLatin1Char(' '));
    texte.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    texte.replace(QChar::LineSeparator, QLatin1Char(' '));
    return texte;
}

Critere_Date Decouper_Critere_Date(const QString& saisie) {
    Critere_Date critere;
    if (saisie.startsWith(u">=") || saisie.startsWith(u"<=")) {
        critere.operateur = saisie.left(2);
    } else if (saisie.startsWith(u'=') || saisie.startsWith(u'>') || saisie.startsWith(u'<')) {
        critere.operateur = saisie.left(1);
    } else {
        critere.operateur = QStringLiteral("=");
        critere.date = saisie.trimmed();
        return critere;
    }
    critere.date = saisie.mid(critere.operateur.size()).trimmed();
    return critere;
}

}  // namespace corvanta
