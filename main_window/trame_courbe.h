#pragma once

#include <QByteArray>

#include "app/etat_application.h"

namespace corvanta {

// A frame of the device: "HSE", a status byte, then the samples. It carries no length
// field: its length is the number of points plus the four header bytes.
inline constexpr char kEntete_Trame[] = "HSE";
inline constexpr char kEtat_Bascule_Gel = 0x00;

// What one read of the port holds.
enum class Lecture_Trame {
    Entete_Invalide,  // does not start with "HSE": the reads are out of step
    Seconde_Entete,   // "HSE" again after the first three bytes: the read is dropped
    Trame_Valide,
};

// The second header is looked for first: a read that holds one is never taken, whatever
// its start.
Lecture_Trame Examiner_Trame(const QByteArray& trame);

// The status byte asks the program to toggle its frozen state.
bool Demande_Bascule_Gel(const QByteArray& trame);

// The raw curve of a read: its last `points` bytes (all of them when it is shorter, the
// header included then), followed by blanks up to the curve's 400 bytes. `points` beyond
// 400 is taken as 400.
void Prendre_Echantillons(const QByteArray& trame, int points, Echantillons_Courbe& courbe);

}  // namespace corvanta
