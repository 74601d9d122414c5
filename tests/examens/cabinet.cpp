#include "tests/examens/cabinet.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>

#include "main_window/fenetre_quorel.h"
#include "platform/recordset.h"

namespace corvanta::test {

Cabinet::Cabinet() {
    Application();
    // No device: port 1 names a file that does not exist.
    dossier.ecrire_reglage(QStringLiteral("PORTS"), QStringLiteral("COM1"),
                           dossier.fichier(QStringLiteral("aucun-appareil")));
    base = std::make_unique<platform::Database>(dossier.base());
}

Cabinet::~Cabinet() {
    echo.reset();
    etat.reset();
}

QByteArray Echantillons(int depart, int pas) {
    QByteArray samples(kTaille_Courbe, '\0');
    for (int i = 0; i < kTaille_Courbe; ++i)
        samples[i] = static_cast<char>((depart + pas * i) % 256);
    return samples;
}

std::int64_t Cabinet::patient(const QString& nom, const QString& prenom) {
    base->execute(
        QStringLiteral("INSERT INTO Patients (Nom_Patient, Prenom_Patient) VALUES (?, ?)"),
        {nom, prenom});
    return base->lastInsertKey();
}

std::int64_t Cabinet::courbe(std::int64_t patient, int type, const QString& date, int depart,
                             int pas) {
    base->execute(QStringLiteral("INSERT INTO Courbes (Code_Type, Code_Patient, DATE, COURBE, "
                                 "MOYENNE, PASSEBAS) VALUES (?, ?, ?, ?, 0, 0)"),
                  {type, patient, date, Echantillons(depart, pas)});
    return base->lastInsertKey();
}

std::int64_t Cabinet::examen(std::int64_t patient, int type, const QString& numero,
                             std::int64_t droite, std::int64_t gauche,
                             const std::vector<std::pair<QString, platform::Value>>& colonnes) {
    QString noms = QStringLiteral(
        "\"Code_ Patient\", Code_Type, Num_Examen, "
        "Echogramme_Droit_Num_Courbe, Echogramme_Gauche_Num_Courbe");
    QString marques = QStringLiteral("?, ?, ?, ?, ?");
    std::vector<platform::Value> valeurs{patient, type, numero, droite, gauche};
    for (const auto& [nom, valeur] : colonnes) {
        noms += QStringLiteral(", ") + nom;
        marques += QStringLiteral(", ?");
        valeurs.push_back(valeur);
    }
    base->execute(QStringLiteral("INSERT INTO Examens (%1) VALUES (%2)").arg(noms, marques),
                  valeurs);
    return base->lastInsertKey();
}

QImage Apercu_Attendu(Cabinet& c, const QByteArray& samples, QSize taille) {
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::black);
    Echantillons_Courbe sortie{};
    const int points = c.echo->Combo1->currentData().toInt();
    c.etat->Bibliotheque->smooth_filter()(reinterpret_cast<const uint8_t*>(samples.constData()),
                                          sortie.data(), c.echo->Slider1[0]->value(),
                                          c.echo->Slider1[1]->value(), points);
    QuorelWindow fenetre = Fenetre_Quorel(image);
    c.etat->Bibliotheque->preview_samples()(&fenetre, sortie.data(), points);
    return image;
}

QStringList Lignes(const QListWidget* liste) {
    QStringList lignes;
    for (int i = 0; i < liste->count(); ++i)
        lignes << liste->item(i)->text();
    return lignes;
}

QStringList Lignes(const QComboBox* liste) {
    QStringList lignes;
    for (int i = 0; i < liste->count(); ++i)
        lignes << liste->itemText(i);
    return lignes;
}

QStringList Shell(const QString& fichier, const QString& sql) {
    if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty()) {
        ADD_FAILURE() << "the sqlite3 shell is missing (scripts/install-deps installs it)";
        return {};
    }
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"),
                {QStringLiteral("-batch"), QStringLiteral("-bail"), fichier});
    shell.write(sql.toUtf8());
    shell.closeWriteChannel();
    EXPECT_TRUE(shell.waitForFinished(30000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    return QString::fromUtf8(shell.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

platform::Value Cabinet::colonne(std::int64_t examen, const QString& nom) {
    return base->queryValue(QStringLiteral("SELECT %1 FROM Examens WHERE Code_Examen = ?").arg(nom),
                            {examen});
}

void Cabinet::demarrer(std::vector<Inscription_Fenetre> fenetres) {
    etat = std::make_unique<Etat_Application>();
    echo = std::make_unique<Echo>(*etat);
    echo->Terminer = [](int) {};
    echo->Form_Load();
    // The start-up's own message (no device on the port) is not the exam windows' concern.
    messages.boites.clear();
    Enregistrer_Fenetres_Examen([fenetres](Echo& e, Etat_Application& etat) {
        return std::make_unique<Fenetres_Examen_Corvanta>(e, etat, fenetres);
    });
}

Fenetres_Examen_Corvanta* Cabinet::fenetres() const {
    return static_cast<Fenetres_Examen_Corvanta*>(echo->Fenetres_Examen_Chargees());
}

}  // namespace corvanta::test
