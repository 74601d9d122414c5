#pragma once

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/libelle.h"
#include "curve_library/quorel32.h"
#include "platform/page.h"

namespace corvanta::report {

// The pages the main window prints: the live view, or the stored curve selected in its list.
// Any other mode prints the title, the graph, the patient and the settings only.
inline constexpr int kCurvePageAcquisition = 0;
inline constexpr int kCurvePageStoredCurve = 1;

// The height of the box a zone pin is kept in, in twips: the pin's needle lands just above
// and to the right of its peak.
inline constexpr double kPinBoxTwips = 435;

struct CurvePagePatient {
    QString surname;
    QString givenName;
    // Absent when Null; an empty number prints no line either.
    std::optional<QString> socialSecurityNumber;
    // Absent when Null; an empty date still prints its line.
    std::optional<QString> birthDate;
};

// A curve of 400 samples (0..255, larger is a stronger echo).
using CurvePageSamples = std::array<std::uint8_t, 400>;

struct CurvePageComparison {
    CurvePageSamples samples{};
    QColor colour;
};

// One stored curve of the patient that sits in a comparison slot.
struct CurvePageLegendEntry {
    QColor colour;
    QString date;
    std::optional<QString> comment;
};

// Everything the curve page needs of the program, as plain values.
struct CurvePageInput {
    int mode = kCurvePageAcquisition;
    const Libelles* texts = nullptr;
    // The device's commissioning date, printed under the title.
    QString commissioningDate;
    // Zones 0..3 of the current exam type: grey bands and threshold lines.
    std::array<Zone_Sensible, 4> zones{};
    // The sample count of the acquisition: every curve stops there.
    int pointCount = 400;
    // Positions 0..5 of the moving-average and low-pass sliders.
    int averageSlider = 0;
    int lowPassSlider = 0;
    // The current patient; no patient block without one.
    std::optional<CurvePagePatient> patient;

    // The acquisition page: the live filtered curve, the comparison curves shown beside it
    // in slot order, the peaks of the live view's last drawing (a pin for each active zone
    // with a peak), the four pins, the moment printed, the colour of the comment lines and
    // the patient's curves that sit in a slot.
    CurvePageSamples liveCurve{};
    std::vector<CurvePageComparison> comparisons;
    std::array<Zone_Sensible, 4> peaks{};
    std::array<QImage, 4> pins;
    QDateTime printedAt;
    QColor legendTextColour = Qt::black;
    std::vector<CurvePageLegendEntry> legend;

    // The stored-curve page: the curve's raw samples (empty when it holds none), its date
    // and comment.
    QByteArray storedCurve;
    QString storedDate;
    std::optional<QString> storedComment;

    const QString& text(int number) const;
};

// Draws the whole page, in twips whatever unit the page was left in; the document is left
// open. Texts are Arial (Liberation Sans); comments break at CR LF, CR and LF alike and
// are cut to the lines that leave the blocks under them on the page (the last one kept
// ending with "…"); a text wider than the page's right margin is cut there with "…".
void drawCurvePage(platform::Page& page, const CurvePageInput& input);

// The PDF written in `folder` where there is no printer:
// "Courbe <surname> <given name> <yyyyMMdd-HHmmss>.pdf", or "Courbe <stamp>.pdf" without a
// patient, made safe and shortened as fileInFolder() does (the stamp kept whole). A
// `number` above 1 follows the stamp ("…-090503-2.pdf"): the name of a page printed in a
// second whose name is taken.
QString curvePageFile(const QString& folder, const std::optional<CurvePagePatient>& patient,
                      const QDateTime& at, int number = 1);

// Prints the page on the printer openPrinter() gives, or, without one, as a new PDF in
// `exportFolder` that never replaces a file: the first free name curvePageFile() numbers.
// Returns that PDF's path, empty when the page went to a printer. A failure is a
// corvanta::Error and leaves no document behind.
QString printCurvePage(const CurvePageInput& input, const QString& exportFolder);

}  // namespace corvanta::report
