#include "tools/make_big_database/realistic_names.h"

#include <array>
#include <utility>

namespace corvanta::tools {
namespace {

constexpr int kLongestName = 30;

// The commonest surnames first.
const auto kCommonSurnames = std::to_array<const char*>(
    {"Martin",    "Bernard",    "Thomas",   "Petit",    "Robert",   "Richard",   "Durand",
     "Dubois",    "Moreau",     "Laurent",  "Simon",    "Michel",   "Lefèvre",   "Leroy",
     "Roux",      "David",      "Bertrand", "Morel",    "Fournier", "Girard",    "Bonnet",
     "Dupont",    "Lambert",    "Fontaine", "Rousseau", "Vincent",  "Müller",    "Lefebvre",
     "Faure",     "André",      "Mercier",  "Blanc",    "Guérin",   "Boyer",     "Garnier",
     "Chevalier", "François",   "Legrand",  "Gauthier", "Garcia",   "Perrin",    "Robin",
     "Clément",   "Morin",      "Nicolas",  "Henry",    "Roussel",  "Mathieu",   "Gautier",
     "Masson",    "Marchand",   "Duval",    "Denis",    "Dumont",   "Marie",     "Lemaire",
     "Noël",      "Meyer",      "Dufour",   "Meunier",  "Brun",     "Blanchard", "Giraud",
     "Joly",      "Rivière",    "Lucas",    "Brunet",   "Gaillard", "Barbier",   "Arnaud",
     "Martínez",  "Gérard",     "Roche",    "Renard",   "Schmitt",  "Roy",       "Leroux",
     "Colin",     "Vidal",      "Caron",    "Picard",   "Roger",    "Fabre",     "Aubert",
     "Lemoine",   "Renaud",     "Dumas",    "Lacroix",  "Olivier",  "Philippe",  "Bourgeois",
     "Pierre",    "Benoît",     "Rey",      "Leclerc",  "Payet",    "Rolland",   "Leclercq",
     "Guillaume", "Lecomte",    "Lopez",    "Jean",     "Dupuy",    "Guillot",   "Hubert",
     "Berger",    "Carpentier", "Sánchez",  "Dupuis",   "Moulin",   "Louis",     "Deschamps",
     "Huet",      "Vasseur",    "Pérez",    "Boucher",  "Fleury",   "Royer",     "Klein",
     "Jacquet"});
const auto kParticles =
    std::to_array<const char*>({"de ", "de ", "du ", "Le ", "Le ", "La ", "d'", "D'", "de La ",
                                "des ", "Van ", "Mac ", "Ben ", "N'", "dos ", "Saint-"});
// Rare surnames are made of these: start, middle and ending.
const auto kStarts = std::to_array<const char*>(
    {"Bé",  "Ber", "Bou", "Bri", "Cha", "Ché", "Col", "Cou", "Da",  "Dé", "Du", "Fa",
     "Fer", "Fou", "Ga",  "Gé",  "Gi",  "Gri", "Hé",  "Ja",  "Jo",  "La", "Lé", "Lo",
     "Ma",  "Mé",  "Mo",  "Na",  "Né",  "Pa",  "Pé",  "Po",  "Pré", "Ra", "Ré", "Ro",
     "Sa",  "Sé",  "Ta",  "Té",  "Tho", "Va",  "Vé",  "Vi",  "Ê",   "É",  "Au", "Œ"});
const auto kMiddles = std::to_array<const char*>(
    {"",    "",     "l",   "ll",  "r",   "rr",   "n",   "nn",  "ss",  "t",   "tt",
     "ch",  "v",    "m",   "ç",   "gn",  "lan",  "ber", "ron", "mon", "tel", "quet",
     "rin", "vign", "sel", "nor", "bas", "cour", "fon", "gil", "lav", "mar"});
const auto kEndings = std::to_array<const char*>(
    {"ard",  "aud", "eau",  "et",  "ier", "in",   "on",   "ot",   "ès",   "ère",
     "ault", "ois", "ieux", "ac",  "as",  "el",   "ille", "ange", "oux",  "at",
     "é",    "ée",  "enne", "ez",  "ic",  "ière", "oît",  "aïs",  "ëlle", "ay",
     "y",    "eix", "ourt", "ane", "ert", "oz",   "ud",   "elle", "ot",   "iès"});
// The commonest given names first.
const auto kGivenNames = std::to_array<const char*>(
    {"Marie",         "Jean",           "Pierre",       "Michel",      "Philippe",
     "Nathalie",      "Isabelle",       "Catherine",    "Alain",       "Sylvie",
     "Françoise",     "Christine",      "Patrick",      "Nicolas",     "Christophe",
     "Monique",       "Stéphane",       "Valérie",      "Sandrine",    "Frédéric",
     "Éric",          "Sébastien",      "Laurent",      "Céline",      "Véronique",
     "Hélène",        "Daniel",         "Jacques",      "Anne",        "Julien",
     "Thierry",       "Jérôme",         "Émilie",       "Aurélie",     "Camille",
     "Léa",           "Chloé",          "Manon",        "Inès",        "Zoé",
     "Noël",          "Agnès",          "Béatrice",     "Cécile",      "Thérèse",
     "Geneviève",     "Josée",          "Mélanie",      "Élodie",      "Anaïs",
     "Océane",        "Maëlle",         "Loïc",         "Gaëtan",      "Benoît",
     "Raphaël",       "Joël",           "Noémie",       "Clémence",    "Timothée",
     "Mathéo",        "Théo",           "Rémi",         "Aurélien",    "Jérémy",
     "Grégoire",      "Honoré",         "Éloïse",       "Andrée",      "René",
     "Renée",         "Gisèle",         "Ginette",      "Solène",      "Maïwenn",
     "Yaël",          "Ibrahim",        "Fatoumata",    "Mohamed",     "Nguyễn",
     "Ana",           "João",           "Søren",        "Łucja",       "Jean-Pierre",
     "Jean-Luc",      "Jean-François",  "Marie-Hélène", "Anne-Sophie", "Marie-Thérèse",
     "Jean-Baptiste", "Pierre-Édouard", "Marie-Noëlle", "Anne-Laure",  "Jean-Noël",
     "Marie-Ève"});
const auto kTowns = std::to_array<std::pair<const char*, const char*>>({
    {"Nice", "06000"},
    {"Nice", "06100"},
    {"Nice", "06200"},
    {"Nice", "06300"},
    {"Antibes", "06600"},
    {"Cannes", "06400"},
    {"Le Cannet", "06110"},
    {"Grasse", "06130"},
    {"Menton", "06500"},
    {"Cagnes-sur-Mer", "06800"},
    {"Saint-Laurent-du-Var", "06700"},
    {"Villeneuve-Loubet", "06270"},
    {"Vence", "06140"},
    {"Saint-Paul-de-Vence", "06570"},
    {"Mandelieu-la-Napoule", "06210"},
    {"Roquebrune-Cap-Martin", "06190"},
    {"Cap-d'Ail", "06320"},
    {"Èze", "06360"},
    {"Beausoleil", "06240"},
    {"La Trinité", "06340"},
    {"Carros", "06510"},
    {"Mougins", "06250"},
    {"Valbonne", "06560"},
    {"Vallauris", "06220"},
    {"Biot", "06410"},
    {"Saint-Martin-Vésubie", "06450"},
    {"Fréjus", "83600"},
    {"Saint-Raphaël", "83700"},
    {"Draguignan", "83300"},
    {"Hyères", "83400"},
    {"La Seyne-sur-Mer", "83500"},
    {"Toulon", "83000"},
    {"Saint-Tropez", "83990"},
    {"Marseille", "13001"},
    {"Marseille", "13008"},
    {"Aix-en-Provence", "13100"},
    {"Aubagne", "13400"},
    {"La Ciotat", "13600"},
    {"Salon-de-Provence", "13300"},
    {"Arles", "13200"},
    {"Avignon", "84000"},
    {"L'Isle-sur-la-Sorgue", "84800"},
    {"Nîmes", "30000"},
    {"Alès", "30100"},
    {"Montpellier", "34000"},
    {"Béziers", "34500"},
    {"Sète", "34200"},
    {"Perpignan", "66000"},
    {"Digne-les-Bains", "04000"},
    {"Gap", "05000"},
    {"Briançon", "05100"},
    {"Lyon", "69003"},
    {"Saint-Étienne", "42000"},
    {"Grenoble", "38000"},
    {"Chambéry", "73000"},
    {"Annecy", "74000"},
    {"Clermont-Ferrand", "63000"},
    {"Besançon", "25000"},
    {"Paris", "75011"},
    {"L'Haÿ-les-Roses", "94240"},
});

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A rare surname, as a clinic meets a few of each.
QString madeUpSurname(Random& r) {
    return text(r.pick(kStarts)) + text(r.pick(kMiddles)) + text(r.pick(kEndings));
}

QString oneSurname(Random& r) {
    return r.below(2) == 0 ? text(r.pickSkewed(kCommonSurnames)) : madeUpSurname(r);
}

QString surname(Random& r) {
    const int kind = r.below(100);
    QString name;
    if (kind < 70) {
        name = oneSurname(r);
    } else if (kind < 88) {
        // A double name, as a married or a compound surname.
        name = oneSurname(r) + u'-' + oneSurname(r);
    } else {
        const QString particle = text(r.pick(kParticles));
        const QString after = oneSurname(r);
        // An apostrophe elides a vowel only.
        const bool elided = particle.endsWith(u'\'') &&
                            !QStringLiteral("AEIOUYÉÈÊŒH").contains(after.front().toUpper());
        name = (elided ? QStringLiteral("de ") : particle) + after;
    }
    if (name.size() > kLongestName)
        name = oneSurname(r);
    // Most practices type surnames in capitals; some as written.
    return r.below(4) == 0 ? name : name.toUpper();
}

QString givenName(Random& r) {
    if (r.below(10) == 0) {
        // A compound name of two common ones.
        const QString name = text(r.pickSkewed(kGivenNames)) + u'-' + text(r.pick(kGivenNames));
        if (name.size() <= kLongestName)
            return name;
    }
    return text(r.pickSkewed(kGivenNames));
}

}  // namespace

PersonAndTown realisticPerson(Random& r) {
    PersonAndTown who;
    const auto& town = r.pickSkewed(kTowns);
    who.town = text(town.first);
    who.postcode = text(town.second);
    who.surname = surname(r);
    who.givenName = givenName(r);
    return who;
}

}  // namespace corvanta::tools
