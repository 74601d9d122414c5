#include "platform/sqlite_statement.h"

#include <sqlite3.h>

#include <QFileInfo>

#include "platform/database_error.h"
#include "platform/error.h"

namespace corvanta::platform {

void throwEngineError(sqlite3* db, int rc, const std::string& source) {
    const std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    const int extended = db != nullptr ? sqlite3_extended_errcode(db) : rc;
    if (extended == SQLITE_CONSTRAINT_TRIGGER) {
        // The schema's own refusals read "NNNN: description".
        const auto colon = message.find(':');
        if (colon != std::string::npos && colon > 0 &&
            message.find_first_not_of("0123456789") == colon) {
            throw Error(std::stoi(message.substr(0, colon)), source,
                        message.substr(message.find_first_not_of(' ', colon + 1)));
        }
    }
    int number = extended;
    if (message.rfind("no such table", 0) == 0) {
        number = 3078;  // the input table or query cannot be found
    } else if (extended == SQLITE_CONSTRAINT_PRIMARYKEY || extended == SQLITE_CONSTRAINT_UNIQUE) {
        number = db_error::kDuplicateKey;
    } else if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED) {
        number = db_error::kLocked;
    } else if ((rc & 0xFF) == SQLITE_READONLY) {
        number = db_error::kReadOnly;
    }
    const QStringList files = databaseFiles(db);
    const auto failure =
        classifyEngineFailure(extended, db != nullptr ? sqlite3_system_errno(db) : 0,
                              files.isEmpty() || QFileInfo::exists(files[0]));
    if (failure)
        throw DatabaseError(number, source, message, *failure, files, message);
    throw Error(number, source, message);
}

Statement::Statement(sqlite3* db, const QString& sql, const std::string& source)
    : db_(db), source_(source) {
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    const int rc =
        sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()) + 1, &stmt_, &tail);
    if (rc != SQLITE_OK)
        throwEngineError(db, rc, source_);
    if (stmt_ == nullptr)
        throw Error(db_error::kInvalidArgument, source_, "Empty SQL statement");
    for (; tail != nullptr && *tail != '\0'; ++tail) {
        if (*tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n' && *tail != ';') {
            sqlite3_finalize(stmt_);
            throw Error(db_error::kInvalidArgument, source_,
                        "Only one SQL statement can run at a time");
        }
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void Statement::bindAll(const std::vector<Value>& values) {
    const int expected = sqlite3_bind_parameter_count(stmt_);
    if (static_cast<int>(values.size()) != expected) {
        throw Error(db_error::kInvalidArgument, source_,
                    "The statement expects " + std::to_string(expected) + " parameter(s), " +
                        std::to_string(values.size()) + " given");
    }
    for (size_t i = 0; i < values.size(); ++i)
        bind(static_cast<int>(i) + 1, values[i]);
}

void Statement::bind(int index, const Value& value) {
    int rc = SQLITE_OK;
    switch (value.kind()) {
        case Value::Kind::Null:
            rc = sqlite3_bind_null(stmt_, index);
            break;
        case Value::Kind::Integer:
            rc = sqlite3_bind_int64(stmt_, index, value.toInt64());
            break;
        case Value::Kind::Real:
            rc = sqlite3_bind_double(stmt_, index, value.toDouble());
            break;
        case Value::Kind::Text: {
            const QByteArray utf8 = value.toText().toUtf8();
            rc = sqlite3_bind_text64(stmt_, index, utf8.constData(),
                                     static_cast<sqlite3_uint64>(utf8.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
            break;
        }
        case Value::Kind::Blob: {
            const QByteArray blob = value.toBlob();
            rc = sqlite3_bind_blob64(stmt_, index, blob.constData(),
                                     static_cast<sqlite3_uint64>(blob.size()), SQLITE_TRANSIENT);
            break;
        }
    }
    if (rc != SQLITE_OK)
        throwEngineError(db_, rc, source_);
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    throwEngineError(db_, rc, source_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

QString Statement::columnName(int i) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, i));
}

Value Statement::column(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_INTEGER:
            return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt_, i)));
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(stmt_, i));
        case SQLITE_TEXT:
            return Value(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)),
                                  sqlite3_column_bytes(stmt_, i)));
        case SQLITE_BLOB: {
            const void* data = sqlite3_column_blob(stmt_, i);
            return Value(
                QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt_, i)));
        }
        default:
            return Value();
    }
}

QString quoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(QChar(u'"'), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

}  // namespace corvanta::platform
