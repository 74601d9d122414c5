#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <optional>

#include "patients/patients.h"
#include "platform/database.h"
#include "platform/error.h"
#include "platform/recordset.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"
#include "tests/acquisition/device_frames.h"
#include "tests/support/workstation.h"
#include "widgets/curve_view.h"

namespace corvanta::test {
namespace {

const QString G = QStringLiteral("GENERAL");

QString Texte_Base(const QString& base, int form, int label, const QString& colonne) {
    platform::Database db(base);
    return db
        .queryValue(QStringLiteral("SELECT ") + colonne +
                        QStringLiteral(" FROM Langues WHERE Form = ? AND Label = ?"),
                    {form, label})
        .toTextOrEmpty();
}

// The error that stops the start-up; a start-up that completes fails the test.
std::optional<Error> Echec_Demarrage(Echo& echo) {
    try {
        echo.Form_Load();
    } catch (const Error& erreur) {
        return erreur;
    }
    ADD_FAILURE() << "the start-up went on";
    return std::nullopt;
}

// The start-up stops with an error of this number whose description names `nom`.
void Attendre_Echec(Echo& echo, int numero, const std::string& nom) {
    const std::optional<Error> erreur = Echec_Demarrage(echo);
    ASSERT_TRUE(erreur);
    if (numero != 0) {
        EXPECT_EQ(erreur->number(), numero);
    }
    EXPECT_NE(erreur->description().find(nom), std::string::npos) << erreur->what();
}

TEST(Startup, TheFirstStartWritesTheGeneralWindowsSettings) {
    Workstation poste;
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    poste.etat->Registre->sync();

    const Dossier_Travail& d = poste.dossier;
    EXPECT_EQ(d.reglage(G, QStringLiteral("Langue")), QStringLiteral("Francais"));
    EXPECT_EQ(d.reglage(G, QStringLiteral("PortCom")), QStringLiteral("1"));
    EXPECT_EQ(d.reglage(G, QStringLiteral("Date MES")), QStringLiteral("01/01/99"));
    EXPECT_EQ(d.reglage(G, QStringLiteral("Export")), d.chemin());
    // Only the handlers start-up runs write: the rest waits for the exit.
    EXPECT_EQ(d.reglage(G, QStringLiteral("Images")), QStringLiteral("<absent>"));
    EXPECT_EQ(d.reglage(G, QStringLiteral("Def_Type")), QStringLiteral("<absent>"));

    const Etat_Application& etat = *poste.etat;
    EXPECT_EQ(etat.Repertoire_Programme, d.chemin());
    EXPECT_EQ(etat.Nombre_Points, 400);
    EXPECT_EQ(etat.Taille_Entete, 4);
    EXPECT_EQ(etat.Medecin_Courant, 1);
    EXPECT_EQ(etat.Nom_Medecin[3], QStringLiteral("Docteur X"));
    EXPECT_EQ(etat.Date_Mise_En_Service, QStringLiteral("01/01/99"));
    EXPECT_EQ(etat.Zones_Sensibles[0][1].xmax, 50);
    EXPECT_EQ(etat.Zones_Sensibles[3][0].seuil, 68);
    EXPECT_EQ(etat.Zones_Sensibles[4][0].actif, 0);

    EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - ") + etat.Libelle(1, 72));
    EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - Sinus Maxillaires"));
    EXPECT_TRUE(echo.Menu_Sinus_Maxillaires->isChecked());
    EXPECT_FALSE(echo.Menu_Cellules->isChecked());
    EXPECT_EQ(echo.Combo1->currentIndex(), 3);
    EXPECT_EQ(echo.Combo2->currentText(), QStringLiteral("COM 1"));
    EXPECT_EQ(echo.Combo3->currentIndex(), 0);
    EXPECT_EQ(echo.Combo_Format_Image->currentIndex(), 0);
    EXPECT_EQ(echo.Texte_Nom_Medecin->text(), QStringLiteral("Docteur X"));
    EXPECT_TRUE(echo.Toolbar3_Boutons[0]->isChecked());
    EXPECT_FALSE(echo.Picture2->isVisible());
    EXPECT_EQ(echo.Date_MES->text(), QStringLiteral("01/01/99"));
    EXPECT_EQ(echo.Chemin->text(), d.chemin());
    EXPECT_EQ(echo.Bouton_Quitter->text(), QStringLiteral("&Quitter"));
    EXPECT_EQ(echo.SSTab1->tabText(1), QStringLiteral("&Filtrage"));
    EXPECT_FALSE(echo.PDQComm1().isPortOpen());
    EXPECT_FALSE(echo.Timer2->isActive());

    // The missing port is reported once, by its own message.
    ASSERT_EQ(poste.messages.boites.size(), 1u);
    EXPECT_EQ(poste.messages.boites[0].titre, etat.Libelle(1, 68));
    EXPECT_EQ(poste.messages.boites[0].texte,
              etat.Libelle(1, 69) + QStringLiteral(" 1 ") + etat.Libelle(1, 71));
}

TEST(Startup, QuittingWritesZonesDoctorsAndTypeAndEndsTheProgram) {
    Workstation poste;
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    poste.etat->Type_Examen = 2;
    poste.etat->Zones_Sensibles[1][2].xmin = -3;
    echo.Texte_Tel_Medecin->setText(QStringLiteral("01 23 45 67 89"));

    echo.close();  // the close box ends the program like the quit button
    EXPECT_EQ(poste.fin, 0);

    const Dossier_Travail& d = poste.dossier;
    EXPECT_EQ(d.reglage(QStringLiteral("ZONES0"), QStringLiteral("xmin0")), QStringLiteral(" 7"));
    EXPECT_EQ(d.reglage(QStringLiteral("ZONES0"), QStringLiteral("xmax0")), QStringLiteral(" 15"));
    EXPECT_EQ(d.reglage(QStringLiteral("ZONES0"), QStringLiteral("seuil0")), QStringLiteral(" 68"));
    EXPECT_EQ(d.reglage(QStringLiteral("ZONES0"), QStringLiteral("gel0")), QStringLiteral(" 0"));
    EXPECT_EQ(d.reglage(QStringLiteral("ZONES0"), QStringLiteral("actif0")), QStringLiteral(" 1"));
    EXPECT_EQ(d.reglage(QStringLiteral("ZONES1"), QStringLiteral("xmin2")), QStringLiteral("-3"));
    EXPECT_EQ(d.reglage(QStringLiteral("ZONES3"), QStringLiteral("actif5")), QStringLiteral(" 0"));
    EXPECT_EQ(d.reglage(QStringLiteral("ZONES4"), QStringLiteral("xmin0")),
              QStringLiteral("<absent>"));
    EXPECT_EQ(d.reglage(G, QStringLiteral("Nom(2)")), QStringLiteral("Docteur X"));
    // The box being edited is kept for its doctor, not lost at the exit.
    EXPECT_EQ(d.reglage(G, QStringLiteral("Tel(1)")), QStringLiteral("01 23 45 67 89"));
    EXPECT_EQ(d.reglage(G, QStringLiteral("Medecin")), QStringLiteral("1"));
    EXPECT_EQ(d.reglage(G, QStringLiteral("Def_Type")), QStringLiteral("2"));
    EXPECT_EQ(d.reglage(G, QStringLiteral("Export")), d.chemin());
    EXPECT_FALSE(poste.etat->Base_Donnees);
}

TEST(Startup, ValuesWrittenWithoutABlankAreReadBackAndQuittingRewritesThem) {
    Workstation poste;
    const Dossier_Travail& d = poste.dossier;
    d.ecrire_reglage(QStringLiteral("ZONES2"), QStringLiteral("xmin1"), QStringLiteral("12"));
    d.ecrire_reglage(QStringLiteral("ZONES2"), QStringLiteral("seuil1"), QStringLiteral("  40 "));
    d.ecrire_reglage(QStringLiteral("FILTRAGE"), QStringLiteral("moyenneur"), QStringLiteral(" 3"));
    d.ecrire_reglage(QStringLiteral("FILTRAGE"), QStringLiteral("passebas"), QStringLiteral("2"));
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    EXPECT_EQ(poste.etat->Zones_Sensibles[2][1].xmin, 12);
    EXPECT_EQ(poste.etat->Zones_Sensibles[2][1].seuil, 40);
    EXPECT_EQ(echo.Slider1[0]->value(), 3);
    EXPECT_EQ(echo.Slider1[1]->value(), 2);
    EXPECT_EQ(echo.Label_Nbre_Points[0]->text(), QStringLiteral("6 ") + poste.etat->Libelle(1, 32));
    EXPECT_EQ(echo.Label_Nbre_Points[1]->text(), QStringLiteral("1000 kHz"));
    echo.Sortie();
    EXPECT_EQ(d.reglage(QStringLiteral("ZONES2"), QStringLiteral("xmin1")), QStringLiteral(" 12"));
    EXPECT_EQ(d.reglage(QStringLiteral("ZONES2"), QStringLiteral("seuil1")), QStringLiteral(" 40"));
}

TEST(Startup, EnglishAndAnyUnknownLanguageLoadTheEnglishColumnAndWriteEnglish) {
    // A language the program does not know (lower case included) must not blank the
    // captions for the run: it is English, as the list and the store then say.
    for (const char* langue : {" English ", "Deutsch", "francais"}) {
        SCOPED_TRACE(langue);
        Workstation poste;
        poste.dossier.ecrire_reglage(G, QStringLiteral("Langue"), QString::fromLatin1(langue));
        Echo& echo = poste.fenetre();
        echo.Form_Load();
        const QString base = poste.dossier.base();
        EXPECT_EQ(echo.Bouton_Quitter->text(), Texte_Base(base, 1, 10, QStringLiteral("Anglais")));
        EXPECT_NE(echo.Bouton_Quitter->text(), Texte_Base(base, 1, 10, QStringLiteral("Francais")));
        EXPECT_EQ(echo.SSTab1->tabText(0), Texte_Base(base, 1, 4, QStringLiteral("Anglais")));
        EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - ") +
                                          Texte_Base(base, 1, 72, QStringLiteral("Anglais")));
        EXPECT_EQ(echo.Combo3->currentIndex(), 1);
        EXPECT_EQ(poste.dossier.reglage(G, QStringLiteral("Langue")), QStringLiteral("English"));
    }
}

TEST(Startup, FrancaisFollowedByABlankStaysFrench) {
    Workstation poste;
    poste.dossier.ecrire_reglage(G, QStringLiteral("Langue"), QStringLiteral("Francais "));
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    EXPECT_EQ(echo.Bouton_Quitter->text(), QStringLiteral("&Quitter"));
    EXPECT_EQ(echo.Combo3->currentIndex(), 0);
    EXPECT_EQ(poste.dossier.reglage(G, QStringLiteral("Langue")), QStringLiteral("Francais"));
}

// A four-digit year stays whole; a short date is completed to 8 characters.
TEST(Startup, TheCommissioningDateIsReadWholeAndCompletedToEightCharacters) {
    for (const auto& [stockee, attendue] :
         {std::pair{QStringLiteral("01/02/2003"), QStringLiteral("01/02/2003")},
          std::pair{QStringLiteral("1/1/99"), QStringLiteral("1/1/99  ")}}) {
        Workstation poste;
        poste.dossier.ecrire_reglage(G, QStringLiteral("Date MES"), stockee);
        Echo& echo = poste.fenetre();
        echo.Form_Load();
        poste.etat->Registre->sync();
        EXPECT_EQ(poste.etat->Date_Mise_En_Service, attendue);
        EXPECT_EQ(echo.Date_MES->text(), attendue);
        EXPECT_EQ(poste.dossier.reglage(G, QStringLiteral("Date MES")), attendue);
    }
}

TEST(Startup, TheStoredExamTypeChoosesMenuTitleAndExams) {
    Workstation poste;
    poste.dossier.ecrire_reglage(G, QStringLiteral("Def_Type"), QStringLiteral("4"));
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    EXPECT_EQ(poste.etat->Type_Examen, 4);
    EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - ") + poste.etat->Libelle(1, 76));
    EXPECT_TRUE(echo.Menu_Cellules->isChecked());
    EXPECT_FALSE(echo.Menu_Sinus_Maxillaires->isChecked());
    EXPECT_TRUE(poste.etat->Table_Examens->sql().contains(QStringLiteral("Req_Examens_4")));
    EXPECT_EQ(poste.etat->Zones_Sensibles[4][0].actif, 0);
}

TEST(Startup, AnUnreadableOrOutOfRangeSettingTakesItsDefault) {
    Workstation poste;
    const Dossier_Travail& d = poste.dossier;
    d.ecrire_reglage(G, QStringLiteral("PortCom"), QStringLiteral("abc"));
    d.ecrire_reglage(G, QStringLiteral("Images"), QStringLiteral("7"));
    d.ecrire_reglage(G, QStringLiteral("Medecin"), QStringLiteral("5"));
    d.ecrire_reglage(G, QStringLiteral("Def_Type"), QStringLiteral("70000"));
    d.ecrire_reglage(QStringLiteral("FILTRAGE"), QStringLiteral("moyenneur"), QStringLiteral("9"));
    d.ecrire_reglage(QStringLiteral("ZONES0"), QStringLiteral("xmax0"), QStringLiteral("1e3"));
    d.ecrire_reglage(QStringLiteral("ZONES0"), QStringLiteral("gel0"), QStringLiteral("7"));
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    EXPECT_EQ(poste.etat->Port_Com, 1);
    EXPECT_EQ(echo.Combo_Format_Image->currentIndex(), 0);
    EXPECT_EQ(poste.etat->Medecin_Courant, 1);
    EXPECT_EQ(poste.etat->Type_Examen, 0);
    EXPECT_EQ(echo.Slider1[0]->value(), 0);
    EXPECT_EQ(poste.etat->Zones_Sensibles[0][0].xmax, 15);
    EXPECT_EQ(poste.etat->Zones_Sensibles[0][0].gel, 1);
}

TEST(Startup, WithoutADatabaseTheStartStopsNamingTheFile) {
    Workstation poste(Workstation::withoutDatabase());
    Attendre_Echec(poste.fenetre(), 0, "Sinus.mdb");
}

TEST(Startup, AFileThatIsNotACorvantaDatabaseIsRefused) {
    Workstation poste(Workstation::withoutDatabase());
    QFile fichier(poste.dossier.base());
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write("not a database at all");
    fichier.close();
    Attendre_Echec(poste.fenetre(), 0, "Sinus.mdb");
}

TEST(Startup, WithoutTheLibraryTheStartStopsNamingIt) {
    Workstation poste;
    Echo& echo = poste.fenetre();
    quorel::LibraryBinding absente(poste.dossier.chemin().toStdString());
    poste.etat->Bibliotheque = &absente;
    Attendre_Echec(echo, 48, "libquorel32.so");
}

TEST(Startup, EmptyOrBrokenLanguagesDoNotStopTheStart) {
    {
        Workstation poste;
        poste.dossier.executer_sql(QStringLiteral("DELETE FROM Langues"));
        Echo& echo = poste.fenetre();
        echo.Form_Load();
        EXPECT_EQ(echo.Bouton_Quitter->text(), QString());
        EXPECT_EQ(echo.windowTitle(), QStringLiteral("Corvanta - "));
    }
    {
        Workstation poste;
        // A file from elsewhere may hold rows that this schema's checks would refuse.
        for (const char* sql : {"CREATE TABLE Ancienne AS SELECT * FROM Langues",
                                "DROP TABLE Langues", "ALTER TABLE Ancienne RENAME TO Langues"}) {
            poste.dossier.executer_sql(QString::fromLatin1(sql));
        }
        poste.dossier.executer_sql(QStringLiteral(
            "INSERT INTO Langues (Form, Label, Francais, Anglais) VALUES "
            "(11, 1, 'x', 'x'), (1, 201, 'x', 'x'), (-1, 3, 'x', 'x'), (NULL, 3, 'x', 'x'), "
            "(1, NULL, 'x', 'x'), (0, 7, NULL, NULL)"));
        Echo& echo = poste.fenetre();
        echo.Form_Load();
        EXPECT_EQ(echo.Bouton_Quitter->text(), QStringLiteral("&Quitter"));
        EXPECT_EQ(poste.etat->Libelle(0, 7), QString());
    }
}

TEST(Startup, TheOpenPortGetsFourHundredPointsThenTheFirstRequest) {
    Workstation poste(Workstation::withDevice());
    poste.demarrer();
    Echo& echo = *poste.echo;
    EXPECT_TRUE(echo.PDQComm1().isPortOpen());
    EXPECT_TRUE(echo.Timer2->isActive());
    EXPECT_EQ(echo.PDQComm1().inputLength(), 404);
    EXPECT_EQ(echo.PDQComm1().receiveThreshold(), 404);
    EXPECT_TRUE(poste.messages.boites.empty());

    // Two writes of the program: the terminal may hand them over one at a time.
    EXPECT_EQ(poste.Lire_Commandes(2), QByteArray("\x07\x10"));
    echo.Fermer_Application();
    EXPECT_FALSE(echo.PDQComm1().isPortOpen());
}

}  // namespace
}  // namespace corvanta::test

namespace corvanta::test {
namespace {

TEST(GeneralTab, EachChangeWritesItsKeyAtOnce) {
    Workstation poste;
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    const Dossier_Travail& d = poste.dossier;
    const QString G = QStringLiteral("GENERAL");
    auto relu = [&](const char* cle) {
        poste.etat->Registre->sync();
        return d.reglage(G, QString::fromLatin1(cle));
    };

    echo.Combo3->setCurrentIndex(1);
    EXPECT_EQ(relu("Langue"), QStringLiteral("English"));
    EXPECT_EQ(echo.Bouton_Quitter->text(), QStringLiteral("&Quitter"));  // next start only

    echo.Combo2->setCurrentIndex(2);
    EXPECT_EQ(relu("PortCom"), QStringLiteral("3"));
    EXPECT_EQ(echo.PDQComm1().portNumber(), 1);  // the port in use stays

    echo.Combo_Format_Image->setCurrentIndex(1);
    EXPECT_EQ(relu("Images"), QStringLiteral("1"));
    echo.Combo_Format_Image->lineEdit()->setFocus();
    echo.Combo_Format_Image->lineEdit()->selectAll();
    QTest::keyClicks(echo.Combo_Format_Image->lineEdit(), QStringLiteral("Tif"));
    EXPECT_EQ(relu("Images"), QStringLiteral("-1"));
    EXPECT_EQ(echo.Format_Image_Choisi(), -1);

    echo.Date_MES->setText(QStringLiteral("15/03/2004"));
    EXPECT_EQ(relu("Date MES"), QStringLiteral("15/03/2004"));
    EXPECT_EQ(poste.etat->Date_Mise_En_Service, QStringLiteral("15/03/2004"));

    echo.Chemin->clear();
    QTest::keyClicks(echo.Chemin, QStringLiteral("/tmp/ex"));
    EXPECT_EQ(poste.etat->Repertoire_Export, QStringLiteral("/tmp/ex"));
    EXPECT_EQ(relu("Export"), QStringLiteral("/tmp/ex"));
}

}  // namespace
}  // namespace corvanta::test

namespace corvanta::test {
namespace {

TEST(PatientsMenu, ThePatientsWindowOpensOnceAndClosingItRefreshesTheList) {
    Workstation poste;
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    EXPECT_EQ(echo.Liste_Nom->count(), 0);

    echo.Menu_Gestion_Patients->trigger();
    Patients* fenetre = echo.Fenetre_Patients();
    ASSERT_NE(fenetre, nullptr);
    EXPECT_TRUE(fenetre->isVisible());
    echo.Menu_Gestion_Patients->trigger();
    EXPECT_EQ(echo.Fenetre_Patients(), fenetre);

    // A patient added behind the window's back shows once the window closes.
    poste.etat->Base_Donnees->execute(QStringLiteral(
        "INSERT INTO Patients (Nom_Patient, Prenom_Patient) VALUES ('MARTIN', 'Anne')"));
    poste.etat->Table_Patients->requery();
    fenetre->close();
    ASSERT_EQ(echo.Liste_Nom->count(), 1);
    EXPECT_EQ(echo.Liste_Nom->itemText(0), QStringLiteral("MARTIN Anne"));
}

}  // namespace
}  // namespace corvanta::test

namespace corvanta::test {
namespace {

TEST(Startup, ALibraryWithoutTheFilterStopsTheStartNamingTheFunction) {
    Workstation poste;
    Echo& echo = poste.fenetre();
    quorel::LibraryBinding sans_filtre(qEnvironmentVariable("CORVANTA_BUILD_DIR").toStdString() +
                                       "/quorel32_without_filter");
    poste.etat->Bibliotheque = &sans_filtre;
    Attendre_Echec(echo, 453, "SmoothFilter");
}

TEST(Shutdown, SettingsThatCannotBeWrittenDoNotPreventClosingAndEnding) {
    Workstation poste;
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    // The settings file cannot be replaced: a folder stands where it should be.
    const QString fichier = poste.dossier.fichier_reglages();
    ASSERT_TRUE(QFile::remove(fichier));
    ASSERT_TRUE(QDir().mkpath(fichier));
    echo.Sortie();
    EXPECT_EQ(poste.fin, 0);
    EXPECT_FALSE(poste.etat->Base_Donnees);
    EXPECT_FALSE(echo.PDQComm1().isPortOpen());
    EXPECT_EQ(poste.messages.boites.size(), 2u);  // the missing port, then the settings
}

TEST(PatientsMenu, APatientOutsideTheCurrentSearchLoadsByKey) {
    Workstation poste;
    poste.dossier.executer_sql(QStringLiteral(
        "INSERT INTO Patients (Nom_Patient, Prenom_Patient) VALUES ('DUPONT', 'Jean'), "
        "('MARTIN', 'Anne')"));
    Echo& echo = poste.fenetre();
    echo.Form_Load();
    ASSERT_EQ(echo.Liste_Nom->count(), 2);
    // A search of the patient window leaves only part of the patients in the shared set.
    poste.etat->Table_Patients = poste.etat->Base_Donnees->openRecordset(
        QStringLiteral("SELECT * FROM Patients WHERE Nom_Patient = 'DUPONT'"));
    const std::size_t avant = poste.messages.boites.size();
    echo.Liste_Nom->setCurrentIndex(1);
    EXPECT_EQ(poste.messages.boites.size(), avant);
    EXPECT_EQ(poste.etat->Code_Patient_Courant, echo.Liste_Nom->itemData(1).toInt());
    EXPECT_EQ(poste.etat->Nom_Patient_Courant, QStringLiteral("MARTIN Anne"));
    EXPECT_TRUE(echo.windowTitle().endsWith(QStringLiteral(" - MARTIN Anne")));
}

}  // namespace
}  // namespace corvanta::test
