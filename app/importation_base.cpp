#include "app/importation_base.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "app/etat_application.h"
#include "platform/database.h"
#include "platform/database_error.h"
#include "platform/recordset.h"
#include "platform/sqlite_statement.h"

namespace corvanta {
namespace {

using platform::Database;
using platform::quoteIdentifier;
using platform::Value;

constexpr std::int64_t kCle_Maximale = std::numeric_limits<std::int32_t>::max();
constexpr int kInterrompu = 9;  // the engine's "interrupted"

// The other file, as the statements below name it.
const QString kAutre = QStringLiteral("corvanta_import");
// A private scratch database for the working tables, attached for the import and detached
// whole: dropping a table of a few gigabytes takes the engine seconds in one step.
const QString kTravail = QStringLiteral("corvanta_travail");
// Each table's rows of the other file, as they would be written here, each with its place
// in the file (`corvanta_rang`).
const QString kRang = QStringLiteral("corvanta_rang");
// The search columns of this database's patients, when the search copies them.
const QString kRecherche = QStringLiteral("recherche");

// A column holding the key of a row of an earlier table.
struct Reference {
    QString colonne;
    int parent;
};

struct Table_Importee {
    QString nom;
    QString cle;
    // Columns that narrow the search for a row here the same but for its key: served by an
    // index of this database, or by a copy of them made for the search (files made by
    // earlier builds declare the French order on the names, whose comparisons are slow and
    // too loose for an index search byte for byte).
    QStringList recherche;
    bool recherche_copiee;
    std::vector<Reference> references;
    // Whole-number columns the program reads as 16-bit; the others it reads as 32-bit.
    QStringList entiers_courts;
};

// Parents before their children.
const std::array<Table_Importee, 3>& Tables() {
    static const std::array<Table_Importee, 3> tables{{
        {QStringLiteral("Patients"),
         QStringLiteral("Code_Patient"),
         {QStringLiteral("Date_Naissance_Patient"), QStringLiteral("Nom_Patient"),
          QStringLiteral("Prenom_Patient")},
         true,
         {},
         {}},
        {QStringLiteral("Courbes"),
         QStringLiteral("ID"),
         {QStringLiteral("Code_Patient")},
         false,
         {{QStringLiteral("Code_Patient"), 0}},
         {QStringLiteral("PASSEBAS")}},
        {QStringLiteral("Examens"),
         QStringLiteral("Code_Examen"),
         {QStringLiteral("Code_ Patient")},
         false,
         {{QStringLiteral("Code_ Patient"), 0},
          {QStringLiteral("Echogramme_Droit_Num_Courbe"), 1},
          {QStringLiteral("Echogramme_Gauche_Num_Courbe"), 1}},
         {}},
    }};
    return tables;
}

// The comparison-slot flags: the program rewrites them at every start and slot change, so
// they say nothing of whether a curve is the same, and another file's name slots of its own.
bool Reecrite_Par_Le_Programme(const QString& colonne) {
    return colonne == QLatin1String("IMPRIMER") || colonne == QLatin1String("COULEUR");
}

// What a column of this database holds.
struct Colonne {
    enum class Sorte { Cle, Reference, Entier, Texte, Courbe };
    QString nom;
    QString type;  // as declared here
    Sorte sorte;
    bool obligatoire;
    std::int64_t minimum = 0;
    std::int64_t maximum = 0;
};

QString Q(const QString& nom) {
    return quoteIdentifier(nom);
}

QString Table_Ici(int table) {
    return QStringLiteral("main.") + Q(Tables()[table].nom);
}

QString Table_La_Bas(int table) {
    return kAutre + u'.' + Q(Tables()[table].nom);
}

// A working table's name without and with its database.
QString Nom_Travail(const QString& nom, int table) {
    return nom + u'_' + Tables()[table].nom;
}
QString Travail(const QString& nom) {
    return kTravail + u'.' + nom;
}

// The file's rows of `table`.
QString Table_Lignes(int table) {
    return Travail(Nom_Travail(QStringLiteral("lignes"), table));
}

// Each row's place in the file -> its old key, its key here, and whether it is to be
// written (1) or is here already (0).
QString Table_Cles(int table) {
    return Travail(Nom_Travail(QStringLiteral("cles"), table));
}

// The runs of free keys, when none is left above the highest.
QString Table_Trous(int table) {
    return Travail(Nom_Travail(QStringLiteral("trous"), table));
}

std::vector<Colonne> Colonnes(Database& base, int table) {
    const Table_Importee& t = Tables()[table];
    const auto infos = base.openRecordset(
        QStringLiteral("SELECT name, type, \"notnull\" FROM pragma_table_info(?, 'main') "
                       "ORDER BY cid"),
        {t.nom});
    std::vector<Colonne> colonnes;
    if (infos->recordCount() == 0)
        return colonnes;
    for (infos->moveFirst(); !infos->eof(); infos->moveNext()) {
        Colonne c{infos->field(0).toText(), infos->field(1).toTextOrEmpty(), Colonne::Sorte::Texte,
                  infos->field(2).toInt64() != 0};
        const QString type = c.type.toUpper();
        if (c.nom == t.cle) {
            c.sorte = Colonne::Sorte::Cle;
        } else if (std::any_of(t.references.begin(), t.references.end(),
                               [&](const Reference& r) { return r.colonne == c.nom; })) {
            c.sorte = Colonne::Sorte::Reference;
        } else if (type.contains(QLatin1String("INT"))) {
            c.sorte = Colonne::Sorte::Entier;
            const bool court = table == 2 || t.entiers_courts.contains(c.nom);
            c.minimum = court ? std::numeric_limits<std::int16_t>::min()
                              : std::numeric_limits<std::int32_t>::min();
            c.maximum = court ? std::numeric_limits<std::int16_t>::max()
                              : std::numeric_limits<std::int32_t>::max();
        } else if (type.contains(QLatin1String("BLOB"))) {
            c.sorte = Colonne::Sorte::Courbe;
        }
        colonnes.push_back(c);
    }
    return colonnes;
}

// Row `m` here holds the same values as row `l` in these columns: texts byte for byte
// whatever collation the column declares, Null and '' alike; numbers and curves as they
// are (whole numbers and reals compare as numbers).
QString Identiques(const std::vector<Colonne>& colonnes) {
    QStringList conditions;
    for (const Colonne& c : colonnes) {
        if (c.sorte == Colonne::Sorte::Cle || Reecrite_Par_Le_Programme(c.nom))
            continue;
        if (c.sorte == Colonne::Sorte::Texte) {
            conditions << QStringLiteral("coalesce(m.%1, '') = coalesce(l.%1, '') COLLATE BINARY")
                              .arg(Q(c.nom));
        } else {
            conditions << QStringLiteral("m.%1 IS l.%1").arg(Q(c.nom));
        }
    }
    return conditions.join(QStringLiteral(" AND "));
}

QString Dans_Les_Cles(const QString& expression) {
    return expression + QStringLiteral(" BETWEEN 1 AND ") + QString::number(kCle_Maximale);
}

// The tables' columns that refer to rows of `table`.
std::vector<std::pair<int, QString>> Enfants(int table) {
    std::vector<std::pair<int, QString>> enfants;
    for (int t = table + 1; t < static_cast<int>(Tables().size()); ++t) {
        for (const Reference& r : Tables()[t].references) {
            if (r.parent == table)
                enfants.emplace_back(t, r.colonne);
        }
    }
    return enfants;
}

// Key l.<key> is taken here: by a row, or by a curve or exam still naming it (the rows
// of a patient deleted long ago, say), which a new row under it would adopt.
QString Cle_Prise(int table) {
    const QString cle = Q(Tables()[table].cle);
    QStringList conditions{QStringLiteral("EXISTS (SELECT 1 FROM %1 AS m WHERE m.%2 = l.%2)")
                               .arg(Table_Ici(table), cle)};
    for (const auto& [enfant, colonne] : Enfants(table)) {
        conditions << QStringLiteral("EXISTS (SELECT 1 FROM %1 WHERE %2 = l.%3)")
                          .arg(Table_Ici(enfant), Q(colonne), cle);
    }
    return QStringLiteral("(") + conditions.join(QStringLiteral(" OR ")) + QStringLiteral(")");
}

// The first new key: above every key within range that the table holds or has given, that
// a row of the file keeps, and that a curve or exam here names.
std::int64_t Premiere_Cle_Nouvelle(Database& base, int table) {
    const QString cle = Q(Tables()[table].cle);
    const QString dans = QStringLiteral(" WHERE ") + Dans_Les_Cles(QStringLiteral("%1"));
    QStringList maximums{
        QStringLiteral("(SELECT seq FROM main.sqlite_sequence WHERE name = ?") +
            QStringLiteral(" AND ") + Dans_Les_Cles(QStringLiteral("seq")) + u')',
        QStringLiteral("(SELECT max(%1) FROM %2").arg(cle, Table_Ici(table)) + dans.arg(cle) + u')',
        QStringLiteral("(SELECT max(nouveau) FROM %1)").arg(Table_Cles(table))};
    for (const auto& [enfant, colonne] : Enfants(table)) {
        maximums << QStringLiteral("(SELECT max(%1) FROM %2").arg(Q(colonne), Table_Ici(enfant)) +
                        dans.arg(Q(colonne)) + u')';
    }
    for (QString& m : maximums)
        m = QStringLiteral("coalesce(") + m + QStringLiteral(", 0)");
    return base.queryValue(QStringLiteral("SELECT max(") + maximums.join(QStringLiteral(", ")) +
                               QStringLiteral(")"),
                           {Tables()[table].nom})
               .toInt64() +
           1;
}

// Fills Table_Trous(table) with the runs of keys within range that nothing here takes: no
// row, no curve or exam naming it, no row of the file placed already. Each run gives its
// last key and how many free keys it and the runs below it hold (`fin`). Returns the free
// keys.
std::int64_t Trouver_Cles_Libres(Database& base, int table) {
    const QString cle = Q(Tables()[table].cle);
    const QString trous = Table_Trous(table);
    const QString dans = QStringLiteral(" WHERE ") + Dans_Les_Cles(QStringLiteral("%1"));
    QStringList prises{
        QStringLiteral("SELECT %1 AS k FROM %2").arg(cle, Table_Ici(table)) + dans.arg(cle),
        QStringLiteral("SELECT nouveau FROM %1").arg(Table_Cles(table)),
        QStringLiteral("SELECT %1").arg(kCle_Maximale + 1)};
    for (const auto& [enfant, colonne] : Enfants(table)) {
        prises << QStringLiteral("SELECT %1 FROM %2").arg(Q(colonne), Table_Ici(enfant)) +
                      dans.arg(Q(colonne));
    }
    base.execute(
        QStringLiteral("CREATE TABLE %1 (fin INTEGER PRIMARY KEY, derniere INTEGER)").arg(trous));
    base.execute(QStringLiteral("INSERT INTO %1 SELECT sum(k - p - 1) OVER (ORDER BY k), k - 1 "
                                "FROM (SELECT k, lag(k, 1, 0) OVER (ORDER BY k) AS p FROM (%2)) "
                                "WHERE k - p > 1")
                     .arg(trous, prises.join(QStringLiteral(" UNION "))));
    return base.queryValue(QStringLiteral("SELECT coalesce(max(fin), 0) FROM ") + trous).toInt64();
}

// The file's three tables are real tables with every column this database has.
void Verifier_Structure(Database& base) {
    for (int table = 0; table < static_cast<int>(Tables().size()); ++table) {
        const QString& nom = Tables()[table].nom;
        const Value type = base.queryValue(
            QStringLiteral("SELECT type FROM %1.sqlite_master WHERE name = ? COLLATE NOCASE AND "
                           "type IN ('table', 'view')")
                .arg(kAutre),
            {nom});
        if (type.isNull())
            throw Refus_Import(Refus_Import::Raison::Table_Absente, nom);
        if (type.toText() != QLatin1String("table"))
            throw Refus_Import(Refus_Import::Raison::Vue, nom);
        const auto la_bas = base.openRecordset(
            QStringLiteral("SELECT name FROM pragma_table_info(?, ?)"), {nom, kAutre});
        QStringList presentes;
        if (la_bas->recordCount() != 0) {
            for (la_bas->moveFirst(); !la_bas->eof(); la_bas->moveNext())
                presentes << la_bas->field(0).toText();
        }
        for (const Colonne& c : Colonnes(base, table)) {
            if (!presentes.contains(c.nom, Qt::CaseInsensitive))
                throw Refus_Import(Refus_Import::Raison::Colonne_Absente, nom, c.nom);
        }
    }
}

// The first row of the file's `table` holding a value not of its column's kind refuses the
// import. Each condition is read for every row; which column is at fault is worked out
// for the faulty row alone.
void Verifier_Valeurs(Database& base, int table, const std::vector<Colonne>& colonnes) {
    QStringList fautes;
    std::vector<Refus_Import::Raison> raisons;
    std::vector<const Colonne*> de_la_colonne;
    QStringList textes;
    std::vector<const Colonne*> colonnes_textes;
    for (const Colonne& c : colonnes) {
        const QString n = Q(c.nom);
        const QString absente = QStringLiteral("%1 IS NULL").arg(n);
        switch (c.sorte) {
            case Colonne::Sorte::Cle:
            case Colonne::Sorte::Reference:
                fautes << QStringLiteral("typeof(%1) NOT IN ('integer', 'null')").arg(n);
                raisons.push_back(Refus_Import::Raison::Cle);
                break;
            case Colonne::Sorte::Entier:
                if (c.obligatoire) {
                    fautes << absente;
                    raisons.push_back(Refus_Import::Raison::Valeur_Absente);
                }
                fautes << QStringLiteral(
                              "NOT (%1 OR typeof(%2) = 'integer' AND %2 BETWEEN %3 AND %4)")
                              .arg(absente, n)
                              .arg(c.minimum)
                              .arg(c.maximum);
                raisons.push_back(Refus_Import::Raison::Entier);
                break;
            case Colonne::Sorte::Texte:
                fautes << QStringLiteral("typeof(%1) NOT IN ('text', 'null')").arg(n);
                raisons.push_back(Refus_Import::Raison::Texte);
                textes << n;
                colonnes_textes.push_back(&c);
                break;
            case Colonne::Sorte::Courbe:
                fautes << QStringLiteral("NOT (%1 OR typeof(%2) = 'blob' AND length(%2) = %3)")
                              .arg(absente, n)
                              .arg(kTaille_Courbe);
                raisons.push_back(Refus_Import::Raison::Courbe);
                break;
        }
        de_la_colonne.resize(raisons.size(), &c);
    }
    QStringList cas;
    for (int i = 0; i < fautes.size(); ++i)
        cas << QStringLiteral("WHEN %1 THEN %2").arg(fautes[i]).arg(i);
    // Every text of a row in one call, which names the first faulty one.
    const QString utf8 = QStringLiteral("UTF8_FAULT(%1)").arg(textes.join(u','));
    if (!textes.isEmpty()) {
        cas << QStringLiteral("ELSE %1 - 1 + %2").arg(fautes.size()).arg(utf8);
        fautes << utf8 + QStringLiteral(" <> 0");
        raisons.insert(raisons.end(), colonnes_textes.size(), Refus_Import::Raison::Utf8);
        de_la_colonne.insert(de_la_colonne.end(), colonnes_textes.begin(), colonnes_textes.end());
    }
    const auto faute = base.openRecordset(
        QStringLiteral("SELECT %1, %2, CASE %3 END FROM %4 WHERE %5 ORDER BY %1 LIMIT 1")
            .arg(kRang, Q(Tables()[table].cle), cas.join(u' '), Table_Lignes(table),
                 fautes.join(QStringLiteral(" OR "))));
    if (faute->recordCount() == 0)
        return;
    faute->moveFirst();
    const auto i = static_cast<std::size_t>(faute->field(2).toInt32());
    const Colonne& c = *de_la_colonne.at(i);
    Refus_Import refus(raisons.at(i), Tables()[table].nom, c.nom, faute->field(1),
                       faute->field(0).toInt64());
    refus.minimum = c.minimum;
    refus.maximum = c.maximum;
    throw refus;
}

// Copies the other file's rows of `table` into Table_Lignes(table) as they would be
// written here (the same columns and type affinities: values are stored as they would
// be), checks them, then points their references at the keys their parents were given.
// Returns how many rows name a parent key that several rows of the file share.
int Lire_Lignes(Database& base, int table, const std::vector<Colonne>& colonnes) {
    const Table_Importee& t = Tables()[table];
    const QString lignes = Table_Lignes(table);
    QStringList declarations{kRang + QStringLiteral(" INTEGER PRIMARY KEY")}, noms;
    for (const Colonne& c : colonnes) {
        declarations << Q(c.nom) + u' ' + c.type;
        noms << Q(c.nom);
    }
    base.execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(lignes, declarations.join(u',')));
    base.execute(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3")
                     .arg(lignes, noms.join(u','), Table_La_Bas(table)));
    base.execute(QStringLiteral("CREATE INDEX %1_cle ON %2 (%3)")
                     .arg(lignes, Nom_Travail(QStringLiteral("lignes"), table), Q(t.cle)));
    Verifier_Valeurs(base, table, colonnes);

    int ambigues = 0;
    if (!t.references.empty()) {
        QStringList nomment_un_double, nouvelles;
        for (const Reference& r : t.references) {
            nomment_un_double << QStringLiteral(
                                     "%1 IN (SELECT ancien FROM %2 GROUP BY ancien "
                                     "HAVING count(*) > 1)")
                                     .arg(Q(r.colonne), Table_Cles(r.parent));
            nouvelles << QStringLiteral(
                             "%1 = (SELECT nouveau FROM %2 WHERE ancien = %1 ORDER BY "
                             "rang LIMIT 1)")
                             .arg(Q(r.colonne), Table_Cles(r.parent));
        }
        ambigues = base.queryValue(QStringLiteral("SELECT count(*) FROM %1 WHERE %2")
                                       .arg(lignes, nomment_un_double.join(QStringLiteral(" OR "))))
                       .toInt32();
        base.execute(
            QStringLiteral("UPDATE %1 SET %2").arg(lignes, nouvelles.join(QStringLiteral(", "))));
    }
    return ambigues;
}

// The rows of the file not placed yet.
QString Restantes(int table) {
    return QStringLiteral("FROM %1 AS l WHERE l.%2 NOT IN (SELECT rang FROM %3)")
        .arg(Table_Lignes(table), kRang, Table_Cles(table));
}

// Maps each row not yet placed to a row here that is the same but for its key.
void Chercher_Ailleurs(Database& base, int table, const std::vector<Colonne>& colonnes) {
    const Table_Importee& t = Tables()[table];
    const QString cle = Q(t.cle);
    const QString restantes = Restantes(table);
    if (base.queryValue(QStringLiteral("SELECT EXISTS (SELECT 1 ") + restantes +
                        QStringLiteral(")"))
            .toInt64() == 0) {
        return;
    }
    // The search columns are texts (Null taken as '') or keys.
    auto valeur = [&](const QString& table_alias, const QString& c) {
        return t.recherche_copiee ? QStringLiteral("coalesce(%1.%2, '')").arg(table_alias, Q(c))
                                  : QStringLiteral("%1.%2").arg(table_alias, Q(c));
    };
    QStringList copiees, recherche;
    for (const QString& c : t.recherche) {
        copiees << valeur(QStringLiteral("m"), c) + QStringLiteral(" AS ") + Q(c);
        recherche << QStringLiteral("%1.%2 IS %3")
                         .arg(t.recherche_copiee ? QStringLiteral("r") : QStringLiteral("m"), Q(c),
                              valeur(QStringLiteral("l"), c));
    }
    QString candidats = Table_Ici(table) + QStringLiteral(" AS m");
    if (t.recherche_copiee) {
        const QString copie = Nom_Travail(kRecherche, table);
        base.execute(QStringLiteral("CREATE TABLE %1 AS SELECT m.%2 AS cle, %3 FROM %4 AS m")
                         .arg(Travail(copie), cle, copiees.join(u','), Table_Ici(table)));
        QStringList index;
        for (const QString& c : t.recherche)
            index << Q(c);
        base.execute(QStringLiteral("CREATE INDEX %1_index ON %2 (%3)")
                         .arg(Travail(copie), copie, index.join(u',')));
        candidats = Travail(copie) + QStringLiteral(" AS r JOIN ") + Table_Ici(table) +
                    QStringLiteral(" AS m ON m.") + cle + QStringLiteral(" = r.cle");
    }
    base.execute(
        QStringLiteral("INSERT INTO %1 SELECT rang, ancien, nouveau, 0 FROM (SELECT l.%2 "
                       "AS rang, l.%3 AS ancien, (SELECT m.%3 FROM %4 WHERE %5 AND %6 "
                       "AND %7 LIMIT 1) AS nouveau %8) WHERE nouveau IS NOT NULL")
            .arg(Table_Cles(table), kRang, cle, candidats, recherche.join(QStringLiteral(" AND ")),
                 Dans_Les_Cles(QStringLiteral("m.") + cle), Identiques(colonnes), restantes));
}

// Gives every row of the file's `table` its key here, in Table_Cles(table). A row here
// already, under its own key or another, is skipped; only a row that is not here keeps
// its key, when that key is free here.
void Placer_Lignes(Database& base, int table, const std::vector<Colonne>& colonnes) {
    const QString cles = Table_Cles(table);
    const QString lignes = Table_Lignes(table);
    const QString cle = Q(Tables()[table].cle);
    base.execute(QStringLiteral("CREATE TABLE %1 (rang INTEGER PRIMARY KEY, ancien INTEGER, "
                                "nouveau INTEGER, ajout INTEGER)")
                     .arg(cles));
    base.execute(QStringLiteral("CREATE INDEX %1_ancien ON %2 (ancien, rang)")
                     .arg(cles, Nom_Travail(QStringLiteral("cles"), table)));
    // Here already under its own key: skipped.
    base.execute(QStringLiteral("INSERT INTO %1 SELECT l.%2, l.%3, l.%3, 0 FROM %4 AS l JOIN %5 "
                                "AS m ON m.%3 = l.%3 WHERE %6 AND %7")
                     .arg(cles, kRang, cle, lignes, Table_Ici(table),
                          Dans_Les_Cles(QStringLiteral("l.") + cle), Identiques(colonnes)));
    // Here already under another key: skipped, its children follow that key.
    Chercher_Ailleurs(base, table, colonnes);
    // A free key within range is kept by the first row holding it that is not here.
    const QString restantes = Restantes(table);
    base.execute(QStringLiteral("INSERT INTO %1 SELECT l.%2, l.%3, l.%3, 1 %4 AND %5 AND l.%2 = "
                                "(SELECT min(d.%2) FROM %6 AS d WHERE d.%3 = l.%3 AND d.%2 NOT "
                                "IN (SELECT rang FROM %1)) AND NOT %7")
                     .arg(cles, kRang, cle, restantes, Dans_Les_Cles(QStringLiteral("l.") + cle),
                          lignes, Cle_Prise(table)));
    // Every other row gets a new key.
    const std::int64_t premiere = Premiere_Cle_Nouvelle(base, table);
    const std::int64_t nombre =
        base.queryValue(QStringLiteral("SELECT count(*) ") + restantes).toInt64();
    if (nombre <= kCle_Maximale - premiere + 1) {
        base.execute(QStringLiteral("INSERT INTO %1 SELECT l.%2, l.%3, ? + row_number() OVER "
                                    "(ORDER BY l.%2) - 1, 1 %4")
                         .arg(cles, kRang, cle, restantes),
                     {premiere});
        return;
    }
    // No room above: the free keys within range, lowest first.
    if (nombre > Trouver_Cles_Libres(base, table))
        throw Refus_Import(Refus_Import::Raison::Plus_De_Cle, Tables()[table].nom);
    base.execute(QStringLiteral("INSERT INTO %1 SELECT l.%2, l.%3, (SELECT t.derniere - (t.fin - "
                                "l.n) FROM %5 AS t WHERE t.fin >= l.n ORDER BY t.fin LIMIT 1), 1 "
                                "FROM (SELECT %2, %3, row_number() OVER (ORDER BY %2) AS n FROM %4 "
                                "WHERE %2 NOT IN (SELECT rang FROM %1)) AS l")
                     .arg(cles, kRang, cle, lignes, Table_Trous(table)));
}

// Writes the rows of `table` that are not here yet, counting in `bilan` the rows added
// and those here already.
void Ecrire_Table(Database& base, int table, const std::vector<Colonne>& colonnes,
                  Bilan_Import& bilan) {
    QStringList noms, choisies;
    for (const Colonne& c : colonnes) {
        noms << Q(c.nom);
        // The program sets the slot flags itself: a curve comes in out of every slot.
        choisies << (c.sorte == Colonne::Sorte::Cle     ? QStringLiteral("c.nouveau")
                     : Reecrite_Par_Le_Programme(c.nom) ? QStringLiteral("0")
                                                        : QStringLiteral("l.") + Q(c.nom));
    }
    const int ajoutees = base.execute(
        QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4 AS l JOIN %5 AS c ON c.rang = "
                       "l.%6 WHERE c.ajout = 1 ORDER BY c.nouveau")
            .arg(Table_Ici(table), noms.join(u','), choisies.join(u','), Table_Lignes(table),
                 Table_Cles(table), kRang));
    const int presentes =
        base.queryValue(
                QStringLiteral("SELECT count(*) FROM %1 WHERE ajout = 0").arg(Table_Cles(table)))
            .toInt32();
    (table == 0 ? bilan.patients : table == 1 ? bilan.courbes : bilan.examens) = ajoutees;
    (table == 0   ? bilan.patients_presents
     : table == 1 ? bilan.courbes_presentes
                  : bilan.examens_presentes) = presentes;
}

// The other file and the scratch database stay attached while the import runs; the
// working tables go with the scratch database, whole.
class Fichiers_Attaches {
  public:
    Fichiers_Attaches(Database& base, const QString& chemin) : base_(base) {
        base_.attach(chemin, kAutre);
        try {
            // An empty name: a private temporary file, deleted once detached. Its journal
            // is kept in memory: it holds nothing anyone must find after a crash.
            base_.execute(QStringLiteral("ATTACH DATABASE '' AS ") + kTravail);
            base_.execute(QStringLiteral("PRAGMA %1.journal_mode = MEMORY").arg(kTravail));
            base_.execute(QStringLiteral("PRAGMA %1.cache_size = -65536").arg(kTravail));
        } catch (const Error&) {
            Detacher(kTravail);
            Detacher(kAutre);
            throw;
        }
    }
    ~Fichiers_Attaches() {
        Detacher(kTravail);
        Detacher(kAutre);
    }
    Fichiers_Attaches(const Fichiers_Attaches&) = delete;
    Fichiers_Attaches& operator=(const Fichiers_Attaches&) = delete;

  private:
    void Detacher(const QString& alias) noexcept {
        try {
            base_.detach(alias);
        } catch (const Error&) {
            // Not attached, or the connection is gone: the import is over either way.
        }
    }
    Database& base_;
};

}  // namespace

Refus_Import::Refus_Import(Raison raison_, QString table_, QString colonne_, Value cle_,
                           std::int64_t rang_, std::string moteur_)
    : Error(kNumero, "Import",
            raison_ == Raison::Annulee
                ? std::string("The import was cancelled.")
                : ("The import was refused: table " + table_ +
                   (colonne_.isEmpty() ? QString() : ", column " + colonne_) +
                   (rang_ == 0 ? QString() : ", row " + QString::number(rang_)))
                          .toStdString() +
                      (moteur_.empty() ? std::string() : ": " + moteur_)),
      raison(raison_),
      table(std::move(table_)),
      colonne(std::move(colonne_)),
      cle(std::move(cle_)),
      rang(rang_),
      moteur(std::move(moteur_)) {}

Bilan_Import Importer_Base_Externe(Database& base, const QString& chemin,
                                   const Suivi_Import& suivi) {
    const QFileInfo fichier(chemin);
    if (fichier.isFile() &&
        fichier.canonicalFilePath() == QFileInfo(base.path()).canonicalFilePath()) {
        // Every row is here already.
        auto nombre = [&](int table) {
            return base.queryValue(QStringLiteral("SELECT count(*) FROM ") + Table_Ici(table))
                .toInt32();
        };
        Bilan_Import bilan;
        bilan.patients_presents = nombre(0);
        bilan.courbes_presentes = nombre(1);
        bilan.examens_presentes = nombre(2);
        return bilan;
    }
    Fichiers_Attaches attaches(base, chemin);
    Bilan_Import bilan;
    Database::Transaction transaction(base);
    bool annulee = false;
    {
        // Stops before the transaction is rolled back, which must run to its end.
        Database::Watch veille(base, [&] {
            annulee = annulee || (suivi && !suivi(false));
            return !annulee;
        });
        QString etape;
        try {
            Verifier_Structure(base);
            // Every row of the file has its key before anything is written here.
            std::array<std::vector<Colonne>, 3> colonnes;
            for (int table = 0; table < static_cast<int>(Tables().size()); ++table) {
                etape = Tables()[table].nom;
                colonnes[table] = Colonnes(base, table);
                bilan.references_ambigues += Lire_Lignes(base, table, colonnes[table]);
                Placer_Lignes(base, table, colonnes[table]);
            }
            for (int table = 0; table < static_cast<int>(Tables().size()); ++table) {
                etape = Tables()[table].nom;
                Ecrire_Table(base, table, colonnes[table], bilan);
            }
        } catch (const Refus_Import&) {
            throw;
        } catch (const Error& erreur) {
            if (annulee && erreur.number() == kInterrompu)
                throw Refus_Import(Refus_Import::Raison::Annulee, etape);
            Refus_Import refus(Refus_Import::Raison::Moteur, etape, {}, {}, 0,
                               erreur.description());
            if (const auto* panne = dynamic_cast<const platform::DatabaseError*>(&erreur))
                refus.panne = std::make_shared<platform::DatabaseError>(*panne);
            throw refus;
        }
    }
    if (annulee || (suivi && !suivi(true)))
        throw Refus_Import(Refus_Import::Raison::Annulee, QString());
    transaction.commit();
    return bilan;
}

}  // namespace corvanta
