// Start-up and exit of the main window.
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolBar>

#include "app/boite_erreur.h"
#include "app/chargement_libelles.h"
#include "app/index_base.h"
#include "app/libelles_demarrage.h"
#include "app/lignes_patients.h"
#include "app/reglages.h"
#include "app/requetes.h"
#include "app/structure_base.h"
#include "app/traduction_qt.h"
#include "main_window/attente.h"
#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"
#include "widgets/curve_view.h"
#include "widgets/message_boxes.h"

namespace corvanta {

namespace {

const QString kSettings_Port = QStringLiteral("115200,N,8,1");
constexpr int kTaille_Tampon_Entree = 512;
constexpr char kCommande_400_Points = 0x07;

// A stored number read with its default, the default also standing in for a value
// outside the range its control accepts.
int Lire_Entier16(const platform::SettingsStore& registre, const QString& cle, int defaut,
                  int minimum, int maximum) {
    const int valeur = registre.readInt16(kSection_General, cle, static_cast<std::int16_t>(defaut));
    return valeur >= minimum && valeur <= maximum ? valeur : defaut;
}

}  // namespace

void Echo::Form_Load() {
    Attente attente;
    attente.show();
    QCoreApplication::processEvents();

    Entree();
    attente.close();
    if (!etat_.Registre->refusedFile().isEmpty()) {
        showWarning(this, etat_.Libelle(1, 165),
                    etat_.Libelle(1, 166).arg(etat_.Registre->refusedFile()));
    }

    Appliquer_Libelles(etat_.Libelle);
    Remplir_Liste_Nom();

    if (PDQComm1_->isPortOpen()) {
        Vider_Entree();
        Envoyer_Commande(Reception_Trames::kCommande_Trame_Suivante);
        Activer(Timer2);
    }
    // Before any event is handled, as if opened where the start-up routine names them.
    Ouvrir_Recordsets_Differes();
    Nommer_Fichier_Aide(QStringLiteral("Corvanta.chm"));
}

void Echo::Entree() {
    platform::SettingsStore& registre = *etat_.Registre;

    // The folder keeps its real case: the database is found by its true name.
    etat_.Repertoire_Programme = QDir::currentPath();
    etat_.Chemin_Base = QDir(etat_.Repertoire_Programme).filePath(QStringLiteral("Sinus.mdb"));

    const QString langue = registre.read(kSection_General, kCle_Langue, QStringLiteral("Francais"));
    // The list follows the language actually loaded: "Francais " stays French.
    Selectionner(Combo3, Colonne_Langue(langue) == QStringLiteral("Francais") ? 0 : 1,
                 [this] { Combo3_Click(); });

    Charger_Libelles_Demarrage(Colonne_Langue(langue), etat_.Libelle);
    etat_.Base_Donnees = std::make_unique<platform::Database>(etat_.Chemin_Base);
    Verifier_Structure_Base(*etat_.Base_Donnees);
    Charger_Libelles(*etat_.Base_Donnees, langue, etat_.Libelle);
    etat_.Traduction_Qt = Traduire_Qt(Colonne_Langue(langue));

    {
        const QSignalBlocker bloque(Combo1);
        Combo1->clear();
        for (int points : {50, 100, 200, 400}) {
            Combo1->addItem(QString::number(points) + QStringLiteral(" points"), points);
        }
    }
    Selectionner(Combo1, 3, [this] { Combo1_Click(); });

    etat_.Port_Com = Lire_Entier16(registre, kCle_Port_Com, 1, 1, 5);
    {
        const QSignalBlocker bloque(Combo2);
        Combo2->clear();
        for (int port = 1; port <= 5; ++port)
            Combo2->addItem(QStringLiteral("COM %1").arg(port));
    }
    Selectionner(Combo2, etat_.Port_Com - 1, [this] { Combo2_Click(); });

    {
        // Restoring the stored format is no change of the user's: nothing is written back.
        const QSignalBlocker bloque(Combo_Format_Image);
        Combo_Format_Image->setCurrentIndex(Lire_Entier16(registre, kCle_Images, 0, -1, 1));
    }

    for (int i = 0; i < 2; ++i) {
        const QString cle = i == 0 ? kCle_Moyenneur : kCle_Passe_Bas;
        const int valeur = registre.readInt32(kSection_Filtrage, cle, 0);
        const QSignalBlocker bloque(Slider1[i]);
        Slider1[i]->setValue(valeur >= 0 && valeur <= 5 ? valeur : 0);
    }
    Slider1_Scroll(0);
    Slider1_Scroll(1);

    Mettre_A_Jour_Index();
    etat_.Table_Patients = Ouvrir_Patients(*etat_.Base_Donnees);
    ResetCheck();
    // The drawing above bound the live view; the other two functions are bound now, so
    // that a library missing one stops here rather than at the first frame.
    etat_.Bibliotheque->smooth_filter();
    etat_.Bibliotheque->preview_samples();
    if (etat_.Table_Patients->recordCount() != 0)
        etat_.Table_Patients->moveFirst();

    etat_.Nombre_Points = Combo1->currentData().toInt();
    etat_.Taille_Entete = 4;

    Gel_Courbe = 0;
    Selection_Courbes.fill(0);
    for (Echantillons_Courbe& courbe : Courbes_Affichees)
        courbe.fill(0);

    Picture2->setVisible(Toolbar2_Boutons[0]->isChecked());

    etat_.Medecin_Courant = Lire_Entier16(registre, kCle_Medecin, 1, 1, 3);
    Toolbar3_Boutons[etat_.Medecin_Courant - 1]->setChecked(true);
    Lire_Medecins(registre, etat_);

    etat_.Type_Examen = Lire_Entier16(registre, kCle_Def_Type, 0, 0, 4);
    Afficher_Medecin(etat_.Medecin_Courant);

    Choisir_Type_Examen_Au_Demarrage(etat_.Type_Examen);

    Lire_Zones(registre, etat_);
    Remplir_Zones_Sensibles();

    Selectionner(Combo2, etat_.Port_Com - 1, [this] { Combo2_Click(); });
    PDQComm1_->setPortNumber(etat_.Port_Com);
    PDQComm1_->setSettings(kSettings_Port);
    PDQComm1_->setInputLength(etat_.Nombre_Points + etat_.Taille_Entete);
    PDQComm1_->setReceiveThreshold(etat_.Nombre_Points + etat_.Taille_Entete);
    PDQComm1_->setInputBufferSize(kTaille_Tampon_Entree);

    const QString date = registre.read(kSection_General, kCle_Date_MES, QStringLiteral("01/01/99"));
    // Read as it stands, whatever an older build wrote; printed whole.
    etat_.Date_Mise_En_Service = Date_Mise_En_Service_Imprimee(date);
    Changer_Texte(Date_MES, etat_.Date_Mise_En_Service, [this] { Date_MES_Change(); });
    date_mes_confirmee_ = etat_.Date_Mise_En_Service;

    etat_.Repertoire_Export =
        registre.read(kSection_General, kCle_Export, etat_.Repertoire_Programme);
    Changer_Texte(Chemin, etat_.Repertoire_Export, [this] { Chemin_Change(); });

    Ouvrir_Port();
}

void Echo::Ouvrir_Port() {
    try {
        PDQComm1_->setPortOpen(true);
        PDQComm1_->input();
        Envoyer_Commande(kCommande_400_Points);
    } catch (const Error& erreur) {
        const Libelles& l = etat_.Libelle;
        const QString port = Nombre_Avec_Signe(etat_.Port_Com) + QStringLiteral(" ");
        if (erreur.number() == platform::SerialPort::kInvalidPortNumber) {
            showWarning(this, l(1, 68), l(1, 69) + port + l(1, 71));
        } else if (erreur.number() == platform::SerialPort::kPortAlreadyOpen) {
            showWarning(this, l(1, 68), l(1, 69) + port + l(1, 70));
        } else {
            showErrorBox(this, l, erreur);
        }
    }
}

void Echo::Sortie() {
    Fermer_Application();
    Terminer(0);
}

bool Echo::Quitter() {
    if (!ferme_ && fenetres_examen_ && !fenetres_examen_->Abandon_Accepte())
        return false;
    Sortie();
    return true;
}

void Echo::Fermer_Application() {
    if (ferme_)
        return;
    ferme_ = true;
    Timer1->stop();
    Timer2->stop();

    // A doctor box still being edited would lose its text: keep it for its slot.
    Memoriser_Medecin();
    platform::SettingsStore& registre = *etat_.Registre;
    Ecrire_Zones(registre, etat_);
    Ecrire_Medecins(registre, etat_);
    registre.write(kSection_General, kCle_Medecin, platform::formatPlain(etat_.Medecin_Courant));
    registre.write(kSection_General, kCle_Export, etat_.Repertoire_Export);
    registre.write(kSection_General, kCle_Def_Type, platform::formatPlain(etat_.Type_Examen));
    try {
        registre.sync();
    } catch (const Error& erreur) {
        // The settings could not be kept; the port and the database are closed all the same.
        showErrorBox(this, etat_.Libelle, erreur);
    }

    if (PDQComm1_->isPortOpen())
        PDQComm1_->setPortOpen(false);
    etat_.Table_Courbes.reset();
    etat_.Table_Patients.reset();
    etat_.Table_Examens.reset();
    if (etat_.Base_Donnees)
        etat_.Base_Donnees->close();
    etat_.Base_Donnees.reset();
}

}  // namespace corvanta
