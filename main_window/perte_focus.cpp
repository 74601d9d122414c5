#include "main_window/perte_focus.h"

#include <QEvent>
#include <QFocusEvent>
#include <QWidget>

namespace corvanta {

namespace {

class Filtre_Perte_Focus : public QObject {
  public:
    Filtre_Perte_Focus(QWidget* controle, std::function<void()> gestionnaire)
        : QObject(controle), gestionnaire_(std::move(gestionnaire)) {}

  protected:
    bool eventFilter(QObject*, QEvent* evenement) override {
        if (evenement->type() == QEvent::FocusOut) {
            const Qt::FocusReason raison = static_cast<QFocusEvent*>(evenement)->reason();
            if (raison != Qt::ActiveWindowFocusReason && raison != Qt::PopupFocusReason)
                gestionnaire_();
        }
        return false;
    }

  private:
    std::function<void()> gestionnaire_;
};

}  // namespace

void Sur_Perte_Focus(QWidget* controle, std::function<void()> gestionnaire) {
    controle->installEventFilter(new Filtre_Perte_Focus(controle, std::move(gestionnaire)));
}

}  // namespace corvanta
