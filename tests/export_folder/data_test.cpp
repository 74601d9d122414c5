// The export-folder chooser on a started program whose volumes are folders of the test:
// where it opens, what OK, Annuler and the close box write, and that the working directory
// never moves.
#include "main_window/data.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/reglages.h"
#include "main_window/folder_list.h"
#include "platform/settings_store.h"
#include "tests/support/captures.h"
#include "tests/support/workstation.h"

namespace corvanta::test {
namespace {

const QString kExport = QStringLiteral("Export");

class ExportFolderChoice : public ::testing::Test {
  protected:
    // Volumes: "/" (holding the program folder), "cle" and "absent" (unavailable).
    void demarrer(const QString& langue = QStringLiteral("Francais")) {
        QDir(p.dossier.chemin()).mkpath(QStringLiteral("cle/images/2026"));
        QDir(p.dossier.chemin()).mkpath(QStringLiteral("cle/autres"));
        p.dossier.ecrire_reglage(kSection_General, QStringLiteral("Langue"), langue);
        p.dossier.ecrire_reglage(kSection_General, kExport, cle + QStringLiteral("/images"));
        Echo& echo = p.fenetre();
        echo.Volumes_Montes = [this] {
            return std::vector<Volume>{{QStringLiteral("/"), QString(), true},
                                       {cle, QStringLiteral("CLE"), true},
                                       {absent, QString(), false}};
        };
        echo.Form_Load();
        programme = QDir::currentPath();
        messages = p.messages.boites.size();
    }
    Data& ouvrir() {
        p.echo->Bouton_Chemin->click();
        return Ouverte(p.echo->Fenetre_Data());
    }
    QString reglage() const { return p.etat->Registre->read(kSection_General, kExport); }
    // The window is gone once its deferred deletion has run.
    bool ferme() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return p.echo->Fenetre_Data() == nullptr;
    }
    static QTreeWidgetItem* Ligne(FolderList* liste, const QString& texte) {
        const auto trouvees = liste->findItems(texte, Qt::MatchExactly | Qt::MatchRecursive);
        return trouvees.isEmpty() ? nullptr : trouvees.front();
    }
    void TearDown() override {
        EXPECT_EQ(QDir::currentPath(), programme);
        EXPECT_EQ(p.messages.boites.size(), messages);
    }

    Workstation p;
    QString cle = p.dossier.fichier(QStringLiteral("cle"));
    QString absent = p.dossier.fichier(QStringLiteral("absent"));
    QString programme;
    std::size_t messages = 0;
};

TEST_F(ExportFolderChoice, OpensOnTheExportFolderOrAsFarAsItCanWithoutAWord) {
    demarrer();
    const struct {
        QString exportation;
        int volume;
        QString dossier;
    } cas[] = {{cle + QStringLiteral("/images"), 1, cle + QStringLiteral("/images")},
               {cle + QStringLiteral("/disparu"), 1, cle},
               {absent + QStringLiteral("/x"), 0, programme},
               {QStringLiteral("relatif"), 0, programme}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.exportation.toStdString());
        p.etat->Repertoire_Export = c.exportation;
        Data& data = ouvrir();
        EXPECT_EQ(data.windowTitle(), p.etat->Libelle(3, 1));
        EXPECT_EQ(data.Label_Choix->text(), p.etat->Libelle(3, 2));
        EXPECT_EQ(data.Drive1->currentIndex(), c.volume);
        EXPECT_EQ(data.Dir1->path(), c.dossier);
        EXPECT_EQ(data.focusWidget(), data.Dir1);
        data.close();
        EXPECT_TRUE(ferme());
    }
}

TEST_F(ExportFolderChoice, OkTakesTheFolderTheListShowsAndWritesItBack) {
    demarrer();
    const struct {
        const char* ligne;
        QString attendu;
    } cas[] = {{"2026", cle + QStringLiteral("/images/2026")}, {"/", QStringLiteral("/")}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.ligne);
        Data& data = ouvrir();
        emit data.Dir1->itemActivated(Ligne(data.Dir1, QLatin1String(c.ligne)), 0);
        p.etat->Registre->write(kSection_General, kExport, QStringLiteral("ancien"));
        data.Bouton_OK->click();
        EXPECT_EQ(p.etat->Repertoire_Export, c.attendu);
        EXPECT_EQ(p.echo->Chemin->text(), c.attendu);
        EXPECT_EQ(reglage(), c.attendu);
        EXPECT_TRUE(ferme());
    }
}

TEST_F(ExportFolderChoice, EnterOnAFolderOpensItOnlyAndEnterOnOkStillTakesIt) {
    demarrer();
    const QString exportation = p.etat->Repertoire_Export;
    Data& data = ouvrir();
    p.etat->Registre->write(kSection_General, kExport, QStringLiteral("ancien"));
    for (const auto& [touche, ligne, dossier] :
         {std::tuple{Qt::Key_Return, "2026", cle + QStringLiteral("/images/2026")},
          std::tuple{Qt::Key_Enter, "images", cle + QStringLiteral("/images")}}) {
        SCOPED_TRACE(ligne);
        data.Dir1->setCurrentItem(Ligne(data.Dir1, QLatin1String(ligne)));
        QTest::keyClick(data.Dir1, touche);
        EXPECT_EQ(data.Dir1->path(), dossier);
        EXPECT_EQ(reglage(), QStringLiteral("ancien"));
        EXPECT_EQ(p.etat->Repertoire_Export, exportation);
        EXPECT_TRUE(data.isVisible());
        ASSERT_FALSE(ferme());
    }
    QTest::keyClick(data.Bouton_OK, Qt::Key_Return);
    EXPECT_EQ(reglage(), cle + QStringLiteral("/images"));
    EXPECT_TRUE(ferme());
}

TEST_F(ExportFolderChoice, AnnulerWritesTheSameFolderAgainAndTheCloseBoxOrEscapeWritesNothing) {
    demarrer();
    const QString exportation = p.etat->Repertoire_Export;
    for (const QString facon : {"Annuler", "close box", "Escape"}) {
        SCOPED_TRACE(facon.toStdString());
        const bool annuler = facon == QStringLiteral("Annuler");
        Data& data = ouvrir();
        emit data.Dir1->itemActivated(Ligne(data.Dir1, QStringLiteral("2026")), 0);
        p.etat->Registre->write(kSection_General, kExport, QStringLiteral("ancien"));
        if (annuler)
            data.Bouton_Annuler->click();
        else if (facon == QStringLiteral("Escape")) {
            QKeyEvent echap(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(data.Dir1, &echap);
        } else {
            data.close();
        }
        EXPECT_EQ(p.etat->Repertoire_Export, exportation);
        EXPECT_EQ(p.echo->Chemin->text(), exportation);
        EXPECT_EQ(reglage(), annuler ? exportation : QStringLiteral("ancien"));
        EXPECT_TRUE(ferme());
    }
}

TEST_F(ExportFolderChoice, TheFolderListFollowsAnAvailableVolumeAndASecondClickKeepsTheWindow) {
    demarrer();
    Data& data = ouvrir();
    data.Drive1->setCurrentIndex(2);  // unavailable: the folder list stays
    EXPECT_EQ(data.Drive1->currentIndex(), 2);
    EXPECT_EQ(data.Dir1->path(), cle + QStringLiteral("/images"));
    data.Drive1->setCurrentIndex(0);  // the volume of the program folder
    EXPECT_EQ(data.Dir1->path(), programme);
    data.Drive1->setCurrentIndex(1);
    EXPECT_EQ(data.Dir1->path(), cle);
    EXPECT_EQ(data.Dir1->topLevelItem(0)->text(0), QStringLiteral("/"));
    EXPECT_NE(Ligne(data.Dir1, QStringLiteral("autres")), nullptr);

    EXPECT_EQ(&ouvrir(), &data);
    EXPECT_EQ(data.Dir1->path(), cle);
    data.close();
}

class Capture_Data : public ExportFolderChoice,
                     public ::testing::WithParamInterface<const char*> {};

TEST_P(Capture_Data, EveryTextFitsAndThePictureIsKept) {
    demarrer(QLatin1String(GetParam()));
    Data& data = ouvrir();
    EXPECT_EQ(data.size(), QSize(Data::kLargeur, Data::kHauteur));
    EXPECT_LE(data.Label_Choix->heightForWidth(data.Label_Choix->width()),
              data.Label_Choix->height());
    for (const QPushButton* bouton : {data.Bouton_OK, data.Bouton_Annuler})
        EXPECT_LE(bouton->sizeHint().width(), bouton->width()) << bouton->text().toStdString();
    EXPECT_TRUE(data.Bouton_OK->font().bold());
    Pause_Capture();
    EXPECT_TRUE(data.grab().toImage().save(Dossier_Captures() +
                                           QStringLiteral("/data_%1.png").arg(GetParam())));
    data.close();
}

INSTANTIATE_TEST_SUITE_P(Languages, Capture_Data, ::testing::Values("Francais", "English"));

}  // namespace
}  // namespace corvanta::test
