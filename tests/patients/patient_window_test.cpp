#include "tests/patients/patient_window_test.h"

#include <QAction>

#include "app/chargement_libelles.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "tests/support/application_test.h"
#include "tests/support/list_lines.h"
#include "widgets/keyed_list.h"

namespace corvanta::test {

PatientWindowTest::PatientWindowTest(const QString& langue)
    : application_prete((Application(), true)) {
    etat.Base_Donnees = std::make_unique<platform::Database>(dossier.base());
    Charger_Libelles(*etat.Base_Donnees, langue, etat.Libelle);
    etat.Table_Patients = etat.Base_Donnees->openRecordset(Patients::kRequete_Tous_Patients);
    principale.setWindowTitle(QStringLiteral("Corvanta - Sinus maxillaires"));
    fenetre = std::make_unique<Patients>(etat, &principale);
    fenetre->Apres_Fermeture = [this] { ++fermetures; };
    boites = std::make_unique<MessageBoxAnswerer>(QMessageBox::Ok);
}

PatientWindowTest::~PatientWindowTest() {
    fenetre.reset();
    etat.Table_Patients.reset();
    etat.Base_Donnees.reset();
}

std::int64_t PatientWindowTest::Ajouter(Colonnes colonnes) {
    QStringList noms, marques;
    std::vector<platform::Value> valeurs;
    for (const auto& [nom, valeur] : colonnes) {
        noms << QString::fromLatin1(nom);
        marques << QStringLiteral("?");
        valeurs.push_back(valeur);
    }
    etat.Base_Donnees->execute(QStringLiteral("INSERT INTO Patients (%1) VALUES (%2)")
                                   .arg(noms.join(u','), marques.join(u',')),
                               valeurs);
    return etat.Base_Donnees->lastInsertKey();
}

std::int64_t PatientWindowTest::Patient(const char* nom, const char* prenom, const char* date,
                                        Colonnes autres) {
    const std::int64_t cle = Ajouter(
        {{"Nom_Patient", nom}, {"Prenom_Patient", prenom}, {"Date_Naissance_Patient", date}});
    for (const auto& [colonne, valeur] : autres) {
        etat.Base_Donnees->execute(
            QStringLiteral("UPDATE Patients SET %1 = ? WHERE Code_Patient = ?")
                .arg(QLatin1String(colonne)),
            {valeur, cle});
    }
    return cle;
}

void PatientWindowTest::Ouvrir() {
    if (fenetre->isVisible())
        fenetre->close();
    etat.Table_Patients = etat.Base_Donnees->openRecordset(Patients::kRequete_Tous_Patients);
    fenetre->Ouvrir();
}

void PatientWindowTest::Bouton(int index) {
    fenetre->Boutons.at(index - 1)->trigger();
}

QStringList PatientWindowTest::Lignes() const {
    return test::Lignes(fenetre->Liste_Patients);
}

QString PatientWindowTest::Ligne_Choisie() const {
    return test::Ligne_Choisie(fenetre->Liste_Patients);
}

platform::Value PatientWindowTest::Colonne(std::int64_t cle, const char* colonne) const {
    return etat.Base_Donnees->queryValue(
        QStringLiteral("SELECT %1 FROM Patients WHERE Code_Patient = ?")
            .arg(QLatin1String(colonne)),
        {cle});
}

std::int64_t PatientWindowTest::Nombre_Lignes_Table() const {
    return etat.Base_Donnees->queryValue(QStringLiteral("SELECT COUNT(*) FROM Patients")).toInt64();
}

std::vector<QString> PatientWindowTest::Messages() const {
    std::vector<QString> textes;
    for (const auto& boite : boites->boites)
        textes.push_back(boite.texte);
    return textes;
}

}  // namespace corvanta::test
