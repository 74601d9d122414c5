#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "platform/error.h"

namespace corvanta::platform {

// Why a report, picture or page did not leave the program. The windows show each cause in
// their own words (texts of the interface's language), the file named.
enum class OutputFailure {
    NoFolder,        // no export folder is chosen
    BadName,         // the name cannot be a file of the folder
    FolderMissing,   // the folder does not exist (or is not a folder)
    Denied,          // no right to write there, or a read-only volume
    DiskFull,        // the volume is full, or the file is over the size this system allows
    Link,            // a symbolic link stands where the file would go
    NameTooLong,     // the name does not fit the file system
    WriteFailed,     // any other write failure: the engine's text says more
    PrinterStart,    // the printer cannot start a document
    PrinterStopped,  // the printer stopped during the document
    Clipboard,       // the clipboard does not take the picture
    // The windows' texts follow this order: keep it.
};

// A failed output: a corvanta::Error whose number follows the cause (61 disk full, 70
// permission denied, 76 path not found, 482 printer, 521 clipboard, 75 any other) and whose
// description is in English for logs; `cause`, `path` and `engineText` let a window say it in
// its own language.
class OutputError : public Error {
  public:
    OutputError(OutputFailure cause, std::string source, QString path, std::string engineText);

    OutputFailure cause() const noexcept { return cause_; }
    const QString& path() const noexcept { return path_; }
    // The system's own description of the failure, empty when there is none.
    const std::string& engineText() const noexcept { return engineText_; }

  private:
    OutputFailure cause_;
    QString path_;
    std::string engineText_;
};

// The longest file name the file systems take, in bytes.
inline constexpr int kMaxFileNameBytes = 255;

// `shortenable` followed by `kept`, with `shortenable` cut so that the whole name fits
// kMaxFileNameBytes bytes of UTF-8: the cut falls between two characters as a reader sees
// them (a letter with its accents stays whole), and trailing blanks of the cut part go.
// `kept` (the exam number and the extension) is never cut; the name is returned unchanged
// when it fits.
QString fitFileName(const QString& shortenable, const QString& kept);

// Writes `bytes` as the file `path`, whole or not at all: into a new temporary file of the
// same folder, every write checked, flushed to the disk, given the rights of the file it
// replaces (of a new file otherwise), then renamed over `path`. A symbolic link at `path`
// is refused before anything is written. Any failure removes the temporary file, leaves the
// older file of that name as it was, and is an OutputError with source `source`.
void writeFileWhole(const QString& path, const QByteArray& bytes, const char* source);

}  // namespace corvanta::platform
