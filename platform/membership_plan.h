#pragma once

#include <QString>

namespace corvanta::platform {

// See Recordset: the rows of a query in its order, found another way.
struct MembershipPlan {
    // With the query's parameters, every row of the query: its key, the fields taken with
    // the membership in their order, then a column true for each row that it does not
    // give in the query's order (all of them when it gives no order).
    QString sql;
    // The query orders its rows on the first `orderFields` taken fields, each compared as
    // the engine compares values with texts in the FRENCH collation (see orderMembers).
    int orderFields = 0;
};

}  // namespace corvanta::platform
