#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "app/etat_application.h"
#include "exams/examen_sinus.h"
#include "exams/fenetres_examen_corvanta.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/value.h"
#include "tests/support/application_test.h"
#include "tests/support/dossier_travail.h"
#include "tests/support/list_lines.h"
#include "tests/support/message_boxes.h"
#include "tests/support/wait.h"
#include "tools/device_simulator/pseudo_terminal.h"

namespace corvanta::test {

// The window a command should have opened. When there is none, an exception: the test
// fails and its program goes on with the next one.
template <class F>
F& Ouverte(F* fenetre) {
    if (fenetre == nullptr)
        throw std::runtime_error("the window did not open");
    return *fenetre;
}

// The samples of a fixture curve: rising from `depart` by `pas` per sample.
QByteArray Echantillons(int depart = 10, int pas = 1);

// The program at a workstation as a test drives it: a working folder (a fresh copy of the
// database unless told), the application state and the main window, message boxes
// answered and kept, the process's end recorded instead of done. Port 1 names a file that
// does not exist unless the test plays the device on a pseudo-terminal. Rows are added
// before the start, through the fixture's own connection, so that the start-up sees them.
struct Workstation {
    struct Options {
        bool database = true;
        // Port 1 on a pseudo-terminal whose other end the test reads and writes.
        bool device = false;
        // With a device: bytes it wrote before the program started, waiting in the driver.
        QByteArray sent_before;
        // The button message boxes get; none: their default button.
        std::optional<QMessageBox::StandardButton> reponse;
    };

    static Options withDevice(const QByteArray& sent_before = {}) {
        Options options;
        options.device = true;
        options.sent_before = sent_before;
        return options;
    }
    static Options withoutDatabase() {
        Options options;
        options.database = false;
        return options;
    }

    Workstation() : Workstation(Options{}) {}
    explicit Workstation(const Options& options);
    ~Workstation();

    // Builds the state and the window, not started, so that settings written by the test
    // before are those the start-up reads.
    Echo& fenetre();
    // Starts the program (again: as a new process) with the program's exam windows, or the
    // ones given. Without a device, the start-up's own message (no device on the port) is
    // forgotten.
    Echo& demarrer() { return demarrer(Fenetres_Du_Programme()); }
    Echo& demarrer(std::vector<Inscription_Fenetre> fenetres);

    std::int64_t patient(const QString& nom, const QString& prenom,
                         const platform::Value& commentaire = {});
    std::int64_t courbe(std::int64_t patient, int type, const QString& date,
                        const QByteArray& echantillons = Echantillons(), int moyenne = 0,
                        int passebas = 0, const platform::Value& commentaire = {});
    // An exam with the given columns besides patient, type and number.
    std::int64_t examen(std::int64_t patient, int type, const QString& numero, std::int64_t droite,
                        std::int64_t gauche,
                        const std::vector<std::pair<QString, platform::Value>>& colonnes = {});
    platform::Value colonne(std::int64_t examen, const QString& nom);
    // One value of a stored row, read through the program's own connection.
    platform::Value valeur(const QString& sql, const std::vector<platform::Value>& parametres);
    int nombre_courbes();

    // The exam command of the main window, for the current type.
    template <class F = Examen_Sinus>
    F& ouvrir() {
        echo->Menu_Gestion_Examens->trigger();
        return Ouverte(examen_ouvert<F>());
    }
    // The exam window of class `F` while it exists, else null.
    template <class F = Examen_Sinus>
    F* examen_ouvert() const {
        Fenetres_Examen_Corvanta* toutes = fenetres();
        return toutes == nullptr ? nullptr : toutes->Chercher<F>();
    }
    Examen_Sinus* sinus() const { return examen_ouvert<Examen_Sinus>(); }
    Fenetres_Examen_Corvanta* fenetres() const;

    // The device's end of the line (with a device). Bytes the program has sent, read
    // within the time given (at least `au_moins` of them, or fewer when the time is up),
    // events running meanwhile.
    QByteArray Lire_Commandes(int au_moins, int delai_ms = 1000);
    // Everything the program sends during the given time.
    QByteArray Commandes_Pendant(int ms);
    void Ecrire(const QByteArray& octets);
    // Writes a frame and waits for the program's answer to it (one request).
    QByteArray Envoyer_Trame(const QByteArray& trame);
    // The device goes away.
    void Debrancher() { ligne->close(); }

    Dossier_Travail dossier;
    MessageBoxAnswerer messages;
    std::unique_ptr<simulator::PseudoTerminal> ligne;
    std::unique_ptr<platform::Database> base;  // the fixture's own connection
    std::unique_ptr<Etat_Application> etat;
    std::unique_ptr<Echo> echo;
    int fin = -1;

  private:
    bool demarre_ = false;
};

// The text of a list's row, and the key it stands for; a missing row fails the test and
// reads as empty.
QString Texte_Ligne(const QListWidget* liste, int ligne);
std::int64_t Cle_Ligne(const QListWidget* liste, int ligne);

}  // namespace corvanta::test
