#pragma once
// Searching ignores letter case and accents: both the stored text (through the query
// connection's own lower()) and the search term are folded the same way.
#include <QString>

struct sqlite3;

namespace db {

// Lower-cases every letter and drops accents: "CAFÉ" and "café" both become "cafe".
QString searchFold(const QString& text);

// Replaces lower() on this connection by searchFold.
void registerSearchFoldLower(sqlite3* connection);

}  // namespace db
