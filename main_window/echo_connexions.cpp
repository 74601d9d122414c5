// What each control of the main window runs when it changes, and the window's own life.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include "main_window/echo.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"

namespace corvanta {

void Echo::Connecter_Gestionnaires() {
    PDQComm1_ = std::make_unique<platform::SerialPort>(
        platform::SerialPort::resolverFromSettings(*etat_.Registre));
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
    connect(Chemin, &QLineEdit::textChanged, this, [this] { Chemin_Change(); });
    for (int i = 0; i < 2; ++i) {
        connect(Slider1[i], &QSlider::valueChanged, this, [this, i] { Slider1_Scroll(i); });
    }
    connect(List2, &QListWidget::currentRowChanged, this, [this] { List2_Click(); });

    connect(Bouton_Quitter, &QPushButton::clicked, this, [this] { Sortie(); });
    connect(Menu_Quitter, &QAction::triggered, this, [this] { Sortie(); });
}

Echo::~Echo() = default;

void Echo::closeEvent(QCloseEvent* evenement) {
    evenement->accept();
    Sortie();
}

}  // namespace corvanta
