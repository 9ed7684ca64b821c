#pragma once
// The "Quaverly Search Results" playlist: after page 1 of a search has been sent, the
// player gets a playlist of all its matches and the database a copy of it, so that the
// playlist pages list it like any other.
#include <QPointer>
#include <QStringList>
#include <memory>

#include "app/CoopThread.h"

class BetterSQLiteDatabase;

class DoResultPL {
 public:
  // Takes a copy of the search's track ids: a new search cannot change them mid-run.
  DoResultPL();

  // The thread body; the builder stays alive as long as its body runs.
  static coop::Task Run(std::shared_ptr<DoResultPL> self);
  // Removes the previous search-results playlist's rows from the database.
  void DBQueryClearResults();

 private:
  // The query connection this builder started with, still open: the database half is
  // skipped once it has been closed or replaced (Load DB, reload, database off, Quit).
  std::shared_ptr<BetterSQLiteDatabase> connection() const;
  void execute(const QString& sql, const QVariantList& values) const;

  QStringList tracks_;
  std::weak_ptr<BetterSQLiteDatabase> idb_;
};

// Called when a response has been sent: starts a builder when the request asked for
// one and the setting allows it. A newer builder cancels an older one at its next yield.
void startResultPlaylist();

// The most recently started builder while it runs.
QPointer<coop::Thread> ResultPL();
