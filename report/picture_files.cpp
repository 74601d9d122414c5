#include "report/picture_files.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>

#include "platform/safe_file.h"

namespace corvanta::report {

namespace {

using platform::OutputError;
using platform::OutputFailure;

constexpr int kJpegQuality = 90;
const char* const kSource = "Export";

QClipboard& clipboard() {
    QClipboard* board = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                            ? QGuiApplication::clipboard()
                            : nullptr;
    if (board == nullptr) {
        throw OutputError(OutputFailure::Clipboard, kSource, {}, {});
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

QString fileName(const QString& name, const QString& kept) {
    return platform::fitFileName(safeFileName(name), safeFileName(kept));
}

QString fileInFolder(const QString& folder, const QString& name, const QString& kept) {
    if (folder.trimmed().isEmpty()) {
        throw OutputError(OutputFailure::NoFolder, kSource, {}, {});
    }
    const QString safe = fileName(name, kept);
    const QDir dir(folder);
    const QString path = dir.absoluteFilePath(safe);
    const QFileInfo file(path);
    if (safe.isEmpty() || safe == u"." || safe == u".." ||
        QDir::cleanPath(file.absolutePath()) != QDir::cleanPath(dir.absolutePath())) {
        throw OutputError(OutputFailure::BadName, kSource, dir.filePath(name + kept), {});
    }
    return path;
}

void writePicture(const QImage& picture, const QString& path, PictureFormat format) {
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, format == PictureFormat::Jpeg ? "jpeg" : "bmp");
    if (format == PictureFormat::Jpeg) {
        writer.setQuality(kJpegQuality);
    }
    if (!writer.write(picture)) {
        throw OutputError(OutputFailure::WriteFailed, kSource, path,
                          writer.errorString().toStdString());
    }
    platform::writeFileWhole(path, encoded.data(), kSource);
}

void putPictureOnClipboard(const QImage& picture) {
    QClipboard& board = clipboard();
    board.clear();
    board.setImage(picture);
    if (board.image().size() != picture.size()) {
        throw OutputError(OutputFailure::Clipboard, kSource, {}, {});
    }
}

QImage pictureOnClipboard() {
    QImage picture = clipboard().image();
    if (picture.isNull()) {
        throw OutputError(OutputFailure::Clipboard, kSource, {}, "the clipboard holds no picture");
    }
    return picture;
}

}  // namespace corvanta::report
