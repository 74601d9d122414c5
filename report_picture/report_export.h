#pragma once

#include <QImage>
#include <QString>
#include <functional>

#include "platform/page.h"
#include "report/exam_report.h"
#include "report/picture_files.h"

namespace corvanta::report {

// True when the export folder is the program folder: both taken as absolute paths (a
// relative one from the working folder), cleaned of "." and ".." and of a trailing
// separator, and resolved through links where they exist; no folder at all is not the
// program folder. Pictures never go into the program folder: the exam windows disable
// their export button when this holds at set-up, and the export refuses then.
bool isProgramFolder(const QString& exportFolder, const QString& programFolder);

// The picture format chosen in the main window's format list, as the main window reads
// it (a typed text is no choice, -1): 0 JPEG, 1 BMP; any other index writes no file.
std::optional<PictureFormat> formatOfIndex(int index);

// Where the picture goes; both are replaced in tests.
struct PictureOutlet {
    std::function<void(const QImage&)> clipboard = putPictureOnClipboard;
    std::function<void(const QImage&, const QString&, PictureFormat)> writer = writePicture;
};

using PictureDrawer = void (*)(const ExamReportInput&, platform::Page&);

struct ExportOutcome {
    enum class Kind {
        Written,        // the picture is on the clipboard and in `file`
        ClipboardOnly,  // no format chosen: on the clipboard, no file written
        NoFolder,       // no export folder: nothing drawn or written
        ProgramFolder,  // the export folder is the program folder: nothing drawn or written
    };
    Kind kind;
    QString file;
};

// Exports the report picture of an exam: the folder checks above; `draw` on a fresh
// export canvas; the picture put on the clipboard; a trailing separator removed from
// `exportFolder` (the program keeps the shortened folder); the picture written into that
// folder as examFile(), replacing a file of the same name. A failed clipboard or write is
// a platform::OutputError (no new file, the older one whole).
ExportOutcome exportPicture(const ExamReportInput& input, PictureDrawer draw, QString& exportFolder,
                            const QString& programFolder, int formatIndex,
                            const PictureOutlet& outlet = {});

}  // namespace corvanta::report
