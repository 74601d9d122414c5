#pragma once

#include <QString>
#include <cstdint>

namespace corvanta::tools {

struct BigDatabaseSize {
    int patients = 100000;
    int curvesPerPatient = 5;  // one exam type holds two of them, the right and left echograms
    int examsPerPatient = 1;
    // Names as a practice's files hold them (tens of thousands of distinct surnames,
    // accented and hyphenated; see realistic_names.h) instead of a few dozen.
    bool realisticNames = false;
    // Another seed gives other patients, curves and exams with the same keys.
    std::uint64_t seed = 0x9E3779B97F4A7C15ULL;
};

// Writes at `path` a copy of the fresh database `fresh` filled with plausible patients,
// curves and exams (spread over the five exam types), in one transaction; the file
// appears only once complete. Values are the same at every run. Throws corvanta::Error.
void makeBigDatabase(const QString& fresh, const QString& path, const BigDatabaseSize& size = {});

// The fresh database the build made, <build>/data/Sinus.mdb beside the running program's
// bin/ folder.
QString builtDatabase();

// The benchmarks' large database of `patients` patients (five curves and one exam each),
// with realistic names when asked: for the default size and names the file named by
// CORVANTA_BIG_DATABASE when set. Otherwise Sinus-large.mdb (another size:
// Sinus-large-<patients>.mdb; realistic names: -realistic before .mdb) in the folder named
// by CORVANTA_BIG_DATABASES when set, else in <build>/data beside the running benchmark's
// bin/ folder; made from the built Sinus.mdb at the first call of the first run and kept
// for later runs.
QString benchmarkDatabase(int patients = BigDatabaseSize{}.patients, bool realisticNames = false);

}  // namespace corvanta::tools
