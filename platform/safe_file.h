#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
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
    // Something stood at `path` when the failure was met (an older file, or a link): a failed
    // output leaves it as it was.
    bool olderFileKept() const noexcept { return olderFileKept_; }

  private:
    OutputFailure cause_;
    QString path_;
    std::string engineText_;
    bool olderFileKept_;
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
// replaces (of a new file otherwise), then renamed over `path`, and the folder flushed so
// that the new name outlives a power cut. A symbolic link at `path` is refused before
// anything is written. Any failure removes the temporary file, leaves the older file of that
// name as it was, and is an OutputError with source `source`.
//
// The temporary file (".corvanta-<process>-<machine>-XXXXXX", readable by its owner only)
// names the process and machine that write it. Before its own, each write removes from the
// folder this program's temporary files whose writer is gone (a process of this machine
// that no longer runs, killed mid-way or cut off by a power failure) or that are over an
// hour old; nothing else of the folder is touched.
void writeFileWhole(const QString& path, const QByteArray& bytes, const char* source);

// The same, as a new file that never replaces one: the first of name(1), name(2)... that no
// file takes. The rename itself refuses a name that is taken, so that two writers, two
// copies of the program among them, never take one name. Returns the path written.
QString writeNewFile(const std::function<QString(int number)>& name, const QByteArray& bytes,
                     const char* source);

}  // namespace corvanta::platform
