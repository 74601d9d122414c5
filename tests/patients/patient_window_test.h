#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <utility>

#include "app/etat_application.h"
#include "patients/patients.h"
#include "platform/database.h"
#include "platform/value.h"
#include "tests/support/dossier_travail.h"
#include "tests/support/message_boxes.h"

// Readable texts in failure messages: PrintTo(QString) comes with tests/support/application_test.h.
#include "tests/support/application_test.h"

namespace corvanta::test {

// The patient window on a fresh copy of the database with the window's texts loaded, as
// the main window leaves things at start-up: the database open, `Table_Patients` on every
// patient in name order. Every message box is answered with its default button and kept.
class PatientWindowTest : public ::testing::Test {
  protected:
    explicit PatientWindowTest(const QString& langue = QStringLiteral("Francais"));
    ~PatientWindowTest() override;

    using Colonnes = std::initializer_list<std::pair<const char*, platform::Value>>;
    // Inserts a patient row as another program would; returns its key.
    std::int64_t Ajouter(Colonnes colonnes);
    // The usual patient: a name, a given name, a birth date and other columns.
    std::int64_t Patient(const char* nom, const char* prenom, const char* date,
                         Colonnes autres = {});
    // Reopens `Table_Patients` as the main window does at start-up, then opens the window
    // (closing it first when it is open).
    void Ouvrir();
    // Clicks toolbar button 1..9.
    void Bouton(int index);

    QStringList Lignes() const;
    QString Ligne_Choisie() const;
    platform::Value Colonne(std::int64_t cle, const char* colonne) const;
    std::int64_t Nombre_Lignes_Table() const;
    std::vector<QString> Messages() const;

    // The application object exists before the first widget.
    const bool application_prete;
    Dossier_Travail dossier;
    Etat_Application etat;
    QWidget principale;
    std::unique_ptr<Patients> fenetre;
    std::unique_ptr<MessageBoxAnswerer> boites;
    int fermetures = 0;
};

}  // namespace corvanta::test
