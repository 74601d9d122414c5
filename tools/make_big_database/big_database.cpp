#include "tools/make_big_database/big_database.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cmath>
#include <vector>

#include "platform/error.h"
#include "platform/sql_functions.h"
#include "platform/sqlite_statement.h"
#include "tools/make_big_database/random.h"
#include "tools/make_big_database/realistic_names.h"
#include "tools/make_database/database_maker.h"

namespace corvanta::tools {
namespace {

using platform::Statement;
using platform::Value;

const std::string kSource = "make_big_database";

const std::array<const char*, 32> kSurnames = {
    "MARTIN",   "BERNARD", "DUBOIS",  "THOMAS",   "ROBERT",   "RICHARD",  "PETIT",  "DURAND",
    "LEROY",    "MOREAU",  "SIMON",   "LAURENT",  "LEFÈVRE",  "MICHEL",   "GARCIA", "DAVID",
    "BERTRAND", "ROUX",    "VINCENT", "FOURNIER", "MOREL",    "GIRARD",   "ANDRÉ",  "LEFEBVRE",
    "MERCIER",  "DUPONT",  "LAMBERT", "BONNET",   "FRANÇOIS", "MARTINEZ", "Éluard", "d'Arcy"};
const std::array<const char*, 24> kFirstNames = {
    "Jean",     "Marie",    "Pierre", "Françoise", "Michel",  "Monique", "André",   "Catherine",
    "Philippe", "Nathalie", "Élise",  "Isabelle",  "Jacques", "Sylvie",  "Bernard", "Anne",
    "Hélène",   "Paul",     "Zoé",    "Noël",      "Chloé",   "Jérôme",  "Agnès",   "Léa"};
const std::array<const char*, 12> kStreets = {
    "rue de la République", "avenue Jean Médecin", "boulevard Gambetta", "place Garibaldi",
    "rue Pasteur",          "chemin des Oliviers", "allée des Tilleuls", "rue Victor Hugo",
    "avenue de la Gare",    "rue du Château",      "impasse des Lilas",  "cours Saleya"};
const std::array<std::pair<const char*, const char*>, 10> kTowns = {{{"Nice", "06000"},
                                                                     {"Antibes", "06600"},
                                                                     {"Cannes", "06400"},
                                                                     {"Grasse", "06130"},
                                                                     {"Menton", "06500"},
                                                                     {"Marseille", "13001"},
                                                                     {"Toulon", "83000"},
                                                                     {"Lyon", "69001"},
                                                                     {"Paris", "75011"},
                                                                     {"Fréjus", "83600"}}};
const std::array<const char*, 6> kConclusions = {
    "Sinusite maxillaire droite", "Examen normal",     "Comblement bilatéral",
    "Épanchement pleural modéré", "Masse liquidienne", "Contrôle à prévoir dans un mois"};

QString twoDigits(int v) {
    return QString::number(v).rightJustified(2, u'0');
}

QString date(Random& r, int firstYear, int years) {
    return twoDigits(1 + r.below(28)) + '/' + twoDigits(1 + r.below(12)) + '/' +
           QString::number(firstYear + r.below(years));
}

// Echo curves: the emission at the start, a decaying baseline and two or three echoes.
std::vector<QByteArray> curveShapes(Random& r) {
    std::vector<QByteArray> shapes;
    for (int s = 0; s < 256; ++s) {
        std::array<double, 400> level{};
        for (int i = 0; i < 400; ++i)
            level[i] = 240.0 * std::exp(-i / 12.0) + 20.0 * std::exp(-i / 150.0);
        for (int e = 0, echoes = 2 + r.below(2); e < echoes; ++e) {
            const double centre = 60 + r.below(320), width = 3 + r.below(8),
                         height = 60 + r.below(170);
            for (int i = 0; i < 400; ++i) {
                level[i] += height * std::exp(-(i - centre) * (i - centre) / (2 * width * width));
            }
        }
        QByteArray curve(400, '\0');
        for (int i = 0; i < 400; ++i)
            curve[i] = static_cast<char>(std::min(255.0, level[i]));
        shapes.push_back(curve);
    }
    return shapes;
}

QByteArray noisy(const QByteArray& shape, Random& r) {
    QByteArray curve = shape;
    for (char& c : curve) {
        const int v = static_cast<unsigned char>(c) + r.below(9) - 4;
        c = static_cast<char>(std::clamp(v, 0, 255));
    }
    return curve;
}

void run(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        platform::throwEngineError(db, sqlite3_errcode(db), kSource);
    }
}

void insert(Statement& statement, const std::vector<Value>& values) {
    statement.reset();
    statement.bindAll(values);
    statement.step();
}

void fill(sqlite3* db, const BigDatabaseSize& size) {
    Random r(size.seed);
    const std::vector<QByteArray> shapes = curveShapes(r);
    Statement patient(db,
                      "INSERT INTO Patients (Nom_Patient, Prenom_Patient, Adresse1_Patient, "
                      "Adresse2_Patient, Ville_Patient, CodePostal_Patient, Telephone1_Patient, "
                      "Telephone2_Patient, Date_Naissance_Patient, NumeroSS_Patient, "
                      "Commentaire_Patient) VALUES (?,?,?,?,?,?,?,?,?,?,?)",
                      kSource);
    Statement curve(
        db,
        "INSERT INTO Courbes (Code_Type, Code_Patient, DATE, Commentaire_Courbe, COURBE, "
        "MOYENNE, PASSEBAS) VALUES (?,?,?,?,?,?,?)",
        kSource);
    Statement exam(
        db,
        "INSERT INTO Examens (\"Code_ Patient\", Code_Type, Num_Examen, Date_Examen, "
        "Docteur_Patient, Imagerie_Echo_B, Imagerie_Echo_B_Status, Origine_Examen_Douleur, "
        "Origine_Examen_Douleur_Type, Echogramme_Droit_Num_Courbe, "
        "Echogramme_Gauche_Num_Courbe, Echogramme_Droit_Normal, Echogramme_Gauche_Normal, "
        "Examen_Compatible, Decision_Scanner) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
        kSource);
    for (int p = 0; p < size.patients; ++p) {
        PersonAndTown who;
        if (size.realisticNames) {
            who = realisticPerson(r);
        } else {
            const auto& town = r.pick(kTowns);
            who.town = QString::fromUtf8(town.first);
            who.postcode = QString::fromUtf8(town.second);
            who.surname = QString::fromUtf8(r.pick(kSurnames));
            who.givenName = QString::fromUtf8(r.pick(kFirstNames));
        }
        insert(patient,
               {who.surname, who.givenName,
                QString::number(1 + r.below(120)) + ' ' + QString::fromUtf8(r.pick(kStreets)),
                QString(), who.town, who.postcode,
                "04 93 " + twoDigits(r.below(100)) + ' ' + twoDigits(r.below(100)) + ' ' +
                    twoDigits(r.below(100)),
                QString(), date(r, 1920, 95),
                QString::number(1 + r.below(2)) + QString::number(100000000 + r.below(899999999)) +
                    QString::number(10000 + r.below(89999)),
                p % 7 == 0 ? QStringLiteral("Allergie à la pénicilline") : QString()});
        const std::int64_t code = sqlite3_last_insert_rowid(db);
        const int examType = p % 5;
        std::vector<std::int64_t> ofExamType;
        for (int k = 0; k < size.curvesPerPatient; ++k) {
            const int type = k < 2 ? examType : (examType + k - 1) % 5;
            const char* side = k % 2 == 0 ? " Droit" : " Gauche";
            insert(curve,
                   {type, code,
                    date(r, 2000, 25) + QStringLiteral(" à ") + twoDigits(8 + r.below(10)) + ':' +
                        twoDigits(r.below(60)) + ':' + twoDigits(r.below(60)) + side,
                    k == 0 ? QStringLiteral("Contrôle") : QString(),
                    noisy(shapes[static_cast<size_t>(r.below(256))], r), r.below(6), r.below(6)});
            if (type == examType)
                ofExamType.push_back(sqlite3_last_insert_rowid(db));
        }
        for (int e = 0; e < size.examsPerPatient && !ofExamType.empty(); ++e) {
            insert(exam,
                   {code, examType, twoDigits(e + 1), date(r, 2000, 25), "Dr Durand", r.below(2),
                    r.below(3), r.below(2), r.below(3), ofExamType.front(), ofExamType.back(),
                    r.below(2), r.below(2), QString::fromUtf8(r.pick(kConclusions)), r.below(2)});
        }
    }
}

}  // namespace

void makeBigDatabase(const QString& fresh, const QString& path, const BigDatabaseSize& size) {
    writeAtomically(path, [&](const QString& building) {
        QFile::remove(building);
        if (!QFile::copy(fresh, building)) {
            throw Error(0, kSource, "cannot copy " + fresh.toStdString());
        }
        sqlite3* db = nullptr;
        const int rc =
            sqlite3_open_v2(building.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        try {
            if (rc != SQLITE_OK)
                platform::throwEngineError(db, rc, kSource);
            sqlite3_extended_result_codes(db, 1);
            platform::registerSqlFunctions(db);
            // The file is renamed into place only once complete: no journal is needed.
            run(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
            fill(db, size);
            run(db, "COMMIT");
        } catch (...) {
            sqlite3_close(db);
            throw;
        }
        sqlite3_close(db);
    });
}

QString builtDatabase() {
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../data"))
        .filePath(QStringLiteral("Sinus.mdb"));
}

QString benchmarkDatabase(int patients, bool realisticNames) {
    BigDatabaseSize size;
    const bool usual = patients == size.patients;
    const QString named = qEnvironmentVariable("CORVANTA_BIG_DATABASE");
    if (usual && !realisticNames && !named.isEmpty())
        return named;
    QString name =
        usual ? QStringLiteral("Sinus-large") : QStringLiteral("Sinus-large-%1").arg(patients);
    if (realisticNames)
        name += QStringLiteral("-realistic");
    const QString folder = qEnvironmentVariable("CORVANTA_BIG_DATABASES");
    const QString path = QDir(folder.isEmpty() ? QFileInfo(builtDatabase()).path() : folder)
                             .filePath(name + QStringLiteral(".mdb"));
    size.patients = patients;
    size.realisticNames = realisticNames;
    if (!QFile::exists(path))
        makeBigDatabase(builtDatabase(), path, size);
    return path;
}

}  // namespace corvanta::tools
