#include "platform/recordset.h"

#include <sqlite3.h>

#include <QSet>
#include <algorithm>
#include <functional>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "platform/connection.h"
#include "platform/error.h"
#include "platform/member_order.h"
#include "platform/sqlite_statement.h"

namespace corvanta::platform {
namespace {

const std::string kSource = "Recordset";
constexpr size_t kStatementCacheLimit = 64;
constexpr int kReadAhead = 32;
// readMembers reads the whole base table in one pass rather than each member by key when
// there are at least this many members and they hold at least one key in this many of the
// table's key range (a read by key costs several times a row of a pass).
constexpr std::size_t kWholeTableMembers = 256;
constexpr Recordset::Key kWholeTableShare = 6;

[[noreturn]] void fail(int number, const QString& description) {
    throw Error(number, kSource, description.toStdString());
}

QString text(const char* utf8) {
    return utf8 != nullptr ? QString::fromUtf8(utf8) : QString();
}

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The integer primary key column of a table, or empty when it has none.
QString integerKeyOf(sqlite3* db, const QString& schema, const QString& table) {
    Statement info(db, "SELECT name, type FROM pragma_table_info(?1, ?2) WHERE pk > 0", kSource);
    info.bindAll({table, schema});
    QString key;
    int count = 0;
    while (info.step()) {
        ++count;
        if (same(info.column(1).toTextOrEmpty(), QStringLiteral("INTEGER"))) {
            key = info.column(0).toText();
        }
    }
    return count == 1 ? key : QString();
}

QString qualified(const QString& schema, const QString& table) {
    return quoteIdentifier(schema) + u'.' + quoteIdentifier(table);
}

}  // namespace

Recordset::Recordset(std::shared_ptr<Connection> connection, const QString& sql,
                     std::vector<Value> parameters, QStringList taken,
                     std::optional<MembershipPlan> plan)
    : connection_(std::move(connection)),
      sql_(sql.trimmed()),
      parameters_(std::move(parameters)),
      takenFields_(std::move(taken)),
      plan_(std::move(plan)) {
    while (sql_.endsWith(u';'))
        sql_ = sql_.chopped(1).trimmed();
    describeColumns();
    prepareMembership();
    if (plan_)
        preparePlan();
    takeMembership();
}

Recordset::~Recordset() = default;

void Recordset::describeColumns() {
    sqlite3* db = connection_->handle(kSource);
    Statement probe(db, sql_, kSource);
    sqlite3_stmt* st = probe.handle();
    QHash<QString, QString> keys;  // "schema.table" -> its integer key
    for (int i = 0; i < probe.columnCount(); ++i) {
        Column c;
        c.name = probe.columnName(i);
        c.schema = text(sqlite3_column_database_name(st, i));
        c.table = text(sqlite3_column_table_name(st, i));
        c.origin = text(sqlite3_column_origin_name(st, i));
        if (!c.table.isEmpty()) {
            const QString id = (c.schema + u'.' + c.table).toLower();
            if (!keys.contains(id))
                keys.insert(id, integerKeyOf(db, c.schema, c.table));
            c.tableKey = keys.value(id);
            if (keyColumn_ < 0 && !c.tableKey.isEmpty() && same(c.tableKey, c.origin)) {
                keyColumn_ = i;
                baseSchema_ = c.schema, baseTable_ = c.table, baseKey_ = c.tableKey;
            }
        }
        columns_.push_back(c);
    }
    // First occurrence of a name wins.
    for (int i = static_cast<int>(columns_.size()) - 1; i >= 0; --i) {
        columnByName_.insert(columns_[i].name.toLower(), i);
    }
    keyed_ = keyColumn_ >= 0;
    if (!keyed_)
        return;
    assignWriteTargets();
    composeReadSql();
}

bool Recordset::inBaseTable(const Column& c) const {
    return !c.table.isEmpty() && same(c.table, baseTable_) && same(c.schema, baseSchema_);
}

void Recordset::assignWriteTargets() {
    for (size_t i = 0; i < columns_.size(); ++i) {
        Column& c = columns_[i];
        if (static_cast<int>(i) == keyColumn_ || c.table.isEmpty())
            continue;
        if (inBaseTable(c) && !c.name.contains(u'.')) {
            c.target = Column::Target::Base;
            continue;
        }
        // "Alias.Column" of a joined table whose key the query gives as "Alias.<key>".
        const qsizetype dot = c.name.lastIndexOf(u'.');
        if (dot <= 0 || c.tableKey.isEmpty())
            continue;
        const auto keyColumn = columnByName_.find((c.name.left(dot) + u'.' + c.tableKey).toLower());
        if (keyColumn == columnByName_.end() || *keyColumn == static_cast<int>(i))
            continue;
        int joined = -1;
        for (size_t j = 0; j < joinedTables_.size(); ++j) {
            if (joinedTables_[j].keyColumn == *keyColumn)
                joined = static_cast<int>(j);
        }
        if (joined < 0) {
            joinedTables_.push_back({c.schema, c.table, c.tableKey, *keyColumn});
            joined = static_cast<int>(joinedTables_.size()) - 1;
        }
        c.target = Column::Target::Joined;
        c.joined = joined;
    }
}

void Recordset::composeReadSql() {
    // A plain selection of base columns reads the base table itself, so a row that no
    // longer meets the query's condition still reads; anything else reads through the
    // query, narrowed to the key.
    directRead_ = true;
    QSet<QString> seen;
    QStringList names;
    for (const Column& c : columns_) {
        const QString origin = c.origin.toLower();
        if (!inBaseTable(c) || !same(c.name, c.origin) || seen.contains(origin)) {
            directRead_ = false;
        }
        seen.insert(origin);
        names << quoteIdentifier(c.origin);
    }
    if (directRead_) {
        readSql_ = "SELECT " + names.join(u',') + " FROM " + qualified(baseSchema_, baseTable_) +
                   " WHERE " + quoteIdentifier(baseKey_) + " = ?";
    } else {
        readSql_ = "SELECT * FROM (" + sql_ + "\n) WHERE " +
                   quoteIdentifier(columns_[keyColumn_].name) + " = ?";
    }
}

void Recordset::prepareMembership() {
    sqlite3* db = connection_->handle(kSource);
    for (const QString& field : takenFields_)
        fieldIndex(field);
    if (keyed_) {
        // Only the keys (and the fields taken with them), in the query's order: the engine
        // then reads no other column (an index can serve the whole query).
        QStringList names{quoteIdentifier(columns_[keyColumn_].name)};
        for (const QString& field : takenFields_)
            names << quoteIdentifier(field);
        try {
            membership_ = std::make_unique<Statement>(
                db, "SELECT " + names.join(u',') + " FROM (" + sql_ + "\n)", kSource);
            membershipKey_ = 0;
            keyNamed_ = true;
            for (int i = 1; i < names.size(); ++i)
                takenColumns_.push_back(i);
            return;
        } catch (const Error&) {
            // A query whose key name is not unique: run it whole.
        }
    }
    membership_ = std::make_unique<Statement>(db, sql_, kSource);
    membershipKey_ = keyColumn_;
    for (const QString& field : takenFields_)
        takenColumns_.push_back(fieldIndex(field));
}

void Recordset::preparePlan() {
    if (!keyed_ || plan_->orderFields > takenFields_.size()) {
        fail(db_error::kInvalidArgument, QStringLiteral("Invalid argument."));
    }
    membership_ = std::make_unique<Statement>(connection_->handle(kSource), plan_->sql, kSource);
    membershipKey_ = 0;
    takenColumns_.clear();
    for (int i = 1; i <= takenFields_.size(); ++i)
        takenColumns_.push_back(i);
}

void Recordset::takeMembership() {
    connection_->handle(kSource);
    Statement& query = *membership_;
    query.reset();
    query.bindAll(parameters_);
    keys_.clear();
    snapshot_.clear();
    taken_.reset();
    MemberTable taken(static_cast<int>(takenColumns_.size()));
    std::vector<bool> apart;
    const int apartColumn = static_cast<int>(takenColumns_.size()) + 1;
    // Read before the query: another copy's commit while it runs then shows as a change.
    const std::int64_t version = keyed_ ? dataVersion() : -1;
    while (query.step()) {
        if (keyed_) {
            // Values, not columns: each call into the statement takes the connection's lock.
            sqlite3_value* key = sqlite3_column_value(query.handle(), membershipKey_);
            if (sqlite3_value_type(key) != SQLITE_NULL) {
                taken.append(sqlite3_value_int64(key), query, takenColumns_);
                if (plan_) {
                    apart.push_back(
                        sqlite3_value_int(sqlite3_column_value(query.handle(), apartColumn)) != 0);
                }
            }
        } else {
            std::vector<Value> row;
            for (int i = 0; i < query.columnCount(); ++i)
                row.push_back(query.column(i));
            keys_.push_back(static_cast<Key>(snapshot_.size()));
            snapshot_.push_back(std::move(row));
        }
    }
    query.reset();
    if (plan_)
        taken.reorder(orderMembers(taken, apart, plan_->orderFields));
    if (keyed_) {
        keys_ = taken.keys();
        taken_ = std::make_shared<const MemberTable>(std::move(taken));
    }
    position_ = 0;
    leaveRow();
    rowsStamp_ = -1;
    orderStamp_ = keyed_ ? connection_->generation() : -1;
    orderDataVersion_ = version;
    takenStamp_ = orderStamp_;
    takenDataVersion_ = orderDataVersion_;
    misplaced_.clear();
}

std::vector<Recordset::Member> Recordset::readMembers(const QStringList& fields) const {
    std::vector<Member> members;
    if (!keyed_) {
        connection_->handle(kSource);
        members.reserve(keys_.size());
        for (const Key key : keys_) {
            Member member{key, {}};
            for (const QString& field : fields)
                member.values.push_back(
                    snapshot_[static_cast<std::size_t>(key)][fieldIndex(field)]);
            members.push_back(std::move(member));
        }
        return members;
    }
    const std::shared_ptr<const MemberTable> table = readMemberTable(fields);
    members.reserve(table->size());
    for (std::size_t m = 0; m < table->size(); ++m) {
        Member member{table->key(m), {}};
        member.values.reserve(fields.size());
        for (int f = 0; f < fields.size(); ++f)
            member.values.push_back(table->value(m, f));
        members.push_back(std::move(member));
    }
    return members;
}

std::shared_ptr<const MemberTable> Recordset::readMemberTable(const QStringList& fields) const {
    connection_->handle(kSource);
    if (!keyed_)
        fail(3251, QStringLiteral("Operation is not supported for this type of object."));
    std::vector<int> places;  // of each field among the taken ones
    for (const QString& field : fields) {
        const int index = fieldIndex(field);
        for (int t = 0; t < takenFields_.size(); ++t) {
            if (fieldIndex(takenFields_[t]) == index) {
                places.push_back(t);
                break;
            }
        }
    }
    const bool current = places.size() == static_cast<std::size_t>(fields.size()) && taken_ &&
                         taken_->size() == keys_.size() &&
                         takenStamp_ == connection_->generation() &&
                         takenDataVersion_ == dataVersion();
    if (current) {
        std::vector<int> all(static_cast<std::size_t>(takenFields_.size()));
        std::iota(all.begin(), all.end(), 0);
        return places == all ? taken_
                             : std::make_shared<const MemberTable>(taken_->projected(places));
    }
    QStringList names;
    for (const QString& field : fields) {
        names << quoteIdentifier(directRead_ ? columns_[fieldIndex(field)].origin : field);
    }
    std::vector<int> columns(static_cast<std::size_t>(fields.size()));
    std::iota(columns.begin(), columns.end(), 0);
    auto table = std::make_shared<MemberTable>(static_cast<int>(fields.size()));
    const QString base = qualified(baseSchema_, baseTable_);
    const QString keyName = quoteIdentifier(baseKey_);
    if (directRead_ && keys_.size() >= kWholeTableMembers) {
        Statement& largest = cachedStatement("SELECT MAX(" + keyName + ") FROM " + base);
        const Key largestKey = largest.step() ? sqlite3_column_int64(largest.handle(), 0) : 0;
        largest.reset();
        // Members holding a good share of the table: one pass over it beats a read a key.
        if (static_cast<Key>(keys_.size()) * kWholeTableShare >= largestKey) {
            std::unordered_map<Key, std::size_t> place;
            place.reserve(keys_.size());
            for (std::size_t m = 0; m < keys_.size(); ++m)
                place.emplace(keys_[m], m);
            constexpr std::size_t kAbsent = SIZE_MAX;
            std::vector<std::size_t> rowOfMember(keys_.size(), kAbsent);
            for (int& column : columns)
                ++column;
            Statement& scan =
                cachedStatement("SELECT " + keyName + u',' + names.join(u',') + " FROM " + base);
            while (scan.step()) {
                const Key key = sqlite3_column_int64(scan.handle(), 0);
                const auto m = place.find(key);
                if (m == place.end())
                    continue;
                rowOfMember[m->second] = table->size();
                table->append(key, scan, columns);
            }
            scan.reset();
            std::erase(rowOfMember, kAbsent);
            table->reorder(rowOfMember);
            return table;
        }
    }
    // Read by key, as a field is, but only the fields asked for and in one transaction.
    const QString read =
        directRead_ ? "SELECT " + names.join(u',') + " FROM " + base + " WHERE " + keyName + " = ?"
                    : "SELECT " + names.join(u',') + " FROM (" + sql_ + "\n) WHERE " +
                          quoteIdentifier(columns_[keyColumn_].name) + " = ?";
    readByKey(cachedStatement(read), keys_,
              [&](Key key, const Statement& statement) { table->append(key, statement, columns); });
    return table;
}

Statement& Recordset::cachedStatement(const QString& sql) const {
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        if (statements_.size() >= kStatementCacheLimit)
            statements_.clear();
        auto statement = std::make_unique<Statement>(connection_->handle(kSource), sql, kSource);
        found = statements_.emplace(sql, std::move(statement)).first;
    }
    found->second->reset();
    return *found->second;
}

void Recordset::readByKey(Statement& read, const std::vector<Key>& keys,
                          const std::function<void(Key, const Statement&)>& take) const {
    sqlite3* db = connection_->handle(kSource);
    // One read transaction for all the rows: a lock taken once, not once a row.
    const bool ownTransaction = keys.size() > 1 && sqlite3_get_autocommit(db) != 0;
    if (ownTransaction)
        connection_->run(QStringLiteral("BEGIN"), kSource);
    try {
        std::vector<Value> values = directRead_ ? std::vector<Value>{} : parameters_;
        values.emplace_back();
        for (const Key key : keys) {
            values.back() = key;
            read.reset();
            read.bindAll(values);
            if (read.step())
                take(key, read);
        }
        read.reset();
    } catch (...) {
        read.reset();
        if (ownTransaction)
            connection_->run(QStringLiteral("ROLLBACK"), kSource);
        throw;
    }
    if (ownTransaction)
        connection_->run(QStringLiteral("COMMIT"), kSource);
}

void Recordset::readRows(const std::vector<Key>& keys) const {
    if (!read_)
        read_ = std::make_unique<Statement>(connection_->handle(kSource), readSql_, kSource);
    readByKey(*read_, keys, [this](Key key, const Statement& read) {
        std::vector<Value> row;
        row.reserve(columns_.size());
        for (int i = 0; i < read.columnCount(); ++i)
            row.push_back(read.column(i));
        rows_.insert(key, std::move(row));
    });
}

std::vector<Value> Recordset::readRow(Key key) const {
    rows_.clear();
    readRows({key});
    if (!rows_.contains(key))
        fail(db_error::kRecordDeleted, QStringLiteral("Record is deleted."));
    return rows_.take(key);
}

const std::vector<Value>& Recordset::currentRow() const {
    checkCurrent();
    if (!keyed_)
        return snapshot_[static_cast<size_t>(keys_[position_])];
    const Key key = keys_[position_];
    const std::int64_t stamp = connection_->generation();
    if (stamp != rowsStamp_)
        rows_.clear();
    rowsStamp_ = stamp;
    // The first read after a move asks whether another connection has committed since
    // the rows were read ahead: the generation counts only this connection's writes.
    if (!rowsChecked_) {
        const std::int64_t version = dataVersion();
        if (version != rowsDataVersion_)
            rows_.clear();
        rowsDataVersion_ = version;
        rowsChecked_ = true;
    }
    auto found = rows_.find(key);
    if (found == rows_.end()) {
        // Moving row by row, rows are read a window ahead in the direction of travel, so
        // that one read serves many moves; a jump reads its row alone.
        std::int32_t first = position_, last = position_ + 1;
        if (position_ == lastRead_ + 1)
            last = std::min(size(), position_ + kReadAhead);
        if (position_ == lastRead_ - 1)
            first = std::max(0, position_ - kReadAhead + 1);
        rows_.clear();
        readRows(std::vector<Key>(keys_.begin() + first, keys_.begin() + last));
        found = rows_.find(key);
        if (found == rows_.end())
            fail(db_error::kRecordDeleted, QStringLiteral("Record is deleted."));
    }
    lastRead_ = position_;
    return *found;
}

void Recordset::checkCurrent() const {
    connection_->handle(kSource);
    if (currentDeleted_)
        fail(db_error::kRecordDeleted, QStringLiteral("Record is deleted."));
    if (bof() || eof())
        fail(db_error::kNoCurrentRecord, QStringLiteral("No current record."));
}

void Recordset::leaveRow() {
    rowsChecked_ = false;
    editMode_ = EditMode::None;
    pending_.clear();
    currentDeleted_ = false;
}

// ---- Position --------------------------------------------------------------------------

bool Recordset::bof() const {
    return size() == 0 || (!currentDeleted_ && position_ < 0);
}

bool Recordset::eof() const {
    return size() == 0 || (!currentDeleted_ && position_ >= size());
}

std::int32_t Recordset::recordCount() const {
    return size();
}

std::int32_t Recordset::absolutePosition() const {
    return currentDeleted_ || bof() || eof() ? -1 : position_;
}

void Recordset::moveFirst() {
    connection_->handle(kSource);
    if (size() == 0)
        fail(db_error::kNoCurrentRecord, QStringLiteral("No current record."));
    leaveRow();
    position_ = 0;
}

void Recordset::moveLast() {
    connection_->handle(kSource);
    if (size() == 0)
        fail(db_error::kNoCurrentRecord, QStringLiteral("No current record."));
    leaveRow();
    position_ = size() - 1;
}

void Recordset::moveNext() {
    connection_->handle(kSource);
    // After a delete the position already names the row that followed the deleted one.
    if (!currentDeleted_) {
        if (eof())
            fail(db_error::kNoCurrentRecord, QStringLiteral("No current record."));
        ++position_;
    }
    leaveRow();
}

void Recordset::movePrevious() {
    connection_->handle(kSource);
    if (!currentDeleted_ && bof()) {
        fail(db_error::kNoCurrentRecord, QStringLiteral("No current record."));
    }
    --position_;
    leaveRow();
}

void Recordset::setAbsolutePosition(std::int32_t position) {
    connection_->handle(kSource);
    if (position < 0 || position >= size()) {
        fail(db_error::kInvalidArgument, QStringLiteral("Invalid argument."));
    }
    leaveRow();
    position_ = position;
}

Recordset::Key Recordset::currentKey() const {
    checkCurrent();
    return keys_[position_];
}

bool Recordset::moveToKey(Key key) {
    connection_->handle(kSource);
    for (std::int32_t i = 0; i < size(); ++i) {
        if (keys_[i] == key) {
            leaveRow();
            position_ = i;
            return true;
        }
    }
    return false;
}

bool Recordset::findFirst(const QString& condition, const std::vector<Value>& parameters) {
    if (!keyed_) {
        fail(3251, QStringLiteral("Operation is not supported for this type of object."));
    }
    QString sql;
    if (directRead_) {
        sql = "SELECT " + quoteIdentifier(baseKey_) + " FROM " +
              qualified(baseSchema_, baseTable_) + " WHERE (" + condition + "\n)";
    } else {
        sql = "SELECT " + quoteIdentifier(columns_[keyColumn_].name) + " FROM (" + sql_ +
              "\n) WHERE (" + condition + "\n)";
    }
    Statement& find = cachedStatement(sql);
    std::vector<Value> values = directRead_ ? std::vector<Value>{} : parameters_;
    values.insert(values.end(), parameters.begin(), parameters.end());
    find.bindAll(values);
    std::unordered_set<Key> matches;
    while (find.step())
        matches.insert(sqlite3_column_int64(find.handle(), 0));
    find.reset();
    for (std::int32_t i = 0; !matches.empty() && i < size(); ++i) {
        if (matches.count(keys_[i]) != 0) {
            leaveRow();
            position_ = i;
            noMatch_ = false;
            return true;
        }
    }
    noMatch_ = true;
    return false;
}

// ---- Writes ----------------------------------------------------------------------------

void Recordset::addNew() {
    connection_->handle(kSource);
    if (!keyed_)
        fail(db_error::kReadOnly, QStringLiteral("This recordset cannot be updated."));
    pending_.clear();
    editMode_ = EditMode::Add;
}

void Recordset::edit() {
    if (!keyed_)
        fail(db_error::kReadOnly, QStringLiteral("This recordset cannot be updated."));
    checkCurrent();
    pending_.clear();
    editMode_ = EditMode::Edit;
}

void Recordset::cancelUpdate() {
    pending_.clear();
    editMode_ = EditMode::None;
}

void Recordset::setField(int index, const Value& value) {
    const QString name = fieldName(index);
    if (editMode_ == EditMode::None) {
        fail(db_error::kUpdateWithoutEdit,
             QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    }
    if (columns_[index].target == Column::Target::None) {
        fail(db_error::kNotUpdatable, "Field '" + name + "' cannot be updated.");
    }
    pending_[index] = value;
}

std::optional<Recordset::Key> Recordset::keyWithinRange() const {
    const QString table = qualified(baseSchema_, baseTable_);
    const QString key = quoteIdentifier(baseKey_);
    // Each read is reset at once: a statement left open would keep the file locked for
    // the other copies of the program.
    auto read = [this](const QString& sql, const std::vector<Value>& parameters = {}) {
        Statement& statement = cachedStatement(sql);
        statement.bindAll(parameters);
        const Value v = statement.step() ? statement.column(0) : Value();
        statement.reset();
        return v.kind() == Value::Kind::Integer ? v.toInt64() : Key{0};
    };
    // The engine gives one above the largest key, or above the sequence of a table that
    // never reuses keys: within range in every file only the program wrote.
    Key top = read("SELECT max(" + key + ") FROM " + table);
    if (read("SELECT count(*) FROM " + qualified(baseSchema_, "sqlite_master") +
             " WHERE type = 'table' AND name = 'sqlite_sequence'") != 0) {
        top = std::max(top, read("SELECT seq FROM " + qualified(baseSchema_, "sqlite_sequence") +
                                     " WHERE name = ?",
                                 {baseTable_}));
    }
    if (top >= 0 && top < kLargestGivenKey)
        return std::nullopt;
    const QString largest = QString::number(kLargestGivenKey);
    const Key within = read("SELECT max(" + key + ") FROM " + table + " WHERE " + key +
                            " BETWEEN 1 AND " + largest);
    if (within < kLargestGivenKey)
        return within + 1;
    // Nothing left above: the lowest key within range that no row holds.
    const Key free =
        read("SELECT CASE WHEN NOT EXISTS (SELECT 1 FROM " + table + " WHERE " + key +
             " = 1) THEN 1 ELSE (SELECT a." + key + " + 1 FROM " + table + " AS a WHERE a." + key +
             " BETWEEN 1 AND " + QString::number(kLargestGivenKey - 1) +
             " AND NOT EXISTS (SELECT 1 FROM " + table + " AS b WHERE b." + key + " = a." + key +
             " + 1) ORDER BY a." + key + " LIMIT 1) END");
    if (free == 0) {
        fail(db_error::kNoFreeKey,
             "No key is left for a new row of '" + baseTable_ + "' within 1 to " + largest + ".");
    }
    return free;
}

Recordset::Key Recordset::update() {
    sqlite3* db = connection_->handle(kSource);
    if (editMode_ == EditMode::None) {
        fail(db_error::kUpdateWithoutEdit,
             QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    }
    const std::int64_t before = connection_->generation();
    const bool ordered = inOrder();
    std::int64_t ownChanges = 0;
    Savepoint savepoint(*connection_, kSource);
    QStringList names;
    std::vector<Value> values;
    for (const auto& [index, value] : pending_) {
        if (columns_[index].target != Column::Target::Base)
            continue;
        names << quoteIdentifier(columns_[index].origin);
        values.push_back(value);
    }
    const QString table = qualified(baseSchema_, baseTable_);
    Key key = 0;
    if (editMode_ == EditMode::Add) {
        const bool keySet = std::any_of(pending_.begin(), pending_.end(), [this](const auto& p) {
            return columns_[p.first].target == Column::Target::Base &&
                   same(columns_[p.first].origin, baseKey_);
        });
        if (const std::optional<Key> given = keySet ? std::nullopt : keyWithinRange()) {
            names << quoteIdentifier(baseKey_);
            values.push_back(*given);
        }
        QString sql = "INSERT INTO " + table;
        sql += names.isEmpty()
                   ? QStringLiteral(" DEFAULT VALUES")
                   : " (" + names.join(u',') + ") VALUES (" +
                         QStringList(names.size(), QStringLiteral("?")).join(u',') + u')';
        Statement& insert = cachedStatement(sql);
        insert.bindAll(values);
        insert.step();
        ownChanges += sqlite3_changes64(db);
        key = sqlite3_last_insert_rowid(db);
    } else {
        key = currentKey();
        if (!names.isEmpty()) {
            Statement& change =
                cachedStatement("UPDATE " + table + " SET " + names.join(QStringLiteral(" = ?, ")) +
                                " = ? WHERE " + quoteIdentifier(baseKey_) + " = ?");
            values.push_back(key);
            change.bindAll(values);
            change.step();
            if (sqlite3_changes(db) == 0) {
                fail(db_error::kRecordDeleted, QStringLiteral("Record is deleted."));
            }
            ownChanges += sqlite3_changes64(db);
        }
    }
    const bool joinedKept = writeJoinedFields(key, ownChanges);
    savepoint.release();
    keepOrder(ordered && joinedKept, before, ownChanges);
    if (orderStamp_ >= 0 &&
        std::find(misplaced_.begin(), misplaced_.end(), key) == misplaced_.end())
        misplaced_.push_back(key);

    if (editMode_ == EditMode::Add) {
        const bool atEnd = position_ >= size();
        keys_.push_back(key);
        if (atEnd)
            position_ = size();
    }
    editMode_ = EditMode::None;
    pending_.clear();
    rowsStamp_ = -1;
    lastModified_ = key;
    return key;
}

bool Recordset::writeJoinedFields(Key baseKey, std::int64_t& changes) {
    bool any = false;
    for (const auto& entry : pending_)
        any |= columns_[entry.first].target == Column::Target::Joined;
    if (!any)
        return true;
    bool kept = true;
    // Read after the base row is written, so that a changed link names the new row.
    const std::vector<Value> row = readRow(baseKey);
    sqlite3* db = connection_->handle(kSource);
    for (size_t j = 0; j < joinedTables_.size(); ++j) {
        const JoinedTable& joined = joinedTables_[j];
        QStringList names;
        std::vector<Value> values;
        for (const auto& [index, value] : pending_) {
            if (columns_[index].joined != static_cast<int>(j))
                continue;
            names << quoteIdentifier(columns_[index].origin);
            values.push_back(value);
            kept = kept && row[index] == value;
        }
        if (names.isEmpty())
            continue;
        const Value& joinedKey = row[joined.keyColumn];
        if (joinedKey.isNull()) {
            fail(db_error::kRecordDeleted,
                 "There is no record joined as '" + columns_[joined.keyColumn].name + "'.");
        }
        values.push_back(joinedKey);
        Statement& change = cachedStatement("UPDATE " + qualified(joined.schema, joined.table) +
                                            " SET " + names.join(QStringLiteral(" = ?, ")) +
                                            " = ? WHERE " + quoteIdentifier(joined.key) + " = ?");
        change.bindAll(values);
        change.step();
        if (sqlite3_changes(db) == 0) {
            fail(db_error::kRecordDeleted, QStringLiteral("Record is deleted."));
        }
        changes += sqlite3_changes64(db);
    }
    return kept;
}

void Recordset::deleteCurrent() {
    if (!keyed_)
        fail(db_error::kReadOnly, QStringLiteral("This recordset cannot be updated."));
    const Key key = currentKey();
    const std::int64_t before = connection_->generation();
    const bool ordered = inOrder();
    Statement& remove = cachedStatement("DELETE FROM " + qualified(baseSchema_, baseTable_) +
                                        " WHERE " + quoteIdentifier(baseKey_) + " = ?");
    remove.bind(1, key);
    remove.step();
    const std::int64_t removed = sqlite3_changes64(connection_->handle(kSource));
    if (removed == 0)
        fail(db_error::kRecordDeleted, QStringLiteral("Record is deleted."));
    // Taking a row out leaves the others in order.
    keepOrder(ordered, before, removed);
    std::erase(misplaced_, key);
    keys_.erase(keys_.begin() + position_);
    leaveRow();
    currentDeleted_ = true;
    rowsStamp_ = -1;
}

void Recordset::requery() {
    takeMembership();
    noMatch_ = false;
}

void Recordset::requeryWritten() {
    connection_->handle(kSource);
    if (!keyed_ || !keyNamed_ || !inOrder() || !placeWritten()) {
        requery();
        return;
    }
    position_ = 0;
    leaveRow();
    rowsStamp_ = -1;
    noMatch_ = false;
}

// ---- Order kept across writes ------------------------------------------------------------

bool Recordset::inOrder() const {
    return orderStamp_ >= 0 && orderStamp_ == connection_->generation() &&
           orderDataVersion_ == dataVersion();
}

// Changes when another connection (another program on the same file) commits a change.
std::int64_t Recordset::dataVersion() const {
    Statement& version = cachedStatement(QStringLiteral("PRAGMA data_version"));
    const std::int64_t value = version.step() ? sqlite3_column_int64(version.handle(), 0) : -1;
    version.reset();
    return value;
}

// After a write of this recordset that changed `ownChanges` rows: the order still holds
// when it held before and nothing else (a trigger, say) changed a row meanwhile.
void Recordset::keepOrder(bool kept, std::int64_t generationBefore, std::int64_t ownChanges) {
    const std::int64_t now = connection_->generation();
    orderStamp_ = kept && now - generationBefore == ownChanges ? now : -1;
    if (orderStamp_ < 0)
        misplaced_.clear();
}

bool Recordset::placeWritten() {
    if (misplaced_.empty())
        return true;
    const std::unordered_set<Key> moving(misplaced_.begin(), misplaced_.end());
    std::erase_if(keys_, [&](Key key) { return moving.count(key) != 0; });
    if (keys_.empty())
        return false;
    for (const Key key : misplaced_) {
        std::size_t low = 0, high = keys_.size();
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            const int order = compareRows(key, keys_[middle]);
            if (order == 0)
                return false;
            if (order < 0)
                high = middle;
            else
                low = middle + 1;
        }
        keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(low), key);
    }
    misplaced_.clear();
    return true;
}

// -1 when the query gives row a before row b, 1 after it, 0 when it does not give both
// exactly once.
int Recordset::compareRows(Key a, Key b) {
    // All columns: asked for the key alone, the engine may prefer an index that covers the
    // query and scan every row of it rather than look the two rows up by key.
    const QString key = quoteIdentifier(columns_[keyColumn_].name);
    Statement& pair = cachedStatement("SELECT * FROM (" + sql_ + "\n) WHERE " + key + " IN (?, ?)");
    std::vector<Value> values = parameters_;
    values.emplace_back(a);
    values.emplace_back(b);
    pair.bindAll(values);
    std::vector<Key> order;
    while (order.size() < 3 && pair.step()) {
        if (sqlite3_column_type(pair.handle(), keyColumn_) == SQLITE_NULL)
            break;
        order.push_back(sqlite3_column_int64(pair.handle(), keyColumn_));
    }
    pair.reset();
    if (order.size() != 2 || a == b)
        return 0;
    if (order[0] == a && order[1] == b)
        return -1;
    if (order[0] == b && order[1] == a)
        return 1;
    return 0;
}

// ---- Fields ----------------------------------------------------------------------------

QString Recordset::fieldName(int index) const {
    if (index < 0 || index >= fieldCount()) {
        fail(db_error::kItemNotFound, QStringLiteral("Item not found in this collection."));
    }
    return columns_[index].name;
}

int Recordset::fieldIndex(const QString& name) const {
    const auto found = columnByName_.find(name.toLower());
    if (found == columnByName_.end()) {
        fail(db_error::kItemNotFound, "Item '" + name + "' not found in this collection.");
    }
    return *found;
}

Value Recordset::field(int index) const {
    fieldName(index);
    if (editMode_ != EditMode::None) {
        const auto pending = pending_.find(index);
        if (pending != pending_.end())
            return pending->second;
        if (editMode_ == EditMode::Add)
            return Value();
    }
    return currentRow()[index];
}

}  // namespace corvanta::platform
