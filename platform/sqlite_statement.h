#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "platform/value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace corvanta::platform {

// Numbers the layer gives its own failures (the old engine's numbers, which the
// windows' messages and tests know).
namespace db_error {
inline constexpr int kInvalidArgument = 3001;
inline constexpr int kUpdateWithoutEdit = 3020;
inline constexpr int kNoCurrentRecord = 3021;
inline constexpr int kDuplicateKey = 3022;
inline constexpr int kNoFreeKey = 3023;
inline constexpr int kFileNotFound = 3024;
inline constexpr int kReadOnly = 3027;
inline constexpr int kNotUpdatable = 3164;
inline constexpr int kRecordDeleted = 3167;
inline constexpr int kRelatedRecords = 3200;
inline constexpr int kLocked = 3260;
inline constexpr int kItemNotFound = 3265;
inline constexpr int kNotADatabase = 3343;
inline constexpr int kObjectClosed = 3420;
}  // namespace db_error

// Turns the connection's last failure into corvanta::Error. Engine codes keep their
// number, except: a trigger message "NNNN: text" gives number NNNN and the text (the
// schema refuses a referenced curve's deletion with 3200 this way), a duplicate key gives
// 3022, a busy or locked file 3260, a read-only one 3027. A failure of the file itself (busy,
// full, read-only, moved, unreadable, damaged) is a DatabaseError (database_error.h).
[[noreturn]] void throwEngineError(sqlite3* db, int rc, const std::string& source);

// One prepared statement; finalized on destruction. Values bind and read as Value.
class Statement {
  public:
    Statement(sqlite3* db, const QString& sql, const std::string& source);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void reset();
    // Binds every parameter, 1..n in order (after a reset); a wrong count is Error 3001.
    void bindAll(const std::vector<Value>& values);
    void bind(int index, const Value& value);
    // Returns true while a row is available.
    bool step();
    int columnCount() const;
    QString columnName(int i) const;
    Value column(int i) const;
    sqlite3_stmt* handle() const { return stmt_; }

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    std::string source_;
};

// Quotes an identifier for SQL text ("a""b").
QString quoteIdentifier(const QString& name);

}  // namespace corvanta::platform
