// The five comparison slots: a stored curve of List1 shown beside the live curve and
// marked for the curve print page.
#include <QCheckBox>
#include <QFrame>
#include <QListWidget>
#include <QSlider>

#include "main_window/couleur_stockee.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/database_error.h"
#include "platform/error.h"

namespace corvanta {

void Echo::Marquer_Courbe(std::int64_t cle, bool imprimer, int couleur) {
    // The flags only mark curves for the print page: a failed write leaves the slot as is.
    try {
        etat_.Base_Donnees->execute(
            QStringLiteral("UPDATE Courbes SET IMPRIMER = ?, COULEUR = ? WHERE ID = ?"),
            {imprimer, couleur, cle});
    } catch (const Error&) {
    }
}

void Echo::Check1_Click(int index) {
    if (Check1[index]->isChecked()) {
        const int sel = List1->currentRow();
        if (sel < 0)
            return;
        const std::int64_t cle = List1->item(sel)->data(Qt::UserRole).toLongLong();
        for (int i = 0; i < 5; ++i) {
            if (i != index && Cle_Check1[i] != 0 && Cle_Check1[i] == cle) {
                Check1[i]->setChecked(false);
                break;
            }
        }
        Remplir_Case(index, sel);
    } else {
        Vider_Case(index);
    }
    Picture1_Paint();
}

void Echo::Remplir_Case(int index, int ligne) {
    const QListWidgetItem& item = *List1->item(ligne);
    const std::int64_t cle = item.data(Qt::UserRole).toLongLong();
    QByteArray courbe;
    try {
        courbe = etat_.Base_Donnees
                     ->queryValue(QStringLiteral("SELECT COURBE FROM Courbes WHERE ID = ?"), {cle})
                     .toBlob();
    } catch (const platform::DatabaseError&) {
        throw;  // the file failing is said, not taken for a curve no longer stored
    } catch (const Error&) {
    }
    // A curve no longer stored (or without samples) fills no slot and marks nothing.
    if (courbe.size() != kTaille_Courbe)
        return;
    Marquer_Courbe(cle, true, Couleur_Stockee(Shape1[index]->palette().color(QPalette::Window)));
    etat_.Bibliotheque->smooth_filter()(reinterpret_cast<const std::uint8_t*>(courbe.constData()),
                                        Courbes_Affichees[index].data(), Slider1[0]->value(),
                                        Slider1[1]->value(), etat_.Nombre_Points);
    Tag_Check1[index] = QString::number(ligne);
    Cle_Check1[index] = cle;
    Check1[index]->setToolTip(item.text());
    Selection_Courbes[index] = 255;
}

void Echo::Vider_Case(int index) {
    // The slot knows its curve by key: List1 may have been refilled since.
    if (Cle_Check1[index] != 0)
        Marquer_Courbe(Cle_Check1[index], false, 0);
    Tag_Check1[index] = QStringLiteral("-1");
    Cle_Check1[index] = 0;
    Check1[index]->setToolTip(QString());
    Selection_Courbes[index] = 0;
}

}  // namespace corvanta
