#include "app/libelles_demarrage.h"

namespace corvanta {
namespace {

struct Texte_Integre {
    int form;
    int numero;
    const char* francais;
    const char* anglais;
};

// Drawn at build time from data/langues.tsv, through the fresh database.
constexpr Texte_Integre kTextes[] = {
#include "app/start_texts.inc"
};

}  // namespace

void Charger_Libelles_Demarrage(const QString& colonne, Libelles& libelle) {
    const bool francais = colonne == QStringLiteral("Francais");
    for (const Texte_Integre& texte : kTextes) {
        libelle.set(texte.form, texte.numero,
                    QString::fromUtf8(francais ? texte.francais : texte.anglais));
    }
}

}  // namespace corvanta
