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
#include <QTcpSocket>
#include <atomic>
#include <cstdio>
#include <thread>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/ServerCore.h"
#include "app/ServerWindowState.h"
#include "db/DatabaseOperations.h"
#include "db/LibraryImport.h"
#include "db/Queries.h"
#include "player/Scripts.h"

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

// A browser asking for "/show" every 10 ms while the import runs, on its own thread with
// a blocking socket, as a real browser would be: records the slowest answer.
class ShowRequester {
 public:
  explicit ShowRequester(quint16 port) : thread_([this, port] { run(port); }) {}
  ~ShowRequester() { stop(); }
  void stop() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
  }
  int answered() const { return answered_; }
  double slowestMs() const { return double(slowestNs_) / 1e6; }

 private:
  void run(quint16 port) {
    while (running_) {
      QElapsedTimer clock;
      clock.start();
      QTcpSocket socket;
      socket.connectToHost(QHostAddress::LocalHost, port);
      if (socket.waitForConnected(5000)) {
        socket.write("GET /show HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        QByteArray reply;
        while (socket.waitForReadyRead(5000)) reply += socket.readAll();
        if (reply.startsWith("HTTP/1.1 200 OK")) {
          ++answered_;
          slowestNs_ = std::max<qint64>(slowestNs_, clock.nsecsElapsed());
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  std::atomic<bool> running_{true};
  std::atomic<int> answered_{0};
  std::atomic<qint64> slowestNs_{0};
  std::thread thread_;
};

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

  // The web remote with the built-in player (beside this program in the build tree) keeps
  // answering while the import runs. One call first, so the player has its own library
  // cache ready and starts playing.
  ServerCore core;
  modMain.ipaddress = QStringLiteral("127.0.0.1");
  modMain.listenport = 18000 + int(QCoreApplication::applicationPid() % 1000);
  modMain.blPlain = true;
  core.server.bbStart_Action();
  itunes({"playpause", "x", "x", "itunes"});
  std::unique_ptr<ShowRequester> browser;

  QTimer::singleShot(0, [&] {
    tickClock.start();
    tick.start(5);
    DBLoad();
    browser = std::make_unique<ShowRequester>(quint16(modMain.listenport));
  });
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (db::importRunning()) return;
    tick.stop();
    if (browser) browser->stop();
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
  std::printf("/show during import  %d answered, slowest %.1f ms\n", browser->answered(), browser->slowestMs());
  const std::pair<const char*, const char*> searches[] = {
      {"love", "name"}, {"the", "artist"}, {"e", "name"}, {"e", "album"}, {"rock", "genre"}, {"zzzq", "name"}};
  for (const auto& [term, type] : searches) {
    const double ms = searchMs(term, type);
    std::printf("search %-6s %-6s %7.1f ms (%d matches)\n", type, term, ms, modMain.TrackCount);
  }
  return 0;
}
