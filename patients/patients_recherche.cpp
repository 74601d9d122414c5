// The patient search: the three-state search button, Enter in the criteria boxes and
// the selection built from the boxes.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <optional>

#include "app/lignes_patients.h"
#include "app/requetes.h"
#include "patients/fiche_patient.h"
#include "patients/patients.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/sql_functions.h"
#include "widgets/message_boxes.h"
#include "widgets/text_limits.h"

namespace corvanta {

bool Patients::Critere_KeyPress(int code) {
    if (code != 13 || Etat_Recherche != 1)
        return false;
    try {
        Rechercher_Patient();
    } catch (const Error& erreur) {
        Erreur(erreur);
    }
    return true;
}

void Patients::Rechercher_Patient() {
    switch (Etat_Recherche) {
        case 0:
            Effacer_Champs();
            // The boxes now hold criteria, not a patient: a save has nothing to write.
            Code_Patient_Affiche = 0;
            Mode_Ajout = 0;
            // Room for an operator before a date with a four-digit year (">=15/03/1960").
            limitTyping(Date_Naissance, kLongueur_Critere_Date);
            Filtre_Recherche.clear();
            Parametres_Recherche.clear();
            Nom->setFocus();
            Etat_Recherche = 1;
            break;
        case 1:
            Filtrer_Patients();
            Etat_Recherche = 2;
            break;
        case 2:
            Effacer_Champs();
            Remplir_Liste_Patients();
            Etat_Recherche = 0;
            break;
        default:
            break;
    }
}

// Every criterion is a bound parameter: a text box gives "begins with" through the
// connection's wildcard match (its own `*`, `?`, `#` and brackets keep their meaning),
// the birth date a comparison of converted dates.
void Patients::Filtrer_Patients() {
    const Libelles& libelle = etat_.Libelle;
    const std::array<std::pair<const QLineEdit*, const char*>, 6> textes{{
        {Nom, "Nom_Patient"},
        {Prenom, "Prenom_Patient"},
        {Adresse1, "Adresse1_Patient"},
        {Adresse2, "Adresse2_Patient"},
        {Ville, "Ville_Patient"},
        {Code_Postal, "CodePostal_Patient"},
    }};
    QStringList conditions;
    Parametres_Recherche.clear();
    const auto ajouter = [&](const char* colonne, const QString& texte) {
        if (texte.isEmpty())
            return;
        conditions.append(QStringLiteral("WILDCARD_MATCH(%1, ?)").arg(QLatin1String(colonne)));
        Parametres_Recherche.emplace_back(texte + QLatin1Char('*'));
    };
    for (const auto& [boite, colonne] : textes)
        ajouter(colonne, boite->text());
    ajouter("Commentaire_Patient", Commentaire->toPlainText());
    ajouter("NumeroSS_Patient", Numero_SS->text());

    std::optional<Error> echec;
    try {
        if (!Date_Naissance->text().isEmpty()) {
            const Critere_Date critere = Decouper_Critere_Date(Date_Naissance->text());
            const auto date = platform::dateValue(critere.date);
            if (!date)
                throw Error(13, "Corvanta", "Type mismatch");
            conditions.append(
                QStringLiteral("CDATE(Date_Naissance_Patient) %1 ?").arg(critere.operateur));
            Parametres_Recherche.emplace_back(*date);
        }
        Filtre_Recherche = conditions.isEmpty() ? QString()
                                                : QStringLiteral("WHERE ") +
                                                      conditions.join(QStringLiteral(" AND "));
        etat_.Table_Patients =
            Ouvrir_Patients_Trouves(Base(), Filtre_Recherche, Parametres_Recherche);
    } catch (const Error& erreur) {
        echec = erreur;
    }

    if (echec || Table().eof()) {
        if (echec) {
            showStop(this, libelle(4, 44), libelle(5, 18));
        } else {
            showWarning(this, libelle(5, 20), libelle(5, 19));
        }
        // All patients again, each line showing its own patient.
        try {
            Remplir_Liste_Patients();
        } catch (const Error&) {
        }
        return;
    }
    Remplir_Lignes();
    Aller_Premiere_Ligne();
    Afficher_Patient();
}

}  // namespace corvanta
