#include "tests/support/workstation.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <QAction>
#include <QThread>

namespace corvanta::test {

QByteArray Echantillons(int depart, int pas) {
    QByteArray samples(kTaille_Courbe, '\0');
    for (int i = 0; i < kTaille_Courbe; ++i)
        samples[i] = static_cast<char>((depart + pas * i) % 256);
    return samples;
}

Workstation::Workstation(const Options& options)
    : dossier(options.database), messages(options.reponse) {
    Application();
    QString port = dossier.fichier(QStringLiteral("aucun-appareil"));
    if (options.device) {
        ligne = std::make_unique<simulator::PseudoTerminal>();
        port = QString::fromStdString(ligne->slavePath());
    }
    dossier.ecrire_reglage(QStringLiteral("PORTS"), QStringLiteral("COM1"), port);
    if (!options.sent_before.isEmpty()) {
        Ecrire(options.sent_before);
        QThread::msleep(50);  // time for the terminal to pass them to the other end
    }
    if (options.database)
        base = std::make_unique<platform::Database>(dossier.base());
}

Workstation::~Workstation() {
    if (ligne && echo)
        echo->Fermer_Application();
    echo.reset();
    etat.reset();
}

Echo& Workstation::fenetre() {
    if (!echo) {
        etat = std::make_unique<Etat_Application>();
        echo = std::make_unique<Echo>(*etat);
        echo->Terminer = [this](int code) { fin = code; };
    }
    return *echo;
}

Echo& Workstation::demarrer(std::vector<Inscription_Fenetre> fenetres) {
    if (demarre_) {  // started again: a new process
        echo.reset();
        etat.reset();
    }
    demarre_ = true;
    fenetre().Form_Load();
    if (!ligne)
        messages.boites.clear();
    Enregistrer_Fenetres_Examen([fenetres](Fenetre_Principale& e, Etat_Application& etat) {
        return std::make_unique<Fenetres_Examen_Corvanta>(e, etat, fenetres);
    });
    return *echo;
}

std::int64_t Workstation::patient(const QString& nom, const QString& prenom,
                                  const platform::Value& commentaire) {
    base->execute(QStringLiteral("INSERT INTO Patients (Nom_Patient, Prenom_Patient, "
                                 "Commentaire_Patient) VALUES (?, ?, ?)"),
                  {nom, prenom, commentaire});
    return base->lastInsertKey();
}

std::int64_t Workstation::courbe(std::int64_t patient, int type, const QString& date,
                                 const QByteArray& echantillons, int moyenne, int passebas,
                                 const platform::Value& commentaire) {
    base->execute(QStringLiteral("INSERT INTO Courbes (Code_Type, Code_Patient, DATE, "
                                 "Commentaire_Courbe, COURBE, MOYENNE, PASSEBAS) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                  {type, patient, date, commentaire, echantillons, moyenne, passebas});
    return base->lastInsertKey();
}

std::int64_t Workstation::examen(std::int64_t patient, int type, const QString& numero,
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

platform::Value Workstation::colonne(std::int64_t examen, const QString& nom) {
    return base->queryValue(QStringLiteral("SELECT %1 FROM Examens WHERE Code_Examen = ?").arg(nom),
                            {examen});
}

platform::Value Workstation::valeur(const QString& sql,
                                    const std::vector<platform::Value>& parametres) {
    return etat->Base_Donnees->queryValue(sql, parametres);
}

int Workstation::nombre_courbes() {
    return static_cast<int>(valeur(QStringLiteral("SELECT COUNT(*) FROM Courbes"), {}).toInt32());
}

Fenetres_Examen_Corvanta* Workstation::fenetres() const {
    return static_cast<Fenetres_Examen_Corvanta*>(echo->Fenetres_Examen_Chargees());
}

QByteArray Workstation::Lire_Commandes(int au_moins, int delai_ms) {
    QByteArray lu;
    waitUntil(
        [&] {
            pollfd entree{ligne->masterFd(), POLLIN, 0};
            if (::poll(&entree, 1, 0) > 0 && (entree.revents & POLLIN) != 0) {
                char tampon[256];
                const ssize_t n = ::read(ligne->masterFd(), tampon, sizeof tampon);
                if (n > 0)
                    lu.append(tampon, n);
            }
            return lu.size() >= au_moins;
        },
        delai_ms);
    return lu;
}

QByteArray Workstation::Commandes_Pendant(int ms) {
    return Lire_Commandes(1 << 30, ms);
}

void Workstation::Ecrire(const QByteArray& octets) {
    qsizetype fait = 0;
    while (fait < octets.size()) {
        const ssize_t n =
            ::write(ligne->masterFd(), octets.constData() + fait, octets.size() - fait);
        if (n > 0) {
            fait += n;
            continue;
        }
        pollfd sortie{ligne->masterFd(), POLLOUT, 0};
        ::poll(&sortie, 1, 20);
    }
}

QByteArray Workstation::Envoyer_Trame(const QByteArray& trame) {
    Ecrire(trame);
    return Lire_Commandes(1);
}

namespace {

const QListWidgetItem* Ligne(const QListWidget* liste, int ligne) {
    const QListWidgetItem* item = liste->item(ligne);
    if (item == nullptr)
        ADD_FAILURE() << liste->objectName().toStdString() << " has no line " << ligne << " of "
                      << liste->count();
    return item;
}

}  // namespace

QString Texte_Ligne(const QListWidget* liste, int ligne) {
    const QListWidgetItem* item = Ligne(liste, ligne);
    return item == nullptr ? QString() : item->text();
}

std::int64_t Cle_Ligne(const QListWidget* liste, int ligne) {
    const QListWidgetItem* item = Ligne(liste, ligne);
    return item == nullptr ? 0 : item->data(Qt::UserRole).toLongLong();
}

}  // namespace corvanta::test
