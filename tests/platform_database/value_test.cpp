#include "platform/value.h"

#include "platform/error.h"
#include "tests/platform_database/fresh_database.h"

namespace corvanta::platform::testing {
namespace {

TEST(Value, ConversionsFollowTheRunTimeRules) {
    EXPECT_EQ(Value(" 42 ").toInt32(), 42);
    EXPECT_EQ(Value(2.5).toInt32(), 2);
    EXPECT_EQ(Value(3.5).toInt32(), 4);
    EXPECT_EQ(Value("-7").toInt16(), -7);
    EXPECT_EQ(Value(std::int64_t{32767}).toInt16(), 32767);
    EXPECT_ERROR_NUMBER(Value(std::int64_t{32768}).toInt16(), 6);
    EXPECT_ERROR_NUMBER(Value(std::int64_t{1} << 40).toInt32(), 6);
    EXPECT_ERROR_NUMBER(Value().toInt32(), 94);
    EXPECT_ERROR_NUMBER(Value().toText(), 94);
    EXPECT_ERROR_NUMBER(Value("abc").toInt32(), 13);
    EXPECT_ERROR_NUMBER(Value(QByteArray(400, 'a')).toText(), 13);
    EXPECT_ERROR_NUMBER(Value("text").toBlob(), 13);
    EXPECT_TRUE(Value(-1).toBool());
    EXPECT_TRUE(Value(true) == Value(1));
    EXPECT_FALSE(Value(0).toBool());
    EXPECT_TRUE(Value("2").toBool());
    EXPECT_EQ(Value(12).toText(), "12");
    EXPECT_EQ(Value().toTextOrEmpty(), "");
    EXPECT_EQ(Value("Zoé").kind(), Value::Kind::Text);
}

using ValueStorage = FreshDatabase;

TEST_F(ValueStorage, CurvesKeepEveryByteAndKeysAreNeverReused) {
    QByteArray curve(400, '\0');
    for (int i = 0; i < 400; ++i)
        curve[i] = static_cast<char>(i % 256);
    const auto first = addCurve(0, 0, "x");
    db->execute("UPDATE Courbes SET COURBE = ? WHERE ID = ?", {curve, first});
    EXPECT_EQ(db->queryValue("SELECT COURBE FROM Courbes WHERE ID = ?", {first}).toBlob(), curve);
    EXPECT_ERROR_NUMBER(
        db->execute("UPDATE Courbes SET COURBE = ? WHERE ID = ?", {QString(400, u'a'), first}),
        275);  // a curve stored as text is refused by the schema

    db->execute("DELETE FROM Courbes WHERE ID = ?", {first});
    EXPECT_GT(addCurve(0, 0, "y"), first);
}

}  // namespace
}  // namespace corvanta::platform::testing
