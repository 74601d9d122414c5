#pragma once

#include <QByteArray>
#include <functional>

#include "tests/demarrage/echo_demarre.h"
#include "tests/support/wait.h"
#include "tools/device_simulator/pseudo_terminal.h"

namespace corvanta::test {

// A frame of the device: "HSE", the status byte, the samples.
QByteArray Trame_Appareil(const QByteArray& echantillons, char etat = 0x01);
// n samples of a slowly rising ramp that never spells the header.
QByteArray Rampe(int n, int depart = 0);

// The started program with port 1 on a pseudo-terminal whose other end the test plays:
// it reads the program's commands and writes the device's bytes itself.
class Poste_Acquisition {
  public:
    // `deja_envoye`: bytes the device wrote before the program started, left waiting in
    // the driver.
    explicit Poste_Acquisition(const QByteArray& deja_envoye = {});
    ~Poste_Acquisition();

    Echo& echo() { return *poste.echo; }
    Etat_Application& etat() { return *poste.etat; }

    // Bytes the program has sent, read within the time given (at least `au_moins` of
    // them, or fewer when the time is up). Events keep running meanwhile.
    QByteArray Lire_Commandes(int au_moins, int delai_ms = 1000);
    // Everything the program sends during the given time.
    QByteArray Commandes_Pendant(int ms);
    void Ecrire(const QByteArray& octets);
    // Writes a frame and waits for the program's answer to it (one request).
    QByteArray Envoyer_Trame(const QByteArray& trame);
    // The device goes away.
    void Debrancher() { ligne.close(); }

    Poste poste;
    simulator::PseudoTerminal ligne;
};

}  // namespace corvanta::test
