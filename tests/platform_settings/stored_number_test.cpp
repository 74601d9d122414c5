#include <gtest/gtest.h>

#include "platform/settings_store.h"

namespace {

using namespace corvanta::platform;

TEST(StoredNumber, ReadsBothStoredFormsWithBlanksAround) {
    EXPECT_EQ(parseStoredInt16(" 7"), 7);
    EXPECT_EQ(parseStoredInt16("7"), 7);
    EXPECT_EQ(parseStoredInt16("  15  "), 15);
    EXPECT_EQ(parseStoredInt16("-1"), -1);
    EXPECT_EQ(parseStoredInt16(" -1 "), -1);
    EXPECT_EQ(parseStoredInt16("0"), 0);
    EXPECT_EQ(parseStoredInt32(" 0"), 0);
}

TEST(StoredNumber, RefusesWhatIsNotANumber) {
    for (const char* text : {"", " ", "-", "abc", "1a", "1 2", "- 1", "+", "0x10", "1.5", "--1"}) {
        EXPECT_FALSE(parseStoredInt16(text).has_value()) << text;
        EXPECT_FALSE(parseStoredInt32(text).has_value()) << text;
    }
}

TEST(StoredNumber, KeepsToTheRangeAsked) {
    EXPECT_EQ(parseStoredInt16("32767"), 32767);
    EXPECT_EQ(parseStoredInt16("-32768"), -32768);
    EXPECT_FALSE(parseStoredInt16("32768").has_value());
    EXPECT_FALSE(parseStoredInt16("-32769").has_value());
    EXPECT_EQ(parseStoredInt32("32768"), 32768);
    EXPECT_EQ(parseStoredInt32("2147483647"), 2147483647);
    EXPECT_EQ(parseStoredInt32("-2147483648"), INT32_MIN);
    EXPECT_FALSE(parseStoredInt32("2147483648").has_value());
    EXPECT_FALSE(parseStoredInt32("99999999999999999999999").has_value());
}

TEST(StoredNumber, WritesTheTwoStoredForms) {
    EXPECT_EQ(formatWithLeadingBlank(7), " 7");
    EXPECT_EQ(formatWithLeadingBlank(0), " 0");
    EXPECT_EQ(formatWithLeadingBlank(-1), "-1");
    EXPECT_EQ(formatWithLeadingBlank(68), " 68");
    EXPECT_EQ(formatPlain(7), "7");
    EXPECT_EQ(formatPlain(0), "0");
    EXPECT_EQ(formatPlain(-1), "-1");
}

}  // namespace
