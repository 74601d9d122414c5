#include "report_picture/report_texts.h"

#include <gtest/gtest.h>

#include "tests/support/application_test.h"

namespace {

using namespace corvanta::report;

TEST(ReportTextsTest, OnlyACrLfPairBreaksACommentLine) {
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
        {"abc\rde", {"abc de"}},
        {"abc\nde", {"abc de"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commentLines(c.comment), c.lines) << c.comment.toStdString();
    }
    EXPECT_EQ(singleLine("rue\r\ndes Lilas\nbis\r"), "rue des Lilas bis ");
}

TEST(ReportTextsTest, ExamNumbersHaveAtLeastTwoDigits) {
    const std::pair<QString, QString> cases[] = {
        {"3", "03"},   {" 7 ", "07"},  {"12", "12"}, {"123", "123"},
        {"-3", "-03"}, {"abc", "abc"}, {"", ""},     {"2b", "2b"},
    };
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(examNumberText(stored), shown) << stored.toStdString();
    }
    EXPECT_EQ(reportTitle("Martin", "Anne", "3"), "Martin Anne 03");
    EXPECT_EQ(reportTitle("", "", "3"), "  03");
}

}  // namespace
