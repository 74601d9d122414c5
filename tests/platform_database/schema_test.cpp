#include <sqlite3.h>

#include <QSet>
#include <atomic>
#include <thread>

#include "platform/error.h"
#include "tests/platform_database/fresh_database.h"

namespace corvanta::platform::testing {
namespace {

QStringList columnsOf(Database& db, const QString& table) {
    auto rs = db.openRecordset("SELECT * FROM " + table + " WHERE 0");
    QStringList names;
    for (int i = 0; i < rs->fieldCount(); ++i)
        names << rs->fieldName(i);
    return names;
}

using SchemaTest = FreshDatabase;

TEST_F(SchemaTest, TablesHoldEveryColumnTheProgramUses) {
    EXPECT_EQ(columnsOf(*db, "Langues"),
              QStringList({"ID", "Form", "Label", "Francais", "Anglais"}));
    EXPECT_EQ(columnsOf(*db, "Patients"),
              QStringList({"Code_Patient", "Nom_Patient", "Prenom_Patient", "Adresse1_Patient",
                           "Adresse2_Patient", "Ville_Patient", "CodePostal_Patient",
                           "Telephone1_Patient", "Telephone2_Patient", "Date_Naissance_Patient",
                           "NumeroSS_Patient", "Commentaire_Patient"}));
    EXPECT_EQ(columnsOf(*db, "Courbes"),
              QStringList({"ID", "Code_Type", "Code_Patient", "DATE", "Commentaire_Courbe",
                           "COURBE", "MOYENNE", "PASSEBAS", "IMPRIMER", "COULEUR"}));

    const QStringList exam = columnsOf(*db, "Examens");
    EXPECT_EQ(exam[1], "Code_ Patient");
    const QStringList written = {"Code_Type",
                                 "Num_Examen",
                                 "Date_Examen",
                                 "Docteur_Patient",
                                 "Imagerie_Face_Standard",
                                 "Imagerie_Echo_B",
                                 "Imagerie_Scanner",
                                 "Imagerie_Autres",
                                 "Imagerie_Face_Standard_Status",
                                 "Imagerie_Echo_B_Status",
                                 "Imagerie_Scanner_Status",
                                 "Imagerie_Autres_Status",
                                 "Origine_Examen_Douleur",
                                 "Origine_Examen_Douleur_Type",
                                 "Origine_Examen_Ecoulement",
                                 "Origine_Examen_Ecoulement_Type",
                                 "Origine_Examen_Dysphagie",
                                 "Origine_Examen_Fievre",
                                 "Origine_Examen_Obstruction",
                                 "Origine_Examen_Autres_ORL",
                                 "Origine_Examen_Autres_ORL_Detail",
                                 "Origine_Examen_Autres_CLI",
                                 "Origine_Examen_Autres_CLI_Detail",
                                 "Origine_Examen_Biologiques",
                                 "Origine_Examen_Biologiques_Detail",
                                 "Origine_Examen_Globules",
                                 "Origine_Examen_Globules_Detail",
                                 "Origine_Examen_ORL",
                                 "Origine_Examen_ORL_Detail",
                                 "Origine_Examen_Bio",
                                 "Origine_Examen_Bio_Detail",
                                 "Condition_Position",
                                 "Condition_Position_Detail",
                                 "Condition_Corpulence",
                                 "Condition_Remarque",
                                 "Echogramme_Droit_Num_Courbe",
                                 "Echogramme_Gauche_Num_Courbe",
                                 "Echogramme_Droit_Normal",
                                 "Echogramme_Droit_Occupe",
                                 "Echogramme_Droit_Evocateur",
                                 "Echogramme_Droit_Autres",
                                 "Echogramme_Droit_Autres_Detail",
                                 "Echogramme_Gauche_Normal",
                                 "Echogramme_Gauche_Occupe",
                                 "Echogramme_Gauche_Evocateur",
                                 "Echogramme_Gauche_Autres",
                                 "Echogramme_Gauche_Autres_Detail",
                                 "Echogramme_Tumeur_Normal",
                                 "Echogramme_Tumeur_Liquide",
                                 "Echogramme_Tumeur_Homogene",
                                 "Echogramme_Tumeur_Heterogene",
                                 "Echogramme_Tumeur_Autres",
                                 "Echogramme_Tumeur_Autres_Detail",
                                 "Examen_Compatible",
                                 "Decision_Lavage",
                                 "Decision_Scanner",
                                 "Decision_Drainage",
                                 "Decision_Ponction",
                                 "Decision_Traitement_Medical",
                                 "Decision_Traitement_Medical_Detail",
                                 "Decision_Traitement_Cervicotomie",
                                 "Decision_Traitement_Chirurgical",
                                 "Decision_Traitement_Chirurgical_Detail",
                                 "Decision_Traitement_Endoscopie"};
    for (const QString& name : written)
        EXPECT_TRUE(exam.contains(name)) << name.toStdString();

    // Every exam query offers the whole exam row at the same positions.
    for (int type = 0; type < 5; ++type) {
        const QStringList view = columnsOf(*db, QStringLiteral("Req_Examens_%1").arg(type));
        EXPECT_EQ(view.mid(0, exam.size()), exam) << type;
    }
}

TEST_F(SchemaTest, OpenRefusesMissingAndForeignFilesNamingThem) {
    const QString missing = folder.filePath("Absent.mdb");
    try {
        Database d(missing);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 3024);
        EXPECT_NE(e.description().find(missing.toStdString()), std::string::npos);
    }
    EXPECT_FALSE(QFile::exists(missing));

    const QString text = folder.filePath("notes.mdb");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    EXPECT_ERROR_NUMBER(Database{text}, 3343);

    const QString other = folder.filePath("other.sqlite");
    sqlite3* raw = nullptr;
    sqlite3_open(other.toUtf8().constData(), &raw);
    sqlite3_exec(raw, "CREATE TABLE t(x)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    try {
        Database d(other);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 3343);
        EXPECT_NE(e.description().find("other.sqlite"), std::string::npos);
    }
}

TEST_F(SchemaTest, ImportAppendsRowsOfAnotherDatabaseAndSkipsTakenKeys) {
    const auto kept = addPatient("KEPT", "Here");
    const QString source = folder.filePath("sinus-old.mdb");
    ASSERT_TRUE(
        QFile::copy(qEnvironmentVariable("CORVANTA_BUILD_DIR") + "/data/Sinus.mdb", source));
    QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner);
    {
        Database old(source);
        old.execute(
            "INSERT INTO Patients (Code_Patient, Nom_Patient) VALUES (?, 'CLASH'), (50, 'NEW')",
            {kept});
    }
    db->attach(source, "source");
    for (const char* table : {"Patients", "Courbes", "Examens"}) {
        db->execute(
            QStringLiteral("INSERT OR IGNORE INTO main.%1 SELECT * FROM source.%1").arg(table));
    }
    db->detach("source");
    auto rs = db->openRecordset("SELECT * FROM Patients ORDER BY Code_Patient");
    ASSERT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "KEPT");
    rs->moveNext();
    EXPECT_EQ(rs->field("Nom_Patient").toText(), "NEW");

    const QString foreign = folder.filePath("sinus.txt");
    QFile f(foreign);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("plain text");
    f.close();
    EXPECT_ERROR_NUMBER(db->attach(foreign, "source"), 3343);
    EXPECT_ERROR_NUMBER(db->attach(folder.filePath("nothing.mdb"), "source"), 3024);
    EXPECT_ERROR_NUMBER(db->attach(source, "x; DROP TABLE Patients"), 3001);
    EXPECT_FALSE(QFile::exists(folder.filePath("nothing.mdb")));
}

TEST_F(SchemaTest, TransactionsRollBackUnlessCommitted) {
    {
        Database::Transaction t(*db);
        addPatient("GONE", "");
    }
    EXPECT_EQ(db->queryValue("SELECT count(*) FROM Patients").toInt32(), 0);
    {
        Database::Transaction outer(*db);
        addPatient("KEPT", "");
        {
            Database::Transaction inner(*db);
            addPatient("INNER", "");
        }
        outer.commit();
    }
    EXPECT_EQ(db->queryValue("SELECT group_concat(Nom_Patient) FROM Patients").toText(), "KEPT");
}

TEST_F(SchemaTest, AnImmediateTransactionKeepsOtherWritersOutUntilItEnds) {
    // Another program on the file, which does not wait for a lock.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    const auto otherWrites = [other] {
        return sqlite3_exec(other, "INSERT INTO Patients (Nom_Patient) VALUES ('OTHER')", nullptr,
                            nullptr, nullptr);
    };
    {
        Database::Transaction deferred(*db);
        EXPECT_EQ(otherWrites(), SQLITE_OK) << "a deferred transaction locks nothing yet";
    }
    {
        Database::Transaction immediate(*db, Database::Transaction::Lock::Immediate);
        EXPECT_EQ(otherWrites(), SQLITE_BUSY);
        addPatient("KEPT", "");
        {
            // Inside an open transaction it only nests.
            Database::Transaction inner(*db, Database::Transaction::Lock::Immediate);
            addPatient("INNER", "");
        }
        immediate.commit();
    }
    EXPECT_EQ(otherWrites(), SQLITE_OK);
    {
        Database::Transaction dropped(*db, Database::Transaction::Lock::Immediate);
        addPatient("GONE", "");
    }
    EXPECT_EQ(otherWrites(), SQLITE_OK);
    sqlite3_close(other);
    EXPECT_EQ(db->queryValue("SELECT group_concat(Nom_Patient) FROM "
                             "(SELECT Nom_Patient FROM Patients ORDER BY Code_Patient)")
                  .toText(),
              "OTHER,KEPT,OTHER,OTHER");
}

// Work handed to another thread has the connection to itself: this thread's calls, a
// recordset's included, fail with 3260 before reaching the engine, and so does every call
// while the connection is reserved to no thread. Reservations nest and end as they began.
TEST_F(SchemaTest, AReservedConnectionRefusesEveryOtherThread) {
    addPatient("DUPONT", "");
    auto patients = db->openRecordset("SELECT * FROM Patients");
    patients->moveFirst();
    const auto count = [this] { return db->queryValue("SELECT count(*) FROM Patients").toInt32(); };
    std::atomic<bool> go{false};
    int countThere = -1;
    std::thread worker([&] {
        while (!go)
            std::this_thread::yield();
        addPatient("MARTIN", "");
        countThere = count();
    });
    {
        const Database::Reservation reserved(*db, worker.get_id());
        go = true;
        EXPECT_ERROR_NUMBER(count(), 3260);
        EXPECT_ERROR_NUMBER(patients->field("Nom_Patient"), 3260);
        worker.join();
    }
    EXPECT_EQ(countThere, 2);
    EXPECT_EQ(count(), 2);
    {
        const Database::Reservation nobody(*db, std::thread::id());
        EXPECT_ERROR_NUMBER(count(), 3260);
        {
            const Database::Reservation here(*db, std::this_thread::get_id());
            EXPECT_EQ(count(), 2);
        }
        EXPECT_ERROR_NUMBER(patients->moveNext(), 3260);
    }
    EXPECT_EQ(patients->field("Nom_Patient").toText(), "DUPONT");
}

}  // namespace
}  // namespace corvanta::platform::testing
