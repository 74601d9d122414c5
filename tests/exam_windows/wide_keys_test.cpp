#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "exams/resultats_echogrammes.h"
#include "patients/patients.h"
#include "platform/recording_page.h"
#include "platform/recordset.h"
#include "report_print/printer_page.h"
#include "tests/exam_windows/expected_preview.h"

namespace corvanta::test {
namespace {

// A clinic whose file was mended by hand with the stock shell: a patient, his two curves
// and his exam under keys beyond 32 bits, beside a patient the program added itself.
struct WideKeyRows : Workstation {
    static constexpr std::int64_t kPatient = 3'000'000'000;
    static constexpr std::int64_t kDroite = 3'000'000'001;
    static constexpr std::int64_t kGauche = 4'294'967'296;
    static constexpr std::int64_t kExamen = 3'000'000'005;

    WideKeyRows() {
        courbe(patient(QStringLiteral("ARNAUD"), QStringLiteral("Paul")), 0, QStringLiteral("A"));
        const QString droite = QString::fromLatin1(Echantillons(20, 1).toHex());
        const QString gauche = QString::fromLatin1(Echantillons(90, 0).toHex());
        Shell(dossier.base(),
              QStringLiteral(
                  "INSERT INTO Patients (Code_Patient, Nom_Patient, Prenom_Patient, "
                  "Date_Naissance_Patient) VALUES (%1, 'LÉGER', 'Étienne', '03/04/1950');\n"
                  "INSERT INTO Courbes (ID, Code_Type, Code_Patient, DATE, COURBE, MOYENNE, "
                  "PASSEBAS) VALUES (%2, 0, %1, '01/02/2026 droite', X'%4', 0, 0), "
                  "(%3, 0, %1, '01/02/2026 gauche', X'%5', 0, 0);\n"
                  "INSERT INTO Examens (Code_Examen, \"Code_ Patient\", Code_Type, Num_Examen, "
                  "Echogramme_Droit_Num_Courbe, Echogramme_Gauche_Num_Courbe, "
                  "Examen_Compatible) VALUES (%6, %1, 0, '7', %2, %3, 'Sinusite');\n")
                  .arg(kPatient)
                  .arg(kDroite)
                  .arg(kGauche)
                  .arg(droite, gauche)
                  .arg(kExamen));
    }

    // Every row of a table as the shell prints it: what the program must keep.
    QStringList table(const char* nom) {
        return Shell(dossier.base(), QStringLiteral("SELECT * FROM %1 ORDER BY 1;\n").arg(nom));
    }
};

// A printer that keeps the texts of every document it is handed.
class Textes_Imprimes : public platform::RecordingPage {
  public:
    explicit Textes_Imprimes(QStringList& textes)
        : RecordingPage(QSizeF(200, 287)), textes_(textes) {}
    ~Textes_Imprimes() override {
        for (const Entry& e : entries())
            textes_ << e.operation.text;
    }

  private:
    QStringList& textes_;
};

TEST(WideKeys, APatientCurvesAndExamUnderKeysBeyond32BitsWorkInEveryWindowAndKeepTheirKeys) {
    WideKeyRows c;
    c.demarrer();
    ASSERT_EQ(Lignes(c.echo->Liste_Nom),
              (QStringList{QStringLiteral("ARNAUD Paul"), QStringLiteral("LÉGER Étienne")}));
    EXPECT_TRUE(c.messages.boites.empty());

    // The main window loads him and his curves.
    c.echo->Liste_Nom->setCurrentIndex(1);
    EXPECT_EQ(c.etat->Code_Patient_Courant, WideKeyRows::kPatient);
    ASSERT_EQ(c.echo->List1->count(), 2);
    EXPECT_EQ(Cle_Ligne(c.echo->List1, 0), WideKeyRows::kGauche);
    c.echo->List1->setCurrentRow(1);
    EXPECT_EQ(c.etat->Table_Courbes->currentKey(), WideKeyRows::kDroite);

    // In a comparison slot, the curve is marked for the curve page, whose legend lists it.
    c.echo->Check1[0]->setChecked(true);
    EXPECT_EQ(Shell(c.dossier.base(), QStringLiteral("SELECT ID FROM Courbes WHERE IMPRIMER;\n")),
              QStringList{QStringLiteral("3000000001")});
    QStringList textes;
    const auto imprimante = report::replacePrinterFactory([&textes](const report::PdfTarget&) {
        return report::OpenedPrinter{std::make_unique<Textes_Imprimes>(textes), QString()};
    });
    c.echo->Bouton_Imprimer_Courbe_Acquisition->click();
    report::replacePrinterFactory(imprimante);
    EXPECT_TRUE(textes.contains(c.etat->Libelle(1, 41) + QStringLiteral(" du 01/02/2026 droite")))
        << textes.join(u'|').toStdString();
    // A curve stored now is his, under a key of its own within 31 bits.
    c.echo->Courbe_Acquise = true;
    c.echo->Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(Cle_Ligne(c.echo->List1, 0), 2);
    EXPECT_EQ(
        Shell(c.dossier.base(), QStringLiteral("SELECT Code_Patient FROM Courbes WHERE ID = 2;\n")),
        QStringList{QStringLiteral("3000000000")});
    EXPECT_TRUE(c.messages.boites.empty());

    // The patient window shows him and saves him under his own key.
    const QStringList patients = c.table("Patients");
    c.echo->Menu_Gestion_Patients->trigger();
    Patients* fiche = c.echo->Fenetre_Patients();
    ASSERT_NE(fiche, nullptr);
    EXPECT_EQ(fiche->Nom->text(), QStringLiteral("LÉGER"));
    EXPECT_EQ(fiche->Code_Patient_Affiche, WideKeyRows::kPatient);
    fiche->Boutons[5]->trigger();
    fiche->close();
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(c.table("Patients"), patients);
    EXPECT_EQ(c.etat->Code_Patient_Courant, WideKeyRows::kPatient);
    EXPECT_EQ(c.echo->List1->count(), 3);

    // The exam window lists his exam, shows its curves and rewrites it under its key.
    Examen_Sinus& s = c.ouvrir();
    ASSERT_EQ(Lignes(s.Liste_Examens), QStringList{QStringLiteral("LÉGER Étienne 07")});
    s.Liste_Examens->setCurrentRow(0);
    EXPECT_EQ(s.Combo_Echogramme_Droit->currentData().toLongLong(), WideKeyRows::kDroite);
    EXPECT_EQ(s.Combo_Echogramme_Gauche->currentData().toLongLong(), WideKeyRows::kGauche);
    EXPECT_EQ(s.Texte_Examen_Compatible->text(), QStringLiteral("Sinusite"));
    s.Texte_Examen_Compatible->setText(QStringLiteral("Sinusite revue"));
    s.Toolbar1_Boutons[5]->trigger();
    EXPECT_TRUE(c.messages.boites.empty());
    const std::vector<std::pair<const char*, platform::Value>> attendu{
        {"\"Code_ Patient\"", WideKeyRows::kPatient},
        {"Echogramme_Droit_Num_Courbe", WideKeyRows::kDroite},
        {"Echogramme_Gauche_Num_Courbe", WideKeyRows::kGauche},
        {"Examen_Compatible", "Sinusite revue"}};
    for (const auto& [colonne, valeur] : attendu)
        EXPECT_EQ(c.colonne(WideKeyRows::kExamen, colonne), valeur) << colonne;

    // A new exam for him names him and his curves by their wide keys, under a key of its
    // own within 31 bits.
    s.Toolbar1_Boutons[4]->trigger();
    EXPECT_EQ(s.Combo_Nom_Patient->currentText(), QStringLiteral("LÉGER Étienne"));
    // The curves change sides, each found by its key.
    s.Combo_Echogramme_Droit->setCurrentIndex(
        s.Combo_Echogramme_Droit->findData(qlonglong{WideKeyRows::kGauche}));
    s.Combo_Echogramme_Gauche->setCurrentIndex(
        s.Combo_Echogramme_Gauche->findData(qlonglong{WideKeyRows::kDroite}));
    s.Texte_Examen_Compatible->setText(QStringLiteral("Contrôle"));
    s.Toolbar1_Boutons[5]->trigger();
    EXPECT_TRUE(c.messages.boites.empty());
    EXPECT_EQ(
        Shell(c.dossier.base(),
              QStringLiteral("SELECT Code_Examen, \"Code_ Patient\", Echogramme_Droit_Num_Courbe, "
                             "Echogramme_Gauche_Num_Courbe FROM Examens "
                             "WHERE Examen_Compatible = 'Contrôle';\n")),
        QStringList{QStringLiteral("1|3000000000|4294967296|3000000001")});
}

}  // namespace
}  // namespace corvanta::test
