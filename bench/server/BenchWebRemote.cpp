// Requests per second of the web remote, with a fake player printing a canned reply and
// with the built-in player, and the median cost of one player-script call. The server
// runs in this process's event loop; the clients are threads with blocking sockets that
// open one connection per request, as browsers of the remote do.
//
//   bench_webremote [requests per measurement, default 2000]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTcpSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/Paths.h"
#include "app/ServerCore.h"
#include "app/ServerWindowState.h"
#include "pages/FancyFrame.h"
#include "pages/Pictures.h"
#include "pages/PrefsForm.h"
#include "player/Scripts.h"

namespace {

const QByteArray kCannedShow = "Ana Example%@First Song%@Blue Album%@Jazz%@1999%@1:02 / 3:04%@Library%@2001%@%@";

// One request on its own connection; true when a whole 200 response came back.
bool fetch(quint16 port, const QByteArray& request) {
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, port);
  if (!socket.waitForConnected(10000)) return false;
  socket.write(request);
  QByteArray received;
  while (socket.waitForReadyRead(10000)) received += socket.readAll();
  received += socket.readAll();
  return received.startsWith("HTTP/1.1 200 OK\r\n") && socket.state() == QAbstractSocket::UnconnectedState;
}

// Runs `total` requests for `path` spread over `clients` threads while the event loop
// serves them; returns requests per second, or -1 when any request failed.
double requestsPerSecond(quint16 port, const QString& path, int clients, int total) {
  const QByteArray request = "GET " + path.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  std::atomic<int> finished{0};
  std::atomic<bool> allGood{true};
  QElapsedTimer clock;
  clock.start();
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, share = total / clients] {
      for (int i = 0; i < share; ++i)
        if (!fetch(port, request)) allGood = false;
      if (++finished == clients)
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
    });
  }
  QCoreApplication::exec();
  const double seconds = clock.nsecsElapsed() / 1e9;
  for (std::thread& t : threads) t.join();
  return allGood ? (total / clients) * clients / seconds : -1;
}

double medianScriptCallMs(int calls) {
  std::vector<double> ms;
  for (int i = 0; i < calls; ++i) {
    QElapsedTimer clock;
    clock.start();
    runScript("oneline", {});
    ms.push_back(clock.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

void report(const char* what, double value, const char* unit, double target, bool higherIsBetter = true) {
  const bool met = higherIsBetter ? value >= target : value <= target;
  std::printf("%-52s %10.1f %-6s (target %s %.0f) %s\n", what, value, unit, higherIsBetter ? ">=" : "<=", target,
              value < 0 ? "FAILED REQUESTS" : (met ? "ok" : "BELOW TARGET"));
}

quint16 freePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

void writeScript(const QString& path, const QByteArray& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) std::abort();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The same clients against the smallest Qt server that answers and closes: the
// machine's ceiling at this moment, for reading the other figures.
double minimalServerRequestsPerSecond(int total) {
  QTcpServer server;
  server.listen(QHostAddress::LocalHost, 0);
  QObject::connect(&server, &QTcpServer::newConnection, [&server] {
    while (QTcpSocket* client = server.nextPendingConnection()) {
      QObject::connect(client, &QTcpSocket::readyRead, client, [client] {
        client->readAll();
        client->write("HTTP/1.1 200 OK\r\nContent-Length:2\r\n\r\nok");
        client->disconnectFromHost();
      });
      QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    }
  });
  return requestsPerSecond(server.serverPort(), "/", 1, total);
}

void isolateFolders(const QString& root) {
  for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "TMPDIR", "HOME"}) {
    const QString dir = root + "/" + var;
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv(var, dir.toLocal8Bit().constData(), 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir sandbox;
  isolateFolders(sandbox.path());  // never the real home folder
  QCoreApplication app(argc, argv);
  const int total = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;
  activityLog().setEcho(false);

  // A lean canned player: one shell builtin per call, so the figures show the server.
  const QString fake = sandbox.path() + "/fake";
  writeScript(fake + "/scripts/itunes", "#!/bin/sh\nprintf '%s\\n' '" + kCannedShow + "'\n");
  writeScript(fake + "/scripts/oneline", "#!/bin/sh\necho one line\n");
  QDir().mkpath(fake + "/images");
  for (const char* picture : {"ilogo.gif", "eclairs.jpg", "middle.png", "middle_bar.png", "title.png"})
    QFile::link(QStringLiteral(QV_BUILD_DIR "/images/") + picture, fake + "/images/" + picture);
  paths::setResourcesFolder(fake);

  modMain.blPlain = true;
  LoadImages();
  SetHTML();
  SetPrefsHTML();
  ServerCore core;
  modMain.ipaddress = "127.0.0.1";
  modMain.listenport = freePort();
  core.server.bbStart_Action();
  const quint16 port = quint16(modMain.listenport);
  if (modMain.ServerStatus != "Running") {
    std::fprintf(stderr, "could not listen on %d\n", port);
    return 1;
  }

  std::printf("%d requests per measurement\n", total);
  report("baseline: minimal Qt server, 1 client", minimalServerRequestsPerSecond(total), "req/s", 0);
  report("script call, one line (median)", medianScriptCallMs(200), "ms", 5, false);
  report("/show, normal style, fake player, 1 client", requestsPerSecond(port, "/show", 1, total / 4), "req/s", 400);
  report("/images/title.png, 1 client", requestsPerSecond(port, "/images/title.png", 1, total), "req/s", 5000);
  report("trivial page (no route), 1 client", requestsPerSecond(port, "/hello", 1, total), "req/s", 0);
  report("trivial page (no route), 10 clients", requestsPerSecond(port, "/hello", 10, total), "req/s", 0);

  paths::setResourcesFolder(QStringLiteral(QV_BUILD_DIR));
  modMain.itunesfile = QStringLiteral(QV_SOURCE_DIR "/resources/demo/iTunes Music Library.xml");
  requestsPerSecond(port, "/show", 1, 10);  // builds the player's library cache
  report("/show, normal style, built-in player, 1 client", requestsPerSecond(port, "/show", 1, total / 4), "req/s",
         200);
  core.server.bbStop_Action();
  return 0;
}
