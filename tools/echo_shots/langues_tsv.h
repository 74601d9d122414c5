#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace corvanta {

class Libelles;

// One text of the interface-text file: form, text number, French and English.
struct LangueRow {
    int line = 0;
    int form = 0;
    int label = 0;
    QString francais;
    QString anglais;
};

struct LanguesFile {
    std::vector<LangueRow> rows;
    QStringList errors;  // "line N: what is wrong"; empty when the file is well-formed
};

// Reads the interface-text file: a header "Form<TAB>Label<TAB>Francais<TAB>Anglais", then one
// text per line; empty lines and lines starting with "#" are comments. Inside a text "\t" is
// a tab, "\n" a line break (given as CR LF) and "\\" a backslash; any other escape is an error.
LanguesFile readLanguesFile(const QString& path);

// Puts the texts of one language ("Francais" or "English") into `libelle`.
void fillLibelles(const LanguesFile& file, const QString& language, Libelles& libelle);

}  // namespace corvanta
