// What each control of the main window runs when it changes, and the window's own life.
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "main_window/echo.h"
#include "main_window/perte_focus.h"
#include "patients/patients.h"
#include "platform/error.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"
#include "widgets/curve_view.h"

namespace corvanta {

void Echo::Connecter_Gestionnaires() {
    PDQComm1_ = std::make_unique<platform::SerialPort>(
        platform::SerialPort::resolverFromSettings(*etat_.Registre));
    Poste_Reception& poste = *this;
    reception_ = std::make_unique<Reception_Trames>(*PDQComm1_, poste, *this);
    Terminer = [](int code) { std::exit(code); };

    connect(Combo3, &QComboBox::currentIndexChanged, this, [this] { Combo3_Click(); });
    connect(Combo2, &QComboBox::currentIndexChanged, this, [this] { Combo2_Click(); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(Combo_Format_Image, &QComboBox::currentIndexChanged, this,
            [this] { Combo_Format_Image_Change(); });
    if (QLineEdit* saisie = Combo_Format_Image->lineEdit()) {
        connect(saisie, &QLineEdit::textEdited, this, [this] { Combo_Format_Image_Change(); });
    }
    connect(Date_MES, &QLineEdit::textChanged, this, [this] { Date_MES_Change(); });
    connect(Date_MES, &QLineEdit::editingFinished, this, [this] { Date_MES_LostFocus(); });
    connect(Chemin, &QLineEdit::textChanged, this, [this] { Chemin_Change(); });
    connect(Bouton_Chemin, &QPushButton::clicked, this, [this] { Bouton_Chemin_Click(); });
    connect(Bouton_Import, &QPushButton::clicked, this, [this] { Bouton_Import_Click(); });
    Choisir_Fichier_Import = [this](const QString& titre) { return Dialogue_Ouvrir_Base(titre); };
    for (int i = 0; i < 2; ++i) {
        connect(Slider1[i], &QSlider::valueChanged, this, [this, i] { Slider1_Scroll(i); });
    }
    connect(List2, &QListWidget::currentRowChanged, this, [this] { List2_Click(); });
    for (int i = 0; i < 3; ++i) {
        connect(Texte_Seuils[i], &QLineEdit::returnPressed, this,
                [this, i] { Texte_Seuils_KeyPress(i, '\r'); });
        Sur_Perte_Focus(Texte_Seuils[i], [this, i] { Texte_Seuils_LostFocus(i); });
    }
    for (int i = 0; i < 2; ++i) {
        connect(Check_Action[i], &QCheckBox::toggled, this, [this, i] { Check_Action_Click(i); });
    }
    for (int i = 0; i < 5; ++i) {
        connect(Check1[i], &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
    }
    connect(Bouton_Sauvegarder, &QPushButton::clicked, this,
            [this] { Bouton_Sauvegarder_Click(); });

    connect(PDQComm1_.get(), &platform::SerialPort::communicationEvent, this,
            [this] { PDQComm1_OnComm(); });
    connect(PDQComm1_.get(), &platform::SerialPort::deviceLost, this,
            [this](const QString& appareil, platform::SerialPort::Loss cause) {
                Appareil_Perdu(appareil, cause);
            });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
    connect(Bouton_Imprimer_Courbe_Acquisition, &QPushButton::clicked, this,
            [this] { Bouton_Imprimer_Courbe_Acquisition_Click(); });
    connect(Bouton_Relancer, &QPushButton::clicked, this, [this] { Bouton_Relancer_Click(); });
    connect(Bouton_Geler, &QPushButton::clicked, this, [this] { Bouton_Geler_Click(); });
    connect(Liste_Nom, &QComboBox::currentIndexChanged, this, [this] { Liste_Nom_Click(); });
    connect(List1, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
    connect(Commentaire_Courbe, &QPlainTextEdit::textChanged, this,
            [this] { Commentaire_Courbe_Change(); });
    for (int i = 0; i < 4; ++i) {
        connect(Toolbar2_Boutons[i], &QAction::triggered, this,
                [this, i] { Toolbar2_ButtonClick(i + 1); });
    }
    // A repaint only draws; a library that fails here was already reported at start-up.
    Picture2->paintRequested = [this] {
        try {
            Dessiner_Apercu();
        } catch (const Error&) {
        }
    };

    // Exam types, exam windows and doctors.
    const std::array<QAction*, 5> types{Menu_Sinus_Maxillaires, Menu_Sinus_Frontaux, Menu_Plevre,
                                        Menu_Tumeur, Menu_Cellules};
    for (int t = 0; t < 5; ++t) {
        connect(types[t], &QAction::triggered, this, [this, t] { Changer_Type_Examen(t); });
    }
    connect(Menu_Gestion_Examens, &QAction::triggered, this,
            [this] { Menu_Gestion_Examens_Click(); });
    for (int i = 0; i < 3; ++i) {
        connect(Toolbar3_Boutons[i], &QAction::triggered, this,
                [this, i] { Toolbar3_ButtonClick(i + 1); });
    }
    const auto boites_medecin = Boites_Medecin();
    for (int i = 0; i < 6; ++i) {
        Sur_Perte_Focus(boites_medecin[i], [this, i] { Texte_Medecin_LostFocus(i); });
    }

    connect(Bouton_Quitter, &QPushButton::clicked, this, [this] { Quitter(); });
    connect(Menu_Quitter, &QAction::triggered, this, [this] { Quitter(); });
    connect(Menu_Gestion_Patients, &QAction::triggered, this,
            [this] { Menu_Gestion_Patients_Click(); });
}

Echo::~Echo() = default;

void Echo::closeEvent(QCloseEvent* evenement) {
    if (Quitter())
        evenement->accept();
    else
        evenement->ignore();
}

}  // namespace corvanta
