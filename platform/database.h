#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "platform/membership_plan.h"
#include "platform/value.h"

namespace corvanta::platform {

class Recordset;
struct Connection;
class Savepoint;

// The one connection to a Corvanta database file ("Sinus.mdb", SQLite 3).
//
// Every failure throws corvanta::Error with source "Database": 3024 for a missing file,
// 3051 for a file that cannot be opened for writing, 3343 for a file that is not a
// Corvanta database (each a DatabaseError naming the file), engine failures with the
// numbers of throwEngineError (sqlite_statement.h); 3420 once the database is closed.
// SQL is SQLite's, with `?` parameters bound from Values; user text is never spliced in.
// The connection carries FRENCH, WILDCARD_MATCH and CDATE (sql_functions.h).
class Database {
  public:
    // The mark that data/schema.sql sets (PRAGMA application_id) and open() checks.
    static constexpr std::int32_t kApplicationId = 0x43525654;

    // Opens an existing file read-write; never creates one.
    explicit Database(const QString& path);
    // Closes the connection (see close()).
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const;
    bool isOpen() const;
    // Closes the connection; recordsets still open then fail with 3420.
    void close();

    // Runs one statement; returns the number of rows it changed (0 for a query).
    int execute(const QString& sql, const std::vector<Value>& parameters = {});
    // The first column of the first row, or Null when there is no row.
    Value queryValue(const QString& sql, const std::vector<Value>& parameters = {});
    // Key given to the last row inserted through this connection.
    std::int64_t lastInsertKey() const;

    // A table or view of the file, as the program's schema makes it (`sql`, the text the
    // engine keeps), with the columns it must have (names compared without case).
    struct RequiredObject {
        bool view = false;
        const char* name = nullptr;
        const char* sql = nullptr;
        std::span<const char* const> columns;
    };
    // Checks that the file has each object, as a table or view as said, and, unless it is
    // kept as `sql` says, with its columns; a view changed since that no longer reads (it
    // names what is gone) counts as missing. A view kept as made is not read again: what it
    // names is checked as an object of its own. Otherwise throws a DatabaseError
    // (Incomplete, 3078) listing everything missing, in the order given.
    void requireObjects(std::span<const RequiredObject> objects);

    // A dynaset over an SQL query or a table or view name (see recordset.h); `taken` names
    // fields read with the membership, for Recordset::readMembers; `plan` a faster way to
    // the same membership.
    std::unique_ptr<Recordset> openRecordset(const QString& sqlOrName,
                                             const std::vector<Value>& parameters = {},
                                             const QStringList& taken = {},
                                             std::optional<MembershipPlan> plan = std::nullopt);

    // Makes another Corvanta database file readable as `alias.Table` (a plain identifier),
    // for statements that copy rows across files. The file must exist and carry the mark.
    void attach(const QString& path, const QString& alias);
    void detach(const QString& alias);

    // While it lives, `continuer` is called every few thousand engine steps of any
    // statement on this connection; once it returns false the statement running stops with
    // the engine's "interrupted" error (number 9). Not nested.
    class Watch {
      public:
        Watch(Database& database, std::function<bool()> continuer);
        ~Watch();
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;

      private:
        std::shared_ptr<Connection> connection_;
        std::function<bool()> continuer_;
    };

    // While it lives, only thread `owner` may use the connection (a default id: no thread
    // at all); a call from any other thread fails with 3260 and never reaches the engine.
    // For work handed to another thread while this one keeps its windows answering, and
    // for the events let run inside a statement. Nests; ends on the thread that made it.
    class Reservation {
      public:
        Reservation(Database& database, std::thread::id owner);
        ~Reservation();
        Reservation(const Reservation&) = delete;
        Reservation& operator=(const Reservation&) = delete;

      private:
        std::shared_ptr<Connection> connection_;
        bool wasReserved_;
        std::thread::id previousOwner_;
    };

    // Groups writes: rolled back on destruction unless committed. May be nested.
    // `Immediate`, when no transaction is open yet, takes the file's write lock at once:
    // what is read inside then cannot change before the writes, since another connection
    // waits for the lock (or fails with busy) instead of writing in between. `Exclusive`
    // takes the whole file: no other connection reads it either until the end.
    class Transaction {
      public:
        enum class Lock { Deferred, Immediate, Exclusive };
        explicit Transaction(Database& database, Lock lock = Lock::Deferred);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

      private:
        std::shared_ptr<Connection> connection_;
        std::unique_ptr<Savepoint> savepoint_;
        bool begun_ = false;  // this transaction opened the engine's transaction
        bool committed_ = false;
    };

  private:
    std::shared_ptr<Connection> connection_;
};

}  // namespace corvanta::platform
