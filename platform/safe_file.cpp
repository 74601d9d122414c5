#include "platform/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <string_view>

namespace corvanta::platform {

namespace {

int numberOf(OutputFailure cause) {
    switch (cause) {
        case OutputFailure::DiskFull:
            return 61;
        case OutputFailure::Denied:
            return 70;
        case OutputFailure::NoFolder:
        case OutputFailure::BadName:
        case OutputFailure::FolderMissing:
            return 76;
        case OutputFailure::PrinterStart:
        case OutputFailure::PrinterStopped:
            return 482;
        case OutputFailure::Clipboard:
            return 521;
        default:
            return 75;
    }
}

const char* englishOf(OutputFailure cause) {
    switch (cause) {
        case OutputFailure::NoFolder:
            return "no export folder is chosen";
        case OutputFailure::BadName:
            return "the name cannot be used in the export folder";
        case OutputFailure::FolderMissing:
            return "the folder does not exist";
        case OutputFailure::Denied:
            return "writing there is not allowed";
        case OutputFailure::DiskFull:
            return "the disk is full";
        case OutputFailure::Link:
            return "a symbolic link stands in its place";
        case OutputFailure::NameTooLong:
            return "the name is too long for the file system";
        case OutputFailure::PrinterStart:
            return "the printer cannot start the document";
        case OutputFailure::PrinterStopped:
            return "the printer stopped during the document";
        case OutputFailure::Clipboard:
            return "the clipboard does not take the picture";
        default:
            return "the write failed";
    }
}

OutputFailure causeOfErrno(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return OutputFailure::DiskFull;
        case EACCES:
        case EPERM:
        case EROFS:
            return OutputFailure::Denied;
        case ENOENT:
        case ENOTDIR:
            return OutputFailure::FolderMissing;
        case ENAMETOOLONG:
            return OutputFailure::NameTooLong;
        case ELOOP:
            return OutputFailure::Link;
        default:
            return OutputFailure::WriteFailed;
    }
}

// Null-terminated, as a string_view of a literal is.
constexpr std::string_view kTemporaryPrefix = ".corvanta-";
// No write takes that long: a temporary file older than this has lost its writer.
constexpr time_t kAbandonedAfterSeconds = 3600;
// How many numbered names a new file tries before it gives up.
constexpr int kMostNumbers = 1000;

// This machine's name as temporary files carry it: letters, digits, dots and hyphens.
const std::string& machineName() {
    static const std::string name = [] {
        std::array<char, 256> buffer{};
        std::string machine = ::gethostname(buffer.data(), buffer.size() - 1) == 0
                                  ? std::string(buffer.data())
                                  : std::string();
        for (char& c : machine) {
            if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '.' && c != '-')
                c = '_';
        }
        return machine.empty() ? std::string("unknown") : machine.substr(0, 64);
    }();
    return name;
}

bool isRandomPart(std::string_view part) {
    return part.size() == 6 && std::all_of(part.begin(), part.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) != 0;
           });
}

enum class Writer { NotOurs, Unknown, Running, Gone };

// Who wrote a file of the folder, by its name: not one of this program's temporary files;
// one whose writer cannot be told (another machine's, or an older build's
// ".corvanta-XXXXXX"); one whose process on this machine still runs, or is gone.
Writer writerOf(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix))
        return Writer::NotOurs;
    name.remove_prefix(kTemporaryPrefix.size());
    if (isRandomPart(name))
        return Writer::Unknown;
    const std::size_t first = name.find('-');
    const std::size_t last = name.rfind('-');
    if (first == 0 || first == std::string_view::npos || last <= first + 1 ||
        !isRandomPart(name.substr(last + 1)))
        return Writer::NotOurs;
    const std::string_view digits = name.substr(0, first);
    if (digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return Writer::NotOurs;
    const pid_t process = std::stoi(std::string(digits));
    if (process <= 0)
        return Writer::NotOurs;
    if (name.substr(first + 1, last - first - 1) != machineName())
        return Writer::Unknown;
    return ::kill(process, 0) == 0 || errno != ESRCH ? Writer::Running : Writer::Gone;
}

// Removes the program's own temporary files of the folder that a writer left behind: those
// whose process is gone, and any over an hour old. Only regular files of this user.
void removeLeftovers(const QByteArray& folder) {
    DIR* const dir = ::opendir(folder.constData());
    if (dir == nullptr)
        return;  // the write itself says why the folder cannot be used
    const std::unique_ptr<DIR, int (*)(DIR*)> closing(dir, ::closedir);
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const Writer writer = writerOf(entry->d_name);
        if (writer == Writer::NotOurs)
            continue;
        struct stat file {};
        if (::fstatat(::dirfd(dir), entry->d_name, &file, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(file.st_mode) || file.st_uid != ::geteuid())
            continue;
        // A leftover that cannot be removed (a folder shared read-only) harms nothing.
        if (writer == Writer::Gone || now - file.st_mtime > kAbandonedAfterSeconds)
            static_cast<void>(::unlinkat(::dirfd(dir), entry->d_name, 0));
    }
}

// The open temporary file: removed, unless renamed into place, when it goes. Its name says
// which process of which machine writes it.
class Temporary {
  public:
    explicit Temporary(const QByteArray& folder)
        : name_(folder + '/' + kTemporaryPrefix.data() + QByteArray::number(::getpid()) + '-' +
                machineName().c_str() + "-XXXXXX") {
        fd_ = ::mkostemp(name_.data(), O_CLOEXEC);
        created_ = fd_ >= 0;
    }
    ~Temporary() {
        if (fd_ >= 0)
            ::close(fd_);
        if (created_ && !placed_)
            ::unlink(name_.constData());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    bool opened() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    const char* name() const { return name_.constData(); }
    // Closes the file; false (errno set) when the close reports a failed write.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void placed() { placed_ = true; }

  private:
    QByteArray name_;
    int fd_ = -1;
    bool created_ = false;
    bool placed_ = false;
};

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// The rights of the file replaced, or those of any new file (a temporary file is
// readable by its owner only).
mode_t rightsFor(const QByteArray& target) {
    struct stat existing {};
    if (!target.isEmpty() && ::stat(target.constData(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A new temporary file of `folder` holding `bytes` on the disk, with `rights`; false (errno
// set) on any failure. Leftovers of gone writers are removed first.
bool writeTemporary(Temporary& temporary, const QByteArray& bytes, mode_t rights) {
    return temporary.opened() && writeAll(temporary.fd(), bytes) &&
           ::fchmod(temporary.fd(), rights) == 0 && ::fsync(temporary.fd()) == 0 &&
           temporary.close();
}

// Renames `from` as `to` unless something stands there: 0, or the errno of the failure
// (EEXIST when the name is taken).
int renameNoReplace(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without it (NFS): a hard link is refused as well where the name is taken.
    if (::link(from, to) != 0)
        return errno;
    // The new name is in place; a temporary name left behind goes with the next write.
    static_cast<void>(::unlink(from));
    return 0;
}

// Flushes the folder's entries, so that a file renamed into it outlives a power cut. Best
// effort: the file is in place and its bytes on the disk already, and some file systems
// cannot flush a folder (EINVAL).
void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    static_cast<void>(::fsync(fd));
    ::close(fd);
}

QByteArray folderOf(const QString& path) {
    return QFile::encodeName(QFileInfo(path).absolutePath());
}

[[noreturn]] void fail(OutputFailure cause, const char* source, const QString& path, int error) {
    throw OutputError(cause, source, path, error != 0 ? std::strerror(error) : std::string());
}

[[noreturn]] void failed(const char* source, const QString& path) {
    const int error = errno;
    fail(causeOfErrno(error), source, path, error);
}

void checkName(const QString& path, const char* source) {
    if (QFileInfo(path).fileName().toUtf8().size() > kMaxFileNameBytes)
        fail(OutputFailure::NameTooLong, source, path, 0);
}

}  // namespace

OutputError::OutputError(OutputFailure cause, std::string source, QString path,
                         std::string engineText)
    : Error(numberOf(cause), std::move(source),
            (path.isEmpty() ? std::string("The output cannot be written: ")
                            : "The file " + path.toStdString() + " cannot be written: ") +
                englishOf(cause) + (engineText.empty() ? "." : " (" + engineText + ").")),
      cause_(cause),
      path_(std::move(path)),
      engineText_(std::move(engineText)) {
    struct stat standing {};
    olderFileKept_ =
        !path_.isEmpty() && ::lstat(QFile::encodeName(path_).constData(), &standing) == 0;
}

QString fitFileName(const QString& shortenable, const QString& kept) {
    const qsizetype room = kMaxFileNameBytes - kept.toUtf8().size();
    if (shortenable.toUtf8().size() <= room)
        return shortenable + kept;
    qsizetype cut = 0;
    qsizetype bytes = 0;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, shortenable);
    for (qsizetype at = characters.toNextBoundary(); at > 0; at = characters.toNextBoundary()) {
        bytes += shortenable.mid(cut, at - cut).toUtf8().size();
        if (bytes > room)
            break;
        cut = at;
    }
    QString name = shortenable.left(cut);
    while (name.endsWith(u' '))
        name.chop(1);
    return name + kept;
}

void writeFileWhole(const QString& path, const QByteArray& bytes, const char* source) {
    const QByteArray target = QFile::encodeName(path);
    struct stat standing {};
    if (::lstat(target.constData(), &standing) == 0 && S_ISLNK(standing.st_mode))
        fail(OutputFailure::Link, source, path, 0);
    checkName(path, source);
    const QByteArray folder = folderOf(path);
    removeLeftovers(folder);
    Temporary temporary(folder);
    if (!writeTemporary(temporary, bytes, rightsFor(target)))
        failed(source, path);
    // A link planted while the bytes were written is replaced, never written through.
    if (::rename(temporary.name(), target.constData()) != 0)
        failed(source, path);
    temporary.placed();
    syncFolder(folder);
}

QString writeNewFile(const std::function<QString(int)>& name, const QByteArray& bytes,
                     const char* source) {
    const QString first = name(1);
    const QByteArray folder = folderOf(first);
    removeLeftovers(folder);
    Temporary temporary(folder);
    if (!writeTemporary(temporary, bytes, rightsFor({})))
        failed(source, first);
    for (int number = 1; number <= kMostNumbers; ++number) {
        const QString path = number == 1 ? first : name(number);
        checkName(path, source);
        const int error = renameNoReplace(temporary.name(), QFile::encodeName(path).constData());
        if (error == 0) {
            temporary.placed();
            syncFolder(folder);
            return path;
        }
        if (error != EEXIST)
            fail(causeOfErrno(error), source, path, error);
    }
    fail(OutputFailure::WriteFailed, source, first, EEXIST);
}

}  // namespace corvanta::platform
