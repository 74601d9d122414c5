#include "tests/acquisition/poste_acquisition.h"

#include <poll.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

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

Poste_Acquisition::Poste_Acquisition(const QByteArray& deja_envoye) {
    poste.dossier.ecrire_reglage(QStringLiteral("PORTS"), QStringLiteral("COM1"),
                                 QString::fromStdString(ligne.slavePath()));
    if (!deja_envoye.isEmpty()) {
        Ecrire(deja_envoye);
        QThread::msleep(50);  // time for the terminal to pass them to the other end
    }
    poste.fenetre().Form_Load();
}

Poste_Acquisition::~Poste_Acquisition() {
    if (poste.echo)
        poste.echo->Fermer_Application();
}

QByteArray Poste_Acquisition::Lire_Commandes(int au_moins, int delai_ms) {
    QByteArray lu;
    waitUntil(
        [&] {
            pollfd entree{ligne.masterFd(), POLLIN, 0};
            if (::poll(&entree, 1, 0) > 0 && (entree.revents & POLLIN) != 0) {
                char tampon[256];
                const ssize_t n = ::read(ligne.masterFd(), tampon, sizeof tampon);
                if (n > 0)
                    lu.append(tampon, n);
            }
            return lu.size() >= au_moins;
        },
        delai_ms);
    return lu;
}

QByteArray Poste_Acquisition::Commandes_Pendant(int ms) {
    return Lire_Commandes(1 << 30, ms);
}

void Poste_Acquisition::Ecrire(const QByteArray& octets) {
    qsizetype fait = 0;
    while (fait < octets.size()) {
        const ssize_t n =
            ::write(ligne.masterFd(), octets.constData() + fait, octets.size() - fait);
        if (n > 0) {
            fait += n;
            continue;
        }
        pollfd sortie{ligne.masterFd(), POLLOUT, 0};
        ::poll(&sortie, 1, 20);
    }
}

QByteArray Poste_Acquisition::Envoyer_Trame(const QByteArray& trame) {
    Ecrire(trame);
    return Lire_Commandes(1);
}

}  // namespace corvanta::test
