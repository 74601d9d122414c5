// The serial dialogue end to end: the real main window on a pseudo-terminal whose other
// end the test plays byte by byte.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <algorithm>

#include "main_window/echo.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/serial_port.h"
#include "tests/acquisition/device_frames.h"
#include "tests/support/workstation.h"

namespace corvanta::test {
namespace {

constexpr char kDemande = 0x10;

QByteArray Courbe_Prise(const Echo& echo, int n) {
    return QByteArray(reinterpret_cast<const char*>(echo.Courbe_Brute.data()), n);
}

// A curve whose echo in zone 0 (7 to 15 mm) stands above its 68 % threshold.
QByteArray Rampe_Avec_Echo(int n) {
    QByteArray echantillons = Rampe(n);
    for (int i = 50; i < 56; ++i)
        echantillons[i] = static_cast<char>(250);
    return echantillons;
}

class DeviceDialogue : public ::testing::Test {
  protected:
    void SetUp() override {
        // The start-up sequence: 400 points, then the first request.
        ASSERT_EQ(poste.Lire_Commandes(2), QByteArray("\x07\x10"));
        ASSERT_TRUE(echo.Timer2->isActive());
    }
    // Keeps the 300 ms requests out of a count of the receive procedure's own.
    void Arreter_Timer2() { echo.Timer2->stop(); }

    Workstation poste{Workstation::withDevice()};
    Echo& echo = poste.demarrer();
};

TEST_F(DeviceDialogue, AnAcceptedFrameIsTakenFilteredDrawnThenARequestFollows) {
    Arreter_Timer2();
    const QByteArray echantillons = Rampe(400, 3);
    EXPECT_EQ(poste.Envoyer_Trame(Trame_Appareil(echantillons)), QByteArray(1, kDemande));
    EXPECT_EQ(Courbe_Prise(echo, 400), echantillons);
    EXPECT_EQ(echo.Courbe_Filtree[10], echo.Courbe_Brute[10]);  // both filters off
    EXPECT_TRUE(echo.Timer2->isActive());
    EXPECT_TRUE(poste.Commandes_Pendant(150).isEmpty());
    EXPECT_EQ(echo.Gel_Courbe, 0);

    // Split in pieces, the frame is still read whole; two frames written at once are read
    // one after the other, each answered.
    Arreter_Timer2();
    const QByteArray trame = Trame_Appareil(Rampe(400, 7));
    poste.Ecrire(trame.left(100));
    runEvents(30);
    poste.Ecrire(trame.mid(100));
    EXPECT_EQ(poste.Lire_Commandes(1), QByteArray(1, kDemande));
    Arreter_Timer2();
    poste.Ecrire(Trame_Appareil(Rampe(400, 8)) + Trame_Appareil(Rampe(400, 9)));
    EXPECT_EQ(poste.Lire_Commandes(2), QByteArray(2, kDemande));
    EXPECT_EQ(Courbe_Prise(echo, 400), Rampe(400, 9));
}

// The live curve is filtered with each slider's own setting: the moving average from the
// first, the low-pass kind from the second.
TEST_F(DeviceDialogue, TheLiveCurveIsFilteredWithEachSlidersOwnSetting) {
    QByteArray echantillons(400, '\x0a');
    for (int i = 0; i < 400; i += 2)
        echantillons[i] = '\x28';
    const auto filtree = [&](int moyenne, int passe_bas) {
        Echantillons_Courbe sortie{};
        poste.etat->Bibliotheque->smooth_filter()(
            reinterpret_cast<const std::uint8_t*>(echantillons.constData()), sortie.data(), moyenne,
            passe_bas, 400);
        return sortie;
    };
    for (const auto& [moyenne, passe_bas] : {std::pair(1, 4), std::pair(0, 5), std::pair(5, 0)}) {
        ASSERT_NE(filtree(moyenne, passe_bas), filtree(passe_bas, moyenne));
        echo.Slider1[0]->setValue(moyenne);
        echo.Slider1[1]->setValue(passe_bas);
        Arreter_Timer2();
        ASSERT_EQ(poste.Envoyer_Trame(Trame_Appareil(echantillons)), QByteArray(1, kDemande));
        EXPECT_EQ(echo.Courbe_Filtree, filtree(moyenne, passe_bas)) << moyenne << ", " << passe_bas;
    }
}

TEST_F(DeviceDialogue, Timer2RequestsEvery300MsWhateverTheTraffic) {
    EXPECT_NEAR(poste.Commandes_Pendant(1000).count(kDemande), 3, 1);

    // Frames arriving every 100 ms do not push the timer back: its requests come on top
    // of the receive procedure's.
    QByteArray envoye;
    for (int i = 0; i < 10; ++i) {
        poste.Ecrire(Trame_Appareil(Rampe(400, i)));
        envoye += poste.Commandes_Pendant(100);
    }
    EXPECT_GE(envoye.count(kDemande), 10 + 2);
}

TEST_F(DeviceDialogue, AFalseHeaderGives250MsOfSilenceAnEmptiedInputAndARequest) {
    Arreter_Timer2();
    const QByteArray avant = Courbe_Prise(echo, 400);
    QByteArray faux = Trame_Appareil(Rampe(400, 20));
    faux[2] = 'F';
    QElapsedTimer chrono;
    chrono.start();
    poste.Ecrire(faux + QByteArray(150, 'x'));
    // Looked at from inside the wait, which runs nested in the events the test lets run.
    bool attente_vue = false;
    QTimer::singleShot(100, [&] {
        attente_vue = echo.Timer1->isActive() && !echo.Timer2->isActive();
        poste.Ecrire(QByteArray(200, 'y'));  // arrives during the wait: thrown away too
    });

    EXPECT_EQ(poste.Lire_Commandes(1), QByteArray(1, kDemande));
    EXPECT_TRUE(attente_vue);
    EXPECT_GE(chrono.elapsed(), 235);  // a coarse timer may fire 5 % early
    EXPECT_EQ(echo.PDQComm1().inBufferCount(), 0);
    EXPECT_TRUE(echo.Timer2->isActive());
    EXPECT_FALSE(echo.Timer1->isActive());
    EXPECT_EQ(Courbe_Prise(echo, 400), avant);
    EXPECT_TRUE(poste.Commandes_Pendant(200).isEmpty());

    // The dialogue goes on with the next good frame.
    Arreter_Timer2();
    EXPECT_EQ(poste.Envoyer_Trame(Trame_Appareil(Rampe(400, 30))), QByteArray(1, kDemande));
    EXPECT_EQ(Courbe_Prise(echo, 400), Rampe(400, 30));
}

TEST_F(DeviceDialogue, AnEndlessUnreadableStreamKeepsReceptionsBoundedThenTheDialogueResumes) {
    // Every receive procedure counted as it runs, nested in another or not.
    int profondeur = 0;
    int plus_profonde = 0;
    platform::SerialPort& port = echo.PDQComm1();
    QObject::disconnect(&port, &platform::SerialPort::communicationEvent, &echo, nullptr);
    QObject::connect(&port, &platform::SerialPort::communicationEvent, &echo, [&] {
        plus_profonde = std::max(plus_profonde, ++profondeur);
        echo.PDQComm1_OnComm();
        --profondeur;
    });

    // Five minutes of a garbled line played on a clock of the test's own: each turn is
    // one 404-byte read's time on the line (35.6 ms), and seven turns (250 ms) end a
    // resynchronisation wait.
    constexpr int kLectures = 5 * 60 * 1000 * 10 / 356;
    constexpr int kTours_Par_Attente = 7;
    const QByteArray illisible = QByteArray(404, 'x');
    int lectures = 0;
    int tours_attente = 0;
    int attentes = 0;
    QByteArray demandes;
    QTimer horloge;
    QObject::connect(&horloge, &QTimer::timeout, [&] {
        demandes += poste.Lire_Commandes(0, 0);
        if (lectures < kLectures && ::write(poste.ligne->masterFd(), illisible.constData(),
                                            illisible.size()) == illisible.size())
            ++lectures;
        if (!echo.Timer1->isActive()) {
            tours_attente = 0;
        } else if (++tours_attente == kTours_Par_Attente) {
            tours_attente = 0;
            ++attentes;
            echo.Timer1_Timer();
        }
    });
    horloge.start(0);
    const bool fini = waitUntil([&] { return lectures == kLectures && profondeur == 0; }, 60000);
    horloge.stop();
    ASSERT_TRUE(fini) << lectures << " reads, " << profondeur << " deep";

    EXPECT_LE(plus_profonde, 2);
    EXPECT_GT(attentes, kLectures / (4 * kTours_Par_Attente));
    // Each wait ended with a request.
    demandes += poste.Lire_Commandes(attentes - demandes.count(kDemande), 1000);
    EXPECT_GE(demandes.count(kDemande), attentes);
    EXPECT_TRUE(poste.messages.boites.empty());

    // The device speaks plainly again: its frames are taken and answered as before.
    EXPECT_TRUE(echo.Timer2->isActive());
    runEvents(50);
    Arreter_Timer2();
    poste.Commandes_Pendant(20);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(poste.Envoyer_Trame(Trame_Appareil(Rampe(400, 50 + i))), QByteArray(1, kDemande));
        EXPECT_EQ(Courbe_Prise(echo, 400), Rampe(400, 50 + i));
    }
}

TEST_F(DeviceDialogue, AFrameHoldingASecondHeaderIsIgnoredWithoutARequest) {
    Arreter_Timer2();
    const QByteArray avant = Courbe_Prise(echo, 400);
    QByteArray echantillons = Rampe(400, 40);
    echantillons.replace(200, 3, "HSE");
    poste.Ecrire(Trame_Appareil(echantillons));
    EXPECT_TRUE(waitUntil([&] { return echo.Timer2->isActive(); }));
    EXPECT_TRUE(poste.Commandes_Pendant(200).isEmpty());
    EXPECT_EQ(Courbe_Prise(echo, 400), avant);
    EXPECT_FALSE(echo.Timer1->isActive());
    // Timer2, enabled again, asks within its 300 ms.
    EXPECT_EQ(poste.Lire_Commandes(1, 400), QByteArray(1, kDemande));
}

TEST_F(DeviceDialogue, AZeroStatusByteTogglesTheFreezeBeforeTheSamplesAreTaken) {
    const QByteArray a = Rampe(400, 1);
    poste.Envoyer_Trame(Trame_Appareil(a));
    poste.Envoyer_Trame(Trame_Appareil(Rampe(400, 2), 0x00));
    EXPECT_EQ(echo.Gel_Courbe, -1);
    EXPECT_EQ(Courbe_Prise(echo, 400), a);
    poste.Envoyer_Trame(Trame_Appareil(Rampe(400, 3)));
    EXPECT_EQ(Courbe_Prise(echo, 400), a);
    const QByteArray d = Rampe(400, 4);
    poste.Envoyer_Trame(Trame_Appareil(d, 0x00));
    EXPECT_EQ(echo.Gel_Courbe, 0);
    EXPECT_EQ(Courbe_Prise(echo, 400), d);
}

TEST_F(DeviceDialogue, ADetectedEchoFreezesTheCurveWhichTheButtonAndTheBoxRelease) {
    // Zone 0 of the current type freezes on detection.
    echo.List2->setCurrentRow(0);
    echo.Check_Action[1]->setChecked(true);
    ASSERT_EQ(poste.etat->Zones_Sensibles[0][0].gel, 1);

    const QByteArray echo_fort = Rampe_Avec_Echo(400);
    poste.Envoyer_Trame(Trame_Appareil(echo_fort));
    EXPECT_EQ(echo.Gel_Courbe, -1);
    EXPECT_EQ(Courbe_Prise(echo, 400), echo_fort);  // the frame that froze is shown
    EXPECT_EQ(poste.etat->Zones_Courantes[0].xpic, 50);
    poste.Envoyer_Trame(Trame_Appareil(Rampe(400, 5)));
    EXPECT_EQ(Courbe_Prise(echo, 400), echo_fort);

    echo.Bouton_Geler->click();
    EXPECT_EQ(echo.Gel_Courbe, 0);
    poste.Envoyer_Trame(Trame_Appareil(Rampe(400, 6)));
    EXPECT_EQ(Courbe_Prise(echo, 400), Rampe(400, 6));

    // Frozen again by the next echo, released by a click on the automatic-freeze box.
    poste.Envoyer_Trame(Trame_Appareil(echo_fort));
    EXPECT_EQ(echo.Gel_Courbe, -1);
    echo.Check_Action[1]->click();
    EXPECT_EQ(echo.Gel_Courbe, 0);
    EXPECT_EQ(poste.etat->Zones_Sensibles[0][0].gel, 0);
    poste.Envoyer_Trame(Trame_Appareil(echo_fort));
    EXPECT_EQ(echo.Gel_Courbe, 0);
}

TEST_F(DeviceDialogue, AHundredPointsSendByte05AndAwait104ByteFrames) {
    echo.Combo1->setCurrentIndex(1);
    EXPECT_EQ(poste.Lire_Commandes(1), QByteArray("\x05"));
    EXPECT_EQ(poste.etat->Nombre_Points, 100);
    EXPECT_EQ(echo.PDQComm1().inputLength(), 104);
    EXPECT_EQ(echo.PDQComm1().receiveThreshold(), 104);

    Arreter_Timer2();
    const QByteArray echantillons = Rampe(100, 11);
    EXPECT_EQ(poste.Envoyer_Trame(Trame_Appareil(echantillons)), QByteArray(1, kDemande));
    EXPECT_EQ(Courbe_Prise(echo, 100), echantillons);
    EXPECT_EQ(echo.Courbe_Brute[100], ' ');
    EXPECT_EQ(echo.Courbe_Brute[399], ' ');

    echo.Combo1->setCurrentIndex(0);
    EXPECT_EQ(poste.Lire_Commandes(1), QByteArray("\x04"));
    EXPECT_EQ(echo.PDQComm1().inputLength(), 54);
}

TEST_F(DeviceDialogue, RestartEmptiesTheInputThenRequestsAFrame) {
    Arreter_Timer2();
    // Held back from the receive procedure so that the bytes wait.
    echo.PDQComm1().setReceiveThreshold(0);
    poste.Ecrire(QByteArray(1000, 'z'));
    ASSERT_TRUE(waitUntil([&] { return echo.PDQComm1().inBufferCount() == 1000; }));
    echo.Bouton_Relancer->click();
    EXPECT_EQ(echo.PDQComm1().inBufferCount(), 0);
    EXPECT_EQ(poste.Lire_Commandes(1), QByteArray(1, kDemande));
    EXPECT_TRUE(poste.Commandes_Pendant(100).isEmpty());
    EXPECT_TRUE(echo.Timer2->isActive());
}

TEST_F(DeviceDialogue, ALostDeviceClosesThePortStopsTheTimersAndSaysSoOnce) {
    // Lost in the middle of a resynchronisation wait: the wait ends too.
    Arreter_Timer2();
    poste.Ecrire(QByteArray(404, 'q'));
    bool attente_vue = false;
    QTimer::singleShot(100, [&] {
        attente_vue = echo.Timer1->isActive();
        poste.Debrancher();
    });
    ASSERT_TRUE(waitUntil([&] { return !poste.messages.boites.empty(); }));
    runEvents(400);

    EXPECT_TRUE(attente_vue);
    EXPECT_FALSE(echo.PDQComm1().isPortOpen());
    EXPECT_FALSE(echo.Timer1->isActive());
    EXPECT_FALSE(echo.Timer2->isActive());
    ASSERT_EQ(poste.messages.boites.size(), 1u);
    EXPECT_EQ(poste.messages.boites[0].titre, poste.etat->Libelle(1, 68));
    EXPECT_TRUE(poste.messages.boites[0].texte.contains(poste.etat->Libelle(1, 90)));
    // Its file went with the device.
    EXPECT_TRUE(poste.messages.boites[0].texte.endsWith(
        poste.etat->Libelle(1, 180).arg(QString::fromStdString(poste.ligne->slavePath()))));
    EXPECT_EQ(poste.fin, -1);

    // The program goes on: the buttons and the points list act on nothing.
    echo.Bouton_Relancer->click();
    echo.Combo1->setCurrentIndex(0);
    echo.Timer2_Timer();
    EXPECT_EQ(poste.messages.boites.size(), 1u);
    EXPECT_EQ(poste.etat->Nombre_Points, 400);
}

TEST_F(DeviceDialogue, OnlyAReceivedCurveIsStoredEvenAfterTheDeviceIsLost) {
    Etat_Application& etat = *poste.etat;
    platform::Database& base = *etat.Base_Donnees;
    base.execute(QStringLiteral(
        "INSERT INTO Patients (Nom_Patient, Prenom_Patient) VALUES ('Blanc', 'Lise')"));
    etat.Table_Patients->requery();
    echo.Remplir_Liste_Nom();
    echo.Liste_Nom->setCurrentIndex(0);
    ASSERT_NE(etat.Code_Patient_Courant, 0);
    const auto courbes = [&] {
        return base.queryValue(QStringLiteral("SELECT COUNT(*) FROM Courbes"), {}).toInt32();
    };
    const int avant = courbes();

    // The device is there but has sent nothing yet: the live curve is no acquisition.
    echo.Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(courbes(), avant);
    EXPECT_EQ(echo.List1->count(), 0);
    ASSERT_EQ(poste.messages.boites.size(), 1u);
    EXPECT_EQ(poste.messages.boites[0].titre, etat.Libelle(1, 60));
    EXPECT_EQ(poste.messages.boites[0].texte, etat.Libelle(1, 86));
    EXPECT_FALSE(etat.Libelle(1, 86).isEmpty());

    // A frame received, then the device lost: that curve is stored as it came.
    poste.Envoyer_Trame(Trame_Appareil(Rampe(400, 17)));
    poste.Debrancher();
    ASSERT_TRUE(waitUntil([&] { return poste.messages.boites.size() == 2; }));
    echo.Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(courbes(), avant + 1);
    EXPECT_EQ(poste.messages.boites.size(), 2u);
    ASSERT_EQ(echo.List1->count(), 1);
    EXPECT_EQ(base.queryValue(QStringLiteral("SELECT COURBE FROM Courbes WHERE ID = ?"),
                              {Cle_Ligne(echo.List1, 0)})
                  .toBlob(),
              Rampe(400, 17));
}

// The last line of the box names the device file and what took the device away, in the
// interface's language.
TEST(DeviceLostBox, SaysWhatTookTheDeviceAwayInTheInterfacesLanguage) {
    using Loss = platform::SerialPort::Loss;
    const struct {
        const char* langue;
        Loss cause;
        const char* fin;
    } cas[] = {
        {"Francais", Loss::Gone, "Le fichier de l'appareil, /dev/ttyUSB0, a disparu du système."},
        {"Francais", Loss::ReadFailed, "La lecture de /dev/ttyUSB0 a échoué."},
        {"Francais", Loss::WriteFailed, "L'écriture sur /dev/ttyUSB0 a échoué."},
        {"English", Loss::Gone, "The device file, /dev/ttyUSB0, has gone from the system."},
        {"English", Loss::ReadFailed, "Reading from /dev/ttyUSB0 failed."},
        {"English", Loss::WriteFailed, "Writing to /dev/ttyUSB0 failed."},
    };
    for (const auto& c : cas) {
        Workstation poste(Workstation::withDevice());
        poste.dossier.ecrire_reglage(QStringLiteral("GENERAL"), QStringLiteral("Langue"),
                                     QString::fromUtf8(c.langue));
        Echo& echo = poste.demarrer();
        emit echo.PDQComm1().deviceLost(QStringLiteral("/dev/ttyUSB0"), c.cause);
        ASSERT_EQ(poste.messages.boites.size(), 1u) << c.fin;
        const Libelles& l = poste.etat->Libelle;
        EXPECT_EQ(poste.messages.boites[0].texte, l(1, 69) + QStringLiteral(" 1 : ") + l(1, 90) +
                                                      QStringLiteral("\n\n") +
                                                      QString::fromUtf8(c.fin));
    }
}

TEST(DeviceDialogueAtStart, BytesLeftByTheDeviceBeforeTheStartDoNotShiftTheFirstFrame) {
    Workstation poste(Workstation::withDevice(QByteArray(300, 'v')));
    poste.demarrer();
    ASSERT_EQ(poste.Lire_Commandes(2), QByteArray("\x07\x10"));
    poste.echo->Timer2->stop();
    EXPECT_EQ(poste.Envoyer_Trame(Trame_Appareil(Rampe(400, 12))), QByteArray(1, kDemande));
    EXPECT_EQ(Courbe_Prise(*poste.echo, 400), Rampe(400, 12));
    EXPECT_FALSE(poste.echo->Timer1->isActive());
}

}  // namespace
}  // namespace corvanta::test
