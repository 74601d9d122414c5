#pragma once

#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

#include "app/importation_base.h"

class QObject;
class QPushButton;
class QWidget;

namespace corvanta {

class Libelles;

namespace platform {
class Database;
}

// An import as the user sees it while it runs: the wait cursor at once, then, once it
// has lasted `delai`, a progress window whose Cancel button, Escape key and close box ask
// it to stop. The window then says it is stopping, and stays until it has.
//
// The engine work runs on a thread of its own (Executer) while this thread keeps the
// window answering. The connection is reserved to that thread meanwhile: this thread
// never uses it, and a call from here would fail instead of reaching the engine. The user
// reaches no other window (the progress window is modal; before it shows, the user's
// input waits), and the timers of the program's other windows, which read the database,
// are held back until the import is over. The main window's own timers only talk to the
// device and go on.
//
// Once the import has answered its last question it can no longer be stopped: the window
// offers no Cancel and says the lists are being brought up to date (Mettre_A_Jour). The
// cursor and the window stay until this object goes.
class Progression_Import {
  public:
    Progression_Import(QWidget* principale, const Libelles& libelle,
                       std::chrono::milliseconds delai);
    ~Progression_Import();
    Progression_Import(const Progression_Import&) = delete;
    Progression_Import& operator=(const Progression_Import&) = delete;

    using Travail = std::function<Bilan_Import(const Suivi_Import& suivi)>;
    // Runs `travail` on a thread of its own, which alone uses `base` meanwhile; returns what
    // it returns, or throws what it threw.
    Bilan_Import Executer(platform::Database& base, const Travail& travail);
    // Once the import is done, the window saying the lists are being brought up to date:
    // `lecture` (the engine's reads) on a thread of its own as above, then `affichage` here,
    // the events other than the user's running every few engine steps on `base` so that the
    // window is still drawn (the connection is closed to them meanwhile).
    void Mettre_A_Jour(platform::Database& base, const std::function<void()>& lecture,
                       const std::function<void()>& affichage);

  private:
    class Fenetre;
    class Minuteries_Retenues;
    enum Etat : int { En_Cours, Arret_Demande, Engagee };

    void En_Fond(platform::Database& base, const std::function<void()>& travail);
    // On the import's thread: a question of the engine (Suivi_Import).
    bool Repondre(bool derniere);
    void Demander_Arret();
    void Annoncer_Mise_A_Jour();
    void Montrer_Si_Temps();

    const Libelles& libelle_;
    std::chrono::milliseconds delai_;
    std::unique_ptr<Fenetre> fenetre_;
    QPushButton* annuler_ = nullptr;  // owned by the window while it offers one
    std::unique_ptr<Minuteries_Retenues> retenues_;
    QElapsedTimer depuis_;
    std::atomic<int> etat_{En_Cours};
};

}  // namespace corvanta
