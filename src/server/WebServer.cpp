#include "server/WebServer.h"

#include <exception>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"

WebServer::WebServer(QObject* parent) : QObject(parent) {
  connect(&TCPSocket1, &ListeningSocket::Connected, this, &WebServer::TCPSocket1_Connected);
  connect(&TCPSocket1, &ListeningSocket::SendProgress, this, &WebServer::TCPSocket1_SendProgress);
  connect(&TCPSocket1, &ListeningSocket::SendComplete, this, &WebServer::TCPSocket1_SendComplete);
  connect(&TCPSocket1, &ListeningSocket::Error, this, &WebServer::TCPSocket1_Error);
}

void WebServer::takeSettings() {
  TCPSocket1.Address = modMain.ipaddress;
  TCPSocket1.Port = quint16(modMain.listenport);
}

void WebServer::listenOnSettings() {
  takeSettings();
  TCPSocket1.Listen();
}

QString WebServer::listeningAddress() const {
  return TCPSocket1.Address + ":" + QString::number(TCPSocket1.Port);
}

void WebServer::reportListenFailure() {
  Status("Error " + QString::number(TCPSocket1.LastErrorCode()) + ": " +
         TCPSocket1.LastErrorString());
}

void WebServer::bbStart_Action() {
  listenOnSettings();
  Status("Listening on " + listeningAddress());
  if (TCPSocket1.LastErrorCode() != 0) {
    // Say so instead of showing a server that does not run.
    reportListenFailure();
    ServerStatus("Stopped");
    return;
  }
  ServerStatus("Running");
}

void WebServer::bbStop_Action() {
  TCPSocket1.Close();
  Status("Socket closed");
  ServerStatus("Stopped");
}

bool WebServer::RestartServer() {
  try {
    Status("Restarting...");
    TCPSocket1.Close();
    Status("Socket closed. ");
    if (TCPSocket1.LastErrorCode() != 0)
      Status("Could not close socket.");
    else
      ServerStatus("Stopped");
    listenOnSettings();
    if (TCPSocket1.LastErrorCode() != 0) {
      Status("Error starting server: " + QString::number(TCPSocket1.LastErrorCode()));
      return false;
    }
    Status("Listening on " + listeningAddress());
    ServerStatus("Running");
    return true;
  } catch (const std::exception& e) {
    Status("Exception: 0: " + QString::fromLocal8Bit(e.what()));
    return false;
  }
}

void WebServer::ServerStatus(const QString& state) {
  title_ = "Quaverly - " + state;
  modMain.ServerStatus = state;
  const bool stopped = state.compare(QLatin1String("Stopped"), Qt::CaseInsensitive) == 0;
  startPressed_ = stopped;
  stopPressed_ = !stopped;
  emit stateShown();
}

void WebServer::TCPSocket1_Connected() {
  Status("Client connected");
  connStartTime = QDateTime::currentDateTime();
}

bool WebServer::TCPSocket1_SendProgress(qint64 bytesSent, qint64 bytesLeft) {
  if (!window1.handlingAnImage)
    Status("Sending data. Sent:" + QString::number(bytesSent) + " bytes." +
           QString::number(bytesLeft) + " bytes left");
  return false;
}

void WebServer::TCPSocket1_SendComplete(bool userAborted) {
  window1.handlingAnImage = false;
  if (!userAborted) {
    TCPSocket1.Disconnect();
    TCPSocket1.Rearm();
  }
  if (sendCompleteHook_) sendCompleteHook_();
}

void WebServer::TCPSocket1_Error(int code) {
  window1.handlingAnImage = false;
  if (code == ListeningSocket::kConnectionLost) {
    connEndTime = QDateTime::currentDateTime();
    connTime = double(connEndTime.toSecsSinceEpoch() - connStartTime.toSecsSinceEpoch());
    Status("Disconnected.  Session time " + QString::number(qint64(connTime)) + " seconds");
  } else {
    Status("Error " + QString::number(code));
  }
}
