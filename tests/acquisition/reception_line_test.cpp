// The program's receive loop on its own over the real serial port, the device simulator
// at the other end of a pseudo-terminal playing every fault it knows.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <utility>

#include "main_window/reception_trames.h"
#include "platform/serial_port.h"
#include "tests/platform_serial/pty_helpers.h"
#include "tests/support/application_test.h"

namespace corvanta::test {
namespace {

constexpr int kPoints = 400;

// The serial port, with what each read should do by the dialogue's rules: a read out of
// step costs one wait; a whole frame (the header, then never again from the fourth byte
// on) gives the live curve its samples unless frozen, its status byte 0 toggling the freeze
// first. The first read once a resynchronisation has begun is its own, thrown away.
class Ligne_Lue : public platform::FramePort {
  public:
    explicit Ligne_Lue(platform::SerialPort& port) : port_(port) {}
    bool isPortOpen() const override { return port_.isPortOpen(); }
    int eventCode() const override { return port_.eventCode(); }
    void setInputLength(int longueur) override { port_.setInputLength(longueur); }
    QByteArray input() override {
        const QByteArray lecture = port_.input();
        if (!std::exchange(jetee, false) && !lecture.isEmpty()) {
            if (!lecture.startsWith("HSE")) {
                ++hors_pas;
            } else if (lecture.size() == kPoints + 4 && lecture.indexOf("HSE", 3) < 0) {
                ++entieres;
                gel = gel != (lecture[3] == '\0');
                if (!gel)
                    courbe = lecture.mid(4);
            }
        }
        return lecture;
    }
    void setInBufferCount(int n) override { port_.setInBufferCount(n); }
    void output(const QByteArray& octets) override { port_.output(octets); }

    bool jetee = false;  // the next read is the resynchronisation's
    int hors_pas = 0;
    int entieres = 0;
    bool gel = false;
    QByteArray courbe = QByteArray(kPoints, '\0');

  private:
    platform::SerialPort& port_;
};

// The window the loop runs in, with the program's two timers; what reaches the filter
// is kept.
class Poste_Ligne : public Poste_Reception {
  public:
    Poste_Ligne(Ligne_Lue& ligne, Courbe_Vivante& courbe)
        : boucle(ligne, *this, courbe), ligne_(ligne) {
        attente_.setSingleShot(true);
        QObject::connect(&attente_, &QTimer::timeout, [this] { boucle.Terminer_Attente(); });
        demandes_.setInterval(300);
        QObject::connect(&demandes_, &QTimer::timeout, [this] {
            boucle.Envoyer_Commande(Reception_Trames::kCommande_Trame_Suivante);
        });
    }
    int Nombre_Points() const override { return kPoints; }
    int Taille_Entete() const override { return 4; }
    void Laisser_Evenements(bool attendre) override {
        QCoreApplication::processEvents(attendre ? QEventLoop::WaitForMoreEvents
                                                 : QEventLoop::AllEvents);
    }
    void Commencer_Attente(int delai_ms) override {
        ++attentes;
        ligne_.jetee = true;
        demandes_.stop();
        attente_.start(delai_ms);
    }
    void Activer_Demandes() override {
        if (!demandes_.isActive())
            demandes_.start();
    }
    // Nested receives may have run since this one read: the curve is the latest.
    void Filtrer(Courbe_Vivante& courbe) override {
        ++filtrees;
        if (QByteArray(reinterpret_cast<const char*>(courbe.Courbe_Brute.data()), kPoints) !=
            ligne_.courbe)
            ++ecarts;
    }
    int Dessiner_Courbe_Vivante() override { return 0; }

    Reception_Trames boucle;
    int attentes = 0;
    int filtrees = 0;
    int ecarts = 0;

  private:
    Ligne_Lue& ligne_;
    QTimer attente_;
    QTimer demandes_;
};

TEST(ReceptionLine, EveryFaultOfTheDeviceIsHandledAsTheDialogueSays) {
    Application();
    simulator::SimulatorOptions options;
    options.garbledHeaderEvery = 4;
    options.hseSamplesEvery = 5;
    options.splitEvery = 3;
    options.doubleEvery = 7;
    options.statusZeroEvery = 6;
    testing::SimulatedDevice appareil(options);
    platform::SerialPort port([&](int) { return QString::fromStdString(appareil.path()); });
    port.setSettings(QStringLiteral("115200,N,8,1"));
    port.setInputLength(kPoints + 4);
    port.setReceiveThreshold(kPoints + 4);
    port.setPortOpen(true);
    Ligne_Lue ligne(port);
    Courbe_Vivante courbe;
    Poste_Ligne poste(ligne, courbe);
    QObject::connect(&port, &platform::SerialPort::communicationEvent,
                     [&] { poste.boucle.Recevoir(); });

    poste.boucle.Envoyer_Commande(Reception_Trames::kCommande_Trame_Suivante);
    poste.Activer_Demandes();
    ASSERT_TRUE(waitUntil([&] { return poste.filtrees >= 24; }, 20000))
        << poste.filtrees << " frames taken";

    EXPECT_GE(ligne.hors_pas, 4);
    EXPECT_EQ(poste.attentes, ligne.hors_pas);
    EXPECT_EQ(poste.filtrees, ligne.entieres);
    EXPECT_EQ(poste.ecarts, 0);
}

}  // namespace
}  // namespace corvanta::test
