#pragma once
// Turns each result row into one result item of modMain.queryresult the moment the
// database delivers it, in the form that modMain.querytype names.
#include <QString>

namespace sqlite { class Row; }

class SQLiteQueryResultHandler {
 public:
  // The class attribute of the playlist link being built: empty or " class="hilite"".
  QString vClass;

  // Renders one row; returns false so that every row of the result is delivered.
  bool HandleOneResult(const sqlite::Row& row);
};
