// The serial dialogue with the device: receive procedure, resynchronisation, timers,
// restart, number of points, freeze and the loss of the device.
#include <QComboBox>
#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QSlider>
#include <QTimer>

#include "app/boite_erreur.h"
#include "main_window/echo.h"
#include "main_window/trame_courbe.h"
#include "platform/error.h"
#include "platform/serial_port.h"
#include "widgets/message_boxes.h"

namespace corvanta {

namespace {

constexpr int kDelai_Resynchronisation_Ms = 250;
constexpr int kTexte_Appareil_Perdu = 90;

int Inverser(int drapeau) {
    return drapeau == 0 ? -1 : 0;
}

}  // namespace

void Echo::Envoyer_Commande(char commande) {
    // Only a lost device closes the port once acquisition runs, and it has been reported.
    if (!PDQComm1_->isPortOpen())
        return;
    PDQComm1_->output(QByteArray(1, commande));
}

void Echo::Activer_Demandes() {
    if (PDQComm1_->isPortOpen())
        Activer(Timer2);
}

void Echo::Vider_Entree() {
    while (!PDQComm1_->input().isEmpty()) {
    }
    PDQComm1_->setInBufferCount(0);
}

void Echo::PDQComm1_OnComm() {
    if (PDQComm1_->eventCode() != platform::SerialPort::kDataReceived)
        return;
    // The resynchronisation under way throws these bytes away: a receive of their own
    // would start a wait inside the wait, one more at each read of a garbled stream.
    if (en_resynchronisation_)
        return;
    Trame = PDQComm1_->input();
    Entete = Trame.left(3).leftJustified(4, ' ');

    if (Examiner_Trame(Trame) == Lecture_Trame::Seconde_Entete) {
        // The end of one frame and the start of another: Timer2 asks again.
        ValidateHeader();
        Activer_Demandes();
        return;
    }
    if (!ValidateHeader())
        return;
    if (Demande_Bascule_Gel(Trame))
        Gel_Courbe = Inverser(Gel_Courbe);
    if (Gel_Courbe == 0) {
        Prendre_Echantillons(Trame, etat_.Nombre_Points, Courbe_Brute);
        Courbe_Acquise = true;
    }

    QCoreApplication::processEvents();

    etat_.Bibliotheque->smooth_filter()(
        Courbe_Brute.data(), Courbe_Filtree.data(), Slider1[0]->value(),
        static_cast<std::int16_t>(Slider1[1]->value()), etat_.Nombre_Points);
    if (Dessiner_Vue(etat_.Zones_Courantes.data()) == 1)
        Gel_Courbe = -1;
    Envoyer_Commande(kCommande_Trame_Suivante);
    Activer_Demandes();
}

bool Echo::ValidateHeader() {
    if (Entete.startsWith(kEntete_Trame))
        return true;
    const QScopedValueRollback resynchronisation(en_resynchronisation_, true);
    Delai_Ecoule = false;
    Timer2->stop();
    Timer1->setInterval(kDelai_Resynchronisation_Ms);
    Activer(Timer1);
    // A closed port ends the wait at once.
    while (!Delai_Ecoule && PDQComm1_->isPortOpen())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    const int longueur = etat_.Nombre_Points + etat_.Taille_Entete;
    PDQComm1_->setInputLength(longueur);
    PDQComm1_->input();
    PDQComm1_->setInBufferCount(0);
    PDQComm1_->setInputLength(longueur);

    Envoyer_Commande(kCommande_Trame_Suivante);
    QCoreApplication::processEvents();
    Activer_Demandes();
    return false;
}

void Echo::Timer1_Timer() {
    Timer1->stop();
    Delai_Ecoule = true;
}

void Echo::Timer2_Timer() {
    try {
        Envoyer_Commande(kCommande_Trame_Suivante);
    } catch (const Error&) {
        // The request is repeated at the next tick.
    }
}

void Echo::Bouton_Relancer_Click() {
    if (!PDQComm1_->isPortOpen())
        return;
    Vider_Entree();
    Envoyer_Commande(kCommande_Trame_Suivante);
    Activer_Demandes();
}

void Echo::Bouton_Geler_Click() {
    Gel_Courbe = Inverser(Gel_Courbe);
}

void Echo::Combo1_Click() {
    if (!PDQComm1_->isPortOpen())
        return;
    etat_.Nombre_Points = Combo1->currentData().toInt();
    switch (etat_.Nombre_Points) {
        case 50:
            Envoyer_Commande(0x04);
            break;
        case 100:
            Envoyer_Commande(0x05);
            break;
        case 200:
            Envoyer_Commande(0x06);
            break;
        case 400:
            Envoyer_Commande(0x07);
            break;
        default:
            break;
    }
    PDQComm1_->setInputLength(etat_.Nombre_Points + etat_.Taille_Entete);
    PDQComm1_->setReceiveThreshold(etat_.Nombre_Points + etat_.Taille_Entete);
}

void Echo::Appareil_Perdu(const QString& description) {
    Timer1->stop();
    Timer2->stop();
    Delai_Ecoule = true;
    const Libelles& l = etat_.Libelle;
    showWarning(this, l(1, 68),
                l(1, 69) + Nombre_Avec_Signe(etat_.Port_Com) + QStringLiteral(" : ") +
                    l(1, kTexte_Appareil_Perdu) + QStringLiteral("\n\n") + description);
}

}  // namespace corvanta
