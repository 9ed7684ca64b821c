#pragma once
// The headless heart of Quaverly: the web server with its request handler and watchdog,
// the start-up sequence that brings them up from the preferences, and the Quit path.
// The server window shows and drives it; a test or a headless run uses it directly.
#include <QObject>

#include "server/RequestHandler.h"
#include "server/Watchdog.h"
#include "server/WebServer.h"

class ServerCore : public QObject {
  Q_OBJECT
 public:
  explicit ServerCore(QObject* parent = nullptr);

  // The start-up sequence, run once when the server window opens.
  void open();
  // Closes the database and the listening socket, logs "Socket closed".
  void shutDown();

  WebServer server;
  RequestHandler handler{server.TCPSocket1};
  Watchdog watchdog{server, handler.sessions()};

 private:
  void startListening();
  void onSendComplete();
};
