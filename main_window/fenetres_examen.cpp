#include "main_window/fenetres_examen.h"

namespace corvanta {

namespace {

Fabrique_Fenetres_Examen& Fabrique() {
    static Fabrique_Fenetres_Examen fabrique;
    return fabrique;
}

}  // namespace

void Enregistrer_Fenetres_Examen(Fabrique_Fenetres_Examen fabrique) {
    Fabrique() = std::move(fabrique);
}

const Fabrique_Fenetres_Examen& Fabrique_Enregistree() {
    return Fabrique();
}

}  // namespace corvanta
