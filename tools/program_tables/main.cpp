// program_tables SINUS.mdb OBJECTS.inc TEXTS.inc FORM FIRST LAST
//
// Writes, as C++ initialisers, the tables and views of a fresh database with their columns
// (OBJECTS.inc: the Database::RequiredObject entries the start-up checks), and the interface
// texts FIRST to LAST of form FORM (TEXTS.inc: the texts the program needs before it can read
// its database's own).
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "program_tables: %s\n", message.c_str());
    std::exit(1);
}

// A C++ string literal holding `text` byte for byte: octal escapes never run into the next
// character.
std::string literal(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\' || c < 0x20 || c >= 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + '"';
}

class Query {
  public:
    Query(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            fail(sqlite3_errmsg(db));
    }
    ~Query() { sqlite3_finalize(stmt_); }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;
    void bind(int index, const std::string& text) {
        sqlite3_bind_text(stmt_, index, text.c_str(), -1, SQLITE_TRANSIENT);
    }
    void bind(int index, int number) { sqlite3_bind_int(stmt_, index, number); }
    bool step() {
        const int rc = sqlite3_step(stmt_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            fail(sqlite3_errmsg(db_));
        return rc == SQLITE_ROW;
    }
    std::string text(int column) const {
        const auto* value = sqlite3_column_text(stmt_, column);
        return value == nullptr ? std::string() : reinterpret_cast<const char*>(value);
    }
    int number(int column) const { return sqlite3_column_int(stmt_, column); }

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

std::string objects(sqlite3* db) {
    std::ostringstream columns;
    std::ostringstream entries;
    Query list(db,
               "SELECT type, name, sql FROM sqlite_schema WHERE type IN ('table', 'view') AND name "
               "NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY type = 'view', rowid");
    for (int i = 0; list.step(); ++i) {
        const std::string name = list.text(1);
        Query info(db, "SELECT name FROM pragma_table_info(?)");
        info.bind(1, name);
        columns << "inline constexpr const char* kColumns" << i << "[] = {";
        while (info.step())
            columns << "\n    " << literal(info.text(0)) << ',';
        columns << "\n};\n";
        entries << "    {" << (list.text(0) == "view" ? "true" : "false") << ", " << literal(name)
                << ",\n     " << literal(list.text(2)) << ",\n     kColumns" << i << "},\n";
    }
    return "// Made at build time from the fresh database; do not edit.\n" + columns.str() +
           "inline constexpr corvanta::platform::Database::RequiredObject kRequiredObjects[] = "
           "{\n" +
           entries.str() + "};\n";
}

std::string texts(sqlite3* db, int form, int first, int last) {
    std::ostringstream out;
    out << "// Made at build time from the fresh database; do not edit.\n"
           "// {form, text number, French, English}\n";
    Query list(db,
               "SELECT Label, Francais, Anglais FROM Langues WHERE Form = ? AND Label BETWEEN ? "
               "AND ? ORDER BY Label");
    list.bind(1, form);
    list.bind(2, first);
    list.bind(3, last);
    while (list.step()) {
        out << "{" << form << ", " << list.number(0) << ", " << literal(list.text(1)) << ", "
            << literal(list.text(2)) << "},\n";
    }
    return out.str();
}

void write(const char* path, const std::string& content) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    file.close();
    if (!file)
        fail(std::string("cannot write ") + path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr,
                     "usage: program_tables SINUS.mdb OBJECTS.inc TEXTS.inc FORM FIRST LAST\n");
        return 2;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        fail(std::string("cannot open ") + argv[1]);
    write(argv[2], objects(db));
    write(argv[3], texts(db, std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6])));
    sqlite3_close(db);
    return 0;
}
