// The serial dialogue with the device as the main window runs it: the receive loop's
// window, the timers, restart, number of points, freeze and the loss of the device.
#include <QComboBox>
#include <QCoreApplication>
#include <QSlider>
#include <QTimer>

#include "app/boite_erreur.h"
#include "main_window/echo.h"
#include "platform/error.h"
#include "platform/serial_port.h"
#include "widgets/message_boxes.h"

namespace corvanta {

namespace {

constexpr int kTexte_Appareil_Perdu = 90;
// The device file gone, a failed read, a failed write: in the order of the port's causes.
constexpr int kTexte_Cause_Perte = 180;

}  // namespace

void Echo::Envoyer_Commande(char commande) {
    reception_->Envoyer_Commande(commande);
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

void Echo::Laisser_Evenements(bool attendre) {
    QCoreApplication::processEvents(attendre ? QEventLoop::WaitForMoreEvents
                                             : QEventLoop::AllEvents);
}

void Echo::Commencer_Attente(int delai_ms) {
    Timer2->stop();
    Timer1->setInterval(delai_ms);
    Activer(Timer1);
}

void Echo::Filtrer(Courbe_Vivante& courbe) {
    etat_.Bibliotheque->smooth_filter()(
        courbe.Courbe_Brute.data(), courbe.Courbe_Filtree.data(), Slider1[0]->value(),
        static_cast<std::int16_t>(Slider1[1]->value()), etat_.Nombre_Points);
}

int Echo::Dessiner_Courbe_Vivante() {
    return Dessiner_Vue(etat_.Zones_Courantes.data());
}

void Echo::PDQComm1_OnComm() {
    reception_->Recevoir();
}

bool Echo::ValidateHeader() {
    return reception_->ValidateHeader();
}

void Echo::Timer1_Timer() {
    Timer1->stop();
    reception_->Terminer_Attente();
}

void Echo::Timer2_Timer() {
    try {
        Envoyer_Commande(Reception_Trames::kCommande_Trame_Suivante);
    } catch (const Error&) {
        // The request is repeated at the next tick.
    }
}

void Echo::Bouton_Relancer_Click() {
    if (!PDQComm1_->isPortOpen())
        return;
    Vider_Entree();
    Envoyer_Commande(Reception_Trames::kCommande_Trame_Suivante);
    Activer_Demandes();
}

void Echo::Bouton_Geler_Click() {
    Basculer_Gel();
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

void Echo::Appareil_Perdu(const QString& appareil, platform::SerialPort::Loss cause) {
    Timer1->stop();
    Timer2->stop();
    reception_->Terminer_Attente();
    const Libelles& l = etat_.Libelle;
    showWarning(this, l(1, 68),
                l(1, 69) + Nombre_Avec_Signe(etat_.Port_Com) + QStringLiteral(" : ") +
                    l(1, kTexte_Appareil_Perdu) + QStringLiteral("\n\n") +
                    l(1, kTexte_Cause_Perte + static_cast<int>(cause)).arg(appareil));
}

}  // namespace corvanta
