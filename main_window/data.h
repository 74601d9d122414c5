#pragma once

#include <QDialog>

#include "main_window/drive_list.h"
#include "widgets/twips.h"

class QLabel;
class QPushButton;

namespace corvanta {

class Echo;
class FolderList;
struct Etat_Application;

// The export-folder chooser: a drive list and a folder list set to the export folder.
// OK takes the folder the list shows, Annuler keeps the former one; both write it back to
// the settings and to the main window's `Chemin`. Modeless; OK, Annuler and the close box
// unload it (the window is deleted). It never changes the program's working directory.
class Data : public QDialog {
  public:
    Data(Echo& echo, Etat_Application& etat, const VolumeSource& volumes);

    // Client area of 4470 x 3495 twips.
    static constexpr int kLargeur = twipsToPixels(4470);
    static constexpr int kHauteur = twipsToPixels(3495);

    QLabel* Label_Choix = nullptr;
    DriveList* Drive1 = nullptr;
    FolderList* Dir1 = nullptr;
    QPushButton* Bouton_OK = nullptr;
    QPushButton* Bouton_Annuler = nullptr;

    // Texts, then the lists set to the export folder. Nothing is reported: an export
    // folder on an unavailable volume leaves both lists on the program folder, one that
    // no longer exists leaves the folder list where its volume put it.
    void Form_Load();
    // The folder list follows the chosen volume, unless that volume is unavailable.
    void Drive1_Change();
    void Bouton_OK_Click();
    void Bouton_Annuler_Click();

  private:
    void Ecrire_Repertoire_Et_Fermer();

    Echo& echo_;
    Etat_Application& etat_;
};

}  // namespace corvanta
