// The progress bar of the import and the playlist reload: shown when a run starts, fed
// with items read of the items in the file, and hidden however the run ends.
#include <QFile>
#include <QObject>

#include "DbTestSupport.h"
#include "app/CoopThread.h"
#include "app/ImportProgress.h"
#include "app/ModMain.h"
#include "db/DBLoad.h"
#include "db/LibraryImport.h"
#include "support/TestSupport.h"

namespace dbtest {
namespace {

// The bar's signals in order: "begin", "done/total", "end".
class ProgressRecorder {
 public:
  ProgressRecorder() {
    running_ = QObject::connect(&importProgress(), &ImportProgress::runningChanged,
                                [this](bool running) { events << (running ? "begin" : "end"); });
    progress_ = QObject::connect(&importProgress(), &ImportProgress::progressChanged,
                                 [this](qint64 done, qint64 total) { events << QString("%1/%2").arg(done).arg(total); });
  }
  ~ProgressRecorder() {
    QObject::disconnect(running_);
    QObject::disconnect(progress_);
  }
  QStringList events;

 private:
  QMetaObject::Connection running_, progress_;
};

QByteArray songs(int count) {
  std::vector<Track> tracks;
  for (int id = 1; id <= count; ++id) tracks.push_back(track(id, "Song", "Band", "Album", "Pop"));
  return libraryXml(tracks, {playlist("Library", 1, {1, 2})});
}

class ImportProgressTest : public DbTest {};

TEST_F(ImportProgressTest, TheImportCountsTracksAndTheReloadPlaylists) {
  writeLibrary(songs(401));
  {
    ProgressRecorder progress;
    runImport();
    EXPECT_EQ(progress.events, QStringList({"begin", "0/401", "200/401", "400/401", "401/401", "end"}));
  }
  std::vector<int> many(450, 1);
  writeLibrary(libraryXml({}, {playlist("Big", 1, many), playlist("Two", 2, {}), playlist("Three", 3, {1})}));
  ProgressRecorder progress;
  runReload();
  // Every 200 rows: the 200th and 400th are entries of the first playlist.
  EXPECT_EQ(progress.events, QStringList({"begin", "0/3", "1/3", "1/3", "3/3", "end"}));
  EXPECT_EQ(log().constLast(), "DBLoad: Database searches are available");
}

TEST_F(ImportProgressTest, EveryFailureEndsTheBar) {
  struct Case {
    const char* name;
    QByteArray library;  // empty: no library file
    bool reload;
  };
  const Case cases[] = {
      {"missing library file", {}, false},
      {"broken XML", "<?xml version=\"1.0\"?>\n<plist version=\"1.0\">\n<dict>\n\t<key>Tracks</key>\n", false},
      {"reload without a database", songs(2), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(libraryPath());
    if (!c.library.isEmpty()) writeLibrary(c.library);
    ProgressRecorder progress;
    c.reload ? runReload() : runImport();
    EXPECT_EQ(progress.events, QStringList({"begin", "end"}));
    EXPECT_FALSE(modMain.loadcomplete);
  }
}

TEST_F(ImportProgressTest, ACancelledImportEndsTheBar) {
  writeLibrary(songs(401));
  ProgressRecorder progress;
  coop::Thread thread(db::LibraryImport::Run(std::make_shared<db::DBLoad>()));
  QObject::connect(&importProgress(), &ImportProgress::progressChanged, &thread, [&thread](qint64 done, qint64) {
    if (done == 200) thread.cancel();
  });
  thread.start();
  EXPECT_TRUE(qvtest::waitUntil([&thread] { return thread.isFinished(); }, 60000));
  EXPECT_EQ(progress.events, QStringList({"begin", "0/401", "200/401", "end"}));
  EXPECT_FALSE(modMain.db) << "the import connection is closed";
  EXPECT_FALSE(modMain.loadcomplete);
}

}  // namespace
}  // namespace dbtest
