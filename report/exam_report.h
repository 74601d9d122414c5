#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/libelle.h"
#include "app/quorel_binding.h"
#include "curve_library/quorel32.h"
#include "platform/value.h"

namespace corvanta {
struct Etat_Application;
}

namespace corvanta::report {

// The columns of the exam a report shows, read once, by the exam's key, when the report
// starts: the exam's own columns, its patient's and its two curves' as the exam query
// names them (`Courbes_Droites.DATE`). Names compare without regard to case. Reading a
// column the row does not hold is Error 3265, as a recordset would report it.
class ExamRow {
  public:
    void set(const QString& column, const platform::Value& value);
    bool has(const QString& column) const;

    const platform::Value& value(const QString& column) const;
    // Null reads as an empty text.
    QString text(const QString& column) const;
    // Absent when Null.
    std::optional<QString> optionalText(const QString& column) const;
    // A check box counts as ticked only when it holds 1 (Null and any other value do not).
    bool ticked(const QString& column) const;
    // A list or option index; absent when Null or not a whole number.
    std::optional<std::int64_t> choice(const QString& column) const;
    // A stored curve; absent when Null.
    std::optional<QByteArray> curve(const QString& column) const;

  private:
    QHash<QString, platform::Value> values_;
};

// "<surname> <given name> <number>" of the exam's row: the picture's title and the name of
// its files.
QString examTitle(const ExamRow& row);

// The file of an exam's report in `folder`: "<Nom_Patient> <Prenom_Patient> <number>" and
// `extension`, the number as the exam window shows it, made safe; the names shortened
// where the whole would not fit the file system (fileInFolder()). `withKey` adds the exam's
// own key, " #<Code_Examen>", to the part never cut: for an exam whose plain name another
// exam of the database would take too (ExamReportInput::fileNameShared).
QString examFile(const QString& folder, const ExamRow& row, const QString& extension,
                 bool withKey = false);

// The name of that file (without its folder) for an exam of the given patient's names, number
// and key, as it is written: forbidden characters replaced, shortened to fit. An empty `key`
// gives the plain name. Two exams whose names are equal here would share a file.
QString examFileName(const QString& surname, const QString& givenName, const QString& number,
                     const QString& key, const QString& extension);
// The part of examFileName() that holds the names, as written (shortened, made safe).
QString examFileNames(const QString& surname, const QString& givenName, const QString& number,
                      const QString& extension);

// The letterhead of the current doctor.
struct DoctorDetails {
    QString name;
    QString address1;
    QString address2;
    QString telephone;
    QString fax;
    QString registration;
};

// The letterhead of the program's current doctor. A slot outside 1..3 (a damaged
// setting) is taken as slot 1 rather than read outside the doctors' tables.
DoctorDetails currentDoctor(const Etat_Application& etat);

// Everything an exam report needs of the program, as plain values: report code never
// reaches into a window or a recordset.
struct ExamReportInput {
    ExamRow row;
    // The main window's current exam type when the report starts (titles and zones follow
    // it, whatever the row's own `Code_Type`).
    int examType = 0;
    // Zones 0..3 of that type.
    std::array<Zone_Sensible, 4> zones{};
    // The sample count the window filters with (50, 100, 200 or 400): curves stop there.
    int pointCount = 400;
    // The device's commissioning date as typed, 8 characters at least.
    QString commissioningDate;
    DoctorDetails doctor;
    const Libelles* texts = nullptr;
    // Another exam of the database would be written under the same file name (names and
    // number as written): the report's files carry this exam's key, so that neither
    // replaces the other.
    bool fileNameShared = false;
    // The curve library's filter with the main window's current settings and the count
    // above: the filtered samples of a raw stored curve (pointCount of them at most).
    std::function<std::vector<std::uint8_t>(const QByteArray& raw)> filter;

    const QString& text(int form, int number) const;
};

// A report filter over the curve library's smoothing filter with the given settings: the
// raw curve (400 samples; a shorter one is completed with zeros, a longer one cut) gives
// its first `count` filtered samples (count kept within 0..400). Only the curve's own
// samples go in: nothing of an earlier curve comes out.
std::function<std::vector<std::uint8_t>(const QByteArray& raw)> libraryFilter(
    quorel::LibraryBinding& library, int average, int lowPass, int count);

}  // namespace corvanta::report
