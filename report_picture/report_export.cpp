#include "report_picture/report_export.h"

#include <QDir>
#include <QFileInfo>

#include "report_picture/canvas_page.h"

namespace corvanta::report {

namespace {

QString normalFolder(const QString& folder) {
    const QFileInfo info(QDir::cleanPath(QDir(folder).absolutePath()));
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? info.absoluteFilePath() : resolved;
}

void dropTrailingSeparator(QString& folder) {
    if (folder.size() > 1 && folder.endsWith(u'/')) {
        folder.chop(1);
    }
}

}  // namespace

bool isProgramFolder(const QString& exportFolder, const QString& programFolder) {
    return !exportFolder.trimmed().isEmpty() &&
           normalFolder(exportFolder) == normalFolder(programFolder);
}

std::optional<PictureFormat> formatOfIndex(int index) {
    switch (index) {
        case 0:
            return PictureFormat::Jpeg;
        case 1:
            return PictureFormat::Bmp;
        default:
            return std::nullopt;
    }
}

ExportOutcome exportPicture(const ExamReportInput& input, PictureDrawer draw, QString& exportFolder,
                            const QString& programFolder, int formatIndex,
                            const PictureOutlet& outlet) {
    using Kind = ExportOutcome::Kind;
    if (exportFolder.trimmed().isEmpty()) {
        return {Kind::NoFolder, {}};
    }
    if (isProgramFolder(exportFolder, programFolder)) {
        return {Kind::ProgramFolder, {}};
    }
    CanvasPage canvas;
    draw(input, canvas);
    const QImage& picture = canvas.image();
    outlet.clipboard(picture);
    dropTrailingSeparator(exportFolder);
    const std::optional<PictureFormat> format = formatOfIndex(formatIndex);
    if (!format) {
        return {Kind::ClipboardOnly, {}};
    }
    const QString file =
        examFile(exportFolder, input.row, pictureExtension(*format), input.fileNameShared);
    outlet.writer(picture, file, *format);
    return {Kind::Written, file};
}

}  // namespace corvanta::report
