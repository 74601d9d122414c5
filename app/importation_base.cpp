#include "app/importation_base.h"

#include <QFileInfo>
#include <QStringList>
#include <array>
#include <vector>

#include "platform/database.h"
#include "platform/error.h"
#include "platform/recordset.h"
#include "platform/sqlite_statement.h"

namespace corvanta {
namespace {

using platform::Database;
using platform::quoteIdentifier;

// The other file, as the statements below name it.
const QString kAutre = QStringLiteral("corvanta_import");
// One table's rows of the other file, as they would be written here.
const QString kLignes = QStringLiteral("temp.corvanta_lignes");
// The search columns of this database's rows, when the search copies them.
const QString kRecherche = QStringLiteral("temp.corvanta_recherche");

// A column holding the key of a row of an earlier table.
struct Reference {
    QString colonne;
    int parent;
};

struct Table_Importee {
    QString nom;
    QString cle;
    // Columns that narrow the search for a row here identical but for its key: served by
    // an index of this database, or by a copy of them made for the search (files made by
    // earlier builds declare the French order on the names, whose comparisons are slow
    // and too loose for an index search byte for byte).
    QStringList recherche;
    bool recherche_copiee;
    std::vector<Reference> references;
};

// Parents before their children.
const std::array<Table_Importee, 3>& Tables() {
    static const std::array<Table_Importee, 3> tables{{
        {QStringLiteral("Patients"),
         QStringLiteral("Code_Patient"),
         {QStringLiteral("Date_Naissance_Patient"), QStringLiteral("Nom_Patient"),
          QStringLiteral("Prenom_Patient")},
         true,
         {}},
        {QStringLiteral("Courbes"),
         QStringLiteral("ID"),
         {QStringLiteral("Code_Patient")},
         false,
         {{QStringLiteral("Code_Patient"), 0}}},
        {QStringLiteral("Examens"),
         QStringLiteral("Code_Examen"),
         {QStringLiteral("Code_ Patient")},
         false,
         {{QStringLiteral("Code_ Patient"), 0},
          {QStringLiteral("Echogramme_Droit_Num_Courbe"), 1},
          {QStringLiteral("Echogramme_Gauche_Num_Courbe"), 1}}},
    }};
    return tables;
}

QString Q(const QString& nom) {
    return quoteIdentifier(nom);
}

QString Table_Ici(int table) {
    return QStringLiteral("main.") + Q(Tables()[table].nom);
}

// Old key -> key here, and whether the row is to be written (1) or is here already (0).
QString Table_Cles(int table) {
    return QStringLiteral("temp.corvanta_cles_") + Tables()[table].nom;
}

QStringList Colonnes(Database& base, const QString& table) {
    const auto infos = base.openRecordset(
        QStringLiteral("SELECT name FROM pragma_table_info(?, 'main') ORDER BY cid"), {table});
    QStringList colonnes;
    if (infos->recordCount() != 0) {
        for (infos->moveFirst(); !infos->eof(); infos->moveNext())
            colonnes << infos->field(0).toText();
    }
    return colonnes;
}

// Row `m` here holds exactly the values of row `l` in these columns. Text compares byte
// for byte, whatever collation the column declares.
QString Identiques(const QStringList& colonnes) {
    QStringList conditions;
    for (const QString& c : colonnes)
        conditions << QStringLiteral("m.%1 IS l.%1 COLLATE BINARY").arg(Q(c));
    return conditions.join(QStringLiteral(" AND "));
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

// The first new key: above every key the table holds or has given, every key of the
// other file and every key a curve or exam here names.
std::int64_t Premiere_Cle_Nouvelle(Database& base, int table) {
    const QString cle = Q(Tables()[table].cle);
    QStringList maximums{QStringLiteral("(SELECT seq FROM main.sqlite_sequence WHERE name = ?)"),
                         QStringLiteral("(SELECT max(%1) FROM %2)").arg(cle, Table_Ici(table)),
                         QStringLiteral("(SELECT max(%1) FROM %2)").arg(cle, kLignes)};
    for (const auto& [enfant, colonne] : Enfants(table))
        maximums << QStringLiteral("(SELECT max(%1) FROM %2)").arg(Q(colonne), Table_Ici(enfant));
    for (QString& m : maximums)
        m = QStringLiteral("coalesce(") + m + QStringLiteral(", 0)");
    return base.queryValue(QStringLiteral("SELECT max(") + maximums.join(QStringLiteral(", ")) +
                               QStringLiteral(")"),
                           {Tables()[table].nom})
               .toInt64() +
           1;
}

// Maps each row not yet placed to a row here that is identical to it but for its key.
void Chercher_Ailleurs(Database& base, int table, const QStringList& autres) {
    const Table_Importee& t = Tables()[table];
    const QString cles = Table_Cles(table);
    const QString cle = Q(t.cle);
    const QString restantes =
        QStringLiteral("FROM %1 AS l WHERE l.%2 NOT IN (SELECT ancien FROM %3)")
            .arg(kLignes, cle, cles);
    if (base.queryValue(QStringLiteral("SELECT EXISTS (SELECT 1 ") + restantes +
                        QStringLiteral(")"))
            .toInt64() == 0) {
        return;
    }
    QStringList colonnes, recherche;
    for (const QString& c : t.recherche) {
        colonnes << Q(c);
        recherche << QStringLiteral("%1.%2 IS l.%2")
                         .arg(t.recherche_copiee ? QStringLiteral("r") : QStringLiteral("m"), Q(c));
    }
    QString candidats = Table_Ici(table) + QStringLiteral(" AS m");
    if (t.recherche_copiee) {
        base.execute(QStringLiteral("DROP TABLE IF EXISTS ") + kRecherche);
        base.execute(QStringLiteral("CREATE TABLE %1 AS SELECT %2 AS cle, %3 FROM %4")
                         .arg(kRecherche, cle, colonnes.join(u','), Table_Ici(table)));
        base.execute(QStringLiteral("CREATE INDEX %1_index ON corvanta_recherche (%2)")
                         .arg(kRecherche, colonnes.join(u',')));
        candidats = kRecherche + QStringLiteral(" AS r JOIN ") + Table_Ici(table) +
                    QStringLiteral(" AS m ON m.") + cle + QStringLiteral(" = r.cle");
    }
    base.execute(QStringLiteral("INSERT INTO %1 SELECT ancien, nouveau, 0 FROM (SELECT l.%2 AS "
                                "ancien, (SELECT m.%2 FROM %3 WHERE %4 AND %5 LIMIT 1) AS "
                                "nouveau %6) WHERE nouveau IS NOT NULL")
                     .arg(cles, cle, candidats, recherche.join(QStringLiteral(" AND ")),
                          Identiques(autres), restantes));
    if (t.recherche_copiee)
        base.execute(QStringLiteral("DROP TABLE ") + kRecherche);
}

// Copies the other file's rows of `table` into kLignes as they would be written here:
// their references follow the keys their parents were given.
void Lire_Lignes(Database& base, int table, const QStringList& colonnes) {
    const Table_Importee& t = Tables()[table];
    base.execute(QStringLiteral("DROP TABLE IF EXISTS ") + kLignes);
    // The same columns and type affinities as here: values are stored as they would be.
    base.execute(QStringLiteral("CREATE TABLE %1 AS SELECT * FROM %2 WHERE 0")
                     .arg(kLignes, Table_Ici(table)));
    QStringList noms, valeurs;
    for (const QString& c : colonnes) {
        noms << Q(c);
        valeurs << QStringLiteral("s.") + Q(c);
        for (const Reference& r : t.references) {
            if (r.colonne == c) {
                valeurs.back() = QStringLiteral("(SELECT nouveau FROM %1 WHERE ancien = s.%2)")
                                     .arg(Table_Cles(r.parent), Q(c));
            }
        }
    }
    base.execute(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4.%5 AS s")
                     .arg(kLignes, noms.join(u','), valeurs.join(u','), kAutre, Q(t.nom)));
}

// Gives every row of kLignes its key here, in Table_Cles(table).
void Placer_Lignes(Database& base, int table, const QStringList& autres) {
    const QString cles = Table_Cles(table);
    const QString cle = Q(Tables()[table].cle);
    base.execute(QStringLiteral("DROP TABLE IF EXISTS ") + cles);
    base.execute(QStringLiteral("CREATE TABLE %1 (ancien INTEGER PRIMARY KEY, nouveau INTEGER, "
                                "ajout INTEGER)")
                     .arg(cles));
    // Here already under its own key: skipped.
    base.execute(QStringLiteral("INSERT INTO %1 SELECT l.%2, l.%2, 0 FROM %3 AS l JOIN %4 AS m "
                                "ON m.%2 = l.%2 WHERE %5")
                     .arg(cles, cle, kLignes, Table_Ici(table), Identiques(autres)));
    // A free key is kept.
    base.execute(QStringLiteral("INSERT INTO %1 SELECT l.%2, l.%2, 1 FROM %3 AS l WHERE NOT %4")
                     .arg(cles, cle, kLignes, Cle_Prise(table)));
    // Here already under another key: skipped, its children follow that key.
    Chercher_Ailleurs(base, table, autres);
    // Every other row gets a new key.
    base.execute(QStringLiteral("INSERT INTO %1 SELECT l.%2, ? + row_number() OVER (ORDER BY "
                                "l.%2) - 1, 1 FROM %3 AS l WHERE l.%2 NOT IN (SELECT ancien "
                                "FROM %1)")
                     .arg(cles, cle, kLignes),
                 {Premiere_Cle_Nouvelle(base, table)});
}

int Importer_Table(Database& base, int table) {
    const Table_Importee& t = Tables()[table];
    const QStringList colonnes = Colonnes(base, t.nom);
    QStringList autres = colonnes;
    autres.removeAll(t.cle);
    Lire_Lignes(base, table, colonnes);
    Placer_Lignes(base, table, autres);

    QStringList noms{Q(t.cle)}, choisies{QStringLiteral("c.nouveau")};
    for (const QString& c : autres) {
        noms << Q(c);
        choisies << QStringLiteral("l.") + Q(c);
    }
    const int ajoutees = base.execute(
        QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4 AS l JOIN %5 AS c ON c.ancien = "
                       "l.%6 WHERE c.ajout = 1 ORDER BY c.nouveau")
            .arg(Table_Ici(table), noms.join(u','), choisies.join(u','), kLignes, Table_Cles(table),
                 Q(t.cle)));
    base.execute(QStringLiteral("DROP TABLE ") + kLignes);
    return ajoutees;
}

// The other file stays attached while the import runs; its working tables go with it.
class Autre_Fichier {
  public:
    Autre_Fichier(Database& base, const QString& chemin) : base_(base) {
        base_.attach(chemin, kAutre);
    }
    ~Autre_Fichier() {
        try {
            base_.execute(QStringLiteral("DROP TABLE IF EXISTS ") + kLignes);
            base_.execute(QStringLiteral("DROP TABLE IF EXISTS ") + kRecherche);
            for (int t = 0; t < static_cast<int>(Tables().size()); ++t)
                base_.execute(QStringLiteral("DROP TABLE IF EXISTS ") + Table_Cles(t));
            base_.detach(kAutre);
        } catch (const Error&) {
            // The import is over either way; the connection closes with the program.
        }
    }
    Autre_Fichier(const Autre_Fichier&) = delete;
    Autre_Fichier& operator=(const Autre_Fichier&) = delete;

  private:
    Database& base_;
};

}  // namespace

Bilan_Import Importer_Base_Externe(Database& base, const QString& chemin) {
    const QFileInfo fichier(chemin);
    if (fichier.isFile() &&
        fichier.canonicalFilePath() == QFileInfo(base.path()).canonicalFilePath()) {
        return {};
    }
    Autre_Fichier autre(base, chemin);
    Bilan_Import bilan;
    Database::Transaction transaction(base);
    bilan.patients = Importer_Table(base, 0);
    bilan.courbes = Importer_Table(base, 1);
    bilan.examens = Importer_Table(base, 2);
    transaction.commit();
    return bilan;
}

}  // namespace corvanta
