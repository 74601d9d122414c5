#pragma once

#include <QIcon>

namespace corvanta {

// The pictures of an exam window's main toolbar, drawn at start-up (no picture files):
// 1 previous, 2 next, 3 first, 4 last, 5 new exam, 6 validate, 7 delete, 8 print,
// 9 export as a picture, 10 close. 32 x 32 pixels.
QIcon Icone_Examen(int bouton);

}  // namespace corvanta
