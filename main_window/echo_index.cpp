// A database made by an earlier version gets the indexes of this one at start-up.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <limits>

#include "app/index_base.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "widgets/message_boxes.h"

namespace corvanta {
namespace {

// Nothing shows for an update that ends in a moment; a longer one shows a progress window,
// kept painted while the engine works. The start-up takes no input meanwhile.
class Progression_Index {
  public:
    Progression_Index(QWidget* parent, const Libelles& l) : dialogue_(parent) {
        dialogue_.setWindowTitle(l(1, 190));
        dialogue_.setLabelText(l(1, 191));
        dialogue_.setCancelButton(nullptr);
        dialogue_.setRange(0, 0);
        dialogue_.setWindowModality(Qt::ApplicationModal);
        dialogue_.setMinimumDuration(std::numeric_limits<int>::max());
        dialogue_.reset();
        dialogue_.hide();
        depuis_.start();
    }

    void Avancer() {
        const qint64 maintenant = depuis_.elapsed();
        if (maintenant < dernier_ + kPas_Ms)
            return;
        dernier_ = maintenant;
        if (!dialogue_.isVisible() && maintenant >= kDelai_Ms)
            dialogue_.show();
        if (dialogue_.isVisible())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

  private:
    static constexpr qint64 kDelai_Ms = 400;
    static constexpr qint64 kPas_Ms = 50;
    QProgressDialog dialogue_;
    QElapsedTimer depuis_;
    qint64 dernier_ = 0;
};

}  // namespace

void Echo::Mettre_A_Jour_Index() {
    platform::Database& base = *etat_.Base_Donnees;
    if (Index_A_Completer(base).empty())
        return;
    try {
        Progression_Index progression(this, etat_.Libelle);
        // Another copy reading or writing the file: nothing is said, the next start tries.
        Completer_Index(base, [&progression] { progression.Avancer(); });
    } catch (const Error& erreur) {
        showWarning(this, etat_.Libelle(1, 190),
                    etat_.Libelle(1, 192) + QStringLiteral("\n\n") +
                        QString::fromStdString(erreur.description()));
    }
}

}  // namespace corvanta
