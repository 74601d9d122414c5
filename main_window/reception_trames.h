#pragma once

#include <QByteArray>

#include "app/etat_application.h"

namespace corvanta {

namespace platform {
class FramePort;
}

// The live curve as the receive loop leaves it; the main window owns it and shows it.
struct Courbe_Vivante {
    QByteArray Trame;    // the last read of the port
    QByteArray Entete;   // its first three bytes and a blank
    int Gel_Courbe = 0;  // the raw curve keeps its samples while not 0
    Echantillons_Courbe Courbe_Brute{};
    // The raw curve holds the samples of a frame received during this run: only then can
    // it be stored.
    bool Courbe_Acquise = false;
    Echantillons_Courbe Courbe_Filtree{};

    void Basculer_Gel() { Gel_Courbe = Gel_Courbe == 0 ? -1 : 0; }
};

// What the receive loop asks of the window it runs in.
class Poste_Reception {
  public:
    virtual ~Poste_Reception() = default;

    // Samples per frame now; a frame adds `Taille_Entete` bytes before them.
    virtual int Nombre_Points() const = 0;
    virtual int Taille_Entete() const = 0;
    // Lets pending events run once; with `attendre`, waits for at least one first. Any
    // handler may run here, the receive loop's own included.
    virtual void Laisser_Evenements(bool attendre) = 0;
    // The frame requests every 300 ms stop, and the resynchronisation wait ends
    // (Reception_Trames::Terminer_Attente) after `delai_ms`.
    virtual void Commencer_Attente(int delai_ms) = 0;
    // The frame requests every 300 ms run again while the port is open.
    virtual void Activer_Demandes() = 0;
    // The raw curve filtered into the filtered one with the settings chosen now.
    virtual void Filtrer(Courbe_Vivante& courbe) = 0;
    // The live view drawn from the filtered curve; 1 when a zone with automatic freeze
    // found an echo above its threshold.
    virtual int Dessiner_Courbe_Vivante() = 0;
};

// The program's side of the serial dialogue with the device: each read of one frame's
// length is checked, its samples taken as the live raw curve unless frozen, filtered and
// drawn, and the next frame asked for. A read that does not start with the header puts
// the reads out of step: after a 250 ms wait every waiting byte is thrown away and one
// frame asked for. A read holding a second header is dropped.
class Reception_Trames {
  public:
    static constexpr char kCommande_Trame_Suivante = 0x10;
    static constexpr int kDelai_Resynchronisation_Ms = 250;

    // The port, the window and the curve outlive the loop.
    Reception_Trames(platform::FramePort& port, Poste_Reception& poste, Courbe_Vivante& courbe);

    // The receive procedure, for each communication event of the port. Lets pending
    // events run, so it can run nested in itself.
    void Recevoir();
    // True when the last read starts with the header; otherwise resynchronises and
    // returns false. Bytes arriving meanwhile start no receive procedure of their own.
    bool ValidateHeader();
    // The resynchronisation wait is over.
    void Terminer_Attente() { Delai_Ecoule = true; }
    // Sends one command byte while the port is open; once acquisition runs only a lost
    // device closes it, and that has been reported.
    void Envoyer_Commande(char commande);

    bool Delai_Ecoule = false;

  private:
    platform::FramePort& port_;
    Poste_Reception& poste_;
    Courbe_Vivante& courbe_;
    bool en_resynchronisation_ = false;
};

}  // namespace corvanta
