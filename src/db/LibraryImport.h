#pragma once
// The full import and the playlist reload are one sequence with different statements:
// read the library file, open the import connection, run the set-up statements, walk
// the library inside one transaction, build the indexes, and open the query
// connection. Each runs as a cooperative thread; only one of them at a time.
#include <pugixml.hpp>

#include <QString>
#include <future>
#include <memory>
#include <vector>

#include "app/CoopThread.h"

namespace db {

// One statement of the sequence. An empty sql marks where the library is walked.
struct ImportStep {
  QString before;   // logged before it runs, when not empty
  QString sql;
  QString success;  // logged after it succeeded, when not empty; {tracks} and {playlists}
                    // stand for the counts
  QString failure;  // logged with the connection's message when it fails
};

struct ImportPlan {
  bool rebuild;  // delete and create the file (full import) or require it (reload)
  bool readTracks;
  QString openFailed;
  QStringList opened;
  std::vector<ImportStep> steps;
  QString complete;  // logged before the import connection is closed
};

class LibraryImport {
 public:
  explicit LibraryImport(ImportPlan plan) : plan_(std::move(plan)) {}
  virtual ~LibraryImport() = default;

  // The thread body; the job stays alive as long as its body runs.
  static coop::Task Run(std::shared_ptr<LibraryImport> self);
  // Logs "DBLoad: " + text and shows it at once.
  static void Status(const QString& text);

 protected:
  ImportPlan plan_;

 private:
  bool prepareFile();
  bool openImportConnection();
  void failStep(const ImportStep& step);
  QString withCounts(const QString& line) const;
  std::future<bool> execInBackground(const QString& sql);

  std::unique_ptr<pugi::xml_document> xdoc;
  qint64 startTime = 0, endTime = 0;
  int trackCount = 0, plCount = 0;
};

// Starts the job's thread unless an import or reload is running; false when refused.
bool startImport(std::shared_ptr<LibraryImport> job);
// An import or playlist reload has been started and has not ended.
bool importRunning();

}  // namespace db
