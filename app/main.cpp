#include "main_window/demarrage.h"

int main(int argc, char* argv[]) {
    return corvanta::Lancer_Corvanta(argc, argv);
}
