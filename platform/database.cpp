#include "platform/database.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/connection.h"
#include "platform/database_error.h"
#include "platform/error.h"
#include "platform/recordset.h"
#include "platform/sql_functions.h"
#include "platform/sqlite_statement.h"

namespace corvanta::platform {
namespace {

const std::string kSource = "Database";
constexpr int kCannotOpen = 3051;

bool isPlainIdentifier(const QString& text) {
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return identifier.match(text).hasMatch();
}

[[noreturn]] void fileFailure(int number, const QString& path, const QString& description,
                              DatabaseFailure failure, const std::string& engineText = {}) {
    throw DatabaseError(number, kSource, description.toStdString(), failure,
                        {QDir::toNativeSeparators(path)}, engineText);
}

[[noreturn]] void notCorvanta(const QString& path) {
    fileFailure(db_error::kNotADatabase, path, "'" + path + "' is not a Corvanta database.",
                DatabaseFailure::NotCorvanta);
}

void checkFileExists(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        fileFailure(db_error::kFileNotFound, path, "Could not find file '" + path + "'.",
                    DatabaseFailure::Missing);
    }
}

// Reads the mark of schema `schema`; a file that is not SQLite fails the same way. A file
// the engine cannot read for another reason (busy, damaged, unreachable) fails as that.
void checkMark(sqlite3* db, const QString& schema, const QString& path) {
    std::int64_t mark = 0;
    try {
        Statement pragma(db, "PRAGMA " + quoteIdentifier(schema) + ".application_id", kSource);
        if (pragma.step())
            mark = pragma.column(0).toInt64();
    } catch (const DatabaseError& e) {
        if (e.number() != SQLITE_NOTADB)
            throw;
        notCorvanta(path);
    } catch (const Error&) {
        notCorvanta(path);
    }
    if (mark != Database::kApplicationId)
        notCorvanta(path);
}

}  // namespace

// ---- Connection ------------------------------------------------------------------------

Connection::~Connection() {
    close();
}

sqlite3* Connection::handle(const std::string& source) const {
    if (db == nullptr)
        throw Error(db_error::kObjectClosed, source, "The database is closed.");
    if (reserved.load(std::memory_order_acquire) &&
        owner.load(std::memory_order_relaxed) != std::this_thread::get_id())
        throw Error(db_error::kLocked, source, "The database is in use by a task under way.");
    return db;
}

void Connection::close() {
    // Statements still held by recordsets keep a zombie connection until they go.
    if (db != nullptr)
        sqlite3_close_v2(db);
    db = nullptr;
}

std::int64_t Connection::generation() const {
    return sqlite3_total_changes64(handle("Database")) + (rollbacks << 40);
}

void Connection::run(const QString& sql, const std::string& source) {
    Statement statement(handle(source), sql, source);
    while (statement.step()) {
    }
}

Savepoint::Savepoint(Connection& connection, const std::string& source)
    : connection_(connection),
      source_(source),
      name_(QStringLiteral("corvanta_%1").arg(++connection.savepoints)) {
    connection_.run("SAVEPOINT " + name_, source_);
}

Savepoint::~Savepoint() {
    if (done_ || connection_.db == nullptr)
        return;
    ++connection_.rollbacks;
    try {
        connection_.run("ROLLBACK TO " + name_, source_);
        connection_.run("RELEASE " + name_, source_);
        return;
    } catch (const Error&) {
    }
    // The engine refused to go back (a damaged attached file, say). Left open, the
    // transaction would take every later write of the run and lose them all at the end:
    // it goes whole, and a savepoint or transaction around this one then fails to end.
    if (sqlite3_get_autocommit(connection_.db) == 0) {
        try {
            connection_.run(QStringLiteral("ROLLBACK"), source_);
        } catch (const Error&) {
            // Nothing is left to undo when even this fails.
        }
    }
}

void Savepoint::release() {
    connection_.run("RELEASE " + name_, source_);
    done_ = true;
}

// ---- Database --------------------------------------------------------------------------

Database::Database(const QString& path) : connection_(std::make_shared<Connection>()) {
    connection_->path = path;
    checkFileExists(path);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    connection_->db = db;
    if (rc != SQLITE_OK) {
        const std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        const int system = db != nullptr ? sqlite3_system_errno(db) : 0;
        connection_->close();
        fileFailure(kCannotOpen, path,
                    "Could not open '" + path + "': " + QString::fromStdString(message),
                    classifyEngineFailure(rc, system, true).value_or(DatabaseFailure::Unreachable),
                    message);
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    try {
        checkMark(db, QStringLiteral("main"), path);
    } catch (const Error&) {
        connection_->close();
        throw;
    }
    if (sqlite3_db_readonly(db, "main") == 1) {
        connection_->close();
        fileFailure(kCannotOpen, path,
                    "Could not open '" + path + "' for writing: the file is read-only.",
                    DatabaseFailure::ReadOnly);
    }
    sqlite3_rollback_hook(
        db, [](void* connection) { ++static_cast<Connection*>(connection)->rollbacks; },
        connection_.get());
    registerSqlFunctions(db);
    // Up to 256 MB of pages, taken only as pages are read: the patients of a practice of
    // 1,000,000 fill about 110 MB, and a cache that holds them spares every search and list
    // refill a new read of the whole table from the file (a 64 MB cache tripled their time).
    connection_->run(QStringLiteral("PRAGMA cache_size = -262144"), kSource);
}

Database::~Database() {
    connection_->close();
}

const QString& Database::path() const {
    return connection_->path;
}

bool Database::isOpen() const {
    return connection_->db != nullptr;
}

void Database::close() {
    connection_->close();
}

int Database::execute(const QString& sql, const std::vector<Value>& parameters) {
    sqlite3* db = connection_->handle(kSource);
    Statement statement(db, sql, kSource);
    statement.bindAll(parameters);
    while (statement.step()) {
    }
    return sqlite3_stmt_readonly(statement.handle()) != 0 ? 0 : sqlite3_changes(db);
}

Value Database::queryValue(const QString& sql, const std::vector<Value>& parameters) {
    Statement statement(connection_->handle(kSource), sql, kSource);
    statement.bindAll(parameters);
    return statement.step() && statement.columnCount() > 0 ? statement.column(0) : Value();
}

std::int64_t Database::lastInsertKey() const {
    return sqlite3_last_insert_rowid(connection_->handle(kSource));
}

std::unique_ptr<Recordset> Database::openRecordset(const QString& sqlOrName,
                                                   const std::vector<Value>& parameters,
                                                   const QStringList& taken,
                                                   std::optional<MembershipPlan> plan) {
    QString sql = sqlOrName.trimmed();
    QString name = sql;
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    if (isPlainIdentifier(name))
        sql = "SELECT * FROM " + quoteIdentifier(name);
    return std::unique_ptr<Recordset>(
        new Recordset(connection_, sql, parameters, taken, std::move(plan)));
}

void Database::attach(const QString& path, const QString& alias) {
    if (!isPlainIdentifier(alias)) {
        throw Error(db_error::kInvalidArgument, kSource,
                    ("'" + alias + "' is not a valid database alias.").toStdString());
    }
    checkFileExists(path);
    try {
        execute(QStringLiteral("ATTACH DATABASE ? AS ") + quoteIdentifier(alias), {path});
    } catch (const Error& e) {
        if (e.number() == SQLITE_NOTADB)
            notCorvanta(path);
        throw;
    }
    try {
        checkMark(connection_->db, alias, path);
    } catch (const Error&) {
        detach(alias);
        throw;
    }
}

void Database::detach(const QString& alias) {
    execute(QStringLiteral("DETACH DATABASE ") + quoteIdentifier(alias));
}

Database::Watch::Watch(Database& database, std::function<bool()> continuer)
    : connection_(database.connection_), continuer_(std::move(continuer)) {
    sqlite3_progress_handler(
        connection_->handle(kSource), 4000,
        [](void* watch) {
            try {
                return static_cast<Watch*>(watch)->continuer_() ? 0 : 1;
            } catch (...) {
                // Nothing may cross the engine's frames: stop the statement instead.
                return 1;
            }
        },
        this);
}

Database::Watch::~Watch() {
    if (connection_->db != nullptr)
        sqlite3_progress_handler(connection_->db, 0, nullptr, nullptr);
}

Database::Reservation::Reservation(Database& database, std::thread::id owner)
    : connection_(database.connection_),
      wasReserved_(connection_->reserved.load(std::memory_order_relaxed)),
      previousOwner_(connection_->owner.load(std::memory_order_relaxed)) {
    connection_->owner.store(owner, std::memory_order_relaxed);
    connection_->reserved.store(true, std::memory_order_release);
}

Database::Reservation::~Reservation() {
    connection_->reserved.store(false, std::memory_order_relaxed);
    connection_->owner.store(previousOwner_, std::memory_order_relaxed);
    connection_->reserved.store(wasReserved_, std::memory_order_release);
}

Database::Transaction::Transaction(Database& database, Lock lock)
    : connection_(database.connection_) {
    if (lock != Lock::Deferred && sqlite3_get_autocommit(connection_->handle(kSource)) != 0) {
        connection_->run(lock == Lock::Immediate ? QStringLiteral("BEGIN IMMEDIATE")
                                                 : QStringLiteral("BEGIN EXCLUSIVE"),
                         kSource);
        begun_ = true;
    }
    try {
        savepoint_ = std::make_unique<Savepoint>(*connection_, kSource);
    } catch (const Error&) {
        if (begun_)
            connection_->run(QStringLiteral("ROLLBACK"), kSource);
        throw;
    }
}

Database::Transaction::~Transaction() {
    savepoint_.reset();
    if (!begun_ || committed_ || connection_->db == nullptr ||
        sqlite3_get_autocommit(connection_->db) != 0)
        return;
    ++connection_->rollbacks;
    try {
        connection_->run(QStringLiteral("ROLLBACK"), kSource);
    } catch (const Error&) {
        // The engine has already ended the transaction when this fails.
    }
}

void Database::Transaction::commit() {
    savepoint_->release();
    if (begun_)
        connection_->run(QStringLiteral("COMMIT"), kSource);
    committed_ = true;
}

}  // namespace corvanta::platform
