#include "db/BetterSQLiteDatabase.h"

#include "app/ActivityLog.h"
#include "db/SQLiteQueryResultHandler.h"
#include "db/SearchFold.h"

BetterSQLiteDatabase::BetterSQLiteDatabase(const QString& path) : sqlite::Connection(path, false) {
  db::registerSearchFoldLower(handle());
}

void BetterSQLiteDatabase::SetQueryResultHandler(std::shared_ptr<SQLiteQueryResultHandler> handler) {
  mQueryResultHandler = std::move(handler);
}

void BetterSQLiteDatabase::SQLExecuteWithHandler(const QString& sql,
                                                 std::shared_ptr<SQLiteQueryResultHandler> handler,
                                                 const QVariantList& values) {
  SetQueryResultHandler(std::move(handler));
  sqlite::Statement statement(*this, sql);
  sqlite::Statement::Scope scope(statement);
  for (int i = 0; i < values.size(); ++i) statement.bind(i + 1, values[i]);
  while (statement.step())
    if (QueryResult(statement.row())) break;
  if (!statement.ok()) Status("Error: " + lastError());
}

bool BetterSQLiteDatabase::QueryResult(const sqlite::Row& row) {
  return mQueryResultHandler ? mQueryResultHandler->HandleOneResult(row) : false;
}
