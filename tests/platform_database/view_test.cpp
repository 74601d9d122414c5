#include "platform/error.h"
#include "tests/platform_database/fresh_database.h"

namespace corvanta::platform::testing {
namespace {

class ExamQueryTest : public FreshDatabase {
  protected:
    void SetUp() override {
        FreshDatabase::SetUp();
        zola = addPatient("ZOLA", "Émile");
        durand = addPatient("Durand", "Paul");
        right = addCurve(zola, 0, "08/12/2004 à 14:32:05 Droit", 'R');
        left = addCurve(zola, 0, "08/12/2004 à 14:33:00 Gauche", 'L');
        other = addCurve(zola, 0, "09/12/2004 à 10:00:00 Droit", 'O');
        db->execute("UPDATE Courbes SET Commentaire_Courbe = ? WHERE ID = ?",
                    {"ligne 1\r\nligne 2", left});
        zolaExam = addExam(zola, 0, "7", right, left);
        durandExam12 = addExam(durand, 0, "12", right, right);
        durandExam3 = addExam(durand, 0, "3", right, right);
        addExam(durand, 2, "01", right, left);
    }
    std::int64_t zola = 0, durand = 0, right = 0, left = 0, other = 0;
    std::int64_t zolaExam = 0, durandExam12 = 0, durandExam3 = 0;
};

TEST_F(ExamQueryTest, GivesOneTypeWithPatientAndBothCurvesInListOrder) {
    auto rs = db->openRecordset("Req_Examens_0");
    ASSERT_EQ(rs->recordCount(), 3);
    EXPECT_EQ(rs->fieldName(0), "Code_Examen");
    EXPECT_EQ(rs->fieldName(1), "Code_ Patient");
    // Durand before ZOLA whatever the case; numbers in numeric order.
    EXPECT_EQ(rs->currentKey(), durandExam3);
    rs->moveNext();
    EXPECT_EQ(rs->currentKey(), durandExam12);
    rs->moveNext();
    EXPECT_EQ(rs->currentKey(), zolaExam);
    EXPECT_EQ(rs->field(1).toInt32(), zola);
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "ZOLA");
    EXPECT_EQ(rs->field("Prenom_Patient").toText(), "Émile");
    EXPECT_EQ(rs->field("Date_Naissance_Patient").toText(), "01/02/1960");
    EXPECT_EQ(rs->field("Courbes_Droites.Courbe").toBlob(), QByteArray(400, 'R'));
    EXPECT_EQ(rs->field("courbes_gauches.courbe").toBlob(), QByteArray(400, 'L'));
    EXPECT_EQ(rs->field("Courbes_Droites.DATE").toText(), "08/12/2004 à 14:32:05 Droit");
    EXPECT_EQ(rs->field("Courbes_Gauches.Commentaire_Courbe").toText(), "ligne 1\r\nligne 2");
    for (const char* name :
         {"Telephone1_Patient", "Telephone2_Patient", "NumeroSS_Patient", "Adresse1_Patient",
          "Adresse2_Patient", "CodePostal_Patient", "Ville_Patient",
          "Courbes_Droites.Commentaire_Courbe", "Courbes_Gauches.DATE"}) {
        EXPECT_NO_THROW(rs->fieldIndex(name)) << name;
    }
    EXPECT_EQ(db->openRecordset("Req_Examens_2")->recordCount(), 1);
    EXPECT_EQ(db->openRecordset("Req_Examens_4")->recordCount(), 0);
}

TEST_F(ExamQueryTest, EditWritesExamColumnsAndTheNewlyLinkedCurveLabel) {
    auto rs = db->openRecordset("Req_Examens_0");
    ASSERT_TRUE(rs->moveToKey(zolaExam));
    rs->edit();
    rs->setField(1, durand);
    rs->setField("Examen_Compatible", "Sinusite");
    rs->setField("Echogramme_Droit_Num_Courbe", other);
    rs->setField("Courbes_Droites.DATE", "09/12/2004 à 10:00:00 Droit");
    rs->update();
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "Durand");
    EXPECT_EQ(rs->field("Courbes_Droites.Courbe").toBlob(), QByteArray(400, 'O'));
    // The former right curve keeps its own label.
    EXPECT_EQ(db->queryValue("SELECT DATE FROM Courbes WHERE ID = ?", {right}).toText(),
              "08/12/2004 à 14:32:05 Droit");
    EXPECT_EQ(
        db->queryValue("SELECT Examen_Compatible FROM Examens WHERE Code_Examen = ?", {zolaExam})
            .toText(),
        "Sinusite");

    rs->edit();
    rs->setField("Courbes_Gauches.DATE", "relabelled");
    rs->update();
    EXPECT_EQ(db->queryValue("SELECT DATE FROM Courbes WHERE ID = ?", {left}).toText(),
              "relabelled");

    rs->edit();
    EXPECT_ERROR_NUMBER(rs->setField("Nom_Patient", "X"), 3164);
    EXPECT_ERROR_NUMBER(rs->setField("Courbes_Droites.ID", 1), 3164);
}

TEST_F(ExamQueryTest, AddNewCreatesOneExamAndRequeryListsIt) {
    auto rs = db->openRecordset("Req_Examens_0");
    rs->addNew();
    rs->setField(1, zola);
    rs->setField("Code_Type", 0);
    rs->setField("Num_Examen", "08");
    rs->setField("Echogramme_Droit_Num_Courbe", right);
    rs->setField("Echogramme_Gauche_Num_Courbe", left);
    rs->setField("Courbes_Droites.DATE", "08/12/2004 à 14:32:05 Droit");
    const auto key = rs->update();
    EXPECT_EQ(db->queryValue("SELECT count(*) FROM Examens").toInt32(), 5);
    EXPECT_EQ(db->queryValue("SELECT count(*) FROM Courbes").toInt32(), 3);
    rs->requery();
    ASSERT_TRUE(rs->moveToKey(key));
    EXPECT_EQ(rs->absolutePosition(), 3);
    EXPECT_EQ(rs->field("Num_Examen").toText(), "08");

    // An exam that links no curve cannot take a curve label.
    rs->addNew();
    rs->setField("Code_Type", 0);
    rs->setField("Courbes_Gauches.DATE", "nowhere");
    EXPECT_ERROR_NUMBER(rs->update(), 3167);
    EXPECT_EQ(db->queryValue("SELECT count(*) FROM Examens").toInt32(), 5);
}

TEST_F(ExamQueryTest, DeleteRemovesTheExamOnlyAndUsedCurvesAreKept) {
    auto curves = db->openRecordset("SELECT * FROM Courbes WHERE ID = ?", {left});
    EXPECT_ERROR_NUMBER(curves->deleteCurrent(), 3200);
    EXPECT_EQ(curves->field("ID").toInt64(), left);

    auto rs = db->openRecordset("Req_Examens_0");
    ASSERT_TRUE(rs->moveToKey(zolaExam));
    rs->edit();
    rs->deleteCurrent();
    EXPECT_EQ(db->queryValue("SELECT count(*) FROM Patients").toInt32(), 2);
    EXPECT_EQ(db->queryValue("SELECT count(*) FROM Courbes").toInt32(), 3);
    // Still used by the pleura exam.
    EXPECT_ERROR_NUMBER(curves->deleteCurrent(), 3200);
    db->execute("DELETE FROM Examens WHERE Code_Type = 2");
    curves->deleteCurrent();
    EXPECT_EQ(db->queryValue("SELECT count(*) FROM Courbes").toInt32(), 2);
}

}  // namespace
}  // namespace corvanta::platform::testing
