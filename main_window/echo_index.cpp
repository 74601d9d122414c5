// A database made by an earlier version gets the indexes of this one at start-up.
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <limits>

#include "app/index_base.h"
#include "main_window/attente.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "widgets/message_boxes.h"
#include "widgets/window_placement.h"

namespace corvanta {
namespace {

// Nothing shows for an update that ends in a moment; a longer one shows a progress window,
// kept painted while the engine works. The start-up takes no input meanwhile.
class Progression_Index {
  public:
    Progression_Index(QWidget* parent, const QString& titre, const QString& texte)
        : dialogue_(parent) {
        dialogue_.setWindowTitle(titre);
        dialogue_.setLabelText(texte);
        // No button: the update cannot be stopped half-way (a null text also keeps Qt's
        // translation from bringing its default one back).
        dialogue_.setCancelButtonText(QString());
        dialogue_.setRange(0, 0);
        dialogue_.setWindowModality(Qt::ApplicationModal);
        dialogue_.setMinimumDuration(std::numeric_limits<int>::max());
        dialogue_.reset();
        dialogue_.hide();
        Placer_Sous_Attente();
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
    // Below the wait window, which stays up, centred on the screen: neither hides the other.
    void Placer_Sous_Attente() {
        dialogue_.resize(dialogue_.sizeHint().expandedTo(dialogue_.size()));
        centreOnScreen(dialogue_);
        dialogue_.move(dialogue_.x(),
                       dialogue_.y() + (Attente::kHeight + dialogue_.height()) / 2 + kEcart);
    }

    static constexpr int kEcart = 12;
    static constexpr qint64 kDelai_Ms = 400;
    static constexpr qint64 kPas_Ms = 50;
    QProgressDialog dialogue_;
    QElapsedTimer depuis_;
    qint64 dernier_ = 0;
};

// A file made by an earlier version lacks the texts of this one: they are then the
// program's own, in the language chosen.
QString Texte_Mise_A_Jour(const Libelles& libelle, bool francais, int numero) {
    const QString texte = libelle(1, numero);
    if (!texte.isEmpty())
        return texte;
    switch (numero) {
        case 190:
            return francais ? QStringLiteral("Mise à jour de la base de données")
                            : QStringLiteral("Updating the database");
        case 191:
            return francais ? QStringLiteral(
                                  "Préparation de la base de données pour cette version "
                                  "de Corvanta. Cela n'a lieu qu'une fois.")
                            : QStringLiteral(
                                  "Preparing the database for this version of "
                                  "Corvanta. This happens only once.");
        default:
            return francais ? QStringLiteral(
                                  "La base de données n'a pas pu être mise à jour. "
                                  "Corvanta fonctionne sans, plus lentement, et "
                                  "réessaiera au prochain démarrage.")
                            : QStringLiteral(
                                  "The database could not be updated. Corvanta works "
                                  "without it, more slowly, and will try again at the "
                                  "next start.");
    }
}

}  // namespace

void Echo::Mettre_A_Jour_Index() {
    platform::Database& base = *etat_.Base_Donnees;
    if (Index_A_Completer(base).empty())
        return;
    const bool francais = Combo3->currentIndex() == 0;
    const auto texte = [&](int numero) {
        return Texte_Mise_A_Jour(etat_.Libelle, francais, numero);
    };
    try {
        Progression_Index progression(this, texte(190), texte(191));
        // Another copy reading or writing the file: nothing is said, the next start tries.
        Completer_Index(base, [&progression] { progression.Avancer(); });
    } catch (const Error& erreur) {
        showWarning(
            this, texte(190),
            texte(192) + QStringLiteral("\n\n") + QString::fromStdString(erreur.description()));
    }
}

}  // namespace corvanta
