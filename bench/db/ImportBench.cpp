// Imports a library export and reports: the import's duration from "Starting Thread" to
// "Database searches are available", peak memory against the file's size, the longest
// lateness of a 5 ms timer while the import runs, and the time of searches afterwards.
//
//   tools/genlibrary.py --tracks 100000 --seed 7 -o /tmp/big.xml
//   build/bench_db /tmp/big.xml
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "db/DatabaseOperations.h"
#include "db/LibraryImport.h"
#include "db/Queries.h"

namespace {

double peakRssMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

double searchMs(const QString& term, const QString& type) {
  QElapsedTimer clock;
  clock.start();
  modMain.TrackArray.clear();
  modMain.TrackCount = 0;
  modMain.queryresult.clear();
  modMain.queryparm2 = QStringLiteral("pageone");
  DBQuerySearchTrack(term, type);
  return double(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_db <library export>\n");
    return 2;
  }
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  activityLog().setEcho(false);
  modMain.itunesfile = QString::fromLocal8Bit(argv[1]);
  modMain.blPageResults = true;
  modMain.dbLimit = 20;
  window1.dbStartRecord = 1;

  QElapsedTimer importClock;
  qint64 importNs = -1;
  QObject::connect(&activityLog(), &ActivityLog::lineAdded, [&](const QString& line) {
    if (line.endsWith("] Starting Thread")) importClock.start();
    if (qEnvironmentVariableIsSet("QV_BENCH_STEPS"))
      std::printf("%8.3f s  %s\n", double(importClock.nsecsElapsed()) / 1e9, qPrintable(line));
    if (line.endsWith("] DBLoad: Database searches are available")) importNs = importClock.nsecsElapsed();
  });

  // A 5 ms tick stands for the requests that arrive during the import: its lateness is
  // how long a request would wait for the loop.
  QElapsedTimer tickClock;
  qint64 lastTick = 0, worstLateNs = 0;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 now = tickClock.nsecsElapsed();
    worstLateNs = std::max(worstLateNs, now - lastTick - 5'000'000);
    lastTick = now;
  });

  QTimer::singleShot(0, [&] {
    tickClock.start();
    tick.start(5);
    DBLoad();
  });
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (db::importRunning()) return;
    tick.stop();
    app.quit();
  });
  poll.start(50);
  app.exec();

  if (!modMain.loadcomplete) {
    std::fprintf(stderr, "import failed:\n%s\n", qPrintable(activityLog().lines().join('\n')));
    return 1;
  }
  const double fileMiB = double(QFileInfo(modMain.itunesfile).size()) / (1024.0 * 1024.0);
  const double peak = peakRssMiB();
  std::printf("library file         %.1f MiB\n", fileMiB);
  std::printf("import               %.2f s\n", double(importNs) / 1e9);
  std::printf("peak memory (max RSS) %.1f MiB = %.2f x the file\n", peak, peak / fileMiB);
  std::printf("longest loop wait    %.1f ms\n", double(worstLateNs) / 1e6);
  const std::pair<const char*, const char*> searches[] = {
      {"love", "name"}, {"the", "artist"}, {"e", "name"}, {"e", "album"}, {"rock", "genre"}, {"zzzq", "name"}};
  for (const auto& [term, type] : searches) {
    const double ms = searchMs(term, type);
    std::printf("search %-6s %-6s %7.1f ms (%d matches)\n", type, term, ms, modMain.TrackCount);
  }
  return 0;
}
