#pragma once
// The web server's socket: listens on one address and port and serves one client at a
// time. While a client is served, the next ones wait in the listen queue and are served
// in turn. The request handler gets each request once it is complete and writes the
// whole response; when it has been sent, the owner drops the connection and re-arms.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

class ListeningSocket : public QObject {
  Q_OBJECT
 public:
  // A client that sends nothing for this long, or does not take its response within
  // it, is dropped so the clients behind it are served.
  static constexpr int kIdleTimeoutMs = 10'000;
  static constexpr int kSendTimeoutMs = 10'000;
  // The socket layer's code for a connection that was closed or dropped.
  static constexpr int kConnectionLost = 102;

  // Writes the whole response; returns false when it failed and the connection should
  // be dropped without waiting for a send to complete.
  using Handler = std::function<bool(const QByteArray& request)>;

  explicit ListeningSocket(QObject* parent = nullptr);

  QString Address;
  quint16 Port = 0;

  // Starts listening on Address:Port; a listening socket closes first and listens again.
  void Listen();
  // Stops listening and drops any connection.
  void Close();
  // Drops the current connection.
  void Disconnect();
  // Serves the next waiting client, if any.
  void Rearm();
  // 0 when the last Listen or Close succeeded, else the socket layer's error code.
  int LastErrorCode() const { return lastErrorCode_; }
  QString LastErrorString() const { return lastErrorString_; }
  bool isListening() const { return server_.isListening(); }
  bool isServing() const { return !client_.isNull(); }

  void setHandler(Handler handler) { handler_ = std::move(handler); }
  // Tests shorten the waits; the defaults are the constants above.
  void setTimeouts(int idleMs, int sendMs) {
    idleTimeoutMs_ = idleMs;
    sendTimeoutMs_ = sendMs;
  }
  // For the handler, during a request.
  void Write(const QByteArray& bytes);
  QString RemoteAddress() const;

 signals:
  void Connected();
  void SendProgress(qint64 bytesSent, qint64 bytesLeft);
  void SendComplete(bool userAborted);
  void Error(int code);

 private:
  void serveNext();
  void onReadyRead();
  void onBytesWritten(qint64 bytes);
  void onDisconnected(QTcpSocket* gone);
  void drop(const QString& reason);
  void finishConnection();

  QTcpServer server_;
  QPointer<QTcpSocket> client_;
  QByteArray received_;
  bool responding_ = false;  // the handler has run for the current connection
  QTimer idleTimer_;
  QTimer sendTimer_;
  Handler handler_;
  int idleTimeoutMs_ = kIdleTimeoutMs;
  int sendTimeoutMs_ = kSendTimeoutMs;
  int lastErrorCode_ = 0;
  QString lastErrorString_;
};
