// The general tab: language, port, picture format, commissioning date, export folder.
#include <QComboBox>
#include <QLineEdit>

#include "app/reglages.h"
#include "main_window/data.h"
#include "main_window/echo.h"
#include "platform/settings_store.h"

namespace corvanta {

void Echo::Combo3_Click() {
    const int index = Combo3->currentIndex();
    if (index < 0)
        return;
    etat_.Registre->write(kSection_General, kCle_Langue,
                          index == 0 ? QStringLiteral("Francais") : QStringLiteral("English"));
}

void Echo::Combo2_Click() {
    etat_.Registre->write(kSection_General, kCle_Port_Com,
                          platform::formatPlain(Combo2->currentIndex() + 1));
}

void Echo::Combo_Format_Image_Change() {
    etat_.Registre->write(kSection_General, kCle_Images,
                          platform::formatPlain(Format_Image_Choisi()));
}

int Echo::Format_Image_Choisi() const {
    // Typed text that is not the chosen item's leaves no item chosen.
    const int index = Combo_Format_Image->currentIndex();
    if (index < 0 || Combo_Format_Image->currentText() != Combo_Format_Image->itemText(index)) {
        return -1;
    }
    return index;
}

void Echo::Date_MES_Change() {
    const QString texte = Date_MES->text();
    etat_.Date_Mise_En_Service = texte.leftJustified(8, QLatin1Char(' '), true);
    etat_.Registre->write(kSection_General, kCle_Date_MES, texte);
}

void Echo::Chemin_Change() {
    etat_.Repertoire_Export = Chemin->text();
    etat_.Registre->write(kSection_General, kCle_Export, etat_.Repertoire_Export);
    if (fenetres_examen_)
        fenetres_examen_->Dossier_Export_Change();
}

Data* Echo::Fenetre_Data() const {
    return data_.data();
}

void Echo::Bouton_Chemin_Click() {
    if (!data_) {
        data_ = new Data(*this, etat_, Volumes_Montes);
        data_->Form_Load();
    }
    data_->show();
    data_->raise();
    data_->activateWindow();
}

}  // namespace corvanta
