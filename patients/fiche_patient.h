#pragma once

#include <QString>
#include <optional>

namespace corvanta {

// How the patient window turns what is typed into what is stored, and back.

// A typed day-first birth date ("15/03/1960", "15/3/60", "15-03-1960") as stored,
// "dd/mm/yyyy"; nothing when the text is not a real calendar date.
std::optional<QString> Date_Naissance_Stockee(const QString& saisie);

// A stored birth date as shown: read as a date and written "dd/mm/yyyy"; a text that is
// not a date is shown as stored.
QString Date_Naissance_Affichee(const QString& stockee);

// The social-security number as stored: an all-digit number loses its leading zeros;
// any other text is kept exactly as typed.
QString Numero_SS_Stocke(const QString& saisie);

// The comment as stored: every line break (CR LF, CR or LF) becomes one blank; nothing
// else of the text is lost.
QString Commentaire_Stocke(const QString& saisie);

// A birth-date search criterion: an optional operator ("=", ">", "<", ">=", "<=";
// equality without one) and the whole date typed after it.
struct Critere_Date {
    QString operateur;
    QString date;
};
Critere_Date Decouper_Critere_Date(const QString& saisie);

}  // namespace corvanta
