#include "main_window/reception_trames.h"

#include <QScopedValueRollback>

#include "main_window/trame_courbe.h"
#include "platform/frame_port.h"

namespace corvanta {

Reception_Trames::Reception_Trames(platform::FramePort& port, Poste_Reception& poste,
                                   Courbe_Vivante& courbe)
    : port_(port), poste_(poste), courbe_(courbe) {}

void Reception_Trames::Envoyer_Commande(char commande) {
    if (port_.isPortOpen())
        port_.output(QByteArray(1, commande));
}

void Reception_Trames::Recevoir() {
    if (port_.eventCode() != platform::FramePort::kDataReceived)
        return;
    // The resynchronisation under way throws these bytes away: a receive of their own
    // would start a wait inside the wait, one more at each read of a garbled stream.
    if (en_resynchronisation_)
        return;
    courbe_.Trame = port_.input();
    courbe_.Entete = courbe_.Trame.left(3).leftJustified(4, ' ');

    if (Examiner_Trame(courbe_.Trame) == Lecture_Trame::Seconde_Entete) {
        // The end of one frame and the start of another: the 300 ms requests ask again.
        ValidateHeader();
        poste_.Activer_Demandes();
        return;
    }
    if (!ValidateHeader())
        return;
    if (Demande_Bascule_Gel(courbe_.Trame))
        courbe_.Basculer_Gel();
    if (courbe_.Gel_Courbe == 0) {
        Prendre_Echantillons(courbe_.Trame, poste_.Nombre_Points(), courbe_.Courbe_Brute);
        courbe_.Courbe_Acquise = true;
    }

    poste_.Laisser_Evenements(false);

    // Filtered again while frozen: a slider moved shows on the frozen curve.
    poste_.Filtrer(courbe_);
    if (poste_.Dessiner_Courbe_Vivante() == 1)
        courbe_.Gel_Courbe = -1;
    Envoyer_Commande(kCommande_Trame_Suivante);
    poste_.Activer_Demandes();
}

bool Reception_Trames::ValidateHeader() {
    if (courbe_.Entete.startsWith(kEntete_Trame))
        return true;
    const QScopedValueRollback resynchronisation(en_resynchronisation_, true);
    Delai_Ecoule = false;
    poste_.Commencer_Attente(kDelai_Resynchronisation_Ms);
    // A closed port ends the wait at once.
    while (!Delai_Ecoule && port_.isPortOpen())
        poste_.Laisser_Evenements(true);

    const int longueur = poste_.Nombre_Points() + poste_.Taille_Entete();
    port_.setInputLength(longueur);
    port_.input();
    port_.setInBufferCount(0);
    port_.setInputLength(longueur);

    Envoyer_Commande(kCommande_Trame_Suivante);
    poste_.Laisser_Evenements(false);
    poste_.Activer_Demandes();
    return false;
}

}  // namespace corvanta
