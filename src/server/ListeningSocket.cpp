#include "server/ListeningSocket.h"

#include <QHostAddress>

#include "app/ActivityLog.h"
#include "server/RequestFraming.h"

static QString seconds(int ms) {
  return QString::number(ms / 1000.0) + (ms == 1000 ? " second" : " seconds");
}

ListeningSocket::ListeningSocket(QObject* parent) : QObject(parent) {
  idleTimer_.setSingleShot(true);
  sendTimer_.setSingleShot(true);
  connect(&server_, &QTcpServer::newConnection, this, [this] {
    if (!isServing()) serveNext();
  });
  connect(&idleTimer_, &QTimer::timeout, this, [this] {
    drop("No complete request within " + seconds(idleTimeoutMs_) + "; connection dropped");
  });
  connect(&sendTimer_, &QTimer::timeout, this, [this] {
    drop("Response not taken within " + seconds(sendTimeoutMs_) + "; connection dropped");
  });
}

void ListeningSocket::Listen() {
  if (server_.isListening()) server_.close();
  QHostAddress address;
  if (!address.setAddress(Address)) address = QHostAddress::Any;
  if (server_.listen(address, Port)) {
    lastErrorCode_ = 0;
    lastErrorString_.clear();
  } else {
    lastErrorCode_ = int(server_.serverError());
    lastErrorString_ = server_.errorString();
  }
}

void ListeningSocket::Close() {
  server_.close();
  if (client_) {
    client_->disconnect(this);
    client_->abort();
    client_->deleteLater();
    client_.clear();
  }
  idleTimer_.stop();
  sendTimer_.stop();
  received_.clear();
  responding_ = false;
  lastErrorCode_ = 0;
  lastErrorString_.clear();
}

void ListeningSocket::Disconnect() {
  if (client_) client_->disconnectFromHost();
}

void ListeningSocket::Rearm() {
  if (!isServing() && server_.isListening()) serveNext();
}

void ListeningSocket::Write(const QByteArray& bytes) {
  if (client_) client_->write(bytes);
}

QString ListeningSocket::RemoteAddress() const {
  if (!client_) return {};
  const QHostAddress peer = client_->peerAddress();
  bool isV4 = false;
  const quint32 v4 = peer.toIPv4Address(&isV4);
  return isV4 ? QHostAddress(v4).toString() : peer.toString();
}

void ListeningSocket::serveNext() {
  while (server_.hasPendingConnections()) {
    QTcpSocket* next = server_.nextPendingConnection();
    if (next->state() != QAbstractSocket::ConnectedState) {
      next->deleteLater();  // gave up while waiting in the queue
      continue;
    }
    client_ = next;
    received_.clear();
    responding_ = false;
    connect(next, &QTcpSocket::readyRead, this, &ListeningSocket::onReadyRead);
    connect(next, &QTcpSocket::bytesWritten, this, &ListeningSocket::onBytesWritten);
    connect(next, &QTcpSocket::disconnected, this, [this, next] { onDisconnected(next); });
    idleTimer_.start(idleTimeoutMs_);
    emit Connected();
    if (client_ == next && next->bytesAvailable() > 0) onReadyRead();
    return;
  }
}

void ListeningSocket::onReadyRead() {
  if (!client_ || responding_) {
    if (client_) client_->readAll();  // bytes after the request are not ours to read
    return;
  }
  received_ += client_->readAll();
  const framing::Result frame = framing::parse(received_);
  if (frame.status == framing::Status::TooLarge) {
    drop("Request larger than 64 KiB; connection dropped");
    return;
  }
  if (frame.status == framing::Status::Incomplete) {
    idleTimer_.start(idleTimeoutMs_);
    return;
  }
  idleTimer_.stop();
  responding_ = true;
  const QByteArray request = received_.left(frame.size);
  received_.clear();
  QPointer<QTcpSocket> serving = client_;
  const bool ok = handler_ ? handler_(request) : false;
  if (!serving || serving != client_) return;  // closed or replaced meanwhile
  if (!ok) {
    serving->flush();
    finishConnection();
    return;
  }
  if (serving->bytesToWrite() > 0)
    sendTimer_.start(sendTimeoutMs_);
  else
    emit SendComplete(false);  // nothing was written: nothing to wait for
}

void ListeningSocket::onBytesWritten(qint64 bytes) {
  if (!client_) return;
  const qint64 left = client_->bytesToWrite();
  emit SendProgress(bytes, left);
  if (left == 0 && responding_ && client_) {
    sendTimer_.stop();
    emit SendComplete(false);
  }
}

void ListeningSocket::onDisconnected(QTcpSocket* gone) {
  if (gone != client_) return;
  idleTimer_.stop();
  sendTimer_.stop();
  client_.clear();
  gone->disconnect(this);
  gone->deleteLater();
  emit Error(kConnectionLost);
  // A client lost before its response went out leaves no one to re-arm: do it here.
  Rearm();
}

void ListeningSocket::drop(const QString& reason) {
  if (!client_) return;
  Status(reason);
  finishConnection();
}

void ListeningSocket::finishConnection() {
  if (!client_) return;
  QTcpSocket* gone = client_;
  gone->abort();  // emits disconnected, which logs the session and re-arms
  if (client_ == gone) onDisconnected(gone);
}
