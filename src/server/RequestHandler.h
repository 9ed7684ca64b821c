#pragma once
// Handles one complete request from start to finish: intake, the password gate, the
// picture routes, routing and the response, under one catch-all.
#include <QByteArray>
#include <QObject>
#include <QString>

#include "server/Sessions.h"

class ListeningSocket;
struct RequestContext;

class RequestHandler : public QObject {
  Q_OBJECT
 public:
  explicit RequestHandler(ListeningSocket& socket, QObject* parent = nullptr);

  // Writes the whole response on the socket; false after the catch-all, when the
  // connection is to be closed without waiting for a send.
  bool TCPSocket1_DataAvailable(const QByteArray& request);

  Sessions& sessions() { return sessions_; }

 signals:
  // The text of each routed request, for the server window's request field.
  void requestRouted(const QString& requestText);

 private:
  void handle(const QByteArray& request);
  bool passesGate(RequestContext& ctx, QString& setCookie);
  bool answersPicture(const RequestContext& ctx);
  void HandleImage(const QString& name);
  void sendAlbumArt(const QString& fileName, const QString& contentType);
  void write(const QByteArray& header, const QByteArray& body);

  ListeningSocket& TCPSocket1;
  Sessions sessions_;
};
