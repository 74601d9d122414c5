// The patient window: its controls, their places and texts, opening and closing.
#include "patients/patients.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>

#include "app/requetes.h"
#include "platform/recordset.h"
#include "widgets/keyed_list.h"
#include "widgets/message_boxes.h"
#include "widgets/named_widgets.h"
#include "widgets/text_limits.h"
#include "widgets/toolbar_icons.h"

namespace corvanta {

namespace {

QLabel* Creer_Label(QWidget* parent, const char* nom, const char* texte_conception,
                    Qt::Alignment alignement = Qt::AlignRight | Qt::AlignVCenter) {
    auto* label = createNamed<QLabel>(parent, nom);
    label->setText(QString::fromUtf8(texte_conception));
    label->setAlignment(alignement);
    QFont police = label->font();
    police.setBold(true);
    label->setFont(police);
    return label;
}

}  // namespace

const QString Patients::kRequete_Tous_Patients = Requete_Patients();

Patients::Patients(Etat_Application& etat, QWidget* owner)
    : QWidget(owner, Qt::Window), etat_(etat) {
    setObjectName(QStringLiteral("Patients"));
    setWindowTitle(QStringLiteral("Saisie des Informations Patient"));
    Creer_Controles();
    Placer_Controles();
    resize(kClientWidth, kClientHeight);
}

Patients::~Patients() = default;

std::array<Patients::Champ, 10> Patients::Champs() const {
    return {{{Nom, "Nom_Patient", 30},
             {Prenom, "Prenom_Patient", 30},
             {Adresse1, "Adresse1_Patient", 50},
             {Adresse2, "Adresse2_Patient", 50},
             {Ville, "Ville_Patient", 50},
             {Code_Postal, "CodePostal_Patient", 10},
             {Tel_Home, "Telephone1_Patient", 30},
             {Tel_Bureau, "Telephone2_Patient", 30},
             {Date_Naissance, "Date_Naissance_Patient", 10},
             {Numero_SS, "NumeroSS_Patient", 20}}};
}

void Patients::Creer_Controles() {
    Liste_Patients = createNamed<KeyedList>(this, "Liste_Patients");
    connect(Liste_Patients, &KeyedList::currentRowChanged, this, [this](int ligne) {
        if (ligne >= 0)
            Liste_Patients_Click();
    });

    Label_Nom = Creer_Label(this, "Label_Nom", "Nom :");
    Label_Prenom = Creer_Label(this, "Label_Prenom", "Prenom :");
    Label_Adresse = Creer_Label(this, "Label_Adresse", "Adresse :");
    Label_Ville = Creer_Label(this, "Label_Ville", "Ville :");
    Label_Code_Postal = Creer_Label(this, "Label_Code_Postal", "Code postal :");
    Label_Tel_Perso = Creer_Label(this, "Label_Tel_Perso", "Telephone Personnel :");
    Label_Tel_Bur = Creer_Label(this, "Label_Tel_Bur", "Telephone Bureau :");
    Label_Date_Naissance = Creer_Label(this, "Label_Date_Naissance", "Date de Naissance :");
    Label_Num_SS = Creer_Label(this, "Label_Num_SS", "Numéro SS :");
    Label_Commentaire =
        Creer_Label(this, "Label_Commentaire", "Commentaire :", Qt::AlignRight | Qt::AlignTop);

    Nom = createNamed<QLineEdit>(this, "Nom");
    Prenom = createNamed<QLineEdit>(this, "Prenom");
    Adresse1 = createNamed<QLineEdit>(this, "Adresse1");
    Adresse2 = createNamed<QLineEdit>(this, "Adresse2");
    Ville = createNamed<QLineEdit>(this, "Ville");
    Code_Postal = createNamed<QLineEdit>(this, "Code_Postal");
    Tel_Home = createNamed<QLineEdit>(this, "Tel_Home");
    Tel_Bureau = createNamed<QLineEdit>(this, "Tel_Bureau");
    Date_Naissance = createNamed<QLineEdit>(this, "Date_Naissance");
    Numero_SS = createNamed<QLineEdit>(this, "Numero_SS");
    for (const Champ& champ : Champs())
        limitTyping(champ.boite, champ.limite);

    Commentaire = createNamed<LimitedTextEdit>(this, "Commentaire", kLongueur_Commentaire);
    Commentaire->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Commentaire->setTabChangesFocus(true);

    // The search runs on Enter in these nine boxes while criteria are being entered.
    for (QWidget* boite :
         std::initializer_list<QWidget*>{Nom, Prenom, Adresse1, Adresse2, Ville, Code_Postal,
                                         Commentaire, Numero_SS, Date_Naissance}) {
        boite->installEventFilter(this);
    }

    Toolbar1 = createNamed<QToolBar>(this, "Toolbar1");
    Toolbar1->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1->setFloatable(false);
    Toolbar1->setMovable(false);
    constexpr std::array<ToolbarIcon, kNombre_Boutons> images{
        ToolbarIcon::ArrowLeft, ToolbarIcon::ArrowRight,  ToolbarIcon::ArrowUp,
        ToolbarIcon::ArrowDown, ToolbarIcon::WritingHand, ToolbarIcon::ValidatedWindow,
        ToolbarIcon::Bin,       ToolbarIcon::Binoculars,  ToolbarIcon::Stop};
    for (int i = 0; i < kNombre_Boutons; ++i) {
        QAction* bouton = Toolbar1->addAction(QIcon(drawToolbarIcon(images[i])), QString());
        bouton->setObjectName(QStringLiteral("Toolbar1_Bouton%1").arg(i + 1));
        connect(bouton, &QAction::triggered, this, [this, i] { Toolbar1_ButtonClick(i + 1); });
        Boutons[i] = bouton;
    }

    Label_Nombre = Creer_Label(this, "Label_Nombre", "N°:", Qt::AlignLeft | Qt::AlignVCenter);
    Numero_Enregistrement =
        Creer_Label(this, "Numero_Enregistrement", "", Qt::AlignLeft | Qt::AlignVCenter);

    QWidget* precedent = Nom;
    for (QWidget* suivant : std::initializer_list<QWidget*>{
             Prenom, Adresse1, Adresse2, Ville, Code_Postal, Tel_Home, Tel_Bureau, Date_Naissance,
             Numero_SS, Commentaire, Liste_Patients, Toolbar1}) {
        setTabOrder(precedent, suivant);
        precedent = suivant;
    }
}

// Places in pixels (15 twips each); nothing moves when the window is resized.
void Patients::Placer_Controles() {
    Liste_Patients->setGeometry(8, 8, 162, 300);
    const std::array<QLabel*, 10> labels{Label_Nom,       Label_Prenom,  Label_Adresse,
                                         nullptr,         Label_Ville,   Label_Code_Postal,
                                         Label_Tel_Perso, Label_Tel_Bur, Label_Date_Naissance,
                                         Label_Num_SS};
    constexpr int kX_Label = 174, kLargeur_Label = 128, kX_Boite = 306, kLargeur_Boite = 288;
    constexpr int kPas = 22, kHauteur = 20;
    const auto champs = Champs();
    for (std::size_t i = 0; i < champs.size(); ++i) {
        const int y = 8 + static_cast<int>(i) * kPas;
        if (labels[i] != nullptr)
            labels[i]->setGeometry(kX_Label, y, kLargeur_Label, kHauteur);
        champs[i].boite->setGeometry(kX_Boite, y, kLargeur_Boite, kHauteur);
    }
    const int y_commentaire = 8 + 10 * kPas;
    Label_Commentaire->setGeometry(kX_Label, y_commentaire + 3, kLargeur_Label, kHauteur);
    Commentaire->setGeometry(kX_Boite, y_commentaire, kLargeur_Boite, 58);

    const QSize taille_barre = Toolbar1->sizeHint();
    Toolbar1->setGeometry(kClientWidth - 8 - taille_barre.width(),
                          kClientHeight - 6 - taille_barre.height(), taille_barre.width(),
                          taille_barre.height());
    Label_Nombre->setGeometry(8, 322, 28, kHauteur);
    Numero_Enregistrement->setGeometry(38, 322, 90, kHauteur);
}

void Patients::Appliquer_Libelles() {
    const Libelles& libelle = etat_.Libelle;
    setWindowTitle(libelle(5, 15));
    const std::array<QLabel*, 10> labels{
        Label_Nom,       Label_Prenom,  Label_Adresse,        Label_Ville,  Label_Code_Postal,
        Label_Tel_Perso, Label_Tel_Bur, Label_Date_Naissance, Label_Num_SS, Label_Commentaire};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i]->setText(libelle(5, static_cast<int>(i) + 1));
    }
}

void Patients::Ouvrir() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    Form_Load();
    const QWidget* proprietaire = parentWidget();
    QRect cadre = frameGeometry();
    if (proprietaire != nullptr && proprietaire->isVisible()) {
        cadre.moveCenter(proprietaire->frameGeometry().center());
    } else if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        cadre.moveCenter(ecran->availableGeometry().center());
    }
    move(cadre.topLeft());
    show();
    raise();
    activateWindow();
}

void Patients::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}

void Patients::Form_Unload() {
    if (!Apres_Fermeture)
        return;
    try {
        Apres_Fermeture();
    } catch (const Error& erreur) {
        showErrorBox(parentWidget(), etat_.Libelle, erreur);
    }
}

bool Patients::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(event)->key();
        // The key that ran a search goes no further: a line break would land in the
        // comment of the patient found.
        if ((touche == Qt::Key_Return || touche == Qt::Key_Enter) && Critere_KeyPress(13)) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

namespace {

[[noreturn]] void Objet_Absent() {
    throw Error(91, "Corvanta", "Object variable or With block variable not set");
}

}  // namespace

platform::Database& Patients::Base() const {
    if (!etat_.Base_Donnees)
        Objet_Absent();
    return *etat_.Base_Donnees;
}

platform::Recordset& Patients::Table() const {
    if (!etat_.Table_Patients)
        Objet_Absent();
    return *etat_.Table_Patients;
}

void Patients::Erreur(const Error& erreur) {
    showErrorBox(this, etat_.Libelle, erreur);
}

}  // namespace corvanta
