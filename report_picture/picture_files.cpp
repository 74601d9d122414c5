#include "report_picture/picture_files.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

#include "platform/error.h"

namespace corvanta::report {

namespace {

constexpr int kPathNotFound = 76;
constexpr int kFileAccess = 75;
constexpr int kClipboard = 521;
constexpr int kJpegQuality = 90;
const char* const kSource = "Export";

[[noreturn]] void fail(int number, const QString& description) {
    throw Error(number, kSource, description.toStdString());
}

QClipboard& clipboard() {
    QClipboard* board = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                            ? QGuiApplication::clipboard()
                            : nullptr;
    if (board == nullptr) {
        fail(kClipboard, QStringLiteral("The clipboard cannot be opened."));
    }
    return *board;
}

}  // namespace

QString pictureExtension(PictureFormat format) {
    return format == PictureFormat::Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".bmp");
}

QString safeFileName(const QString& name) {
    static const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
    QString safe = name;
    for (QChar& c : safe) {
        if (c.category() == QChar::Other_Control || kForbidden.contains(c)) {
            c = u'_';
        }
    }
    return safe;
}

QString fileInFolder(const QString& folder, const QString& name) {
    if (folder.trimmed().isEmpty()) {
        fail(kPathNotFound, QStringLiteral("No export folder is chosen."));
    }
    const QString safe = safeFileName(name);
    const QDir dir(folder);
    const QString path = dir.absoluteFilePath(safe);
    const QFileInfo file(path);
    if (safe.isEmpty() || safe == u"." || safe == u".." ||
        QDir::cleanPath(file.absolutePath()) != QDir::cleanPath(dir.absolutePath())) {
        fail(kPathNotFound,
             QStringLiteral("The name \"%1\" cannot be used in folder %2.").arg(name, folder));
    }
    return path;
}

void writePicture(const QImage& picture, const QString& path, PictureFormat format) {
    const auto writeFailed = [&path](const QString& reason) {
        fail(kFileAccess, QStringLiteral("The picture %1 cannot be written: %2").arg(path, reason));
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        writeFailed(file.errorString());
    }
    QImageWriter writer(&file, format == PictureFormat::Jpeg ? "jpeg" : "bmp");
    if (format == PictureFormat::Jpeg) {
        writer.setQuality(kJpegQuality);
    }
    if (!writer.write(picture)) {
        file.cancelWriting();
        writeFailed(writer.errorString());
    }
    if (!file.commit()) {
        writeFailed(file.errorString());
    }
}

void putPictureOnClipboard(const QImage& picture) {
    QClipboard& board = clipboard();
    board.clear();
    board.setImage(picture);
    if (board.image().size() != picture.size()) {
        fail(kClipboard, QStringLiteral("The clipboard does not take the picture."));
    }
}

QImage pictureOnClipboard() {
    QImage picture = clipboard().image();
    if (picture.isNull()) {
        fail(kClipboard, QStringLiteral("The clipboard holds no picture."));
    }
    return picture;
}

}  // namespace corvanta::report
