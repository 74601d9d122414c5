#pragma once

#include <QByteArray>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "app/etat_application.h"
#include "exams/examen_sinus.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"

namespace corvanta::test {

// Answers the program's modal dialogs: keeps each message box's title, text, icon and
// button texts and presses the chosen button (the default one unless told).
class Repondeur {
  public:
    struct Boite {
        QString titre;
        QString texte;
        QMessageBox::Icon icone;
        QStringList boutons;
    };
    Repondeur();
    std::vector<Boite> boites;
    std::optional<QMessageBox::StandardButton> reponse;

  private:
    QTimer minuterie_;
};

// A workstation with its database, a started main window (no device) and the exam
// windows installed. Rows are added before `demarrer` so that start-up sees them.
struct Cabinet {
    Cabinet();
    ~Cabinet();

    std::int64_t patient(const QString& nom, const QString& prenom);
    // A curve whose samples rise from `depart` by `pas` per sample.
    std::int64_t courbe(std::int64_t patient, int type, const QString& date, int depart = 10,
                        int pas = 1);
    // An exam with the given columns besides patient, type and number.
    std::int64_t examen(std::int64_t patient, int type, const QString& numero, std::int64_t droite,
                        std::int64_t gauche,
                        const std::vector<std::pair<QString, platform::Value>>& colonnes = {});
    platform::Value colonne(std::int64_t examen, const QString& nom);

    void demarrer();
    Examen_Sinus& ouvrir();
    Examen_Sinus* sinus() const;

    Dossier_Travail dossier;
    Repondeur messages;
    std::unique_ptr<platform::Database> base;  // the fixtures' own connection
    std::unique_ptr<Etat_Application> etat;
    std::unique_ptr<Echo> echo;
};

// The samples of a fixture curve.
QByteArray Echantillons(int depart, int pas);

// The texts of a list's entries, first to last.
QStringList Lignes(const QListWidget* liste);
QStringList Lignes(const QComboBox* liste);

}  // namespace corvanta::test
