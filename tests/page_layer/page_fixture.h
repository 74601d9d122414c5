#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPointF>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "curve_library/quorel32.h"
#include "platform/recording_page.h"
#include "report/echogram_graph.h"

namespace corvanta::test {

using Kind = platform::PageOperation::Kind;

// The two zones every exam type starts with (7..15 mm at 68 %, 35..50 mm at 30 %), two
// unused, and two active ones past the fourth that pages never draw.
inline std::array<Zone_Sensible, 6> defaultZones() {
    std::array<Zone_Sensible, 6> zones{};
    zones[0] = Zone_Sensible{7, 15, 68, 0, 0, 0, 1};
    zones[1] = Zone_Sensible{35, 50, 30, 0, 0, 0, 1};
    zones[4] = Zone_Sensible{0, 80, 50, 0, 0, 0, 1};
    zones[5] = Zone_Sensible{0, 80, 50, 0, 0, 0, 1};
    return zones;
}

// The entries of `kind` that came with line width `pen`.
inline std::vector<platform::RecordingPage::Entry> drawnWith(const platform::RecordingPage& page,
                                                             Kind kind, int pen) {
    std::vector<platform::RecordingPage::Entry> found;
    for (const auto& entry : page.entries(kind)) {
        if (entry.after.lineWidth == pen) {
            found.push_back(entry);
        }
    }
    return found;
}

// The texts printed, in order.
inline std::vector<QString> printed(const platform::RecordingPage& page) {
    std::vector<QString> texts;
    for (const auto& entry : page.entries()) {
        if (entry.operation.kind == Kind::PrintLine || entry.operation.kind == Kind::PrintOnLine) {
            texts.push_back(entry.operation.text);
        }
    }
    return texts;
}

constexpr double kPointsPerMillimetre = 72 / 25.4;

// Words of a PDF's first page with their top left corner, in millimetres from the sheet's
// corner, as pdftotext reads them.
inline std::multimap<QString, QPointF> wordsOf(const QString& pdf) {
    QProcess tool;
    tool.start("pdftotext", {"-bbox", pdf, "-"});
    EXPECT_TRUE(tool.waitForFinished(20000)) << "pdftotext";
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
    std::multimap<QString, QPointF> words;
    for (auto it = word.globalMatch(QString::fromUtf8(tool.readAllStandardOutput()));
         it.hasNext();) {
        const auto m = it.next();
        words.emplace(m.captured(3), QPointF(m.captured(1).toDouble() / kPointsPerMillimetre,
                                             m.captured(2).toDouble() / kPointsPerMillimetre));
    }
    return words;
}

// The pixel a millimetre position falls on at 96 dots per inch (the export canvas).
inline int px(double millimetres) {
    return static_cast<int>(std::floor(millimetres * 96 / 25.4 + 0.5));
}

// The columns (or rows) from `from` to `to` whose pixel on the given row (column) is black.
inline std::set<int> blackAlongRow(const QImage& image, int row, int from, int to) {
    std::set<int> found;
    for (int x = from; x <= to; ++x) {
        if (image.pixel(x, row) == qRgb(0, 0, 0))
            found.insert(x);
    }
    return found;
}

inline std::set<int> blackAlongColumn(const QImage& image, int column, int from, int to) {
    std::set<int> found;
    for (int y = from; y <= to; ++y) {
        if (image.pixel(column, y) == qRgb(0, 0, 0))
            found.insert(y);
    }
    return found;
}

}  // namespace corvanta::test
