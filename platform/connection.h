#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

struct sqlite3;

namespace corvanta::platform {

// The state that a Database and its recordsets share; the recordsets keep it alive and
// find it closed (handle() throws 3420) once the Database has closed it.
struct Connection {
    sqlite3* db = nullptr;
    QString path;
    int savepoints = 0;
    std::int64_t rollbacks = 0;
    // Set by Database::Reservation: the one thread that may use the connection meanwhile
    // (a default id: none).
    std::atomic<bool> reserved{false};
    std::atomic<std::thread::id> owner{};

    ~Connection();
    // The engine's handle; 3420 once closed, 3260 for a thread the connection is not
    // reserved to.
    sqlite3* handle(const std::string& source) const;
    void close();
    // Changes whenever data may have changed through this connection: a row written, or
    // a transaction or savepoint rolled back (which the change count does not show).
    std::int64_t generation() const;
    // Runs SQL without parameters or results (savepoints, pragmas).
    void run(const QString& sql, const std::string& source);
};

// A savepoint rolled back on destruction unless released; nests freely.
class Savepoint {
  public:
    Savepoint(Connection& connection, const std::string& source);
    ~Savepoint();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;
    void release();

  private:
    Connection& connection_;
    std::string source_;
    QString name_;
    bool done_ = false;
};

}  // namespace corvanta::platform
