#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <limits>
#include <map>
#include <optional>

#include "app/index_base.h"
#include "app/lignes_patients.h"
#include "app/requetes.h"
#include "platform/member_order.h"
#include "platform/recordset.h"
#include "tests/platform_database/fresh_database.h"
#include "tests/support/sqlite_shell.h"

namespace corvanta::test {
namespace {

using platform::MemberTable;
using platform::Value;

// Pieces of names: every road of the name key (ASCII, lower-case accents, capitals, an
// accented capital before lower-case accents) and what it leaves to the program (other
// letters, a combining accent, a tab, a NUL byte, bytes that are not UTF-8).
const QByteArray kPieces[] = {"a",         "Z",        "du",
                              "DU",        "Le ",      "-",
                              "'",         "\xC3\xA9", "\xC3\x89",
                              "\xC3\xA8",  "\xC3\xA7", "\xC3\x87",
                              "\xC5\x93",  "\xC5\x92", "\xC3\xA6",
                              "\xC3\xBF",  "\xC5\xB8", "\xC3\xA4",
                              "\xC3\x96",  "\xC3\x9F", "\xC3\xB1",
                              "\xC5\x81",  "\xC5\x8D", "\xC4\xB0",
                              "e\xCC\x81", "\t",       "0",
                              "9",         "~",        "_",
                              "[",         " ",        QByteArray("\0", 1),
                              "\xC3"};

class Generator {
  public:
    std::size_t below(std::size_t n) {
        state_ ^= state_ << 13, state_ ^= state_ >> 7, state_ ^= state_ << 17;
        return static_cast<std::size_t>(state_ % n);
    }
    QByteArray name() {
        QByteArray name;
        for (std::size_t n = below(4); n > 0; --n)
            name += kPieces[below(std::size(kPieces))];
        return name;
    }

  private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

// A name as the shell writes it: any bytes, through a blob cast to text; some stay blobs
// or Null.
QString shellValue(Generator& g, const QByteArray& name) {
    switch (g.below(40)) {
        case 0:
            return QStringLiteral("NULL");
        case 1:
            return QStringLiteral("X'%1'").arg(QString::fromLatin1(name.toHex()));
        default:
            return QStringLiteral("CAST(X'%1' AS TEXT)").arg(QString::fromLatin1(name.toHex()));
    }
}

class NameOrderTest : public platform::testing::FreshDatabase {
  protected:
    // Patients written by the program and by the stock shell, many of them namesakes, with
    // birth dates and towns that spread them over the search indexes.
    void fill(int rows) {
        Generator g;
        std::vector<QByteArray> names;
        QString script = QStringLiteral("BEGIN;\n");
        std::optional<platform::Database::Transaction> program(std::in_place, *db);
        for (int i = 0; i < rows; ++i) {
            // One row in three takes a name already given: namesakes.
            const QByteArray nom =
                !names.empty() && g.below(3) == 0 ? names[g.below(names.size())] : g.name();
            const QByteArray prenom = g.below(4) == 0 ? QByteArray("Jean") : g.name();
            names.push_back(nom);
            const QString naissance = QStringLiteral("%1/%2/19%3")
                                          .arg(1 + g.below(28))
                                          .arg(1 + g.below(12))
                                          .arg(g.below(100));
            const QString ville = g.below(2) == 0 ? QStringLiteral("Lyon") : QStringLiteral("Nice");
            if (i % 3 == 2) {
                script +=
                    QStringLiteral(
                        "INSERT INTO Patients (Nom_Patient, Prenom_Patient, "
                        "Date_Naissance_Patient, Ville_Patient) VALUES (%1, %2, '%3', '%4');\n")
                        .arg(shellValue(g, nom), shellValue(g, prenom), naissance, ville);
            } else {
                const auto text = [&g](const QByteArray& b) {
                    return g.below(60) == 0 ? Value() : Value(QString::fromUtf8(b));
                };
                db->execute(QStringLiteral("INSERT INTO Patients (Nom_Patient, Prenom_Patient, "
                                           "Date_Naissance_Patient, Ville_Patient) "
                                           "VALUES (?, ?, ?, ?)"),
                            {text(nom), text(prenom), naissance, ville});
            }
        }
        program->commit();
        program.reset();
        Shell(path, script + QStringLiteral("COMMIT;\n"));
    }

    static std::vector<std::pair<MemberTable::Key, std::vector<Value>>> members(
        const platform::Recordset& rs) {
        const auto table = rs.readMemberTable(Champs_Lignes_Patients());
        std::vector<std::pair<MemberTable::Key, std::vector<Value>>> rows;
        for (std::size_t m = 0; m < table->size(); ++m)
            rows.push_back({table->key(m), {table->value(m, 0), table->value(m, 1)}});
        return rows;
    }

    // The raw bytes of the members' names, which values decoded through QString may hide.
    static std::vector<std::string> bytes(const platform::Recordset& rs) {
        const auto table = rs.readMemberTable(Champs_Lignes_Patients());
        std::vector<std::string> rows;
        for (std::size_t m = 0; m < table->size(); ++m) {
            for (int f = 0; f < 2; ++f) {
                const MemberTable::Cell c = table->cell(m, f);
                rows.push_back(std::to_string(static_cast<int>(c.kind)) + std::string(c.bytes));
            }
        }
        return rows;
    }

    QStringList plan(const QString& sql, const std::vector<Value>& parameters = {}) {
        auto rs = db->openRecordset(QStringLiteral("EXPLAIN QUERY PLAN ") + sql, parameters);
        QStringList lines;
        for (; !rs->eof(); rs->moveNext())
            lines << rs->field(3).toText();
        return lines;
    }
};

TEST_F(NameOrderTest, TheIndexReadGivesTheEnginesOrderAndTheShellKeepsTheFileWhole) {
    fill(3000);
    EXPECT_EQ(Shell(path, QStringLiteral("PRAGMA integrity_check;")), QStringList{"ok"});
    ASSERT_TRUE(Index_Ordre_Noms_Present(*db));
    EXPECT_TRUE(Index_A_Completer(*db).empty());
    const QStringList read = plan(Plan_Patients_Ordonnes().sql);
    EXPECT_EQ(read, QStringList{"SCAN Patients USING COVERING INDEX Patients_Ordre_Noms"});
    // Both kinds of row are there: placed by the index, and by the program.
    const QString apart = QStringLiteral("(%1) IS 0 OR (%2) IS 0")
                              .arg(Cle_Ordre_Nom("Nom_Patient"), Cle_Ordre_Nom("Prenom_Patient"));
    EXPECT_GT(db->queryValue("SELECT count(*) FROM Patients WHERE " + apart).toInt32(), 300);
    EXPECT_GT(db->queryValue("SELECT count(*) FROM Patients WHERE NOT (" + apart + ")").toInt32(),
              1000);

    const auto engine = db->openRecordset(Requete_Patients(), {}, Champs_Lignes_Patients());
    const auto indexed = Ouvrir_Patients(*db);
    EXPECT_EQ(indexed->recordCount(), 3000);
    EXPECT_EQ(members(*indexed), members(*engine));
    EXPECT_EQ(bytes(*indexed), bytes(*engine));
}

TEST_F(NameOrderTest, SearchesSortedHereGiveTheEnginesOrder) {
    fill(3000);
    struct Search {
        QString filtre;
        std::vector<Value> parametres;
    };
    const Search searches[] = {
        {"WHERE WILDCARD_MATCH(Nom_Patient, ?)", {"d*"}},
        {"WHERE WILDCARD_MATCH(Nom_Patient, ?) AND WILDCARD_MATCH(Ville_Patient, ?)", {"*", "L*"}},
        {"WHERE CDATE(Date_Naissance_Patient) >= ?", {19500101}},
        {"WHERE WILDCARD_MATCH(Prenom_Patient, ?)", {"Jean*"}},
    };
    for (const Search& s : searches) {
        SCOPED_TRACE(s.filtre.toStdString());
        const QString requete = "SELECT * FROM Patients " + s.filtre + " ORDER BY +" + Ordre_Noms();
        const auto engine = db->openRecordset(requete, s.parametres, Champs_Lignes_Patients());
        const auto sorted = Ouvrir_Patients_Trouves(*db, s.filtre, s.parametres);
        ASSERT_GT(sorted->recordCount(), 100);
        EXPECT_EQ(members(*sorted), members(*engine));
        EXPECT_EQ(bytes(*sorted), bytes(*engine));
        // The rows are found by the same road as the recordset's own membership query,
        // so that namesakes come as the engine finds them for its sort.
        QStringList found =
            plan("SELECT Code_Patient, Nom_Patient, Prenom_Patient FROM (" + requete + ")",
                 s.parametres);
        found.removeAll(QStringLiteral("USE TEMP B-TREE FOR ORDER BY"));
        EXPECT_EQ(plan(Plan_Patients_Tries(s.filtre).sql, s.parametres), found);
    }
}

// The program's order of values is the engine's, under FRENCH, for every pair.
TEST_F(NameOrderTest, CellsCompareAsTheEngineComparesValues) {
    db->execute("CREATE TEMP TABLE v (id INTEGER PRIMARY KEY, x)");
    const std::vector<Value> values = {Value(),
                                       0,
                                       -1,
                                       5,
                                       5.0,
                                       5.5,
                                       -0.0,
                                       1e300,
                                       -1e300,
                                       std::numeric_limits<std::int64_t>::max(),
                                       std::numeric_limits<std::int64_t>::min(),
                                       9223372036854775807.0,
                                       9007199254740993LL,
                                       9007199254740992.0,
                                       QString(),
                                       "a",
                                       "A",
                                       "é",
                                       "É",
                                       "e",
                                       "f",
                                       "ab",
                                       "a b",
                                       "Œuf",
                                       "oeuf",
                                       "ss",
                                       "ß",
                                       QString::fromUtf8("a\0b", 3),
                                       "5",
                                       QByteArray(),
                                       QByteArray("a"),
                                       QByteArray("\xFF"),
                                       QByteArray("a\0", 2)};
    for (const Value& v : values)
        db->execute("INSERT INTO temp.v (x) VALUES (?)", {v});
    const auto rs = db->openRecordset("SELECT id, x FROM temp.v", {}, {"x"});
    const auto table = rs->readMemberTable({"x"});
    ASSERT_EQ(table->size(), values.size());
    // The engine's sort of them, and which of them it holds equal.
    std::map<MemberTable::Key, int> place;
    const auto sorted = db->openRecordset("SELECT id FROM temp.v ORDER BY x COLLATE FRENCH");
    for (int p = 0; !sorted->eof(); sorted->moveNext(), ++p)
        place[sorted->field(0).toInt64()] = p;
    // Sorted here, values the engine holds equal (5 and 5.0, twice "a") keep their order.
    for (const Value& v : values)
        db->execute("INSERT INTO temp.v (x) VALUES (?)", {v});
    const QString sort = QStringLiteral("SELECT id, x FROM temp.v ORDER BY x COLLATE FRENCH");
    const auto engine = db->openRecordset(sort);
    const auto here = db->openRecordset(sort, {}, {"x"},
                                        platform::MembershipPlan{"SELECT id, x, 1 FROM temp.v", 1});
    EXPECT_EQ(here->readMemberTable({"x"})->keys(), engine->readMemberTable({"x"})->keys());
    for (std::size_t a = 0; a < table->size(); ++a) {
        for (std::size_t b = 0; b < table->size(); ++b) {
            const MemberTable::Key ka = table->key(a), kb = table->key(b);
            const bool equal =
                db->queryValue(
                      "SELECT (SELECT x FROM temp.v WHERE id = ?1) IS (SELECT x FROM "
                      "temp.v WHERE id = ?2) COLLATE FRENCH",
                      {ka, kb})
                    .toInt32() != 0;
            const int engine = equal ? 0 : (place[ka] < place[kb] ? -1 : 1);
            EXPECT_EQ(platform::compareCells(table->cell(a, 0), table->cell(b, 0)), engine)
                << "values " << a << " and " << b;
        }
    }
}

}  // namespace
}  // namespace corvanta::test
