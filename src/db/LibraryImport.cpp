#include "db/LibraryImport.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <cerrno>
#include <chrono>
#include <iterator>
#include <unistd.h>

#include "app/ActivityLog.h"
#include "app/ImportProgress.h"
#include "app/ModMain.h"
#include "db/ImportError.h"
#include "db/LibraryWalk.h"
#include "db/QueryConnection.h"
#include "db/Sqlite.h"

namespace db {
namespace {

QPointer<coop::Thread>& runningImport() {
  static QPointer<coop::Thread> thread;
  return thread;
}

// Long single pieces of work (parsing, a commit, an index over the whole table) run
// beside the event loop, which keeps answering requests meanwhile. The waiting thread
// touches neither the document nor the import connection until the work is done.
template <typename T>
bool settled(std::future<T>& work) {
  return work.wait_for(std::chrono::milliseconds(1)) == std::future_status::ready;
}

// The import connection is closed however the run ends, so a failed run never leaves a
// lock behind for the next one.
struct ImportConnectionCloser {
  ~ImportConnectionCloser() { modMain.db.reset(); }
};

// The server window's progress bar: shown from the start of a run to however it ends,
// and fed every so many items with the items read of those in the file.
class ProgressBar {
 public:
  static constexpr int kEvery = 200;

  ProgressBar() { importProgress().begin(); }
  ~ProgressBar() { importProgress().end(); }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void start(qint64 total) {
    total_ = total;
    importProgress().report(0, total_);
  }
  void show(qint64 done) const { importProgress().report(done, total_); }

 private:
  qint64 total_ = 0;
};

qint64 childCount(pugi::xml_node parent, const char* name) {
  const auto children = parent.children(name);
  return std::distance(children.begin(), children.end());
}

void notAvailable(const QString& reason) {
  LibraryImport::Status(reason);
  LibraryImport::Status("Database searches not available");
  modMain.loadcomplete = false;
}

}  // namespace

void LibraryImport::Status(const QString& text) { status("DBLoad: " + text, true); }

bool LibraryImport::prepareFile() {
  const QString path = databasePath();
  if (!plan_.rebuild) {
    if (QFileInfo::exists(path)) return true;
    Status("Error: Database file Quaverly.sdb does not exist.  Database must be reloaded.");
    return false;
  }
  if (QFileInfo::exists(path) && ::unlink(QFile::encodeName(path).constData()) != 0) {
    notAvailable("Error: " + QString::number(errno) + ". Unable to delete old database");
    return false;
  }
  return true;
}

bool LibraryImport::openImportConnection() {
  try {
    modMain.db = std::make_shared<sqlite::Connection>(databasePath(), plan_.rebuild);
  } catch (const sqlite::Error&) {
    Status(plan_.openFailed);
    return false;
  }
  for (const QString& line : plan_.opened) Status(line);
  return true;
}

void LibraryImport::failStep(const ImportStep& step) {
  Status(step.failure + modMain.db->lastError());
  modMain.loadcomplete = false;
}

QString LibraryImport::withCounts(const QString& line) const {
  return QString(line)
      .replace("{tracks}", QString::number(trackCount))
      .replace("{playlists}", QString::number(plCount));
}

std::future<bool> LibraryImport::execInBackground(const QString& sql) {
  return std::async(std::launch::async, [db = modMain.db, sql] { return db->exec(sql); });
}

coop::Task LibraryImport::Run(std::shared_ptr<LibraryImport> self) {
  LibraryImport& job = *self;
  ImportConnectionCloser closer;
  ProgressBar progress;
  try {
    modMain.loadcomplete = false;
    if (!QFileInfo(modMain.itunesfile).isFile()) {
      notAvailable("Unable to open iTunes Library XML file.  Check preferences");
      co_return;
    }
    job.startTime = QDateTime::currentSecsSinceEpoch();
    Status("Loading XML...");
    auto parsing = std::async(std::launch::async, parseLibrary, modMain.itunesfile);
    while (!settled(parsing)) co_await coop::nextTurn();
    job.xdoc = parsing.get();
    Status("XML data loaded OK");
    if (!job.prepareFile() || !job.openImportConnection()) co_return;

    for (const ImportStep& step : job.plan_.steps) {
      if (!step.before.isEmpty()) Status(step.before);
      if (step.sql.isEmpty()) {
        bool readPlaylists = true;
        if (job.plan_.readTracks) {
          const pugi::xml_node tracks = topLevelValue(*job.xdoc, "Tracks");
          if (!tracks) {
            Status("No tracks found");
            modMain.loadcomplete = false;
            readPlaylists = false;
          }
          progress.start(childCount(tracks, "key"));
          TrackImport track(*modMain.db);
          for (pugi::xml_node id = tracks.first_child(); id; id = id.next_sibling().next_sibling()) {
            track.begin();
            const pugi::xml_node dict = id.next_sibling();
            for (pugi::xml_node key = dict.first_child(); key; key = key.next_sibling().next_sibling()) {
              track.take(key, key.next_sibling());
              co_await coop::yield();
            }
            track.insert(&Status);
            if (++job.trackCount % ProgressBar::kEvery == 0) {
              Status("Loaded " + QString::number(job.trackCount) + " tracks...");
              progress.show(job.trackCount);
            }
            co_await coop::yield();
          }
          progress.show(job.trackCount);
        }
        if (readPlaylists) {
          const pugi::xml_node playlists = topLevelValue(*job.xdoc, "Playlists");
          if (!playlists) {
            Status("No playlists found");
            modMain.loadcomplete = false;
          }
          // The full import's bar counts tracks; the reload's counts playlists.
          const bool countPlaylists = !job.plan_.readTracks;
          if (countPlaylists) progress.start(childCount(playlists, "dict"));
          PlaylistWalk walk(*modMain.db, playlists);
          for (int rows = 1; walk.step(); ++rows) {
            if (countPlaylists && rows % ProgressBar::kEvery == 0) progress.show(walk.playlistCount());
            co_await coop::yield();
          }
          job.plCount = walk.playlistCount();
          if (countPlaylists) progress.show(job.plCount);
        }
        continue;
      }
      auto done = job.execInBackground(step.sql);
      while (!settled(done)) co_await coop::nextTurn();
      if (!done.get()) {
        job.failStep(step);
        co_return;
      }
      if (!step.success.isEmpty()) Status(job.withCounts(step.success));
    }

    Status(job.plan_.complete);
    modMain.db.reset();
    Status("Closed database connection. All Done.");
    job.xdoc.reset();
    job.endTime = QDateTime::currentSecsSinceEpoch();
    Status("Thread execution time " + QString::number(job.endTime - job.startTime) + " seconds");
    modMain.loadcomplete = true;
    connectQueryDatabase(&Status);
  } catch (const coop::Cancelled&) {
    throw;
  } catch (const ImportError& e) {
    notAvailable("Error " + QString::number(e.number()) + ":" + QString::fromUtf8(e.what()) +
                 " loading database.");
  } catch (const sqlite::Error& e) {
    notAvailable("Error " + QString::number(e.code()) + ":" + e.message() + " loading database.");
  } catch (const std::exception& e) {
    notAvailable("Error 0:" + QString::fromUtf8(e.what()) + " loading database.");
  }
}

bool importRunning() {
  const QPointer<coop::Thread>& thread = runningImport();
  return thread && !thread->isFinished();
}

bool startImport(std::shared_ptr<LibraryImport> job) {
  if (importRunning()) {
    Status("DBLoad: An import or playlist reload is already running.  Request refused");
    return false;
  }
  modMain.loadcomplete = false;
  status("Starting Thread", true);
  runningImport() = coop::startDetached(LibraryImport::Run(std::move(job)));
  return true;
}

}  // namespace db
