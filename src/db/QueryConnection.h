#pragma once
// Opening the query connection, which page queries and the search-results playlist use.
#include <QString>
#include <functional>

namespace db {

// The database file, in the application data folder.
QString databasePath();

// Replaces modMain.idb by a new connection on the database file and sets
// modMain.loadcomplete to whether it opened, logging the outcome through log; then
// rebuilds the page templates, which offer the genre search only while it is loaded.
bool connectQueryDatabase(const std::function<void(const QString&)>& log);

}  // namespace db
