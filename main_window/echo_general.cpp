// The general tab: language, port, picture format, commissioning date, export folder.
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QRegularExpression>

#include "app/reglages.h"
#include "main_window/data.h"
#include "main_window/echo.h"
#include "platform/settings_store.h"
#include "widgets/message_boxes.h"

namespace corvanta {

namespace {

constexpr int kTitre_Date_MES = 170;
constexpr int kDate_MES_Refusee = 171;

}  // namespace

bool Est_Date_Mise_En_Service(const QString& texte) {
    static const QRegularExpression forme(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})\\s*$"));
    const QRegularExpressionMatch date = forme.match(texte);
    if (!date.hasMatch())
        return false;
    // The century does not matter to a day's validity but for 29 February.
    const int annee = date.captured(3).toInt() + (date.captured(3).size() == 2 ? 2000 : 0);
    return QDate(annee, date.captured(2).toInt(), date.captured(1).toInt()).isValid();
}

QString Date_Mise_En_Service_Imprimee(const QString& texte) {
    return texte.leftJustified(8, QLatin1Char(' '));
}

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
    if (!Est_Date_Mise_En_Service(texte))
        return;
    // Kept whole: a year cut to "20" would be read as 2020.
    etat_.Date_Mise_En_Service = Date_Mise_En_Service_Imprimee(texte);
    etat_.Registre->write(kSection_General, kCle_Date_MES, texte);
    if (!Date_MES->isModified())
        date_mes_confirmee_ = texte;
}

void Echo::Date_MES_LostFocus() {
    const QString texte = Date_MES->text();
    Date_MES->setModified(false);
    if (Est_Date_Mise_En_Service(texte)) {
        date_mes_confirmee_ = texte;
        return;
    }
    const Libelles& l = etat_.Libelle;
    showWarning(this, l(1, kTitre_Date_MES), l(1, kDate_MES_Refusee).arg(texte));
    Changer_Texte(Date_MES, date_mes_confirmee_, [this] { Date_MES_Change(); });
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
