#pragma once
// The server side of the server window: starts, stops and restarts the listener, shows
// its state (title and Start/Stop pressed states, which the window only displays) and
// answers the socket's connection events with their log lines.
#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

#include "server/ListeningSocket.h"

class WebServer : public QObject {
  Q_OBJECT
 public:
  explicit WebServer(QObject* parent = nullptr);

  ListeningSocket TCPSocket1;

  void bbStart_Action();
  void bbStop_Action();
  // Closes and re-opens the listener; true when listening again.
  bool RestartServer();
  // Records "Running" or "Stopped" and shows it in the title and the buttons.
  void ServerStatus(const QString& state);

  // Points the socket at the configured address and port, without listening.
  void takeSettings();
  // takeSettings, then listens; the socket's LastErrorCode tells how it went.
  void listenOnSettings();
  // "address:port" of the socket, as the log lines and the poll address show it.
  QString listeningAddress() const;
  // "Error <code>: <reason>" of a listen that failed.
  void reportListenFailure();

  QString title() const { return title_; }
  bool startPressed() const { return startPressed_; }
  bool stopPressed() const { return stopPressed_; }

  // Runs after each completed send (the search-results playlist starts there).
  void setSendCompleteHook(std::function<void()> hook) { sendCompleteHook_ = std::move(hook); }

  QDateTime connStartTime, connEndTime;
  double connTime = 0;

 signals:
  void stateShown();

 private:
  void TCPSocket1_Connected();
  bool TCPSocket1_SendProgress(qint64 bytesSent, qint64 bytesLeft);
  void TCPSocket1_SendComplete(bool userAborted);
  void TCPSocket1_Error(int code);
  QString title_ = QStringLiteral("Quaverly");
  bool startPressed_ = false;
  bool stopPressed_ = false;
  std::function<void()> sendCompleteHook_;
};
