#include "main_window/progression_import.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <limits>
#include <optional>
#include <thread>

#include "app/libelle.h"
#include "platform/database.h"

namespace corvanta {
namespace {

// How often the events run while the lists are brought up to date.
constexpr qint64 kPas_Ms = 50;

}  // namespace

// Escape, once the window offers no Cancel, and the close box (through reject) ask to
// stop, as Cancel does; the window itself stays until the import is over.
class Progression_Import::Fenetre : public QProgressDialog {
  public:
    using QProgressDialog::QProgressDialog;

  protected:
    void reject() override { emit canceled(); }
};

// Holds back the ticks of timers that belong to the program's windows other than the main
// window and the progress window: a held tick comes again at the timer's next interval,
// and goes through once the import is over.
class Progression_Import::Minuteries_Retenues : public QObject {
  public:
    Minuteries_Retenues(const QWidget* principale, const QWidget* progression)
        : principale_(principale), progression_(progression) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() != QEvent::Timer || qobject_cast<QTimer*>(objet) == nullptr)
            return false;
        for (QObject* parent = objet->parent(); parent != nullptr; parent = parent->parent()) {
            if (const auto* widget = qobject_cast<QWidget*>(parent)) {
                const QWidget* fenetre = widget->window();
                return fenetre != principale_ && fenetre != progression_;
            }
        }
        return false;
    }

  private:
    const QWidget* principale_;
    const QWidget* progression_;
};

Progression_Import::Progression_Import(QWidget* principale, const Libelles& libelle,
                                       std::chrono::milliseconds delai)
    : libelle_(libelle), delai_(delai), fenetre_(std::make_unique<Fenetre>(principale)) {
    fenetre_->setWindowTitle(libelle(1, 83));
    fenetre_->setLabelText(libelle(1, 110));
    // The window's own button: another one put in its place would leave the first one's
    // Escape key behind, and two Escape keys answer none.
    fenetre_->setCancelButtonText(libelle(1, 111));
    annuler_ = fenetre_->findChild<QPushButton*>();
    fenetre_->setRange(0, 0);
    fenetre_->setWindowModality(Qt::ApplicationModal);
    fenetre_->setAutoClose(false);
    fenetre_->setAutoReset(false);
    fenetre_->setMinimumDuration(std::numeric_limits<int>::max());
    // Its own answer to Cancel hides it at once: the import answers instead. The toolkit
    // makes that connection by name, which only a disconnection by name undoes.
    const bool defaite =
        QObject::disconnect(fenetre_.get(), SIGNAL(canceled()), fenetre_.get(), SLOT(cancel()));
    Q_ASSERT(defaite);
    Q_UNUSED(defaite);
    QObject::connect(fenetre_.get(), &QProgressDialog::canceled, fenetre_.get(),
                     [this] { Demander_Arret(); });
    fenetre_->reset();
    fenetre_->hide();
    retenues_ = std::make_unique<Minuteries_Retenues>(principale, fenetre_.get());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    depuis_.start();
}

Progression_Import::~Progression_Import() {
    QApplication::restoreOverrideCursor();
}

Bilan_Import Progression_Import::Executer(platform::Database& base, const Travail& travail) {
    std::optional<Bilan_Import> bilan;
    En_Fond(base, [&] { bilan = travail([this](bool derniere) { return Repondre(derniere); }); });
    return *bilan;
}

void Progression_Import::Mettre_A_Jour(platform::Database& base,
                                       const std::function<void()>& lecture,
                                       const std::function<void()>& affichage) {
    Annoncer_Mise_A_Jour();
    En_Fond(base, lecture);
    qint64 dernier = depuis_.elapsed();
    const platform::Database::Watch veille(base, [&] {
        if (depuis_.elapsed() - dernier < kPas_Ms)
            return true;
        const platform::Database::Reservation personne(base, std::thread::id());
        Montrer_Si_Temps();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        dernier = depuis_.elapsed();
        return true;
    });
    affichage();
}

void Progression_Import::En_Fond(platform::Database& base, const std::function<void()>& travail) {
    std::atomic<bool> fini{false};
    std::exception_ptr erreur;
    std::thread fil([&] {
        try {
            travail();
        } catch (...) {
            erreur = std::current_exception();
        }
        fini.store(true);
        // Wakes this thread's event loop.
        QMetaObject::invokeMethod(
            qApp, [] {}, Qt::QueuedConnection);
    });
    {
        const platform::Database::Reservation reservee(base, fil.get_id());
        // Joins the thread whatever happens here, asking the import to stop first.
        struct Fin {
            std::thread& fil;
            std::atomic<int>& etat;
            ~Fin() {
                int attendu = En_Cours;
                etat.compare_exchange_strong(attendu, Arret_Demande);
                fil.join();
            }
        } fin{fil, etat_};
        QTimer montrer;
        montrer.setSingleShot(true);
        QObject::connect(&montrer, &QTimer::timeout, [this] { Montrer_Si_Temps(); });
        montrer.start(std::max<qint64>(0, delai_.count() - depuis_.elapsed()));
        while (!fini.load()) {
            // Until the window shows, the user's input waits.
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                            (fenetre_->isVisible()
                                                 ? QEventLoop::AllEvents
                                                 : QEventLoop::ExcludeUserInputEvents));
        }
    }
    if (erreur)
        std::rethrow_exception(erreur);
}

bool Progression_Import::Repondre(bool derniere) {
    if (!derniere)
        return etat_.load(std::memory_order_relaxed) != Arret_Demande;
    int attendu = En_Cours;
    if (!etat_.compare_exchange_strong(attendu, Engagee))
        return false;
    QMetaObject::invokeMethod(
        fenetre_.get(), [this] { Annoncer_Mise_A_Jour(); }, Qt::QueuedConnection);
    return true;
}

void Progression_Import::Demander_Arret() {
    int attendu = En_Cours;
    if (!etat_.compare_exchange_strong(attendu, Arret_Demande))
        return;
    fenetre_->setLabelText(libelle_(1, 141));
    annuler_->setEnabled(false);
}

void Progression_Import::Annoncer_Mise_A_Jour() {
    etat_.store(Engagee);
    if (annuler_ == nullptr)
        return;
    fenetre_->setCancelButton(nullptr);  // deletes the button
    annuler_ = nullptr;
    fenetre_->setLabelText(libelle_(1, 142));
}

void Progression_Import::Montrer_Si_Temps() {
    if (!fenetre_->isVisible() && depuis_.elapsed() >= delai_.count())
        fenetre_->show();
}

}  // namespace corvanta
