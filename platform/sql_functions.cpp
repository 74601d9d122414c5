#include "platform/sql_functions.h"

#include <sqlite3.h>

#include <QList>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/utf8.h"

namespace corvanta::platform {
namespace {

// ---- FRENCH collation ---------------------------------------------------------------

// Base letters of U+00C0..U+017F; '*' marks the two-letter ligatures handled apart,
// '.' a character that keeps itself.
constexpr char kLatinBase[] =
    "aaaaaa*ceeeeiiiidnooooo.ouuuuy.*"  // C0..DF
    "aaaaaa*ceeeeiiiidnooooo.ouuuuy.y"  // E0..FF
    "aaaaaa"
    "cccccccc"
    "dddd"
    "eeeeeeeeee"
    "gggggggg"
    "hhhh"
    "iiiiiiiiii"
    "**"
    "jj"  // ..135
    "kkk"
    "llllllllll"
    "nnnnnnnnn"
    "oooooo"
    "**"
    "rrrrrr"
    "ssssssss"
    "tttttt"  // ..167
    "uuuuuuuuuuuu"
    "ww"
    "yyy"
    "zzzzzz"
    "s";  // 168..17F
static_assert(sizeof(kLatinBase) - 1 == 0x180 - 0xC0);

// Decodes one code point; malformed bytes read as themselves.
char32_t nextCodePoint(const unsigned char*& p, const unsigned char* end) {
    const unsigned char c = *p++;
    if (c < 0x80)
        return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = c & (0x3F >> extra);
    if (extra == 0)
        return c;
    for (; extra > 0; --extra) {
        if (p == end || (*p & 0xC0) != 0x80)
            return c;
        cp = (cp << 6) | (*p++ & 0x3F);
    }
    return cp;
}

// Folds one code point into at most two comparison units.
int foldCodePoint(char32_t cp, char32_t out[2]) {
    if (cp < 0x80) {
        out[0] = (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
        return 1;
    }
    if (cp >= 0xC0 && cp < 0x180) {
        const char base = kLatinBase[cp - 0xC0];
        if (base == '*') {
            if (cp == 0xDF) {
                out[0] = out[1] = 's';
            } else if (cp == 0x132 || cp == 0x133) {
                out[0] = 'i', out[1] = 'j';
            } else if (cp == 0x152 || cp == 0x153) {
                out[0] = 'o', out[1] = 'e';
            } else {
                out[0] = 'a', out[1] = 'e';
            }
            return 2;
        }
        if (base != '.') {
            out[0] = static_cast<char32_t>(base);
            return 1;
        }
    }
    out[0] = cp <= 0xFFFF ? QChar(static_cast<char16_t>(cp)).toCaseFolded().unicode() : cp;
    return 1;
}

class FoldedReader {
  public:
    explicit FoldedReader(std::string_view s)
        : p_(reinterpret_cast<const unsigned char*>(s.data())), end_(p_ + s.size()) {}
    bool next(char32_t& unit) {
        if (pos_ < count_) {
            unit = buffer_[pos_++];
            return true;
        }
        if (p_ == end_)
            return false;
        count_ = foldCodePoint(nextCodePoint(p_, end_), buffer_);
        pos_ = 1;
        unit = buffer_[0];
        return true;
    }

  private:
    const unsigned char* p_;
    const unsigned char* end_;
    char32_t buffer_[2]{};
    int count_ = 0;
    int pos_ = 0;
};

int frenchCollation(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return compareFrench(std::string_view(static_cast<const char*>(a), lengthA),
                         std::string_view(static_cast<const char*>(b), lengthB));
}

// ---- WILDCARD_MATCH ------------------------------------------------------------------

struct Token {
    enum Kind { Star, Any, Digit, Literal, Class };
    explicit Token(Kind k, char32_t character = 0) : kind(k), c(character) {}
    Kind kind;
    char32_t c;
    bool negated = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;
};

char32_t foldForMatch(char32_t c) {
    return c <= 0xFFFF ? QChar(static_cast<char16_t>(c)).toCaseFolded().unicode() : c;
}

[[noreturn]] void invalidPattern() {
    throw Error(93, "Corvanta", "Invalid pattern string");
}

std::vector<Token> compilePattern(const QString& pattern) {
    const QList<uint> cps = pattern.toUcs4();
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < cps.size(); ++i) {
        const char32_t c = cps[i];
        if (c == '*') {
            if (tokens.empty() || tokens.back().kind != Token::Star)
                tokens.emplace_back(Token::Star);
        } else if (c == '?') {
            tokens.emplace_back(Token::Any);
        } else if (c == '#') {
            tokens.emplace_back(Token::Digit);
        } else if (c == '[') {
            qsizetype j = i + 1;
            Token t(Token::Class);
            if (j < cps.size() && cps[j] == '!')
                t.negated = true, ++j;
            const qsizetype first = j;
            while (j < cps.size() && cps[j] != ']')
                ++j;
            if (j == cps.size())
                invalidPattern();
            for (qsizetype k = first; k < j; ++k) {
                char32_t lo = foldForMatch(cps[k]);
                char32_t hi = lo;
                if (k + 2 < j && cps[k + 1] == '-') {
                    hi = foldForMatch(cps[k + 2]);
                    if (hi < lo)
                        invalidPattern();
                    k += 2;
                }
                t.ranges.emplace_back(lo, hi);
            }
            // "[]" stands for nothing at all; "[!]" for any one character.
            if (!t.ranges.empty() || t.negated)
                tokens.push_back(std::move(t));
            i = j;
        } else {
            tokens.emplace_back(Token::Literal, foldForMatch(c));
        }
    }
    return tokens;
}

bool matchesOne(const Token& t, char32_t c) {
    switch (t.kind) {
        case Token::Any:
            return true;
        case Token::Digit:
            return c >= '0' && c <= '9';
        case Token::Literal:
            return t.c == c;
        case Token::Class: {
            const bool in = std::any_of(t.ranges.begin(), t.ranges.end(), [c](const auto& r) {
                return c >= r.first && c <= r.second;
            });
            return in != t.negated;
        }
        case Token::Star:
            break;
    }
    return false;
}

// A text read one folded code point at a time from `pos`, which next() moves past it.
// Code points as QString::toUcs4 gives them.
struct Ucs4Text {
    const QList<uint>& units;
    bool next(std::size_t& pos, char32_t& c) const {
        if (pos >= static_cast<std::size_t>(units.size()))
            return false;
        c = foldForMatch(units[static_cast<qsizetype>(pos++)]);
        return true;
    }
    bool invalid() const { return false; }
};

// Stored UTF-8 read in place, as far as decodeUtf8 reads it: past that, invalid() turns
// true and the text must be read through a QString instead.
struct Utf8Text {
    const unsigned char* bytes;
    std::size_t size;
    mutable bool refused = false;

    bool next(std::size_t& pos, char32_t& c) const {
        if (pos >= size)
            return false;
        const std::size_t length = decodeUtf8(bytes + pos, size - pos, c);
        if (length == 0) {
            refused = true;
            return false;
        }
        pos += length;
        c = c < 0x80 ? (c >= 'A' && c <= 'Z' ? c + 32 : c) : foldForMatch(c);
        return true;
    }
    bool invalid() const { return refused; }
};

// Greedy match with one back-tracking point: every token but `*` takes one character.
// Code points are read only as far as the match needs them; nothing when the text cannot
// be read (Utf8Text::invalid).
template <typename Text>
std::optional<bool> matchTokens(const std::vector<Token>& tokens, const Text& text) {
    const std::size_t count = tokens.size();
    std::size_t ti = 0, si = 0, starToken = SIZE_MAX, starText = 0;
    for (;;) {
        if (ti < count && tokens[ti].kind == Token::Star) {
            // A last `*` takes whatever is left.
            if (ti + 1 == count)
                return true;
            starToken = ti++;
            starText = si;
            continue;
        }
        std::size_t after = si;
        char32_t c = 0;
        if (!text.next(after, c)) {
            if (text.invalid())
                return std::nullopt;
            break;
        }
        if (ti < count && matchesOne(tokens[ti], c)) {
            ++ti;
            si = after;
        } else if (starToken != SIZE_MAX) {
            ti = starToken + 1;
            text.next(starText, c);
            si = starText;
        } else {
            return false;
        }
    }
    while (ti < count && tokens[ti].kind == Token::Star)
        ++ti;
    return ti == count;
}

bool matchText(const std::vector<Token>& tokens, const QString& value) {
    const QList<uint> units = value.toUcs4();
    return *matchTokens(tokens, Ucs4Text{units});
}

QString textArgument(sqlite3_value* v) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                             sqlite3_value_bytes(v));
}

// Most stored texts are read in place, without a QString.
bool matchStored(const std::vector<Token>& tokens, sqlite3_value* v) {
    const auto* bytes = static_cast<const unsigned char*>(sqlite3_value_text(v));
    const Utf8Text text{bytes, static_cast<std::size_t>(sqlite3_value_bytes(v))};
    if (const std::optional<bool> match = matchTokens(tokens, text))
        return *match;
    return matchText(tokens, textArgument(v));
}

void wildcardFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    try {
        // The pattern is usually one bound parameter for the whole scan: compile it once.
        auto* tokens = static_cast<std::vector<Token>*>(sqlite3_get_auxdata(ctx, 1));
        if (tokens == nullptr) {
            auto compiled =
                std::make_unique<std::vector<Token>>(compilePattern(textArgument(argv[1])));
            tokens = compiled.get();
            sqlite3_set_auxdata(ctx, 1, compiled.release(),
                                [](void* p) { delete static_cast<std::vector<Token>*>(p); });
            // set_auxdata may have freed it at once; then compile for this call only.
            if (sqlite3_get_auxdata(ctx, 1) == nullptr) {
                sqlite3_result_int(ctx,
                                   wildcardMatch(textArgument(argv[0]), textArgument(argv[1])));
                return;
            }
        }
        sqlite3_result_int(ctx, matchStored(*tokens, argv[0]) ? 1 : 0);
    } catch (const Error& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

// ---- CDATE ---------------------------------------------------------------------------

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

char16_t codeUnit(QChar c) {
    return c.unicode();
}
char16_t codeUnit(char c) {
    return static_cast<unsigned char>(c);
}

// A trimmed text of UTF-16 or ASCII units read as a day-first date (see CDATE).
template <typename Units>
std::optional<std::int32_t> dayFirstDate(const Units& t) {
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int part = 0;
    for (const auto unit : t) {
        const char16_t ch = codeUnit(unit);
        if (ch >= u'0' && ch <= u'9') {
            if (++digits[part] > 4)
                return std::nullopt;
            parts[part] = parts[part] * 10 + (ch - u'0');
        } else if ((ch == u'/' || ch == u'-' || ch == u'.') && part < 2 && digits[part] > 0) {
            ++part;
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits[0] > 2 || digits[1] > 2 || (digits[2] != 2 && digits[2] != 4)) {
        return std::nullopt;
    }
    const int day = parts[0], month = parts[1];
    int year = parts[2];
    if (digits[2] == 2)
        year += year < 30 ? 2000 : 1900;
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return std::nullopt;
    }
    return year * 10000 + month * 100 + day;
}

bool isAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The stored text as CDATE reads it; most dates are plain ASCII and are read in place.
std::optional<std::int32_t> storedDate(sqlite3_value* v) {
    std::string_view text(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                          static_cast<std::size_t>(sqlite3_value_bytes(v)));
    if (std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; }))
        return dateValue(textArgument(v));
    while (!text.empty() && isAsciiSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isAsciiSpace(text.back()))
        text.remove_suffix(1);
    return dayFirstDate(text);
}

void dateFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
        sqlite3_result_null(ctx);
        return;
    }
    if (const auto v = storedDate(argv[0])) {
        sqlite3_result_int(ctx, *v);
    } else {
        sqlite3_result_null(ctx);
    }
}

// ---- UTF8_FAULT ----------------------------------------------------------------------

void utf8FaultFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) != SQLITE_TEXT)
            continue;
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[i]));
        const auto size = static_cast<std::size_t>(sqlite3_value_bytes(argv[i]));
        if (!isWellFormedUtf8(std::string_view(text, size))) {
            sqlite3_result_int(ctx, i + 1);
            return;
        }
    }
    sqlite3_result_int(ctx, 0);
}

void check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK)
        throw Error(rc, "Database", sqlite3_errmsg(db));
}

}  // namespace

int compareFrench(std::string_view a, std::string_view b) {
    // Most names are ASCII: compare folded bytes until the first non-ASCII one.
    size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        const unsigned char ca = static_cast<unsigned char>(a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[i]);
        if ((ca | cb) >= 0x80)
            break;
        if (ca != cb) {
            const unsigned char la = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
            const unsigned char lb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
            if (la != lb)
                return la < lb ? -1 : 1;
        }
    }
    FoldedReader ra(a.substr(i)), rb(b.substr(i));
    for (;;) {
        char32_t ca = 0, cb = 0;
        const bool ha = ra.next(ca), hb = rb.next(cb);
        if (!ha || !hb) {
            if (ha != hb)
                return ha ? 1 : -1;
            break;
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c != 0)
        return c < 0 ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

QString frenchFolded(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    FoldedReader reader(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    std::u32string folded;
    for (char32_t unit = 0; reader.next(unit);)
        folded.push_back(unit);
    return QString::fromUcs4(folded.data(), static_cast<qsizetype>(folded.size()));
}

bool wildcardMatch(const QString& value, const QString& pattern) {
    return matchText(compilePattern(pattern), value);
}

std::optional<std::int32_t> dateValue(const QString& text) {
    return dayFirstDate(text.trimmed());
}

void registerSqlFunctions(sqlite3* db) {
    constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    check(db, sqlite3_create_collation(db, "FRENCH", SQLITE_UTF8, nullptr, frenchCollation));
    check(db, sqlite3_create_function(db, "WILDCARD_MATCH", 2, kFlags, nullptr, wildcardFunction,
                                      nullptr, nullptr));
    check(db,
          sqlite3_create_function(db, "CDATE", 1, kFlags, nullptr, dateFunction, nullptr, nullptr));
    check(db, sqlite3_create_function(db, "UTF8_FAULT", -1, kFlags, nullptr, utf8FaultFunction,
                                      nullptr, nullptr));
}

}  // namespace corvanta::platform
