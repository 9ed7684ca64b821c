#pragma once
// The query connection: hands every result row of a statement to a row handler, one
// row at a time, as the statement runs. Its lower() ignores case and accents.
#include <QVariantList>
#include <memory>

#include "db/Sqlite.h"

class SQLiteQueryResultHandler;

class BetterSQLiteDatabase : public sqlite::Connection {
 public:
  // Opens an existing database file; throws sqlite::Error when it cannot.
  explicit BetterSQLiteDatabase(const QString& path);

  void SetQueryResultHandler(std::shared_ptr<SQLiteQueryResultHandler> handler);
  // Runs sql with the values bound to its parameters in order, delivering each row to
  // the handler; a failure logs "Error: " + the connection's message.
  void SQLExecuteWithHandler(const QString& sql, std::shared_ptr<SQLiteQueryResultHandler> handler,
                             const QVariantList& values = {});
  // One row: the stored handler's verdict; true stops the delivery.
  bool QueryResult(const sqlite::Row& row);

 private:
  std::shared_ptr<SQLiteQueryResultHandler> mQueryResultHandler;
};
