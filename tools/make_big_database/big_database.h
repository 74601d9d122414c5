#pragma once

#include <QString>

namespace corvanta::tools {

struct BigDatabaseSize {
    int patients = 100000;
    int curvesPerPatient = 5;  // one exam type holds two of them, the right and left echograms
    int examsPerPatient = 1;
};

// Writes at `path` a copy of the fresh database `fresh` filled with plausible patients,
// curves and exams (spread over the five exam types), in one transaction; the file
// appears only once complete. Values are the same at every run. Throws corvanta::Error.
void makeBigDatabase(const QString& fresh, const QString& path, const BigDatabaseSize& size = {});

}  // namespace corvanta::tools
