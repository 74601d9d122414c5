// Pictures of the window with a few patients, in both languages, written to
// <build>/captures/patients_<langue>.png for a person to look at. With
// CORVANTA_CAPTURE_PAUSE=<seconds> the window stays on screen that long (under Xvfb,
// for a screenshot of the whole screen).
#include "tests/support/captures.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>

#include "tests/patients/patient_window_test.h"

namespace corvanta::test {
namespace {

class Capture : public PatientWindowTest, public ::testing::WithParamInterface<const char*> {
  protected:
    Capture() : PatientWindowTest(QString::fromLatin1(GetParam())) {}
};

TEST_P(Capture, WindowWithAFewPatients) {
    Ajouter({{"Nom_Patient", "DUPONT"},
             {"Prenom_Patient", "Jean-Édouard"},
             {"Adresse1_Patient", "12 avenue de la République"},
             {"Adresse2_Patient", "Bât. C"},
             {"Ville_Patient", "Nice"},
             {"CodePostal_Patient", "06000"},
             {"Telephone1_Patient", "04 93 12 34 56"},
             {"Telephone2_Patient", "04 93 65 43 21"},
             {"Date_Naissance_Patient", "15/03/1960"},
             {"NumeroSS_Patient", "160037512345678"},
             {"Commentaire_Patient",
              "Sinusite maxillaire droite récidivante.\r\nAllergie : pénicilline."}});
    Patient("Martin", "Zoé", "01/01/1990");
    Patient("Ávila", "Ana", "02/02/1980");
    Patient("O'Brien", "Ann", "03/03/1970");
    Ouvrir();
    Bouton(2);
    Pause_Capture();
    const QString dossier_captures = Dossier_Captures();
    const QImage image = fenetre->grab().toImage();
    EXPECT_EQ(image.size(), QSize(Patients::kClientWidth, Patients::kClientHeight));
    EXPECT_TRUE(image.save(dossier_captures + QStringLiteral("/patients_%1.png").arg(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Languages, Capture, ::testing::Values("Francais", "English"));

}  // namespace
}  // namespace corvanta::test
