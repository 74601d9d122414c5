#include "main_window/data.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/reglages.h"
#include "main_window/echo.h"
#include "main_window/folder_list.h"
#include "platform/error.h"
#include "platform/settings_store.h"
#include "widgets/named_widgets.h"
#include "widgets/twips.h"
#include "widgets/window_placement.h"

namespace corvanta {

Data::Data(Echo& echo, Etat_Application& etat, const VolumeSource& volumes)
    : QDialog(&echo), echo_(echo), etat_(etat) {
    setObjectName(QStringLiteral("Data"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kLargeur, kHauteur);
    setWindowTitle(QStringLiteral("Choix du Repertoire"));

    Label_Choix = placeNamed<QLabel>(
        this, QStringLiteral("Label_Choix"), twipsRect(120, 90, 4230, 450),
        QStringLiteral("Choisissez le répertoire où exporter les images d'examen"));
    Label_Choix->setWordWrap(true);
    Drive1 = placeNamed<DriveList>(this, QStringLiteral("Drive1"), twipsRect(120, 600, 2850, 330),
                                   volumes);
    Dir1 = placeNamed<FolderList>(this, QStringLiteral("Dir1"), twipsRect(120, 1020, 2850, 2355));
    QFont gras = font();
    gras.setBold(true);
    Bouton_OK = placeNamed<QPushButton>(this, QStringLiteral("Bouton_OK"),
                                        twipsRect(3090, 1020, 1260, 390), QStringLiteral("OK"));
    Bouton_OK->setFont(gras);
    Bouton_Annuler =
        placeNamed<QPushButton>(this, QStringLiteral("Bouton_Annuler"),
                                twipsRect(3090, 1530, 1260, 390), QStringLiteral("Annuler"));
    Bouton_Annuler->setFont(gras);

    setTabOrder(Dir1, Bouton_OK);
    setTabOrder(Bouton_OK, Bouton_Annuler);
    setTabOrder(Bouton_Annuler, Drive1);
    Dir1->setFocus(Qt::OtherFocusReason);

    connect(Drive1, &QComboBox::currentIndexChanged, this, [this] { Drive1_Change(); });
    connect(Bouton_OK, &QPushButton::clicked, this, [this] { Bouton_OK_Click(); });
    connect(Bouton_Annuler, &QPushButton::clicked, this, [this] { Bouton_Annuler_Click(); });
    centreOnScreen(*this);
}

void Data::Form_Load() {
    const Libelles& l = etat_.Libelle;
    setWindowTitle(l(3, 1));
    Label_Choix->setText(l(3, 2));
    Bouton_OK->setText(l(3, 3));
    Bouton_Annuler->setText(l(3, 4));

    // Fresh lists stand on the program folder.
    {
        const QSignalBlocker bloque(Drive1);
        Drive1->setCurrentIndex(Drive1->indexOfPath(etat_.Repertoire_Programme));
    }
    try {
        Dir1->setPath(etat_.Repertoire_Programme);
    } catch (const Error&) {
    }

    const int volume = Drive1->indexOfPath(etat_.Repertoire_Export);
    if (volume >= 0) {
        if (!Drive1->volume(volume).available)
            return;
        Drive1->setCurrentIndex(volume);
    }
    try {
        Dir1->setPath(etat_.Repertoire_Export);
    } catch (const Error&) {
        // A folder that no longer exists: the list stays where its volume put it.
        Dir1->refresh();
    }
}

void Data::Drive1_Change() {
    const int index = Drive1->currentIndex();
    if (index < 0)
        return;
    const Volume& volume = Drive1->volume(index);
    if (!volume.available)
        return;
    // A volume's own current folder is the program folder when it holds it, else its root.
    const bool programme = Drive1->indexOfPath(etat_.Repertoire_Programme) == index;
    try {
        Dir1->setPath(programme ? etat_.Repertoire_Programme : volume.root);
    } catch (const Error&) {
    }
}

void Data::Bouton_OK_Click() {
    etat_.Repertoire_Export = Dir1->path();
    Ecrire_Repertoire_Et_Fermer();
}

void Data::Bouton_Annuler_Click() {
    Ecrire_Repertoire_Et_Fermer();
}

void Data::Ecrire_Repertoire_Et_Fermer() {
    hide();
    QCoreApplication::processEvents();
    etat_.Registre->write(kSection_General, kCle_Export, etat_.Repertoire_Export);
    echo_.Chemin->setText(etat_.Repertoire_Export);
    close();
}

}  // namespace corvanta
