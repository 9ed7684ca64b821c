#include "db/DoResultPL.h"

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "db/BetterSQLiteDatabase.h"
#include "db/SQLiteQueryResultHandler.h"
#include "player/Scripts.h"

namespace {

QPointer<coop::Thread>& latestBuilder() {
  static QPointer<coop::Thread> thread;
  return thread;
}

}  // namespace

DoResultPL::DoResultPL()
    : tracks_(modMain.TrackArray.mid(0, modMain.TrackCount)), idb_(modMain.idb) {}

std::shared_ptr<BetterSQLiteDatabase> DoResultPL::connection() const {
  std::shared_ptr<BetterSQLiteDatabase> started = idb_.lock();
  if (!started || started != modMain.idb || !started->isOpen()) return nullptr;
  return started;
}

void DoResultPL::execute(const QString& sql, const QVariantList& values) const {
  const std::shared_ptr<BetterSQLiteDatabase> idb = connection();
  if (!idb) return;
  sqlite::Statement statement(*idb, sql);
  sqlite::Statement::Scope scope(statement);
  for (int i = 0; i < values.size(); ++i) statement.bind(i + 1, values[i]);
  statement.step();
}

void DoResultPL::DBQueryClearResults() {
  const std::shared_ptr<BetterSQLiteDatabase> idb = connection();
  if (!idb) return;
  // The lookup and the use of its result run without a yield between them, so no page
  // query can change the shared query fields meanwhile.
  modMain.querytype = QStringLiteral("DBQueryGetQVResultsID");
  idb->SQLExecuteWithHandler(
      "SELECT playlists.playlistid FROM playlists WHERE playlists.name = 'Quaverly Search Results'",
      std::make_shared<SQLiteQueryResultHandler>());
  const QString oldId = std::exchange(modMain.queryresult, QString());
  if (oldId.isEmpty()) return;
  for (const char* sql : {"delete from PlayLists where PlayListID =?",
                          "delete from PlayListTracks where PlayListID =?"}) {
    sqlite::Statement statement(*idb, sql);
    sqlite::Statement::Scope scope(statement);
    statement.bind(1, oldId);
    statement.step();
    if (!statement.ok()) Status("Error deleting Quaverly Search Results: " + idb->lastError());
  }
}

coop::Task DoResultPL::Run(std::shared_ptr<DoResultPL> self) {
  DoResultPL& job = *self;
  const QString id = qvresults({"createplaylist", "x"});
  if (id.isEmpty()) {
    status("Could not create Quaverly Search Results playlist: the player gave no ID", true);
    co_return;
  }
  status("Quaverly Search Results playlist created with ID:" + id, true);
  job.DBQueryClearResults();
  co_await coop::nextTurn();
  job.execute("Insert into PlayLists (Name,PlayListID) Values  ('Quaverly Search Results',?)", {id});
  for (const QString& track : job.tracks_) {
    qvresults({"addtoplaylist", track});
    job.execute("Insert into PlayListTracks (TrackID,PlayListID) Values  (?,?)", {track, id});
    co_await coop::yield();
  }
  status("Added " + QString::number(job.tracks_.size()) + " results to Quaverly Search Results playlist",
         true);
}

void startResultPlaylist() {
  if (!modMain.blDoPlayList || modMain.blNoQVSR) return;
  // Cleared here, not when the builder ends: a response that is sent before the next
  // request resets the flag must not start a second builder.
  modMain.blDoPlayList = false;
  if (latestBuilder()) latestBuilder()->cancel();
  auto builder = std::make_shared<DoResultPL>();
  status("Creating Quaverly Search Results playlist", true);
  latestBuilder() = coop::startDetached(DoResultPL::Run(std::move(builder)));
}

QPointer<coop::Thread> ResultPL() { return latestBuilder(); }
