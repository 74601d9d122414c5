#pragma once

#include <QByteArray>

namespace corvanta::test {

// A frame of the device: "HSE", the status byte, the samples.
QByteArray Trame_Appareil(const QByteArray& echantillons, char etat = 0x01);
// n samples of a slowly rising ramp that never spells the header.
QByteArray Rampe(int n, int depart = 0);

}  // namespace corvanta::test
