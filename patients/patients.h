#pragma once

#include <QHash>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/etat_application.h"
#include "platform/error.h"
#include "platform/value.h"

class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolBar;

namespace corvanta {

namespace platform {
class Database;
class Recordset;
}  // namespace platform

class KeyedList;

// The patient window: browse, search, create, edit and delete the rows of `Patients`
// through the program-wide recordset `Table_Patients`.
//
// One object lives for the whole run: `Ouvrir` runs `Form_Load` and shows the window,
// closing it runs `Form_Unload` and only hides it, so the window's variables keep their
// values between openings. Client area 602 x 360 pixels; the controls keep their places
// when the window is resized. Controls are public, named as designed (object names too);
// Qt parents own them.
//
// The window remembers the key (`Code_Patient`) of the record it shows and saves or
// deletes that row by key, whatever other windows did to `Table_Patients` meanwhile.
// Every failure inside a handler ends in a message box; nothing escapes to the caller.
class Patients : public QWidget {
  public:
    static constexpr int kClientWidth = 602;
    static constexpr int kClientHeight = 360;
    static constexpr int kNombre_Boutons = 9;
    static constexpr int kLongueur_Commentaire = 255;
    static constexpr int kLongueur_Critere_Date = 12;

    // The patients in the window's order, the order the main window opens them in.
    static const QString kRequete_Tous_Patients;

    // `owner` is the main window: the window opens centred on it, and a save writes the
    // saved patient's name into its caption.
    explicit Patients(Etat_Application& etat, QWidget* owner = nullptr);
    ~Patients() override;

    // Opens the window: `Form_Load` then show; an open window is only brought to the front.
    void Ouvrir();

    // What the main window does when this window closes: refill its patient list from
    // `Table_Patients` and reload its current patient.
    std::function<void()> Apres_Fermeture;
    // Told the key of each patient saved here. The main window keeps its own current
    // patient until this window closes, then loads the saved one.
    std::function<void(std::int64_t)> Apres_Enregistrement;

    // ---- Controls ---------------------------------------------------------------------
    KeyedList* Liste_Patients = nullptr;  // each line keeps its patient's key
    QLabel* Label_Nom = nullptr;
    QLabel* Label_Prenom = nullptr;
    QLabel* Label_Adresse = nullptr;
    QLabel* Label_Ville = nullptr;
    QLabel* Label_Code_Postal = nullptr;
    QLabel* Label_Tel_Perso = nullptr;
    QLabel* Label_Tel_Bur = nullptr;
    QLabel* Label_Date_Naissance = nullptr;
    QLabel* Label_Num_SS = nullptr;
    QLabel* Label_Commentaire = nullptr;
    QLineEdit* Nom = nullptr;
    QLineEdit* Prenom = nullptr;
    QLineEdit* Adresse1 = nullptr;
    QLineEdit* Adresse2 = nullptr;
    QLineEdit* Ville = nullptr;
    QLineEdit* Code_Postal = nullptr;
    QLineEdit* Tel_Home = nullptr;
    QLineEdit* Tel_Bureau = nullptr;
    QLineEdit* Date_Naissance = nullptr;
    QLineEdit* Numero_SS = nullptr;
    QPlainTextEdit* Commentaire = nullptr;
    QToolBar* Toolbar1 = nullptr;
    // Buttons 1..9 of `Toolbar1` at indexes 0..8: previous, next, first, last, new, save,
    // delete, search, close.
    std::array<QAction*, kNombre_Boutons> Boutons{};
    QLabel* Label_Nombre = nullptr;
    QLabel* Numero_Enregistrement = nullptr;

    // ---- Window state, kept while the window is closed --------------------------------
    // 1 while the boxes hold a new patient that the next save adds; showing a stored
    // record or starting a search ends it.
    std::int16_t Mode_Ajout = 0;
    // Search button: 0 normal, 1 entering criteria, 2 a search has been run.
    std::int16_t Etat_Recherche = 0;
    // The search's selection clause ("" or "WHERE ..." with `?` parameters).
    QString Filtre_Recherche;
    // Lines of the list at its last non-empty filling.
    std::int32_t Nombre_Patients = 0;
    // Key of the patient the boxes show; 0 when they show none.
    std::int64_t Code_Patient_Affiche = 0;

    // ---- Handlers and operations ------------------------------------------------------
    void Form_Load();
    void Form_Unload();
    // Button index 1..9; any other index does nothing.
    void Toolbar1_ButtonClick(int index);
    void Liste_Patients_Click();
    void Afficher_Patient();
    void Effacer_Champs();
    void Remplir_Liste_Patients();

    void Nouveau_Patient();
    // Writes the boxes into a new row or the shown one. The main window's current patient
    // stays as he is (only his caption follows when he is the one saved).
    void Enregistrer_Patient();
    // Once confirmed with the count of his exams and curves, deletes the shown patient with
    // them; Cancel or any failure deletes nothing.
    void Supprimer_Patient();

    void Rechercher_Patient();
    void Filtrer_Patients();

    // Enter (13) in a criteria box runs the search while criteria are being entered.
    // Returns true when it ran the search.
    bool Nom_KeyPress(int code) { return Critere_KeyPress(code); }
    bool Prenom_KeyPress(int code) { return Critere_KeyPress(code); }
    bool Adresse1_KeyPress(int code) { return Critere_KeyPress(code); }
    bool Adresse2_KeyPress(int code) { return Critere_KeyPress(code); }
    bool Ville_KeyPress(int code) { return Critere_KeyPress(code); }
    bool Code_Postal_KeyPress(int code) { return Critere_KeyPress(code); }
    bool Commentaire_KeyPress(int code) { return Critere_KeyPress(code); }
    bool Numero_SS_KeyPress(int code) { return Critere_KeyPress(code); }
    bool Date_Naissance_KeyPress(int code) { return Critere_KeyPress(code); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A one-line box, the column it shows and its input limit.
    struct Champ {
        QLineEdit* boite;
        const char* colonne;
        int limite;
    };
    // The ten one-line boxes in display order (`Commentaire` comes after them).
    std::array<Champ, 10> Champs() const;

    void Creer_Controles();
    void Placer_Controles();
    void Appliquer_Libelles();
    bool Critere_KeyPress(int code);

    // The open database and `Table_Patients`; Error 91 when there is none.
    platform::Database& Base() const;
    platform::Recordset& Table() const;
    // Clears the list and adds one line per record of `Table_Patients`, first to last,
    // leaving out rows another copy deleted; the recordset is left after its last record.
    void Remplir_Lignes();
    // Moves `Table_Patients` to the first line's patient (the first row may have been
    // deleted elsewhere); with no line, the recordset stays after its last record.
    void Aller_Premiere_Ligne();
    int Ligne_De(int position, std::int64_t cle) const;
    void Selectionner_Ligne(int ligne);
    void Erreur(const Error& erreur);
    void Ecrire_Fiche(platform::Recordset& table, const QString& date_naissance);
    void Rafraichir_Apres_Enregistrement(std::int64_t cle);
    // Deletes the patient's exams, then his curves, then his row, all or nothing.
    void Supprimer_Dossier(platform::Recordset& table, std::int64_t cle);

    Etat_Application& etat_;
    std::vector<platform::Value> Parametres_Recherche;
    // The comment box's input limit; raised while it shows a longer stored comment.
};

}  // namespace corvanta
