// Storing, listing, commenting and deleting the current patient's curves, on a real
// database through the real window.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSlider>
#include <QTest>

#include "platform/recordset.h"
#include "tests/support/workstation.h"

namespace corvanta::test {
namespace {

void Choisir(Echo& echo, std::int64_t patient) {
    echo.Liste_Nom->setCurrentIndex(echo.Liste_Nom->findData(static_cast<qlonglong>(patient)));
}

platform::Value Colonne(Workstation& poste, const char* colonne, std::int64_t id) {
    return poste.valeur(QStringLiteral("SELECT %1 FROM Courbes WHERE ID = ?").arg(colonne), {id});
}

TEST(Curves, TheListGivesTheTypesCurvesByDescendingId) {
    Workstation poste;
    const std::int64_t p = poste.patient(QStringLiteral("Blanc"), QStringLiteral("Lise"));
    const std::int64_t autre = poste.patient(QStringLiteral("Noir"), QStringLiteral("Léo"));
    std::vector<std::int64_t> siennes;
    for (int i = 0; i < 3; ++i) {
        siennes.push_back(poste.courbe(p, 0, QStringLiteral("c%1").arg(i)));
        poste.courbe(p, 2, QStringLiteral("type 2"));
        poste.courbe(autre, 0, QStringLiteral("autre"));
    }
    Echo& echo = poste.demarrer();
    Choisir(echo, p);

    ASSERT_EQ(echo.List1->count(), 3);
    for (int ligne = 0; ligne < 3; ++ligne) {
        EXPECT_EQ(Cle_Ligne(echo.List1, ligne), siennes[2 - ligne]);
        EXPECT_EQ(Texte_Ligne(echo.List1, ligne), QStringLiteral("c%1").arg(2 - ligne));
    }
    // The recordset is left on the last listed curve.
    EXPECT_EQ(poste.etat->Table_Courbes->currentKey(), siennes[0]);
    EXPECT_EQ(echo.List1->currentRow(), -1);
}

TEST(Curves, StoringWritesTheRawCurveAndItsSettings) {
    Workstation poste;
    const std::int64_t p = poste.patient(QStringLiteral("Blanc"), QStringLiteral("Lise"));
    const std::int64_t ancienne = poste.courbe(p, 3, QStringLiteral("ancienne"));
    Echo& echo = poste.demarrer();
    Etat_Application& etat = *poste.etat;
    etat.Type_Examen = 3;
    Choisir(echo, p);
    ASSERT_EQ(echo.List1->count(), 1);

    // As a 50-point frame leaves it: the samples, then blanks.
    echo.Courbe_Brute.fill(0x20);
    for (int i = 0; i < 50; ++i)
        echo.Courbe_Brute[i] = static_cast<std::uint8_t>(i * 5);
    echo.Courbe_Acquise = true;
    echo.Slider1[0]->setValue(3);
    echo.Slider1[1]->setValue(5);
    echo.Toolbar1_Boutons[1]->setChecked(true);
    echo.Commentaire_Courbe->setPlainText(QStringLiteral("texte d'avant"));

    echo.Toolbar2_Boutons[1]->trigger();

    ASSERT_EQ(echo.List1->count(), 2);
    const std::int64_t id = Cle_Ligne(echo.List1, 0);
    EXPECT_GT(id, ancienne);
    EXPECT_EQ(Cle_Ligne(echo.List1, 1), ancienne);
    EXPECT_EQ(echo.List1->currentRow(), 0);
    EXPECT_EQ(echo.Commentaire_Courbe->toPlainText(), QString());
    EXPECT_EQ(etat.Table_Courbes->currentKey(), id);

    const QString date = Colonne(poste, "DATE", id).toText();
    EXPECT_EQ(Texte_Ligne(echo.List1, 0), date);
    const QRegularExpression forme(
        QStringLiteral("^\\d\\d/\\d\\d/\\d{4} à \\d\\d:\\d\\d:\\d\\d %1$")
            .arg(etat.Libelle(1, 80)));
    EXPECT_TRUE(forme.match(date).hasMatch()) << date.toStdString();
    const QByteArray attendue(reinterpret_cast<const char*>(echo.Courbe_Brute.data()), 400);
    EXPECT_EQ(Colonne(poste, "COURBE", id).toBlob(), attendue);
    EXPECT_EQ(Colonne(poste, "typeof(COURBE)", id).toText(), QStringLiteral("blob"));
    EXPECT_EQ(Colonne(poste, "MOYENNE", id).toInt32(), 3);
    EXPECT_EQ(Colonne(poste, "PASSEBAS", id).toInt32(), 5);
    EXPECT_EQ(Colonne(poste, "Code_Type", id).toInt32(), 3);
    EXPECT_EQ(Colonne(poste, "Code_Patient", id).toInt64(), p);
    EXPECT_EQ(Colonne(poste, "Commentaire_Courbe", id).toText(), QString());
    EXPECT_EQ(Colonne(poste, "IMPRIMER", id).toInt32(), 0);
    EXPECT_EQ(Colonne(poste, "COULEUR", id).toInt32(), 0);

    // The right side, the default button, gives the other side text.
    echo.Toolbar1_Boutons[0]->setChecked(true);
    echo.Toolbar2_Boutons[1]->trigger();
    EXPECT_TRUE(Texte_Ligne(echo.List1, 0).endsWith(QStringLiteral(" ") + etat.Libelle(1, 81)));
    EXPECT_TRUE(poste.messages.boites.empty());
}

TEST(Curves, WithoutPatientWithoutFrameOrOnFailureNothingIsStored) {
    Workstation poste;
    const std::int64_t p = poste.patient(QStringLiteral("Blanc"), QStringLiteral("Lise"));
    Echo& echo = poste.demarrer();
    Etat_Application& etat = *poste.etat;

    echo.Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(poste.nombre_courbes(), 0);
    ASSERT_EQ(poste.messages.boites.size(), 1u);
    EXPECT_EQ(poste.messages.boites[0].titre, etat.Libelle(1, 60));
    EXPECT_EQ(poste.messages.boites[0].texte, etat.Libelle(1, 84));
    EXPECT_FALSE(etat.Libelle(1, 84).isEmpty());

    // No device at start-up: the live curve never came, whatever its bytes.
    Choisir(echo, p);
    echo.Courbe_Brute.fill(0x20);
    echo.Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(poste.nombre_courbes(), 0);
    ASSERT_EQ(poste.messages.boites.size(), 2u);
    EXPECT_EQ(poste.messages.boites[1].titre, etat.Libelle(1, 60));
    EXPECT_EQ(poste.messages.boites[1].texte, etat.Libelle(1, 86));

    // A write the database refuses: the standard error box, no line, nothing pending.
    echo.Courbe_Acquise = true;
    etat.Base_Donnees->execute(
        QStringLiteral("CREATE TEMP TRIGGER Refus BEFORE INSERT ON Courbes "
                       "BEGIN SELECT RAISE(ABORT, 'disque plein'); END"));
    echo.Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(echo.List1->count(), 0);
    EXPECT_EQ(etat.Table_Courbes->editMode(), platform::Recordset::EditMode::None);
    ASSERT_EQ(poste.messages.boites.size(), 3u);
    EXPECT_EQ(poste.messages.boites[2].titre, etat.Libelle(4, 44));
    EXPECT_TRUE(
        poste.messages.boites[2].texte.startsWith(etat.Libelle(4, 42) + QStringLiteral(" # ")));
    EXPECT_TRUE(poste.messages.boites[2].texte.endsWith(QStringLiteral("disque plein")));

    etat.Base_Donnees->execute(QStringLiteral("DROP TRIGGER temp.Refus"));
    echo.Toolbar2_Boutons[1]->trigger();
    EXPECT_EQ(echo.List1->count(), 1);
    EXPECT_EQ(poste.nombre_courbes(), 1);
}

TEST(Curves, TheCommentGoesOnlyToTheChosenCurve) {
    Workstation poste;
    const std::int64_t p = poste.patient(QStringLiteral("Blanc"), QStringLiteral("Lise"));
    const std::int64_t autre = poste.patient(QStringLiteral("Noir"), QStringLiteral("Léo"));
    const std::int64_t a = poste.courbe(p, 0, QStringLiteral("a"), QByteArray(400, '\0'), 0, 0,
                                        QStringLiteral("ligne 1\r\nligne 2"));
    const std::int64_t b = poste.courbe(p, 0, QStringLiteral("b"));  // Null comment
    const std::int64_t sienne = poste.courbe(autre, 0, QStringLiteral("c"));
    Echo& echo = poste.demarrer();
    Choisir(echo, p);

    // No curve selected: typing writes nowhere.
    echo.Commentaire_Courbe->setPlainText(QStringLiteral("perdu"));
    EXPECT_TRUE(Colonne(poste, "Commentaire_Courbe", b).isNull());
    EXPECT_EQ(poste
                  .valeur(QStringLiteral("SELECT COUNT(*) FROM Courbes WHERE "
                                         "Commentaire_Courbe = 'perdu'"),
                          {})
                  .toInt32(),
              0);

    // Line 1 is curve a: its comment is shown with the box's line breaks.
    echo.List1->setCurrentRow(1);
    EXPECT_EQ(echo.Commentaire_Courbe->toPlainText(), QStringLiteral("ligne 1\nligne 2"));
    // Curve b's Null comment is shown empty and thereby stored as empty text.
    echo.List1->setCurrentRow(0);
    EXPECT_EQ(echo.Commentaire_Courbe->toPlainText(), QString());
    EXPECT_EQ(Colonne(poste, "Commentaire_Courbe", b).toText(), QString());

    // An exam window replaced the shared recordset with another patient's curves.
    poste.etat->Table_Courbes = poste.etat->Base_Donnees->openRecordset(
        QStringLiteral("SELECT * FROM Courbes WHERE Code_Patient = ?"), {autre});
    echo.Commentaire_Courbe->setPlainText(QStringLiteral("vu\nle 3"));
    EXPECT_EQ(Colonne(poste, "Commentaire_Courbe", b).toText(), QStringLiteral("vu\r\nle 3"));
    EXPECT_TRUE(Colonne(poste, "Commentaire_Courbe", sienne).isNull());
    EXPECT_EQ(Colonne(poste, "Commentaire_Courbe", a).toText(),
              QStringLiteral("ligne 1\r\nligne 2"));

    // The text survives a reload of the patient.
    echo.Liste_Nom_Click();
    echo.List1->setCurrentRow(0);
    EXPECT_EQ(echo.Commentaire_Courbe->toPlainText(), QStringLiteral("vu\nle 3"));
    EXPECT_TRUE(poste.messages.boites.empty());
}

// Whatever reload leaves no curve selected, the box shows no comment and takes no typing
// that would belong to no curve.
TEST(Curves, WithoutAChosenCurveTheCommentBoxIsEmptyAndClosed) {
    Workstation poste;
    const std::int64_t p = poste.patient(QStringLiteral("Blanc"), QStringLiteral("Lise"));
    const std::int64_t autre = poste.patient(QStringLiteral("Noir"), QStringLiteral("Léo"));
    const std::int64_t a = poste.courbe(p, 0, QStringLiteral("a"), QByteArray(400, '\0'), 0, 0,
                                        QStringLiteral("note a"));
    poste.courbe(p, 1, QStringLiteral("b"), QByteArray(400, '\0'), 0, 0, QStringLiteral("note b"));
    Echo& echo = poste.demarrer();
    QPlainTextEdit& boite = *echo.Commentaire_Courbe;
    const auto sans_commentaire = [&](const char* apres) {
        EXPECT_EQ(echo.List1->currentRow(), -1) << apres;
        EXPECT_EQ(boite.toPlainText(), QString()) << apres;
        QTest::keyClicks(&boite, QStringLiteral("perdu"));
        EXPECT_EQ(boite.toPlainText(), QString()) << apres;
    };
    const auto choisir_premiere = [&](const QString& commentaire) {
        echo.List1->setCurrentRow(0);
        EXPECT_EQ(boite.toPlainText(), commentaire);
        EXPECT_FALSE(boite.isReadOnly());
    };
    sans_commentaire("start-up");

    Choisir(echo, p);
    choisir_premiere(QStringLiteral("note a"));
    Choisir(echo, autre);
    sans_commentaire("another patient");

    Choisir(echo, p);
    choisir_premiere(QStringLiteral("note a"));
    echo.Changer_Type_Examen(1);
    ASSERT_EQ(echo.List1->count(), 1);
    sans_commentaire("a type switch");

    choisir_premiere(QStringLiteral("note b"));
    echo.Toolbar2_Boutons[2]->trigger();
    ASSERT_EQ(echo.List1->count(), 0);
    sans_commentaire("the deletion of the only curve");

    EXPECT_EQ(Colonne(poste, "Commentaire_Courbe", a).toText(), QStringLiteral("note a"));
    EXPECT_EQ(poste
                  .valeur(QStringLiteral("SELECT COUNT(*) FROM Courbes WHERE "
                                         "Commentaire_Courbe LIKE '%perdu%'"),
                          {})
                  .toInt32(),
              0);
    EXPECT_TRUE(poste.messages.boites.empty());
}

TEST(Curves, DeletionRespectsTheExamsAndSelectsAgain) {
    Workstation poste;
    const std::int64_t p = poste.patient(QStringLiteral("Blanc"), QStringLiteral("Lise"));
    std::vector<std::int64_t> ids;
    for (int i = 0; i < 3; ++i)
        ids.push_back(poste.courbe(p, 0, QStringLiteral("c%1").arg(i)));
    {
        platform::Database base(poste.dossier.base());
        base.execute(QStringLiteral("INSERT INTO Examens (\"Code_ Patient\", Code_Type, "
                                    "Echogramme_Gauche_Num_Courbe) VALUES (?, 0, ?)"),
                     {p, ids[1]});
    }
    Echo& echo = poste.demarrer();
    Choisir(echo, p);
    ASSERT_EQ(echo.List1->count(), 3);  // c2, c1, c0

    // Nothing selected: nothing happens.
    echo.Toolbar2_Boutons[2]->trigger();
    EXPECT_EQ(poste.nombre_courbes(), 3);

    // The curve an exam shows stays, with the program's own message, and is selected again.
    echo.List1->setCurrentRow(1);
    echo.Toolbar2_Boutons[2]->trigger();
    EXPECT_EQ(poste.nombre_courbes(), 3);
    ASSERT_EQ(poste.messages.boites.size(), 1u);
    EXPECT_EQ(poste.messages.boites[0].titre, QStringLiteral("Attention !!!"));
    EXPECT_EQ(poste.messages.boites[0].texte,
              QStringLiteral("Vous ne pouvez pas supprimer une courbe\nutilisée dans un examen !"));
    EXPECT_EQ(echo.List1->currentRow(), 1);
    EXPECT_EQ(Cle_Ligne(echo.List1, 1), ids[1]);

    // Deleting the last line selects the new last line.
    echo.List1->setCurrentRow(2);
    echo.Toolbar2_Boutons[2]->trigger();
    ASSERT_EQ(echo.List1->count(), 2);
    EXPECT_TRUE(Colonne(poste, "ID", ids[0]).isNull());
    EXPECT_EQ(echo.List1->currentRow(), 1);
    EXPECT_EQ(poste.etat->Table_Courbes->currentKey(), ids[1]);

    // Deleting the first line keeps the position.
    echo.List1->setCurrentRow(0);
    echo.Toolbar2_Boutons[2]->trigger();
    ASSERT_EQ(echo.List1->count(), 1);
    EXPECT_EQ(echo.List1->currentRow(), 0);
    EXPECT_EQ(Cle_Ligne(echo.List1, 0), ids[1]);
    EXPECT_EQ(poste.messages.boites.size(), 1u);
}

TEST(Curves, DeletingTheOnlyCurveEmptiesTheList) {
    Workstation poste;
    const std::int64_t p = poste.patient(QStringLiteral("Blanc"), QStringLiteral("Lise"));
    poste.courbe(p, 0, QStringLiteral("seule"));
    Echo& echo = poste.demarrer();
    Choisir(echo, p);
    echo.List1->setCurrentRow(0);
    echo.Toolbar2_Boutons[2]->trigger();
    EXPECT_EQ(echo.List1->count(), 0);
    EXPECT_EQ(echo.List1->currentRow(), -1);
    EXPECT_EQ(poste.nombre_courbes(), 0);
    // With no curve left to choose, print does nothing.
    echo.Toolbar2_Boutons[3]->trigger();
    EXPECT_TRUE(poste.messages.boites.empty());
}

}  // namespace
}  // namespace corvanta::test
