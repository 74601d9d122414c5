#include "platform/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTextBoundaryFinder>
#include <cerrno>
#include <cstring>

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

// The open temporary file: removed, unless renamed into place, when it goes.
class Temporary {
  public:
    explicit Temporary(const QString& folder)
        : name_(QFile::encodeName(folder + QStringLiteral("/.corvanta-XXXXXX"))) {
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
    if (::stat(target.constData(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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
      engineText_(std::move(engineText)) {}

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
    const auto fail = [&](OutputFailure cause, int error) {
        throw OutputError(cause, source, path, error != 0 ? std::strerror(error) : std::string());
    };
    const QByteArray target = QFile::encodeName(path);
    struct stat standing {};
    if (::lstat(target.constData(), &standing) == 0 && S_ISLNK(standing.st_mode))
        fail(OutputFailure::Link, 0);
    if (QFileInfo(path).fileName().toUtf8().size() > kMaxFileNameBytes)
        fail(OutputFailure::NameTooLong, 0);

    const auto failed = [&] {
        const int error = errno;
        fail(causeOfErrno(error), error);
    };
    Temporary temporary(QFileInfo(path).absolutePath());
    if (!temporary.opened())
        failed();
    if (!writeAll(temporary.fd(), bytes) || ::fchmod(temporary.fd(), rightsFor(target)) != 0 ||
        ::fsync(temporary.fd()) != 0 || !temporary.close())
        failed();
    // A link planted while the bytes were written is replaced, never written through.
    if (::rename(temporary.name(), target.constData()) != 0)
        failed();
    temporary.placed();
}

}  // namespace corvanta::platform
