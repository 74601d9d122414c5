#include "tests/support/dossier_travail.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

#include "platform/database.h"
#include "platform/settings_store.h"

namespace corvanta::test {

QString Base_Construite() {
    return QString::fromLocal8Bit(qgetenv("CORVANTA_BUILD_DIR")) +
           QStringLiteral("/data/Sinus.mdb");
}

Dossier_Travail::Dossier_Travail(bool avec_base) : ancien_dossier_(QDir::currentPath()) {
    if (!dossier_.isValid())
        throw std::runtime_error("no temporary folder");
    if (avec_base && !QFile::copy(Base_Construite(), base())) {
        throw std::runtime_error("cannot copy the built database " +
                                 Base_Construite().toStdString());
    }
    QFile::setPermissions(base(), QFile::ReadOwner | QFile::WriteOwner);
    QDir(chemin()).mkpath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", fichier(QStringLiteral("config")).toLocal8Bit());
    QDir::setCurrent(chemin());
}

Dossier_Travail::~Dossier_Travail() {
    QDir::setCurrent(ancien_dossier_);
}

QString Dossier_Travail::fichier_reglages() const {
    return fichier(QStringLiteral("config/Corvanta/Corvanta.ini"));
}

QString Dossier_Travail::reglage(const QString& section, const QString& cle,
                                 const QString& defaut) const {
    const platform::SettingsStore registre(fichier_reglages());
    return registre.read(section, cle, defaut);
}

void Dossier_Travail::ecrire_reglage(const QString& section, const QString& cle,
                                     const QString& valeur) const {
    platform::SettingsStore registre(fichier_reglages());
    registre.write(section, cle, valeur);
    registre.sync();
}

void Dossier_Travail::executer_sql(const QString& sql) const {
    platform::Database base_donnees(base());
    base_donnees.execute(sql);
}

}  // namespace corvanta::test
