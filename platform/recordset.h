#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/error.h"
#include "platform/member_table.h"
#include "platform/membership_plan.h"
#include "platform/sqlite_statement.h"
#include "platform/value.h"

namespace corvanta::platform {

struct Connection;
class Statement;

// A dynaset: the rows of a query, fixed at open as a list of keys, with values read live.
//
// Membership. At open (and at requery) the query runs once and the key of each row is
// kept, in the query's order. The key is the first result column that is the integer
// primary key of its table; that table is the base table (for the saved exam queries:
// `Examens`, its key `Code_Examen` being their first column). Values are read by key
// with prepared statements; moving row by row reads the next rows ahead, and those serve
// until this connection writes or, as the first field read after each move finds (PRAGMA
// data_version), another connection commits. So after a move a row changed elsewhere
// shows its new values, a row deleted elsewhere reads as deleted (Error 3167), never as
// another row, and a row that no longer matches the query's condition stays a member
// until requery. Outside a transaction that look at the file takes its lock once a move;
// a long walk inside one read transaction takes it once. A query whose rows have no key
// (an aggregate, say) gives a read-only snapshot taken at open.
//
// Position. BOF and EOF behave as a dynaset's: both true on an empty set; MoveNext
// from the last row gives EOF, MovePrevious from the first BOF; a move beyond them, and
// MoveFirst or MoveLast on an empty set, is Error 3021 "No current record". Counts and
// positions are 32-bit; the absolute position counts from 0 and is -1 without a current
// row. Every move abandons a pending AddNew or Edit.
//
// Writes. AddNew or Edit, then setField, then Update, which writes only the fields set,
// by key, in one transaction: an Edit as UPDATE of the row, an AddNew as INSERT (the
// new row joins the membership at its end; the current row stays where it was; its key
// is returned and kept as lastModified; unless the key is set, it is the engine's next
// key while that stays within 1..kLargestGivenKey, else the one above the largest key
// within that range, else the lowest key of that range no row holds, and a table without
// one left refuses the row, 3023). A field can be
// written when it is a column of the base table, or when its name is "Alias.Column" and
// the query also gives "Alias.<key>" for that joined table: it is then written to that
// joined row, found after the base row is written (so a changed link writes to the newly
// linked row).
// So the saved exam queries accept writes to every `Examens` column and to
// `Courbes_Droites.DATE` / `Courbes_Gauches.DATE`; the patient's columns are read-only
// there (3164). A failed Update keeps the AddNew or Edit pending with its values.
// Delete removes the current base row only (a refused delete, 3200, leaves it; a row
// deleted elsewhere meanwhile is 3167); the current row then reads as deleted until a
// move.
//
// Bulk reading. readMembers gives chosen fields of every member in one call, without
// moving. Fields named at open are taken by the membership query itself, in the same pass;
// they serve as long as nothing was written through the connection or by another
// connection since, and are read afresh by key otherwise.
//
// Membership plan. A query whose order the file can give faster than the engine's sort
// (an index made for it, or a sort here of rows found unordered) may come with a plan:
// the membership is then taken by the plan's one statement and placed here, and must be
// the same keys in the same order as the query gives. Everything else uses the query.
//
// Field names compare without regard to case and include dotted aliases exactly as the
// query names its columns (`Courbes_Droites.DATE`). Unknown names are Error 3265.
// Failures throw corvanta::Error with source "Recordset".
class Recordset {
  public:
    using Key = std::int64_t;
    enum class EditMode { None, Edit, Add };
    // The largest key the program gives a row: other tools may store larger ones.
    static constexpr Key kLargestGivenKey = 2'147'483'647;

    // `taken`: fields read with the membership (see readMembers), by their names in the
    // query's result.
    Recordset(std::shared_ptr<Connection> connection, const QString& sql,
              std::vector<Value> parameters, QStringList taken = {},
              std::optional<MembershipPlan> plan = std::nullopt);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    const QString& sql() const { return sql_; }
    // False for a snapshot (no key): every write is then Error 3027.
    bool isUpdatable() const { return keyed_; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    bool bof() const;
    bool eof() const;
    std::int32_t recordCount() const;
    std::int32_t absolutePosition() const;
    // Error 3001 outside 0..recordCount()-1.
    void setAbsolutePosition(std::int32_t position);

    // Moves to the first row, in membership order, for which the SQL condition holds
    // (columns as the query names them, `?` bound from parameters). No match leaves the
    // current row as it was and sets noMatch(). Not for snapshots (3251).
    bool findFirst(const QString& condition, const std::vector<Value>& parameters = {});
    bool noMatch() const { return noMatch_; }

    // The current row's key (3021 without one, 3167 when deleted): a bookmark.
    Key currentKey() const;
    // Moves to the member with this key; false (and no move) when it is not a member.
    bool moveToKey(Key key);
    // Key of the row last added or updated through this recordset (0 before any).
    Key lastModified() const { return lastModified_; }

    void addNew();
    void edit();
    Key update();
    void cancelUpdate();
    EditMode editMode() const { return editMode_; }
    void deleteCurrent();
    // Takes the membership again (same query and parameters) and moves to the first row.
    void requery();
    // The same result as requery(), found by moving only the rows added or rewritten
    // through this recordset since the membership was taken: each is placed among the
    // others by a binary search that asks the query itself which of two rows comes
    // first, so a few keyed reads replace running the whole query. For a query whose
    // ORDER BY orders rows totally (as the saved exam queries do, ending on the key) and
    // where a row's membership and place depend only on its own row and the rows joined
    // to it. Whenever the others may have moved - anything else written through the
    // connection or by another connection to the file, a rollback, a trigger's write, a
    // changed value of a joined row, a row that no longer or not yet meets the query's
    // condition - it runs requery().
    void requeryWritten();

    struct Member {
        Key key;
        std::vector<Value> values;
    };
    // The values of `fields` (names of the query's result) for every member, in membership
    // order; a member deleted elsewhere is left out. Does not move. Error 3265 for an
    // unknown name.
    std::vector<Member> readMembers(const QStringList& fields) const;
    // The same, packed: the taken fields themselves when `fields` names them in their
    // order and they still serve, without a copy.
    std::shared_ptr<const MemberTable> readMemberTable(const QStringList& fields) const;

    int fieldCount() const { return static_cast<int>(columns_.size()); }
    QString fieldName(int index) const;
    // Position of a field by name; Error 3265 when there is none.
    int fieldIndex(const QString& name) const;
    // During AddNew or Edit a field set reads its new value; a field not set reads the
    // stored value (Null for a new row).
    Value field(int index) const;
    Value field(const QString& name) const { return field(fieldIndex(name)); }
    void setField(int index, const Value& value);
    void setField(const QString& name, const Value& value) { setField(fieldIndex(name), value); }

  private:
    struct Column {
        enum class Target { None, Base, Joined };
        QString name;
        QString schema, table, origin;  // where it comes from; empty when computed
        QString tableKey;               // the integer key of that table
        Target target = Target::None;
        int joined = -1;
    };
    struct JoinedTable {
        QString schema, table, key;
        int keyColumn = -1;
    };

    void describeColumns();
    bool inBaseTable(const Column& column) const;
    void assignWriteTargets();
    void composeReadSql();
    void prepareMembership();
    void preparePlan();
    void takeMembership();
    const std::vector<Value>& currentRow() const;
    void checkCurrent() const;
    void leaveRow();
    Statement& cachedStatement(const QString& sql) const;
    // Steps `read` (bound with the query's parameters, when it reads through the query,
    // then the key) for each key, in one read transaction; `take` gets each row found.
    void readByKey(Statement& read, const std::vector<Key>& keys,
                   const std::function<void(Key, const Statement&)>& take) const;
    void readRows(const std::vector<Key>& keys) const;
    std::vector<Value> readRow(Key key) const;
    // Returns whether every joined value written equals the one stored (adds the rows it
    // changes to `changes`).
    bool writeJoinedFields(Key baseKey, std::int64_t& changes);
    // The key a new row must be given for it to stay within range; none when the engine's
    // own next key does.
    std::optional<Key> keyWithinRange() const;
    std::int32_t size() const { return static_cast<std::int32_t>(keys_.size()); }
    bool inOrder() const;
    std::int64_t dataVersion() const;
    void keepOrder(bool kept, std::int64_t generationBefore, std::int64_t ownChanges);
    bool placeWritten();
    int compareRows(Key a, Key b);

    std::shared_ptr<Connection> connection_;
    QString sql_;
    std::vector<Value> parameters_;
    std::vector<Column> columns_;
    QHash<QString, int> columnByName_;
    std::vector<JoinedTable> joinedTables_;

    bool keyed_ = false;
    int keyColumn_ = -1;
    QString baseSchema_, baseTable_, baseKey_;
    bool directRead_ = false;
    std::vector<std::vector<Value>> snapshot_;
    std::unique_ptr<Statement> membership_;
    int membershipKey_ = 0;
    bool keyNamed_ = false;  // the key's name selects it from the query alone
    QString readSql_;
    mutable std::unique_ptr<Statement> read_;

    std::vector<Key> keys_;
    // The taken fields of each member, in membership order (takenFields_.size() a member),
    // as they were when the membership was taken at takenStamp_ and takenDataVersion_.
    QStringList takenFields_;
    std::vector<int> takenColumns_;  // their places in the membership statement
    std::shared_ptr<const MemberTable> taken_;
    std::optional<MembershipPlan> plan_;
    std::int64_t takenStamp_ = -1;
    std::int64_t takenDataVersion_ = -1;
    std::int32_t position_ = 0;
    bool currentDeleted_ = false;
    bool noMatch_ = false;
    Key lastModified_ = 0;

    // The membership is in the query's order, but for the keys in misplaced_, while the
    // connection's generation is still orderStamp_ (-1: not known to be in order) and no
    // other connection has written the file since it was taken.
    std::int64_t orderStamp_ = -1;
    std::int64_t orderDataVersion_ = -1;
    std::vector<Key> misplaced_;

    EditMode editMode_ = EditMode::None;
    std::map<int, Value> pending_;

    // Rows read around the position, valid while the connection has written nothing and,
    // as checked at the first read after each move, no other connection has committed.
    mutable QHash<Key, std::vector<Value>> rows_;
    mutable std::int64_t rowsStamp_ = -1;
    mutable std::int64_t rowsDataVersion_ = -1;
    mutable bool rowsChecked_ = false;
    mutable std::int32_t lastRead_ = 0;
    mutable std::map<QString, std::unique_ptr<Statement>> statements_;
};

// What `read` returns, or nothing when the row it reads was deleted elsewhere (Error
// 3167); any other error goes on.
template <typename Read>
auto unlessDeleted(Read&& read) -> std::optional<decltype(read())> {
    try {
        return read();
    } catch (const Error& error) {
        if (error.number() == db_error::kRecordDeleted)
            return std::nullopt;
        throw;
    }
}

}  // namespace corvanta::platform
