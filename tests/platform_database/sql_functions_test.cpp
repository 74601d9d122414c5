#include "platform/sql_functions.h"

#include "platform/error.h"
#include "platform/utf8.h"
#include "tests/platform_database/fresh_database.h"

namespace corvanta::platform::testing {
namespace {

TEST(WildcardMatch, PatternsOfThePatientSearch) {
    struct Case {
        const char* value;
        const char* pattern;
        bool match;
    };
    const Case cases[] = {
        {"DUPONT", "DU*", true},  {"dupont", "DU*", true},   {"ADUPONT", "DU*", false},
        {"DU", "DU*", true},      {"Élodie", "élo*", true},  {"Elodie", "élo*", false},
        {"06100", "06*", true},   {"16100", "06*", false},   {"AB", "A?", true},
        {"A", "A?", false},       {"A7", "A#", true},        {"AB", "A#", false},
        {"B", "[A-C]", true},     {"b", "[A-C]", true},      {"D", "[A-C]", false},
        {"D", "[!A-C]", true},    {"B", "[!A-C]", false},    {"a*c", "a[*]c", true},
        {"abc", "a[*]c", false},  {"a?c", "a[?]c", true},    {"5#", "5[#]", true},
        {"[x", "[[]x", true},     {"a]b", "a]b", true},      {"a-b", "a[-]b", true},
        {"50%", "50%", true},     {"500", "50%", false},     {"a_c", "a_c", true},
        {"abc", "a_c", false},    {"ab", "a[]b", true},      {"x", "*", true},
        {"", "*", true},          {"", "?", false},          {"abcabd", "*ab?", true},
        {"aXbXc", "a*b*c", true}, {"aXbXd", "a*b*c", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wildcardMatch(QString::fromUtf8(c.value), QString::fromUtf8(c.pattern)), c.match)
            << c.value << " like " << c.pattern;
    }
    EXPECT_ERROR_NUMBER(wildcardMatch("a", "[a"), 93);
    EXPECT_ERROR_NUMBER(wildcardMatch("a", "[z-a]"), 93);
}

TEST(DateValue, DayFirstDatesCompareInOrder) {
    EXPECT_EQ(dateValue("15/03/1960"), 19600315);
    EXPECT_EQ(dateValue("15/03/60"), 19600315);
    EXPECT_EQ(dateValue("01/01/29"), 20290101);
    EXPECT_EQ(dateValue("01/01/30"), 19300101);
    EXPECT_EQ(dateValue(" 5/3/2001 "), 20010305);
    EXPECT_EQ(dateValue("29/02/2000"), 20000229);
    EXPECT_EQ(dateValue("29/02/1900"), std::nullopt);
    EXPECT_EQ(dateValue("31/04/1990"), std::nullopt);
    EXPECT_EQ(dateValue("15/03/196"), std::nullopt);
    EXPECT_EQ(dateValue("15/03"), std::nullopt);
    EXPECT_EQ(dateValue("abc"), std::nullopt);
    EXPECT_EQ(dateValue(""), std::nullopt);
}

TEST(FrenchOrder, FoldsCaseAndAccentsButKeepsEqualityExact) {
    EXPECT_LT(compareFrench("Élise", "Emile"), 0);
    EXPECT_LT(compareFrench("elise", "Élise"), 0);
    EXPECT_GT(compareFrench("Élise", "Elise"), 0);
    EXPECT_LT(compareFrench("Élise", "Zoé"), 0);
    EXPECT_LT(compareFrench("dupont", "DURAND"), 0);
    EXPECT_LT(compareFrench("Cœur", "Coeurs"), 0);
    EXPECT_EQ(compareFrench("Zoé", "Zoé"), 0);
    EXPECT_LT(compareFrench("Du", "Dupont"), 0);
}

class SearchTest : public FreshDatabase {};

// The database reads stored dates in place; it must read them exactly as dateValue does.
TEST_F(SearchTest, StoredDatesReadAsDateValueReadsThem) {
    for (const char* text : {"15/03/1960", " 5/3/2001 ", "\t05.03.01\r\n", "1-1-30", "31/04/1990",
                             "15/03/196", "15//1960", "15/03/1960x",
                             "\xC2\xA0"
                             "15/03/1960",
                             "15/03/1960\xE2\x80\x83", "\xD9\xA1/03/1960", "", " "}) {
        const QString stored = QString::fromUtf8(text);
        const Value read = db->queryValue("SELECT CDATE(?)", {stored});
        const std::optional<std::int32_t> expected = dateValue(stored);
        EXPECT_EQ(read, expected ? Value(*expected) : Value()) << text;
    }
    EXPECT_TRUE(db->queryValue("SELECT CDATE(19600315)").isNull());
}

TEST_F(SearchTest, NamesSortInFrenchOrderAndSearchesUseTheFunctions) {
    for (const char* name : {"Zola", "élise", "Émile", "ARNAUD", "dupont", "Durand", "Eric"}) {
        addPatient(QString::fromUtf8(name), "", "15/03/1960");
    }
    db->execute(
        "UPDATE Patients SET Date_Naissance_Patient = '02/01/1961' WHERE Nom_Patient = 'Eric'");
    db->execute(
        "UPDATE Patients SET Date_Naissance_Patient = 'inconnue' WHERE Nom_Patient = 'Zola'");
    auto rs = db->openRecordset(
        "SELECT * FROM Patients ORDER BY Nom_Patient COLLATE FRENCH, Prenom_Patient COLLATE "
        "FRENCH");
    QStringList order;
    for (; !rs->eof(); rs->moveNext())
        order << rs->field("Nom_Patient").toText();
    EXPECT_EQ(order, QStringList({"ARNAUD", "dupont", "Durand", "élise", "Émile", "Eric", "Zola"}));

    auto found = db->openRecordset(
        "SELECT * FROM Patients WHERE WILDCARD_MATCH(Nom_Patient, ?) AND "
        "CDATE(Date_Naissance_Patient) >= CDATE(?)",
        {"DU*", "15/03/60"});
    EXPECT_EQ(found->recordCount(), 2);
    auto later = db->openRecordset(
        "SELECT * FROM Patients WHERE Cdate([Date_Naissance_Patient]) > CDate(?)", {"15/03/60"});
    ASSERT_EQ(later->recordCount(), 1);
    EXPECT_EQ(later->field("Nom_Patient").toText(), "Eric");
    EXPECT_ERROR_NUMBER(
        db->openRecordset("SELECT * FROM Patients WHERE WILDCARD_MATCH(Nom_Patient, ?)", {"[A"}),
        1);
}

TEST_F(SearchTest, HostileTextsAreStoredAndFoundExactly) {
    const QStringList hostile = {"O'Brien",     "\"quoted\"",
                                 "100% [sure]", "'; DROP TABLE Patients; --",
                                 "a\\b*c?#",    "Ünïcødé ☃"};
    for (const QString& text : hostile)
        addPatient(text, text);
    EXPECT_EQ(db->queryValue("SELECT count(*) FROM Patients").toInt32(), hostile.size());
    auto rs = db->openRecordset("SELECT * FROM Patients ORDER BY Code_Patient");
    for (const QString& text : hostile) {
        EXPECT_TRUE(rs->findFirst("Nom_Patient || ' ' || Prenom_Patient = ?", {text + ' ' + text}))
            << text.toStdString();
        EXPECT_EQ(rs->field("Prenom_Patient").toText(), text);
        // Search patterns made of the text with its wildcard characters bracketed.
        QString pattern;
        for (const QChar ch : text) {
            pattern +=
                QStringLiteral("*?#[").contains(ch) ? QStringLiteral("[%1]").arg(ch) : QString(ch);
        }
        auto found = db->openRecordset(
            "SELECT * FROM Patients WHERE WILDCARD_MATCH(Nom_Patient, ?)", {pattern});
        ASSERT_EQ(found->recordCount(), 1) << text.toStdString();
        EXPECT_EQ(found->field("Nom_Patient").toText(), text);
    }
}

// Byte strings made of pieces that UTF-8 readers may read differently: letters that fold,
// a NUL byte, a byte-order mark, overlong forms, a surrogate, a noncharacter, a code point
// beyond Unicode, cut and lone bytes.
class MixedBytes {
  public:
    QByteArray next() {
        static const QByteArray pieces[] = {"a",
                                            "Z",
                                            "\xC3\xA9",
                                            "\xC3\x89",
                                            "\xE1\xBA\x9E",
                                            "\xCF\x82",
                                            "\xCE\xA3",
                                            "\xF0\x9F\x98\x80",
                                            QByteArray("\0", 1),
                                            "\xEF\xBB\xBF",
                                            "\xC0\xAF",
                                            "\xE0\x80\xAF",
                                            "\xED\xA0\x80",
                                            "\xEF\xBF\xBE",
                                            "\xF4\x90\x80\x80",
                                            "\xC3",
                                            "\xE2\x82",
                                            "\x80",
                                            "\xFF",
                                            "5",
                                            "*",
                                            "?"};
        QByteArray bytes;
        for (std::size_t n = below(5); n > 0; --n)
            bytes += pieces[below(std::size(pieces))];
        return bytes;
    }
    std::size_t below(std::size_t n) {
        state_ ^= state_ << 13, state_ ^= state_ >> 7, state_ ^= state_ << 17;
        return static_cast<std::size_t>(state_ % n);
    }

  private:
    std::uint64_t state_ = 0x2545F4914F6CDD1DULL;
};

// The database reads stored texts in place; whatever their bytes, it must match them as
// wildcardMatch matches the text a QString makes of them.
TEST_F(SearchTest, StoredTextsMatchAsTheirQStringsDo) {
    const QString patterns[] = {"*",  "?",     "??",  "a*",  "*a",  "É*", "*é",         "[a-z]*",
                                "#*", "*[!a]", "?*?", "ss*", "*Σ*", "ς",  "*\U0001F600"};
    MixedBytes mixed;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray stored = mixed.next();
        const QString& pattern = patterns[mixed.below(std::size(patterns))];
        const Value found =
            db->queryValue("SELECT WILDCARD_MATCH(CAST(? AS TEXT), ?)", {stored, pattern});
        EXPECT_EQ(found.toInt32(), wildcardMatch(QString::fromUtf8(stored), pattern) ? 1 : 0)
            << stored.toHex().toStdString() << " like " << pattern.toStdString();
    }
}

TEST(Utf8, TextsAreDecodedAsFromUtf8DecodesThem) {
    MixedBytes mixed;
    int decoded = 0;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray bytes = mixed.next();
        QString text(bytes.size(), Qt::Uninitialized);
        const QChar* end = decodeUtf8Into(
            text.data(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (end == nullptr)
            continue;
        ++decoded;
        text.truncate(end - text.constData());
        EXPECT_EQ(text, QString::fromUtf8(bytes)) << bytes.toHex().toStdString();
    }
    EXPECT_GT(decoded, 300);
}

}  // namespace
}  // namespace corvanta::platform::testing
