// The serial dialogue with the device.
#include <QComboBox>

#include "main_window/echo.h"
#include "platform/serial_port.h"

namespace corvanta {

void Echo::Envoyer_Commande(char commande) {
    PDQComm1_->output(QByteArray(1, commande));
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

}  // namespace corvanta
