#pragma once

#include <QByteArray>
#include <QImage>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "app/etat_application.h"
#include "exams/examen_sinus.h"
#include "exams/fenetres_examen_corvanta.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"
#include "tests/support/message_boxes.h"

namespace corvanta::test {

// A workstation with its database, a started main window (no device) and the exam
// windows installed (the program's, unless told). Rows are added before `demarrer` so
// that start-up sees them. Any exam window is opened and found by its class.
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

    void demarrer(std::vector<Inscription_Fenetre> fenetres = Fenetres_Du_Programme());
    // The exam command of the main window, for the current type.
    template <class F = Examen_Sinus>
    F& ouvrir() {
        echo->Menu_Gestion_Examens->trigger();
        return *fenetre<F>();
    }
    // The window of class `F` while it exists, else null.
    template <class F = Examen_Sinus>
    F* fenetre() const {
        Fenetres_Examen_Corvanta* toutes = fenetres();
        return toutes == nullptr ? nullptr : toutes->Chercher<F>();
    }
    Examen_Sinus* sinus() const { return fenetre<Examen_Sinus>(); }
    Fenetres_Examen_Corvanta* fenetres() const;

    Dossier_Travail dossier;
    MessageBoxAnswerer messages;
    std::unique_ptr<platform::Database> base;  // the fixtures' own connection
    std::unique_ptr<Etat_Application> etat;
    std::unique_ptr<Echo> echo;
};

// The samples of a fixture curve.
QByteArray Echantillons(int depart, int pas);

// What a preview box of `taille` must show of `samples` with the main window's filter
// settings and points now.
QImage Apercu_Attendu(Cabinet& c, const QByteArray& samples, QSize taille = QSize(137, 129));

// What the stock sqlite3 shell prints for `sql` on `fichier`, one line per row. The
// shell stops at the first failing statement, which fails the test with its message.
QStringList Shell(const QString& fichier, const QString& sql);

// The texts of a list's entries, first to last.
QStringList Lignes(const QListWidget* liste);
QStringList Lignes(const QComboBox* liste);

}  // namespace corvanta::test
