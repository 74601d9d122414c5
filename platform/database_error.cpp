#include "platform/database_error.h"

#include <sqlite3.h>

#include <QDir>
#include <cerrno>

namespace corvanta::platform {

DatabaseError::DatabaseError(int number, std::string source, const std::string& description,
                             DatabaseFailure failure, QStringList files, std::string engineText,
                             std::vector<MissingObject> missing)
    : Error(number, std::move(source), description),
      failure_(failure),
      files_(std::move(files)),
      engineText_(std::move(engineText)),
      missing_(std::move(missing)) {}

std::optional<DatabaseFailure> classifyEngineFailure(int extendedCode, int systemErrno,
                                                     bool fileThere) {
    switch (extendedCode & 0xFF) {
        case SQLITE_BUSY:
            return DatabaseFailure::Busy;
        case SQLITE_FULL:
            return DatabaseFailure::Full;
        case SQLITE_READONLY:
            return extendedCode == SQLITE_READONLY_DBMOVED ? DatabaseFailure::Moved
                                                           : DatabaseFailure::ReadOnly;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return DatabaseFailure::Damaged;
        case SQLITE_IOERR:
        case SQLITE_CANTOPEN:
            break;
        default:
            return std::nullopt;
    }
    if (extendedCode == SQLITE_IOERR_NOMEM)
        return std::nullopt;
    if (extendedCode == SQLITE_IOERR_SHORT_READ)
        return DatabaseFailure::Damaged;  // the file ends before its own pages do
    // The engine's code for a failed read or write says no more: the system's and the
    // file's state do.
    if (systemErrno == ENOSPC || systemErrno == EFBIG || systemErrno == EDQUOT)
        return DatabaseFailure::Full;
    if (!fileThere)
        return DatabaseFailure::Moved;
    // A journal that cannot be made beside the file: its folder or volume takes no writes.
    if (systemErrno == EROFS || systemErrno == EACCES || systemErrno == EPERM ||
        (extendedCode & 0xFF) == SQLITE_CANTOPEN)
        return DatabaseFailure::ReadOnly;
    return DatabaseFailure::Unreachable;
}

QStringList databaseFiles(sqlite3* db) {
    QStringList files;
    for (int i = 0; db != nullptr; ++i) {
        const char* schema = sqlite3_db_name(db, i);
        if (schema == nullptr)
            break;
        const char* file = i == 1 ? nullptr : sqlite3_db_filename(db, schema);
        if (file != nullptr && *file != '\0')
            files << QDir::toNativeSeparators(QString::fromUtf8(file));
    }
    return files;
}

}  // namespace corvanta::platform
