#include "db/QueryConnection.h"

#include "app/ModMain.h"
#include "app/Paths.h"
#include "db/BetterSQLiteDatabase.h"
#include "pages/FancyFrame.h"

namespace db {

QString databasePath() { return paths::dataFile(QStringLiteral("Quaverly.sdb")); }

bool connectQueryDatabase(const std::function<void(const QString&)>& log) {
  try {
    modMain.idb = std::make_shared<BetterSQLiteDatabase>(databasePath());
    log("Connected to database OK.");
    log("Database searches are available");
    modMain.loadcomplete = true;
  } catch (const sqlite::Error&) {
    modMain.idb.reset();
    log("Error: Could not connect to database");
    log("Database searches not available");
    modMain.loadcomplete = false;
  }
  SetHTML();
  return modMain.loadcomplete;
}

}  // namespace db
