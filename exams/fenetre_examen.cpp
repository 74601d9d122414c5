// The exam-window skeleton: controls, life, toolbars, the exam list and navigation.
#include "exams/fenetre_examen.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

#include "app/requetes.h"
#include "exams/icones_examen.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "report/report_texts.h"
#include "widgets/curve_view.h"
#include "widgets/keyed_lines.h"
#include "widgets/message_boxes.h"
#include "widgets/named_widgets.h"
#include "widgets/patient_choice.h"
#include "widgets/text_limits.h"
#include "widgets/window_placement.h"

namespace corvanta {

namespace {

// The form of the texts every exam window shares.
constexpr int kForm_Commun = 4;

// An exam's list line: name, given name and number as lists show it, joined by blanks in one
// allocation (a list holds thousands).
QString Ligne_Liste(const QString& nom, const QString& prenom, const QString& numero) {
    const QString numero_affiche = Fenetre_Examen::Format_Numero(numero);
    QString ligne;
    ligne.reserve(nom.size() + prenom.size() + numero_affiche.size() + 2);
    return ligne.append(nom).append(u' ').append(prenom).append(u' ').append(numero_affiche);
}

}  // namespace

Colonne_Examen Colonne_Coche(const char* nom, QCheckBox* coche, QWidget* detail) {
    return {QLatin1String(nom), Colonne_Examen::Genre::Coche, coche, detail};
}

Colonne_Examen Colonne_Liste(const char* nom, QComboBox* liste) {
    return {QLatin1String(nom), Colonne_Examen::Genre::Liste, liste};
}

Colonne_Examen Colonne_Texte(const char* nom, QWidget* boite) {
    return {QLatin1String(nom), Colonne_Examen::Genre::Texte, boite};
}

Colonne_Examen Colonne_Options(const char* nom, std::vector<QRadioButton*> options, QWidget* detail,
                               int option_detail) {
    return {QLatin1String(nom), Colonne_Examen::Genre::Options, nullptr, detail, std::move(options),
            option_detail};
}

Fenetre_Examen::Fenetre_Examen(Fenetre_Principale& principale, Etat_Application& etat,
                               Profil_Examen profil)
    : QDialog(nullptr), principale_(principale), etat_(etat), profil_(std::move(profil)) {
    setModal(false);
    setWindowIcon(Icone_Examen(5));
    Construire_Commun();
    Connecter_Commun();
    if (profil_.page_export != nullptr)
        Exporter_Compte_Rendu = [this] { Exporter_Image(profil_.page_export); };
    if (profil_.page_imprimee)
        Imprimer_Compte_Rendu = [this] { Imprimer_Page(*profil_.page_imprimee); };
}

Fenetre_Examen::~Fenetre_Examen() = default;

void Fenetre_Examen::Construire_Commun() {
    auto creer = [this]<class W>(W*& controle, const char* nom) {
        controle = createNamed<W>(this, QLatin1String(nom));
    };
    creer(Liste_Examens, "Liste_Examens");
    // Thousands of one-line entries: laid out without measuring each one.
    Liste_Examens->setUniformItemSizes(true);
    creer(Label_Patient, "Label_Patient");
    creer(Texte_Nom_Patient, "Texte_Nom_Patient");
    creer(Combo_Nom_Patient, "Combo_Nom_Patient");
    Combo_Nom_Patient->hide();
    creer(Texte_Num_Examen, "Texte_Num_Examen");
    creer(Label_Envoye, "Label_Envoye");
    creer(Texte_Docteur_Patient, "Texte_Docteur_Patient");
    limitTyping(Texte_Docteur_Patient, 49);
    creer(Label_Conclusions, "Label_Conclusions");
    creer(Texte_Examen_Compatible, "Texte_Examen_Compatible");
    limitTyping(Texte_Examen_Compatible, 199);
    creer(Label_Medecin, "Label_Medecin");
    Label_Medecin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    creer(Toolbar1, "Toolbar1");
    Toolbar1->setIconSize(QSize(32, 32));
    for (int i = 0; i < kNombre_Boutons; ++i) {
        Toolbar1_Boutons[i] = Toolbar1->addAction(Icone_Examen(i + 1), QString());
        Toolbar1_Boutons[i]->setObjectName(QStringLiteral("Toolbar1_Bouton%1").arg(i + 1));
    }
    creer(Toolbar2, "Toolbar2");
    Toolbar2->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* groupe = new QActionGroup(Toolbar2);
    groupe->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        Toolbar2_Boutons[i] = Toolbar2->addAction(QString::number(i + 1));
        Toolbar2_Boutons[i]->setObjectName(QStringLiteral("Toolbar2_Bouton%1").arg(i + 1));
        Toolbar2_Boutons[i]->setCheckable(true);
        groupe->addAction(Toolbar2_Boutons[i]);
    }
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    Timer1->setSingleShot(true);
}

void Fenetre_Examen::Connecter_Commun() {
    for (int i = 0; i < kNombre_Boutons; ++i) {
        connect(Toolbar1_Boutons[i], &QAction::triggered, this,
                [this, i] { Proteger([this, i] { Toolbar1_ButtonClick(i + 1); }); });
    }
    for (int i = 0; i < 3; ++i) {
        connect(Toolbar2_Boutons[i], &QAction::triggered, this,
                [this, i] { Proteger([this, i] { Toolbar2_ButtonClick(i + 1); }); });
    }
    connect(Timer1, &QTimer::timeout, this, [this] { Proteger([this] { Timer1_Timer(); }); });
    connect(Liste_Examens, &QListWidget::currentRowChanged, this,
            [this] { Proteger([this] { Liste_Examens_Click(); }); });
    connect(Combo_Nom_Patient, &QComboBox::currentIndexChanged, this,
            [this] { Proteger([this] { Combo_Nom_Patient_Click(); }); });
}

void Fenetre_Examen::Proteger(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
    }
}

void Fenetre_Examen::Declarer_Colonnes(std::vector<Colonne_Examen> colonnes) {
    colonnes_ = std::move(colonnes);
    for (Colonne_Examen& colonne : colonnes_) {
        if (colonne.genre == Colonne_Examen::Genre::Options) {
            colonne.groupe = new QButtonGroup(this);
            for (int i = 0; i < static_cast<int>(colonne.options.size()); ++i)
                colonne.groupe->addButton(colonne.options[i], i);
        }
        if (colonne.detail != nullptr)
            Lier_Detail(colonne);
    }
}

void Fenetre_Examen::Declarer_Echogramme(Echogramme_Examen echogramme) {
    const int cote = static_cast<int>(echogrammes_.size());
    QComboBox* combo = echogramme.combo;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    echogrammes_.push_back({std::move(echogramme), {}, {}});
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, cote] { Proteger([this, cote] { Combo_Echogramme_Click(cote); }); });
    // Choosing the entry already chosen draws it again with the filters of the moment
    // (a changed entry is then drawn twice, the same picture).
    connect(combo, &QComboBox::activated, this,
            [this, cote] { Proteger([this, cote] { Combo_Echogramme_Click(cote); }); });
    connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, combo, cote] {
        // Typed text chooses no entry.
        {
            const QSignalBlocker bloque(combo);
            const QString texte = combo->currentText();
            combo->setCurrentIndex(-1);
            combo->setEditText(texte);
        }
        Proteger([this, cote] { Combo_Echogramme_Change(cote); });
    });
}

void Fenetre_Examen::Lier_Detail(Colonne_Examen& colonne) {
    colonne.detail->hide();
    QAbstractButton* bouton = nullptr;
    if (colonne.genre == Colonne_Examen::Genre::Coche)
        bouton = static_cast<QCheckBox*>(colonne.controle);
    else if (colonne.option_detail >= 0 &&
             colonne.option_detail < static_cast<int>(colonne.options.size()))
        bouton = colonne.options[colonne.option_detail];
    if (bouton != nullptr)
        connect(bouton, &QAbstractButton::toggled, colonne.detail, &QWidget::setVisible);
}

void Fenetre_Examen::Montrer_Detail(const Colonne_Examen& colonne) {
    if (colonne.detail == nullptr)
        return;
    if (colonne.genre == Colonne_Examen::Genre::Coche)
        colonne.detail->setVisible(static_cast<QCheckBox*>(colonne.controle)->isChecked());
    else if (colonne.genre == Colonne_Examen::Genre::Options)
        colonne.detail->setVisible(colonne.option_detail >= 0 &&
                                   colonne.groupe->checkedId() == colonne.option_detail);
}

bool Fenetre_Examen::Sert_Type(int type) const {
    return std::find(profil_.types.begin(), profil_.types.end(), type) != profil_.types.end();
}

bool Fenetre_Examen::Est_Charge() const {
    return charge_;
}

void Fenetre_Examen::Charger_Et_Afficher() {
    if (!charge_) {
        charge_ = true;
        if (!deja_montre_) {
            deja_montre_ = true;
            centreOnScreen(*this);
        }
        Form_Load();
        Timer1->start();
    }
    show();
    raise();
    activateWindow();
}

void Fenetre_Examen::reject() {}

std::vector<platform::Value> Fenetre_Examen::Etat_Saisie() const {
    std::vector<platform::Value> etat{Combo_Nom_Patient->currentIndex(), Texte_Num_Examen->text(),
                                      Texte_Docteur_Patient->text(),
                                      Texte_Examen_Compatible->text()};
    for (const Echogramme& e : echogrammes_) {
        etat.emplace_back(e.combo->currentIndex());
        etat.emplace_back(e.combo->currentText());
    }
    for (const Colonne_Examen& colonne : colonnes_)
        etat.push_back(Valeur_Colonne(colonne));
    return etat;
}

bool Fenetre_Examen::Saisie_A_Perdre() const {
    return Mode_Nouvel_Examen != 0 && Etat_Saisie() != saisie_initiale_;
}

bool Fenetre_Examen::Abandon_Accepte() {
    if (!Saisie_A_Perdre())
        return true;
    // The question is about this window's exam: it stands in front while asked.
    raise();
    return confirm(this, libelle()(kForm_Commun, 155), libelle()(kForm_Commun, 156));
}

void Fenetre_Examen::closeEvent(QCloseEvent* evenement) {
    if (!Abandon_Accepte()) {
        evenement->ignore();
        return;
    }
    // Closing ends a new exam: a later validation cannot add it twice.
    Mode_Nouvel_Examen = 0;
    Timer1->stop();
    charge_ = false;
    evenement->accept();
    if (Fermee)
        Fermee(*this);
}

void Fenetre_Examen::Form_Load() {
    try {
        Remplir_Liste_Examens();
        Remplir_Combo_Nom_Patient();
        Appliquer_Libelles();
        for (int n = 1; n <= kNombre_Boutons; ++n)
            Toolbar1_Boutons[n - 1]->setToolTip(libelle()(form(), 51 + n));

        platform::Recordset& examens = *etat_.Table_Examens;
        if (examens.recordCount() != 0 && !etat_.Nom_Patient_Courant.isEmpty()) {
            examens.findFirst(QStringLiteral("\"Code_ Patient\" = ?"),
                              {etat_.Code_Patient_Courant});
            if (examens.noMatch())
                examens.moveFirst();
        }
        Toolbar1_Boutons[7]->setEnabled(static_cast<bool>(Imprimer_Compte_Rendu));
        Etat_Bouton_Export();
        if (etat_.Medecin_Courant >= 1 && etat_.Medecin_Courant <= 3)
            Toolbar2_Boutons[etat_.Medecin_Courant - 1]->setChecked(true);
        Afficher_Examen();
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
    }
}

void Fenetre_Examen::Etat_Bouton_Export() {
    Toolbar1_Boutons[8]->setEnabled(
        static_cast<bool>(Exporter_Compte_Rendu) &&
        !report::isProgramFolder(etat_.Repertoire_Export, etat_.Repertoire_Programme));
}

void Fenetre_Examen::Timer1_Timer() {
    Timer1->stop();
    Liste_Examens_Click();
}

void Fenetre_Examen::Toolbar1_ButtonClick(int bouton) {
    switch (bouton) {
        case 1:
        case 2:
        case 3:
        case 4:
            Deplacer(bouton);
            break;
        case 5:
            Nouvel_Examen();
            break;
        case 6:
            Valider_Examen();
            break;
        case 7:
            if (Mode_Nouvel_Examen != 0) {
                Mode_Nouvel_Examen = 0;
                Afficher_Examen();
            } else {
                Supprimer_Examen();
            }
            break;
        case 8:
            if (Imprimer_Compte_Rendu)
                Imprimer_Compte_Rendu();
            break;
        case 9:
            if (Exporter_Compte_Rendu)
                Exporter_Compte_Rendu();
            break;
        case 10:
            close();
            break;
        default:
            break;
    }
}

void Fenetre_Examen::Deplacer(int bouton) {
    platform::Recordset& examens = *etat_.Table_Examens;
    if (examens.recordCount() == 0)
        return;
    // Steps go from the exam on screen, wherever other windows left the shared set.
    if (examen_affiche_ && !examens.moveToKey(*examen_affiche_))
        examens.moveFirst();
    const int position = examens.absolutePosition();
    if (bouton == 1 && position < 1)
        return;
    if (bouton == 2 && (position < 0 || position + 1 >= Nombre_Examens))
        return;
    // Moving away from a new exam abandons it.
    Mode_Nouvel_Examen = 0;
    switch (bouton) {
        case 1:
            examens.movePrevious();
            break;
        case 2:
            examens.moveNext();
            break;
        case 3:
            examens.moveFirst();
            break;
        default:
            examens.moveLast();
            break;
    }
    Afficher_Examen();
}

void Fenetre_Examen::Toolbar2_ButtonClick(int bouton) {
    principale_.Choisir_Medecin(bouton);
}

void Fenetre_Examen::Liste_Examens_Click() {
    platform::Recordset& examens = *etat_.Table_Examens;
    const int ligne = Liste_Examens->currentRow();
    // The list is hidden during a new exam: only a late start-timer tick comes here.
    if (Mode_Nouvel_Examen == 1 || ligne < 0 || ligne >= static_cast<int>(cles_liste_.size()))
        return;
    // By the line's own exam: another window may have requeried the shared set since the
    // list was made, moving the rows under the lines.
    if (!examens.moveToKey(cles_liste_[ligne])) {
        {
            const QSignalBlocker bloque(Liste_Examens);
            Liste_Examens->setCurrentRow(examen_affiche_ ? Ligne_De_Cle(*examen_affiche_) : -1);
        }
        throw Error(3167, "Recordset", "The exam of this line has been deleted.");
    }
    Afficher_Examen();
}

std::optional<std::int64_t> Fenetre_Examen::Valeur_Numero(const QString& numero) {
    return report::plainExamNumber(numero);
}

QString Fenetre_Examen::Format_Numero(const QString& numero) {
    return report::examNumberText(numero);
}

QString Fenetre_Examen::Nom_Complet(const QString& nom, const QString& prenom) {
    return nom + QStringLiteral(" ") + prenom;
}

void Fenetre_Examen::Remplir_Liste_Examens() {
    platform::Recordset& examens = *etat_.Table_Examens;
    const QSignalBlocker bloque(Liste_Examens);
    Liste_Examens->clear();
    Nombre_Examens = examens.recordCount();
    if (Nombre_Examens == 0)
        return;
    // The lines are read in one pass, then laid out in the recordset's own row order, so
    // that line i stays the row at position i.
    const auto lecture = etat_.Base_Donnees->openRecordset(Requete_Lignes_Examens(examens.sql()));
    QHash<std::int64_t, QString> lignes_par_cle;
    lignes_par_cle.reserve(Nombre_Examens);
    if (lecture->recordCount() != 0) {
        for (lecture->moveFirst(); !lecture->eof(); lecture->moveNext()) {
            lignes_par_cle.insert(
                lecture->field(0).toInt64(),
                Ligne_Liste(lecture->field(1).toTextOrEmpty(), lecture->field(2).toTextOrEmpty(),
                            lecture->field(3).toTextOrEmpty()));
        }
    }
    QStringList lignes;
    lignes.reserve(Nombre_Examens);
    cles_liste_.clear();
    cles_liste_.reserve(Nombre_Examens);
    for (examens.moveFirst(); !examens.eof(); examens.moveNext()) {
        cles_liste_.push_back(examens.currentKey());
        lignes << lignes_par_cle.value(cles_liste_.back());
    }
    Liste_Examens->addItems(lignes);
    examens.moveFirst();
}

QString Fenetre_Examen::Ligne_Examen(const platform::Recordset& examens) const {
    return Ligne_Liste(examens.field(QStringLiteral("Nom_Patient")).toTextOrEmpty(),
                       examens.field(QStringLiteral("Prenom_Patient")).toTextOrEmpty(),
                       examens.field(QStringLiteral("Num_Examen")).toTextOrEmpty());
}

void Fenetre_Examen::Suivre_Liste_Examens(std::int64_t cle) {
    platform::Recordset& examens = *etat_.Table_Examens;
    std::vector<std::int64_t> cles;
    cles.reserve(examens.recordCount());
    if (examens.recordCount() != 0) {
        for (examens.moveFirst(); !examens.eof(); examens.moveNext())
            cles.push_back(examens.currentKey());
    }
    // The first line where the old and new rows part.
    std::size_t i = 0;
    while (i < cles.size() && i < cles_liste_.size() && cles[i] == cles_liste_[i])
        ++i;
    auto pareils_apres = [&](std::size_t a, std::size_t b) {
        return std::equal(cles.begin() + static_cast<std::ptrdiff_t>(a), cles.end(),
                          cles_liste_.begin() + static_cast<std::ptrdiff_t>(b), cles_liste_.end());
    };
    const QSignalBlocker bloque(Liste_Examens);
    if (cles.size() == cles_liste_.size() && i == cles.size()) {
        const auto ligne = std::find(cles.begin(), cles.end(), cle);
        if (ligne != cles.end() && examens.moveToKey(cle))
            Liste_Examens->item(static_cast<int>(ligne - cles.begin()))
                ->setText(Ligne_Examen(examens));
    } else if (cles.size() == cles_liste_.size() + 1 && pareils_apres(i + 1, i) &&
               examens.moveToKey(cles[i])) {
        Liste_Examens->insertItem(static_cast<int>(i), Ligne_Examen(examens));
        cles_liste_.insert(cles_liste_.begin() + static_cast<std::ptrdiff_t>(i), cles[i]);
    } else if (cles.size() + 1 == cles_liste_.size() && pareils_apres(i, i + 1)) {
        delete Liste_Examens->takeItem(static_cast<int>(i));
        cles_liste_.erase(cles_liste_.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
        Remplir_Liste_Examens();
        return;
    }
    Nombre_Examens = static_cast<int>(cles_liste_.size());
    if (Nombre_Examens != 0)
        examens.moveFirst();
}

int Fenetre_Examen::Ligne_De_Cle(std::int64_t cle, int presumee) const {
    if (presumee >= 0 && presumee < static_cast<int>(cles_liste_.size()) &&
        cles_liste_[presumee] == cle)
        return presumee;
    const auto ligne = std::find(cles_liste_.begin(), cles_liste_.end(), cle);
    return ligne == cles_liste_.end() ? -1 : static_cast<int>(ligne - cles_liste_.begin());
}

int Fenetre_Examen::Entree_Patient(std::int64_t code) const {
    // A namesake's entry is never taken for his: the first entry of that key.
    return patients_choix_ == nullptr ? -1 : patients_choix_->rowOfKey(code);
}

void Fenetre_Examen::Remplir_Combo_Nom_Patient() {
    // The lines are read without moving the shared recordset: it stays where it stood.
    patients_choix_ = &fillPatientChoice(*Combo_Nom_Patient, *etat_.Table_Patients);
}

void Fenetre_Examen::Actualiser_Listes() {
    try {
        std::optional<qlonglong> patient;
        if (Combo_Nom_Patient->currentIndex() >= 0)
            patient = Combo_Nom_Patient->currentData().toLongLong();
        Remplir_Liste_Examens();
        Remplir_Combo_Nom_Patient();
        if (patient) {
            const QSignalBlocker bloque(Combo_Nom_Patient);
            Combo_Nom_Patient->setCurrentIndex(Entree_Patient(*patient));
        }
        if (Mode_Nouvel_Examen == 0 && examen_affiche_ &&
            etat_.Table_Examens->moveToKey(*examen_affiche_)) {
            Montrer_Ligne();
        }
    } catch (const Error& erreur) {
        showErrorBox(this, libelle(), erreur, form());
    }
}

}  // namespace corvanta
