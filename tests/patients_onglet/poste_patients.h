#pragma once

#include <QByteArray>
#include <QListWidget>
#include <QString>
#include <cstdint>

#include "platform/database.h"
#include "platform/value.h"
#include "tests/demarrage/echo_demarre.h"

namespace corvanta::test {

// A started program whose database holds the patients and curves a test put there first.
struct Poste_Patients : Poste {
    // Rows written before the start, through a connection of the test's own.
    std::int64_t patient(const QString& nom, const QString& prenom,
                         const platform::Value& commentaire = {}) {
        platform::Database base(dossier.base());
        base.execute(QStringLiteral("INSERT INTO Patients (Nom_Patient, Prenom_Patient, "
                                    "Commentaire_Patient) VALUES (?, ?, ?)"),
                     {nom, prenom, commentaire});
        return base.lastInsertKey();
    }

    std::int64_t courbe(std::int64_t patient, int type, const QString& date,
                        const QByteArray& echantillons = QByteArray(400, '\x20'), int moyenne = 0,
                        int passebas = 0, const platform::Value& commentaire = {}) {
        platform::Database base(dossier.base());
        base.execute(QStringLiteral("INSERT INTO Courbes (Code_Type, Code_Patient, DATE, "
                                    "Commentaire_Courbe, COURBE, MOYENNE, PASSEBAS) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                     {type, patient, date, commentaire, echantillons, moyenne, passebas});
        return base.lastInsertKey();
    }

    // Starts the program; the message of the missing device is left out of boites().
    Echo& demarrer() {
        Echo& echo = fenetre();
        echo.Form_Load();
        au_demarrage = messages.boites.size();
        return echo;
    }

    // The message boxes shown since the start.
    std::vector<MessageBoxAnswerer::Boite> boites() const {
        return {messages.boites.begin() + static_cast<std::ptrdiff_t>(au_demarrage),
                messages.boites.end()};
    }
    std::size_t au_demarrage = 0;

    // One value of a stored row, read as the next start would.
    platform::Value valeur(const QString& sql, const std::vector<platform::Value>& parametres) {
        return etat->Base_Donnees->queryValue(sql, parametres);
    }

    int nombre_courbes() {
        return static_cast<int>(
            valeur(QStringLiteral("SELECT COUNT(*) FROM Courbes"), {}).toInt32());
    }
};

inline std::int64_t Cle_Ligne(const QListWidget* liste, int ligne) {
    return liste->item(ligne)->data(Qt::UserRole).toLongLong();
}

}  // namespace corvanta::test
