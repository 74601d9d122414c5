#pragma once

#include <QString>
#include <QTemporaryDir>

namespace corvanta::test {

// A temporary working folder for one test: a fresh copy of the built "Sinus.mdb" (unless
// asked not to), private settings (XDG_CONFIG_HOME inside the folder), and the process's
// current directory moved into it for the test's lifetime.
class Dossier_Travail {
  public:
    explicit Dossier_Travail(bool avec_base = true);
    ~Dossier_Travail();
    Dossier_Travail(const Dossier_Travail&) = delete;
    Dossier_Travail& operator=(const Dossier_Travail&) = delete;

    QString chemin() const { return dossier_.path(); }
    QString fichier(const QString& nom) const { return dossier_.filePath(nom); }
    QString base() const { return fichier(QStringLiteral("Sinus.mdb")); }
    QString fichier_reglages() const;

    // Reads a stored setting as the next start would (a fresh store on the file).
    QString reglage(const QString& section, const QString& cle,
                    const QString& defaut = QStringLiteral("<absent>")) const;
    void ecrire_reglage(const QString& section, const QString& cle, const QString& valeur) const;

    // Runs SQL on the folder's database (fixtures).
    void executer_sql(const QString& sql) const;

  private:
    QTemporaryDir dossier_;
    QString ancien_dossier_;
};

// The built database that fixtures copy.
QString Base_Construite();

}  // namespace corvanta::test
