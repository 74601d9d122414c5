#pragma once

#include <QImage>
#include <QString>

namespace corvanta::report {

enum class PictureFormat { Jpeg, Bmp };

// ".jpg" or ".bmp".
QString pictureExtension(PictureFormat format);

// A name made fit to be one file name: path separators, control characters and
// : * ? " < > | become "_".
QString safeFileName(const QString& name);

// `name` followed by `kept`, both made safe, `name` shortened so that the whole fits the
// file system (platform::fitFileName): a file's name as it is written.
QString fileName(const QString& name, const QString& kept);

// The file `name` followed by `kept` (both made safe) inside `folder`, `name` shortened so
// that the file name fits the file system (platform::fitFileName: `kept`, the number and
// extension, stays whole). A platform::OutputError when the folder is empty (NoFolder) or
// the name would lead out of it (BadName).
QString fileInFolder(const QString& folder, const QString& name, const QString& kept = {});

// Writes the picture as JPEG (quality 90) or BMP (24 bits from an RGB32 picture): encoded in
// memory, then written by platform::writeFileWhole (whole or not at all, never through a
// link, the older file kept on any failure). A failure is a platform::OutputError.
void writePicture(const QImage& picture, const QString& path, PictureFormat format);

// Empties the clipboard and puts the picture on it; a platform::OutputError (Clipboard, 521)
// when the clipboard does not take it.
void putPictureOnClipboard(const QImage& picture);
// The picture the clipboard holds; the same error when it holds none.
QImage pictureOnClipboard();

}  // namespace corvanta::report
