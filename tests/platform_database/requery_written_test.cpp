// Rows written through a recordset, then requeryWritten(): the membership must be exactly
// the one a full requery gives, whatever else happened meanwhile.
#include <utility>
#include <vector>

#include "tests/platform_database/fresh_database.h"

namespace corvanta::platform::testing {
namespace {

using Keys = std::vector<Recordset::Key>;

Keys keysOf(Recordset& rs) {
    Keys keys;
    if (rs.recordCount() == 0)
        return keys;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        keys.push_back(rs.currentKey());
    rs.moveFirst();
    return keys;
}

class RequeryWrittenTest : public FreshDatabase {
  protected:
    void SetUp() override {
        FreshDatabase::SetUp();
        // Names that tie or nearly tie in the French order, and Null names.
        durand = addPatient("Durand", "Paul");
        durandBas = addPatient("durand", "paul");
        durandAccent = addPatient("Dürand", "Paul");
        eric = addPatient("Éric", "Zoé");
        sansNom = addPatient(QString(), "Anne");
        sansPrenom = addPatient("Martin", QString());
        right = addCurve(durand, 0, "08/12/2004 à 14:32:05 Droit", 'R');
        left = addCurve(durand, 0, "08/12/2004 à 14:33:00 Gauche", 'L');
    }

    // The order a requery gives, from a recordset of its own.
    Keys fullOrder(const QString& query) {
        auto fresh = db->openRecordset(query);
        return keysOf(*fresh);
    }

    Recordset::Key addThrough(Recordset& rs, int type, std::int64_t patient, const QString& number,
                              bool label = true) {
        rs.addNew();
        rs.setField(1, patient);
        rs.setField("Code_Type", type);
        rs.setField("Num_Examen", number);
        rs.setField("Echogramme_Droit_Num_Courbe", right);
        rs.setField("Echogramme_Gauche_Num_Courbe", left);
        // The window writes the curve's own label back, as the sinus validation does.
        if (label)
            rs.setField("Courbes_Droites.DATE", "08/12/2004 à 14:32:05 Droit");
        return rs.update();
    }

    std::int64_t durand = 0, durandBas = 0, durandAccent = 0, eric = 0, sansNom = 0, sansPrenom = 0,
                 right = 0, left = 0;
};

TEST_F(RequeryWrittenTest, AddedAndRewrittenExamsLandWhereARequeryPutsThemInEveryType) {
    const std::int64_t absent = 999999;  // an exam whose patient is gone reads Null names
    for (int type = 0; type <= 4; ++type) {
        SCOPED_TRACE(type);
        const std::int64_t patients[] = {durand, durandBas, durandAccent,
                                         eric,   sansNom,   sansPrenom};
        const char* numbers[] = {"7", "10", "07", "abc", "3", "7"};
        for (int i = 0; i < 6; ++i) {
            addExam(patients[i], type, numbers[i], right, left);
            addExam(patients[(i + 2) % 6], (type + 1) % 5, numbers[i], right, left);
        }
        addExam(absent, type, "1", right, left);
        const QString query = QStringLiteral("Req_Examens_%1").arg(type);
        auto rs = db->openRecordset(query);

        // One at a time: first, last, and among ties of name and number.
        for (const auto& [patient, number] :
             std::vector<std::pair<std::int64_t, QString>>{{sansNom, "0"},
                                                           {absent, "2"},
                                                           {durand, "7"},
                                                           {durandBas, "07"},
                                                           {durandAccent, "abc"},
                                                           {sansPrenom, "99"},
                                                           {eric, "10"}}) {
            const auto key = addThrough(*rs, type, patient, number);
            rs->requeryWritten();
            ASSERT_EQ(keysOf(*rs), fullOrder(query)) << number.toStdString();
            ASSERT_TRUE(rs->moveToKey(key));
        }

        // Several at once, and a rewrite that moves its row.
        addThrough(*rs, type, eric, "1");
        addThrough(*rs, type, durandBas, "7");
        rs->setAbsolutePosition(2);
        rs->edit();
        rs->setField(1, eric);
        rs->setField("Num_Examen", "0");
        const auto moved = rs->update();
        rs->edit();  // a pending edit is abandoned, as by requery
        rs->requeryWritten();
        EXPECT_EQ(rs->editMode(), Recordset::EditMode::None);
        EXPECT_EQ(rs->absolutePosition(), 0);
        ASSERT_EQ(keysOf(*rs), fullOrder(query));
        ASSERT_TRUE(rs->moveToKey(moved));
        EXPECT_EQ(rs->field("Num_Examen").toText(), "0");

        // A deletion, then an exam written for another type: it leaves, as with requery.
        rs->moveFirst();
        rs->deleteCurrent();
        rs->moveFirst();
        const auto elsewhere = addThrough(*rs, (type + 1) % 5, durand, "5", false);
        rs->requeryWritten();
        EXPECT_FALSE(rs->moveToKey(elsewhere));
        ASSERT_EQ(keysOf(*rs), fullOrder(query));
    }
}

TEST_F(RequeryWrittenTest, OthersMovedMeanwhileStillGiveTheRequeryOrder) {
    addExam(durand, 0, "1", right, left);
    addExam(eric, 0, "1", right, left);
    addExam(sansPrenom, 0, "1", right, left);
    const QString query = QStringLiteral("Req_Examens_0");

    {
        // A patient renamed through the connection moves the exams of others.
        auto rs = db->openRecordset(query);
        const Keys before = keysOf(*rs);
        db->execute("UPDATE Patients SET Nom_Patient = 'Aaron' WHERE Code_Patient = ?", {eric});
        addThrough(*rs, 0, durandBas, "2");
        rs->requeryWritten();
        const Keys after = fullOrder(query);
        EXPECT_NE(Keys(after.begin() + 1, after.end()), before);
        EXPECT_EQ(keysOf(*rs), after);
    }
    {
        // A trigger's write, made by the recordset's own insert.
        auto rs = db->openRecordset(query);
        db->execute(
            QStringLiteral("CREATE TEMP TRIGGER renomme AFTER INSERT ON Examens BEGIN "
                           "UPDATE Patients SET Nom_Patient = 'Zed' WHERE Code_Patient = %1; "
                           "END")
                .arg(durand));
        addThrough(*rs, 0, sansNom, "3");
        rs->requeryWritten();
        EXPECT_EQ(keysOf(*rs), fullOrder(query));
        db->execute("DROP TRIGGER temp.renomme");
    }
    {
        // Another program on the same file adds an exam.
        auto rs = db->openRecordset(query);
        Database other(path);
        other.execute(
            "INSERT INTO Examens (\"Code_ Patient\", Code_Type, Num_Examen) VALUES (?, 0, '4')",
            {durandAccent});
        const auto theirs = other.lastInsertKey();
        addThrough(*rs, 0, eric, "4");
        rs->requeryWritten();
        EXPECT_TRUE(rs->moveToKey(theirs));
        EXPECT_EQ(keysOf(*rs), fullOrder(query));
    }
}

TEST_F(RequeryWrittenTest, AJoinedValueChangedThroughTheRecordsetMovesTheRowsSharingIt) {
    // Ordered by the label of a joined curve that two exams share.
    const QString query = QStringLiteral(
        "SELECT Examens.Code_Examen, Examens.Num_Examen, Examens.Echogramme_Droit_Num_Courbe, C.ID "
        "AS \"C.ID\", C.DATE AS \"C.DATE\" "
        "FROM Examens LEFT JOIN Courbes AS C ON C.ID = Examens.Echogramme_Droit_Num_Courbe "
        "ORDER BY C.DATE, Examens.Code_Examen");
    const auto other = addCurve(durand, 0, "05/01/2004", 'O');
    const auto shared1 = addExam(durand, 0, "1", right, left);
    const auto apart = addExam(durand, 0, "2", other, left);
    const auto shared2 = addExam(durand, 0, "3", right, left);
    auto rs = db->openRecordset(query);
    ASSERT_EQ(keysOf(*rs), (Keys{apart, shared1, shared2}));

    rs->addNew();
    rs->setField("Num_Examen", "4");
    rs->setField("Echogramme_Droit_Num_Courbe", right);
    rs->setField("C.DATE", "01/01/2004");
    const auto added = rs->update();
    rs->requeryWritten();
    EXPECT_EQ(keysOf(*rs), (Keys{shared1, shared2, added, apart}));
}

}  // namespace
}  // namespace corvanta::platform::testing
