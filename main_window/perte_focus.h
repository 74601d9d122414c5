#pragma once

#include <functional>

class QWidget;

namespace corvanta {

// Runs the handler each time the control loses the keyboard focus to another control of
// the program; a switch to another window or a popup is no loss.
void Sur_Perte_Focus(QWidget* controle, std::function<void()> gestionnaire);

}  // namespace corvanta
