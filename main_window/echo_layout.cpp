#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include "main_window/echo.h"
#include "main_window/icons.h"
#include "main_window/scale_picture.h"
#include "patients/patients.h"
#include "platform/serial_port.h"
#include "widgets/curve_view.h"
#include "widgets/named_widgets.h"
#include "widgets/window_placement.h"

// The main window's layout in pixels (15 twips each): the live view and its scales on top,
// the slot swatches and the freeze button at its right, the tab control below with the
// print, restart and quit buttons at its right.

namespace corvanta {
namespace {

QString indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QAction* menuAction(QObject* parent, const char* name, const QString& text) {
    auto* action = new QAction(text, parent);
    action->setObjectName(QLatin1String(name));
    return action;
}

// A row of toolbar buttons living inside a page rather than in the window's toolbar area.
QToolBar* buttonRow(QWidget* parent, const char* name, QPoint at) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(18, 18));
    bar->move(at);
    return bar;
}

QAction* toolButton(QToolBar* bar, const QString& name, const QIcon& icon, const QString& text,
                    bool checkable) {
    auto* action = bar->addAction(icon, text);
    action->setObjectName(name);
    action->setCheckable(checkable);
    return action;
}

// Slot swatch colours, as red, green, blue.
constexpr std::array<QRgb, 5> kSlotColours = {
    qRgb(255, 0, 0), qRgb(255, 192, 255), qRgb(255, 255, 0), qRgb(0, 0, 255), qRgb(255, 0, 255)};

// Live view frame: the level scale, then the view, the depth scale under it.
constexpr int kScaleWidth = 24;    // level scale, left of the view
constexpr int kScaleHeight = 18;   // depth scale, under the view
constexpr int kScaleOverhang = 8;  // scales reach past the view so end labels are whole
constexpr QPoint kViewAt(kScaleWidth + 4, 10);

}  // namespace

Echo::Echo(Etat_Application& etat, QWidget* parent) : QMainWindow(parent), etat_(etat) {
    setObjectName(QStringLiteral("Echo"));
    setWindowTitle(QStringLiteral("Corvanta"));
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(client);
    construireMenus();
    construireVue(client);
    construireBoutons(client);
    construireInvisibles(client);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(0);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(300);

    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    centreOnScreen(*this);
    Connecter_Gestionnaires();
}

void Echo::construireMenus() {
    QMenuBar* bar = menuBar();
    Menu_Gestion_Patients = menuAction(bar, "Menu_Gestion_Patients", QStringLiteral("Patients"));
    Menu_Gestion_Examens = menuAction(bar, "Menu_Gestion_Examens", QStringLiteral("Examens"));
    bar->addAction(Menu_Gestion_Patients);
    bar->addAction(Menu_Gestion_Examens);

    Menu_Type_Examens = bar->addMenu(QStringLiteral("Type"));
    Menu_Type_Examens->setObjectName(QStringLiteral("Menu_Type_Examens"));
    auto* types = new QActionGroup(Menu_Type_Examens);
    types->setExclusive(true);
    auto typeEntry = [&](const char* name, const QString& text) {
        QAction* action = menuAction(Menu_Type_Examens, name, text);
        action->setCheckable(true);
        types->addAction(action);
        Menu_Type_Examens->addAction(action);
        return action;
    };
    Menu_Sinus_Maxillaires =
        typeEntry("Menu_Sinus_Maxillaires", QStringLiteral("Sinus Maxillaires"));
    Menu_Sinus_Frontaux = typeEntry("Menu_Sinus_Frontaux", QStringLiteral("Sinus Frontaux"));
    Menu_Cellules = typeEntry("Menu_Cellules", QStringLiteral("Cellule Ethmoïdales"));
    Menu_Plevre = typeEntry("Menu_Plevre", QStringLiteral("Plèvre"));
    Menu_Tumeur = typeEntry("Menu_Tumeur", QStringLiteral("Tumeur Cervicale"));
    Menu_Sinus_Maxillaires->setChecked(true);

    Menu_Quitter = menuAction(bar, "Menu_Quitter", QStringLiteral("Quitter"));
    bar->addAction(Menu_Quitter);
}

void Echo::construireVue(QWidget* client) {
    const QSize frameSize(kViewAt.x() + kViewWidth + kScaleOverhang,
                          kViewAt.y() + kViewHeight + kScaleHeight + 2);
    Frame1 = placeNamed<QFrame>(client, QStringLiteral("Frame1"), QRect(QPoint(4, 4), frameSize));
    Frame1->setFrameShape(QFrame::NoFrame);

    Picture1 = new CurveView(QSize(kViewWidth, kViewHeight), Frame1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(kViewAt);

    Picture4 = new ScalePicture(ScalePicture::Axis::Vertical, 60, kViewHeight, kScaleOverhang,
                                QSize(kScaleWidth, kViewHeight + 2 * kScaleOverhang), Frame1);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->move(kViewAt.x() - kScaleWidth, kViewAt.y() - kScaleOverhang);

    Picture3 = new ScalePicture(ScalePicture::Axis::Horizontal, 80, kViewWidth, kScaleOverhang,
                                QSize(kViewWidth + 2 * kScaleOverhang, kScaleHeight), Frame1);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->move(kViewAt.x() - kScaleOverhang, kViewAt.y() + kViewHeight);

    const QSize previewSize(240, 120);
    Picture2 = new CurveView(previewSize, Frame1);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->move(kViewAt.x() + kViewWidth - previewSize.width() - 6, kViewAt.y() + 6);
    Picture2->raise();
    Picture2->hide();

    const int slotsLeft = Frame1->geometry().right() + 6;
    for (int i = 0; i < 5; ++i) {
        const int y = kViewAt.y() + 4 + 24 * i;
        Shape1[i] =
            placeNamed<QFrame>(client, indexed("Shape1", i), QRect(slotsLeft, y + 1, 14, 14));
        Shape1[i]->setFrameShape(QFrame::Box);
        Shape1[i]->setAutoFillBackground(true);
        QPalette fill = Shape1[i]->palette();
        fill.setColor(QPalette::Window, QColor(kSlotColours[i]));
        Shape1[i]->setPalette(fill);
        Check1[i] =
            placeNamed<QCheckBox>(client, indexed("Check1", i), QRect(slotsLeft + 20, y, 18, 16));
    }

    Bouton_Geler = placeNamed<QPushButton>(client, QStringLiteral("Bouton_Geler"),
                                           QRect(slotsLeft - 2, kViewAt.y() + 140, 42, 42));
    Bouton_Geler->setIcon(drawIcon(IconKind::Freeze, 30));
    Bouton_Geler->setIconSize(QSize(30, 30));
}

void Echo::construireBoutons(QWidget* client) {
    const int top = Frame1->geometry().bottom() + 4;
    SSTab1 = placeNamed<QTabWidget>(client, QStringLiteral("SSTab1"),
                                    QRect(4, top, 698, kClientHeight - top - 4));
    const char* pages[] = {"Onglet_Zones", "Onglet_Filtrage", "Onglet_Patients", "Onglet_General"};
    const char* captions[] = {"&Zones sensibles", "&Filtrage", "&Patients", "&Général"};
    std::array<QWidget*, 4> page{};
    for (int i = 0; i < 4; ++i) {
        page[i] = new QWidget;
        page[i]->setObjectName(QLatin1String(pages[i]));
        SSTab1->addTab(page[i], QString::fromUtf8(captions[i]));
    }
    construireOngletZones(page[0]);
    construireOngletFiltrage(page[1]);
    construireOngletPatients(page[2]);
    construireOngletGeneral(page[3]);

    const int left = SSTab1->geometry().right() + 6;
    const int width = kClientWidth - left - 4;
    auto button = [&](const char* name, const char* text, IconKind icon, int y) {
        auto* b = placeNamed<QPushButton>(client, QLatin1String(name), QRect(left, y, width, 30),
                                          QString::fromUtf8(text));
        b->setIcon(drawIcon(icon, 16));
        return b;
    };
    Bouton_Imprimer_Courbe_Acquisition =
        button("Bouton_Imprimer_Courbe_Acquisition", "&Imprimer ", IconKind::Print, top + 24);
    Bouton_Relancer = button("Bouton_Relancer", "&Relancer", IconKind::Restart, top + 64);
    Bouton_Quitter = button("Bouton_Quitter", "&Quitter", IconKind::Quit, kClientHeight - 38);
}

void Echo::construireOngletZones(QWidget* page) {
    Label_Zones_Sensibles =
        placeNamed<QLabel>(page, QStringLiteral("Label_Zones_Sensibles"), QRect(10, 8, 360, 16),
                           QStringLiteral("Zones sensibles :"));
    List2 = placeNamed<QListWidget>(page, QStringLiteral("List2"), QRect(10, 26, 370, 74));
    Label_Zones_Sensibles->setBuddy(List2);

    const char* labels[] = {"Label_Abscisse_Debut", "Label_Abscisse_Fin", "Label_Seuil_Detection"};
    const char* captions[] = {"Abcisse de début :", "Abcisse de fin :", "Seuil de détection :"};
    // Unit labels in design order: start "mm", threshold "%", end "mm".
    const std::array<int, 3> unitOfBox = {0, 2, 1};
    const char* units[] = {"mm", "%", "mm"};
    std::array<QLabel*, 3> label{};
    for (int i = 0; i < 3; ++i) {
        const int y = 8 + 28 * i;
        label[i] = placeNamed<QLabel>(page, QLatin1String(labels[i]), QRect(400, y + 3, 150, 16),
                                      QString::fromUtf8(captions[i]));
        Texte_Seuils[i] =
            placeNamed<QLineEdit>(page, indexed("Texte_Seuils", i), QRect(556, y, 56, 22));
        const int unit = unitOfBox[i];
        Label4[unit] = placeNamed<QLabel>(page, indexed("Label4", unit), QRect(618, y + 3, 30, 16),
                                          QLatin1String(units[unit]));
    }
    Label_Abscisse_Debut = label[0];
    Label_Abscisse_Fin = label[1];
    Label_Seuil_Detection = label[2];

    Check_Action[0] = placeNamed<QCheckBox>(page, indexed("Check_Action", 0),
                                            QRect(400, 94, 250, 20), QStringLiteral("Zone active"));
    Check_Action[1] =
        placeNamed<QCheckBox>(page, indexed("Check_Action", 1), QRect(400, 116, 250, 20),
                              QStringLiteral("Gel automatique"));
}

void Echo::construireOngletFiltrage(QWidget* page) {
    const char* labels[] = {"Label_Filtre_Moyenneur", "Label_Filtre_PasseBas"};
    const char* captions[] = {"Filtre moyenneur :", "Filtre passe-bas :"};
    std::array<QLabel*, 2> label{};
    for (int i = 0; i < 2; ++i) {
        const int x = 16 + 240 * i;
        label[i] = placeNamed<QLabel>(page, QLatin1String(labels[i]), QRect(x, 12, 210, 16),
                                      QLatin1String(captions[i]));
        Slider1[i] =
            placeNamed<QSlider>(page, indexed("Slider1", i), QRect(x, 32, 210, 30), Qt::Horizontal);
        Slider1[i]->setRange(0, 5);
        Slider1[i]->setSingleStep(1);
        Slider1[i]->setPageStep(1);
        Slider1[i]->setTickPosition(QSlider::TicksBelow);
        Slider1[i]->setTickInterval(1);
        Label_Nbre_Points[i] =
            placeNamed<QLabel>(page, indexed("Label_Nbre_Points", i), QRect(x, 66, 210, 16));
    }
    Label_Filtre_Moyenneur = label[0];
    Label_Filtre_PasseBas = label[1];

    Bouton_Sauvegarder =
        placeNamed<QPushButton>(page, QStringLiteral("Bouton_Sauvegarder"), QRect(16, 102, 130, 28),
                                QStringLiteral("&Sauvegarder"));
    Label_Nombre_Points =
        placeNamed<QLabel>(page, QStringLiteral("Label_Nombre_Points"), QRect(512, 12, 160, 16),
                           QStringLiteral("Nombre de points :"));
    Combo1 = placeNamed<QComboBox>(page, QStringLiteral("Combo1"), QRect(512, 34, 120, 24));
}

void Echo::construireOngletPatients(QWidget* page) {
    Frame_Patient = placeNamed<QGroupBox>(page, QStringLiteral("Frame_Patient"),
                                          QRect(6, 4, 244, 150), QStringLiteral(" Patient "));
    Liste_Nom =
        placeNamed<QComboBox>(Frame_Patient, QStringLiteral("Liste_Nom"), QRect(8, 20, 228, 24));
    Text1 =
        placeNamed<QPlainTextEdit>(Frame_Patient, QStringLiteral("Text1"), QRect(8, 50, 228, 92));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Frame_Courbes = placeNamed<QGroupBox>(page, QStringLiteral("Frame_Courbes"),
                                          QRect(256, 4, 430, 150), QStringLiteral(" Courbes "));
    Toolbar1 = buttonRow(Frame_Courbes, "Toolbar1", QPoint(6, 16));
    auto* sides = new QActionGroup(Toolbar1);
    sides->setExclusive(true);
    Toolbar1_Boutons[0] = toolButton(Toolbar1, QStringLiteral("Toolbar1_Bouton1"),
                                     drawIcon(IconKind::RightSide, 18), QString(), true);
    Toolbar1_Boutons[1] = toolButton(Toolbar1, QStringLiteral("Toolbar1_Bouton2"),
                                     drawIcon(IconKind::LeftSide, 18), QString(), true);
    for (QAction* a : Toolbar1_Boutons)
        sides->addAction(a);
    Toolbar1_Boutons[0]->setChecked(true);
    Toolbar1->adjustSize();

    Toolbar2 = buttonRow(Frame_Courbes, "Toolbar2", QPoint(Toolbar1->geometry().right() + 16, 16));
    const IconKind icons[] = {IconKind::Preview, IconKind::Store, IconKind::Delete,
                              IconKind::Print};
    for (int i = 0; i < 4; ++i) {
        Toolbar2_Boutons[i] = toolButton(Toolbar2, QStringLiteral("Toolbar2_Bouton%1").arg(i + 1),
                                         drawIcon(icons[i], 18), QString(), i == 0);
    }
    Toolbar2->adjustSize();

    const int listsTop = Toolbar1->geometry().bottom() + 4;
    const int listsHeight = Frame_Courbes->height() - listsTop - 8;
    List1 = placeNamed<QListWidget>(Frame_Courbes, QStringLiteral("List1"),
                                    QRect(8, listsTop, 222, listsHeight));
    Commentaire_Courbe =
        placeNamed<QPlainTextEdit>(Frame_Courbes, QStringLiteral("Commentaire_Courbe"),
                                   QRect(236, listsTop, 186, listsHeight));
    // It takes typing only while a curve is selected.
    Commentaire_Courbe->setReadOnly(true);
}

void Echo::construireOngletGeneral(QWidget* page) {
    // Left column: language, port, commissioning date, export folder and format, import.
    constexpr int kLabelX = 10;
    constexpr int kFieldX = 150;
    auto row = [&](const char* labelName, const char* caption, int y) {
        return placeNamed<QLabel>(page, QLatin1String(labelName), QRect(kLabelX, y + 3, 136, 16),
                                  QString::fromUtf8(caption));
    };
    Label_Langue = row("Label_Langue", "Langue :", 6);
    Combo3 = placeNamed<QComboBox>(page, QStringLiteral("Combo3"), QRect(kFieldX, 6, 100, 22));
    Combo3->addItems({QStringLiteral("Francais"), QStringLiteral("English")});
    Combo3->setCurrentIndex(-1);
    Label_Port = row("Label_Port", "Port :", 32);
    Combo2 = placeNamed<QComboBox>(page, QStringLiteral("Combo2"), QRect(kFieldX, 32, 100, 22));
    Label_Date_Mes = row("Label_Date_Mes", "Date de Mise en Service :", 58);
    Date_MES = placeNamed<QLineEdit>(page, QStringLiteral("Date_MES"), QRect(kFieldX, 58, 100, 22));
    Label_Repertoire = row("Label_Repertoire", "Répertoire de Stockage :", 84);
    Chemin = placeNamed<QLineEdit>(page, QStringLiteral("Chemin"), QRect(kFieldX, 84, 160, 22));
    Bouton_Chemin = placeNamed<QPushButton>(page, QStringLiteral("Bouton_Chemin"),
                                            QRect(kFieldX + 164, 84, 26, 22));
    Bouton_Chemin->setIcon(drawIcon(IconKind::Folder, 16));
    Combo_Format_Image = placeNamed<QComboBox>(page, QStringLiteral("Combo_Format_Image"),
                                               QRect(kFieldX, 110, 100, 22));
    Combo_Format_Image->setEditable(true);
    Combo_Format_Image->setInsertPolicy(QComboBox::NoInsert);
    Combo_Format_Image->addItems({QStringLiteral("Jpeg"), QStringLiteral("Bmp")});
    Combo_Format_Image->setCurrentIndex(-1);
    Bouton_Import = placeNamed<QPushButton>(page, QStringLiteral("Bouton_Import"),
                                            QRect(kLabelX, 109, 100, 24), QStringLiteral("Import"));

    // Right column: the doctor's letterhead.
    constexpr int kDoctorLabelX = 356;
    constexpr int kDoctorFieldX = 470;
    constexpr int kDoctorFieldWidth = 216;
    auto doctorLabel = [&](const char* name, const char* caption, int y) {
        return placeNamed<QLabel>(page, QLatin1String(name), QRect(kDoctorLabelX, y + 2, 112, 16),
                                  QString::fromUtf8(caption));
    };
    auto doctorBox = [&](const char* name, int x, int y, int width) {
        return placeNamed<QLineEdit>(page, QLatin1String(name), QRect(x, y, width, 20));
    };
    Label_Medecin_No = doctorLabel("Label_Medecin_No", "Medecin N°  :", 8);
    Toolbar3 = buttonRow(page, "Toolbar3", QPoint(kDoctorFieldX - 2, 3));
    Toolbar3->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* doctors = new QActionGroup(Toolbar3);
    doctors->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        Toolbar3_Boutons[i] = toolButton(Toolbar3, QStringLiteral("Toolbar3_Bouton%1").arg(i + 1),
                                         QIcon(), QString::number(i + 1), true);
        doctors->addAction(Toolbar3_Boutons[i]);
    }
    Toolbar3_Boutons[0]->setChecked(true);
    Toolbar3->adjustSize();

    Label_Nom = doctorLabel("Label_Nom", "Nom :", 34);
    Texte_Nom_Medecin = doctorBox("Texte_Nom_Medecin", kDoctorFieldX, 34, kDoctorFieldWidth);
    Label_Adresse = doctorLabel("Label_Adresse", "Adresse :", 56);
    Texte_Adresse1_Medecin =
        doctorBox("Texte_Adresse1_Medecin", kDoctorFieldX, 56, kDoctorFieldWidth);
    Texte_Adresse2_Medecin =
        doctorBox("Texte_Adresse2_Medecin", kDoctorFieldX, 78, kDoctorFieldWidth);
    Label_Tel = doctorLabel("Label_Tel", "Tel :", 100);
    Texte_Tel_Medecin = doctorBox("Texte_Tel_Medecin", kDoctorFieldX, 100, 90);
    Label_Fax = placeNamed<QLabel>(page, QStringLiteral("Label_Fax"),
                                   QRect(kDoctorFieldX + 96, 102, 30, 16), QStringLiteral("Fax :"));
    Texte_Fax_Medecin = doctorBox("Texte_Fax_Medecin", kDoctorFieldX + 126, 100, 90);
    Label_Num_Ordre = doctorLabel("Label_Num_Ordre", "N°Inscription Ordre :", 122);
    Texte_Inscription_Medecin =
        doctorBox("Texte_Inscription_Medecin", kDoctorFieldX, 122, kDoctorFieldWidth);
}

void Echo::construireInvisibles(QWidget* client) {
    for (int z = 0; z < 4; ++z) {
        Picture5[z] = placeNamed<QLabel>(client, indexed("Picture5", z), QRect(0, 0, 25, 29));
        Picture5[z]->setPixmap(drawZonePin(z));
        Picture5[z]->hide();
    }
    LabelTag = placeNamed<QLabel>(client, QStringLiteral("LabelTag"), QRect(0, 0, 10, 10));
    LabelTag->hide();
}

}  // namespace corvanta
