#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "app/etat_application.h"
#include "app/importation_base.h"
#include "app/libelle.h"
#include "app/lignes_patients.h"
#include "main_window/drive_list.h"
#include "main_window/fenetres_examen.h"
#include "main_window/reception_trames.h"
#include "platform/serial_port.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QTabWidget;
class QTimer;
class QShortcut;
class QToolBar;

namespace corvanta {

class CurveView;
class Data;
class Patients;
class ScalePicture;

namespace report {
struct CurvePageInput;
struct CurvePagePatient;
}  // namespace report

// Whether `texte` is a commissioning date as the general tab takes it: day, month and year
// of a real day as dd/mm/yyyy or dd/mm/yy (one-digit day and month allowed), blanks around.
bool Est_Date_Mise_En_Service(const QString& texte);
// The date as the reports print it: whole, completed to 8 characters with blanks.
QString Date_Mise_En_Service_Imprimee(const QString& texte);

// The main window: live view with its scales and comparison slots, the four-page tab
// control (zones, filters, patients and curves, general settings), the print, restart,
// quit and freeze buttons and the menu bar. Its client area is 792 x 561 pixels.
//
// The controls are public and named as in the window's design; every one carries its
// name as object name. Qt parents own them: the pointers never own.
class Echo : public QMainWindow,
             public Fenetre_Principale,
             public Courbe_Vivante,
             private Poste_Reception {
  public:
    // The window works on the application state for the whole run.
    explicit Echo(Etat_Application& etat, QWidget* parent = nullptr);
    ~Echo() override;

    static constexpr int kClientWidth = 792;
    static constexpr int kClientHeight = 561;
    static constexpr int kViewWidth = 697;
    static constexpr int kViewHeight = 337;

    // ---- Interface texts ---------------------------------------------------------------
    // Puts the translated captions and tooltips of form 1 on the window, each control
    // getting its text even when it is empty. Controls not translated keep their design
    // texts ("Type", "Import", the unit labels, the fixed list items, the doctor buttons).
    void Appliquer_Libelles(const Libelles& libelle);

    // ---- Menu bar -----------------------------------------------------------------------
    QAction* Menu_Gestion_Patients = nullptr;
    QAction* Menu_Gestion_Examens = nullptr;
    QMenu* Menu_Type_Examens = nullptr;
    QAction* Menu_Sinus_Maxillaires = nullptr;
    QAction* Menu_Sinus_Frontaux = nullptr;
    QAction* Menu_Cellules = nullptr;
    QAction* Menu_Plevre = nullptr;
    QAction* Menu_Tumeur = nullptr;
    QAction* Menu_Quitter = nullptr;

    // ---- Live view and comparison slots -------------------------------------------------
    QFrame* Frame1 = nullptr;
    CurveView* Picture1 = nullptr;       // live view, 697 x 337
    CurveView* Picture2 = nullptr;       // preview inset over the live view, hidden at design
    ScalePicture* Picture3 = nullptr;    // depth scale under the view, 0..80 mm
    ScalePicture* Picture4 = nullptr;    // level scale left of the view, 0..60 from the top
    std::array<QFrame*, 5> Shape1{};     // slot colour swatches
    std::array<QCheckBox*, 5> Check1{};  // slot check boxes
    QPushButton* Bouton_Geler = nullptr;

    // ---- Buttons under the view ---------------------------------------------------------
    QPushButton* Bouton_Imprimer_Courbe_Acquisition = nullptr;
    QPushButton* Bouton_Relancer = nullptr;
    QPushButton* Bouton_Quitter = nullptr;

    QTabWidget* SSTab1 = nullptr;

    // ---- Tab 0: sensitive zones ---------------------------------------------------------
    QLabel* Label_Zones_Sensibles = nullptr;
    QListWidget* List2 = nullptr;
    QLabel* Label_Abscisse_Debut = nullptr;
    QLabel* Label_Abscisse_Fin = nullptr;
    QLabel* Label_Seuil_Detection = nullptr;
    std::array<QLineEdit*, 3> Texte_Seuils{};  // start, end, threshold
    std::array<QLabel*, 3> Label4{};           // units "mm", "%", "mm"
    std::array<QCheckBox*, 2> Check_Action{};  // zone active, automatic freeze

    // ---- Tab 1: filters and number of points -------------------------------------------
    QLabel* Label_Filtre_Moyenneur = nullptr;
    QLabel* Label_Filtre_PasseBas = nullptr;
    std::array<QSlider*, 2> Slider1{};           // moving average, low-pass: 0..5
    std::array<QLabel*, 2> Label_Nbre_Points{};  // value of each setting
    QPushButton* Bouton_Sauvegarder = nullptr;
    QLabel* Label_Nombre_Points = nullptr;
    QComboBox* Combo1 = nullptr;  // points per curve, filled by start-up

    // ---- Tab 2: current patient and stored curves --------------------------------------
    QGroupBox* Frame_Patient = nullptr;
    QComboBox* Liste_Nom = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QGroupBox* Frame_Courbes = nullptr;
    QToolBar* Toolbar1 = nullptr;
    std::array<QAction*, 2> Toolbar1_Boutons{};  // right side (pressed), left side
    QToolBar* Toolbar2 = nullptr;
    std::array<QAction*, 4> Toolbar2_Boutons{};  // preview (check button), store, delete, print
    QListWidget* List1 = nullptr;
    QPlainTextEdit* Commentaire_Courbe = nullptr;

    // ---- Tab 3: general settings and doctors' details ----------------------------------
    QLabel* Label_Langue = nullptr;
    QComboBox* Combo3 = nullptr;  // "Francais", "English"
    QLabel* Label_Port = nullptr;
    QComboBox* Combo2 = nullptr;  // ports, filled by start-up
    QLabel* Label_Date_Mes = nullptr;
    QLineEdit* Date_MES = nullptr;
    QLabel* Label_Repertoire = nullptr;
    QLineEdit* Chemin = nullptr;
    QPushButton* Bouton_Chemin = nullptr;
    QComboBox* Combo_Format_Image = nullptr;  // "Jpeg", "Bmp"; text can be typed
    QPushButton* Bouton_Import = nullptr;
    QLabel* Label_Medecin_No = nullptr;
    QToolBar* Toolbar3 = nullptr;
    std::array<QAction*, 3> Toolbar3_Boutons{};  // "1", "2", "3"
    QLabel* Label_Nom = nullptr;
    QLabel* Label_Adresse = nullptr;
    QLabel* Label_Tel = nullptr;
    QLabel* Label_Fax = nullptr;
    QLabel* Label_Num_Ordre = nullptr;
    QLineEdit* Texte_Nom_Medecin = nullptr;
    QLineEdit* Texte_Adresse1_Medecin = nullptr;
    QLineEdit* Texte_Adresse2_Medecin = nullptr;
    QLineEdit* Texte_Tel_Medecin = nullptr;
    QLineEdit* Texte_Fax_Medecin = nullptr;
    QLineEdit* Texte_Inscription_Medecin = nullptr;

    // ---- Invisible parts used by the printed curve page --------------------------------
    std::array<QLabel*, 4> Picture5{};  // zone pins, boxes of 25 x 29 pixels
    QLabel* LabelTag = nullptr;         // its text colour is the default label colour

    // ---- Timers -------------------------------------------------------------------------
    QTimer* Timer1 = nullptr;  // resynchronisation wait, interval 0 and idle at design
    QTimer* Timer2 = nullptr;  // frame request, 300 ms, idle at design

    // ---- Start-up and exit (echo_demarrage.cpp) ---------------------------------------
    // The load: wait window, start-up, texts, patient list, first frame request.
    void Form_Load();
    // Builds the application state: settings, database, texts, lists, zones, serial port.
    // A failure before the port opening is an Error for the caller to report.
    void Entree();
    // Writes the settings back, closes port and database, then ends the program.
    void Sortie();
    // The quit button, the quit menu and the close box: a new exam being typed in an exam
    // window is only given up when the user says so; then Sortie. False when kept.
    bool Quitter();
    // Everything Sortie does but ending the process; runs once.
    void Fermer_Application();
    // Ends the process with the given status; tests replace it.
    std::function<void(int)> Terminer;

    // ---- General tab (echo_general.cpp) -------------------------------------------------
    void Combo3_Click();
    void Combo2_Click();
    void Combo_Format_Image_Change();
    // The commissioning date follows every change of the box that is a date, whole as typed
    // (dd/mm/yyyy or dd/mm/yy).
    void Date_MES_Change();
    // When the typing ends: a text that is not a date is refused with a message and the date
    // the box held before the typing comes back.
    void Date_MES_LostFocus();
    void Chemin_Change();
    // The chosen picture format: 0 "Jpeg", 1 "Bmp", -1 when typed text chose none.
    int Format_Image_Choisi() const override;
    // Opens the export-folder chooser, or brings it forward while it is open.
    void Bouton_Chemin_Click();
    // The chooser while it is open; null once it is closed.
    Data* Fenetre_Data() const;
    // The volumes the chooser's drive list offers. Tests replace it.
    VolumeSource Volumes_Montes = mountedVolumes;

    // ---- Import of another database (echo_import.cpp) ---------------------------------
    void Bouton_Import_Click();
    // Asks for a database file and appends its patients, curves and exams; a path without
    // "sinus" (in any case) is passed over quietly. Then the three recordsets are
    // requeried and the patient list, and an open exam window, brought up to date, and one
    // message says what was added and what was there already. A refused file, a failed or
    // a cancelled import changes nothing and says so, naming the file and what is wrong.
    // A wait cursor shows while it runs, refill included, and a progress window with a
    // Cancel button once it has lasted `Delai_Progression_Import` (Progression_Import).
    void Importer_Base();
    std::chrono::milliseconds Delai_Progression_Import{500};
    // The engine's import, run on a thread of its own. Tests wrap it.
    std::function<Bilan_Import(platform::Database& base, const QString& chemin,
                               const Suivi_Import& suivi)>
        Importer_Fichier = Importer_Base_Externe;
    // The open-file dialog of the import, given its title: the chosen file's full path,
    // empty when cancelled. Tests replace it.
    std::function<QString(const QString& titre)> Choisir_Fichier_Import;

    // ---- Live view and filters (echo_vue.cpp) ------------------------------------------
    void Picture1_Paint();
    void Slider1_Scroll(int index);
    void Bouton_Sauvegarder_Click();
    // A comparison slot filled or emptied; runs whenever Check1(index) changes.
    void Check1_Click(int index);
    void ResetCheck();
    void Effacer_Selection_Couleur();

    // ---- Zones (echo_zones.cpp) ---------------------------------------------------------
    void Remplir_Zones_Sensibles();
    void List2_Click();
    // Only Enter (13) stores the three boxes; other keys just type.
    void Texte_Seuils_KeyPress(int index, int touche);
    void Texte_Seuils_LostFocus(int index);
    void Check_Action_Click(int index);

    // ---- Patients (echo_patients.cpp) ---------------------------------------------------
    // Lists every patient of `Table_Patients`, each line keeping its `Code_Patient`, and
    // reselects the current patient by key (the first line when he is gone), which loads
    // him; with no current patient nothing is selected and `Table_Patients` is on its first
    // record. A row deleted elsewhere (another copy of the program on the same file) is
    // left out. Database failures are Errors for the caller. `lues`: the lines of
    // `Table_Patients` read beforehand (Lire_Lignes_Patients), say on another thread.
    void Remplir_Liste_Nom(std::optional<Lignes_Patients> lues = std::nullopt);
    // Makes the patient of the selected line current and loads him, found by his key. A
    // patient no longer in `Table_Patients` loads nobody and says so; any other failure
    // ends in the standard error box.
    void Liste_Nom_Click();
    // Loads the current record of `Table_Patients` as current patient: names, key,
    // caption, his curves of the current exam type in `Table_Courbes` and `List1`.
    void ChargePatient();
    // Shows the patient window, made at its first opening and kept for the whole run;
    // its closing refills the patient list and reloads the current patient, or the patient
    // last saved there when no other patient was loaded here since that save.
    void Menu_Gestion_Patients_Click();
    // The patient window once the menu has made it; null before.
    Patients* Fenetre_Patients() const { return fenetre_patients_.get(); }

    // ---- Stored curves (echo_courbes.cpp) -----------------------------------------------
    // Previews the selected curve (or the empty grid) and shows its comment.
    void List1_Click();
    // The preview: the selected curve, found by its `ID`, becomes the current record of
    // `Table_Courbes` when it is there, is filtered with its own stored settings and the
    // current number of points and drawn into `Picture2`; its comment goes to the box.
    // With no line selected the grid and a flat line are drawn. Errors go to the caller.
    void Picture2_Paint();
    // Writes the box's text to the selected curve, by its `ID`; nothing without one.
    void Commentaire_Courbe_Change();
    // Button 1..4 of `Toolbar2`: preview on/off, store the live curve, delete the selected
    // curve, print it on the curve page. Failures end in a message; nothing escapes.
    void Toolbar2_ButtonClick(int index);
    // The previewed curve after filtering.
    Echantillons_Courbe Courbe_Apercu{};

    // ---- Curve print page (echo_impression.cpp) ----------------------------------------
    // Prints the live view (0) or the curve selected in `List1`, by its `ID` (1), with the
    // current patient, read by his key, and the present filter settings and number of
    // points. Without a printer the page goes, as a PDF, into the export folder, and one
    // message names the file. A failure ends in the standard error box and leaves nothing.
    void Imprimer_Courbe(int Mode_Impression);
    void Bouton_Imprimer_Courbe_Acquisition_Click();

    // ---- Serial dialogue (echo_serie.cpp) -----------------------------------------------
    void Combo1_Click();
    platform::SerialPort& PDQComm1() { return *PDQComm1_; }
    // The receive procedure and the header check of the receive loop (Reception_Trames).
    void PDQComm1_OnComm();
    bool ValidateHeader();
    void Timer1_Timer();
    void Timer2_Timer();
    void Bouton_Relancer_Click();
    void Bouton_Geler_Click();
    // The device went away: port closed, both timers stopped, one message naming the
    // device file and what took it away.
    void Appareil_Perdu(const QString& appareil, platform::SerialPort::Loss cause);

    // ---- Doctors (echo_medecins.cpp) ----------------------------------------------------
    // Shows slot 1..3 in the six boxes; runs no handler.
    void Afficher_Medecin(int slot);
    // Keeps the six boxes' texts as the current slot's details.
    void Memoriser_Medecin();
    // Leaving detail box 0..5 (name, address 1, address 2, telephone, fax, registration):
    // its text becomes the current slot's detail, in the state and in the settings.
    void Texte_Medecin_LostFocus(int detail);
    // Button 1..3 of `Toolbar3`: the boxes are stored for the slot being left, then the
    // clicked slot becomes current and is shown.
    void Toolbar3_ButtonClick(int bouton);
    // The six boxes stored for slot `Medecin_Courant`, in the state and in the settings.
    void Enregistrer_Medecin();
    // The doctor chosen from an exam window: what the boxes hold is stored first, then
    // slot 1..3 becomes current, its button of `Toolbar3` pressed and its details shown.
    void Choisir_Medecin(int slot) override;

    // ---- Exam types and exam windows (echo_types.cpp) ----------------------------------
    // The five type menus: type 0..4 becomes current (caption, check mark, exams
    // recordset, zones, current patient's curves, live view), and an open exam window
    // follows it.
    void Changer_Type_Examen(int type);
    // Loads and shows the exam window of the current type.
    void Menu_Gestion_Examens_Click();
    // The exam windows once the menu has created them; null before.
    Fenetres_Examen* Fenetres_Examen_Chargees() const { return fenetres_examen_.get(); }
    // What they read of the filter tab: the sliders and the entry of Combo1.
    Reglages_Filtre Filtre_Choisi() const override;
    int Nombre_Points_Liste() const override;

    // ---- Live curve state (the curve itself: Courbe_Vivante) ----------------------------
    std::array<Echantillons_Courbe, 5> Courbes_Affichees{};
    std::array<std::uint8_t, 5> Selection_Courbes{};
    int Zone_Selectionnee = 0;
    // Per slot: the line position of its curve in List1 as text ("-1" once emptied,
    // empty before first use) and the curve's key (0 when the slot holds none).
    std::array<QString, 5> Tag_Check1{};
    std::array<std::int64_t, 5> Cle_Check1{};

  private:
    // Changes made by the program that run the control's handler once (echo_outils.cpp).
    void Selectionner(QComboBox* liste, int index, const std::function<void()>& gestionnaire);
    void Changer_Texte(QLineEdit* boite, const QString& texte,
                       const std::function<void()>& gestionnaire);
    static void Activer(QTimer* minuterie);
    void Nommer_Fichier_Aide(const QString& nom);
    void Connecter_Gestionnaires();
    void closeEvent(QCloseEvent* evenement) override;

    void Ouvrir_Port();
    // Gives a file made by an earlier version the indexes of this one (echo_index.cpp).
    void Mettre_A_Jour_Index();
    void Envoyer_Commande(char commande);
    // Reads the input until nothing is left, then throws away what the driver still holds.
    void Vider_Entree();
    // The receive loop's window (echo_serie.cpp).
    int Nombre_Points() const override { return etat_.Nombre_Points; }
    int Taille_Entete() const override { return etat_.Taille_Entete; }
    void Laisser_Evenements(bool attendre) override;
    void Commencer_Attente(int delai_ms) override;
    void Activer_Demandes() override;
    void Filtrer(Courbe_Vivante& courbe) override;
    int Dessiner_Courbe_Vivante() override;
    int Dessiner_Vue(Zone_Sensible* zones);
    void Remplir_Case(int index, int ligne);
    void Vider_Case(int index);
    void Marquer_Courbe(std::int64_t cle, bool imprimer, int couleur);
    void Stocker_Zone();
    void Remplacer_Ligne_Zone(int z);
    void Ouvrir_Type_Examen(int type);
    // The start-up's type: state, menus and caption at once, its exams after the first
    // frame request (Ouvrir_Recordsets_Differes) with the curves of the type.
    void Choisir_Type_Examen_Au_Demarrage(int type);
    void Ouvrir_Recordsets_Differes();
    void Marquer_Type_Examen(int type);
    // The check mark of the "Type" menu on the entry of `type` only.
    void Cocher_Type(int type);
    QString Titre_Type(int type) const;
    QString Fin_Ligne_Zone(const Zone_Sensible& zone) const;
    QString Ligne_Zone_Fixe(int z) const;
    QString Ligne_Zone_Traduite(int z) const;
    std::array<QLineEdit*, 6> Boites_Medecin() const;
    std::unique_ptr<Fenetres_Examen> fenetres_examen_;
    QPointer<Data> data_;  // owned by the window as its child, deleted when closed
    QString Dialogue_Ouvrir_Base(const QString& titre);

    // Patients and stored curves (echo_patients.cpp, echo_courbes.cpp).
    std::unique_ptr<Patients> fenetre_patients_;
    // Makes the current record of `patients` the current patient: names, key, caption
    // and his curves of the current exam type; Choisir_Patient also shows his comment.
    void Charger_Patient(const platform::Recordset& patients);
    void Choisir_Patient(const platform::Recordset& patients);
    // The refill, reselecting the patient of key `patient` (the first line when he is
    // gone); with no patient no line is selected.
    void Remplir_Liste_Nom(std::optional<std::int64_t> patient,
                           std::optional<Lignes_Patients> lues = std::nullopt);
    // Empties the curve comment box, which belongs to no curve while none is selected.
    void Vider_Commentaire_Courbe();
    void Charger_Courbes_Patient();
    void Oublier_Patient();
    // A patient was found deleted elsewhere: the patient list is read again from the file
    // (his line goes) and the patient `garder` is reselected with the curve shown (the first
    // line when he is gone too; none when there is none to keep); then the warning `texte`.
    void Patient_Supprime_Ailleurs(const QString& texte, std::optional<std::int64_t> garder);
    // A curve was found deleted elsewhere: the current patient's curves are read again from
    // the file and the curve `garder` is selected (the first line when it is gone too);
    // then the warning `texte` of form 1, unless 0.
    void Courbe_Supprimee_Ailleurs(int texte, std::optional<std::int64_t> garder);
    void Memoriser_Courbe();
    void Supprimer_Courbe();
    // Selects a line of `List1` by program, which previews it as a click does.
    void Selectionner_Courbe(int ligne);
    void Dessiner_Apercu();
    // `ID` of the curve of the selected line of `List1`; 0 when no line is selected.
    std::int64_t Cle_Courbe_Selectionnee() const;
    // The line of `List1` of curve `cle`, or -1.
    int Ligne_Courbe(std::int64_t cle) const;
    // What the curve print page shows, read now (echo_impression.cpp); false when the
    // stored curve to print has been deleted since it was listed.
    bool Remplir_Page_Courbe(report::CurvePageInput& page) const;
    std::optional<report::CurvePagePatient> Patient_Imprime() const;
    // Saved in the patient window since the last patient loaded here; 0 when none. The
    // current patient stays until the window closes, so that a curve stored meanwhile goes
    // to the patient whose name and curves this window shows.
    std::int64_t patient_enregistre_ = 0;
    // What the preview shows, redrawn at every repaint with the current number of points:
    // a stored curve with its filter settings, or the flat line when apercu_courbe_ is false.
    bool apercu_courbe_ = false;
    Echantillons_Courbe apercu_source_{};
    int apercu_moyenne_ = 0;
    int apercu_passebas_ = 0;
    // The curve the preview and the comment box show; none while no curve is shown.
    std::optional<std::int64_t> courbe_affichee_;
    bool relecture_courbes_ = false;  // the curves are being read again

    Etat_Application& etat_;
    std::unique_ptr<platform::SerialPort> PDQComm1_;
    std::unique_ptr<Reception_Trames> reception_;
    QString fichier_aide_;
    // The commissioning date a refused typing goes back to.
    QString date_mes_confirmee_;
    QShortcut* aide_ = nullptr;
    bool ferme_ = false;
    // The exam type whose curves, and whose exams, the start-up opens after its first frame
    // request.
    std::optional<int> type_courbes_differe_;
    std::optional<int> type_examens_differe_;

    // Layout (echo_layout.cpp).
    void construireMenus();
    void construireVue(QWidget* client);
    void construireBoutons(QWidget* client);
    void construireOngletZones(QWidget* page);
    void construireOngletFiltrage(QWidget* page);
    void construireOngletPatients(QWidget* page);
    void construireOngletGeneral(QWidget* page);
    void construireInvisibles(QWidget* client);
};

}  // namespace corvanta
