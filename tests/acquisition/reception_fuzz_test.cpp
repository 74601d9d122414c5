// A million random or mangled byte streams through the frame handling, with the port
// played by a model of its own: reads of one frame's length once that many bytes wait,
// the resynchronisation throwing every waiting byte away, the device answering each
// request with one good frame once the stream is spent. Nothing may crash, and a good
// frame must be taken again soon after good frames come back.
#include <gtest/gtest.h>

#include <QByteArray>
#include <algorithm>
#include <cstdio>
#include <random>

#include "app/quorel_binding.h"
#include "main_window/trame_courbe.h"

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

// The receive path against the port model; returns how many reads it took, once the last
// byte of the stream had been read or thrown away, before a good frame was taken.
class Reception {
  public:
    Reception(Generateur& g, int points) : g_(g), n_(points) {}

    int rejouer(const QByteArray& flux, bool filtrer) {
        attente_ = flux;
        debut_ = 0;
        reste_flux_ = flux.size();
        for (int tour = 0; tour < 1000; ++tour) {
            while (attente_.size() - debut_ >= n_ + 4) {
                const bool apres_flux = reste_flux_ <= 0;
                const bool prise = lire(filtrer);
                lectures_apres_flux_ += apres_flux ? 1 : 0;
                if (prise)
                    return lectures_apres_flux_;
            }
            // Nothing more to read: the device answers the requests, Timer2 adds one.
            repondre(std::max(demandes_, 1));
        }
        return 1000;
    }

  private:
    void repondre(int demandes) {
        for (; demandes > 0; --demandes) {
            const QByteArray t = g_.bonne_trame(n_);
            bonnes_.push_back(t);
            attente_ += t;
        }
        demandes_ = 0;
    }

    // One receive event; true when a good frame of the device was taken.
    bool lire(bool filtrer) {
        const QByteArray trame = attente_.mid(debut_, n_ + 4);
        debut_ += trame.size();
        reste_flux_ -= trame.size();
        const Lecture_Trame lecture = Examiner_Trame(trame);
        if (lecture == Lecture_Trame::Entete_Invalide ||
            (lecture == Lecture_Trame::Seconde_Entete && !trame.startsWith(kEntete_Trame))) {
            // The wait, then every waiting byte thrown away and one request.
            attente_.clear();
            debut_ = 0;
            reste_flux_ = 0;
            ++demandes_;
            return false;
        }
        if (lecture == Lecture_Trame::Seconde_Entete)
            return false;
        if (Demande_Bascule_Gel(trame))
            gel_ = !gel_;
        if (!gel_)
            Prendre_Echantillons(trame, n_, brute_);
        if (filtrer)
            quorel::SmoothFilter(brute_.data(), filtree_.data(), 2, 3, n_);
        ++demandes_;
        return std::find(bonnes_.begin(), bonnes_.end(), trame) != bonnes_.end();
    }

    Generateur& g_;
    const int n_;
    QByteArray attente_;
    qsizetype debut_ = 0;
    int demandes_ = 0;
    qsizetype reste_flux_ = 0;  // bytes of the stream still waiting
    int lectures_apres_flux_ = 0;
    std::vector<QByteArray> bonnes_;
    bool gel_ = false;
    Echantillons_Courbe brute_{};
    Echantillons_Courbe filtree_{};
};

TEST(ReceptionFuzz, AMillionStreamsWithoutACrashAndARecovery) {
    Generateur g(20261209);
    int pire = 0;
    for (int f = 0; f < kFlux; ++f) {
        const int n = g.points();
        QByteArray flux;
        for (int k = g.entre(0, 3); k > 0; --k)
            flux += g.morceau(n);
        Reception reception(g, n);
        const int lectures = reception.rejouer(flux, f % 64 == 0);
        pire = std::max(pire, lectures);
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
