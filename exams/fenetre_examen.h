#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "app/etat_application.h"
#include "main_window/fenetres_examen.h"
#include "platform/value.h"
#include "report/exam_report.h"
#include "report_picture/report_export.h"
#include "report_print/printed_report.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTimer;
class QToolBar;

namespace corvanta {

namespace platform {
class Recordset;
}

class CurveView;
class KeyedLines;

// What sets one exam window apart from the others besides its layout and captions.
struct Profil_Examen {
    std::vector<int> types;  // the exam types it serves
    // The form of its standard error box and of its toolbar tips.
    int form = 4;
    // The refusals of a validation: their title and texts, numbers within `form` (an
    // echogram declares its own).
    int titre_refus = 90;
    int refus_patient = 91;
    int refus_numero = 92;
    int refus_conclusion = 95;
    int refus_numero_pris = 157;  // a number another exam of the patient already has
    // Every store writes the day into `Date_Examen`.
    bool ecrit_date = true;
    // Closing destroys the window: the next opening makes it anew, with a fresh set-up
    // and fresh window variables. Otherwise closing hides it and the variables outlive it.
    bool detruite_a_la_fermeture = false;
    // The report picture toolbar button 9 exports and the printed report button 8 prints;
    // without one the button stays disabled.
    report::PictureDrawer page_export = nullptr;
    std::optional<report::ReportWindow> page_imprimee{};
};

// One column of `Examens` kept in a control of the window. Made by the functions below.
struct Colonne_Examen {
    enum class Genre { Coche, Liste, Texte, Options };
    QString nom;
    Genre genre;
    QWidget* controle = nullptr;  // QCheckBox, QComboBox, QLineEdit or QPlainTextEdit
    // Shown exactly while the check box is ticked, or while option `option_detail` is
    // chosen; hidden, it keeps its content.
    QWidget* detail = nullptr;
    std::vector<QRadioButton*> options{};  // option i stands for the stored value i
    int option_detail = -1;
    QButtonGroup* groupe = nullptr;  // the options' group, made by the skeleton
};

// A check box: 0 or 1.
Colonne_Examen Colonne_Coche(const char* nom, QCheckBox* coche, QWidget* detail = nullptr);
// A list: the index of its entry, -1 for none; a stored index it lacks is an error.
Colonne_Examen Colonne_Liste(const char* nom, QComboBox* liste);
// A text box (line breaks stored as CR LF).
Colonne_Examen Colonne_Texte(const char* nom, QWidget* boite);
// A group of options: the index of the one chosen; none chosen writes nothing, so a new
// exam leaves the column Null and a rewrite keeps its value. A stored value that names
// no option (Null, out of range, no number) chooses none.
Colonne_Examen Colonne_Options(const char* nom, std::vector<QRadioButton*> options,
                               QWidget* detail = nullptr, int option_detail = -1);

// One echogram: the combo listing the chosen patient's curves and its preview.
struct Echogramme_Examen {
    QComboBox* combo = nullptr;
    CurveView* apercu = nullptr;
    // The columns the chosen curve's key is written to; the display reads the first.
    QStringList colonnes_cles;  // {"Echogramme_Droit_Num_Courbe"}
    QString colonne_courbe;     // "Courbes_Droites.Courbe", drawn by the display
    int refus = 93;             // text of the refusal when none is chosen
    // Text typed during a new exam previews the last curve the patient choice listed.
    bool apercu_saisie = true;
};

// The skeleton of every exam window: exam list and navigation, patient choice, echogram
// choice and previews, findings with detail controls, new / validate / cancel or delete,
// the doctor toolbar. A window is its layout, its captions and a profile: the types it
// serves, its texts, its columns and its echograms, declared by its constructor.
//
// The window works on the program-wide `Table_Examens`, whose current row is the exam
// shown. Closing either hides it ("unloads"), keeping the window variables, or destroys
// it, as its profile says; the next opening runs the set-up again. A change the window
// makes to one of its own controls runs that control's handler at once, inside the
// statement, as a user's change does; failures of the record operations end in the
// standard error box and never escape.
class Fenetre_Examen : public QDialog {
  public:
    Fenetre_Examen(Fenetre_Principale& principale, Etat_Application& etat, Profil_Examen profil);
    ~Fenetre_Examen() override;

    static constexpr int kNombre_Boutons = 10;

    // ---- Controls every exam window has (placed by the window) ------------------------
    QListWidget* Liste_Examens = nullptr;
    QLabel* Label_Patient = nullptr;
    QLineEdit* Texte_Nom_Patient = nullptr;
    QComboBox* Combo_Nom_Patient = nullptr;  // at the place of Texte_Nom_Patient
    QLineEdit* Texte_Num_Examen = nullptr;
    QLabel* Label_Envoye = nullptr;
    QLineEdit* Texte_Docteur_Patient = nullptr;  // 49 characters
    QLabel* Label_Conclusions = nullptr;
    QLineEdit* Texte_Examen_Compatible = nullptr;  // 199 characters
    QLabel* Label_Medecin = nullptr;
    QToolBar* Toolbar1 = nullptr;
    std::array<QAction*, kNombre_Boutons> Toolbar1_Boutons{};  // buttons 1..10
    QToolBar* Toolbar2 = nullptr;
    std::array<QAction*, 3> Toolbar2_Boutons{};  // doctors "1", "2", "3"
    QTimer* Timer1 = nullptr;                    // one shot, 10 ms after the set-up

    // ---- Window variables: they outlive a closing that only hides the window -----------
    int Nombre_Examens = 0;
    Echantillons_Courbe Echantillons_Impression{};
    Echantillons_Courbe Echantillons_Apercu{};
    int Nombre_Points_Examen = 0;
    int Mode_Nouvel_Examen = 0;

    // The report routines of the window; while one is unset its button stays disabled.
    // The skeleton sets each when the profile names its page.
    std::function<void()> Imprimer_Compte_Rendu;
    std::function<void()> Exporter_Compte_Rendu;

    // ---- Life ---------------------------------------------------------------------------
    const Profil_Examen& Profil() const { return profil_; }
    bool Sert_Type(int type) const;
    bool Est_Charge() const;
    // Runs once the window has closed; the owner of a window that closing destroys lets
    // it go from here.
    std::function<void(Fenetre_Examen&)> Fermee;
    // Loads the window when it is not loaded (set-up, then the start timer), shows it
    // modeless and brings it to the front.
    void Charger_Et_Afficher();
    // The set-up: lists, captions, the current patient's first exam, export button,
    // doctor button, display. A failure ends in the error box with the window open.
    void Form_Load();
    void Timer1_Timer();

    // ---- Handlers -----------------------------------------------------------------------
    void Toolbar1_ButtonClick(int bouton);
    // Doctor 1..3 becomes the program's current doctor (the main window follows).
    void Toolbar2_ButtonClick(int bouton);
    // The selected line's exam is made current and shown; no line selected does nothing.
    void Liste_Examens_Click();
    // Lists the chosen patient's curves of the current type in the echogram combos and,
    // during a new exam, proposes his next exam number.
    void Combo_Nom_Patient_Click();
    // Echogram `cote` (0 right, 1 left): an entry chosen previews that curve, found by
    // its key; typed text during a new exam previews the last curve listed.
    void Combo_Echogramme_Click(int cote);
    void Combo_Echogramme_Change(int cote);

    // ---- Lists --------------------------------------------------------------------------
    // Refills the exam list from `Table_Examens` (line i = row at position i), sets
    // `Nombre_Examens` and leaves the recordset on its first row.
    void Remplir_Liste_Examens();
    // Brings the list in step with `Table_Examens` after a write of row `cle`: only the
    // lines that changed are touched when the rows are the same, or one more or one less.
    void Suivre_Liste_Examens(std::int64_t cle);
    // Fills the patient choice anew with every patient of `Table_Patients` (its position is
    // kept).
    void Remplir_Combo_Nom_Patient();
    // Rows were added to the database: the exam list and the patient choice are filled
    // again from the requeried recordsets. The exam shown stays shown and selected; the
    // chosen patient and whatever is being typed stay as they are.
    void Actualiser_Listes();
    // Button 9 is enabled when the window exports a picture and the export folder is not
    // the program folder; run at set-up and whenever the export folder changes.
    void Etat_Bouton_Export();

    // ---- Record operations --------------------------------------------------------------
    void Afficher_Examen();
    void Effacer_Examen();
    void Valider_Examen();
    void Nouvel_Examen();
    void Supprimer_Examen();

    // ---- Reports ------------------------------------------------------------------------
    // What a report of the exam on screen needs: its row, read from the database by its key
    // when the report starts (during a new exam, the exam shown before it), the current type
    // and its zones 0..3, the point count of the last preview (the main window's while no
    // preview ran), the main window's filter settings, the commissioning date, the current
    // doctor and the texts. Error 3021 when no exam is shown; none when the exam has been
    // deleted since it was shown (by this program or another copy of it).
    std::optional<report::ExamReportInput> Donnees_Compte_Rendu();

    // True once a display of the current row has completed: a row shown only in part
    // is never rewritten.
    bool Affichage_Complet() const { return affichage_complet_; }

    // ---- For the report routines ----------------------------------------------------------
    // Puts the shared exams recordset back on the exam this window shows, wherever other
    // windows left it (during a new exam, the exam shown before it); false when none is
    // shown. An exam shown and gone since is Error 3167.
    bool Revenir_Examen_Affiche();
    // True while a new exam is being typed.
    bool Nouvel_Examen_En_Cours() const { return Mode_Nouvel_Examen != 0; }
    // True while a new exam is being typed and something in it differs from what it
    // began with (the proposal made for the preselected patient counts as nothing).
    bool Saisie_A_Perdre() const;
    // Before closing the window or switching the type: a new exam with something entered
    // is only given up when the user says so (form 4 texts 155 and 156; Cancel, the
    // default, keeps it). True when nothing would be lost or the user lets it go.
    bool Abandon_Accepte();

    // The value of an exam number whose text is a plain integer (an optional sign and
    // decimal digits, blanks around) that fits 64 bits; none for any other text.
    static std::optional<std::int64_t> Valeur_Numero(const QString& numero);
    // The exam number as lists show it: a plain integer gets at least two digits ("7"
    // is "07"), any other text ("7.5", "inf", twenty digits) is kept as typed, so that a
    // rewrite stores it unchanged.
    static QString Format_Numero(const QString& numero);
    // "name first-name" with Null parts as empty texts.
    static QString Nom_Complet(const QString& nom, const QString& prenom);

  protected:
    // The window's title, captions and list entries for the current type (the skeleton
    // sets the toolbar tips, texts 52 to 61 of the profile's form).
    virtual void Appliquer_Libelles() = 0;
    // Declared by the window's constructor, in the order the display applies them; a
    // detail control is hidden at once and then follows its check box or option.
    void Declarer_Colonnes(std::vector<Colonne_Examen> colonnes);
    // Echograms are declared in order: right (or the only one), then left.
    void Declarer_Echogramme(Echogramme_Examen echogramme);

    const Libelles& libelle() const { return etat_.Libelle; }
    int form() const { return profil_.form; }
    Etat_Application& etat() { return etat_; }

    void closeEvent(QCloseEvent* evenement) override;
    // Closing by the close box or button 10 asks first when typed work would be lost.
    // Escape does nothing: a stray key never closes the window.
    void reject() override;

  private:
    // Button 9: exports the picture `dessin` draws of the exam on screen into the export
    // folder in the format of the main window's list. Refused with a message during a new
    // exam, without an exam shown, without an export folder or into the program folder; a
    // failure ends in the standard error box; success is silent.
    void Exporter_Image(report::PictureDrawer dessin);
    // Button 8: prints the report of the exam on screen with the table of `page` on the
    // default printer or, without one, as a PDF in the export folder, which one message
    // names. Refused with a message during a new exam or without an exam shown; a failure
    // ends in the standard error box.
    void Imprimer_Page(report::ReportWindow page);
    // A report is refused during a new exam and without an exam shown: the warning (form 4
    // texts) says why. True when refused.
    bool Refuser_Compte_Rendu(int titre, int refus_nouvel_examen, int refus_sans_examen);
    void Avertir_Compte_Rendu(int titre, int texte);
    void Construire_Commun();
    void Connecter_Commun();
    // Runs a handler as an event does: a failure is shown, never passed on.
    void Proteger(const std::function<void()>& action);
    void Lier_Detail(Colonne_Examen& colonne);
    void Montrer_Detail(const Colonne_Examen& colonne);
    void Message_Validation(int form, int texte, QWidget* focus);
    void Selectionner_Patient(int index);
    void Selectionner_Echogramme(int cote, int index);
    void Apercu(int cote, const QByteArray& courbe);
    void Effacer_Apercu(int cote);
    void Appliquer_Colonne(const Colonne_Examen& colonne, const platform::Value& valeur);
    platform::Value Valeur_Colonne(const Colonne_Examen& colonne) const;
    void Vider_Colonne(const Colonne_Examen& colonne);
    void Ecrire_Examen(platform::Recordset& examens, std::int64_t patient);
    // True when another exam of `patient`, of any type, has the number typed, numbers
    // compared as the list shows them ("7" is "07"); `examen` is the row being rewritten.
    bool Numero_Pris(std::int64_t patient, std::optional<std::int64_t> examen) const;
    // What the user can change in the exam, in a comparable form.
    std::vector<platform::Value> Etat_Saisie() const;
    void Proposer_Numero(std::int64_t patient);
    // The browsing presentation, with the line of the exam shown (if any) selected.
    void Montrer_Ligne();
    void Terminer_Nouvel_Examen();
    void Deplacer(int bouton);
    QString Ligne_Examen(const platform::Recordset& examens) const;
    int Entree_Patient(std::int64_t code) const;
    // The list line of exam `cle` (tried first at line `presumee`), or -1.
    int Ligne_De_Cle(std::int64_t cle, int presumee = -1) const;

    // An echogram as declared, with what the window keeps of it.
    struct Echogramme : Echogramme_Examen {
        QByteArray tag;  // samples of the last curve the patient choice listed
        // The stored curve key the display could not find among the entries: a rewrite
        // keeps it unless the user chooses an entry.
        std::optional<std::int64_t> cle_conservee;
    };

    Fenetre_Principale& principale_;
    Etat_Application& etat_;
    Profil_Examen profil_;
    bool charge_ = false;
    bool deja_montre_ = false;
    bool affichage_complet_ = false;
    std::optional<std::int64_t> patient_conserve_;
    std::optional<std::int64_t> examen_affiche_;  // key of the exam on screen
    std::vector<Colonne_Examen> colonnes_;
    std::vector<Echogramme> echogrammes_;
    std::vector<std::int64_t> cles_liste_;          // the exam of each line
    std::vector<platform::Value> saisie_initiale_;  // the new exam as it began
    const KeyedLines* patients_choix_ = nullptr;    // the chooser's entries, by key too
};

}  // namespace corvanta
