#include "report/report_texts.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "report/exam_report.h"
#include "tests/support/application_test.h"

namespace {

using namespace corvanta::report;

TEST(ReportTextsTest, CrLfLoneCrAndLoneLfEachBreakACommentLine) {
    const struct {
        QString comment;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"abc\r\nde", {"abc", "de"}},
        {"abc\r\n", {"abc"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\nx", {"", "x"}},
        {"abc\rde", {"abc", "de"}},
        {"abc\nde\n", {"abc", "de"}},
        {"a\n\r\nb\r\rc", {"a", "", "b", "", "c"}},
        {"a\tb\r\n\u0001c\u007f", {"a b", " c "}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commentLines(c.comment), c.lines) << c.comment.toStdString();
    }
    EXPECT_EQ(singleLine("rue\r\ndes Lilas\nbis\r"), "rue des Lilas bis ");
    EXPECT_EQ(singleLine("DU\tPONT\u0001Zo\u00e9\u0085"), "DU PONT Zo\u00e9 ");
}

// Lines of at most 10 characters, two at least and at most three, and a width that takes 8
// 'm's.
TEST(ReportTextsTest, ConclusionsBreakBetweenWordsWhereThatTakesNoMoreLines) {
    const LineRule rule{10, 2, 3, [](const QString& line) { return line.count(u'm') <= 8; }};
    const struct {
        QString text;
        QStringList lines;
    } cases[] = {
        {"deux lignes de", {"deux", "lignes de"}},
        {"collectée, sans", {"collectée,", "sans"}},
        {"court", {"court", ""}},
        {"", {"", ""}},
        {"un\r\ndeux\ntrois", {"un deux", "trois"}},
        // As many lines as the text needs, by words where that costs no line.
        {"abcd efghi jklmn opqrs tuv", {"abcd efghi", "jklmn", "opqrs tuv"}},
        {"trois lignes de mots", {"trois lign", "es de mots"}},
        {"abcdefghijklmnopqrs", {"abcdefghij", "klmnopqrs"}},
        {"deux lignes de texte", {"deux ligne", "s de texte"}},
        {"mmmmmmmmmmmm", {"mmmmmmmm", "mmmm"}},
        {"abcdefghijklmnopqrstuvwxyz", {"abcdefghij", "klmnopqrst", "uvwxyz"}},
        // More than the most lines hold: the last one says so, within the rule.
        {"abcdefghijklmnopqrstuvwxyz0123456789", {"abcdefghij", "klmnopqrst", "uvwxyz012…"}},
        {"mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm", {"mmmmmmmm", "mmmmmmmm", "mmmmmmmm…"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wrapLines(c.text, rule), c.lines) << c.text.toStdString();
    }
}

// As the exam window shows them: exams 8 and 7.5, or 100 and 1e2, never share a file.
TEST(ReportTextsTest, ExamNumbersHaveAtLeastTwoDigits) {
    const std::pair<QString, QString> cases[] = {
        {"3", "03"},    {" 7 ", "07"},
        {"12", "12"},   {"123", "123"},
        {"-3", "-03"},  {"abc", "abc"},
        {"", ""},       {"2b", "2b"},
        {"7.5", "7.5"}, {"8", "08"},
        {"1e2", "1e2"}, {"+5", "05"},
        {"inf", "inf"}, {"99999999999999999999", "99999999999999999999"},
    };
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(examNumberText(stored), shown) << stored.toStdString();
    }
    EXPECT_EQ(reportTitle("Martin", "Anne", "3"), "Martin Anne 03");
    EXPECT_EQ(reportTitle("", "", "3"), "  03");
}

}  // namespace

namespace {

TEST(ReportTextsTest, AnExamRowReadsItsColumnsAsReportsTakeThem) {
    using corvanta::platform::Value;
    ExamRow row;
    row.set("Decision_Scanner", Value(1));
    row.set("Decision_Lavage", Value(2));
    row.set("Condition_Position", Value("1"));
    row.set("Echogramme_Droit_Autres", Value());
    row.set("Courbes_Droites.Courbe", Value(QByteArray("\x00\xff", 2)));
    row.set("Courbes_Droites.DATE", Value());

    EXPECT_TRUE(row.ticked("decision_scanner"));
    EXPECT_FALSE(row.ticked("Decision_Lavage"));
    EXPECT_FALSE(row.ticked("Echogramme_Droit_Autres"));
    EXPECT_EQ(row.choice("Condition_Position"), 1);
    EXPECT_EQ(row.choice("Echogramme_Droit_Autres"), std::nullopt);
    EXPECT_EQ(row.curve("COURBES_DROITES.COURBE"), QByteArray("\x00\xff", 2));
    EXPECT_EQ(row.optionalText("Courbes_Droites.DATE"), std::nullopt);
    EXPECT_EQ(row.text("Courbes_Droites.DATE"), "");
    try {
        row.value("Num_Examen");
        FAIL() << "a column the row lacks must fail";
    } catch (const corvanta::Error& e) {
        EXPECT_EQ(e.number(), 3265);
    }
}

}  // namespace
