#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"

struct sqlite3;

namespace corvanta::platform {

// What went wrong with a database file, in terms of what the user can do about it.
enum class DatabaseFailure {
    Busy,         // another connection kept the file locked past the wait: try again
    Full,         // the volume is full, or the file reached the size this system allows
    ReadOnly,     // the file, its folder or its volume cannot be written
    Moved,        // the file was moved or deleted while it was open
    Unreachable,  // reading or writing failed (disk, network share)
    Damaged,      // the file's structure is broken: a backup copy must come back
    Missing,      // no file at that path
    NotCorvanta,  // a file that is not a Corvanta database
    Incomplete,   // a table, view or column the program uses is not in the file
};

// A table or view a file lacks (`column` empty), or a column it lacks.
struct MissingObject {
    QString object;
    QString column;
    bool view = false;
};

// A failure of a database file: a corvanta::Error keeping its number and an English
// description for logs, with what a window needs to say it in the interface's language.
class DatabaseError : public Error {
  public:
    DatabaseError(int number, std::string source, const std::string& description,
                  DatabaseFailure failure, QStringList files, std::string engineText = {},
                  std::vector<MissingObject> missing = {});

    DatabaseFailure failure() const noexcept { return failure_; }
    // The files concerned, as the system names them: the program's own first, then any
    // file attached to the connection when the failure happened (the engine does not say
    // which of them failed).
    const QStringList& files() const noexcept { return files_; }
    // The engine's own words, empty when the failure is the program's own finding.
    const std::string& engineText() const noexcept { return engineText_; }
    // Incomplete: what the file lacks.
    const std::vector<MissingObject>& missing() const noexcept { return missing_; }

  private:
    DatabaseFailure failure_;
    QStringList files_;
    std::string engineText_;
    std::vector<MissingObject> missing_;
};

// The failure of the file that an engine result stands for, from its extended code, the
// system's error number and whether the file is still at its path; nothing for a
// statement's own failure (a syntax error, a constraint, an interruption).
std::optional<DatabaseFailure> classifyEngineFailure(int extendedCode, int systemErrno,
                                                     bool fileThere);

// The files open on the connection: "main", then the attached ones (not "temp").
QStringList databaseFiles(sqlite3* db);

}  // namespace corvanta::platform
