#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace corvanta::tools {

// One interface text of the `Langues` table.
struct InterfaceText {
    int form = 0;
    int label = 0;
    QString francais;
    QString anglais;
};

// Reads the texts file: a header line "Form<TAB>Label<TAB>Francais<TAB>Anglais", then one
// text per line with four tab-separated fields; empty lines and lines starting with '#'
// are comments. Inside a text "\t" is a tab, "\n" a line break (stored as CR LF) and
// "\\" a backslash; any other backslash is an error. Form lies in 0..10, Label in
// 0..200, and a (form, label) pair appears once. Throws corvanta::Error whose
// description starts with "<fileName>:<line>:" for the first malformed line.
std::vector<InterfaceText> parseInterfaceTexts(const QByteArray& content, const QString& fileName);

// Writes a fresh database at `path` from the schema script and the texts. The file is
// built under a temporary name in the same folder and renamed over `path` only once it
// is complete, so `path` is never left half-written. Throws corvanta::Error.
void makeDatabase(const QString& path, const QString& schemaSql,
                  const std::vector<InterfaceText>& texts);

// Runs `build` on a new file under a temporary name in the folder of `path`, then renames
// it over `path`; on any failure the temporary file goes and `path` is left as it was.
void writeAtomically(const QString& path,
                     const std::function<void(const QString& building)>& build);

}  // namespace corvanta::tools
