#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "platform/database.h"
#include "platform/recordset.h"

namespace corvanta::platform::testing {

// The database the build made, copied into a folder of the test's own.
class FreshDatabase : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        path = folder.filePath("Sinus.mdb");
        const QString fresh = qEnvironmentVariable("CORVANTA_BUILD_DIR") + "/data/Sinus.mdb";
        ASSERT_TRUE(QFile::copy(fresh, path)) << "missing " << fresh.toStdString();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        db = std::make_unique<Database>(path);
    }

    std::int64_t addPatient(const QString& nom, const QString& prenom,
                            const QString& naissance = "01/02/1960") {
        db->execute(
            "INSERT INTO Patients (Nom_Patient, Prenom_Patient, Date_Naissance_Patient) "
            "VALUES (?, ?, ?)",
            {nom, prenom, naissance});
        return db->lastInsertKey();
    }

    std::int64_t addCurve(std::int64_t patient, int type, const QString& label, char fill = 'A') {
        db->execute(
            "INSERT INTO Courbes (Code_Type, Code_Patient, DATE, Commentaire_Courbe, COURBE, "
            "MOYENNE, PASSEBAS) VALUES (?, ?, ?, '', ?, 1, 2)",
            {type, patient, label, QByteArray(400, fill)});
        return db->lastInsertKey();
    }

    std::int64_t addExam(std::int64_t patient, int type, const QString& number, std::int64_t right,
                         std::int64_t left) {
        db->execute(
            "INSERT INTO Examens (\"Code_ Patient\", Code_Type, Num_Examen, "
            "Echogramme_Droit_Num_Courbe, Echogramme_Gauche_Num_Courbe, Examen_Compatible) "
            "VALUES (?, ?, ?, ?, ?, 'RAS')",
            {patient, type, number, right, left});
        return db->lastInsertKey();
    }

    QTemporaryDir folder;
    QString path;
    std::unique_ptr<Database> db;
};

// Expects `statement` to throw corvanta::Error with `number`.
#define EXPECT_ERROR_NUMBER(statement, expected)          \
    do {                                                  \
        try {                                             \
            statement;                                    \
            ADD_FAILURE() << "no error from " #statement; \
        } catch (const corvanta::Error& e) {              \
            EXPECT_EQ(e.number(), expected) << e.what();  \
        }                                                 \
    } while (false)

}  // namespace corvanta::platform::testing
