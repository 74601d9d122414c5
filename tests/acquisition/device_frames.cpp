#include "tests/acquisition/device_frames.h"

namespace corvanta::test {

QByteArray Trame_Appareil(const QByteArray& echantillons, char etat) {
    return QByteArray("HSE") + QByteArray(1, etat) + echantillons;
}

QByteArray Rampe(int n, int depart) {
    QByteArray octets(n, '\0');
    for (int i = 0; i < n; ++i)
        octets[i] = static_cast<char>((depart + i / 4) % 60);
    return octets;
}

}  // namespace corvanta::test
