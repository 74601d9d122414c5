#include "exams/fenetres_examen_corvanta.h"
#include "main_window/demarrage.h"

int main(int argc, char* argv[]) {
    corvanta::Installer_Fenetres_Examen();
    return corvanta::Lancer_Corvanta(argc, argv);
}
