#include "app/reglages.h"

#include "platform/settings_store.h"

namespace corvanta {

namespace {

struct Champ_Zone {
    const char* nom;
    std::int32_t Zone_Sensible::*champ;
};

// The stored fields of a zone, in the order they are written.
constexpr std::array<Champ_Zone, 5> kChamps_Zone{{
    {"xmin", &Zone_Sensible::xmin},
    {"xmax", &Zone_Sensible::xmax},
    {"seuil", &Zone_Sensible::seuil},
    {"gel", &Zone_Sensible::gel},
    {"actif", &Zone_Sensible::actif},
}};

constexpr int kTypes_Avec_Section = 4;

}  // namespace

QString Section_Zones(int type) {
    return QStringLiteral("ZONES") + QString::number(type);
}

Zone_Sensible Zone_Par_Defaut(int zone) {
    switch (zone) {
        case 0:
            return Zone_Sensible{7, 15, 68, 0, 0, 0, 1};
        case 1:
            return Zone_Sensible{35, 50, 30, 0, 0, 0, 1};
        default:
            return Zone_Sensible{};
    }
}

void Lire_Zones(const platform::SettingsStore& registre, Etat_Application& etat) {
    for (int type = 0; type < kTypes_Avec_Section; ++type) {
        for (int zone = 0; zone < kZones_Utilisees; ++zone) {
            const Zone_Sensible defaut = Zone_Par_Defaut(zone);
            Zone_Sensible& cible = etat.Zones_Sensibles[type][zone];
            for (const Champ_Zone& c : kChamps_Zone) {
                const QString cle = QString::fromLatin1(c.nom) + QString::number(zone);
                cible.*c.champ = registre.readInt32(Section_Zones(type), cle, defaut.*c.champ);
            }
            // The editor's check boxes know only 0 and 1: a hand-edited flag reads as set.
            cible.gel = cible.gel != 0 ? 1 : 0;
            cible.actif = cible.actif != 0 ? 1 : 0;
        }
    }
}

void Ecrire_Zones(platform::SettingsStore& registre, const Etat_Application& etat) {
    for (int zone = 0; zone < kZones_Par_Type; ++zone) {
        for (int type = 0; type < kTypes_Avec_Section; ++type) {
            const Zone_Sensible& source = etat.Zones_Sensibles[type][zone];
            for (const Champ_Zone& c : kChamps_Zone) {
                registre.write(Section_Zones(type),
                               QString::fromLatin1(c.nom) + QString::number(zone),
                               platform::formatWithLeadingBlank(source.*c.champ));
            }
        }
    }
}

QString Cle_Medecin(const QString& prefixe, int slot) {
    return prefixe + QString::number(slot) + QStringLiteral(")");
}

const std::array<Detail_Medecin, 6>& Details_Medecin() {
    static const std::array<Detail_Medecin, 6> details{{
        {QStringLiteral("Nom("), &Etat_Application::Nom_Medecin, kDocteur_Par_Defaut},
        {QStringLiteral("Adresse1("), &Etat_Application::Adresse1_Medecin, QString()},
        {QStringLiteral("Adresse2("), &Etat_Application::Adresse2_Medecin, QString()},
        {QStringLiteral("Tel("), &Etat_Application::Tel_Medecin, QString()},
        {QStringLiteral("Fax("), &Etat_Application::Fax_Medecin, QString()},
        {QStringLiteral("Inscription("), &Etat_Application::Inscription_Medecin, QString()},
    }};
    return details;
}

void Lire_Medecins(const platform::SettingsStore& registre, Etat_Application& etat) {
    for (int slot = 1; slot <= 3; ++slot) {
        for (const Detail_Medecin& d : Details_Medecin()) {
            (etat.*d.tableau)[slot] =
                registre.read(kSection_General, Cle_Medecin(d.prefixe, slot), d.defaut);
        }
    }
}

void Ecrire_Medecins(platform::SettingsStore& registre, const Etat_Application& etat) {
    for (int slot = 1; slot <= 3; ++slot) {
        for (const Detail_Medecin& d : Details_Medecin()) {
            registre.write(kSection_General, Cle_Medecin(d.prefixe, slot), (etat.*d.tableau)[slot]);
        }
    }
}

}  // namespace corvanta
