#include "platform/error.h"
#include "tests/platform_database/fresh_database.h"

namespace corvanta::platform::testing {
namespace {

class RecordsetTest : public FreshDatabase {
  protected:
    void SetUp() override {
        FreshDatabase::SetUp();
        a = addPatient("ARNAUD", "Anne");
        b = addPatient("BERTIN", "Bruno");
        c = addPatient("CAMUS", "Claire");
    }
    std::unique_ptr<Recordset> patients() {
        return db->openRecordset("SELECT * FROM Patients ORDER BY Nom_Patient, Prenom_Patient");
    }
    std::int64_t a = 0, b = 0, c = 0;
};

TEST_F(RecordsetTest, MovesAndBofEofAtBothEnds) {
    auto rs = patients();
    EXPECT_EQ(rs->recordCount(), 3);
    EXPECT_FALSE(rs->bof());
    EXPECT_FALSE(rs->eof());
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "ARNAUD");
    EXPECT_EQ(rs->absolutePosition(), 0);

    rs->moveNext();
    rs->moveNext();
    EXPECT_EQ(rs->field("nom_patient").toText(), "CAMUS");
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    EXPECT_FALSE(rs->bof());
    EXPECT_EQ(rs->absolutePosition(), -1);
    EXPECT_ERROR_NUMBER(rs->field("Nom_Patient"), 3021);
    EXPECT_ERROR_NUMBER(rs->moveNext(), 3021);
    rs->movePrevious();
    EXPECT_EQ(rs->currentKey(), c);

    rs->moveFirst();
    rs->movePrevious();
    EXPECT_TRUE(rs->bof());
    EXPECT_FALSE(rs->eof());
    EXPECT_ERROR_NUMBER(rs->movePrevious(), 3021);
    rs->moveNext();
    EXPECT_EQ(rs->currentKey(), a);

    rs->moveLast();
    EXPECT_EQ(rs->absolutePosition(), 2);
    rs->setAbsolutePosition(1);
    EXPECT_EQ(rs->field(1).toText(), "BERTIN");
    EXPECT_ERROR_NUMBER(rs->setAbsolutePosition(3), 3001);
    EXPECT_ERROR_NUMBER(rs->setAbsolutePosition(-1), 3001);
    EXPECT_EQ(rs->currentKey(), b);
}

TEST_F(RecordsetTest, EmptySetIsAtBothEnds) {
    auto rs = db->openRecordset("SELECT * FROM Patients WHERE Nom_Patient = ?", {"NOBODY"});
    EXPECT_TRUE(rs->bof());
    EXPECT_TRUE(rs->eof());
    EXPECT_EQ(rs->recordCount(), 0);
    EXPECT_EQ(rs->absolutePosition(), -1);
    EXPECT_ERROR_NUMBER(rs->moveFirst(), 3021);
    EXPECT_ERROR_NUMBER(rs->moveLast(), 3021);
    EXPECT_ERROR_NUMBER(rs->moveNext(), 3021);
    EXPECT_ERROR_NUMBER(rs->movePrevious(), 3021);
    EXPECT_ERROR_NUMBER(rs->field("Nom_Patient"), 3021);
    EXPECT_ERROR_NUMBER(rs->edit(), 3021);
    EXPECT_ERROR_NUMBER(rs->deleteCurrent(), 3021);
    EXPECT_FALSE(rs->findFirst("Nom_Patient = ?", {"ARNAUD"}));
    EXPECT_TRUE(rs->noMatch());
}

TEST_F(RecordsetTest, MembershipIsFixedAtOpenAndValuesAreLive) {
    auto rs = patients();
    addPatient("AAA", "Added");
    db->execute("UPDATE Patients SET Prenom_Patient = 'Annie' WHERE Code_Patient = ?", {a});
    EXPECT_EQ(rs->recordCount(), 3);
    EXPECT_EQ(rs->field("Prenom_Patient").toText(), "Annie");

    // A row changed so that it no longer matches stays a member until requery.
    auto only = db->openRecordset("SELECT * FROM Patients WHERE Nom_Patient = ?", {"BERTIN"});
    db->execute("UPDATE Patients SET Nom_Patient = 'BERTRAND' WHERE Code_Patient = ?", {b});
    EXPECT_EQ(only->field("Nom_Patient").toText(), "BERTRAND");
    only->requery();
    EXPECT_TRUE(only->eof());

    rs->moveLast();
    rs->requery();
    EXPECT_EQ(rs->recordCount(), 4);
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "AAA");
}

TEST_F(RecordsetTest, RowsReadAheadNeverShowStaleValues) {
    auto rs = patients();
    rs->field(0);
    rs->moveNext();
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "BERTIN");  // reads ahead past CAMUS
    auto other = db->openRecordset("SELECT * FROM Patients WHERE Code_Patient = ?", {c});
    other->edit();
    other->setField("Nom_Patient", "CAMUS-DIDIER");
    other->update();
    rs->moveNext();
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "CAMUS-DIDIER");
    {
        Database::Transaction pending(*db);
        db->execute("UPDATE Patients SET Ville_Patient = 'Nice'");
        for (rs->moveLast(); !rs->bof(); rs->movePrevious()) {
            EXPECT_EQ(rs->field("Ville_Patient").toText(), "Nice");
        }
    }
    rs->moveFirst();
    EXPECT_TRUE(rs->field("Ville_Patient").isNull());
}

// The fields taken with the membership serve until anything is written: by this connection,
// by another one, inside a transaction not yet committed; then every member is read again,
// and a member deleted meanwhile is left out.
TEST_F(RecordsetTest, MembersReadInBulkShowTheirRowsAsTheyAreNow) {
    const QStringList fields{"Prenom_Patient", "Nom_Patient"};
    auto rs = db->openRecordset("SELECT * FROM Patients ORDER BY Nom_Patient", {}, fields);
    Database other(path);
    const auto members = [&] {
        QStringList lines;
        for (const Recordset::Member& m : rs->readMembers(fields)) {
            lines << QString::number(m.key) + u' ' + m.values[1].toTextOrEmpty() + u' ' +
                         m.values[0].toTextOrEmpty();
        }
        return lines;
    };
    const QString A = QString::number(a) + " ARNAUD Anne", B = QString::number(b) + " BERTIN ",
                  C = QString::number(c) + " CAMUS ";
    EXPECT_EQ(members(), QStringList({A, B + "Bruno", C + "Claire"}));
    {
        Database::Transaction pending(*db);
        db->execute("UPDATE Patients SET Prenom_Patient = 'Cloé' WHERE Code_Patient = ?", {c});
        EXPECT_EQ(members(), QStringList({A, B + "Bruno", C + "Cloé"}));
    }
    EXPECT_EQ(members(), QStringList({A, B + "Bruno", C + "Claire"}));
    rs->requery();
    other.execute("UPDATE Patients SET Prenom_Patient = NULL WHERE Code_Patient = ?", {b});
    EXPECT_EQ(members(), QStringList({A, B, C + "Claire"}));
    rs->requery();
    other.execute("DELETE FROM Patients WHERE Code_Patient = ?", {a});
    EXPECT_EQ(members(), QStringList({B, C + "Claire"}));
    EXPECT_EQ(rs->recordCount(), 3);
    // Asked for fields not taken, or without any taken: read by key all the same.
    auto plain = db->openRecordset("SELECT * FROM Patients ORDER BY Nom_Patient");
    ASSERT_EQ(plain->readMembers({"Ville_Patient"}).size(), 2u);
    EXPECT_ERROR_NUMBER(plain->readMembers({"Nowhere"}), 3265);
    EXPECT_ERROR_NUMBER(db->openRecordset("SELECT * FROM Patients", {}, {"Nowhere"}), 3265);
}

// Another copy commits while the membership query runs (the file in WAL, so its write does
// not wait for this reader): the fields taken with the membership hold the older name and
// must not be trusted afterwards.
TEST_F(RecordsetTest, ACommitByAnotherCopyWhileTheMembershipIsReadIsSeenAfterwards) {
    db->execute("PRAGMA journal_mode = WAL");
    // Enough rows for the watch to be called while the membership query steps.
    db->execute(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO Patients (Nom_Patient) SELECT 'ZZ' || i FROM n");
    Database other(path);
    bool written = false;
    const auto rs = [&] {
        Database::Watch watch(*db, [&] {
            if (!written) {
                written = true;
                other.execute("UPDATE Patients SET Nom_Patient = 'AUTRE' WHERE Code_Patient = ?",
                              {a});
            }
            return true;
        });
        return db->openRecordset("SELECT * FROM Patients ORDER BY Nom_Patient", {},
                                 {"Nom_Patient"});
    }();
    ASSERT_TRUE(written);
    for (const Recordset::Member& m : rs->readMembers({"Nom_Patient"})) {
        if (m.key == a) {
            EXPECT_EQ(m.values[0].toText().toStdString(), "AUTRE");
        }
    }
}

TEST_F(RecordsetTest, RowDeletedElsewhereReadsAsDeleted) {
    auto rs = patients();
    rs->moveNext();
    db->execute("DELETE FROM Patients WHERE Code_Patient = ?", {b});
    EXPECT_ERROR_NUMBER(rs->field("Nom_Patient"), 3167);
    EXPECT_EQ(rs->recordCount(), 3);
    rs->edit();
    rs->setField("Prenom_Patient", "X");
    EXPECT_ERROR_NUMBER(rs->update(), 3167);
    rs->moveNext();
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "CAMUS");
    // Keys are never reused, so the deleted row never reads as a newcomer.
    const auto added = addPatient("BERTIN", "Bruno");
    EXPECT_GT(added, c);
    rs->movePrevious();
    EXPECT_ERROR_NUMBER(rs->field(0), 3167);
}

TEST_F(RecordsetTest, FindFirstFollowsMembershipOrderAndKeepsRowOnNoMatch) {
    addCurve(a, 0, "first");
    const auto second = addCurve(a, 0, "second");
    addCurve(a, 1, "other type");
    auto rs = db->openRecordset(
        "SELECT * FROM Courbes WHERE Code_Type = ? And Code_Patient = ? ORDER BY ID DESC", {0, a});
    ASSERT_EQ(rs->recordCount(), 2);
    rs->moveLast();
    EXPECT_TRUE(rs->findFirst("Code_Patient = ?", {a}));
    EXPECT_FALSE(rs->noMatch());
    EXPECT_EQ(rs->currentKey(), second);

    rs->moveLast();
    const auto before = rs->currentKey();
    EXPECT_FALSE(rs->findFirst("ID = ?", {9999}));
    EXPECT_TRUE(rs->noMatch());
    EXPECT_EQ(rs->currentKey(), before);
    // Rows outside the membership are never found.
    EXPECT_FALSE(rs->findFirst("Code_Type = 1"));
    // A find that matches after a miss clears the flag.
    EXPECT_TRUE(rs->findFirst("ID = ?", {second}));
    EXPECT_FALSE(rs->noMatch());

    auto names = patients();
    names->moveLast();
    EXPECT_TRUE(names->findFirst("Nom_Patient || ' ' || Prenom_Patient = ?", {"BERTIN Bruno"}));
    EXPECT_EQ(names->currentKey(), b);
    EXPECT_ERROR_NUMBER(names->findFirst("No_Such_Column = 1"), 1);
}

TEST_F(RecordsetTest, AddNewAppendsAndKeepsCurrentRow) {
    auto rs = patients();
    rs->moveNext();
    rs->addNew();
    EXPECT_EQ(rs->editMode(), Recordset::EditMode::Add);
    rs->setField("Nom_Patient", "ZOLA");
    rs->setField("Prenom_Patient", "Zoé");
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "ZOLA");
    EXPECT_TRUE(rs->field("Ville_Patient").isNull());
    const auto key = rs->update();
    EXPECT_EQ(rs->lastModified(), key);
    EXPECT_EQ(rs->recordCount(), 4);
    EXPECT_EQ(rs->currentKey(), b);
    ASSERT_TRUE(rs->moveToKey(key));
    EXPECT_EQ(rs->absolutePosition(), 3);
    EXPECT_EQ(rs->field("Prenom_Patient").toText(), "Zoé");
    EXPECT_FALSE(rs->moveToKey(123456));
    EXPECT_EQ(rs->currentKey(), key);

    // Adding while past the end stays past the end.
    rs->moveNext();
    rs->addNew();
    rs->setField("Nom_Patient", "LAST");
    rs->update();
    EXPECT_TRUE(rs->eof());
    rs->movePrevious();
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "LAST");
}

TEST_F(RecordsetTest, ANewRowsKeyStaysWithin31BitsWhateverKeysOtherToolsStored) {
    // What another tool left in the file, and the key the next added patient gets.
    const struct {
        const char* sql;
        std::int64_t next;
    } cas[] = {{"", 4},
               {"INSERT INTO Patients (Code_Patient) VALUES (3000000000)", 5},
               {"INSERT INTO Patients (Code_Patient) VALUES (9223372036854775807)", 6},
               // The sequence stays past the range once the rows are gone.
               {"DELETE FROM Patients WHERE Code_Patient > 2147483647", 7},
               {"INSERT INTO Patients (Code_Patient) VALUES (2147483646)", 2147483647},
               // With the top of the range taken, the lowest free key.
               {"", 8},
               {"DELETE FROM Patients WHERE Code_Patient IN (1, 3)", 1},
               {"", 3},
               {"", 9}};
    for (const auto& [sql, next] : cas) {
        SCOPED_TRACE(sql);
        if (*sql != 0)
            db->execute(sql);
        auto rs = patients();
        rs->addNew();
        rs->setField("Nom_Patient", "NOUVEAU");
        EXPECT_EQ(rs->update(), next);
    }
}

TEST_F(RecordsetTest, EditWritesOnlyTheFieldsSet) {
    auto rs = patients();
    rs->edit();
    rs->setField("Ville_Patient", "Nice");
    db->execute("UPDATE Patients SET Prenom_Patient = 'Changed elsewhere' WHERE Code_Patient = ?",
                {a});
    EXPECT_EQ(rs->field("Ville_Patient").toText(), "Nice");
    EXPECT_EQ(rs->update(), a);
    EXPECT_EQ(rs->field("Prenom_Patient").toText(), "Changed elsewhere");
    EXPECT_EQ(
        db->queryValue("SELECT Ville_Patient FROM Patients WHERE Code_Patient = ?", {a}).toText(),
        "Nice");

    EXPECT_ERROR_NUMBER(rs->update(), 3020);
    EXPECT_ERROR_NUMBER(rs->setField("Ville_Patient", "X"), 3020);
    EXPECT_ERROR_NUMBER(rs->field("Nope"), 3265);
    rs->edit();
    EXPECT_ERROR_NUMBER(rs->setField("Code_Patient", 77), 3164);
    rs->setField("Ville_Patient", "Lyon");
    rs->cancelUpdate();
    EXPECT_EQ(rs->field("Ville_Patient").toText(), "Nice");
    // A move abandons a pending edit.
    rs->edit();
    rs->setField("Ville_Patient", "Paris");
    rs->moveNext();
    EXPECT_EQ(rs->editMode(), Recordset::EditMode::None);
    rs->moveFirst();
    EXPECT_EQ(rs->field("Ville_Patient").toText(), "Nice");
}

TEST_F(RecordsetTest, RefusedUpdateKeepsThePendingRow) {
    auto rs = db->openRecordset("Courbes");
    rs->addNew();
    rs->setField("Code_Patient", a);
    rs->setField("COURBE", QByteArray(399, 'x'));
    EXPECT_ANY_THROW(rs->update());
    EXPECT_EQ(rs->editMode(), Recordset::EditMode::Add);
    EXPECT_EQ(rs->recordCount(), 0);
    rs->setField("COURBE", QByteArray(400, '\0'));
    const auto key = rs->update();
    ASSERT_TRUE(rs->moveToKey(key));
    EXPECT_EQ(rs->field("COURBE").toBlob(), QByteArray(400, '\0'));
    EXPECT_EQ(rs->field("IMPRIMER").toInt32(), 0);
    EXPECT_EQ(rs->field("COULEUR").toInt32(), 0);
}

TEST_F(RecordsetTest, DeleteLeavesAHoleUntilTheNextMove) {
    auto rs = patients();
    rs->moveNext();
    rs->deleteCurrent();
    EXPECT_EQ(rs->recordCount(), 2);
    EXPECT_FALSE(rs->bof());
    EXPECT_FALSE(rs->eof());
    EXPECT_ERROR_NUMBER(rs->field("Nom_Patient"), 3167);
    EXPECT_ERROR_NUMBER(rs->deleteCurrent(), 3167);
    EXPECT_EQ(rs->absolutePosition(), -1);
    rs->moveNext();
    EXPECT_EQ(rs->currentKey(), c);
    rs->deleteCurrent();
    rs->movePrevious();
    EXPECT_EQ(rs->currentKey(), a);
    rs->deleteCurrent();
    EXPECT_TRUE(rs->bof());
    EXPECT_TRUE(rs->eof());
    EXPECT_EQ(db->queryValue("SELECT count(*) FROM Patients").toInt32(), 0);

    auto again = patients();
    EXPECT_TRUE(again->eof());
    again->addNew();
    again->setField("Nom_Patient", "NEW");
    EXPECT_GT(again->update(), c);
}

TEST_F(RecordsetTest, FieldsByNameAndPosition) {
    auto rs = db->openRecordset("[Patients]");
    EXPECT_EQ(rs->fieldCount(), 12);
    EXPECT_EQ(rs->fieldName(0), "Code_Patient");
    EXPECT_EQ(rs->fieldIndex("DATE_NAISSANCE_PATIENT"), 9);
    EXPECT_EQ(rs->field(9).toText(), "01/02/1960");
    EXPECT_ERROR_NUMBER(rs->fieldName(12), 3265);
    EXPECT_ERROR_NUMBER(rs->field(-1), 3265);
}

TEST_F(RecordsetTest, QueryWithoutKeyIsAReadOnlySnapshot) {
    addExam(a, 0, "07", 0, 0);
    addExam(a, 2, "09", 0, 0);
    auto rs = db->openRecordset(
        "SELECT Examens.[Code_ Patient], Max(Examens.Num_Examen) AS MaxDeNum_Examen From Examens "
        "GROUP BY Examens.[Code_ Patient] Having (((Examens.[Code_ Patient]) = ?))",
        {a});
    EXPECT_FALSE(rs->isUpdatable());
    ASSERT_EQ(rs->recordCount(), 1);
    rs->moveLast();
    EXPECT_EQ(rs->field("MaxDeNum_Examen").toText(), "09");
    EXPECT_ERROR_NUMBER(rs->edit(), 3027);
    EXPECT_ERROR_NUMBER(rs->addNew(), 3027);
    EXPECT_ERROR_NUMBER(rs->findFirst("1 = 1"), 3251);
}

TEST_F(RecordsetTest, ParametersAndClosedDatabase) {
    EXPECT_ERROR_NUMBER(db->openRecordset("SELECT * FROM Patients WHERE Code_Patient = ?"), 3001);
    EXPECT_ERROR_NUMBER(db->openRecordset("Req_Examens_9"), 3078);
    auto rs = patients();
    db->close();
    EXPECT_ERROR_NUMBER(rs->field("Nom_Patient"), 3420);
    EXPECT_ERROR_NUMBER(rs->moveNext(), 3420);
    EXPECT_ERROR_NUMBER(db->execute("SELECT 1"), 3420);
}

}  // namespace
}  // namespace corvanta::platform::testing
