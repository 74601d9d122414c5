#pragma once

#include <QStringList>

namespace corvanta::platform {
class Database;
}

namespace corvanta::test {

// All a database file holds, to tell whether a refused or cancelled import changed
// anything: the engine's integrity check, then per table (sequence included) its row count
// and every row, column by column as SQL literals, in key order.
QStringList Instantane_Base(platform::Database& base);

}  // namespace corvanta::test
