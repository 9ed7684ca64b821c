#include "db/DatabaseOperations.h"

#include <QFileInfo>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "db/BetterSQLiteDatabase.h"
#include "db/DBLoad.h"
#include "db/PLUpdate.h"
#include "db/QueryConnection.h"
#include "pages/FancyFrame.h"

bool DBOpen() {
  if (db::importRunning()) {
    Status("The database is being rebuilt; it opens when the rebuild ends");
    return false;
  }
  if (!QFileInfo::exists(db::databasePath())) {
    Status("Error: No database file found.  Please reload");
    modMain.loadcomplete = false;
    return false;
  }
  return db::connectQueryDatabase([](const QString& line) { Status(line); });
}

bool DBClose() {
  if (!modMain.idb || !modMain.idb->isOpen()) {
    Status("Error closing database");
    return false;
  }
  modMain.idb->close();
  modMain.idb.reset();
  modMain.loadcomplete = false;
  SetHTML();
  Status("Database closed");
  return true;
}

bool DBLoad() { return db::startImport(std::make_shared<db::DBLoad>()); }

bool DBPLReload() { return db::startImport(std::make_shared<db::PLUpdate>()); }
