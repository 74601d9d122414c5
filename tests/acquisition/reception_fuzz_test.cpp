// A million random or mangled byte streams through the program's receive loop, with the
// line played by a model of its own: reads of one frame's length once that many bytes
// wait, the resynchronisation throwing every waiting byte away, the device answering each
// request with one good frame once the stream is spent. Nothing may crash, only whole
// frames may be taken, and a good frame must be taken again soon after good frames come
// back.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QSet>
#include <algorithm>
#include <cstdio>
#include <random>

#include "app/quorel_binding.h"
#include "main_window/reception_trames.h"
#include "main_window/trame_courbe.h"
#include "platform/frame_port.h"

namespace corvanta {
namespace {

constexpr int kFlux = 1'000'000;

class Generateur {
  public:
    explicit Generateur(unsigned graine) : hasard_(graine) {}

    int entre(int bas, int haut) { return std::uniform_int_distribution<int>(bas, haut)(hasard_); }

    int points() {
        const int tirage = entre(0, 99);
        return tirage < 70 ? 50 : tirage < 85 ? 100 : tirage < 95 ? 200 : 400;
    }

    QByteArray octets(int n) {
        QByteArray b(n, '\0');
        for (char& c : b)
            c = static_cast<char>(hasard_() & 0xFF);
        return b;
    }

    // A frame as the device sends it: samples never spell the header.
    QByteArray bonne_trame(int n) {
        QByteArray t = QByteArray("HSE\x01", 4) + octets(n);
        t.replace("HSE", "HSF");
        t.replace(0, 3, "HSE");
        return t;
    }

    QByteArray morceau(int n) {
        switch (entre(0, 6)) {
            case 0:
                return octets(entre(0, 3 * n));
            case 1: {
                QByteArray t = bonne_trame(n);
                for (int k = entre(1, 4); k > 0; --k)
                    t[entre(0, static_cast<int>(t.size()) - 1)] = static_cast<char>(entre(0, 255));
                return t;
            }
            case 2:
                return bonne_trame(n).left(entre(0, n + 3));
            case 3: {
                QByteArray b = octets(entre(0, 2 * n));
                for (int k = entre(1, 3); k > 0; --k)
                    b.insert(entre(0, static_cast<int>(b.size())), "HSE");
                return b;
            }
            case 4: {
                QByteArray t = bonne_trame(n);
                const int sorte = entre(0, 2);
                if (sorte == 0)
                    t[3] = kEtat_Bascule_Gel;
                else if (sorte == 1)
                    t.replace(4 + entre(0, n - 3), 3, "HSE");
                else
                    t[2] = 'F';
                return t;
            }
            case 5: {
                const QByteArray t = bonne_trame(n);
                return t + t;
            }
            default:
                return {};
        }
    }

  private:
    std::mt19937 hasard_;
};

// A read the program may take: one frame's length, the header first and never again.
bool Trame_Entiere(const QByteArray& lecture, int n) {
    return lecture.size() == n + 4 && lecture.startsWith("HSE") && lecture.indexOf("HSE", 3) < 0;
}

// The line as the serial port shows it to the receive loop: bytes waiting, read one
// frame's length at a time; the requests the loop sends are counted for the device.
class Ligne : public platform::FramePort {
  public:
    bool isPortOpen() const override { return true; }
    int eventCode() const override { return kDataReceived; }
    void setInputLength(int longueur) override { longueur_ = longueur; }
    QByteArray input() override {
        ++lectures_;
        const QByteArray lecture = attente_.mid(debut_, longueur_);
        debut_ += lecture.size();
        reste_flux_ -= lecture.size();
        return lecture;
    }
    void setInBufferCount(int) override {
        attente_.clear();
        debut_ = 0;
        reste_flux_ = 0;
    }
    void output(const QByteArray& octets) override {
        demandes_ += static_cast<int>(octets.count(Reception_Trames::kCommande_Trame_Suivante));
    }

    qsizetype en_attente() const { return attente_.size() - debut_; }

    QByteArray attente_;
    qsizetype debut_ = 0;
    qsizetype reste_flux_ = 0;  // bytes of the stream still waiting
    int longueur_ = 0;
    int demandes_ = 0;
    int lectures_ = 0;
};

// The real receive loop on a stream, in a window of the test's own: receive events come
// whenever a frame's length waits, nested in the loop's own event runs at random as the
// port raises them there; each wait ends at its first event run. What reaches the filter
// must be the samples of a whole frame, and no wait may begin inside another. Returns how
// many receive events it took, once the last byte of the stream had been read or thrown
// away, before a good frame of the device reached the filter.
class Reception : public Poste_Reception {
  public:
    Reception(Generateur& g, int points, bool filtrer) : g_(g), n_(points), filtrer_(filtrer) {
        ligne_.setInputLength(n_ + 4);
    }

    int rejouer(const QByteArray& flux) {
        ligne_.attente_ = flux;
        ligne_.reste_flux_ = flux.size();
        for (int tour = 0; tour < 1000 && !pris_; ++tour) {
            while (!pris_ && ligne_.en_attente() >= n_ + 4)
                recevoir();
            // Nothing more to read: the device answers the requests, Timer2 adds one.
            repondre(std::max(ligne_.demandes_, 1));
        }
        return pris_ ? rang_pris_ : 1000;
    }

    int Nombre_Points() const override { return n_; }
    int Taille_Entete() const override { return 4; }
    void Laisser_Evenements(bool attendre) override {
        if (ligne_.en_attente() >= n_ + 4 && (attendre || g_.entre(0, 3) == 0))
            recevoir();
        if (attendre) {
            attente_ouverte_ = false;
            boucle_.Terminer_Attente();
        }
    }
    void Commencer_Attente(int delai_ms) override {
        EXPECT_EQ(delai_ms, 250);
        if (attente_ouverte_)
            ADD_FAILURE() << "a resynchronisation began inside another";
        attente_ouverte_ = true;
    }
    void Activer_Demandes() override {}
    void Filtrer(Courbe_Vivante& courbe) override {
        const QByteArray prise(reinterpret_cast<const char*>(courbe.Courbe_Brute.data()), n_);
        if (prise != QByteArray(n_, '\0') && !prises_.contains(prise))
            ADD_FAILURE() << "samples of no whole frame reached the filter";
        if (filtrer_)
            quorel::SmoothFilter(courbe.Courbe_Brute.data(), courbe.Courbe_Filtree.data(), 2, 3,
                                 n_);
        // The receive filtering now is the innermost one under way: those nested in it
        // have ended. A read that began earlier may reach the filter later.
        if (en_cours_.back().bonne) {
            rang_pris_ =
                pris_ ? std::min(rang_pris_, en_cours_.back().rang) : en_cours_.back().rang;
            pris_ = true;
        }
    }
    int Dessiner_Courbe_Vivante() override { return 0; }

    bool echec() const { return ::testing::Test::HasFailure(); }

  private:
    // One receive event. Its rank counts the reads begun since the stream was spent; a
    // receive during a resynchronisation reads nothing and is not counted.
    void recevoir() {
        const int avant = ligne_.lectures_;
        const bool apres_flux = ligne_.reste_flux_ <= 0;
        const QByteArray lecture = ligne_.attente_.mid(ligne_.debut_, n_ + 4);
        if (Trame_Entiere(lecture, n_))
            prises_.insert(lecture.mid(4));
        lectures_apres_flux_ += apres_flux ? 1 : 0;
        en_cours_.push_back({lectures_apres_flux_, bonnes_.contains(lecture)});
        boucle_.Recevoir();
        en_cours_.pop_back();
        if (apres_flux && ligne_.lectures_ == avant)
            --lectures_apres_flux_;
    }

    void repondre(int demandes) {
        for (; demandes > 0; --demandes) {
            const QByteArray t = g_.bonne_trame(n_);
            bonnes_.insert(t);
            ligne_.attente_ += t;
        }
        ligne_.demandes_ = 0;
    }

    Generateur& g_;
    const int n_;
    const bool filtrer_;
    Ligne ligne_;
    Courbe_Vivante courbe_;
    Reception_Trames boucle_{ligne_, *this, courbe_};
    bool attente_ouverte_ = false;
    struct Lecture {
        int rang;
        bool bonne;  // a good frame of the device
    };
    std::vector<Lecture> en_cours_;
    bool pris_ = false;
    int rang_pris_ = 0;
    int lectures_apres_flux_ = 0;
    QSet<QByteArray> bonnes_;
    QSet<QByteArray> prises_;
};

TEST(ReceptionFuzz, AMillionStreamsThroughTheReceiveLoopTakeOnlyWholeFramesAndRecover) {
    Generateur g(20261209);
    int pire = 0;
    for (int f = 0; f < kFlux; ++f) {
        const int n = g.points();
        QByteArray flux;
        for (int k = g.entre(0, 3); k > 0; --k)
            flux += g.morceau(n);
        Reception reception(g, n, f % 64 == 0);
        const int lectures = reception.rejouer(flux);
        pire = std::max(pire, lectures);
        ASSERT_FALSE(reception.echec()) << "stream " << f << ": " << flux.toHex().toStdString();
        ASSERT_LE(lectures, 2) << "stream " << f << " of " << flux.size() << " bytes, N = " << n;
    }
    RecordProperty("worst_reads_after_the_stream", pire);
    std::printf("worst: %d reads after the stream\n", pire);
}

TEST(ReceptionFuzz, ShortOrEmptyReadsAreHarmless) {
    Echantillons_Courbe courbe{};
    courbe.fill(7);
    for (const QByteArray& trame : {QByteArray(), QByteArray("H"), QByteArray("HSE"),
                                    QByteArray("HSE\0", 4), QByteArray("HSE\x01xy", 6)}) {
        Examiner_Trame(trame);
        Demande_Bascule_Gel(trame);
        Prendre_Echantillons(trame, 400, courbe);
        Prendre_Echantillons(trame, -5, courbe);
        Prendre_Echantillons(trame, 100000, courbe);
    }
    EXPECT_TRUE(Demande_Bascule_Gel(QByteArray("HSE\0", 4)));
    EXPECT_FALSE(Demande_Bascule_Gel(QByteArray("HSE")));
    Prendre_Echantillons(QByteArray("HSE\x01xy", 6), 400, courbe);
    EXPECT_EQ(courbe[0], 'H');
    EXPECT_EQ(courbe[5], 'y');
    EXPECT_EQ(courbe[6], ' ');
}

}  // namespace
}  // namespace corvanta
