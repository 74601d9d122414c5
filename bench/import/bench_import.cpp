// A large import from the main window, as the user lives it. The database here is the
// benchmarks' large one (100,000 patients, or CORVANTA_BIG_DATABASE); the file imported is
// CORVANTA_IMPORT_FILE (say the 3 GB file of 1,000,000 patients from make_big_database),
// else one of 100,000 patients made with another seed, whose keys all clash. Reported:
// - Import_Entier: the whole import, refill included (s), the moment of its last question,
//   after which it can no longer be stopped (s), and the longest time the window went
//   without answering (ms): the longest gap between two runs of a 2 ms timer.
// - Import_Annule/<p>: a Cancel pressed at p % of the time to the last question, on a fresh
//   copy of the database: how soon the window answers it ("stopping" shown, ms), how soon
//   the import has ended with nothing added (ms), and the longest silence meanwhile.
// Target: a Cancel answered within 1 s at any size.
#include <benchmark/benchmark.h>

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "bench/support/large_database_workstation.h"
#include "platform/database.h"
#include "tools/make_big_database/big_database.h"

namespace {

using namespace corvanta;
using Horloge = std::chrono::steady_clock;

double Ms(Horloge::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

QString Fichier_Importe() {
    const QString nomme = qEnvironmentVariable("CORVANTA_IMPORT_FILE");
    if (!nomme.isEmpty())
        return nomme;
    static QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("Sinus-cabinet-voisin.mdb"));
    if (!QFile::exists(chemin)) {
        tools::BigDatabaseSize taille;
        taille.seed = 0x5DEECE66DULL;
        tools::makeBigDatabase(tools::builtDatabase(), chemin, taille);
    }
    return chemin;
}

// The longest gap between two runs of the event loop, while it lives.
class Silence {
  public:
    Silence() : dernier_(Horloge::now()) {
        minuterie_.setInterval(2);
        QObject::connect(&minuterie_, &QTimer::timeout, [this] { Battre(); });
        minuterie_.start();
    }
    double Plus_Longue_Ms() {
        Battre();
        return Ms(plus_longue_);
    }

  private:
    void Battre() {
        const auto maintenant = Horloge::now();
        plus_longue_ = std::max(plus_longue_, maintenant - dernier_);
        dernier_ = maintenant;
    }
    QTimer minuterie_;
    Horloge::time_point dernier_;
    Horloge::duration plus_longue_{};
};

struct Programme : bench::LargeDatabaseWorkstation {
    Programme() {
        echo->Choisir_Fichier_Import = [](const QString&) { return Fichier_Importe(); };
        echo->Importer_Fichier = [this](platform::Database& base, const QString& chemin,
                                        const Suivi_Import& suivi) {
            return Importer_Base_Externe(base, chemin, [this, &suivi](bool derniere) {
                if (derniere)
                    derniere_question = Horloge::now();
                return suivi(derniere);
            });
        };
        messages.boites.clear();
    }
    // Presses the import button; true when the one message that follows starts with `texte`.
    bool Importer(const QString& texte) {
        debut = Horloge::now();
        echo->Bouton_Import->click();
        fin = Horloge::now();
        const bool vu = messages.boites.size() == 1 && messages.boites[0].texte.startsWith(texte);
        messages.boites.clear();
        return vu;
    }
    Horloge::time_point debut, fin, derniere_question;
};

std::unique_ptr<Programme> programme;
double secondes_avant_derniere_question = 0;

void Import_Entier(benchmark::State& state) {
    programme = std::make_unique<Programme>();
    Fichier_Importe();
    for (auto _ : state) {
        Silence silence;
        if (!programme->Importer(programme->etat->Libelle(1, 113)))
            state.SkipWithError("no summary, or another message box was shown");
        state.counters["silence_ms"] = silence.Plus_Longue_Ms();
    }
    const Programme& p = *programme;
    secondes_avant_derniere_question = Ms(p.derniere_question - p.debut) / 1000;
    state.counters["whole_s"] = Ms(p.fin - p.debut) / 1000;
    state.counters["last_question_s"] = secondes_avant_derniere_question;
    state.counters["patients_listed"] = p.echo->Liste_Nom->count();
    programme.reset();
}
BENCHMARK(Import_Entier)->Unit(benchmark::kSecond)->Iterations(1);

void Import_Annule(benchmark::State& state) {
    if (!programme)
        programme = std::make_unique<Programme>();
    Programme& p = *programme;
    const auto moment = std::chrono::duration_cast<Horloge::duration>(
        std::chrono::duration<double>(secondes_avant_derniere_question * state.range(0) / 100));
    for (auto _ : state) {
        std::atomic<bool> fini{false};
        Horloge::time_point presse{}, repondu{}, demande{};
        // The user's press reaches the window as an event posted at its moment.
        std::thread utilisateur([&] {
            const auto quand = Horloge::now() + moment;
            while (!fini && Horloge::now() < quand)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (fini)
                return;
            presse = Horloge::now();
            QMetaObject::invokeMethod(
                qApp,
                [&] {
                    auto* fenetre = p.echo->findChild<QProgressDialog*>();
                    auto* annuler = fenetre ? fenetre->findChild<QPushButton*>() : nullptr;
                    if (annuler == nullptr || !annuler->isEnabled())
                        return;
                    demande = Horloge::now();
                    annuler->click();
                    if (fenetre->findChild<QLabel*>()->text() == p.etat->Libelle(1, 141))
                        repondu = Horloge::now();
                },
                Qt::QueuedConnection);
        });
        Silence silence;
        const bool annule = p.Importer(p.etat->Libelle(1, 112));
        fini = true;
        utilisateur.join();
        QCoreApplication::processEvents();  // a press posted too late finds no window
        state.counters["silence_ms"] = silence.Plus_Longue_Ms();
        if (!annule || repondu == Horloge::time_point{}) {
            state.SkipWithError("not cancelled: pressed too late, or no answer");
            continue;
        }
        state.counters["answered_ms"] = Ms(repondu - presse);
        state.counters["ended_ms"] = Ms(p.fin - demande);
    }
}
BENCHMARK(Import_Annule)->DenseRange(10, 90, 20)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    // The workstation goes before the application it was made in.
    programme.reset();
    benchmark::Shutdown();
}
