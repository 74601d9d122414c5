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

// The file `name` (made safe) inside `folder`. A corvanta::Error (number 76) when the folder
// is empty or the name would lead out of it.
QString fileInFolder(const QString& folder, const QString& name);

// Writes the picture as JPEG (quality 90) or BMP (24 bits from an RGB32 picture). The file
// is written whole or not at all, and replaces a file of the same name. A failure is a
// corvanta::Error (number 75) naming the file and the reason.
void writePicture(const QImage& picture, const QString& path, PictureFormat format);

// Empties the clipboard and puts the picture on it; corvanta::Error 521 when the clipboard
// does not take it.
void putPictureOnClipboard(const QImage& picture);
// The picture the clipboard holds; corvanta::Error 521 when it holds none.
QImage pictureOnClipboard();

}  // namespace corvanta::report
